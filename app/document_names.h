#pragma once

#include <QString>

#include "texts/language.h"

// The help document of the current working directory for the language: the
// language's own beside the Russian one, "spravka.en.pdf" for
// "spravka.pdf", where it is there; else the Russian document.
QString DocumentInLanguage(const QString& russianFileName, const Language& language);
