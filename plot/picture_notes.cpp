#include "plot/picture_notes.h"

#include <algorithm>
#include <cstddef>

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

namespace {

// The text broken between words into rows of at most `most` characters, as
// many words to a row as fit; a longer word is a row by itself.
std::vector<std::u32string> RowsOfAtMost(const std::u32string& text, size_t most)
{
    std::vector<std::u32string> rows(1);
    for (size_t at = 0; at < text.size();) {
        const size_t space = std::min(text.find(U' ', at), text.size());
        const std::u32string word = text.substr(at, space - at);
        if (!rows.back().empty() && rows.back().size() + 1 + word.size() > most)
            rows.emplace_back();
        rows.back() += (rows.back().empty() ? U"" : U" ") + word;
        at = space + 1;
    }
    return rows;
}

// As few rows of at most `most` characters as the text can be broken into,
// as equal in length as they can be.
std::vector<std::u32string> NoteRows(const std::u32string& text, size_t most)
{
    const size_t fewest = RowsOfAtMost(text, most).size();
    for (size_t limit = (text.size() + fewest - 1) / fewest; limit < most; ++limit)
        if (RowsOfAtMost(text, limit).size() <= fewest)
            return RowsOfAtMost(text, limit);
    return RowsOfAtMost(text, most);
}

}  // namespace

int DrawPictureNote(DrawingSurface& surface, std::string_view utf8, int row, bool largeLabels)
{
    const LabelSize size{surface.pixelRatio(), largeLabels};
    const int f = size.font(), margin = 4 * size.pixels();
    const int rowHeight = (kGlyphHeight + 4) * f;  // the paper reaches a font pixel beyond the glyphs
    const std::u32string text = Utf32FromUtf8(utf8);
    const int room = std::max(0, surface.width() - 2 * margin) / (kGlyphAdvance * f);  // characters
    const std::vector<std::u32string> rows =
        !largeLabels || PixelTextWidth(text) * f <= surface.width() ? std::vector{text}
                                                                    : NoteRows(text, static_cast<size_t>(room));
    for (size_t k = 0; k < rows.size(); ++k) {
        const int x = std::max(margin, (surface.width() - PixelTextWidth(rows[k]) * f) / 2);
        DrawPixelText(surface, x, margin + (row + static_cast<int>(k)) * rowHeight, rows[k],
                      {.ink = Rgb{0, 0, 0}, .paper = Rgb{255, 255, 255}, .scale = f});
    }
    return static_cast<int>(rows.size());
}
