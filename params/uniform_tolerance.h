#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "texts/message.h"

// The tolerance of the uniform region: the region around the coils' centre
// (z = 0, r = 0) where the field strength |H| differs from its value there by
// less than P per cent, 0 < P <= 100.
inline constexpr double kStartUniformPercent = 1;

// P written in the text (a decimal number with a point or a comma, a '%'
// after it allowed), or why it is not usable: one sentence (a message).
struct UniformPercentReading {
    std::optional<double> percent;
    Message refusal;
};
UniformPercentReading UniformPercentFromText(std::string_view text);
