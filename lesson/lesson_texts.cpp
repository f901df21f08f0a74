#include "lesson/lesson_texts.h"

#include <charconv>
#include <cmath>

#include "lesson/lesson_switches.h"
#include "measure/measured_units.h"
#include "params/graph_choice.h"
#include "texts/printed_number.h"

namespace {

// printf's format for the given number of decimals: "%.3f".
std::string DecimalsFormat(int decimals)
{
    return "%." + std::to_string(decimals) + "f";
}

// The format of the fewest decimals, three or more, whose text reads back as the value.
std::string MetresFormat(double value)
{
    constexpr int kMostDecimals = 17 + 324;  // enough for every double
    for (int decimals = 3; decimals < kMostDecimals; ++decimals) {
        const std::string text = PrintedNumber(DecimalsFormat(decimals).c_str(), value, '.');
        double back = 0;
        std::from_chars(text.data(), text.data() + text.size(), back);
        if (back == value)
            return DecimalsFormat(decimals);
    }
    return DecimalsFormat(kMostDecimals);
}

// The format of a parameter value's label (ValueLabelText).
std::string ValueLabelFormat(double value)
{
    const double millimetres = std::round(value * 1000);
    const bool barTenth = std::round(value * 10) * 0.1 == value;  // a scroll position times 0.1 m
    if (barTenth || millimetres / 1000 == value)                  // whole millimetres: 0.20, 0.021
        return DecimalsFormat(std::fmod(millimetres, 10) == 0 ? 2 : 3);
    return MetresFormat(value);
}

constexpr const char* kFieldValueFormat = "%.4g";

}  // namespace

std::string ValueLabelText(double value, char decimal)
{
    return PrintedNumber(ValueLabelFormat(value).c_str(), value, decimal);
}

std::string MetresText(double metres, char decimal)
{
    return PrintedNumber(MetresFormat(metres).c_str(), metres, decimal);
}

std::string FieldValueText(double value, char decimal)
{
    return PrintedNumber(kFieldValueFormat, value, decimal);
}

Message PictureDescription(const ShownRun* shown, char decimal)
{
    if (shown == nullptr)
        return Message("рисунок пуст");
    const Lesson& l = shown->lesson;
    const bool lines = ShowsFieldLines(l);
    // Each clause adds to the text so far (%1), so that a language may put it as it wants.
    Message text = Message("%1: R = %2 м, L = %3 м, полуразмер области %4 м")
                       .arg(Message(lines ? kFieldLinesGraphEntry : kAxisGraphEntry))
                       .number(ValueLabelFormat(l.params.radius).c_str(), l.params.radius, decimal)
                       .number(ValueLabelFormat(l.params.length).c_str(), l.params.length, decimal)
                       .number(ValueLabelFormat(l.params.halfRange).c_str(), l.params.halfRange, decimal);
    if (lines)
        text = Message("%1, число линий %2").arg(std::move(text)).number(kFieldValueFormat, l.params.lineCount, decimal);
    for (const LessonSwitch& s : LessonSwitches())
        if (!s.words.empty() && s.isOn(l) && SwitchInForce(s, l))
            text = Message("%1, %2").arg(std::move(text)).arg(Message(s.words));
    if (shown->comparison && shown->comparison->refusal.empty())
        text = Message(shown->comparison->fitted ? "%1, с измерениями: %2, подогнанными" : "%1, с измерениями: %2")
                   .arg(std::move(text))
                   .arg(PointCountText(shown->comparison->pointCount));
    if (l.winding)
        text = Message("%1, N = %2 витков, I = %3 А")
                   .arg(std::move(text))
                   .count(l.winding->turns)
                   .number(kFieldValueFormat, l.winding->amperes, decimal);
    if (l.pairOn && l.pair)
        text = Message(l.pair->opposed ? "%1, пара катушек: D = %2 м, встречное включение" : "%1, пара катушек: D = %2 м")
                   .arg(std::move(text))
                   .number(MetresFormat(l.pair->distance).c_str(), l.pair->distance, decimal);
    if (l.uniformOn)
        text = Message("%1, однородная область %2 %")
                   .arg(std::move(text))
                   .number(kFieldValueFormat, l.uniformPercent, decimal);
    for (const std::string& note : shown->notes)
        text = Message("%1. %2").arg(std::move(text)).arg(Message(note));
    return text;
}

Message MeasurementLine(const Lesson& lesson, std::string_view loadingName, const ShownRun* shown, char decimal)
{
    if (!loadingName.empty())
        return Message("Чтение измерений «%1»…").arg(loadingName);
    if (lesson.measured == nullptr)
        return {};
    const Message count = PointCountText(lesson.measured->points.size());
    if (!lesson.winding)
        return Message("Измерения: %1 — задайте ток и витки (Вид → Ток и витки…)").arg(count);
    if (ShowsFieldLines(lesson))
        return Message("Измерения: %1 — сравнение на графике «%2»").arg(count).arg(Message(kAxisGraphEntry));
    if (shown == nullptr || shown->lesson.measured != lesson.measured || !shown->comparison ||
        !ComparesMeasurements(shown->lesson))
        return Message("Измерения: %1 — нажмите «расчет»").arg(count);
    return Message(shown->lesson.fit != lesson.fit ? "Измерения: %1 — нажмите «расчет»" : "Измерения: %1")
        .arg(ComparisonSummary(*shown->comparison, decimal));
}

Message MeasurementFileLine(const Lesson& lesson)
{
    if (lesson.measured == nullptr)
        return {};
    return Message("Файл «%1», z в %2, B в %3")
        .arg(lesson.measured->name)
        .arg(Message(UnitSymbol(lesson.measured->units.z)))
        .arg(Message(UnitSymbol(lesson.measured->units.b)));
}
