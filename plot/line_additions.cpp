#include "plot/line_additions.h"

#include <vector>

#include "field/equal_flux_lines.h"
#include "field/exact_field_line.h"
#include "field/flux_contours.h"
#include "plot/exact_lines_drawing.h"
#include "plot/field_lines_drawing.h"
#include "plot/line_arrows.h"

size_t TraceArrowedFieldLines(const CalcParams& p, DrawingSurface& surface, const RunControl& control)
{
    MirroredDrawing drawing(p, surface);
    ArrowedLines arrowed(p, surface, drawing);
    return FollowFieldLines(p, arrowed, control);
}

void DrawLineAdditions(const CalcParams& p, const RunAdditions& additions, DrawingSurface& surface,
                       const std::stop_token& stop)
{
    if (additions.exact != ExactLines::None) {
        const std::vector<std::vector<MeridianPoint>> exactLines =
            additions.exact == ExactLines::EqualFlux ? EqualFluxLines(p, stop) : ExactFieldLines(p, stop);
        DrawExactFieldLines(p, exactLines, surface, additions.fieldMap);
        if (additions.arrows)
            DrawLineArrows(p, exactLines, kExactLineColour, surface);
    }
}

void DrawArrangementLines(const CalcParams& p, const RunAdditions& additions, DrawingSurface& surface,
                          const std::stop_token& stop)
{
    const std::vector<std::vector<MeridianPoint>> lines = EqualFluxContours(p, additions.arrangement, stop);
    DrawCoilLines(p, additions.arrangement, lines, kGraphColour, surface, additions.fieldMap);
    if (additions.arrows)
        DrawLineArrows(p, lines, kGraphColour, surface, additions.arrangement);
}
