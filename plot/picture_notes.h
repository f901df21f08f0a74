#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "params/calc_params.h"
#include "plot/calculation_run.h"
#include "surface/drawing_surface.h"

// Notes in words that a picture carries where it cannot show what was asked
// for: one line each, in Russian; the picture writes them in its language.
inline constexpr std::string_view kVanishingFieldNote =
    "Катушки совпадают и включены встречно: поле равно нулю всюду.";
inline constexpr std::string_view kNoUniformRegionNote = "В центре поле равно нулю: однородной области нет.";

// The notes of a run with these additions: a field that vanishes everywhere,
// or a uniform region asked for where the field at the centre is zero.
std::vector<std::string> PictureNotes(const CalcParams& p, const RunAdditions& additions);

// Writes one note (UTF-8) into the picture in the pixel font
// (plot/pixel_font.h), black on a white box, centred across the top, clear
// of the scales' units and the map's colour scale in the corners: rows 11
// font pixels apart, the first 4 logical pixels from the top; the font at
// LabelSize::font() of the surface's pixel ratio and the labels' size. A
// note wider than the picture starts at its left; with large labels it is
// instead broken between words into as few rows of about equal length as fit
// within the margins, each centred (a word wider than that starts at the
// left). Returns the rows written, so that the next note starts below them.
int DrawPictureNote(DrawingSurface& surface, std::string_view utf8, int row, bool largeLabels = false);
