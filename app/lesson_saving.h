#pragma once

#include <QString>

#include <optional>

#include "lesson/lesson.h"

class QWidget;

// Writes the lesson file to path: an existing file is only ever replaced by
// a complete new one. Nothing when written, else the reason as one sentence
// in the shown language.
std::optional<QString> WriteLessonFile(const Lesson& lesson, const QString& path);

// Asks for a file with the save dialog (lesson files, *.zoreks; a name
// without the extension gets it) and writes the lesson there; a failure is
// shown in a message box. The path written, or nothing when cancelled or failed.
std::optional<QString> SaveLessonFileAs(QWidget* parent, const Lesson& lesson);
