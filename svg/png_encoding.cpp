#include "svg/png_encoding.h"

#include <algorithm>
#include <array>
#include <cstdint>
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

// Writes bits least significant first, as deflate packs them.
class BitWriter {
public:
    explicit BitWriter(std::string& out) : out_(out) {}
    void put(uint32_t bits, int count)
    {
        buffer_ |= static_cast<uint64_t>(bits) << used_;
        used_ += count;
        while (used_ >= 8) {
            out_.push_back(static_cast<char>(buffer_ & 0xff));
            buffer_ >>= 8;
            used_ -= 8;
        }
    }
    // A Huffman code, which deflate stores most significant bit first.
    void putCode(uint32_t code, int length)
    {
        uint32_t reversed = 0;
        for (int k = 0; k < length; ++k)
            reversed |= ((code >> k) & 1) << (length - 1 - k);
        put(reversed, length);
    }
    void flush()
    {
        if (used_ > 0)
            put(0, 8 - used_);
    }

private:
    std::string& out_;
    uint64_t buffer_ = 0;
    int used_ = 0;
};

// A literal byte or a length code (257-285) of the fixed Huffman code.
void PutSymbol(BitWriter& bits, int symbol)
{
    if (symbol < 144)
        bits.putCode(0x30 + symbol, 8);
    else if (symbol < 256)
        bits.putCode(0x190 + symbol - 144, 9);
    else if (symbol < 280)
        bits.putCode(symbol - 256, 7);
    else
        bits.putCode(0xc0 + symbol - 280, 8);
}

// The base value and extra bits of each length code 257-285 and distance code 0-29.
constexpr std::array<int, 29> kLengthBase{3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 15, 17, 19, 23, 27, 31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<int, 29> kLengthExtra{0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<int, 30> kDistanceBase{1, 2, 3, 4, 5, 7, 9, 13, 17, 25, 33, 49, 65, 97, 129, 193, 257, 385, 513, 769,
                                            1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<int, 30> kDistanceExtra{0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

void PutMatch(BitWriter& bits, int length, int distance)
{
    int l = 28;
    while (kLengthBase[static_cast<size_t>(l)] > length)
        --l;
    PutSymbol(bits, 257 + l);
    bits.put(static_cast<uint32_t>(length - kLengthBase[static_cast<size_t>(l)]), kLengthExtra[static_cast<size_t>(l)]);
    int d = 29;
    while (kDistanceBase[static_cast<size_t>(d)] > distance)
        --d;
    bits.putCode(static_cast<uint32_t>(d), 5);
    bits.put(static_cast<uint32_t>(distance - kDistanceBase[static_cast<size_t>(d)]), kDistanceExtra[static_cast<size_t>(d)]);
}

// A zlib stream of one deflate block with the fixed Huffman code: each
// position takes the longest match (3 to 258 bytes, up to 32 kB back) among
// the last place its next three bytes were seen, the pixel before and the
// pixel above, else a literal. Quick, and small for a map's smooth rows.
std::string Zlib(std::string_view data, size_t rowBytes)
{
    constexpr size_t kWindow = 32768, kMaxMatch = 258, kHashSize = 1 << 15;
    std::string out("\x78\x01", 2);  // deflate, 32 kB window, no dictionary; 0x7801 is a multiple of 31
    BitWriter bits(out);
    bits.put(1, 1);  // BFINAL
    bits.put(1, 2);  // BTYPE 01: fixed Huffman code
    std::vector<size_t> lastSeen(kHashSize, SIZE_MAX);
    const auto hash = [&](size_t i) {
        return (static_cast<uint32_t>(static_cast<unsigned char>(data[i])) << 10 ^
                static_cast<uint32_t>(static_cast<unsigned char>(data[i + 1])) << 5 ^ static_cast<unsigned char>(data[i + 2])) % kHashSize;
    };
    size_t i = 0;
    while (i < data.size()) {
        size_t bestLength = 0, bestDistance = 0;
        if (i + 3 <= data.size()) {
            const size_t h = hash(i);
            const size_t candidates[] = {lastSeen[h], i >= 3 ? i - 3 : SIZE_MAX, i >= rowBytes ? i - rowBytes : SIZE_MAX};
            for (const size_t from : candidates) {
                if (from == SIZE_MAX || from >= i || i - from > kWindow)
                    continue;
                size_t n = 0;
                while (n < kMaxMatch && i + n < data.size() && data[from + n] == data[i + n])
                    ++n;
                if (n > bestLength)
                    bestLength = n, bestDistance = i - from;
            }
            lastSeen[h] = i;
        }
        if (bestLength >= 3) {
            PutMatch(bits, static_cast<int>(bestLength), static_cast<int>(bestDistance));
            for (size_t k = 1; k < bestLength && i + k + 3 <= data.size(); ++k)
                lastSeen[hash(i + k)] = i + k;
            i += bestLength;
        } else {
            PutSymbol(bits, static_cast<unsigned char>(data[i]));
            ++i;
        }
    }
    PutSymbol(bits, 256);  // end of block
    bits.flush();
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
    // Filter type 2 (up): each byte less the byte above it, from the last row up.
    for (size_t y = static_cast<size_t>(height) - 1; y > 0; --y) {
        char* row = raw.data() + y * rowBytes;
        const char* above = row - rowBytes;
        row[0] = 2;
        for (size_t k = 1; k < rowBytes; ++k)
            row[k] = static_cast<char>(row[k] - above[k]);
    }
    std::string png("\x89PNG\r\n\x1a\n", 8);
    std::string header;
    AppendBigEndian(header, static_cast<uint32_t>(width));
    AppendBigEndian(header, static_cast<uint32_t>(height));
    header += std::string_view("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, filtering 0, no interlace
    AppendChunk(png, "IHDR", header);
    AppendChunk(png, "IDAT", Zlib(raw, rowBytes));
    AppendChunk(png, "IEND", {});
    return png;
}
