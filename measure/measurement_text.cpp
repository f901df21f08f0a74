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

// The byte order of UTF-16 without a byte order mark, told by where its zero
// bytes fall: a table of numbers is mostly ASCII, whose code units have a
// zero high byte, and text has no zero bytes otherwise. Little-endian puts
// the high byte second (odd offsets), big-endian first; zero bytes on both
// sides alike are binary data, not UTF-16.
enum class BareUtf16 { No, LittleEndian, BigEndian };

BareUtf16 BareUtf16Order(std::string_view bytes)
{
    if (bytes.find('\0') == std::string_view::npos)
        return BareUtf16::No;
    size_t zeroFirst = 0, zeroSecond = 0;  // zero bytes first and second in a unit
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        zeroFirst += bytes[i] == '\0';
        zeroSecond += bytes[i + 1] == '\0';
    }
    // ASCII in a quarter of the units at least; a character or two with a zero
    // low byte (U+0400 and the like) may stand among the text.
    const size_t units = bytes.size() / 2;
    constexpr size_t kFewOnTheOtherSide = 16;
    const auto mostlyAscii = [&](size_t zeroHigh, size_t zeroLow) {
        return zeroHigh > 0 && 4 * zeroHigh >= units && zeroLow * kFewOnTheOtherSide <= zeroHigh;
    };
    if (mostlyAscii(zeroSecond, zeroFirst))
        return BareUtf16::LittleEndian;
    if (mostlyAscii(zeroFirst, zeroSecond))
        return BareUtf16::BigEndian;
    return BareUtf16::No;
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
    if (littleMark || bigMark) {
        convertUtf16(bytes.substr(2), bigMark, out.converted);
    } else if (const BareUtf16 order = BareUtf16Order(bytes); order != BareUtf16::No) {
        convertUtf16(bytes, order == BareUtf16::BigEndian, out.converted);
    } else {
        out.text = bytes;
        return;
    }
    out.text = out.converted;
}

std::string MeasurementFileHead(std::string_view bytes)
{
    DecodedText decoded;
    DecodeMeasurementText(bytes.substr(0, kFileHeadBytes), decoded);
    std::string head;
    std::size_t lines = 1;
    for (std::size_t i = 0; i < decoded.text.size(); ++i) {
        const char c = decoded.text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < decoded.text.size() && decoded.text[i + 1] == '\n')
                ++i;
            if (++lines > kFileHeadLines)
                break;
            head += '\n';
        } else if (c == '\t') {
            head += "    ";
        } else {
            head += c;
        }
    }
    return head;
}
