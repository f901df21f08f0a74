// libFuzzer target: the reading of the line-count box.
//
// Checks, beyond "no crash": the result is never NaN; blanks, tabs and line
// feeds inserted anywhere never change it; and a text that starts with a
// double printed by %.17g reads back exactly that double.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "params/line_count_text.h"

namespace {

void require(bool ok, const char* what, const std::string& text)
{
    if (ok)
        return;
    std::fprintf(stderr, "property violated: %s\ntext: \"%s\"\n", what, text.c_str());
    std::abort();
}

bool sameValue(double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); }

// Inserts blanks at positions chosen by the bytes of the input itself.
std::string withBlanks(const std::string& text, const uint8_t* data, size_t size)
{
    static const char kBlanks[] = {' ', '\t', '\n'};
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const uint8_t b = data[i % size];
        if (b & 1)
            out += kBlanks[(b >> 1) % 3];
        out += text[i];
    }
    out += ' ';
    return out;
}

// Could this character continue a number that ended just before it?
bool continuesANumber(char c) { return std::strchr("0123456789.eE+- \t\n", c) != nullptr && c != '\0'; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const double value = LineCountFromText(text);
    require(!std::isnan(value), "the value is never NaN", text);

    if (size > 0) {
        const std::string spaced = withBlanks(text, data, size);
        require(sameValue(LineCountFromText(spaced), value), "blanks anywhere do not change the value", spaced);
    }

    if (size >= sizeof(double)) {
        double printed;
        std::memcpy(&printed, data, sizeof printed);
        if (std::isfinite(printed)) {
            char number[40];
            std::snprintf(number, sizeof number, "%.17g", printed);
            const std::string rest = text.substr(sizeof(double));
            const bool needsEnd = !rest.empty() && continuesANumber(rest[0]);
            const std::string full = std::string(number) + (needsEnd ? "x" : "") + rest;
            require(LineCountFromText(full) == printed, "a printed double reads back exactly", full);
        }
    }
    return 0;
}
