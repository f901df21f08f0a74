#pragma once

#include "texts/language.h"

// The language the window and its dialogs are shown in, in which they write
// the core's messages.
Language ShownLanguage();
