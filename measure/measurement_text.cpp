#include "measure/measurement_text.h"

namespace {

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// UTF-16 code units, two bytes each, in the given byte order, as UTF-8.
void convertUtf16(std::string_view bytes, bool bigEndian, std::string& out)
{
    constexpr char32_t kReplacement = 0xFFFD;
    const auto unit = [&](size_t i) {
        const auto first = static_cast<unsigned char>(bytes[i]), second = static_cast<unsigned char>(bytes[i + 1]);
        return static_cast<char32_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
    };
    out.reserve(bytes.size() / 2 + bytes.size() / 8);
    size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2) {
        const char32_t u = unit(i);
        if (u < 0xD800 || u > 0xDFFF) {
            appendUtf8(out, u);
        } else if (u <= 0xDBFF && i + 3 < bytes.size() && unit(i + 2) >= 0xDC00 && unit(i + 2) <= 0xDFFF) {
            appendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (unit(i + 2) - 0xDC00));  // a surrogate pair
            i += 2;
        } else {
            appendUtf8(out, kReplacement);
        }
    }
    if (i < bytes.size())
        appendUtf8(out, kReplacement);  // half a unit at the end
}

}  // namespace

void DecodeMeasurementText(std::string_view bytes, DecodedText& out)
{
    out.converted.clear();
    const auto at = [&](size_t i) { return i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0x100u; };
    if (at(0) == 0xEF && at(1) == 0xBB && at(2) == 0xBF) {
        out.text = bytes.substr(3);
        return;
    }
    const bool littleMark = at(0) == 0xFF && at(1) == 0xFE, bigMark = at(0) == 0xFE && at(1) == 0xFF;
    const bool littleBare = bytes.size() >= 2 && at(0) != 0 && at(0) < 0x80 && at(1) == 0;
    const bool bigBare = bytes.size() >= 2 && at(0) == 0 && at(1) != 0 && at(1) < 0x80;
    if (littleMark || bigMark)
        convertUtf16(bytes.substr(2), bigMark, out.converted);
    else if (littleBare || bigBare)
        convertUtf16(bytes, bigBare, out.converted);
    else {
        out.text = bytes;
        return;
    }
    out.text = out.converted;
}
