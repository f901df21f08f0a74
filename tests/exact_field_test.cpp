#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "field/axial_field.h"
#include "plot/colour_map.h"
#include "field/exact_field.h"
#include "field/exact_field_line.h"
#include "field/equal_flux_lines.h"
#include "plot/field_map_drawing.h"
#include "test_support.h"

namespace {

CalcParams coil(double R, double L)
{
    CalcParams p;
    SetDefaults(p);
    p.radius = R;
    p.length = L;
    return p;
}

// Adaptive 7-point Gauss / 15-point Kronrod quadrature of f over [a, b]; a
// piece is kept when its Gauss and Kronrod sums differ by at most tol
// (tol < 0: 1e-15 of a first estimate of the whole).
template <class F>
double integrate(const F& f, double a, double b, double tol = -1, int depth = 0)
{
    static const double x[8] = {0.991455371120812639, 0.949107912342758525, 0.864864423359769073, 0.741531185599394440,
                                0.586087235467691130, 0.405845151377397167, 0.207784955007898468, 0};
    static const double wk[8] = {0.022935322010529225, 0.063092092629978553, 0.104790010322250184, 0.140653259715525919,
                                 0.169004726639267903, 0.190350578064785410, 0.204432940075298892, 0.209482141084727828};
    static const double wg[4] = {0.129484966168869693, 0.279705391489276668, 0.381830050505118945, 0.417959183673469388};
    const double m = (a + b) / 2, h = (b - a) / 2;
    double k = wk[7] * f(m), g = wg[3] * f(m);
    for (int i = 0; i < 7; ++i) {
        const double s = f(m - h * x[i]) + f(m + h * x[i]);
        k += wk[i] * s;
        if (i % 2 == 1)
            g += wg[i / 2] * s;
    }
    if (tol < 0)
        tol = 1e-15 * std::fabs(k * h) + 1e-300;
    if (!(std::fabs(k - g) * std::fabs(h) > tol) || depth > 30)
        return k * h;
    return integrate(f, a, m, tol, depth + 1) + integrate(f, m, b, tol, depth + 1);
}

// The field of the coil as a stack of current loops: each loop's field from
// its elliptic integrals (Smythe), summed along the coil by quadrature.
ExactFieldValue loopStack(double R, double L, double z, double r)
{
    auto loop = [&](double zeta, bool axial) {
        const double s2 = (R + r) * (R + r) + zeta * zeta, d2 = (R - r) * (R - r) + zeta * zeta;
        const double k = std::sqrt(4 * R * r / s2);
        const double K = std::comp_ellint_1(k), E = std::comp_ellint_2(k);
        if (axial)
            return (K + (R * R - r * r - zeta * zeta) / d2 * E) / (std::numbers::pi * std::sqrt(s2));
        return zeta / r * (-K + (R * R + r * r + zeta * zeta) / d2 * E) / (std::numbers::pi * std::sqrt(s2));
    };
    ExactFieldValue h;
    for (bool axial : {true, false}) {
        if (!axial && r == 0)
            break;
        auto f = [&](double zc) { return loop(z - zc, axial); };
        const double zs = std::clamp(z, -L / 2, L / 2);  // the loop nearest the point splits the coil
        (axial ? h.hz : h.hr) = integrate(f, -L / 2, zs) + integrate(f, zs, L / 2);
    }
    return h;
}

struct Point {
    const char* name;
    double R, L, z, r;  // the coil, then the point
    friend void PrintTo(const Point& p, std::ostream* os) { *os << p.name; }
};

const Point kPoints[] = {
    {"inside", 0.2, 1, 0.25, 0.1},         {"middle_near_axis", 0.2, 1, 0, 0.003},
    {"inside_near_winding", 0.2, 1, 0.3, 0.1998}, {"outside_near_winding", 0.2, 1, 0.3, 0.2002},
    {"near_rim", 0.2, 1, 0.503, 0.198},    {"beyond_end", 0.2, 1, 0.7, 0.1},
    {"outside", 0.2, 1, 0.1, 0.6},         {"far", 0.2, 1, 3, 2},
    {"on_axis", 0.2, 1, 0.4, 0},           {"short_coil", 1, 0.1, 0.02, 0.7},
    {"short_coil_outside", 1, 0.1, -0.3, 1.5}, {"long_coil_middle", 0.2, 10, 0.5, 0.15},
};

class ExactFieldAt : public testing::TestWithParam<Point> {};

// H against the stack of loops (and, on the axis, AxialField); psi against the
// integral of Hz r dr over the radius, split where Hz jumps at the winding.
TEST_P(ExactFieldAt, AgreesWithIndependentSums)
{
    const Point c = GetParam();
    const CalcParams p = coil(c.R, c.L);
    const ExactFieldValue h = ExactField(p, c.z, c.r), ref = loopStack(c.R, c.L, c.z, c.r);
    const double size = std::hypot(ref.hz, ref.hr);
    EXPECT_NEAR(h.hz, ref.hz, 1e-12 * size);
    EXPECT_NEAR(h.hr, ref.hr, 1e-12 * size);
    EXPECT_TRUE(c.r > 0 || std::fabs(h.hz - AxialField(p, c.z)) <= 1e-7 * h.hz);
    auto f = [&](double r) { return ExactField(p, c.z, r).hz * r; };
    const double rs = std::min(c.r, c.R);
    const double psi = integrate(f, 0, rs) + integrate(f, rs, c.r);
    EXPECT_NEAR(FluxFunction(p, c.z, c.r), psi, 1e-10 * std::fabs(psi));
}

INSTANTIATE_TEST_SUITE_P(Points, ExactFieldAt, testing::ValuesIn(kPoints),
                         [](const auto& info) { return std::string(info.param.name); });

// The winding carries the sheet current n*I: Hz jumps by 2 units across it, the
// point itself reads the mean; at a rim the value is finite and flagged.
TEST(ExactField, WindingRimsAndDegenerateCoilsGiveFiniteValues)
{
    const CalcParams p = coil(0.2, 1);
    const double in = ExactField(p, 0.3, 0.2 * (1 - 1e-9)).hz, out = ExactField(p, 0.3, 0.2 * (1 + 1e-9)).hz;
    const ExactFieldValue on = ExactField(p, 0.3, 0.2);
    EXPECT_NEAR(in - out, 2, 1e-6);
    EXPECT_TRUE(on.kind == FieldPointKind::OnWinding && std::fabs(on.hz - (in + out) / 2) < 1e-6);
    const ExactFieldValue rim = ExactField(p, -0.5, 0.2);
    EXPECT_EQ(rim.kind, FieldPointKind::AtRim);
    EXPECT_TRUE(std::isfinite(rim.hz) && rim.hr == 0 && std::isfinite(FluxFunction(p, -0.5, 0.2)));
    for (const auto& [R, L] : {std::pair{0.0, 1.0}, {0.2, 0.0}, {0.0, 0.0}})
        for (double r : {0.0, 0.1, 0.2, 5.0}) {
            const ExactFieldValue h = ExactField(coil(R, L), 0.5, r);
            EXPECT_EQ(h.hz, r == 0 ? AxialField(coil(R, L), 0.5) : 0) << R << " " << L << " " << r;
            EXPECT_EQ(h.hr, 0);
            EXPECT_EQ(FluxFunction(coil(R, L), 0.5, r), 0);
        }
}

// Every vertex on the level of the seed, every chord within a quarter pixel of
// the curve (first-order distance psi error / |grad psi|), the end on an edge.
TEST(ExactFieldLine, FollowsTheLevelOfItsSeedToAnEdge)
{
    const double pixel = 4.0 / 651, zMax = 2, rMax = 2.0 * 320 / 651;
    for (const auto& [R, L, i] : {std::tuple{0.2, 1.0, 1}, {0.2, 1.0, 4}, {0.2, 1.0, 7}, {0.1, 0.1, 7}, {0.2, 10.0, 4}}) {
        SCOPED_TRACE(testing::Message() << "R=" << R << " L=" << L << " seed " << i);
        const CalcParams p = coil(R, L);
        const auto line = ExactFieldLine(p, L / 500, i * R / 8, zMax, rMax, pixel);
        const double level = FluxFunction(p, L / 500, i * R / 8);
        for (size_t k = 0; k + 1 < line.size(); ++k) {
            EXPECT_NEAR(FluxFunction(p, line[k].z, line[k].r), level, 1e-8 * level);
            const double zm = (line[k].z + line[k + 1].z) / 2, rm = (line[k].r + line[k + 1].r) / 2;
            const FieldAndFlux m = ExactFieldAndFlux(p, zm, rm);
            EXPECT_LE(std::fabs(m.psi - level) / (rm * FieldStrength(m.field)), pixel / 4);
            if (L == 10) {  // in a long coil the flux pi r^2 Haxis(z) stays (paraxial field)
                const double ratio = AxialField(p, L / 500) / AxialField(p, line[k].z);
                EXPECT_NEAR(line[k].r, i * R / 8 * std::sqrt(ratio), 1e-6);
            }
        }
        const MeridianPoint end = line.back();
        EXPECT_TRUE(end.z == 0 || end.z == zMax || end.r == rMax) << end.z << " " << end.r;
    }
    // the seed alone: on the axis, no coil, a window of no size; nothing: no pixel, a NaN seed
    for (const auto& [R, r0, zMax, px, n] : {std::tuple{0.2, 0.0, 2.0, pixel, 1u}, {0.0, 0.1, 2.0, pixel, 1u},
                                             {0.2, 0.1, 0.0, pixel, 1u}, {0.2, 0.1, 2.0, 0.0, 0u}, {0.2, NAN, 2.0, pixel, 0u}})
        EXPECT_EQ(ExactFieldLine(coil(R, 1), 0.002, r0, zMax, zMax / 2, px).size(), n) << R << " " << r0 << " " << zMax;
}

// A larger |H| never gets an earlier colour; any number of threads gives the
// same picture; degenerate pictures end without NaN.
TEST(FieldStrengthMap, ColoursFollowTheFieldStrength)
{
    CalcParams p = coil(0.2, 1);
    p.zMin = -1.3, p.scaleX = 80, p.scaleY = 80, p.yMax = 1;  // symmetric in r, not in z
    const FieldStrengthImage one = FieldStrengthMap(p, 200, 160, 1), three = FieldStrengthMap(p, 200, 160, 3);
    EXPECT_EQ(one.pixels, three.pixels);
    std::vector<std::pair<double, int>> byStrength;
    for (int y = 0; y < 160; ++y)
        for (int x = 0; x < 200; ++x) {
            int index = 0;
            while (ColourMapColour(index) != one.pixels[y * 200 + x] && index < kColourMapSize)
                ++index;
            byStrength.push_back({FieldStrength(ExactField(p, p.zMin + (x + 0.5) / 80, 1 - (y + 0.5) / 80)), index});
        }
    std::sort(byStrength.begin(), byStrength.end());
    for (size_t k = 1; k < byStrength.size(); ++k)
        ASSERT_LE(byStrength[k - 1].second, byStrength[k].second) << byStrength[k].first;
    for (const auto& [R, w, h] : {std::tuple{0.0, 200, 160}, {0.2, 1, 1}, {0.2, 0, 5}}) {
        p.radius = R;
        const FieldStrengthImage m = FieldStrengthMap(p, w, h);
        EXPECT_EQ(m.pixels.size(), static_cast<size_t>(w * h));
        EXPECT_TRUE(std::isfinite(m.lowest) && std::isfinite(m.highest));
    }
}

// Hz r dr integrated over the radius from the axis to r, split where Hz jumps at the winding.
double fluxByQuadrature(const CalcParams& p, double z, double r)
{
    auto f = [&](double x) { return ExactField(p, z, x).hz * x; };
    const double rs = std::min(r, p.radius);
    return integrate(f, 0, rs) + integrate(f, rs, r);
}

struct FluxCase {
    const char* name;
    double R, L, lines;
    size_t count;  // lines expected
    friend void PrintTo(const FluxCase& c, std::ostream* os) { *os << c.name; }
};

class EqualFluxLinesOf : public testing::TestWithParam<FluxCase> {};

// Line k of N (outermost first) starts on the mid-plane where the flux from
// the axis is (k - 1/2)/N of the coil's, and stays on that level.
TEST_P(EqualFluxLinesOf, LieOnTheirLevelsAndCarryEqualShares)
{
    const FluxCase c = GetParam();
    const CalcParams p = Windowed(RunValues(kFieldLinesGraph, c.R, c.L, 2, c.lines));
    const auto lines = EqualFluxLines(p);
    ASSERT_EQ(lines.size(), c.count);
    const double whole = fluxByQuadrature(p, 0, c.R);
    for (size_t k = 0; k < lines.size(); ++k) {
        const double level = (c.count - k - 0.5) / c.count * whole;
        ASSERT_GT(lines[k].size(), 10u);
        EXPECT_TRUE(lines[k].front().z == 0 && lines[k].front().r < c.R);
        for (size_t j = 0; j < lines[k].size(); j += lines[k].size() / 4)  // the start and a few vertices on
            EXPECT_NEAR(fluxByQuadrature(p, lines[k][j].z, lines[k][j].r), level, 1e-8 * whole) << k << " " << j;
    }
}

INSTANTIATE_TEST_SUITE_P(Coils, EqualFluxLinesOf,
                         testing::Values(FluxCase{"start_values", 0.2, 1, 7, 7}, FluxCase{"one_line", 0.2, 1, 1, 1},
                                         FluxCase{"fractional_count", 0.2, 1, 3.5, 3},
                                         FluxCase{"short_wide_coil", 0.8, 0.3, 12, 12},
                                         FluxCase{"below_one", 0.2, 1, 0.9, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

struct Quarter {
    const char* name;
    bool exact;  // the lines of equal flux, or the traced ones
    int zSign, rSign;
    friend void PrintTo(const Quarter& q, std::ostream* os) { *os << q.name; }
};

class ArrowsIn : public testing::TestWithParam<Quarter> {};

// Each arrowhead points along the field of the stack of loops at its own
// place (mirrored copies of a line do not get mirrored arrowheads), and a
// line carries one about every 80 pixels of its length.
TEST_P(ArrowsIn, PointAlongTheFieldAtTheirPlaces)
{
    const Quarter q = GetParam();
    CalcParams p = RunValues(kFieldLinesGraph);
    TestSurface s(651, 320);
    RunAdditions a;
    a.arrows = true;
    a.exact = q.exact ? ExactLines::EqualFlux : ExactLines::None;
    ASSERT_TRUE(RunCalculation(p, s, StoppedClock, a).done);
    const Rgb colour = q.exact ? kExactLineColour : kGraphColour;
    int inQuarter = 0, all = 0;
    for (const DrawOp& op : s.ops) {
        if (op.kind != DrawOp::Kind::Polygon || op.colour != colour)
            continue;
        ++all;
        ASSERT_EQ(op.corners.size(), 3u);
        const SurfacePoint tip = op.corners[0];
        const double bx = (op.corners[1].x + op.corners[2].x) / 2.0, by = (op.corners[1].y + op.corners[2].y) / 2.0;
        // the place: 5/9 of the way from the tip to the base, in the middle of the line's pixel
        const double x = (4 * tip.x + 5 * bx) / 9 - 0.5, y = (4 * tip.y + 5 * by) / 9 - 0.5;
        const double z = p.zMin + x / p.scaleX, r = (p.yMax * p.scaleY - y) / p.scaleX;
        if (z * q.zSign <= 0 || r * q.rSign <= 0)
            continue;
        ++inQuarter;
        const ExactFieldValue h = loopStack(p.radius, p.length, z, std::fabs(r));
        const double hr = q.rSign * h.hr;  // below the axis the mirror image: Hr changes sign
        const double dx = tip.x - bx, dy = tip.y - by;  // on the picture r grows upwards
        EXPECT_GT((dx * h.hz - dy * hr) / std::hypot(dx, dy) / std::hypot(h.hz, hr), 0.999) << z << " " << r;
    }
    EXPECT_GE(inQuarter, 5);
    if (q.exact) {
        double pixels = 0;
        const auto lines = EqualFluxLines(p);
        for (const auto& line : lines)
            for (size_t k = 1; k < line.size(); ++k)
                pixels += std::hypot(line[k].z - line[k - 1].z, line[k].r - line[k - 1].r) * p.scaleX;
        EXPECT_NEAR(all / 4.0, pixels / 80, static_cast<double>(lines.size()));
    }
}

INSTANTIATE_TEST_SUITE_P(Quarters, ArrowsIn,
                         testing::Values(Quarter{"traced_right_above", false, 1, 1},
                                         Quarter{"traced_right_below", false, 1, -1},
                                         Quarter{"traced_left_above", false, -1, 1},
                                         Quarter{"traced_left_below", false, -1, -1},
                                         Quarter{"equal_flux_right_above", true, 1, 1},
                                         Quarter{"equal_flux_left_below", true, -1, -1}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
