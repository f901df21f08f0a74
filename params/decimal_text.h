#pragma once

#include <optional>
#include <string>
#include <string_view>

// The text without the blanks and tabs around it.
std::string_view TrimmedText(std::string_view text);

// A decimal number typed by the user in a dialog: blanks and tabs around it
// ignored, a point or a comma as the decimal separator (the user's locale may
// write either), an optional sign and exponent, nothing else. Nothing when
// the text is not such a number or its value is not finite.
std::optional<double> DecimalFromText(std::string_view text);

// The shortest text with a decimal point that reads back as the value, as
// the lesson file and the page's address write their numbers: 0.02524, 1e-07.
std::string ShortestDecimalText(double value);
