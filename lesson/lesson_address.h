#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "lesson/lesson.h"
#include "texts/message.h"

// The web page's address: the query string that carries a lesson, so that a
// link opens the same run. Read leniently (a wrong value is named and the
// start value kept), written back after each run.
//   ?R=0.021&L=0.16&a=0.2&graph=axis&scales=1&turns=320&current=1.8&fit=1
//   ?graph=lines&lines=7&exact=1&arrows=1&map=1&pair=0.2&opposed=1&uniform=1
// The measured values go along while they are few: m= their z and B in metres
// and tesla, pair after pair, each the shortest text that reads back as the
// same number (m=0.01,0.0031,0.02,0.0035,...), mu= the units of their file
// (cm:mT), mf= its name.

// The most measured points a link carries; a lesson with more is written without them.
inline constexpr std::size_t kMostAddressPoints = 200;

struct LessonAddressReading {
    Lesson lesson;                   // the start values with every usable value the address gives
    std::vector<std::string> wrong;  // the names of the values it gives wrongly, in its order
    bool named = false;              // whether it names any of the lesson's values at all
};

// The lesson of a query string (with or without its leading '?'), every
// value read by the reader of the dialog or box that takes it.
LessonAddressReading LessonOfAddress(std::string_view query);

// The query string of the lesson, with its leading '?': its coil, region,
// graph and line count, the switches on that act on its run, the winding,
// the pair and the uniform region when on, and the measured values when at
// most kMostAddressPoints.
std::string AddressOfLesson(const Lesson& lesson);

// The notice of a reading's wrong values; empty when none were.
Message WrongAddressNotice(const std::vector<std::string>& wrong);

// The notice that the lesson's address leaves its measured values out; empty
// when it carries them or there are none.
Message AddressWithoutMeasurementsNotice(const Lesson& lesson);
