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

}  // namespace

QString ValueLabelText(double value)
{
    const double millimetres = std::round(value * 1000);
    const bool centimetres = std::fmod(millimetres, 10) == 0 || std::fabs(value * 1000 - millimetres) > 1e-6;
    return LocaleNumber(value, 'f', centimetres ? 2 : 3);
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
