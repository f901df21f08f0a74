#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

#include "surface/drawing_surface.h"

// Draws a picture of width x height pixels with `draw` and returns the
// contents of the picture's file. The picture starts white.
// An empty result means that the picture could not be made (no memory for
// an image of that size).
using DrawPicture = std::function<void(DrawingSurface&)>;

// A PNG image of exactly the pixels RasterSurface paints, as the window shows them.
QByteArray PngPicture(int width, int height, const DrawPicture& draw);

// An SVG document from SvgSurface.
QByteArray SvgPicture(int width, int height, const QString& title, const DrawPicture& draw);

// A one-page PDF, painted with Qt's painter, of the picture's size, one point per pixel (a larger
// picture is scaled down so that its page stays within the 200 inches PDF
// readers accept).
QByteArray PdfPicture(int width, int height, const QString& title, const DrawPicture& draw);
