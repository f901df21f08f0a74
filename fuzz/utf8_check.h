#pragma once
// What the fuzz targets hold the messages they see to.
#include <string_view>

// Well-formed UTF-8 by the byte ranges of the Unicode standard (table 3-7): no
// overlong form, no surrogate, nothing above U+10FFFF.
inline bool ValidUtf8(std::string_view s)
{
    const auto in = [](unsigned char c, int lo, int hi) { return c >= lo && c <= hi; };
    for (size_t i = 0; i < s.size();) {
        const auto b = [&](size_t k) { return i + k < s.size() ? static_cast<unsigned char>(s[i + k]) : 0; };
        const unsigned char c = b(0);
        size_t n = 0;
        if (c < 0x80)
            n = 1;
        else if (in(c, 0xC2, 0xDF) && in(b(1), 0x80, 0xBF))
            n = 2;
        else if ((c == 0xE0 ? in(b(1), 0xA0, 0xBF) : c == 0xED ? in(b(1), 0x80, 0x9F) : in(c, 0xE1, 0xEF) && in(b(1), 0x80, 0xBF)) &&
                 in(b(2), 0x80, 0xBF))
            n = 3;
        else if ((c == 0xF0 ? in(b(1), 0x90, 0xBF) : c == 0xF4 ? in(b(1), 0x80, 0x8F) : in(c, 0xF1, 0xF3) && in(b(1), 0x80, 0xBF)) &&
                 in(b(2), 0x80, 0xBF) && in(b(3), 0x80, 0xBF))
            n = 4;
        if (n == 0)
            return false;
        i += n;
    }
    return true;
}
