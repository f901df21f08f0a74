#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "texts/message.h"

// The windings and the current that turn the program's field unit n*I/2
// into SI units, n = N/L being the turns per metre of the coil's length.
// H = n*I/2 * value (A/m), B = mu0 * n*I/2 * value (T), value in n*I/2. A
// negative current runs the other way round: H and B change sign.
struct CoilCurrent {
    long turns = 0;      // N, 1 to 1,000,000
    double amperes = 0;  // I, -1000 to 1000, not 0

    friend bool operator==(const CoilCurrent&, const CoilCurrent&) = default;
};

inline constexpr long kMostTurns = 1'000'000;
inline constexpr double kMostAmperes = 1000;
// The magnetic constant, N/A^2 (CODATA 2018).
inline constexpr double kMu0 = 1.25663706212e-6;

// H in A/m that one n*I/2 stands for with a coil of length L metres:
// N/L * I/2. NaN for L <= 0 (such a coil has no field of its own).
double StrengthPerUnit(const CoilCurrent& c, double length);

// B in tesla that one n*I/2 stands for: mu0 * N/L * I/2. NaN for L <= 0.
double FluxDensityPerUnit(const CoilCurrent& c, double length);

// The number of turns written in the text (digits, no sign), or why it is not
// usable: one sentence (a message).
struct TurnsReading {
    std::optional<long> turns;
    Message refusal;
};
TurnsReading TurnsFromText(std::string_view text);

// The current in amperes written in the text (a decimal number with a point
// or a comma, an optional sign and exponent), or why it is not usable.
struct AmperesReading {
    std::optional<double> amperes;
    Message refusal;
};
AmperesReading AmperesFromText(std::string_view text);
