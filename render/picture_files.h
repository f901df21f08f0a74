#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

#include "surface/drawing_surface.h"

// Draws a picture of width x height pixels with `draw` on a painter surface
// and returns the contents of the picture's file. The picture starts white.
// An empty result means that the picture could not be made (no memory for
// an image of that size).
using DrawPicture = std::function<void(DrawingSurface&)>;

// A PNG image of exactly the picture's pixels.
QByteArray PngPicture(int width, int height, const DrawPicture& draw);

// An SVG document whose view box is the picture, one unit per pixel, shown at
// 96 pixels per inch.
QByteArray SvgPicture(int width, int height, const QString& title, const DrawPicture& draw);

// A one-page PDF of the picture's size, one point per pixel (a larger
// picture is scaled down so that its page stays within the 200 inches PDF
// readers accept).
QByteArray PdfPicture(int width, int height, const QString& title, const DrawPicture& draw);
