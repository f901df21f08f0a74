#include "lesson/lesson_address.h"

#include <charconv>
#include <map>
#include <optional>

#include "lesson/lesson_switches.h"
#include "params/coil_size_text.h"
#include "params/decimal_text.h"
#include "params/line_count_text.h"
#include "params/uniform_tolerance.h"

namespace {

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// A name or value of a query string as a browser's form reads it: '+' a
// blank, %XX the byte; a '%' without two hex digits is itself.
std::string Decoded(std::string_view text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '+') {
            out += ' ';
        } else if (text[i] == '%' && i + 2 < text.size() && HexDigit(text[i + 1]) >= 0 &&
                   HexDigit(text[i + 2]) >= 0) {
            out += static_cast<char>(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

// The text with every byte but letters, digits and - . _ ~ , : written as %XX.
std::string Encoded(std::string_view text)
{
    constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        const bool plain = (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') ||
                           std::string_view("-._~,:").find(c) != std::string_view::npos;
        if (plain)
            out += c;
        else
            out += {'%', kHex[u >> 4], kHex[u & 15]};
    }
    return out;
}

// The first value of each name the query gives, decoded and trimmed.
std::map<std::string, std::string> ValuesOf(std::string_view query)
{
    if (!query.empty() && query.front() == '?')
        query.remove_prefix(1);
    std::map<std::string, std::string> values;
    while (!query.empty()) {
        const size_t end = query.find('&');
        const std::string_view part = query.substr(0, end);
        const size_t equals = part.find('=');
        const std::string name = Decoded(part.substr(0, equals));
        const std::string value = equals == std::string_view::npos ? "" : Decoded(part.substr(equals + 1));
        values.emplace(name, std::string(TrimmedText(value)));
        query.remove_prefix(end == std::string_view::npos ? query.size() : end + 1);
    }
    return values;
}

// The measured values of m=: z and B pairs, each a number the dialogs read;
// nothing unless there are at least kFewestMeasuredPoints whole pairs.
std::optional<std::vector<MeasuredPoint>> PointsOf(std::string_view text)
{
    std::vector<double> numbers;
    while (true) {
        const size_t comma = text.find(',');
        const std::optional<double> number = DecimalFromText(text.substr(0, comma));
        if (!number)
            return std::nullopt;
        numbers.push_back(*number);
        if (comma == std::string_view::npos)
            break;
        text.remove_prefix(comma + 1);
    }
    if (numbers.size() % 2 != 0 || numbers.size() / 2 < kFewestMeasuredPoints)
        return std::nullopt;
    std::vector<MeasuredPoint> points;
    for (size_t i = 0; i < numbers.size(); i += 2)
        points.push_back({numbers[i], numbers[i + 1]});
    return points;
}

// Reads the values of the address into the lesson, naming the wrong ones.
class AddressReader {
public:
    explicit AddressReader(std::string_view query) : values_(ValuesOf(query)) {}

    const std::string* given(const std::string& name)
    {
        const auto it = values_.find(name);
        if (it == values_.end())
            return nullptr;
        reading_.named = true;
        return &it->second;
    }
    // The value, when given and read; a wrong one is named.
    template <typename Read>
    auto value(const std::string& name, Read read) -> decltype(read(std::string()))
    {
        const std::string* text = given(name);
        if (text == nullptr)
            return {};
        auto read_ = read(*text);
        if (!read_)
            reading_.wrong.push_back(name);
        return read_;
    }
    LessonAddressReading& reading() { return reading_; }

private:
    std::map<std::string, std::string> values_;
    LessonAddressReading reading_;
};

std::optional<bool> FlagOf(const std::string& text)
{
    if (text == "0" || text == "1")
        return text == "1";
    return std::nullopt;
}

// The winding of the dialog «Ток и витки»: both values or neither.
void ReadWinding(AddressReader& r, Lesson& lesson)
{
    const std::string* turnsText = r.given("turns");
    const std::string* currentText = r.given("current");
    if (turnsText == nullptr && currentText == nullptr)
        return;
    const TurnsReading turns = TurnsFromText(turnsText ? *turnsText : "");
    const AmperesReading current = AmperesFromText(currentText ? *currentText : "");
    if (turns.turns && current.amperes)
        lesson.winding = CoilCurrent{*turns.turns, *current.amperes};
    if (!turns.turns)
        r.reading().wrong.push_back("turns");
    if (!current.amperes)
        r.reading().wrong.push_back("current");
}

void ReadMeasurements(AddressReader& r, Lesson& lesson)
{
    const auto points = r.value("m", [](const std::string& t) { return PointsOf(t); });
    const auto units = r.value("mu", [](const std::string& t) { return MeasuredUnitsFromText(t); });
    const std::string* name = r.given("mf");
    if (!points)
        return;
    auto set = std::make_shared<MeasurementSet>();
    set->points = *points;
    set->units = units.value_or(MeasuredUnits{});
    set->name = name ? *name : "";
    lesson.measured = std::move(set);
}

}  // namespace

LessonAddressReading LessonOfAddress(std::string_view query)
{
    AddressReader r(query);
    Lesson& lesson = r.reading().lesson;
    const auto metres = [](const std::string& t) { return MetresFromText(t).metres; };
    for (const auto& [name, field] : {std::pair{"R", &CalcParams::radius}, std::pair{"L", &CalcParams::length},
                                      std::pair{"a", &CalcParams::halfRange}})
        if (const auto m = r.value(name, metres))
            lesson.params.*field = *m;
    if (const auto graph = r.value("graph", [](const std::string& t) {
            return t == "axis" || t == "lines" ? std::optional<std::string>(t) : std::nullopt;
        }))
        lesson.params.graphMode = *graph == "axis" ? kAxisGraph : kFieldLinesGraph;
    // The box keeps the text it reads.
    if (r.value("lines", [](const std::string& t) { return WrittenLineCount(t).lines; }))
        SetLineText(lesson, *r.given("lines"));
    for (const LessonSwitch& s : LessonSwitches())
        if (const auto on = r.value(std::string(s.addressName), FlagOf))
            s.turn(lesson, *on);
    ReadWinding(r, lesson);
    if (const auto distance = r.value("pair", [](const std::string& t) { return PairDistanceFromText(t).metres; })) {
        lesson.pair = CoilPair{*distance, false};
        lesson.pairOn = true;
    }
    if (const auto opposed = r.value("opposed", FlagOf); opposed && lesson.pair)
        lesson.pair->opposed = *opposed;
    if (const auto percent = r.value("uniform", [](const std::string& t) { return UniformPercentFromText(t).percent; })) {
        lesson.uniformPercent = *percent;
        lesson.uniformOn = true;
    }
    ReadMeasurements(r, lesson);
    return std::move(r.reading());
}

std::string AddressOfLesson(const Lesson& l)
{
    std::string query = "?R=" + ShortestDecimalText(l.params.radius) + "&L=" + ShortestDecimalText(l.params.length) +
                        "&a=" + ShortestDecimalText(l.params.halfRange) +
                        "&graph=" + (ShowsFieldLines(l) ? "lines" : "axis");
    // The number the box's text read, which reads back the same.
    if (ShowsFieldLines(l))
        query += "&lines=" + Encoded(ShortestDecimalText(l.params.lineCount));
    for (const LessonSwitch& s : LessonSwitches())
        if (s.isOn(l) && SwitchInForce(s, l))
            query += "&" + std::string(s.addressName) + "=1";
    if (l.winding)
        query += "&turns=" + std::to_string(l.winding->turns) +
                 "&current=" + Encoded(ShortestDecimalText(l.winding->amperes));
    if (l.pairOn && l.pair) {
        query += "&pair=" + Encoded(ShortestDecimalText(l.pair->distance));
        if (l.pair->opposed)
            query += "&opposed=1";
    }
    if (l.uniformOn)
        query += "&uniform=" + Encoded(ShortestDecimalText(l.uniformPercent));
    if (l.measured && l.measured->points.size() <= kMostAddressPoints) {
        std::string points;
        for (const MeasuredPoint& p : l.measured->points)
            points += (points.empty() ? "" : ",") + ShortestDecimalText(p.z) + "," + ShortestDecimalText(p.b);
        query += "&m=" + Encoded(points) + "&mu=" + MeasuredUnitsText(l.measured->units) +
                 "&mf=" + Encoded(l.measured->name);
    }
    return query;
}

Message WrongAddressNotice(const std::vector<std::string>& wrong)
{
    if (wrong.empty())
        return {};
    std::string names;
    for (const std::string& name : wrong)
        names += (names.empty() ? "" : ", ") + name;
    return Message("В адресе неверные значения (%1): взяты начальные.").arg(names);
}

Message AddressWithoutMeasurementsNotice(const Lesson& lesson)
{
    if (!lesson.measured || lesson.measured->points.size() <= kMostAddressPoints)
        return {};
    return Message("Ссылка на эту страницу без измерений: в ней помещается не больше %1 точек, а их %2. "
                   "Сохраните опыт в файл (Файл → Сохранить опыт).")
        .count(static_cast<long long>(kMostAddressPoints))
        .count(static_cast<long long>(lesson.measured->points.size()));
}
