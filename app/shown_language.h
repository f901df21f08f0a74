#pragma once

#include <QString>

#include <string_view>

#include "texts/language.h"
#include "texts/message.h"

// The language the window and its dialogs are shown in, in which they write
// the core's messages: the language of the program's translator installed on
// the application (app/catalogue_translator.h), Russian while there is none.
Language ShownLanguage();

// Shows the program in the language from now on: the program's translator
// and Qt's own translation of its dialogs' buttons (app/qt_translation.h) are
// installed anew, and every widget hears QEvent::LanguageChange and writes
// its texts again.
void ShowLanguage(const Language& language);

// A text of the core (a Russian text of the catalogues), or a message, in the
// shown language.
QString ShownText(std::string_view russian);
QString ShownText(const Message& message);
