#include "field/exact_field.h"

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

struct Sums {
    double hz = 0;
    double hr = 0;
    double psi = 0;
};

// The terms of one end of the coil, at zeta = z -+ L/2 from it, for a coil of
// radius a at the distance rho from the axis (Derby and Olbert's notation).
void addEnd(Sums& sums, double sign, double zeta, double a, double rho, bool withFlux)
{
    const double s = std::sqrt(zeta * zeta + (a + rho) * (a + rho));
    const double kc = std::sqrt(zeta * zeta + (a - rho) * (a - rho)) / s;  // complementary modulus
    if (kc == 0)
        return;  // the rim itself: this end's terms are left out (see the header)
    const double alpha = a / s;
    const double beta = zeta / s;
    const double gamma = (a - rho) / (a + rho);
    const double gamma2 = gamma * gamma;
    const double q = 4 * a * rho / ((a + rho) * (a + rho));  // 1 - gamma^2

    // Hz ~ beta cel(kc, gamma^2, 1, gamma), Hr ~ alpha cel(kc, 1, 1, -1)
    if (!withFlux) {
        const auto c = CelSameModulus<2>(kc, {{{gamma2, 1, gamma}, {1, 1, -1}}});
        sums.hz += sign * beta * c[0];
        sums.hr += sign * alpha * c[1];
        return;
    }
    // psi ~ beta J, J = (cel(kc, 1, 0, 1) - gamma^2 cel(kc, gamma^2, 0, 1)) / (1 - gamma^2)
    double J;
    if (q >= 0.25) {
        const auto c = CelSameModulus<4>(kc, {{{gamma2, 1, gamma}, {1, 1, -1}, {1, 0, 1}, {gamma2, 0, 1}}});
        sums.hz += sign * beta * c[0];
        sums.hr += sign * alpha * c[1];
        J = (c[2] - gamma2 * c[3]) / q;
    } else {  // near the axis or far from it the difference would cancel: direct quadrature
        const auto c = CelSameModulus<2>(kc, {{{gamma2, 1, gamma}, {1, 1, -1}}});
        sums.hz += sign * beta * c[0];
        sums.hr += sign * alpha * c[1];
        J = quarterTurnMidpoint(kc * kc, gamma2);
    }
    sums.psi += sign * beta * J;
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
            out.field.hz = endTerm(z + L / 2, R) - endTerm(z - L / 2, R);  // the axis field
        return out;
    }
    if (rho == R)
        out.field.kind = std::fabs(z) < L / 2 ? FieldPointKind::OnWinding
                       : std::fabs(z) == L / 2 ? FieldPointKind::AtRim
                                               : FieldPointKind::Regular;

    Sums sums;
    addEnd(sums, +1, z + L / 2, R, rho, withFlux);
    addEnd(sums, -1, z - L / 2, R, rho, withFlux);
    // Hz = (2/pi) R/(R + rho) [beta+ C+ - beta- C-], Hr = (2/pi) [alpha+ P+ - alpha- P-]
    out.field.hz = (2 / kPi) * R / (R + rho) * sums.hz;
    out.field.hr = out.field.kind == FieldPointKind::AtRim ? 0.0 : rSign * (2 / kPi) * sums.hr;
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
