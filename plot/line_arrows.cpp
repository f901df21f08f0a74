#include "plot/line_arrows.h"

#include <cmath>

#include "field/arrangement_field.h"

namespace {

// Beyond this many pixels a segment runs far outside any picture: its marks are counted, not drawn.
constexpr double kLongestArrowedSegment = 1e5;

}  // namespace

void DrawArrowhead(const CalcParams& p, double z, double r, Rgb colour, DrawingSurface& surface,
                   const CoilArrangement& coils)
{
    const ExactFieldValue h = ExactField(p, coils, z, r);
    // on the picture r grows upwards: the direction (Hz, -Hr) in pixels
    const double strength = FieldStrength(h);
    if (!(strength > 0) || !std::isfinite(strength))
        return;
    const double ux = h.hz / strength, uy = -h.hr / strength;
    const double k = p.scaleX;  // distances from the axis use the horizontal scale
    const double middle = surface.lineWidth() / 2.0;  // of the line's pixels
    const double cx = (z - p.zMin) * k + middle, cy = p.yMax * p.scaleY - r * k + middle;
    const double ratio = surface.pixelRatio();
    const double kAhead = 5 * ratio, kBehind = 4 * ratio, kHalfWidth = 3.5 * ratio;
    const auto corner = [&](double along, double across) {
        return SurfacePoint{static_cast<float>(cx + along * ux - across * uy),
                            static_cast<float>(cy + along * uy + across * ux)};
    };
    surface.fillPolygon({corner(kAhead, 0), corner(-kBehind, kHalfWidth), corner(-kBehind, -kHalfWidth)}, colour);
}

void LineArrows::start()
{
    const double phase = 0.5 + 0.6180339887498949 * lines_++;
    untilNext_ = spacing() * (phase - std::floor(phase));
}

void LineArrows::along(double z0, double r0, double z1, double r1)
{
    const double length = std::hypot(z1 - z0, r1 - r0) * p_.scaleX;  // pixels
    if (!std::isfinite(length))
        return;
    const double spacing = this->spacing();
    if (length > kLongestArrowedSegment) {
        untilNext_ = spacing - std::fmod(length - untilNext_, spacing);
        return;
    }
    double at = untilNext_;
    for (; at <= length; at += spacing) {
        const double t = at / length;
        const double z = z0 + t * (z1 - z0), r = r0 + t * (r1 - r0);
        for (const int zSign : {1, -1}) {
            if (zSign < 0 && MirrorParity(coils_) == 0)
                break;  // a line of the whole half-plane: no mirror image about the mid-plane
            for (const int rSign : {-1, 1})
                DrawArrowhead(p_, zSign * z, rSign * r, colour_, surface_, coils_);
        }
    }
    untilNext_ = at - length;
}

void ArrowedLines::beginLine(double z, double r)
{
    drawing_.beginLine(z, r);
    arrows_.start();
}

void ArrowedLines::step(const FieldLineStep& s)
{
    drawing_.step(s);
    arrows_.along(s.zPrev, s.rPrev, s.z, s.r);
}

void DrawLineArrows(const CalcParams& p, const std::vector<std::vector<MeridianPoint>>& lines, Rgb colour,
                    DrawingSurface& surface, const CoilArrangement& coils)
{
    LineArrows arrows(p, surface, colour, coils);
    for (const std::vector<MeridianPoint>& line : lines) {
        arrows.start();
        for (size_t n = 1; n < line.size(); ++n)
            arrows.along(line[n - 1].z, line[n - 1].r, line[n].z, line[n].r);
    }
}
