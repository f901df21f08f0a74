#include "render/raster_image.h"

#include <cstring>

#include "raster/raster_surface.h"

QImage ImageOf(const RasterSurface& surface)
{
    QImage image(surface.width(), surface.height(), QImage::Format_RGB32);
    if (image.isNull())
        return image;
    // 0xffRRGGBB in a uint32_t is exactly a pixel of Format_RGB32.
    const size_t rowBytes = static_cast<size_t>(surface.width()) * sizeof(uint32_t);
    for (int y = 0; y < surface.height(); ++y)
        std::memcpy(image.scanLine(y), surface.pixels().data() + static_cast<size_t>(y) * static_cast<size_t>(surface.width()), rowBytes);
    return image;
}
