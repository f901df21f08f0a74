#pragma once

#include <optional>
#include <string>
#include <vector>

#include "params/calc_params.h"
#include "params/coil_arrangement.h"
#include "params/coil_current.h"
#include "plot/label_size.h"
#include "plot/pixel_font.h"
#include "surface/drawing_surface.h"
#include "texts/language.h"

// The scales of a run's picture: tick marks with their numbers along z and
// along the vertical quantity, and each scale's quantity and unit written
// once ("z, м", "z, см", "r, м", "H, n·I/2", "B, мТл"). Lengths are shown in
// metres, or in centimetres when the region's half-size is under 0.5 m; the
// axis graph's field in n*I/2, or, with the coil's turns and current, as
// B = mu0 * N/L * I/2 * Hz in mT. The picture's own scales stay as they are:
// only the numbers are converted.
//
// The axis graph: the z ticks hang under the z axis with their numbers below
// them (and below the drawn winding), in the empty lower half; the field's
// ticks stand on the left edge with their numbers beside them, above the z
// axis; the z unit at the right end of the z axis, the field's at the top
// left. The field lines: z along the bottom edge, r (signed, as the readout
// gives it) along the left edge. A tick on an edge stands on a line along
// it, so that it does not read as a minus sign. Ticks are 1, 2 or 5 times a power of ten
// apart, far enough for their numbers. Every number and unit lies inside the
// picture (clear of its last 4 columns and rows, which the window's frame
// covers) on a white box, apart from the others, off the axes, the axis
// curve (and so never over its maximum) and the map's colour scale; one that
// finds no such place is left out (a number of the axis graph's field is
// never moved off its tick, where it would seem to name another height; r's
// 0 moves above the z axis), and a scale whose unit finds none keeps its tick
// marks alone; a tick that would touch its unit is left out. The font grows by whole steps with the picture, one
// step per 651 x 320 logical pixels, times LabelSize::font(); the lines, gaps
// and the frame's cover are in logical pixels times LabelSize::pixels(), so
// that the scales lie alike at every pixel ratio.

enum class ScaleAxis { Horizontal, Vertical };

// A tick mark: a line in picture coordinates at the value it marks (in the
// unit shown).
struct ScaleMark {
    ScaleAxis axis = ScaleAxis::Horizontal;
    double value = 0;
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

// A number or a unit, written with its glyphs' top-left corner at (x, y);
// box is its white box.
struct ScaleLabel {
    ScaleAxis axis = ScaleAxis::Horizontal;
    bool unit = false;  // the quantity and unit, not a number
    double value = 0;   // a number's tick value
    std::string text;
    int x = 0;
    int y = 0;
    PixelRect box;
};

struct PictureScales {
    PixelTextStyle style;  // ink, white box and magnification of every text
    double tickStep[2] = {0, 0};  // horizontal, vertical; 0 where there are no ticks
    std::vector<ScaleMark> edges;  // the lines along the picture's edges that ticks stand on (value 0)
    std::vector<ScaleMark> marks;
    std::vector<ScaleLabel> labels;  // the units first
};

// The scales for the run that left the record p (its plot window and scales)
// on a picture of width x height pixels; avoidLegend: the map's colour scale
// will lie over its corner (plot/map_legend.h); curveFactor: the axis graph's
// curve is drawn as that many times Hz (a fitted comparison). The curve, which
// the texts keep off, is that of the coils. width and height are the
// surface's device pixels, size its pixel ratio and the labels' size; the
// units are written in the language.
PictureScales PictureScalesOf(const CalcParams& p, int width, int height, const std::optional<CoilCurrent>& coil,
                              bool avoidLegend, double curveFactor = 1, const CoilArrangement& coils = SingleCoil(),
                              LabelSize size = {}, const Language& language = {});

// Draws the edge lines and tick marks as lines and the texts in the pixel font, in the axes'
// colour.
void DrawPictureScales(const PictureScales& scales, DrawingSurface& surface);
