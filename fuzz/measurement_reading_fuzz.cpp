// libFuzzer target: reading a table of measured values from any bytes. Beyond "no crash": either at least
// three finite points and no refusal, or no points and a refusal in one line of UTF-8 that names the line
// where reading stopped; other units divide the very same numbers; the same text as UTF-16 with a byte order
// mark reads the same.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "measure/measurement_reading.h"
#include "utf8_check.h"

namespace {

void Require(bool ok, const char* what)
{
    if (!ok)
        std::fprintf(stderr, "property violated: %s\n", what), std::abort();
}

bool SameReading(const MeasurementReading& a, const MeasurementReading& b)
{
    if (a.refusal != b.refusal || a.points.size() != b.points.size())
        return false;
    for (size_t i = 0; i < a.points.size(); ++i)
        if (a.points[i].z != b.points[i].z || a.points[i].b != b.points[i].b)
            return false;
    return true;
}

// Well-formed UTF-8 as UTF-16LE with its byte order mark.
std::string Utf16(std::string_view utf8)
{
    std::string out = "\xFF\xFE";
    const auto unit = [&](char32_t u) { out += static_cast<char>(u & 0xFF), out += static_cast<char>(u >> 8); };
    for (size_t i = 0; i < utf8.size();) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        const size_t n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        char32_t code = n == 1 ? c : c & (0x7F >> n);
        for (size_t k = 1; k < n; ++k)
            code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        if (code >= 0x10000) {
            unit(0xD800 + ((code - 0x10000) >> 10));
            unit(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            unit(code);
        }
        i += n;
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const MeasurementReading read = ReadMeasurements(bytes, {});
    if (read.refusal.empty()) {
        Require(read.points.size() >= 3, "at least three points");
        for (const MeasuredPoint& m : read.points)
            Require(std::isfinite(m.z) && std::isfinite(m.b), "finite points");
    } else {
        Require(read.points.empty(), "nothing of a refused file");
        const std::string refusal = RussianText(read.refusal);
        Require(refusal.starts_with("строка ") && refusal.find('\n') == std::string::npos && ValidUtf8(refusal),
                "a refusal names its line in one line of UTF-8");
    }

    const MeasurementReading si = ReadMeasurements(bytes, {LengthUnit::Metre, FluxDensityUnit::Tesla});
    bool divided = si.refusal == read.refusal && si.points.size() == read.points.size();
    for (size_t i = 0; divided && i < si.points.size(); ++i)
        divided = read.points[i].z == si.points[i].z / 100 && read.points[i].b == si.points[i].b / 1000;
    Require(divided, "centimetres and millitesla divide the numbers read");

    // Text that the reader takes as UTF-8 (no byte order mark, no zero byte: zero bytes are UTF-16's or binary data's).
    const bool plain = !bytes.starts_with("\xEF\xBB\xBF") && bytes.find('\0') == std::string_view::npos;
    if (plain && ValidUtf8(bytes))
        Require(SameReading(ReadMeasurements(Utf16(bytes), {}), read), "the same text in UTF-16 reads the same");
    return 0;
}
