#include "plot/picture_notes.h"

#include <algorithm>

#include "field/uniform_region.h"
#include "plot/pixel_font.h"

std::vector<std::string> PictureNotes(const CalcParams& p, const RunAdditions& additions)
{
    if (FieldVanishes(additions.arrangement))
        return {std::string(kVanishingFieldNote)};
    if (additions.uniformPercent && !(CentreStrength(p, additions.arrangement) > 0))
        return {std::string(kNoUniformRegionNote)};
    return {};
}

void DrawPictureNote(DrawingSurface& surface, std::string_view utf8, int row)
{
    constexpr int kMargin = 4, kRowHeight = kGlyphHeight + 4;  // the paper reaches a pixel beyond the glyphs
    const int x = std::max(kMargin, (surface.width() - PixelTextWidth(Utf32FromUtf8(utf8))) / 2);
    DrawPixelText(surface, x, kMargin + row * kRowHeight, utf8, {.ink = Rgb{0, 0, 0}, .paper = Rgb{255, 255, 255}});
}
