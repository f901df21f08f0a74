#pragma once

#include <functional>
#include <string>
#include <vector>

// The tick values of one scale of a picture and how their numbers are
// written, in the unit the scale shows (metres, centimetres, n*I/2, mT).

// The ticks of a scale: the whole multiples of a step 1, 2 or 5 times a power
// of ten that lie within the scale's range.
struct ScaleTicks {
    double step = 0;
    std::vector<double> values;  // ascending, each k * step with k whole (0 exactly 0)
};

// The smallest of 1, 2 and 5 times a power of ten that is at least `least`;
// `least` must be positive and finite (and at least 1e-300).
double NiceStep(double least);

// The multiples of the step within [lowest, highest], ends included; none
// when the range holds more than 10,000 of them or is not finite.
std::vector<double> TickValues(double lowest, double highest, double step);

// The ticks of the range [lowest, highest] drawn at pixelsPerUnit, with the
// smallest nice step whose neighbouring ticks lie at least spacing(ticks)
// pixels apart, where spacing sees the ticks of the step it is asked about
// (their numbers' widths, say). No ticks when the range or the scale is not
// positive and finite, or no step up to the whole range is wide enough.
ScaleTicks ChooseTicks(double lowest, double highest, double pixelsPerUnit,
                       const std::function<double(const ScaleTicks&)>& spacing);

// A tick's number as a scale writes it, with a point: as many decimals as the
// step needs ("0.25", "-1.5", "20"; 0 as "0"), or, for a step of 10^6 or
// more or below 10^-4, a mantissa with the decimals it needs and an exponent
// without '+' or leading zeros ("2.5e7", "1e-5").
std::string TickText(double value, double step);
