#pragma once

#include <vector>

#include "field/exact_field.h"
#include "field/exact_field_line.h"
#include "params/calc_params.h"
#include "params/coil_arrangement.h"

// Follows a contour psi = psi0 of an arrangement's flux function in the
// meridian half-plane, step by step, with vertices on the level to 1e-10 of
// |psi0| and chords within a quarter of `pixel` (metres) of the curve. The
// exact field lines of the single coil and the lines of an arrangement are
// both followed by it.
class LevelFollower {
public:
    // A point of the line with the field and flux there.
    struct Node {
        MeridianPoint at;
        FieldAndFlux f;
    };

    // sense +1 follows the field, -1 goes against it.
    LevelFollower(const CalcParams& p, const CoilArrangement& coils, double psi0, double pixel, int sense = 1);

    Node at(double z, double r) const;

    // One step from `from` of about h along the line, h halved until the chord
    // stays within a quarter pixel of the curve; h comes back as the length
    // proposed for the next step. False where the field is zero or no step of
    // at least 1e-6 pixel can be made.
    bool step(const Node& from, double& h, Node& to) const;

    // Where the level lies on the segment from a to b, over which psi - psi0
    // changes sign. False if it cannot be solved.
    bool onSegment(const MeridianPoint& a, const MeridianPoint& b, Node& out) const;

    // Where the line crosses the boundary between `inside` and `beyond`: on
    // z = zEdge (zEdge finite) or on r = rEdge. False if it cannot be solved.
    bool crossing(const Node& inside, const Node& beyond, double zEdge, double rEdge, Node& out) const;

    // The longest step allowed at a point: a tenth of its distance from the
    // nearest coil's middle, plus the coil's size, plus a pixel.
    double longestStep(const MeridianPoint& at) const;

    double pixel() const { return pixel_; }

private:
    struct PathPoint {
        MeridianPoint point;
        double dz, dr;
    };

    template <class Path>
    bool solve(const Path& path, double lo, double hi, double s, int rising, Node& out) const;
    bool direction(const Node& n, double& tz, double& tr) const;

    const CalcParams& p_;
    const CoilArrangement& coils_;
    double psi0_;
    double tol_;
    double pixel_;
    int sense_;
};

// The distance from q to the segment from a to b, metres.
double DistanceToSegment(const MeridianPoint& q, const MeridianPoint& a, const MeridianPoint& b);

// The rectangle a line is followed in: zLow <= z <= zHigh, r <= rHigh.
struct LevelWindow {
    double zLow = 0;
    double zHigh = 0;
    double rHigh = 0;
};

enum class LevelEnd {
    Edge,    // the last vertex lies on the edge the line crossed (or, unsolved, just beyond it)
    Closed,  // the line came back to its start, which is its last vertex again
    Stuck,   // no step could be made, or the most vertices were reached
};

// Follows the line from `start` (inside the window, on the level), appending
// the vertices after it to `line` (at most `most` in all). With `closing`,
// a line that comes back within half a pixel of the start after it has been
// two pixels away from it (or, a loop smaller than that, gone four pixels
// along it or turned by three quarters of a turn) ends there.
LevelEnd FollowLevel(const LevelFollower& follow, const LevelFollower::Node& start, const LevelWindow& window,
                     bool closing, std::vector<MeridianPoint>& line, std::size_t most = 1000000);
