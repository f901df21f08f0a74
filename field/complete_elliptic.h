#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <limits>
#include <numbers>

// Bulirsch's generalized complete elliptic integral
//
//   cel(kc, p, c, s) = integral over 0..pi/2 of
//       (c cos^2 t + s sin^2 t) / ((cos^2 t + p sin^2 t) sqrt(cos^2 t + kc^2 sin^2 t)) dt,
//
// which holds all three kinds at once: K(k) = cel(kc, 1, 1, 1),
// E(k) = cel(kc, 1, 1, kc^2), Pi(n, k) = cel(kc, 1 - n, 1, 1), with the
// complementary modulus kc = sqrt(1 - k^2). Computed by Bulirsch's
// arithmetic-geometric-mean scheme (R. Bulirsch, Numer. Math. 13 (1969) 305),
// to a few units in the last place for 0 < |kc| <= 1 and p > 0 or
// p <= 0 (Cauchy principal value). kc = 0 (a logarithmic infinity) gives NaN,
// as does a NaN argument.
double Cel(double kc, double p, double c, double s);

// The three numbers (p, c, s) of one cel.
struct CelTerms {
    double p;
    double c;
    double s;
};

// Several cel of one modulus kc at once: the arithmetic-geometric means of kc
// are shared. Same accuracy and NaN cases as Cel.
template <std::size_t N>
std::array<double, N> CelSameModulus(double kc, const std::array<CelTerms, N>& terms)
{
    std::array<double, N> out;
    if (!(kc != 0) || std::isnan(kc)) {
        out.fill(std::numeric_limits<double>::quiet_NaN());
        return out;
    }
    // Quadratic convergence: a relative step of 1e-8 leaves an error near 1e-16.
    constexpr double kTolerance = 1e-8;
    constexpr int kMostRounds = 64;

    std::array<double, N> pp, cc, ss;
    const double k0 = std::fabs(kc);
    for (std::size_t i = 0; i < N; ++i) {
        const auto [p, c, s] = terms[i];
        if (p > 0) {
            pp[i] = std::sqrt(p);
            cc[i] = c;
            ss[i] = s / pp[i];
        } else {  // p <= 0: Bulirsch's transformation to a positive parameter
            const double f = kc * kc - p;
            const double g = 1 - p;
            const double q = (1 - kc * kc) * (s - c * p);
            pp[i] = std::sqrt(f / g);
            cc[i] = (c - s) / g;
            ss[i] = -q / (g * g * pp[i]) + cc[i] * pp[i];
        }
    }
    double k = k0;
    double em = 1;
    double kk = k;
    double gPrev = em;
    for (int round = 0;; ++round) {
        for (std::size_t i = 0; i < N; ++i) {
            const double f = cc[i];
            const double inv = 1 / pp[i];
            cc[i] = cc[i] + ss[i] * inv;
            const double g = kk * inv;
            ss[i] = 2 * (ss[i] + f * g);
            pp[i] = g + pp[i];
        }
        gPrev = em;
        em = k + em;
        if (!(std::fabs(gPrev - k) > gPrev * kTolerance) || round == kMostRounds)
            break;
        k = 2 * std::sqrt(kk);  // geometric mean, doubled
        kk = k * em;
    }
    for (std::size_t i = 0; i < N; ++i)
        out[i] = (std::numbers::pi / 2) * (ss[i] + cc[i] * em) / (em * (em + pp[i]));
    return out;
}
