#pragma once
// Included before every source of the WebAssembly build: the pieces of C++20
// that the C++ library of Debian's Emscripten lacks, as the standard defines
// them.
//
// std::make_unique_for_overwrite of a single object: new T, default-initialised.
//
// std::to_chars and std::from_chars for double, which the core uses to write
// and read numbers exactly: to_chars with a precision is printf's "%.*f",
// "%.*e", "%.*a" or "%.*g" (fixed, scientific, hex, general) in the C locale;
// without a format it is the shortest text that strtod reads back as the
// value, fixed or scientific, whichever is shorter (fixed when as short),
// as the standard has it; from_chars of the general
// format is strtod's reading of the longest decimal prefix, with no leading
// blanks, no plus sign and no hexadecimal. Emscripten's C library always works
// in the C locale, and its printf and strtod convert exactly, so the texts and
// values are the same as on the desktop, digit for digit.
#include <charconv>
#include <memory>
#include <version>

#if defined(__cplusplus) && !defined(__cpp_lib_smart_ptr_for_overwrite)
namespace std {
template <class T>
    requires(!is_array_v<T>)
unique_ptr<T> make_unique_for_overwrite()
{
    return unique_ptr<T>(new T);
}
}  // namespace std
#endif

#if defined(__cplusplus) && !defined(__cpp_lib_to_chars)
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace std {

inline to_chars_result to_chars(char* first, char* last, double value, chars_format format, int precision)
{
    const char* const pattern = format == chars_format::fixed        ? "%.*f"
                                : format == chars_format::scientific ? "%.*e"
                                : format == chars_format::hex        ? "%.*a"
                                                                     : "%.*g";
    const int n = std::snprintf(nullptr, 0, pattern, precision, value);
    if (n < 0 || n > last - first)
        return {last, errc::value_too_large};
    string text(static_cast<size_t>(n) + 1, '\0');
    std::snprintf(text.data(), text.size(), pattern, precision, value);
    for (int i = 0; i < n; ++i)
        first[i] = text[i];
    return {first + n, errc()};
}

inline to_chars_result to_chars(char* first, char* last, double value)
{
    char scientific[40];
    int precision = 0;  // the fewest digits after the first that read back
    for (; precision < 17; ++precision) {
        std::snprintf(scientific, sizeof scientific, "%.*e", precision, value);
        if (std::strtod(scientific, nullptr) == value)
            break;
    }
    std::snprintf(scientific, sizeof scientific, "%.*e", precision, value);
    string text(scientific);
    const size_t e = text.find('e');
    if (e != string::npos) {  // not inf or nan
        const bool negative = text[0] == '-';
        string digits = text.substr(negative ? 1 : 0, e - (negative ? 1 : 0));
        if (digits.size() > 1)
            digits.erase(1, 1);  // the point
        const int exponent = std::atoi(text.c_str() + e + 1);
        string fixed;
        if (exponent < 0)
            fixed = "0." + string(static_cast<size_t>(-exponent - 1), '0') + digits;
        else if (static_cast<size_t>(exponent) + 1 >= digits.size())
            fixed = digits + string(static_cast<size_t>(exponent) + 1 - digits.size(), '0');
        else
            fixed = digits.substr(0, static_cast<size_t>(exponent) + 1) + "." + digits.substr(static_cast<size_t>(exponent) + 1);
        fixed = (negative ? "-" : "") + fixed;
        if (fixed.size() <= text.size())
            text = fixed;
    }
    if (static_cast<ptrdiff_t>(text.size()) > last - first)
        return {last, errc::value_too_large};
    for (size_t i = 0; i < text.size(); ++i)
        first[i] = text[i];
    return {first + text.size(), errc()};
}

inline from_chars_result from_chars(const char* first, const char* last, double& value,
                                    chars_format = chars_format::general)
{
    const auto digitsFrom = [last](const char* p) {
        while (p < last && *p >= '0' && *p <= '9')
            ++p;
        return p;
    };
    const char* p = first < last && *first == '-' ? first + 1 : first;
    const char* const whole = p;
    p = digitsFrom(p);
    bool digits = p != whole;
    if (p < last && *p == '.') {
        const char* const end = digitsFrom(p + 1);
        digits = digits || end != p + 1;
        if (digits)
            p = end;
    }
    if (!digits)
        return {first, errc::invalid_argument};
    if (p < last && (*p == 'e' || *p == 'E')) {
        const char* q = p + 1;
        if (q < last && (*q == '+' || *q == '-'))
            ++q;
        if (q < last && *q >= '0' && *q <= '9')
            p = digitsFrom(q);
    }
    const string number(first, p);
    errno = 0;
    const double read = std::strtod(number.c_str(), nullptr);
    if (errno == ERANGE)
        return {p, errc::result_out_of_range};
    value = read;
    return {p, errc()};
}

}  // namespace std
#endif
