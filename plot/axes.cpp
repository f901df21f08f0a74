#include "plot/axes.h"

void SetPictureScale(CalcParams& p, const DrawingSurface& surface)
{
    const double W = surface.width();
    const double H = surface.height();
    p.scaleX = W / (p.zMax - p.zMin);
    p.scaleY = H / (static_cast<double>(p.yMax) - p.yMin);
}

void DrawAxes(CalcParams& p, DrawingSurface& surface)
{
    SetPictureScale(p, surface);

    const double axisRow = p.scaleY * p.yMax;  // v = 0
    surface.drawLine(0, static_cast<float>(axisRow), static_cast<float>(p.scaleX * (p.zMax - p.zMin)),
                     static_cast<float>(axisRow), kAxisColour);
    if (p.graphMode == kAxisGraph) {
        const float axisColumn = static_cast<float>(p.scaleX * (0 - p.zMin));  // z = 0
        surface.drawLine(axisColumn, 0, axisColumn, static_cast<float>(p.scaleY * (static_cast<double>(p.yMax) - p.yMin)),
                         kAxisColour);
    }
}
