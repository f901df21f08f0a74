// Pairs of coils against known physics: Helmholtz and anti-Helmholtz pairs,
// symmetry, far pairs, the pair's lines of equal flux, the uniform region.
#include <gtest/gtest.h>

#include <cmath>

#include "field/arrangement_field.h"
#include "field/equal_flux_lines.h"
#include "field/flux_contours.h"
#include "field/uniform_region.h"
#include "measure/axis_comparison.h"
#include "test_support.h"

namespace {

enum class Check {
    HelmholtzRatio,  // the centre 2 (4/5)^(3/2) times one thin coil's own
    CentreCurvature, // d2Hz/dz2 at the centre: 0 at D = R, a dip for D > R, a peak for D < R
    Parity,          // even or odd in z as the currents are alike or opposed
    FarSplit,        // far apart, each coil's neighbourhood is that coil's own field
    LinesOnLevels,   // every vertex on one of the levels (k - 1/2)/N psi(-D/2, R), both signs if opposed
    LinesComplete,   // every crossing of a level on a fine grid lies on a piece, no piece twice; the most pieces a level has
    UniformLength,   // the region's reach on the axis where the closed form leaves the tolerance
    MeasuredFit,     // measurements of the pair, off the ruler's zero and 3 % weak: the fit finds both
};

struct PairCase {
    const char* name;
    double R, L, D;
    bool opposed;
    Check check;
    double expected = 0;  // the curvature's sign, or the tolerance in per cent
    friend void PrintTo(const PairCase& c, std::ostream* os) { *os << c.name; }
};

// One coil's field and flux, the pair's as the sum written out here.
struct Pair {
    CalcParams p;
    double D, sign;
    ExactFieldValue field(double z, double r) const
    {
        const ExactFieldValue a = ExactField(p, z + D / 2, r), b = ExactField(p, z - D / 2, r);
        return {a.hz + sign * b.hz, a.hr + sign * b.hr};
    }
    double psi(double z, double r) const { return FluxFunction(p, z + D / 2, r) + sign * FluxFunction(p, z - D / 2, r); }
};

// The field on the axis of thin coils from the loops' closed form R^2 / (R^2 + z^2)^(3/2).
double ThinAxial(double R, double L, double D, double z)
{
    const auto loop = [&](double zeta) { return L * R * R / std::pow(R * R + zeta * zeta, 1.5); };
    return loop(z + D / 2) + loop(z - D / 2);
}

class PairPhysics : public testing::TestWithParam<PairCase> {};

TEST_P(PairPhysics, AgreesWithKnownPhysics)
{
    const PairCase c = GetParam();
    const CalcParams p = Windowed(RunValues(kFieldLinesGraph, c.R, c.L, 0.6, 7));
    const CoilArrangement coils = PairArrangement({c.D, c.opposed});
    const Pair ref{p, c.D, c.opposed ? -1.0 : 1.0};
    const auto hz = [&](double z) { return ExactField(p, coils, z, 0).hz; };
    switch (c.check) {
    case Check::HelmholtzRatio:
        EXPECT_NEAR(hz(0) / ExactField(p, 0, 0).hz, 2 * std::pow(0.8, 1.5), 1e-6);
        EXPECT_NEAR(hz(0.05 * c.R) / hz(0), 1, 1e-5);  // dHz/dz = 0 and d2Hz/dz2 = 0: flat to the fourth order
        break;
    case Check::CentreCurvature: {
        const double h = 0.01 * c.R, d2 = (hz(h) - 2 * hz(0) + hz(-h)) / (h * h) * c.R * c.R / hz(0);
        EXPECT_EQ(hz(h) - hz(-h), 0);  // dHz/dz = 0: the pair is symmetric
        if (c.expected == 0)
            EXPECT_LT(std::fabs(d2), 1e-3);
        else
            EXPECT_GT(d2 * c.expected, 0.1) << d2;
        break;
    }
    case Check::Parity:
        for (const auto& [z, r] : {std::pair{0.07, 0.0}, {0.13, 0.05}, {0.3, 0.2}, {0.02, 0.9}}) {
            const ExactFieldValue a = ExactField(p, coils, z, r), b = ExactField(p, coils, -z, r);
            const double s = c.opposed ? -1 : 1, size = FieldStrength(a);
            EXPECT_NEAR(b.hz, s * a.hz, 1e-14 * size) << z << " " << r;
            EXPECT_NEAR(b.hr, -s * a.hr, 1e-14 * size) << z << " " << r;
            EXPECT_NEAR(FluxFunction(p, coils, -z, r), s * FluxFunction(p, coils, z, r), 1e-14 * std::fabs(ref.psi(z, r)));
        }
        EXPECT_TRUE(!c.opposed || hz(0) == 0);
        break;
    case Check::FarSplit:
        for (const auto& [z, r] : {std::pair{0.0, 0.1}, {0.1, 0.3}, {-0.3, 0.05}}) {
            const ExactFieldValue near = ExactField(p, coils, z - c.D / 2, r), own = ExactField(p, z, r);
            EXPECT_NEAR(near.hz, own.hz, 1e-5 * FieldStrength(own)) << z << " " << r;
            EXPECT_NEAR(near.hr, own.hr, 1e-5 * FieldStrength(own)) << z << " " << r;
        }
        break;
    case Check::LinesOnLevels: {
        const double whole = ref.psi(-c.D / 2, c.R), pixel = 1 / p.scaleX;
        const auto lines = EqualFluxContours(p, coils);
        ASSERT_GE(lines.size(), 7u);
        for (const auto& line : lines)
            for (const MeridianPoint& v : line) {
                const double k = std::fabs(ref.psi(v.z, v.r)) / whole * 7 + 0.5;  // the line's number
                EXPECT_NEAR(k, std::round(k), 1e-7) << v.z << " " << v.r;
                EXPECT_TRUE(std::round(k) >= 1 && std::round(k) <= 7 && (c.opposed || ref.psi(v.z, v.r) > 0));
                // in the quarter window; an end whose crossing of the edge cannot be solved, a step beyond it
                EXPECT_TRUE(v.z >= 0 && v.z <= p.zMax + pixel && v.r >= 0 && v.r <= p.yMax + pixel) << v.z << " " << v.r;
            }
        break;
    }
    case Check::LinesComplete: {
        // the whole half-plane of the window, where a level is a closed piece around each coil
        const std::vector<double> levels = EqualFluxLevels(p, coils);
        const double pixel = 1 / p.scaleX, z0 = p.zMin, width = p.zMax - p.zMin;
        const auto lines = FluxContours(p, coils, levels, {z0, p.zMax, p.yMax}, pixel);
        const auto onLevel = [&](const std::vector<MeridianPoint>& line, double level) {
            return std::fabs(ref.psi(line[line.size() / 2].z, line[line.size() / 2].r) - level) <= 1e-6 * std::fabs(level);
        };
        const auto near = [&](const MeridianPoint& q, double level, double within, const void* other) {
            for (const auto& line : lines)
                if (&line != other && onLevel(line, level))
                    for (size_t k = 1; k < line.size(); ++k)
                        if (DistanceToSegment(q, line[k - 1], line[k]) <= within)
                            return true;
            return false;
        };
        // a fine grid of its own: a crossing of a level between two nodes lies within reach of a piece
        const int nz = 600, nr = 150;
        std::vector<double> grid;
        for (int j = 0; j <= nr; ++j)
            for (int i = 0; i <= nz; ++i)
                grid.push_back(ref.psi(z0 + width * i / nz, p.yMax * j / nr));
        size_t most = 0;
        for (const double level : levels) {
            for (int j = 0; j <= nr; ++j)
                for (int i = 0; i < nz; ++i) {
                    const MeridianPoint a{z0 + width * i / nz, p.yMax * j / nr};
                    const bool crossed = (grid[j * (nz + 1) + i] < level) != (grid[j * (nz + 1) + i + 1] < level);
                    ASSERT_TRUE(!crossed || near(a, level, width / nz + pixel, nullptr)) << level << " at " << a.z << " " << a.r;
                }
            size_t pieces = 0;
            for (const auto& line : lines) {  // no piece drawn twice: its middle lies on no other piece of its level
                pieces += onLevel(line, level);
                EXPECT_FALSE(onLevel(line, level) && near(line[line.size() / 2], level, pixel / 2, &line)) << level;
            }
            most = std::max(most, pieces);
        }
        EXPECT_EQ(most, static_cast<size_t>(c.expected));
        break;
    }
    case Check::MeasuredFit: {
        const CoilCurrent current{100, 2};
        const double c0 = FluxDensityPerUnit(current, c.L), z0 = 0.137;
        MeasurementSet set;
        for (int i = 0; i <= 40; ++i)
            set.points.push_back({0.015 * i, 0.97 * c0 * ref.field(0.015 * i - z0, 0).hz});
        const AxisComparison fitted = CompareMeasurements(p, current, set, true, {}, coils);
        EXPECT_TRUE(fitted.fitted && std::fabs(fitted.fit.z0 - z0) < 1e-6 && std::fabs(fitted.fit.k - 0.97) < 1e-6)
            << fitted.fit.z0 << " " << fitted.fit.k;
        EXPECT_LT(fitted.rms, 1e-6 * c0);
        break;
    }
    case Check::UniformLength: {
        const double share = c.expected / 100, h0 = ThinAxial(c.R, c.L, c.D, 0);
        double in = 0, out = 0.6;  // the reach where the thin loops' field leaves the tolerance
        for (int k = 0; k < 60; ++k)
            (std::fabs(ThinAxial(c.R, c.L, c.D, (in + out) / 2) / h0 - 1) < share ? in : out) = (in + out) / 2;
        const UniformExtent e = UniformRegionExtent(p, coils, share, 0.6);
        ASSERT_TRUE(e.exists && !e.ahead.beyond && !e.across.beyond);
        EXPECT_NEAR(e.ahead.distance, in, 1e-3 * in);
        EXPECT_NEAR(e.back.distance, in, 1e-3 * in);
        const auto within = [&](double r) { return std::fabs(FieldStrength(ref.field(0, r)) / ref.field(0, 0).hz - 1) < share; };
        EXPECT_TRUE(within(0.999 * e.across.distance) && !within(1.001 * e.across.distance));
        break;
    }
    }
}

// Thin coils: L = R / 1000; the Helmholtz pair at D = R.
INSTANTIATE_TEST_SUITE_P(Pairs, PairPhysics, testing::Values(
    PairCase{"helmholtz_centre_ratio", 0.2, 2e-4, 0.2, false, Check::HelmholtzRatio},
    PairCase{"helmholtz_centre_is_flat", 0.2, 2e-4, 0.2, false, Check::CentreCurvature, 0},
    PairCase{"wider_pair_dips_at_its_centre", 0.2, 2e-4, 0.3, false, Check::CentreCurvature, 1},
    PairCase{"closer_pair_peaks_at_its_centre", 0.2, 2e-4, 0.1, false, Check::CentreCurvature, -1},
    PairCase{"pair_is_even", 0.2, 0.05, 0.2, false, Check::Parity},
    PairCase{"opposed_pair_is_odd_and_zero_at_its_centre", 0.2, 0.05, 0.35, true, Check::Parity},
    PairCase{"far_pair_splits_into_two_coils", 0.2, 0.05, 20, false, Check::FarSplit},
    PairCase{"far_opposed_pair_splits_into_two_coils", 0.2, 0.05, 20, true, Check::FarSplit},
    PairCase{"helmholtz_lines_on_their_levels", 0.2, 0.05, 0.2, false, Check::LinesOnLevels},
    PairCase{"opposed_lines_on_levels_of_both_signs", 0.2, 0.05, 0.35, true, Check::LinesOnLevels},
    PairCase{"separate_loops_around_each_coil_all_found", 0.1, 0.05, 0.5, false, Check::LinesComplete, 2},
    PairCase{"opposed_pieces_all_found", 0.2, 0.05, 0.35, true, Check::LinesComplete, 1},
    PairCase{"helmholtz_one_per_cent_region", 0.2, 2e-4, 0.2, false, Check::UniformLength, 1},
    PairCase{"measurements_of_an_opposed_pair_fitted", 0.05, 0.02, 0.1, true, Check::MeasuredFit}),
    [](const auto& info) { return std::string(info.param.name); });

// The opposed pair has no uniform region; coinciding opposed coils have no
// field, and their run draws no lines, no map, but a note, and finishes; with large labels the note, too wide
// for the picture in one row, is broken into rows that lie inside it.
TEST(CoilPairRun, VanishingFieldsDrawNoLinesAndFinish)
{
    CalcParams p = RunValues(kFieldLinesGraph);
    EXPECT_FALSE(UniformRegionExtent(p, PairArrangement({0.35, true}), 0.01, 2).exists);
    RunAdditions a;
    a.fieldMap = a.arrows = true;
    a.uniformPercent = 1;
    a.arrangement = PairArrangement({0, true});
    TestSurface s(651, 320);
    ASSERT_TRUE(RunCalculation(p, s, StoppedClock, a).done);
    int noted = 0;  // the note's letters, black
    for (const DrawOp& op : s.ops) {
        EXPECT_TRUE(op.kind != DrawOp::Kind::Image && op.colour != kGraphColour);
        noted += op.kind == DrawOp::Kind::Polygon && op.colour == Rgb{0, 0, 0};
    }
    EXPECT_GT(noted, 20);
    a.largeLabels = true;
    TestSurface large(651, 320);
    ASSERT_TRUE(RunCalculation(p, large, StoppedClock, a).done);
    for (const DrawOp& op : large.ops)
        for (const SurfacePoint& c : op.corners)
            ASSERT_TRUE(c.x >= 0 && c.x <= 651 && c.y >= 0 && c.y < 320 / 2) << c.x << "," << c.y;
}

}  // namespace
