#pragma once

#include <QByteArray>

struct RenderOptions;

// The run's picture in the format the options choose (PNG, SVG or PDF), as
// the file's contents, drawn at the options' pixel ratio; empty when no memory is to be had for it. The run must
// be one that RunRefusal accepts.
QByteArray PictureContents(RenderOptions o);

// The contents of the file the options ask for: the picture, or for a CSV
// file the table of numbers.
QByteArray ExportedContents(const RenderOptions& o);
