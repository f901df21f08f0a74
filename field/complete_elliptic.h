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

// cel for N terms (p, c, s) at each of M moduli kc[m], all at once: the
// arithmetic-geometric means of the M moduli run side by side (independent
// chains a processor can overlap) and share their rounds; a mean that has
// converged before the others only repeats itself (to an ulp or two). Same
// accuracy and NaN cases as Cel.
template <std::size_t M, std::size_t N>
std::array<std::array<double, N>, M> CelEachModulus(const std::array<double, M>& kc,
                                                    const std::array<std::array<CelTerms, N>, M>& terms)
{
    // Quadratic convergence: a relative step of 1e-8 leaves an error near 1e-16.
    constexpr double kTolerance = 1e-8;
    constexpr int kMostRounds = 64;

    std::array<std::array<double, N>, M> pp, cc, ss;
    std::array<double, M> k, em, kk;
    std::array<bool, M> usable;
    for (std::size_t m = 0; m < M; ++m) {
        usable[m] = kc[m] != 0 && !std::isnan(kc[m]);
        const double kcm = usable[m] ? kc[m] : 1.0;  // a stand-in, its results are dropped
        for (std::size_t i = 0; i < N; ++i) {
            const auto [p, c, s] = terms[m][i];
            if (p > 0) {
                pp[m][i] = std::sqrt(p);
                cc[m][i] = c;
                ss[m][i] = s / pp[m][i];
            } else {  // p <= 0: Bulirsch's transformation to a positive parameter
                const double f = kcm * kcm - p;
                const double g = 1 - p;
                const double q = (1 - kcm * kcm) * (s - c * p);
                pp[m][i] = std::sqrt(f / g);
                cc[m][i] = (c - s) / g;
                ss[m][i] = -q / (g * g * pp[m][i]) + cc[m][i] * pp[m][i];
            }
        }
        k[m] = std::fabs(kcm);
        em[m] = 1;
        kk[m] = k[m];
    }
    for (int round = 0;; ++round) {
        bool converged = true;
        for (std::size_t m = 0; m < M; ++m) {
            for (std::size_t i = 0; i < N; ++i) {
                const double f = cc[m][i];
                const double inv = 1 / pp[m][i];
                cc[m][i] = cc[m][i] + ss[m][i] * inv;
                const double g = kk[m] * inv;
                ss[m][i] = 2 * (ss[m][i] + f * g);
                pp[m][i] = g + pp[m][i];
            }
            const double gPrev = em[m];
            em[m] = k[m] + em[m];
            converged = converged && !(std::fabs(gPrev - k[m]) > gPrev * kTolerance);
        }
        if (converged || round == kMostRounds)
            break;
        for (std::size_t m = 0; m < M; ++m) {
            k[m] = 2 * std::sqrt(kk[m]);  // geometric mean, doubled
            kk[m] = k[m] * em[m];
        }
    }
    std::array<std::array<double, N>, M> out;
    for (std::size_t m = 0; m < M; ++m)
        for (std::size_t i = 0; i < N; ++i)
            out[m][i] = usable[m] ? (std::numbers::pi / 2) * (ss[m][i] + cc[m][i] * em[m]) / (em[m] * (em[m] + pp[m][i]))
                                  : std::numeric_limits<double>::quiet_NaN();
    return out;
}
