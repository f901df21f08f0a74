#include "field/complete_elliptic.h"

double Cel(double kc, double p, double c, double s)
{
    return CelEachModulus<1, 1>({kc}, {{{{{p, c, s}}}}})[0][0];
}
