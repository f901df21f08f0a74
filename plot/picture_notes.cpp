#include "plot/picture_notes.h"

#include <algorithm>

#include "field/uniform_region.h"
#include "plot/label_size.h"
#include "plot/pixel_font.h"

std::vector<std::string> PictureNotes(const CalcParams& p, const RunAdditions& additions)
{
    if (FieldVanishes(additions.arrangement))
        return {std::string(kVanishingFieldNote)};
    if (additions.uniformPercent && !(CentreStrength(p, additions.arrangement) > 0))
        return {std::string(kNoUniformRegionNote)};
    return {};
}

void DrawPictureNote(DrawingSurface& surface, std::string_view utf8, int row, bool largeLabels)
{
    const LabelSize size{surface.pixelRatio(), largeLabels};
    const int f = size.font(), margin = 4 * size.pixels();
    const int rowHeight = (kGlyphHeight + 4) * f;  // the paper reaches a font pixel beyond the glyphs
    const int x = std::max(margin, (surface.width() - PixelTextWidth(Utf32FromUtf8(utf8)) * f) / 2);
    DrawPixelText(surface, x, margin + row * rowHeight, utf8,
                  {.ink = Rgb{0, 0, 0}, .paper = Rgb{255, 255, 255}, .scale = f});
}
