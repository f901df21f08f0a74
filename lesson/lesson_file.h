#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lesson/lesson.h"
#include "texts/message.h"

// The lesson file (.zoreks): JSON that names its format and version and holds
// every choice of the lesson and the measured values, numbers written so that
// they read back exactly. docs/lesson-file.md describes it.

inline constexpr std::string_view kLessonFormat = "zoreks-lesson";
inline constexpr int kLessonVersion = 1;
inline constexpr std::string_view kLessonExtension = ".zoreks";

// The lesson file's text.
std::string LessonFileText(const Lesson& lesson);

// A lesson file read: the lesson, or why the file is refused (one
// sentence, the lesson then none); and the keys the file has that this
// version does not know, which are ignored.
struct LessonReading {
    std::optional<Lesson> lesson;
    Message refusal;
    std::vector<std::string> unknownKeys;  // as paths: "view.glow"
};
LessonReading ReadLessonFile(std::string_view bytes, const std::string& fileName);

// The notice of the keys ignored, one sentence; empty when none were.
Message UnknownKeysNotice(const std::vector<std::string>& keys);

// Whether the file's first bytes say it is a lesson (a JSON object naming the
// lesson format), so that «Открыть…» reads it as one and anything else as a
// table of measured values.
bool LooksLikeLessonFile(std::string_view bytes);
