#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A PNG file of width x height pixels given 0xffRRGGBB row by row from the top
// (the alpha byte is ignored): 8-bit RGB, no interlacing, every row but the
// first filtered "up" (less the row above). The image data is a zlib stream
// that the encoder makes itself (one deflate block with the fixed Huffman
// code, matches found by a simple greedy search), so that it needs no
// compression library and builds wherever the core builds; a smooth map packs
// to about a tenth of its raw 3 bytes a pixel.
// Lossless: a decoder gives back exactly these pixels. Empty when the pixels
// do not number width x height or the size is not positive.
std::string PngFile(const std::vector<uint32_t>& pixels, int width, int height);
