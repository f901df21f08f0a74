#pragma once

#include <cstdint>

// The viridis colour map (perceptually uniform, readable in grey and by most
// colour-blind viewers) in 256 steps, dark violet to yellow, and the place of
// a value on it on a logarithmic scale.

inline constexpr int kColourMapSize = 256;

// The colour of step index (clamped to 0..255), as 0xffRRGGBB.
uint32_t ColourMapColour(int index);

// The step of value on a logarithmic scale from lowest (step 0) to highest
// (step 255): log(value / lowest) / log(highest / lowest), clamped to the map.
// Never decreases as value grows. Values at or below lowest, 0 and NaN give 0;
// if highest <= lowest, every value from highest up gives 255 and the rest 0.
int ColourMapIndex(double value, double lowest, double highest);
