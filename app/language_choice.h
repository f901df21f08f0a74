#pragma once

#include <QString>

#include "texts/language.h"

// The locale the system gives the program's messages: LC_ALL, else
// LC_MESSAGES, else LANG; empty when none is set.
QString SystemLocaleName();

// The language the window starts in: the one the user chose last (kept in
// the settings), else the system's (Language::ForLocale): Russian where the
// locale is Russian or not set.
Language StartLanguage();

// The user's choice from the menu «Вид → Язык / Language»: shown at once,
// and kept for the next start.
void ChooseLanguage(const Language& language);
