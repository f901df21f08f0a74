#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "texts/message.h"

// The coil's radius and length and the region's half-size typed in metres,
// as the scroll bars' range allows them (0 to 10 m), with any number of
// decimals: a lab sheet's R = 0.02524 m is a real coil's radius.
inline constexpr double kMostMetres = 10;

// The length written in the text (a decimal number with a point or a comma,
// params/decimal_text.h) from 0 to `most` metres (a whole number; 10 unless
// said), or why it is not usable: one sentence (a message). The value is the
// nearest double to the decimal written (-0 reads as +0); the dialogs, the
// page's address and the export tool all read their metres here.
struct MetresReading {
    std::optional<double> metres;
    Message refusal;
};
MetresReading MetresFromText(std::string_view text, double most = kMostMetres);
