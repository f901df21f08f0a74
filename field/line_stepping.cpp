#include "field/line_stepping.h"

LineStepping::LineStepping(const CalcParams& p)
    : R(p.radius), L(p.length), h(p.length / 600), zMax(p.zMax), yMax(p.yMax)
{
    const double span = (L / 2 + std::fabs(zMax) + std::fabs(yMax)) / h;
    maxSteps = static_cast<long long>(std::fmin(4 * span + 1000, kMostSteps));
    if (needsStepsAlongTheLine())
        along = (std::fabs(zMax) + std::fabs(yMax)) / 8192;
}
