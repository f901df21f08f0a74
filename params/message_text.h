#pragma once

#include <string>
#include <string_view>

// The user's text as it may stand, in «quotes», in a one-line message:
// control characters become '?', and a long text is cut between two UTF-8
// characters and ends in an ellipsis.
std::string QuotedForMessage(std::string_view text);

// A number as printf writes it with the format (one conversion of a double),
// the given character in place of the decimal point: "%.2f" and ',' write
// 1.5 as "1,50".
std::string PrintedNumber(const char* format, double value, char decimalSeparator);

// Why a file could not be opened, from the system's error number (errno),
// to follow «Файл «name», …»: "такого файла нет".
std::string OpeningProblem(int error);
