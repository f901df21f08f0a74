// libFuzzer target: the export tool's command line, split at NUL bytes into arguments. Beyond "no crash":
// a refusal says why in one line of valid UTF-8; accepted options lie within the limits the tool promises.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tools/render_arguments.h"

namespace {

void Require(bool ok, const char* what)
{
    if (!ok)
        std::fprintf(stderr, "property violated: %s\n", what), std::abort();
}

// Well-formed UTF-8 by the byte ranges of the Unicode standard (table 3-7): no
// overlong form, no surrogate, nothing above U+10FFFF.
bool ValidUtf8(const std::string& s)
{
    const auto in = [](unsigned char c, int lo, int hi) { return c >= lo && c <= hi; };
    for (size_t i = 0; i < s.size();) {
        const auto b = [&](size_t k) { return i + k < s.size() ? static_cast<unsigned char>(s[i + k]) : 0; };
        const unsigned char c = b(0);
        size_t n = 0;
        if (c < 0x80)
            n = 1;
        else if (in(c, 0xC2, 0xDF) && in(b(1), 0x80, 0xBF))
            n = 2;
        else if ((c == 0xE0 ? in(b(1), 0xA0, 0xBF) : c == 0xED ? in(b(1), 0x80, 0x9F) : in(c, 0xE1, 0xEF) && in(b(1), 0x80, 0xBF)) &&
                 in(b(2), 0x80, 0xBF))
            n = 3;
        else if ((c == 0xF0 ? in(b(1), 0x90, 0xBF) : c == 0xF4 ? in(b(1), 0x80, 0x8F) : in(c, 0xF1, 0xF3) && in(b(1), 0x80, 0xBF)) &&
                 in(b(2), 0x80, 0xBF) && in(b(3), 0x80, 0xBF))
            n = 4;
        if (n == 0)
            return false;
        i += n;
    }
    return true;
}

bool Metres(double v) { return v >= 0 && v <= 10; }  // false for NaN

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<std::string> args(size > 0 ? 1 : 0);
    for (size_t i = 0; i < size; ++i)
        data[i] == 0 ? args.emplace_back() : args.back() += static_cast<char>(data[i]);

    const ParsedArguments parsed = ParseRenderArguments(args);
    const RenderOptions& o = parsed.options;
    if (parsed.action == ParsedArguments::Action::Refuse)
        Require(!parsed.error.empty() && parsed.error.find('\n') == std::string::npos && ValidUtf8(parsed.error),
                "a refusal says why in one line of UTF-8");
    if (parsed.action == ParsedArguments::Action::Render)
        Require(Metres(o.params.radius) && Metres(o.params.length) && Metres(o.params.halfRange) &&
                    !std::isnan(o.params.lineCount) && (o.params.graphMode == kAxisGraph || o.params.graphMode == kFieldLinesGraph) &&
                    o.width >= 1 && o.height >= 1 && o.width <= kMaxPictureSide && o.height <= kMaxPictureSide &&
                    static_cast<long long>(o.width) * o.height <= kMaxPicturePixels && !o.output.empty(),
                "accepted options within their limits");
    return 0;
}
