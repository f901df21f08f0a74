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
    RunAdditions exact;
    exact.exactLines = true;
    return Graph(params, exact);
}

// The start values' lines with arrowheads, the lines of equal flux over the
// strength map, its scale in mT for a coil of 800 turns carrying 1.5 A.
QImage EqualFluxFigure()
{
    RunAdditions explained;
    explained.arrows = true;
    explained.equalFlux = true;
    explained.fieldMap = true;
    explained.coil = CoilCurrent{kFigureTurns, kFigureAmperes};
    return Graph(StartValues(kFieldLinesGraph), explained);
}

// A pair of short coils with arrowheads.
QImage PairFigure(const CoilPair& pair, double lines, bool mapAndRegion)
{
    CalcParams params = StartValues(kFieldLinesGraph);
    params.radius = 0.2;
    params.length = 0.1;
    params.halfRange = 0.6;
    params.lineCount = lines;
    RunAdditions shown;
    shown.arrows = true;
    shown.fieldMap = mapAndRegion;
    if (mapAndRegion)
        shown.uniformPercent = 1;
    shown.coils = PairArrangement(pair);
    return Graph(params, shown);
}

}  // namespace

void AddHelpFigures(QTextDocument& document)
{
    document.addResource(QTextDocument::ImageResource, QUrl(kAxisFigure), Graph(StartValues(kAxisGraph)));
    document.addResource(QTextDocument::ImageResource, QUrl(kLinesFigure), Graph(StartValues(kFieldLinesGraph)));
    document.addResource(QTextDocument::ImageResource, QUrl(kExactFigure), ExactLinesFigure());
    document.addResource(QTextDocument::ImageResource, QUrl(kEqualFluxFigure), EqualFluxFigure());
    document.addResource(QTextDocument::ImageResource, QUrl(kPairFigure), PairFigure({0.2, false}, 7, true));
    document.addResource(QTextDocument::ImageResource, QUrl(kOpposedPairFigure), PairFigure({0.35, true}, 12, false));
}
