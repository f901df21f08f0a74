#include "params/decimal_text.h"

#include <charconv>
#include <cmath>
#include <string>

std::string_view TrimmedText(std::string_view text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::optional<double> DecimalFromText(std::string_view text)
{
    std::string number(TrimmedText(text));
    for (char& c : number)
        if (c == ',')
            c = '.';
    double value = 0;
    const char* end = number.data() + number.size();
    const char* start = number.data() + (number.starts_with('+') ? 1 : 0);
    const auto [stop, error] = std::from_chars(start, end, value);
    if (number.empty() || stop != end || error != std::errc() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::string ShortestDecimalText(double value)
{
    char buffer[64];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, error == std::errc{} ? end : buffer);
}
