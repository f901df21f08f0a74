#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A PNG file of width x height pixels given 0xffRRGGBB row by row from the top
// (the alpha byte is ignored): 8-bit RGB, no interlacing, every row
// unfiltered. The image data is a zlib stream of stored (uncompressed) deflate
// blocks, so the encoder needs no compression library and builds wherever the
// core builds; the file is about as large as the raw pixels (3 bytes each).
// Lossless: a decoder gives back exactly these pixels. Empty when the pixels
// do not number width x height or the size is not positive.
std::string PngFile(const std::vector<uint32_t>& pixels, int width, int height);
