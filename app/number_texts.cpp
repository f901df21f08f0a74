#include "app/number_texts.h"

#include <QLocale>

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
    return LocaleNumber(value, 'f', 2);
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
