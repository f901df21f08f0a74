#pragma once
// The part of zlib's interface that the SVG writer's PNG encoder uses, for the
// WebAssembly build, which has no zlib (Emscripten offers it only as a port
// fetched at build time). compress2 writes a valid zlib stream of stored
// (uncompressed) blocks, whatever the level: any inflater gives back exactly
// the input, so the embedded image is the same picture, only larger.
#include <cstddef>

using Bytef = unsigned char;
using uInt = unsigned int;
using uLong = unsigned long;
using uLongf = unsigned long;

inline constexpr int Z_OK = 0;
inline constexpr int Z_BUF_ERROR = -5;
inline constexpr int Z_DEFAULT_COMPRESSION = -1;

// The CRC-32 of PNG and zlib, continued from crc over len bytes (buf null: the start value 0).
uLong crc32(uLong crc, const Bytef* buf, uInt len);
// The largest size compress2 can write for sourceLen bytes.
uLong compressBound(uLong sourceLen);
// Writes the zlib stream of source into dest, whose size *destLen gives and receives.
int compress2(Bytef* dest, uLongf* destLen, const Bytef* source, uLong sourceLen, int level);
