#include "params/coil_size_text.h"

#include "params/decimal_text.h"

MetresReading MetresFromText(std::string_view text, double most)
{
    const std::optional<double> metres = DecimalFromText(text);
    if (!metres)
        return {std::nullopt, Message("Введите число метров, например 0.021 или 1,5.")};
    if (!(*metres >= 0 && *metres <= most))
        return {std::nullopt, Message("Значение должно быть от 0 до %1 м.").count(static_cast<long long>(most))};
    return {*metres + 0.0, {}};  // -0 reads as +0
}
