#include "docs/help_figures.h"

#include <QImage>
#include <QTextDocument>
#include <QUrl>

#include "params/calc_params.h"
#include "plot/calculation_run.h"
#include "raster/raster_surface.h"
#include "render/raster_image.h"

namespace {

// The size of the window's picture right after start-up.
constexpr int kFigureWidth = 651;
constexpr int kFigureHeight = 320;

// One calculation run of the given parameters, as the window shows it.
QImage Graph(CalcParams params, RunAdditions additions = {})
{
    RasterSurface surface(kFigureWidth, kFigureHeight);
    RunCalculation(params, surface, [] { return ClockReading{}; }, additions);
    return ImageOf(surface);
}

// The start values' field lines with the exact ones, in a smaller region.
QImage ExactLinesFigure()
{
    CalcParams params = StartValues(kFieldLinesGraph);
    params.halfRange = kExactFigureHalfRange;
    return Graph(params, RunAdditions{.exactLines = true});
}

}  // namespace

void AddHelpFigures(QTextDocument& document)
{
    document.addResource(QTextDocument::ImageResource, QUrl(kAxisFigure), Graph(StartValues(kAxisGraph)));
    document.addResource(QTextDocument::ImageResource, QUrl(kLinesFigure), Graph(StartValues(kFieldLinesGraph)));
    document.addResource(QTextDocument::ImageResource, QUrl(kExactFigure), ExactLinesFigure());
}
