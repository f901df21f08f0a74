#include "lesson/lesson_texts.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "lesson/lesson_switches.h"
#include "measure/measured_units.h"
#include "params/graph_choice.h"

namespace {

// printf's text of the value with the decimal point replaced.
std::string Printed(const char* format, int precision, double value, char decimal)
{
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, format, precision, value);
    std::string text(buffer);
    for (char& c : text)
        if (c == '.')
            c = decimal;
    return text;
}

// The fewest decimals, three or more, whose text reads back as the value.
int DecimalsToShow(double value)
{
    constexpr int kMostDecimals = 17 + 324;  // enough for every double
    for (int decimals = 3; decimals < kMostDecimals; ++decimals) {
        const std::string text = Printed("%.*f", decimals, value, '.');
        double back = 0;
        std::from_chars(text.data(), text.data() + text.size(), back);
        if (back == value)
            return decimals;
    }
    return kMostDecimals;
}

}  // namespace

std::string ValueLabelText(double value, char decimal)
{
    const double millimetres = std::round(value * 1000);
    const bool barTenth = std::round(value * 10) * 0.1 == value;  // a scroll position times 0.1 m
    if (barTenth || millimetres / 1000 == value)                  // whole millimetres: 0.20, 0.021
        return Printed("%.*f", std::fmod(millimetres, 10) == 0 ? 2 : 3, value, decimal);
    return MetresText(value, decimal);
}

std::string MetresText(double metres, char decimal)
{
    return Printed("%.*f", DecimalsToShow(metres), metres, decimal);
}

std::string FieldValueText(double value, char decimal)
{
    return Printed("%.*g", 4, value, decimal);
}

std::string PictureDescription(const ShownRun* shown, char decimal)
{
    if (shown == nullptr)
        return "рисунок пуст";
    const Lesson& l = shown->lesson;
    const bool lines = ShowsFieldLines(l);
    std::string text = std::string(lines ? kFieldLinesGraphEntry : kAxisGraphEntry) +
                       ": R = " + ValueLabelText(l.params.radius, decimal) +
                       " м, L = " + ValueLabelText(l.params.length, decimal) +
                       " м, полуразмер области " + ValueLabelText(l.params.halfRange, decimal) + " м";
    if (lines)
        text += ", число линий " + FieldValueText(l.params.lineCount, decimal);
    for (const LessonSwitch& s : LessonSwitches())
        if (!s.words.empty() && s.isOn(l) && SwitchInForce(s, l))
            text += ", " + std::string(s.words);
    if (shown->comparison && shown->comparison->refusal.empty()) {
        text += ", с измерениями: " + PointCountText(shown->comparison->pointCount);
        if (shown->comparison->fitted)
            text += ", подогнанными";
    }
    if (l.winding)
        text += ", N = " + std::to_string(l.winding->turns) + " витков, I = " +
                FieldValueText(l.winding->amperes, decimal) + " А";
    if (l.pairOn && l.pair) {
        text += ", пара катушек: D = " + MetresText(l.pair->distance, decimal) + " м";
        if (l.pair->opposed)
            text += ", встречное включение";
    }
    if (l.uniformOn)
        text += ", однородная область " + FieldValueText(l.uniformPercent, decimal) + " %";
    for (const std::string& note : shown->notes)
        text += ". " + note;
    return text;
}

std::string MeasurementLine(const Lesson& lesson, std::string_view loadingName, const ShownRun* shown, char decimal)
{
    if (!loadingName.empty())
        return "Чтение измерений «" + std::string(loadingName) + "»…";
    if (lesson.measured == nullptr)
        return {};
    const std::string count = "Измерения: " + PointCountText(lesson.measured->points.size());
    if (!lesson.winding)
        return count + " — задайте ток и витки (Вид → Ток и витки…)";
    if (ShowsFieldLines(lesson))
        return count + " — сравнение на графике «" + std::string(kAxisGraphEntry) + "»";
    if (shown == nullptr || shown->lesson.measured != lesson.measured || !shown->comparison ||
        !ComparesMeasurements(shown->lesson))
        return count + " — нажмите «расчет»";
    std::string text = "Измерения: " + ComparisonSummary(*shown->comparison, decimal);
    if (shown->lesson.fit != lesson.fit)
        text += " — нажмите «расчет»";
    return text;
}

std::string MeasurementFileLine(const Lesson& lesson)
{
    if (lesson.measured == nullptr)
        return {};
    return "Файл «" + lesson.measured->name + "», z в " + std::string(UnitSymbol(lesson.measured->units.z)) +
           ", B в " + std::string(UnitSymbol(lesson.measured->units.b));
}
