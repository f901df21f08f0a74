#include "field/exact_field.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>

#include "field/complete_elliptic.h"

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kLargest = 1e150;  // beyond this, squares of lengths would overflow

// a/sqrt(R^2 + a^2) in double, 0 for 0/0 (as AxialField counts it).
double endTerm(double a, double R)
{
    const double d = std::sqrt(R * R + a * a);
    return d == 0 ? 0.0 : a / d;
}

// The field on the axis, a/A - b/B with A = sqrt(R^2 + a^2), B = sqrt(R^2 + b^2),
// a = z + L/2, b = z - L/2. Beyond the ends, where a and b have one sign and
// the difference would cancel, as R^2 (a^2 - b^2) / (A B (a B + b A)), a^2 - b^2 = 2 z L.
double axisField(double z, double R, double L)
{
    const double a = z + L / 2, b = z - L / 2;
    if ((a > 0 && b > 0) || (a < 0 && b < 0)) {
        const double A = std::sqrt(R * R + a * a), B = std::sqrt(R * R + b * b);
        return R * R * (2 * z * L) / (A * B * (a * B + b * A));
    }
    return endTerm(a, R) - endTerm(b, R);
}

// J(kc, p) = integral over 0..pi/2 of sin^2 t cos^2 t / ((cos^2 t + p sin^2 t) sqrt(cos^2 t + kc^2 sin^2 t)) dt
// by the midpoint rule: the integrand is even and of period pi, and for
// 1 - p >= 1 - kc^2 with 1 - p < 1/4 its nearest pole lies acosh(2) off the
// real axis, so 8 points reach the last digit.
double quarterTurnMidpoint(double kc2, double p)
{
    constexpr int kPoints = 8;
    static const auto nodes = [] {
        std::array<std::array<double, 2>, kPoints> n{};
        for (int j = 0; j < kPoints; ++j) {
            const double t = (j + 0.5) * (kPi / 2) / kPoints;
            n[j] = {std::sin(t) * std::sin(t), std::cos(t) * std::cos(t)};
        }
        return n;
    }();
    double sum = 0;
    for (const auto& [s2, c2] : nodes)
        sum += s2 * c2 / ((c2 + p * s2) * std::sqrt(c2 + kc2 * s2));
    return sum * (kPi / 2) / kPoints;
}

// The terms of one end of the coil, at zeta = z -+ L/2 from it, for a coil of
// radius a at the distance rho from the axis (Derby and Olbert's notation).
struct End {
    double kc;     // complementary modulus: sqrt(zeta^2 + (a - rho)^2) / sqrt(zeta^2 + (a + rho)^2)
    double alpha;  // a / sqrt(zeta^2 + (a + rho)^2)
    double beta;   // zeta / sqrt(zeta^2 + (a + rho)^2)
};

End endTerms(double zeta, double a, double rho)
{
    const double s = std::sqrt(zeta * zeta + (a + rho) * (a + rho));
    return {std::sqrt(zeta * zeta + (a - rho) * (a - rho)) / s, a / s, zeta / s};
}

// The field's two sums over the ends (+ minus -), and psi's: Hz ~ beta cel(kc, gamma^2, 1, gamma),
// Hr ~ alpha cel(kc, 1, 1, -1), psi ~ beta J(kc, gamma^2). An end with kc = 0 is a rim:
// its terms are left out (see the header).
struct Sums {
    double hz = 0;
    double hr = 0;
    double psi = 0;
};

template <std::size_t N>
Sums endSums(const std::array<End, 2>& ends, double gamma, double q, bool withFlux)
{
    const double gamma2 = gamma * gamma;
    const std::array<CelTerms, 4> all = {{{gamma2, 1, gamma}, {1, 1, -1}, {1, 0, 1}, {gamma2, 0, 1}}};
    std::array<CelTerms, N> terms;
    std::copy_n(all.begin(), N, terms.begin());
    const auto c = CelEachModulus<2, N>({ends[0].kc, ends[1].kc}, {terms, terms});
    Sums sums;
    for (int e = 0; e < 2; ++e) {
        if (ends[e].kc == 0)
            continue;
        const double sign = e == 0 ? 1.0 : -1.0;
        sums.hz += sign * ends[e].beta * c[e][0];
        sums.hr += sign * ends[e].alpha * c[e][1];
        if (!withFlux)
            continue;
        // J = (cel(kc, 1, 0, 1) - gamma^2 cel(kc, gamma^2, 0, 1)) / (1 - gamma^2); near the
        // axis and far from it (1 - gamma^2 small) the difference would cancel: quadrature
        double J;
        if constexpr (N == 4)
            J = (c[e][2] - gamma2 * c[e][3]) / q;
        else
            J = quarterTurnMidpoint(ends[e].kc * ends[e].kc, gamma2);
        sums.psi += sign * ends[e].beta * J;
    }
    return sums;
}

FieldAndFlux evaluate(const CalcParams& p, double z, double r, bool withFlux)
{
    FieldAndFlux out;
    if (std::isnan(z) || std::isnan(r)) {
        const double nan = std::numeric_limits<double>::quiet_NaN();
        out.field.hz = out.field.hr = out.psi = nan;
        return out;
    }
    const double rSign = r < 0 ? -1.0 : 1.0;
    const double rho = std::fabs(r);
    const double R = p.radius > 0 ? p.radius : 0.0;
    const double L = p.length > 0 ? p.length : 0.0;
    if (std::fabs(z) > kLargest || rho > kLargest)
        return out;
    if (rho == 0 || R == 0 || L == 0) {
        if (rho == 0)
            out.field.hz = axisField(z, R, L);
        return out;
    }
    if (rho == R)
        out.field.kind = std::fabs(z) < L / 2 ? FieldPointKind::OnWinding
                       : std::fabs(z) == L / 2 ? FieldPointKind::AtRim
                                               : FieldPointKind::Regular;

    const std::array<End, 2> ends = {endTerms(z + L / 2, R, rho), endTerms(z - L / 2, R, rho)};
    const double gamma = (R - rho) / (R + rho);
    const double q = 4 * R * rho / ((R + rho) * (R + rho));  // 1 - gamma^2
    const Sums sums = withFlux && q >= 0.25 ? endSums<4>(ends, gamma, q, true) : endSums<2>(ends, gamma, q, withFlux);
    // Hz = (2/pi) R/(R + rho) [beta+ C+ - beta- C-], Hr = (2/pi) [alpha+ P+ - alpha- P-]
    out.field.hz = (2 / kPi) * R / (R + rho) * sums.hz;
    out.field.hr = out.field.kind == FieldPointKind::AtRim ? 0.0 : rSign * (2 / kPi) * sums.hr;
    // psi = rho A_phi, and A_phi (unit n*I/2) = (R / 2 pi) sum over the ends (+ minus -) of the
    // integral over 0..2 pi of cos(phi) asinh(zeta / D) dphi, D^2 = R^2 + rho^2 - 2 R rho cos(phi);
    // by parts and with phi = pi - 2t that integral is 16 R rho zeta J / ((R + rho)^2 sqrt(zeta^2 + (R + rho)^2)):
    // psi = 8 R^2 rho^2 / (pi (R + rho)^2) [beta+ J+ - beta- J-]
    const double w = R * rho / (R + rho);
    out.psi = 8 / kPi * w * w * sums.psi;
    return out;
}

}  // namespace

ExactFieldValue ExactField(const CalcParams& p, double z, double r)
{
    return evaluate(p, z, r, false).field;
}

double FieldStrength(const ExactFieldValue& h)
{
    // no overflow to fear: |H| stays far below 1e150 for lengths within the range above
    return std::sqrt(h.hz * h.hz + h.hr * h.hr);
}

double FluxFunction(const CalcParams& p, double z, double r)
{
    return evaluate(p, z, r, true).psi;
}

FieldAndFlux ExactFieldAndFlux(const CalcParams& p, double z, double r)
{
    return evaluate(p, z, r, true);
}
