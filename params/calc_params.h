#pragma once

#include <cstdint>

// The one record of the program: what the user sets, the fixed constants of
// the computation, and the plot window and scales that each run works out.
// Lengths are in metres. Every field is zero until SetDefaults fills it.
struct CalcParams {
    // Set by the user through the controls.
    double radius = 0;      // radius R of the solenoid, m
    double length = 0;      // length L of the solenoid, m
    double halfRange = 0;   // half-size a of the region along OZ, m
    int16_t graphMode = 0;  // 1 = field on the axis Hz(z); anything else = field lines
    double lineCount = 0;   // number of field lines, as read from the line-count box

    // Fixed constants.
    int16_t pointCount = 0;  // steps of the axis curve across the region
    double piValue = 0;      // the program's pi: 3.1415926, not the full constant
    double twoPi = 0;        // one full turn, 2 * piValue
    double angleStep = 0;    // angular step of the off-axis integration, twoPi / 500
    float scrollScale = 0;   // parameter value per scroll-bar span

    // Plot window and picture scales, rewritten by every calculation run.
    double zMin = 0;    // left end of the window along z, m
    float zMax = 0;     // right end of the window along z, m
    float yMin = 0;     // bottom of the window (Hz, or r in metres)
    float yMax = 0;     // top of the window
    double zStep = 0;   // step along z between points of the axis curve, m
    double scaleX = 0;  // pixels per metre along z
    double scaleY = 0;  // pixels per unit of the vertical quantity
};

// Graph kinds as stored in graphMode.
inline constexpr int16_t kAxisGraph = 1;
inline constexpr int16_t kFieldLinesGraph = 2;

// Fills the record with the start values of the program.
void SetDefaults(CalcParams& p);

// The record as the program starts with the given graph kind selected: the
// start values, and the graph kind that the graph list sets.
CalcParams StartValues(int16_t graphMode);

// Copies the plot window and scales that a run worked out (zMin to scaleY)
// from the record it drew with; the values the user set stay as they are.
void CopyRunFrame(CalcParams& to, const CalcParams& drawn);
