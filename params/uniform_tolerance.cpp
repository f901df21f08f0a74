#include "params/uniform_tolerance.h"

#include "params/decimal_text.h"

UniformPercentReading UniformPercentFromText(std::string_view text)
{
    const size_t sign = text.find_last_not_of(" \t");
    if (sign != std::string_view::npos && text[sign] == '%')
        text = text.substr(0, sign);
    const std::optional<double> percent = DecimalFromText(text);
    if (!percent || !(*percent > 0) || *percent > 100)
        return {std::nullopt, Message("Допуск P задается числом процентов больше 0 и не больше 100, например 1.")};
    return {percent, {}};
}
