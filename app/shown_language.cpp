#include "app/shown_language.h"

Language ShownLanguage() { return Language(); }
