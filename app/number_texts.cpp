#include "app/number_texts.h"

#include <QLocale>

#include "lesson/lesson_texts.h"

namespace {

QString LocaleNumber(double value, char format, int precision)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(value, format, precision);
}

}  // namespace

char LocaleDecimal()
{
    const QString point = QLocale().decimalPoint();
    const char decimal = point.size() == 1 ? point.at(0).toLatin1() : 0;
    return decimal != 0 ? decimal : '.';  // a separator beyond ASCII: the point
}

QString ValueLabelText(double value)
{
    return QString::fromStdString(ValueLabelText(value, LocaleDecimal()));
}

QString MetresText(double metres)
{
    return QString::fromStdString(MetresText(metres, LocaleDecimal()));
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
