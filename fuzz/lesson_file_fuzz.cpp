// libFuzzer target: reading a lesson file from any bytes. Beyond "no crash": either a lesson and no
// refusal, or no lesson and a refusal in one line of UTF-8; a lesson read writes back to a file that
// reads back to the same lesson, with no keys unknown.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "lesson/lesson_file.h"
#include "utf8_check.h"

namespace {

void Require(bool ok, const char* what)
{
    if (!ok)
        std::fprintf(stderr, "property violated: %s\n", what), std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const LessonReading reading = ReadLessonFile(bytes, "fuzz.zoreks");
    if (!reading.lesson) {
        const std::string refusal = RussianText(reading.refusal);
        Require(!refusal.empty() && refusal.find('\n') == std::string::npos && ValidUtf8(refusal) &&
                    reading.unknownKeys.empty(),
                "a refusal says why in one line of UTF-8");
        return 0;
    }
    Require(reading.refusal.empty(), "a lesson read is not refused");
    Require(ValidUtf8(RussianText(UnknownKeysNotice(reading.unknownKeys))), "the notice of unknown keys is UTF-8");
    const std::string written = LessonFileText(*reading.lesson);
    Require(LooksLikeLessonFile(written), "a lesson written looks like one");
    const LessonReading again = ReadLessonFile(written, "fuzz.zoreks");
    Require(again.lesson.has_value(), "a lesson written reads back");
    Require(again.lesson && *again.lesson == *reading.lesson, "a lesson written reads back to the same lesson");
    Require(again.unknownKeys.empty(), "a lesson written has no keys unknown");
    return 0;
}
