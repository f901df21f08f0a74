#include "field/exact_field_line.h"

#include <cmath>

#include "field/exact_field.h"
#include "field/field_line_tracer.h"
#include "field/level_follower.h"
#include "field/run_stop.h"

std::vector<MeridianPoint> ExactFieldLine(const CalcParams& p, double z0, double r0, double zMax, double rMax,
                                          double pixel)
{
    std::vector<MeridianPoint> line;
    for (double v : {z0, r0, zMax, rMax, pixel, p.radius, p.length})
        if (!std::isfinite(v))
            return line;
    if (!(pixel > 0))
        return line;
    line.push_back({z0, r0});
    if (!(p.radius > 0 && p.length > 0 && r0 > 0 && z0 >= 0 && z0 <= zMax && r0 <= rMax))
        return line;

    const double psi0 = FluxFunction(p, z0, r0);
    if (!(psi0 != 0) || !std::isfinite(psi0))
        return line;
    const LevelFollower follow(p, SingleCoil(), psi0, pixel);
    FollowLevel(follow, follow.at(z0, r0), LevelWindow{0, zMax, rMax}, false, line);
    return line;
}

std::vector<std::vector<MeridianPoint>> ExactFieldLines(const CalcParams& p, const std::stop_token& stop)
{
    std::vector<std::vector<MeridianPoint>> lines;
    FieldLineSeeds seeds(p);
    double z0, r0;
    while (seeds.next(z0, r0)) {
        StopIfRequested(stop);
        lines.push_back(ExactFieldLine(p, z0, r0, p.zMax, p.yMax, 1 / p.scaleX));
    }
    return lines;
}
