#pragma once

#include "texts/language.h"

class QObject;

// Installs Qt's own texts in the language for its standard dialogs and
// buttons ("Да", "Нет" in Russian), as shipped with Qt, owned by `owner`.
// False when they are not installed (and for English, Qt's own); Qt's
// English texts then remain.
bool InstallQtTranslation(const Language& language, QObject* owner);
