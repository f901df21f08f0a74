#pragma once

#include <string>

#include "texts/language.h"

// The texts of the message boxes of the help menu (UTF-8), in a language.

// The about box: eleven lines joined by CR LF, no break after the last. The
// first four lines describe the program; the rest give its history as far as
// anything is known about it.
std::string AboutText(const Language& language = {});

// The authors box: a blank, then five lines separated by a CR alone, no break
// after the last: the authors (after 28 blanks), the organisation in two
// parts (the second after 29 blanks), the city and country, and the e-mail.
std::string AuthorsText(const Language& language = {});
