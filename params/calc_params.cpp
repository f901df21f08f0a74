#include "params/calc_params.h"

void SetDefaults(CalcParams& p)
{
    p.yMin = 0;
    p.yMax = 1;
    p.scrollScale = 10;
    p.radius = 0.2;
    p.length = 1;
    p.halfRange = 2;
    p.piValue = 3.1415926;
    p.twoPi = 2 * p.piValue;
    p.angleStep = p.twoPi / 500;  // 500 angular steps make one turn
    p.pointCount = 100;
    p.lineCount = 7;
    // graphMode is left alone: the graph list sets it when it takes its start state.
}

CalcParams StartValues(int16_t graphMode)
{
    CalcParams p;
    SetDefaults(p);
    p.graphMode = graphMode;
    return p;
}

void CopyRunFrame(CalcParams& to, const CalcParams& drawn)
{
    to.zMin = drawn.zMin;
    to.zMax = drawn.zMax;
    to.yMin = drawn.yMin;
    to.yMax = drawn.yMax;
    to.zStep = drawn.zStep;
    to.scaleX = drawn.scaleX;
    to.scaleY = drawn.scaleY;
}
