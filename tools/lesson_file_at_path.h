#pragma once

#include <cstddef>
#include <string>

#include "lesson/lesson_file.h"

// The largest file taken for a lesson: its measured values take about 50
// bytes a point, so a million of them fit many times over.
inline constexpr std::size_t kMostLessonFileBytes = std::size_t{64} << 20;

// Reads the lesson file at path (the name's bytes as the system has them) as
// ReadLessonFile does, named by the file's name. Only a plain file is read:
// a folder, a pipe or a device is refused without waiting for it, and so is
// a file that cannot be opened or read or is larger than kMostLessonFileBytes.
LessonReading ReadLessonFileAt(const std::string& path);
