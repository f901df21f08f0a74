#pragma once

#include <string>
#include <vector>

#include "measure/measured_units.h"
#include "texts/message.h"

// One measured value: the flux density B on the coil's axis at the position z
// of the ruler along it (whose zero need not be the coil's middle).
struct MeasuredPoint {
    double z = 0;  // m
    double b = 0;  // T
};

// A table of measured values as it was read: the model object that the axis
// graph, the comparison's table and its summary read. Once made it does not
// change; another file makes another set.
struct MeasurementSet {
    std::vector<MeasuredPoint> points;  // in the file's order, at least three, every value finite
    MeasuredUnits units;                // the units the file was written in
    std::string name;                   // the file's name, without its folder, as UTF-8 (maybe not valid)
};

// The fewest points a comparison and a fit are made with.
inline constexpr std::size_t kFewestMeasuredPoints = 3;

// "1 точка", "3 точки", "25 точек": the count with the word as Russian wants
// it; one point has a pattern of its own, for the languages whose singular
// is for one alone.
Message PointCountText(std::size_t count);
