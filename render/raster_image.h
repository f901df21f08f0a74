#pragma once

#include <QImage>

class RasterSurface;

// The rasteriser's picture as a QImage (RGB32) of the same pixels, for showing
// and for encoding: the window and the exported PNG both go through here.
// A null image for an empty picture or when no memory is to be had.
QImage ImageOf(const RasterSurface& surface);
