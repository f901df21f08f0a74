// libFuzzer target: the export tool's command line.
//
// The input is split at NUL bytes into arguments. Checks, beyond "no crash":
// a refusal always says why in one line of valid UTF-8; accepted options lie
// within the limits the tool promises.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tools/render_arguments.h"

namespace {

void require(bool ok, const char* what)
{
    if (ok)
        return;
    std::fprintf(stderr, "property violated: %s\n", what);
    std::abort();
}

bool validUtf8(const std::string& s)
{
    size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        // continuation bytes that follow the lead byte; 4 marks a byte no character starts with
        const size_t n = c < 0x80 ? 0 : (c >> 5) == 0x6 ? 1 : (c >> 4) == 0xE ? 2 : (c >> 3) == 0x1E ? 3 : 4;
        if (n > 3 || i + n >= s.size())
            return false;
        for (size_t k = 1; k <= n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) >> 6) != 0x2)
                return false;
        i += n + 1;
    }
    return true;
}

bool withinRange(double v) { return std::isfinite(v) && v >= 0 && v <= 10; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<std::string> args(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0)
            args.emplace_back();
        else
            args.back() += static_cast<char>(data[i]);
    }
    if (args.size() == 1 && args[0].empty())
        args.clear();

    const ParsedArguments parsed = ParseRenderArguments(args);
    switch (parsed.action) {
    case ParsedArguments::Action::Refuse:
        require(!parsed.error.empty(), "a refusal says why");
        require(parsed.error.find('\n') == std::string::npos, "the reason is one line");
        require(validUtf8(parsed.error), "the reason is valid UTF-8");
        break;
    case ParsedArguments::Action::Render: {
        const RenderOptions& o = parsed.options;
        require(withinRange(o.params.radius), "radius within 0..10");
        require(withinRange(o.params.length), "length within 0..10");
        require(withinRange(o.params.halfRange), "half-range within 0..10");
        require(!std::isnan(o.params.lineCount), "the line count is a number");
        require(o.params.graphMode == kAxisGraph || o.params.graphMode == kFieldLinesGraph, "a known graph");
        require(o.width >= 1 && o.height >= 1 && o.width <= kMaxPictureSide && o.height <= kMaxPictureSide,
                "a picture size within limits");
        require(static_cast<long long>(o.width) * o.height <= kMaxPicturePixels, "a picture that fits in memory");
        require(!o.output.empty(), "an output file");
        break;
    }
    case ParsedArguments::Action::ShowHelp:
        break;
    }
    return 0;
}
