#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "texts/message.h"

// The most field lines a run draws.
inline constexpr double kMostLineCount = 200;

// The number that a text of the line-count box begins with (UTF-8 text).
//
// Blanks, tabs and line feeds anywhere in the text are ignored. A decimal
// number is an optional sign, digits with at most one point as the decimal
// separator (whatever the locale), and an optional exponent: E or e, an
// optional sign and digits. "&H" starts a hexadecimal and "&O" an octal whole
// number (either letter case). Reading stops at the first character that does
// not fit; a text without a number at its start gives 0. A number beyond the
// range of a double gives an infinity of its sign; the result is never NaN.
double LineCountFromText(std::string_view text);

// A line count written out as a number, as the page's address carries the
// number the box's text gave: usable when the text is a decimal number
// (params/decimal_text.h) that the box reads as the same finite value of at
// most kMostLineCount, so that the box given the text runs as before. Else
// why not: one sentence (a message).
struct LineCountReading {
    std::optional<double> lines;
    Message refusal;
};
LineCountReading WrittenLineCount(std::string_view text);
