#pragma once

#include <vector>

#include "field/exact_field_line.h"
#include "field/field_lines.h"
#include "params/calc_params.h"
#include "params/coil_arrangement.h"
#include "surface/drawing_surface.h"

// Arrowheads that show which way the field points along the drawn field
// lines, with the current's sense of the program (Hz > 0 inside the coil).
// A line is computed in one quarter (z >= 0, r >= 0) and drawn in four; its
// arrowheads stand at the same places of the four copies, but each points
// along H at its own place: mirrored about the mid-plane the field does not
// turn round with the line (Hz is even in z, Hr odd), so an arrowhead is
// never a mirror image of another.

// Logical pixels of a drawn line between two arrowheads. The first line's first
// arrowhead stands half of it from the line's start; each further line's
// marks are shifted on by the golden fraction of it (0.618...), so that
// parallel lines (inside the coil) do not put their arrowheads in one column.
inline constexpr double kArrowSpacing = 80;

// One filled arrowhead in the colour at (z, r) of the meridian plane (either
// sign of z and r, metres), pointing along the exact field there: its tip
// 5 logical pixels ahead of the point, its base 4 behind, 7 wide.
// Nothing where the field has no direction. p holds the run's window and
// scales; the field is that of the coils.
void DrawArrowhead(const CalcParams& p, double z, double r, Rgb colour, DrawingSurface& surface,
                   const CoilArrangement& coils = SingleCoil());

// Follows one quarter's line as it grows and puts an arrowhead into all four
// quarters wherever its drawn length reaches the next mark. For coils that
// are not mirror-symmetric (MirrorParity 0) a line of the half-plane r >= 0
// instead, and its mirror image about the axis.
class LineArrows {
public:
    LineArrows(const CalcParams& p, DrawingSurface& surface, Rgb colour, const CoilArrangement& coils = SingleCoil())
        : p_(p), surface_(surface), colour_(colour), coils_(coils)
    {
    }

    // A new line starts.
    void start();
    // The line runs on straight from (z0, r0) to (z1, r1).
    void along(double z0, double r0, double z1, double r1);

private:
    // kArrowSpacing in the surface's pixels.
    double spacing() const { return kArrowSpacing * surface_.pixelRatio(); }

    const CalcParams& p_;
    DrawingSurface& surface_;
    Rgb colour_;
    const CoilArrangement& coils_;
    int lines_ = 0;          // lines started so far
    double untilNext_ = 0;   // pixels of line to the next arrowhead
};

// Hands every traced step on to the drawing sink and adds arrowheads in the traced lines' colour.
class ArrowedLines final : public FieldLineSink {
public:
    ArrowedLines(const CalcParams& p, DrawingSurface& surface, FieldLineSink& drawing)
        : drawing_(drawing), arrows_(p, surface, kGraphColour)
    {
    }

    void beginLine(double z, double r) override;
    void step(const FieldLineStep& s) override;

private:
    FieldLineSink& drawing_;
    LineArrows arrows_;
};

// The arrowheads along polylines of one quarter (as ExactFieldLine gives them),
// or of the half-plane for coils that are not mirror-symmetric.
void DrawLineArrows(const CalcParams& p, const std::vector<std::vector<MeridianPoint>>& lines, Rgb colour,
                    DrawingSurface& surface, const CoilArrangement& coils = SingleCoil());
