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

struct Utf8Row {
    const char* name;
    std::string utf8;
    std::u32string expected;  // as the compiler decodes the same text
};

class FontUtf8 : public testing::TestWithParam<Utf8Row> {};

TEST_P(FontUtf8, ReadsAsTheCompilerDoesAndReplacesBrokenBytes)
{
    EXPECT_EQ(Utf32FromUtf8(GetParam().utf8), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(, FontUtf8,
                         testing::Values(Utf8Row{"Russian", "B, мТл; ёЁ", U"B, мТл; ёЁ"},
                                         Utf8Row{"FourBytes", "a😀b", U"a😀b"},
                                         Utf8Row{"StrayContinuation", "a\x80z", U"a\ufffdz"},
                                         Utf8Row{"CutShort", "\xd0", U"\ufffd"},
                                         Utf8Row{"CutBeforeAscii", "\xe2\x80z", U"\ufffdz"},
                                         Utf8Row{"Overlong", std::string("\xc0\x80", 2), U"\ufffd"},
                                         Utf8Row{"Surrogate", "\xed\xa0\x80", U"\ufffd"},
                                         Utf8Row{"BeyondUnicode", "\xf4\x90\x80\x80", U"\ufffd"}),
                         [](const auto& info) { return std::string(info.param.name); });

// On the rasteriser the ink lies exactly where the mask, magnified, says, the paper around it,
// the rest white; the rectangle returned is the box of everything drawn.
TEST(FontDrawing, PixelsFollowTheMaskMagnifiedWithPaperAround)
{
    const std::u32string text = U"Ток 1,5 А";
    const PixelTextMask mask = PixelTextPixels(text);
    ASSERT_EQ(mask.width, 6 * static_cast<int>(text.size()) - 1);
    for (int scale : {1, 3})
        for (bool paper : {false, true}) {
            RasterSurface s(200, 40);
            const PixelTextStyle style{Rgb{0, 0, 255}, paper ? std::optional(Rgb{255, 255, 0}) : std::nullopt, scale};
            const PixelRect box = DrawPixelText(s, 7, 5, text, style);
            int left = s.width(), top = s.height(), right = -1, bottom = -1;
            for (int y = 0; y < s.height(); ++y)
                for (int x = 0; x < s.width(); ++x) {
                    const int col = (x - 7) / scale, row = (y - 5) / scale;  // font pixel, when x, y >= 7, 5
                    const bool ink = x >= 7 && y >= 5 && col < mask.width && row < mask.height && mask.at(col, row);
                    const bool onPaper =
                        paper && x >= 7 - scale && y >= 5 - scale && col <= mask.width && row <= mask.height;
                    const uint32_t expected = ink ? 0xff0000ff : onPaper ? 0xffffff00 : 0xffffffff;
                    ASSERT_EQ(s.pixel(x, y), expected) << x << "," << y << " scale " << scale;
                    if (expected != 0xffffffff) {
                        left = std::min(left, x), top = std::min(top, y), right = std::max(right, x);
                        bottom = y;
                    }
                }
            // the text's first and last columns and rows all have ink
            EXPECT_EQ(box, (PixelRect{left, top, right - left + 1, bottom - top + 1}));
            EXPECT_EQ(box, PixelTextRect(7, 5, text, style));
        }
}

}  // namespace
