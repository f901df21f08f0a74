#include "plot/plot_window.h"

#include <cmath>

#include "field/arrangement_field.h"

void SetPlotWindow(CalcParams& p, const DrawingSurface& surface, const CoilArrangement& coils)
{
    p.zMin = -p.halfRange;
    p.zMax = static_cast<float>(p.halfRange);
    if (p.graphMode == kAxisGraph) {
        p.zStep = (p.zMax - p.zMin) / p.pointCount;
        p.yMax = 0.1f;  // the floor of the curve's height
        for (int i = 0; i <= p.pointCount; ++i) {
            const double z = p.zMin + i * p.zStep;
            const float h = std::fabs(AxialField(p, coils, z));
            if (h > p.yMax)
                p.yMax = h;
        }
        p.yMax = static_cast<float>(p.yMax * 1.1);  // ten per cent above the highest point
    } else {
        // the picture's aspect ratio: one metre is as many pixels up as across
        p.yMax = static_cast<float>(p.zMax * static_cast<double>(surface.height()) / surface.width());
    }
    p.yMin = -p.yMax;
}
