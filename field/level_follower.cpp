#include "field/level_follower.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "field/arrangement_field.h"

namespace {

constexpr double kLevelTolerance = 1e-10;  // of |psi|, for every vertex
constexpr int kMostSolverRounds = 60;

// The lines are written to 17 digits and must be the same on every platform,
// while the C library's hypot, atan2, sin and cos differ in their last bits
// from one library to another (the desktop's, the WebAssembly build's): what
// decides a vertex is computed from +, -, *, / and sqrt alone.

// |(x, y)|, for lengths of the meridian plane (no fear of overflow).
double Length(double x, double y)
{
    return std::sqrt(x * x + y * y);
}

// The angle of the vector (x, y) from the x axis, -pi to pi, as atan2(y, x)
// to a few units in the last place; 0 for a zero vector.
double PlaneAngle(double x, double y)
{
    const double ax = std::fabs(x), ay = std::fabs(y);
    if (!(std::max(ax, ay) > 0))
        return 0;
    double t = std::min(ax, ay) / std::max(ax, ay);  // the tangent of an angle b within an octant
    for (int k = 0; k < 2; ++k)
        t /= 1 + std::sqrt(1 + t * t);  // tan(b/2) = tan b / (1 + sqrt(1 + tan^2 b)): b/4 <= pi/16
    // atan t / t = 1 - t^2/3 + t^4/5 - ..., to the last digit in 12 terms for t <= tan(pi/16)
    const double t2 = t * t;
    double series = 0;
    for (int n = 23; n >= 1; n -= 2)
        series = 1.0 / n - t2 * series;
    double a = 4 * t * series;
    if (ay > ax)
        a = std::numbers::pi / 2 - a;
    if (x < 0)
        a = std::numbers::pi - a;
    return y < 0 ? -a : a;
}

}  // namespace

double DistanceToSegment(const MeridianPoint& q, const MeridianPoint& a, const MeridianPoint& b)
{
    const double dz = b.z - a.z, dr = b.r - a.r, length2 = dz * dz + dr * dr;
    const double t = length2 > 0 ? std::clamp(((q.z - a.z) * dz + (q.r - a.r) * dr) / length2, 0.0, 1.0) : 0.0;
    return Length(q.z - (a.z + t * dz), q.r - (a.r + t * dr));
}

LevelFollower::LevelFollower(const CalcParams& p, const CoilArrangement& coils, double psi0, double pixel, int sense)
    : p_(p), coils_(coils), psi0_(psi0), tol_(kLevelTolerance * std::fabs(psi0)), pixel_(pixel), sense_(sense)
{
}

LevelFollower::Node LevelFollower::at(double z, double r) const
{
    return {{z, r}, ExactFieldAndFlux(p_, coils_, z, r)};
}

// The root of psi(path(s)) = psi0 for lo < s < hi, from s: Newton's method
// kept inside the bracket [lo, hi], which it halves where Newton would
// leave it. path(s) gives the point and its derivative in s. psi - psi0
// must change sign over the bracket: `rising` tells how, or, if unknown,
// both ends are tried first. False if it finds no root.
template <class Path>
bool LevelFollower::solve(const Path& path, double lo, double hi, double s, int rising, Node& out) const
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

// The unit direction of the way followed at a node; false for a zero field.
bool LevelFollower::direction(const Node& n, double& tz, double& tr) const
{
    const double h = FieldStrength(n.f.field);
    if (!(h > 0) || !std::isfinite(h))
        return false;
    tz = sense_ * (n.f.field.hz / h);
    tr = sense_ * (n.f.field.hr / h);
    return true;
}

bool LevelFollower::step(const Node& from, double& h, Node& to) const
{
    double tz, tr;
    if (!direction(from, tz, tr))
        return false;
    const double hMin = pixel_ * 1e-6;
    // psi grows to the left of the way the field points (grad psi = r |H| times the
    // left normal), so on the circle of radius h around `from` the line leaves
    // where psi - psi0 turns from negative (right) to positive (left); it came in
    // from behind, at an angle of pi. Against the field the sides swap. A sharp
    // turn, where the line passes through the winding, is found as well as a gentle one.
    // The circle is parametrised by u = tan(phi/2) of the angle phi from the way
    // followed: (cos phi, sin phi) = (1 - u^2, 2u) / (1 + u^2), and dphi/du = 2 / (1 + u^2).
    constexpr double kBehind = 48;  // u of phi = 3.0999..., just short of straight back
    for (;;) {
        auto circle = [&](double u) {
            const double q = 1 + u * u, c = (1 - u * u) / q, s = 2 * u / q, dphi = 2 / q;
            const double cz = tz * c - tr * s, cr = tr * c + tz * s;
            return PathPoint{{from.at.z + h * cz, from.at.r + h * cr}, -h * cr * dphi, h * cz * dphi};
        };
        const bool found = solve(circle, -kBehind, kBehind, 0, sense_, to);
        double uz, ur;
        if (found && direction(to, uz, ur)) {
            const double chord = Length(to.at.z - from.at.z, to.at.r - from.at.r);
            const double turn = std::fabs(PlaneAngle(tz * uz + tr * ur, tz * ur - tr * uz));
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

bool LevelFollower::onSegment(const MeridianPoint& a, const MeridianPoint& b, Node& out) const
{
    for (const MeridianPoint& end : {a, b}) {
        out = at(end.z, end.r);
        if (std::fabs(out.f.psi - psi0_) <= tol_)
            return true;  // a node on the level itself
    }
    const double dz = b.z - a.z, dr = b.r - a.r;
    auto segment = [&](double s) { return PathPoint{{a.z + s * dz, a.r + s * dr}, dz, dr}; };
    return solve(segment, 0, 1, 0.5, 0, out);
}

bool LevelFollower::crossing(const Node& inside, const Node& beyond, double zEdge, double rEdge, Node& out) const
{
    const double dz = beyond.at.z - inside.at.z, dr = beyond.at.r - inside.at.r;
    const double reach = Length(dz, dr);
    if (std::isfinite(zEdge)) {
        const double r = inside.at.r + (zEdge - inside.at.z) / dz * dr;
        auto edge = [&](double s) { return PathPoint{{zEdge, r + s}, 0, 1}; };
        double lo = -std::min(reach, r), hi = reach;
        // Across a winding psi turns back (r Hz changes sign): stay on the chord's side of it.
        const double R = p_.radius;
        for (const PlacedCoil& c : coils_.coils)
            if (std::fabs(zEdge - c.offset) < p_.length / 2 && r + lo < R && r + hi > R)
                (r > R ? lo : hi) = R - r;
        return solve(edge, lo, hi, 0, 0, out);
    }
    const double z = inside.at.z + (rEdge - inside.at.r) / dr * dz;
    auto edge = [&](double s) { return PathPoint{{z + s, rEdge}, 1, 0}; };
    return solve(edge, -reach, reach, 0, 0, out);
}

double LevelFollower::longestStep(const MeridianPoint& at) const
{
    double nearest = std::numeric_limits<double>::infinity();
    for (const PlacedCoil& c : coils_.coils)
        nearest = std::min(nearest, Length(at.z - c.offset, at.r));
    return 0.1 * (nearest + p_.radius + p_.length) + pixel_;
}

LevelEnd FollowLevel(const LevelFollower& follow, const LevelFollower::Node& start, const LevelWindow& window,
                     bool closing, std::vector<MeridianPoint>& line, std::size_t most)
{
    const double pixel = follow.pixel();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    LevelFollower::Node here = start;
    double h = pixel;
    bool away = false;  // two pixels from its start, four pixels along it, or turned by 3/4 of a turn
    double along = 0, turned = 0, lastDz = 0, lastDr = 0;
    while (line.size() < most) {
        h = std::min(h, follow.longestStep(here.at));
        LevelFollower::Node next;
        if (!follow.step(here, h, next))
            return LevelEnd::Stuck;
        if (closing) {
            if (away && DistanceToSegment(start.at, here.at, next.at) <= pixel / 2) {
                line.push_back(start.at);
                return LevelEnd::Closed;
            }
            const double dz = next.at.z - here.at.z, dr = next.at.r - here.at.r;
            along += Length(dz, dr);
            turned += PlaneAngle(lastDz * dz + lastDr * dr, lastDz * dr - lastDr * dz);
            lastDz = dz, lastDr = dr;
            away = away || along > 4 * pixel || std::fabs(turned) > 1.5 * std::numbers::pi ||
                   Length(next.at.z - start.at.z, next.at.r - start.at.r) > 2 * pixel;
        }
        // the first edge the chord crosses: z = zLow, z = zHigh or r = rHigh
        double tBest = 2, zEdge = nan, rEdge = nan;
        const double dz = next.at.z - here.at.z, dr = next.at.r - here.at.r;
        if (next.at.z < window.zLow && (window.zLow - here.at.z) / dz < tBest)
            tBest = (window.zLow - here.at.z) / dz, zEdge = window.zLow;
        if (next.at.z > window.zHigh && (window.zHigh - here.at.z) / dz < tBest)
            tBest = (window.zHigh - here.at.z) / dz, zEdge = window.zHigh;
        if (next.at.r > window.rHigh && (window.rHigh - here.at.r) / dr < tBest)
            tBest = (window.rHigh - here.at.r) / dr, zEdge = nan, rEdge = window.rHigh;
        if (tBest <= 1) {
            LevelFollower::Node end;
            line.push_back(follow.crossing(here, next, zEdge, rEdge, end) ? end.at : next.at);
            return LevelEnd::Edge;
        }
        line.push_back(next.at);
        here = next;
    }
    return LevelEnd::Stuck;
}
