#include "field/exact_field_line.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "field/exact_field.h"
#include "field/field_line_tracer.h"
#include "field/run_stop.h"

namespace {

constexpr std::size_t kMostVertices = 1000000;
constexpr double kLevelTolerance = 1e-10;  // of |psi|, for every vertex
constexpr int kMostSolverRounds = 60;

// A point of the line with the field and flux there.
struct Node {
    MeridianPoint at;
    FieldAndFlux f;
};

class Follower {
public:
    Follower(const CalcParams& p, double psi0, double pixel)
        : p_(p), psi0_(psi0), tol_(kLevelTolerance * std::fabs(psi0)), pixel_(pixel)
    {
    }

    Node at(double z, double r) const { return {{z, r}, ExactFieldAndFlux(p_, z, r)}; }

    // The root of psi(path(s)) = psi0 for lo < s < hi, from s: Newton's method
    // kept inside the bracket [lo, hi], which it halves where Newton would
    // leave it. path(s) gives the point and its derivative in s. psi - psi0
    // must change sign over the bracket: `rising` tells how, or, if unknown,
    // both ends are tried first. False if it finds no root.
    template <class Path>
    bool solve(const Path& path, double lo, double hi, double s, int rising, Node& out) const
    {
        auto residual = [&](double t, double* slope) {
            const auto [point, dz, dr] = path(t);
            out = at(point.z, point.r);
            // d(psi)/dt = grad(psi) . (dz, dr), grad(psi) = (-r Hr, r Hz)
            if (slope)
                *slope = out.at.r * (-out.f.field.hr * dz + out.f.field.hz * dr);
            return out.f.psi - psi0_;
        };
        if (rising == 0) {
            const double fLo = residual(lo, nullptr), fHi = residual(hi, nullptr);
            if (!(fLo < 0 && fHi > 0) && !(fLo > 0 && fHi < 0))
                return false;
            rising = fHi > 0 ? 1 : -1;
        }
        for (int round = 0; round < kMostSolverRounds; ++round) {
            double slope = 0;
            const double f = residual(s, &slope);
            if (!std::isfinite(f) || out.at.r < 0)
                return false;
            if (std::fabs(f) <= tol_)
                return true;
            ((f < 0) == (rising > 0) ? lo : hi) = s;
            double next = s - f / slope;
            if (!(next > lo && next < hi))
                next = (lo + hi) / 2;
            if (next == s)
                return false;
            s = next;
        }
        return false;
    }

    struct PathPoint {
        MeridianPoint point;
        double dz, dr;
    };

    // The unit direction of the field at a node; false for a zero field.
    static bool direction(const Node& n, double& tz, double& tr)
    {
        const double h = FieldStrength(n.f.field);
        if (!(h > 0) || !std::isfinite(h))
            return false;
        tz = n.f.field.hz / h;
        tr = n.f.field.hr / h;
        return true;
    }

    // One step from `from` of about h along the line, with the step length
    // halved until the chord stays within a quarter pixel of the curve.
    // h comes back as the length proposed for the next step.
    bool step(const Node& from, double& h, Node& to) const
    {
        double tz, tr;
        if (!direction(from, tz, tr))
            return false;
        const double hMin = pixel_ * 1e-6;
        const double theta0 = std::atan2(tr, tz);
        // psi grows to the left of the way the field points (grad psi = r |H| times the
        // left normal), so on the circle of radius h around `from` the line leaves
        // where psi - psi0 turns from negative (right) to positive (left); it came in
        // from behind, at an angle of pi. A sharp turn, where the line passes through
        // the winding, is found as well as a gentle one.
        constexpr double kBehind = 3.1;
        for (;;) {
            auto circle = [&](double phi) {
                const double c = std::cos(theta0 + phi), s = std::sin(theta0 + phi);
                return PathPoint{{from.at.z + h * c, from.at.r + h * s}, -h * s, h * c};
            };
            const bool found = solve(circle, -kBehind, kBehind, 0, 1, to);
            double uz, ur;
            if (found && direction(to, uz, ur)) {
                const double chord = std::hypot(to.at.z - from.at.z, to.at.r - from.at.r);
                const double turn = std::fabs(std::atan2(tz * ur - tr * uz, tz * uz + tr * ur));
                // an arc turning by `turn` over `chord` leaves it by about chord * turn / 8;
                // a sharp corner in its middle by chord * turn / 4
                const double deviation = chord * turn / 4;
                if (deviation <= pixel_ / 4 || h <= hMin) {
                    const double grow = deviation > 0 ? 0.9 * std::sqrt(pixel_ / 4 / deviation) : 2.0;
                    h *= std::clamp(grow, 0.5, 2.0);
                    return true;
                }
            } else if (h <= hMin) {
                return false;
            }
            h /= 2;
        }
    }

    // Where the line crosses the boundary between `inside` and `beyond`: on
    // z = zEdge (zEdge finite) or on r = rEdge. False if it cannot be solved.
    bool crossing(const Node& inside, const Node& beyond, double zEdge, double rEdge, Node& out) const
    {
        const double dz = beyond.at.z - inside.at.z, dr = beyond.at.r - inside.at.r;
        const double reach = std::hypot(dz, dr);
        if (std::isfinite(zEdge)) {
            const double r = inside.at.r + (zEdge - inside.at.z) / dz * dr;
            auto edge = [&](double s) { return PathPoint{{zEdge, r + s}, 0, 1}; };
            double lo = -std::min(reach, r), hi = reach;
            // Across the winding psi turns back (r Hz changes sign): stay on the chord's side of it.
            const double R = p_.radius;
            if (std::fabs(zEdge) < p_.length / 2 && r + lo < R && r + hi > R)
                (r > R ? lo : hi) = R - r;
            return solve(edge, lo, hi, 0, 0, out);
        }
        const double z = inside.at.z + (rEdge - inside.at.r) / dr * dz;
        auto edge = [&](double s) { return PathPoint{{z + s, rEdge}, 1, 0}; };
        return solve(edge, -reach, reach, 0, 0, out);
    }

private:
    const CalcParams& p_;
    double psi0_;
    double tol_;
    double pixel_;
};

}  // namespace

std::vector<MeridianPoint> ExactFieldLine(const CalcParams& p, double z0, double r0, double zMax, double rMax,
                                          double pixel)
{
    std::vector<MeridianPoint> line;
    for (double v : {z0, r0, zMax, rMax, pixel, p.radius, p.length})
        if (!std::isfinite(v))
            return line;
    if (!(pixel > 0))
        return line;
    line.push_back({z0, r0});
    if (!(p.radius > 0 && p.length > 0 && r0 > 0 && z0 >= 0 && z0 <= zMax && r0 <= rMax))
        return line;

    const double psi0 = FluxFunction(p, z0, r0);
    if (!(psi0 != 0) || !std::isfinite(psi0))
        return line;
    const Follower follow(p, psi0, pixel);
    Node here = follow.at(z0, r0);
    double h = pixel;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    while (line.size() < kMostVertices) {
        // at most a tenth of the distance from the coil (plus its size): the length over which the field changes
        const double hMost = 0.1 * (std::hypot(here.at.z, here.at.r) + p.radius + p.length) + pixel;
        h = std::min(h, hMost);
        Node next;
        if (!follow.step(here, h, next))
            return line;
        // the first edge the chord crosses: the mid-plane, z = zMax or r = rMax
        double tBest = 2, zEdge = nan, rEdge = nan;
        const double dz = next.at.z - here.at.z, dr = next.at.r - here.at.r;
        if (next.at.z < 0 && -here.at.z / dz < tBest)
            tBest = -here.at.z / dz, zEdge = 0;
        if (next.at.z > zMax && (zMax - here.at.z) / dz < tBest)
            tBest = (zMax - here.at.z) / dz, zEdge = zMax;
        if (next.at.r > rMax && (rMax - here.at.r) / dr < tBest)
            tBest = (rMax - here.at.r) / dr, zEdge = nan, rEdge = rMax;
        if (tBest <= 1) {
            Node end;
            line.push_back(follow.crossing(here, next, zEdge, rEdge, end) ? end.at : next.at);
            return line;
        }
        line.push_back(next.at);
        here = next;
    }
    return line;
}

std::vector<std::vector<MeridianPoint>> ExactFieldLines(const CalcParams& p, const std::stop_token& stop)
{
    std::vector<std::vector<MeridianPoint>> lines;
    FieldLineSeeds seeds(p);
    double z0, r0;
    while (seeds.next(z0, r0)) {
        StopIfRequested(stop);
        lines.push_back(ExactFieldLine(p, z0, r0, p.zMax, p.yMax, 1 / p.scaleX));
    }
    return lines;
}
