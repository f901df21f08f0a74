#pragma once

#include <string>

// A table of measured values as a data logger writes it: a header line, then
// `rows` rows "z,B" with z in centimetres across 40 cm and B in millitesla,
// the field of the class's coil (R 2.1 cm, L 16 cm, 320 turns, 1.8 A).
std::string MeasurementRows(int rows);
