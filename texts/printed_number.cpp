#include "texts/printed_number.h"

#include <algorithm>
#include <cstdio>

std::string PrintedNumber(const char* format, double value, char decimalSeparator)
{
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    std::string s(text);
    std::replace(s.begin(), s.end(), '.', decimalSeparator);
    return s;
}
