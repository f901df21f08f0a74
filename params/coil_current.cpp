#include "params/coil_current.h"

#include "params/decimal_text.h"

#include <charconv>
#include <cmath>
#include <limits>

double StrengthPerUnit(const CoilCurrent& c, double length)
{
    if (!(length > 0))
        return std::numeric_limits<double>::quiet_NaN();
    return c.turns / length * c.amperes / 2;  // n I / 2
}

double FluxDensityPerUnit(const CoilCurrent& c, double length)
{
    return kMu0 * StrengthPerUnit(c, length);  // B = mu0 H in the air around the coil
}

TurnsReading TurnsFromText(std::string_view text)
{
    const std::string_view digits = TrimmedText(text);
    long turns = 0;
    const char* end = digits.data() + digits.size();
    const auto [stop, error] = std::from_chars(digits.data(), end, turns);
    const bool whole = !digits.empty() && digits.find_first_not_of("0123456789") == std::string_view::npos;
    if (!whole || stop != end || error == std::errc::invalid_argument)
        return {std::nullopt, Message("Число витков задается целым числом от 1 до 1000000.")};
    if (error == std::errc::result_out_of_range || turns < 1 || turns > kMostTurns)
        return {std::nullopt, Message("Число витков должно быть от 1 до 1000000.")};
    return {turns, {}};
}

AmperesReading AmperesFromText(std::string_view text)
{
    const std::optional<double> amperes = DecimalFromText(text);
    if (!amperes)
        return {std::nullopt, Message("Ток задается числом в амперах, например 1.5 или -2.")};
    if (*amperes == 0 || std::fabs(*amperes) > kMostAmperes)
        return {std::nullopt, Message("Ток должен быть от -1000 до 1000 А и не равен нулю.")};
    return {*amperes, {}};
}
