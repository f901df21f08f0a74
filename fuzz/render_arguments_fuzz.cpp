// libFuzzer target: the export tool's command line, split at NUL bytes into arguments; the name --lesson
// gives is read as the lesson file's text, so that nothing is read from the disk. Beyond "no crash":
// a refusal says why in one line of valid UTF-8; accepted options lie within the limits the tool promises.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tools/render_arguments.h"
#include "utf8_check.h"

namespace {

void Require(bool ok, const char* what)
{
    if (!ok)
        std::fprintf(stderr, "property violated: %s\n", what), std::abort();
}

bool Metres(double v) { return v >= 0 && v <= 10; }  // false for NaN

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<std::string> args(size > 0 ? 1 : 0);
    for (size_t i = 0; i < size; ++i)
        data[i] == 0 ? args.emplace_back() : args.back() += static_cast<char>(data[i]);

    const ParsedArguments parsed =
        ParseRenderArguments(args, [](const std::string& text) { return ReadLessonFile(text, "fuzz.zoreks"); });
    const RenderOptions& o = parsed.options;
    if (parsed.action == ParsedArguments::Action::Refuse)
        Require(!parsed.error.empty() && RussianText(parsed.error).find('\n') == std::string::npos &&
                    ValidUtf8(RussianText(parsed.error)),
                "a refusal says why in one line of UTF-8");
    if (parsed.action == ParsedArguments::Action::Render)
        Require(Metres(o.params.radius) && Metres(o.params.length) && Metres(o.params.halfRange) &&
                    !std::isnan(o.params.lineCount) && (o.params.graphMode == kAxisGraph || o.params.graphMode == kFieldLinesGraph) &&
                    o.width >= 1 && o.height >= 1 && o.width <= kMaxPictureSide && o.height <= kMaxPictureSide &&
                    static_cast<long long>(o.width) * o.height <= kMaxPicturePixels && !o.output.empty(),
                "accepted options within their limits");
    return 0;
}
