// The pixel font: every letter of the alphabets it promises, told apart from the others of its
// alphabet; UTF-8 read as the compiler reads it; text drawn on the rasteriser as its mask says.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "plot/pixel_font.h"
#include "raster/raster_surface.h"

namespace {

struct Alphabet {
    const char* name;
    std::u32string letters;
};

class FontAlphabet : public testing::TestWithParam<Alphabet> {};

// A glyph for every letter, within 5 columns and not blank, and no two letters of one alphabet alike
// (a copied row would make two letters the same).
TEST_P(FontAlphabet, HasADistinctGlyphForEveryLetter)
{
    std::set<std::array<uint8_t, kGlyphHeight>> seen;
    for (char32_t c : GetParam().letters) {
        const auto glyph = PixelGlyph(c);
        ASSERT_TRUE(glyph) << "U+" << std::hex << static_cast<uint32_t>(c);
        bool lit = false;
        for (uint8_t row : *glyph) {
            EXPECT_EQ(row & ~0x1f, 0) << "U+" << std::hex << static_cast<uint32_t>(c);
            lit = lit || row != 0;
        }
        EXPECT_TRUE(lit && seen.insert(*glyph).second) << "U+" << std::hex << static_cast<uint32_t>(c);
    }
}

INSTANTIATE_TEST_SUITE_P(, FontAlphabet,
                         testing::Values(Alphabet{"Digits", U"0123456789"},
                                         Alphabet{"Latin", U"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"},
                                         Alphabet{"Russian", U"АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ"
                                                             U"абвгдеёжзийклмнопрстуфхцчшщъыьэюя"},
                                         Alphabet{"Signs", U".,:;!?()[]%=<>*\"'_|+-/·×°«»…²μ№"}),
                         [](const auto& info) { return std::string(info.param.name); });

// Broken bytes read as U+FFFD, one for each broken sequence; the rest as the compiler reads the same text.
TEST(FontUtf8, ReadsAsTheCompilerDoesAndReplacesBrokenBytes)
{
    EXPECT_EQ(Utf32FromUtf8("B, мТл; ёЁ 😀"), U"B, мТл; ёЁ 😀");
    EXPECT_EQ(Utf32FromUtf8("a\x80z\xe2\x80z"), U"a\ufffdz\ufffdz");  // a stray continuation, a sequence cut short
    for (const std::string& broken : {std::string("\xc0\x80", 2), std::string("\xed\xa0\x80"), std::string("\xf4\x90\x80\x80")})
        EXPECT_EQ(Utf32FromUtf8(broken), U"\ufffd");  // overlong, a surrogate, beyond Unicode
}

// On the rasteriser the ink lies exactly where the mask, magnified, says, the paper around it,
// the rest white; the rectangle returned is the box of everything drawn.
TEST(FontDrawing, PixelsFollowTheMaskMagnifiedWithPaperAround)
{
    const std::u32string text = U"Ток 1,5 А";  // ink in its first and last rows and columns
    const PixelTextMask mask = PixelTextPixels(text);
    ASSERT_EQ(mask.width, 6 * static_cast<int>(text.size()) - 1);
    for (const auto& [scale, paper] : {std::pair{1, false}, {3, true}}) {
        RasterSurface s(200, 40);
        const PixelTextStyle style{Rgb{0, 0, 255}, paper ? std::optional(Rgb{255, 255, 0}) : std::nullopt, scale};
        const PixelRect box = DrawPixelText(s, 7, 5, text, style);
        const int margin = paper ? scale : 0;
        EXPECT_EQ(box, (PixelRect{7 - margin, 5 - margin, mask.width * scale + 2 * margin, 7 * scale + 2 * margin}));
        EXPECT_EQ(box, PixelTextRect(7, 5, text, style));
        for (int y = 0; y < s.height(); ++y)
            for (int x = 0; x < s.width(); ++x) {
                const bool inBox = x >= box.x && x < box.x + box.w && y >= box.y && y < box.y + box.h;
                const int col = (x - 7) / scale, row = (y - 5) / scale;
                const bool ink = x >= 7 && y >= 5 && col < mask.width && row < mask.height && mask.at(col, row);
                ASSERT_EQ(s.pixel(x, y), ink ? 0xff0000ffu : inBox && paper ? 0xffffff00u : 0xffffffffu) << x << "," << y;
            }
    }
}

}  // namespace
