#pragma once

#include <cmath>

// A screen's device pixels per logical pixel: 1 on an ordinary screen, 2 on a
// sharp one, fractional (1.25, 1.5, 2.625) where the system scales by a
// fraction. A picture of W x H logical pixels drawn at ratio r has
// DevicePixels(W, r) x DevicePixels(H, r) pixels; everything in it lies where
// it lies at ratio 1, in logical pixels, only drawn with more pixels.

// A ratio that is not a number or below 1 counts as 1.
inline double UsablePixelRatio(double ratio)
{
    return ratio >= 1 && std::isfinite(ratio) ? ratio : 1.0;
}

// The whole number of device pixels nearest to one logical pixel, at least
// 1: the width of a line and the magnification of the pixel font, whose
// glyphs stay crisp only at whole multiples.
inline int WholePixelRatio(double ratio)
{
    return static_cast<int>(std::lround(std::fmin(UsablePixelRatio(ratio), 64.0)));
}

// The device pixels of a length of logical pixels, rounded.
inline int DevicePixels(int logical, double ratio)
{
    return static_cast<int>(std::lround(logical * UsablePixelRatio(ratio)));
}
