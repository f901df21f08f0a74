#pragma once

// The angular sum of the off-axis field over count samples, one instantiation
// per instruction set: cosines holds cos(phi) of every sample, padded to a
// whole number of 4-wide blocks.
using AngularSumFunction = float (*)(const double* cosines, int count, double R, double L, double z, double r);

// Two doubles at a time: SSE2, on every x86-64 processor.
float SumAngularSamplesSse2(const double* cosines, int count, double R, double L, double z, double r);
// Four at a time: only on processors with AVX.
float SumAngularSamplesAvx(const double* cosines, int count, double R, double L, double z, double r);

// The fastest of the two that this processor runs.
AngularSumFunction FastestAngularSum();
