#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "surface/drawing_surface.h"

// The program's own pixel font, for the texts drawn into pictures (the
// values of the colour scale, the numbers of the scales, notes): glyphs of
// 5 x 7 pixels on an advance of 6, one blank column between characters. It
// has the digits, the Latin and the whole Russian alphabet in both cases (Ё
// and ё included), the space and the signs of numbers, units and sentences:
// . , : ; ! ? ( ) [ ] % = < > * " ' _ | + - / · × ° « » – — − … ² μ №.
// Capitals and digits fill the 7 rows; small letters have their bodies in
// the lower 5 rows, their tails (g, p, q, y, д, р, у, ф, ц, щ) squeezed into
// the lowest. A character without a glyph is left blank. A text is one line.
// Texts are drawn as filled rectangles of the surface, so that the
// rasteriser, the SVG and the PDF show the same pixels.

inline constexpr int kGlyphWidth = 5;
inline constexpr int kGlyphHeight = 7;
inline constexpr int kGlyphAdvance = kGlyphWidth + 1;

// A rectangle of pixels; empty when w or h is 0.
struct PixelRect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// The rows of a character's glyph from the top, bit 4 (0x10) the leftmost
// pixel; nothing when the font has no glyph for it.
std::optional<std::array<uint8_t, kGlyphHeight>> PixelGlyph(char32_t c);

// The characters of a UTF-8 text; a byte that does not begin a well-formed
// sequence reads as U+FFFD (which has no glyph).
std::u32string Utf32FromUtf8(std::string_view text);

// The width of a text in font pixels: 6 per character less the blank column
// after the last; 0 for an empty text.
int PixelTextWidth(std::u32string_view text);

// The text's pixels, PixelTextWidth x kGlyphHeight (0 x 0 when empty).
struct PixelTextMask {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> lit;  // row by row from the top, 1 where the text is drawn
    bool at(int x, int y) const { return lit[static_cast<size_t>(y) * width + x] != 0; }
};
PixelTextMask PixelTextPixels(std::u32string_view text);

// How DrawPixelText writes.
struct PixelTextStyle {
    Rgb ink{0, 0, 0};
    std::optional<Rgb> paper;  // a box of this colour under the text, one font pixel wider on every side
    int scale = 1;             // picture pixels per font pixel along each side, 1 to 64 (kept within)
};

// Where a text written with its top-left corner at the pixel (x, y) lies:
// its paper box, or without paper the box of its glyphs; empty for an empty
// text.
PixelRect PixelTextRect(int x, int y, std::u32string_view text, const PixelTextStyle& style = {});

// Writes a one-line text with the top-left corner of its first glyph at the
// pixel (x, y): the paper box first if asked for, then every run of lit font
// pixels in a row as one filled rectangle in the ink. Returns PixelTextRect.
// A note is one call:
//   DrawPixelText(surface, 4, 4, "две катушки", {.paper = Rgb{255, 255, 255}});
PixelRect DrawPixelText(DrawingSurface& surface, int x, int y, std::u32string_view text, const PixelTextStyle& style = {});
PixelRect DrawPixelText(DrawingSurface& surface, int x, int y, std::string_view utf8, const PixelTextStyle& style = {});
