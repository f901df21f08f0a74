#include "plot/scale_ticks.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// The decimal exponent e of a step m * 10^e, m being 1, 2 or 5.
int StepExponent(double step)
{
    return static_cast<int>(std::floor(std::log10(step) + 1e-9));
}

std::string Printed(const char* format, int decimals, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, format, decimals, value);
    return text;
}

}  // namespace

double NiceStep(double least)
{
    const double power = std::pow(10.0, std::floor(std::log10(least)));
    for (double m : {1.0, 2.0, 5.0})
        if (m * power >= least * (1 - 1e-12))
            return m * power;
    return 10 * power;
}

std::vector<double> TickValues(double lowest, double highest, double step)
{
    std::vector<double> values;
    if (!(std::isfinite(lowest) && std::isfinite(highest) && step > 0 && std::isfinite(step)))
        return values;
    const double first = std::ceil(lowest / step - 1e-9), last = std::floor(highest / step + 1e-9);
    if (!(last - first <= 10'000))
        return values;
    for (double k = first; k <= last; ++k)
        values.push_back(k == 0 ? 0.0 : k * step);
    return values;
}

ScaleTicks ChooseTicks(double lowest, double highest, double pixelsPerUnit,
                       const std::function<double(const ScaleTicks&)>& spacing)
{
    const double range = highest - lowest;
    if (!(range > 1e-290 && range < 1e290 && pixelsPerUnit > 0 && std::isfinite(pixelsPerUnit)))
        return {};
    // from a step of one pixel (but no more than 10,000 ticks) to the whole range
    double step = NiceStep(std::max(1 / pixelsPerUnit, range / 10'000));
    for (; step <= range * (1 + 1e-12); step = NiceStep(step * 1.5)) {
        ScaleTicks ticks{step, TickValues(lowest, highest, step)};
        if (step * pixelsPerUnit >= spacing(ticks))
            return ticks;
    }
    return {};
}

std::string TickText(double value, double step)
{
    if (value == 0)
        return "0";
    const int e = StepExponent(step);
    if (e > -5 && e < 6)
        return Printed("%.*f", std::max(0, -e), value);
    // m.mmm e E: the mantissa keeps the digits down to the step's
    const int E = static_cast<int>(std::floor(std::log10(std::fabs(value)) + 1e-9));
    const double mantissa = value / std::pow(10.0, E);
    return Printed("%.*f", std::max(0, E - e), mantissa) + "e" + std::to_string(E);
}
