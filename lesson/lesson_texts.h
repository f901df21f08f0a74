#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lesson/lesson.h"
#include "measure/axis_comparison.h"
#include "texts/message.h"

// The texts that every view of a lesson shows the same way, with the decimal
// separator the view's reader uses.

// A parameter value as its label shows it: two decimals, or three for a
// value typed to the millimetre that needs them (0.021, but 0.20), or as many
// as a value typed finer needs to show it exactly (0.02524).
std::string ValueLabelText(double value, char decimal);

// A length in metres that may have been typed: three decimals, or as many as
// it needs to show exactly (0.350, 0.2005).
std::string MetresText(double metres, char decimal);

// A field value, a per cent or a current: four significant digits (1.8, 320).
std::string FieldValueText(double value, char decimal);

// What a shown run drew, as the descriptions and the measurements' line read it.
struct ShownRun {
    Lesson lesson;  // as it was when the run was made
    std::optional<AxisComparison> comparison{};
    std::vector<std::string> notes{};  // the picture's notes in words (plot/picture_notes.h)
};

// What the picture shows, in words, for a screen reader; "рисунок пуст"
// before the first run.
Message PictureDescription(const ShownRun* shown, char decimal);

// The line under the picture while measured values are open or being read
// (loadingName: the file being read, if any): the file being read, or the
// number of points and what is still wanted for a comparison, or the shown
// run's comparison when that run compared these values. Empty without values.
Message MeasurementLine(const Lesson& lesson, std::string_view loadingName, const ShownRun* shown, char decimal);

// The file and its units, for the measurements' line's tool tip; empty without values.
Message MeasurementFileLine(const Lesson& lesson);
