#include "svg/png_encoding.h"

#include <zlib.h>

#include <array>
#include <string_view>

namespace {

void AppendBigEndian(std::string& out, uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<char>((v >> shift) & 0xff));
}

// A chunk: its length, type, data and the CRC of type and data.
void AppendChunk(std::string& out, std::string_view type, std::string_view data)
{
    AppendBigEndian(out, static_cast<uint32_t>(data.size()));
    const size_t typeAt = out.size();
    out.append(type);
    out.append(data);
    const auto* checked = reinterpret_cast<const Bytef*>(out.data() + typeAt);
    AppendBigEndian(out, static_cast<uint32_t>(crc32(crc32(0, nullptr, 0), checked, static_cast<uInt>(out.size() - typeAt))));
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
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::string packed(packedSize, '\0');
    if (compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize, reinterpret_cast<const Bytef*>(raw.data()),
                  static_cast<uLong>(raw.size()), Z_DEFAULT_COMPRESSION) != Z_OK)
        return {};
    packed.resize(packedSize);

    std::string png("\x89PNG\r\n\x1a\n", 8);
    std::string header;
    AppendBigEndian(header, static_cast<uint32_t>(width));
    AppendBigEndian(header, static_cast<uint32_t>(height));
    header += std::string_view("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, filtering 0, no interlace
    AppendChunk(png, "IHDR", header);
    AppendChunk(png, "IDAT", packed);
    AppendChunk(png, "IEND", {});
    return png;
}
