#include "docs/help_figures.h"

#include <QImage>
#include <QPainter>
#include <QTextDocument>
#include <QUrl>

#include "params/calc_params.h"
#include "plot/calculation_run.h"
#include "render/painter_surface.h"

namespace {

// The size of the window's picture right after start-up.
constexpr int kFigureWidth = 651;
constexpr int kFigureHeight = 320;

// One calculation run with the start values for the given graph kind.
QImage GraphOfStartValues(int16_t graphMode)
{
    CalcParams params = StartValues(graphMode);

    QImage image(kFigureWidth, kFigureHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    PainterSurface surface(painter, kFigureWidth, kFigureHeight);
    RunCalculation(params, surface, [] { return ClockReading{}; });
    return image;
}

}  // namespace

void AddHelpFigures(QTextDocument& document)
{
    document.addResource(QTextDocument::ImageResource, QUrl(kAxisFigure), GraphOfStartValues(kAxisGraph));
    document.addResource(QTextDocument::ImageResource, QUrl(kLinesFigure), GraphOfStartValues(kFieldLinesGraph));
}
