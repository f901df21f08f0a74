#include "zlib.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace {

constexpr uLong kBlockBytes = 65535;  // the most a stored block holds

std::array<uint32_t, 256> CrcTable()
{
    std::array<uint32_t, 256> table{};
    for (uint32_t n = 0; n < 256; ++n) {
        uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = c & 1 ? 0xedb88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

}  // namespace

uLong crc32(uLong crc, const Bytef* buf, uInt len)
{
    static const std::array<uint32_t, 256> table = CrcTable();
    if (buf == nullptr)
        return 0;
    uint32_t c = ~static_cast<uint32_t>(crc);
    for (uInt i = 0; i < len; ++i)
        c = table[(c ^ buf[i]) & 0xff] ^ (c >> 8);
    return ~c;
}

uLong compressBound(uLong sourceLen) { return 2 + 5 * (sourceLen / kBlockBytes + 1) + sourceLen + 4; }

int compress2(Bytef* dest, uLongf* destLen, const Bytef* source, uLong sourceLen, int)
{
    if (*destLen < compressBound(sourceLen))
        return Z_BUF_ERROR;
    Bytef* out = dest;
    *out++ = 0x78;  // deflate, 32 KiB window
    *out++ = 0x01;  // no dictionary, the fastest level; 0x7801 is a multiple of 31
    uLong left = sourceLen;
    const Bytef* in = source;
    do {  // at least one block, the last one marked
        const uLong n = std::min(left, kBlockBytes);
        *out++ = n == left ? 1 : 0;
        const Bytef block[4] = {static_cast<Bytef>(n), static_cast<Bytef>(n >> 8), static_cast<Bytef>(~n),
                                static_cast<Bytef>(~n >> 8)};
        out = std::copy(block, block + 4, out);
        out = std::copy(in, in + n, out);
        in += n;
        left -= n;
    } while (left > 0);
    uint32_t a = 1, b = 0;  // Adler-32 of the source
    for (uLong i = 0; i < sourceLen; ++i) {
        a = (a + source[i]) % 65521;
        b = (b + a) % 65521;
    }
    const Bytef adler[4] = {static_cast<Bytef>(b >> 8), static_cast<Bytef>(b), static_cast<Bytef>(a >> 8),
                            static_cast<Bytef>(a)};
    out = std::copy(adler, adler + 4, out);
    *destLen = static_cast<uLongf>(out - dest);
    return Z_OK;
}
