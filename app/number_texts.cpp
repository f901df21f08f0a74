#include "app/number_texts.h"

#include <QLocale>

#include <cmath>

namespace {

QString LocaleNumber(double value, char format, int precision)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(value, format, precision);
}

// The fewest decimals, three or more, whose text reads back as the value:
// 0.02524 shows as 0.02524.
int DecimalsToShow(double value)
{
    constexpr int kMostDecimals = 17 + 324;  // enough for every double
    for (int decimals = 3; decimals < kMostDecimals; ++decimals)
        if (QString::number(value, 'f', decimals).toDouble() == value)
            return decimals;
    return kMostDecimals;
}

}  // namespace

QString ValueLabelText(double value)
{
    const double millimetres = std::round(value * 1000);
    const bool barTenth = std::round(value * 10) * 0.1 == value;  // a scroll position times 0.1 m
    if (barTenth || millimetres / 1000 == value)  // whole millimetres: 0.20, 0.021
        return LocaleNumber(value, 'f', std::fmod(millimetres, 10) == 0 ? 2 : 3);
    return MetresText(value);
}

QString MetresText(double metres)
{
    return LocaleNumber(metres, 'f', DecimalsToShow(metres));
}

QString CoordinateText(double metres)
{
    return LocaleNumber(metres, 'f', 3);
}

QString FieldValueText(double value)
{
    return LocaleNumber(value, 'g', 4);
}

QString EditableNumberText(double value)
{
    return LocaleNumber(value, 'g', 15);
}
