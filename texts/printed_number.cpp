#include "texts/printed_number.h"

#include <algorithm>
#include <cstdio>

std::string PrintedNumber(const char* format, double value, char decimalSeparator)
{
    char text[64];
    const int length = std::snprintf(text, sizeof text, format, value);
    std::string s(text);
    if (length >= static_cast<int>(sizeof text)) {  // a tiny length written to the last exact decimal
        s.resize(static_cast<std::size_t>(length) + 1);
        std::snprintf(s.data(), s.size(), format, value);
        s.pop_back();
    }
    std::replace(s.begin(), s.end(), '.', decimalSeparator);
    return s;
}
