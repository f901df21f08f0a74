#include "field/equal_flux_lines.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "field/arrangement_field.h"
#include "field/exact_field.h"
#include "field/run_stop.h"

std::vector<double> EqualFluxLevels(const CalcParams& p)
{
    return EqualFluxLevels(p, SingleCoil());
}

std::vector<double> EqualFluxLevels(const CalcParams& p, const CoilArrangement& coils)
{
    std::vector<double> levels;
    if (!(p.radius > 0 && p.length > 0) || !(p.lineCount >= 1) || !std::isfinite(p.lineCount) || coils.coils.empty())
        return levels;
    const double n = std::floor(p.lineCount);  // as many lines as the run seeds
    const PlacedCoil& first = coils.coils.front();
    const double whole = FluxFunction(p, coils, first.offset, p.radius);  // the flux through its middle section
    const bool bothSigns = std::any_of(coils.coils.begin(), coils.coils.end(),
                                       [&](const PlacedCoil& c) { return c.current * first.current < 0; });
    for (double k = n; k >= 1; k -= 1) {
        levels.push_back((k - 0.5) / n * whole);
        if (bothSigns)
            levels.push_back(-levels.back());
    }
    return levels;
}

double MidPlaneRadiusOfFlux(const CalcParams& p, double level)
{
    double lo = 0, hi = p.radius;
    if (!(level > 0 && level < FluxFunction(p, 0, hi)))
        return std::numeric_limits<double>::quiet_NaN();
    for (;;) {
        const double mid = (lo + hi) / 2;
        if (!(mid > lo && mid < hi))
            return mid;
        (FluxFunction(p, 0, mid) < level ? lo : hi) = mid;
    }
}

std::vector<std::vector<MeridianPoint>> EqualFluxLines(const CalcParams& p, const std::stop_token& stop)
{
    std::vector<std::vector<MeridianPoint>> lines;
    for (const double level : EqualFluxLevels(p)) {
        StopIfRequested(stop);
        const double r0 = MidPlaneRadiusOfFlux(p, level);
        if (std::isfinite(r0))
            lines.push_back(ExactFieldLine(p, 0, r0, p.zMax, p.yMax, 1 / p.scaleX));
    }
    return lines;
}
