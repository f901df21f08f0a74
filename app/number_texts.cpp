#include "app/number_texts.h"

#include <QLocale>

#include "app/shown_language.h"
#include "lesson/lesson_texts.h"

namespace {

// In Russian as the user's locale writes it; in another language with the
// language's decimal point.
QString ShownNumber(double value, char format, int precision)
{
    const Language language = ShownLanguage();
    QLocale locale = language.isRussian() ? QLocale() : QLocale::c();
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    QString text = locale.toString(value, format, precision);
    if (!language.isRussian())
        text.replace(QLatin1Char('.'), QLatin1Char(language.decimalPoint('.')));
    return text;
}

}  // namespace

char ShownDecimal()
{
    const QString point = QLocale().decimalPoint();
    const char decimal = point.size() == 1 ? point.at(0).toLatin1() : 0;
    return ShownLanguage().decimalPoint(decimal != 0 ? decimal : '.');  // a separator beyond ASCII: the point
}

QString ValueLabelText(double value)
{
    return QString::fromStdString(ValueLabelText(value, ShownDecimal()));
}

QString MetresText(double metres)
{
    return QString::fromStdString(MetresText(metres, ShownDecimal()));
}

QString CoordinateText(double metres)
{
    return ShownNumber(metres, 'f', 3);
}

QString FieldValueText(double value)
{
    return ShownNumber(value, 'g', 4);
}

QString EditableNumberText(double value)
{
    return ShownNumber(value, 'g', 15);
}
