#include "docs/help_figures.h"

#include <QImage>
#include <QTextDocument>
#include <QUrl>

#include <cmath>
#include <memory>

#include "field/exact_field.h"
#include "params/calc_params.h"
#include "plot/calculation_run.h"
#include "raster/raster_surface.h"
#include "render/raster_image.h"
#include "texts/language.h"

namespace {

// The size of the window's picture right after start-up.
constexpr int kFigureWidth = 651;
constexpr int kFigureHeight = 320;

// One calculation run of the given parameters, as the window shows it.
QImage Graph(CalcParams params, const Language& language, RunAdditions additions = {})
{
    additions.language = language;
    RasterSurface surface(kFigureWidth, kFigureHeight);
    RunCalculation(params, surface, [] { return ClockReading{}; }, additions);
    return ImageOf(surface);
}

// The start values' field lines with the exact ones, in a smaller region.
QImage ExactLinesFigure(const Language& language)
{
    CalcParams params = StartValues(kFieldLinesGraph);
    params.halfRange = kExactFigureHalfRange;
    RunAdditions exact;
    exact.exact = ExactLines::ThroughSeeds;
    return Graph(params, language, exact);
}

// The start values' lines with arrowheads, the lines of equal flux over the
// strength map, its scale in mT for a coil of 800 turns carrying 1.5 A.
QImage EqualFluxFigure(const Language& language)
{
    RunAdditions explained;
    explained.arrows = true;
    explained.exact = ExactLines::EqualFlux;
    explained.fieldMap = true;
    explained.winding = CoilCurrent{kFigureTurns, kFigureAmperes};
    return Graph(StartValues(kFieldLinesGraph), language, explained);
}

// Readings every centimetre along a ruler whose zero lies 15.3 cm before the
// middle of a coil of R 2.1 cm, L 16 cm, 320 turns and 1.8 A, 3 % weaker than
// calculated, with deviations of a few hundredths of a millitesla; fitted.
QImage MeasuredFigure(const Language& language)
{
    CalcParams params = StartValues(kAxisGraph);
    params.radius = 0.021;
    params.length = 0.16;
    params.halfRange = 0.2;
    const CoilCurrent coil{320, 1.8};
    auto set = std::make_shared<MeasurementSet>();
    for (int i = 0; i <= 30; ++i) {
        const double z = 0.01 * i;
        const double deviation = 4e-5 * std::sin(2.3 * i);  // T, the same in every build
        set->points.push_back({z, 0.97 * FluxDensityPerUnit(coil, 0.16) * ExactField(params, z - 0.153, 0).hz + deviation});
    }
    RunAdditions measured;
    measured.winding = coil;
    measured.measured = set;
    measured.fit = true;
    return Graph(params, language, measured);
}

// A pair of short coils with arrowheads.
QImage PairFigure(const CoilPair& pair, double lines, bool mapAndRegion, const Language& language)
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
    shown.arrangement = PairArrangement(pair);
    return Graph(params, language, shown);
}

}  // namespace

void AddHelpFigures(QTextDocument& document, const Language& language)
{
    document.addResource(QTextDocument::ImageResource, QUrl(kAxisFigure), Graph(StartValues(kAxisGraph), language));
    document.addResource(QTextDocument::ImageResource, QUrl(kLinesFigure), Graph(StartValues(kFieldLinesGraph), language));
    document.addResource(QTextDocument::ImageResource, QUrl(kExactFigure), ExactLinesFigure(language));
    document.addResource(QTextDocument::ImageResource, QUrl(kEqualFluxFigure), EqualFluxFigure(language));
    document.addResource(QTextDocument::ImageResource, QUrl(kMeasuredFigure), MeasuredFigure(language));
    document.addResource(QTextDocument::ImageResource, QUrl(kPairFigure), PairFigure({0.2, false}, 7, true, language));
    document.addResource(QTextDocument::ImageResource, QUrl(kOpposedPairFigure), PairFigure({0.35, true}, 12, false, language));
}
