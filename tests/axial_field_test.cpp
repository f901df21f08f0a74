#include <gtest/gtest.h>

#include <cstring>

#include "field/axial_field.h"
#include "start_values.h"

TEST(AxialField, ClosedFormAtKnownPointsAndForDegenerateCoils)
{
    const struct {
        double radius, length, z;
        float field;
    } cases[] = {
        {0.2, 1, 0, 1.8569534f},      {0.2, 1, 0.25, 1.7471037f}, {0.2, 1, 0.5, 0.98058069f},
        {0.2, 1, -0.5, 0.98058069f},  {0.2, 1, 1, 0.062751211f},  {0.2, 1, 2, 0.0055873781f},
        {0.2, 1, -2, 0.0055873781f},
        // a zero radius: 2 inside, 0 outside, and on an end the mean of the two
        {0, 1, 0, 2}, {0, 1, 0.3, 2}, {0, 1, 0.7, 0}, {0, 1, 0.5, 1}, {0, 1, -0.5, 1},
        // a zero length: no field
        {0.2, 0, 0, 0}, {0.2, 0, 1.3, 0}, {0, 0, 0, 0}, {0, 0, -1, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AxialField(RunValues(kAxisGraph, c.radius, c.length, 2, 7), c.z), c.field)
            << "R=" << c.radius << " L=" << c.length << " z=" << c.z;
}

TEST(AxialField, IsEvenBitForBitAndPositiveEverywhere)
{
    for (double R : {0.0, 0.1, 0.2, 3.7, 10.0}) {
        for (double L : {0.1, 1.0, 9.9}) {
            const CalcParams p = RunValues(kAxisGraph, R, L, 2, 7);
            for (int k = 0; k <= 2000; ++k) {
                const double z = k * 0.0049;
                const float plus = AxialField(p, z);
                const float minus = AxialField(p, -z);
                EXPECT_EQ(std::memcmp(&plus, &minus, sizeof plus), 0) << "R=" << R << " L=" << L << " z=" << z;
                EXPECT_GE(plus, 0.0f);
            }
        }
    }
}
