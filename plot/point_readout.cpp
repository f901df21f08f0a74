#include "plot/point_readout.h"

#include <algorithm>
#include <cmath>

#include "field/arrangement_field.h"
#include "field/field_slope.h"
#include "field/uniform_region.h"
#include "plot/picture_notes.h"
#include "params/message_text.h"
#include "texts/message.h"

namespace {

constexpr int kTurnCount = 50;  // as the winding is drawn: neighbouring turns touch

// Fills the %1, %2, ... of a row, in the readout's language, with the texts, in order.
std::string Row(const ReadoutNumbers& numbers, std::string_view russian, std::initializer_list<std::string> texts)
{
    Message row(russian);
    for (const std::string& text : texts)
        row.arg(text);
    return Text(row, numbers.language);
}

// A slope in words where it has no finite value.
std::string SlopeText(double slope, const ReadoutNumbers& n)
{
    if (std::isnan(slope))
        return std::string(n.language.translated("не определен"));
    if (std::isinf(slope))
        return std::string(n.language.translated("бесконечен (линия поперек оси)"));
    return n.value(slope);
}

// The exact slope Hr/Hz; words where Hz = 0.
std::string ExactSlopeText(const ExactFieldValue& h, const ReadoutNumbers& n)
{
    if (h.hz == 0)
        return std::string(n.language.translated(h.hr == 0 ? "не определен (поле равно нулю)"
                                                           : "бесконечен (Hz = 0, линия поперек оси)"));
    return n.value(h.hr / h.hz);
}

// The field in SI units: H in A/m and B in mT, Hr only where it has a value.
class SiRows {
public:
    SiRows(const CalcParams& p, const std::optional<CoilCurrent>& coil, const ReadoutNumbers& n)
        : n_(n), perUnit_(coil ? StrengthPerUnit(*coil, p.length) : 0), on_(coil && std::isfinite(perUnit_))
    {
    }

    std::string axial(double hz) const
    {
        if (!on_)
            return {};
        return Row(n_, "\nHz = %1 А/м, Bz = %2 мТл", {n_.value(perUnit_ * hz), n_.value(mT(hz))});
    }

    std::string full(const ExactFieldValue& h) const
    {
        if (!on_)
            return {};
        const double strength = FieldStrength(h);
        return Row(n_, "\nHz = %1, Hr = %2, |H| = %3 А/м\nBz = %4, Br = %5, |B| = %6 мТл",
                   {n_.value(perUnit_ * h.hz), n_.value(perUnit_ * h.hr), n_.value(std::fabs(perUnit_) * strength),
                    n_.value(mT(h.hz)), n_.value(mT(h.hr)), n_.value(std::fabs(mT(strength)))});
    }

private:
    double mT(double value) const { return 1000 * kMu0 * perUnit_ * value; }

    const ReadoutNumbers& n_;
    double perUnit_;  // A/m for one n*I/2
    bool on_;
};

std::string AxisReadout(const CalcParams& p, const CoilArrangement& coils, double z, const ReadoutNumbers& n,
                        const SiRows& si)
{
    const double hz = AxialField(p, coils, z);
    return Row(n, "z = %1 м\nHz(z) на оси = %2 (в единицах n·I/2)", {n.coordinate(z), n.value(hz)}) + si.axial(hz);
}

// The point itself, or where it lies on a drawn winding: on the winding
// (r = +-R) or, on its end turns, at its rim.
MeridianPoint OnWinding(const CalcParams& p, const CoilArrangement& coils, double z, double r)
{
    // The drawn winding: turns of radius L/100 around r = +-R, at least half a pixel wide.
    const double R = p.radius;
    const double halfL = p.length / 2;
    const double wire = std::max(p.length / kTurnCount / 2, 0.5 / p.scaleX);
    for (const PlacedCoil& c : coils.coils) {
        const double zc = z - c.offset;  // from the coil's middle
        if (std::fabs(std::fabs(r) - R) <= wire && std::fabs(zc) <= halfL + wire)
            return {std::fabs(zc) >= halfL - wire ? c.offset + std::copysign(halfL, zc) : z, std::copysign(R, r)};
    }
    return {z, r};
}

std::string LinesReadout(const CalcParams& p, const CoilArrangement& coils, double z, double r,
                         const ReadoutNumbers& n, const SiRows& si)
{
    const MeridianPoint at = OnWinding(p, coils, z, r);
    z = at.z, r = at.r;
    const double sign = r < 0 ? -1.0 : 1.0;  // below the axis: the mirror point
    ExactFieldValue h = ExactField(p, coils, z, std::fabs(r));
    h.hr *= sign;
    const std::string zText = n.coordinate(z), rText = n.coordinate(r);
    switch (h.kind) {
    case FieldPointKind::AtRim:
        return Row(n,
                   "z = %1 м, r = %2 м — у края обмотки\nHz = %3 (в единицах n·I/2) — предел среднего по обе "
                   "стороны обмотки; Hr здесь неограниченно растет\n"
                   "наклон dr/dz у края обмотки не определен",
                   {zText, rText, n.value(h.hz)}) +
               si.axial(h.hz);
    case FieldPointKind::OnWinding:
        return Row(n,
                   "z = %1 м, r = %2 м — на обмотке\nна обмотке: Hz — среднее по обе стороны, Hz = %3, Hr = %4 "
                   "(в единицах n·I/2)\nнаклон dr/dz на обмотке меняется скачком",
                   {zText, rText, n.value(h.hz), n.value(h.hr)}) +
               si.full(h);
    case FieldPointKind::Regular:
        break;
    }
    if (!IsProgramCoil(coils))
        return Row(n,
                   "z = %1 м, r = %2 м\nHz = %3, Hr = %4, |H| = %5 (в единицах n·I/2)\n"
                   "наклон dr/dz: %6 точно (Hr/Hz)",
                   {zText, rText, n.value(h.hz), n.value(h.hr), n.value(FieldStrength(h)), ExactSlopeText(h, n)}) +
               si.full(h);
    const double programSlope = sign * static_cast<double>(FieldSlope(p, z, std::fabs(r)));
    return Row(n,
               "z = %1 м, r = %2 м\nHz = %3, Hr = %4, |H| = %5 (в единицах n·I/2)\n"
               "наклон dr/dz: %6 по 500 точкам, %7 точно (Hr/Hz)",
               {zText, rText, n.value(h.hz), n.value(h.hr), n.value(FieldStrength(h)), SlopeText(programSlope, n),
                ExactSlopeText(h, n)}) +
           si.full(h);
}

// A reach of the uniform region in words: its distance, or more than it.
std::string ReachText(const UniformReach& reach, const ReadoutNumbers& n)
{
    return Row(n, reach.beyond ? "больше %1 м" : "%1 м", {n.coordinate(reach.distance)});
}

// The row of the uniform region, or of a field that vanishes everywhere.
std::string RegionRow(const CalcParams& p, const RunAdditions& a, const ReadoutNumbers& n)
{
    if (FieldVanishes(a.arrangement))
        return "\n" + std::string(n.language.translated(kVanishingFieldNote));
    if (!a.uniformPercent)
        return {};
    const UniformExtent e = UniformRegionExtent(p, a.arrangement, *a.uniformPercent / 100, p.halfRange);
    if (!e.exists)
        return "\n" + std::string(n.language.translated(kNoUniformRegionNote));
    const UniformReach length{e.back.distance + e.ahead.distance, e.back.beyond || e.ahead.beyond};
    return Row(n, "\nоднородная область (|H| в пределах %1 % от значения в центре):\n"
               "длина на оси %2, радиус в средней плоскости %3",
               {n.value(*a.uniformPercent), ReachText(length, n), ReachText(e.across, n)});
}

}  // namespace

ReadoutNumbers PlainReadoutNumbers(char decimalSeparator, const Language& language)
{
    const char decimal = language.decimalPoint(decimalSeparator);
    return {[decimal](double v) { return PrintedNumber("%.3f", v, decimal); },
            [decimal](double v) { return PrintedNumber("%.4g", v, decimal); }, language};
}

std::string PointReadout(const CalcParams& drawn, int width, int height, double x, double y,
                         const ReadoutNumbers& numbers, const RunAdditions& additions)
{
    if (!(x >= 0 && y >= 0 && x < width && y < height))
        return {};
    const CalcParams& p = drawn;
    const double z = p.zMin + x / p.scaleX;
    const SiRows si(p, additions.winding, numbers);
    const std::string region = RegionRow(p, additions, numbers);
    if (p.graphMode == kAxisGraph)
        return AxisReadout(p, additions.arrangement, z, numbers, si) + region;
    const double r = (p.scaleY * p.yMax - y) / p.scaleX;
    return LinesReadout(p, additions.arrangement, z, r, numbers, si) + region;
}
