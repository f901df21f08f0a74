#pragma once

#include <string>

// A number as printf writes it with the format (one conversion of a double),
// the given character in place of the decimal point: "%.2f" and ',' write
// 1.5 as "1,50".
std::string PrintedNumber(const char* format, double value, char decimalSeparator);
