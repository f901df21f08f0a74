// The field on the axis and the slope of the field lines: values of the ideal coil, and the
// fast sum against the plain sample-by-sample one, bit for bit, wherever a run can ask for it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "field/angular_sum.h"
#include "field/axial_field.h"
#include "field/field_slope.h"
#include "reference/plain_field_slope.h"
#include "test_support.h"

// Bit for bit; any two NaNs count as equal (a NaN only ever ends a line).
static bool Same(float a, float b) { return std::isnan(a) ? std::isnan(b) : std::memcmp(&a, &b, sizeof a) == 0; }

TEST(AxialField, ValuesOfTheIdealCoilEvenInZAndDegenerateCoils)
{
    // With no radius 2 inside, 0 outside and on an end the mean of the two; with no length nothing.
    const double cases[][4] = {{0.2, 1, 0, 1.8569534}, {0.2, 1, 0.25, 1.7471037}, {0.2, 1, -0.5, 0.98058069}, {0.2, 1, 2, 0.0055873781},
                               {0, 1, 0.3, 2}, {0, 1, 0.7, 0}, {0, 1, -0.5, 1}, {0.2, 0, 1.3, 0}, {0, 0, 0, 0}};
    for (const auto& [R, L, z, field] : cases)
        EXPECT_EQ(AxialField(RunValues(kAxisGraph, R, L), z), static_cast<float>(field)) << "R=" << R << " L=" << L << " z=" << z;
    for (double R : {0.0, 0.2, 10.0})
        for (double L : {0.1, 9.9})
            for (double z = 0; z <= 9.8; z += 0.0049)  // even in z, bit for bit, and positive
                ASSERT_TRUE(Same(AxialField(RunValues(kAxisGraph, R, L), z), AxialField(RunValues(kAxisGraph, R, L), -z)) &&
                            AxialField(RunValues(kAxisGraph, R, L), z) >= 0) << R << " " << L << " " << z;
}

TEST(FieldSlope, ValuesOfTheFiveHundredSampleSumAndItsSymmetries)
{
    const CalcParams p = RunValues(kFieldLinesGraph);
    // To three digits; outside the winding the axial field is reversed; on its cylinder just beyond the
    // end; within its length there the sample at phi = 0 takes the limit along the cylinder, ends / 2R.
    const double cases[][3] = {{0.25, 0.1, 0.0295}, {0.5, 0.1, 0.281}, {1.0, 0.5, 1.16}, {0.3, 0.3, -0.868},
                               {0.002, 0.175, 0.000203}, {0.53, 0.2, 1.63}, {0.3, 0.2, 0.149}};
    for (const auto& [z, r, slope] : cases)
        EXPECT_NEAR(FieldSlope(p, z, r), slope, 0.5 * std::pow(10.0, std::floor(std::log10(std::fabs(slope))) - 2)) << z << " " << r;
    EXPECT_NEAR(FieldSlope(p, 0.3, 0.2), 0.14936, 1e-5);  // with R instead of 2R it would be 0.1490
    EXPECT_FLOAT_EQ(FieldSlope(p, -0.6, 0.1), -FieldSlope(p, 0.6, 0.1));
    for (double R : {0.1, 0.2, 5.0})
        for (double r : {0.0, 0.01, 0.19, 0.35, 9.5})
            EXPECT_EQ(FieldSlope(RunValues(kFieldLinesGraph, R), 0, r), 0.0f) << "mid-plane, R=" << R << " r=" << r;
}

TEST(FieldSlopeAgreement, BitForBitWithThePlainSumOnOneHundredThousandPoints)
{
    std::vector<AngularSumFunction> sets{SumAngularSamplesSse2};
    if (__builtin_cpu_supports("avx"))
        sets.push_back(SumAngularSamplesAvx);
    const auto agree = [&](const CalcParams& p, double z, double r) {
        const float plain = PlainFieldSlope(p, z, r);
        bool same = Same(FieldSlope(p, z, r), plain);
        for (AngularSumFunction f : sets)
            same = same && Same(AngularSum(p, f).slope(p.radius, p.length, z, r), plain);
        return same;
    };
    // A grid, dense from ulps to millimetres around the winding, mid-plane, axis and ends, for thin to wide coils.
    const auto around = [](std::vector<double> values, double v, double scale) {
        values.insert(values.end(), {v, std::nextafter(v, -1e300), std::nextafter(v, 1e300)});
        for (double d = 1e-17; d < 1e-2; d *= 8)
            values.insert(values.end(), {v + d * scale, v - d * scale});
        return values;
    };
    for (const auto& [R, L] : {std::pair{0.2, 1.0}, {0.1, 0.1}, {0.5, 2.0}, {1.0, 0.1}, {0.1, 10.0}, {10.0, 0.1}, {10.0, 10.0}, {3.3, 0.7}}) {
        std::vector<double> zs, rs;
        for (int k = -20; k <= 20; ++k)
            zs.push_back(k * (L + R) / 10), rs.push_back(std::fabs(k) * (L + R) / 10 + 1e-3);
        for (double z : around(around(around(zs, 0, L), L / 2, L), -L / 2, L))
            for (double r : around(around(rs, 0, R), R, R))
                ASSERT_TRUE(agree(RunValues(kFieldLinesGraph, R, L), z, std::fabs(r))) << "R=" << R << " L=" << L << " z=" << z << " r=" << r;
    }
}
