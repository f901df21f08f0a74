#include "field/field_slope.h"

#include "field/angular_sum.h"

float FieldSlope(const CalcParams& p, double z, double r)
{
    // The program's angles never change: they are prepared on the first call.
    static const AngularSum programAngles(StartValues(kAxisGraph));
    if (programAngles.isFor(p))
        return programAngles.slope(p.radius, p.length, z, r);
    return AngularSum(p).slope(p.radius, p.length, z, r);
}
