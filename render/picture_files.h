#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

#include "surface/drawing_surface.h"

// Draws a picture of width x height pixels with `draw` and returns the
// contents of the picture's file. The picture starts white. The pixels are
// those of a screen of the given pixel ratio (surface/pixel_ratio.h): a
// picture laid out for W x H logical pixels is W*r x H*r of them.
// An empty result means that the picture could not be made (no memory for
// an image of that size).
using DrawPicture = std::function<void(DrawingSurface&)>;

// A PNG image of exactly the pixels RasterSurface paints, as the window shows them.
QByteArray PngPicture(int width, int height, const DrawPicture& draw, double pixelRatio = 1);

// An SVG document from SvgSurface.
QByteArray SvgPicture(int width, int height, const QString& title, const DrawPicture& draw, double pixelRatio = 1);

// A one-page PDF, painted with Qt's painter, of the picture's size, one point per pixel (a larger
// picture is scaled down so that its page stays within the 200 inches PDF
// readers accept).
QByteArray PdfPicture(int width, int height, const QString& title, const DrawPicture& draw, double pixelRatio = 1);
