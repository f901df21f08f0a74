// The fast field slope against the plain, sample-by-sample one: the same
// single-precision result, bit for bit, wherever a run can ask for it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "field/angular_sum.h"
#include "field/field_slope.h"
#include "reference/plain_field_slope.h"
#include "start_values.h"

namespace {

struct Point {
    double z, r;
};

// Equal bit for bit; any two NaNs count as equal (a NaN only ever ends a line).
bool sameSlope(float a, float b)
{
    if (std::isnan(a) || std::isnan(b))
        return std::isnan(a) && std::isnan(b);
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Points where the sum is delicate: random ones over the region, and dense
// clusters at the winding (r = R), the mid-plane (z = 0), the axis (r = 0) and
// the coil's ends (z = +-L/2), at distances from a few ulps to millimetres.
std::vector<Point> testPoints(double R, double L, int count, uint64_t seed)
{
    std::mt19937_64 rng(seed);
    std::uniform_real_distribution<double> unit(0, 1);
    const double reach = 2 * (L + R);
    // a signed offset, log-uniform from 1e-17 to 1e-2 of the scale, sometimes exactly 0
    const auto near = [&](double scale) {
        if (unit(rng) < 0.05)
            return 0.0;
        const double d = scale * std::pow(10.0, -17 + 15 * unit(rng));
        return unit(rng) < 0.5 ? -d : d;
    };
    const auto nudge = [&](double v) {  // v itself or one of its neighbouring doubles
        const double u = unit(rng);
        if (u < 0.1)
            return std::nextafter(v, -1e300);
        if (u < 0.2)
            return std::nextafter(v, 1e300);
        return v;
    };
    const auto anyZ = [&] { return reach * (2 * unit(rng) - 1); };
    const auto anyR = [&] { return reach * unit(rng); };

    std::vector<Point> points;
    points.reserve(count);
    while (static_cast<int>(points.size()) < count) {
        switch (points.size() % 6) {
        case 0: points.push_back({anyZ(), anyR()}); break;
        case 1: points.push_back({anyZ(), nudge(R + near(R))}); break;                            // the winding
        case 2: points.push_back({nudge(near(L)), anyR()}); break;                                // the mid-plane
        case 3: points.push_back({anyZ(), std::fabs(nudge(near(R)))}); break;                     // the axis
        case 4: points.push_back({nudge((unit(rng) < 0.5 ? -L : L) / 2 + near(L)), anyR()}); break;  // the ends
        default:                                                                                  // the winding's edges
            points.push_back({nudge((unit(rng) < 0.5 ? -L : L) / 2 + near(L)), nudge(R + near(R))});
        }
    }
    return points;
}

CalcParams coil(double R, double L) { return RunValues(kFieldLinesGraph, R, L, 2, 7); }

// The coils: the defaults, the short coil of a wide region, and shapes from
// thin and long to short and wide, including scroll-bar extremes.
const double kCoils[][2] = {{0.2, 1}, {0.1, 0.1}, {0.5, 2}, {1, 0.1}, {0.1, 10}, {10, 0.1}, {10, 10}, {3.3, 0.7}};

std::vector<AngularSumFunction> instructionSets()
{
    std::vector<AngularSumFunction> sets{SumAngularSamplesSse2};
    if (__builtin_cpu_supports("avx"))
        sets.push_back(SumAngularSamplesAvx);
    return sets;
}

}  // namespace

TEST(FieldSlopeAgreement, BitForBitWithThePlainSumOnOneHundredThousandPoints)
{
    int compared = 0;
    int seed = 1;
    for (const auto& [R, L] : kCoils) {
        const CalcParams p = coil(R, L);
        std::vector<AngularSum> sums;
        for (AngularSumFunction f : instructionSets())
            sums.emplace_back(p, f);
        for (const Point& q : testPoints(R, L, 13000, seed++)) {
            const float plain = PlainFieldSlope(p, q.z, q.r);
            const float fast = FieldSlope(p, q.z, q.r);
            ASSERT_TRUE(sameSlope(fast, plain)) << "R=" << R << " L=" << L << " z=" << q.z << " r=" << q.r
                                                << ": fast " << fast << ", plain " << plain;
            for (const AngularSum& sum : sums)
                ASSERT_TRUE(sameSlope(sum.slope(R, L, q.z, q.r), plain)) << "R=" << R << " L=" << L << " z=" << q.z
                                                                         << " r=" << q.r;
            ++compared;
        }
    }
    EXPECT_GE(compared, 100000);
}

TEST(FieldSlopeAgreement, ExactPointsOfTheCoilAndDegenerateCoils)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    // A zero radius or length is refused by the run but FieldSlope itself takes it.
    for (double R : {0.0, 0.2, 1e-300, 10.0}) {
        for (double L : {0.0, 1.0, 1e-300}) {
            const CalcParams p = coil(R, L);
            for (double z : {0.0, -0.0, L / 2, -L / 2, 1e-310, 0.3, 5.0, inf, nan}) {
                for (double r : {0.0, R, 1e-310, 0.1, 0.3, 2 * R, inf, nan}) {
                    const float plain = PlainFieldSlope(p, z, r);
                    ASSERT_TRUE(sameSlope(FieldSlope(p, z, r), plain)) << "R=" << R << " L=" << L << " z=" << z << " r=" << r;
                    for (AngularSumFunction f : instructionSets())
                        ASSERT_TRUE(sameSlope(AngularSum(p, f).slope(R, L, z, r), plain));
                }
            }
        }
    }
}

TEST(FieldSlopeAgreement, OtherAngleStepsGiveTheirOwnNumberOfSamplesOrNoSlopeAtAll)
{
    CalcParams p = coil(0.2, 1);
    for (const auto& [step, end] : {std::pair{6.2831852 / 37, 6.2831852}, {0.1, 1.0}, {1.0, 0.5}, {0.3, -1.0}, {0.7, 0.7}}) {
        p.angleStep = step;
        p.twoPi = end;
        const AngularSum sum(p);
        for (const Point& q : testPoints(0.2, 1, 300, 99))
            ASSERT_TRUE(sameSlope(FieldSlope(p, q.z, q.r), PlainFieldSlope(p, q.z, q.r))) << step << " " << end;
        EXPECT_TRUE(sum.isFor(p));
    }
    EXPECT_EQ(AngularSum(coil(0.2, 1)).sampleCount(), 500);
    EXPECT_EQ(AngularSum(0.1, 1.0).sampleCount(), 10);  // ten single-precision steps of 0.1 pass 1
    EXPECT_EQ(AngularSum(0.3, -1.0).sampleCount(), 0);

    // The plain loop would never end on these; the sum has no value.
    p = coil(0.2, 1);
    for (double step : {0.0, -0.1, 1e-30}) {
        p.angleStep = step;
        EXPECT_TRUE(std::isnan(FieldSlope(p, 0.3, 0.1))) << step;
    }
    CalcParams zero;  // before SetDefaults
    EXPECT_TRUE(std::isnan(FieldSlope(zero, 0.3, 0.1)));
}
