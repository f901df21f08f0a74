#include "app/point_readout.h"

#include <algorithm>
#include <cmath>

#include "app/number_texts.h"
#include "field/axial_field.h"
#include "field/exact_field.h"
#include "field/field_slope.h"

namespace {

constexpr int kTurnCount = 50;  // as the winding is drawn: neighbouring turns touch

// A slope in words where it has no finite value.
QString SlopeText(double slope)
{
    if (std::isnan(slope))
        return QStringLiteral("не определен");
    if (std::isinf(slope))
        return QStringLiteral("бесконечен (линия поперек оси)");
    return FieldValueText(slope);
}

// The exact slope Hr/Hz; words where Hz = 0.
QString ExactSlopeText(const ExactFieldValue& h)
{
    if (h.hz == 0)
        return h.hr == 0 ? QStringLiteral("не определен (поле равно нулю)")
                         : QStringLiteral("бесконечен (Hz = 0, линия поперек оси)");
    return FieldValueText(h.hr / h.hz);
}

QString AxisReadout(const CalcParams& p, double z)
{
    return QStringLiteral("z = %1 м\nHz(z) на оси = %2 (в единицах n·I/2)")
        .arg(CoordinateText(z), FieldValueText(AxialField(p, z)));
}

QString LinesReadout(const CalcParams& p, double z, double r)
{
    // The drawn winding: turns of radius L/100 around r = +-R, at least half a pixel wide.
    const double R = p.radius;
    const double halfL = p.length / 2;
    const double wire = std::max(p.length / kTurnCount / 2, 0.5 / p.scaleX);
    const bool onWire = std::fabs(std::fabs(r) - R) <= wire && std::fabs(z) <= halfL + wire;
    if (onWire) {
        r = std::copysign(R, r);
        z = std::fabs(z) >= halfL - wire ? std::copysign(halfL, z) : z;
    }

    const double sign = r < 0 ? -1.0 : 1.0;  // below the axis: the mirror point
    ExactFieldValue h = ExactField(p, z, std::fabs(r));
    h.hr *= sign;
    QString text = QStringLiteral("z = %1 м, r = %2 м").arg(CoordinateText(z), CoordinateText(r));
    switch (h.kind) {
    case FieldPointKind::AtRim:
        return text + QStringLiteral(" — у края обмотки\nHz = %1 (в единицах n·I/2) — предел среднего по обе "
                                     "стороны обмотки; Hr здесь неограниченно растет\n"
                                     "наклон dr/dz у края обмотки не определен")
                          .arg(FieldValueText(h.hz));
    case FieldPointKind::OnWinding:
        return text + QStringLiteral(" — на обмотке\nна обмотке: Hz — среднее по обе стороны, Hz = %1, Hr = %2 "
                                     "(в единицах n·I/2)\nнаклон dr/dz на обмотке меняется скачком")
                          .arg(FieldValueText(h.hz), FieldValueText(h.hr));
    case FieldPointKind::Regular:
        break;
    }
    const double programSlope = sign * static_cast<double>(FieldSlope(p, z, std::fabs(r)));
    return text + QStringLiteral("\nHz = %1, Hr = %2, |H| = %3 (в единицах n·I/2)\n"
                                 "наклон dr/dz: %4 по 500 точкам, %5 точно (Hr/Hz)")
                      .arg(FieldValueText(h.hz), FieldValueText(h.hr), FieldValueText(FieldStrength(h)),
                           SlopeText(programSlope), ExactSlopeText(h));
}

}  // namespace

QString PointReadout(const RunRecord& run, QPointF position)
{
    if (position.x() < 0 || position.y() < 0 || position.x() >= run.width || position.y() >= run.height)
        return {};
    const CalcParams& p = run.drawn;
    const double z = p.zMin + position.x() / p.scaleX;
    if (p.graphMode == kAxisGraph)
        return AxisReadout(p, z);
    const double r = (p.scaleY * p.yMax - position.y()) / p.scaleX;
    return LinesReadout(p, z, r);
}
