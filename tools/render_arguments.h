#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "export/render_options.h"
#include "lesson/lesson.h"
#include "lesson/lesson_file.h"
#include "tools/lesson_file_at_path.h"

struct ParsedArguments {
    enum class Action { Render, ShowHelp, Refuse };
    Action action = Action::Refuse;
    RenderOptions options;  // for Render
    // For Render: the choices the options make, as a lesson file keeps them,
    // and whether that file is what is written (--output NAME.zoreks).
    Lesson lesson;
    bool writesLesson = false;
    Language language{};  // of the messages and the picture's words
    Message notice;  // for Render: the keys of the lesson file that were ignored, one line; empty when none
    Message error;   // for Refuse: one line, without a line feed
};

// Reads the lesson file that --lesson names.
using LessonFileReader = std::function<LessonReading(const std::string& path)>;

// Reads the tool's command line, without the program's name. Options come as
// "--name value" or "--name=value", each at most once. A lesson file
// (--lesson) is where the options start from, whatever its place; the other
// options change what they name in it. Nothing here checks whether the
// calculation itself accepts the values. The messages and the picture's
// words are in the language --lang names, else in `otherwise` (the locale's).
ParsedArguments ParseRenderArguments(const std::vector<std::string>& args,
                                     const LessonFileReader& readLesson = ReadLessonFileAt,
                                     const Language& otherwise = {});

// The text of --help.
extern const std::string_view kRenderHelp;
