#pragma once

#include <optional>
#include <string_view>

// A decimal number as a user types it into a box: blanks around it allowed,
// a point or a comma for the decimal separator (the user's locale may write
// either), an optional sign and exponent, nothing else. Nothing for any other
// text and for a value too large to hold (or infinite, or NaN).
std::optional<double> DecimalFromText(std::string_view text);
