#include "svg/png_encoding.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

void AppendBigEndian(std::string& out, uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<char>((v >> shift) & 0xff));
}

// CRC-32 of the PNG chunks (polynomial 0xedb88320, reflected).
uint32_t Crc32(std::string_view bytes)
{
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = c & 1 ? 0xedb88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    uint32_t c = 0xffffffffu;
    for (unsigned char b : bytes)
        c = table[(c ^ b) & 0xff] ^ (c >> 8);
    return c ^ 0xffffffffu;
}

// Adler-32 of the zlib stream's uncompressed data.
uint32_t Adler32(std::string_view bytes)
{
    constexpr uint32_t kModulus = 65521;
    uint32_t a = 1, b = 0;
    for (unsigned char x : bytes) {
        a = (a + x) % kModulus;
        b = (b + a) % kModulus;
    }
    return b << 16 | a;
}

// A zlib stream (no compression) of deflate blocks that store the data as it is.
std::string StoredZlib(std::string_view data)
{
    constexpr size_t kMaxBlock = 65535;
    std::string out("\x78\x01", 2);  // deflate, 32 kB window, no dictionary; 0x7801 is a multiple of 31
    size_t at = 0;
    do {
        const size_t n = std::min(kMaxBlock, data.size() - at);
        const bool last = at + n == data.size();
        out.push_back(static_cast<char>(last ? 1 : 0));  // BFINAL, BTYPE 00: stored
        for (const uint32_t v : {static_cast<uint32_t>(n), static_cast<uint32_t>(~n & 0xffff)}) {  // LEN, NLEN, little-endian
            out.push_back(static_cast<char>(v & 0xff));
            out.push_back(static_cast<char>((v >> 8) & 0xff));
        }
        out.append(data.substr(at, n));
        at += n;
    } while (at < data.size());
    AppendBigEndian(out, Adler32(data));
    return out;
}

// A chunk: its length, type, data and the CRC of type and data.
void AppendChunk(std::string& out, std::string_view type, std::string_view data)
{
    AppendBigEndian(out, static_cast<uint32_t>(data.size()));
    const size_t typeAt = out.size();
    out.append(type);
    out.append(data);
    AppendBigEndian(out, Crc32(std::string_view(out).substr(typeAt)));
}

}  // namespace

std::string PngFile(const std::vector<uint32_t>& pixels, int width, int height)
{
    if (width <= 0 || height <= 0 || pixels.size() != static_cast<size_t>(width) * static_cast<size_t>(height))
        return {};
    // Each row: filter type 0 (none), then red, green, blue of every pixel.
    const size_t rowBytes = 1 + 3 * static_cast<size_t>(width);
    std::string raw(rowBytes * static_cast<size_t>(height), '\0');
    for (size_t y = 0; y < static_cast<size_t>(height); ++y) {
        char* row = raw.data() + y * rowBytes + 1;
        for (size_t x = 0; x < static_cast<size_t>(width); ++x) {
            const uint32_t p = pixels[y * static_cast<size_t>(width) + x];
            *row++ = static_cast<char>((p >> 16) & 0xff);
            *row++ = static_cast<char>((p >> 8) & 0xff);
            *row++ = static_cast<char>(p & 0xff);
        }
    }
    std::string png("\x89PNG\r\n\x1a\n", 8);
    std::string header;
    AppendBigEndian(header, static_cast<uint32_t>(width));
    AppendBigEndian(header, static_cast<uint32_t>(height));
    header += std::string_view("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, filtering 0, no interlace
    AppendChunk(png, "IHDR", header);
    AppendChunk(png, "IDAT", StoredZlib(raw));
    AppendChunk(png, "IEND", {});
    return png;
}
