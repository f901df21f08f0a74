// libFuzzer target: the reading of the line-count box. Beyond "no crash": the result is never NaN; blanks,
// tabs and line feeds anywhere never change it; a text that starts with a %.17g double reads back that double.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "params/line_count_text.h"

static void Require(bool ok, const char* what, const std::string& text)
{
    if (!ok)
        std::fprintf(stderr, "property violated: %s\ntext: \"%s\"\n", what, text.c_str()), std::abort();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const double value = LineCountFromText(text);
    Require(!std::isnan(value), "the value is never NaN", text);

    std::string spaced;  // blanks where the input's own bytes say
    for (size_t i = 0; i < size; ++i)
        spaced += std::string(data[i] & 1, " \t\n"[(data[i] >> 1) % 3]) + text[i];
    Require(LineCountFromText(spaced + ' ') == value, "blanks anywhere do not change the value", spaced);

    double printed;
    if (size >= sizeof printed && (std::memcpy(&printed, data, sizeof printed), std::isfinite(printed))) {
        char number[40];
        std::snprintf(number, sizeof number, "%.17g", printed);
        const std::string rest = text.substr(sizeof printed);
        // a character that could continue the number is kept apart from it
        const bool apart = !rest.empty() && rest[0] != '\0' && std::strchr("0123456789.eE+- \t\n", rest[0]);
        const std::string full = number + std::string(apart ? "x" : "") + rest;
        Require(LineCountFromText(full) == printed, "a printed double reads back exactly", full);
    }
    return 0;
}
