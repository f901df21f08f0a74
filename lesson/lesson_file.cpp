#include "lesson/lesson_file.h"

#include <charconv>
#include <cmath>

#include <nlohmann/json.hpp>

#include "lesson/lesson_switches.h"
#include "measure/measured_units.h"
#include "params/coil_size_text.h"
#include "params/decimal_text.h"
#include "params/message_text.h"

using nlohmann::json;

namespace {

json PointsOf(const MeasurementSet& set)
{
    json points = json::array();
    for (const MeasuredPoint& p : set.points)
        points.push_back(json::array({p.z, p.b}));
    return points;
}

// A refused file: the reason, thrown to the reader's top.
struct Refusal {
    Message sentence;
};

[[noreturn]] void Refuse(Message sentence)
{
    throw Refusal{std::move(sentence)};
}

// Reads an object's members, and notes those it does not know.
class ObjectReader {
public:
    ObjectReader(const json& object, std::string path, std::vector<std::string>& unknown)
        : object_(object), path_(std::move(path)), unknown_(unknown)
    {
        if (!object_.is_object())
            Refuse(Message("В файле опыта «%1» должен быть объектом { … }.").arg(path_));
    }
    ~ObjectReader() = default;
    ObjectReader(const ObjectReader&) = delete;
    ObjectReader& operator=(const ObjectReader&) = delete;

    const json* find(const std::string& key)
    {
        known_.push_back(key);
        const auto it = object_.find(key);
        return it == object_.end() ? nullptr : &*it;
    }
    std::string pathOf(const std::string& key) const { return path_.empty() ? key : path_ + "." + key; }

    const json& need(const std::string& key)
    {
        const json* value = find(key);
        if (value == nullptr)
            Refuse(Message("В файле опыта нет значения «%1».").arg(pathOf(key)));
        return *value;
    }
    bool flag(const std::string& key, bool otherwise)
    {
        const json* value = find(key);
        if (value == nullptr)
            return otherwise;
        if (!value->is_boolean())
            Refuse(Message("Значение «%1» должно быть true или false.").arg(pathOf(key)));
        return value->get<bool>();
    }
    double number(const std::string& key)
    {
        const json& value = need(key);
        if (!value.is_number() || !std::isfinite(value.get<double>()))
            Refuse(Message("Значение «%1» должно быть числом.").arg(pathOf(key)));
        return value.get<double>();
    }
    std::string text(const std::string& key)
    {
        const json& value = need(key);
        if (!value.is_string())
            Refuse(Message("Значение «%1» должно быть строкой в кавычках.").arg(pathOf(key)));
        return value.get<std::string>();
    }
    // The keys of the object that were never asked for.
    void noteUnknown()
    {
        for (const auto& [key, value] : object_.items())
            if (std::find(known_.begin(), known_.end(), key) == known_.end())
                unknown_.push_back(pathOf(key));
    }

private:
    const json& object_;
    std::string path_;
    std::vector<std::string>& unknown_;
    std::vector<std::string> known_;
};

// A value out of its range: the value's path and the dialog's sentence.
[[noreturn]] void RefuseValue(const std::string& path, const Message& why)
{
    Refuse(Message("Значение «%1» не подходит. %2").arg(path).arg(why));
}

double Metres(ObjectReader& r, const std::string& key)
{
    const MetresReading reading = MetresFromText(ShortestDecimalText(r.number(key)));
    if (!reading.metres)
        RefuseValue(r.pathOf(key), reading.refusal);
    return *reading.metres;
}

CoilCurrent WindingOf(ObjectReader& r)
{
    const json& turns = r.need("turns");
    const TurnsReading n = TurnsFromText(turns.is_number_unsigned() ? std::to_string(turns.get<unsigned long long>()) : "-");
    if (!n.turns)
        RefuseValue(r.pathOf("turns"), n.refusal);
    const AmperesReading amperes = AmperesFromText(ShortestDecimalText(r.number("current")));
    if (!amperes.amperes)
        RefuseValue(r.pathOf("current"), amperes.refusal);
    r.noteUnknown();
    return CoilCurrent{*n.turns, *amperes.amperes};
}

std::shared_ptr<const MeasurementSet> MeasurementsOf(ObjectReader& r, std::vector<std::string>& unknown)
{
    auto set = std::make_shared<MeasurementSet>();
    set->name = r.text("file");
    const std::optional<MeasuredUnits> units = MeasuredUnitsFromText(r.text("units"));
    if (!units)
        RefuseValue(r.pathOf("units"), Message("Единицы задаются как Z:B, Z — m, cm или mm, B — T, mT или G, например cm:mT."));
    set->units = *units;
    const json& points = r.need("points");
    if (!points.is_array())
        Refuse(Message("Значение «%1» должно быть списком пар [z, B].").arg(r.pathOf("points")));
    for (size_t i = 0; i < points.size(); ++i) {
        const json& point = points[i];
        const bool pair = point.is_array() && point.size() == 2 && point[0].is_number() && point[1].is_number();
        if (!pair || !std::isfinite(point[0].get<double>()) || !std::isfinite(point[1].get<double>()))
            Refuse(Message("Измерение %1 в файле опыта — не пара конечных чисел [z, B].").count(static_cast<long long>(i + 1)));
        set->points.push_back({point[0].get<double>(), point[1].get<double>()});
    }
    if (set->points.size() < kFewestMeasuredPoints)
        Refuse(Message("В файле опыта меньше трех измерений."));
    r.noteUnknown();
    (void)unknown;
    return set;
}

Lesson LessonOfJson(const json& root, std::vector<std::string>& unknown)
{
    if (!root.is_object() || !root.contains("format") || root["format"] != kLessonFormat)
        Refuse(Message("Это не файл опыта Зорекса."));
    ObjectReader top(root, "", unknown);
    top.find("format");
    const json& version = top.need("version");
    if (!version.is_number_integer() || version.get<long long>() < 1)
        RefuseValue("version", Message("Версия — целое число от 1."));
    if (version.get<long long>() > kLessonVersion)
        Refuse(Message("Этот опыт сохранен более новой версией Зорекса. Чтобы открыть его, нужен более новый Зорекс."));

    Lesson lesson;
    {
        ObjectReader coil(top.need("coil"), "coil", unknown);
        lesson.params.radius = Metres(coil, "radius");
        lesson.params.length = Metres(coil, "length");
        coil.noteUnknown();
    }
    lesson.params.halfRange = Metres(top, "halfRange");
    const std::string graph = top.text("graph");
    if (graph != "axis" && graph != "lines")
        RefuseValue("graph", Message("График — \"axis\" (поле на оси) или \"lines\" (линии напряженности)."));
    lesson.params.graphMode = graph == "axis" ? kAxisGraph : kFieldLinesGraph;
    SetLineText(lesson, top.text("lines"));
    if (const json* switches = top.find("switches")) {
        ObjectReader r(*switches, "switches", unknown);
        for (const LessonSwitch& s : LessonSwitches())
            if (r.flag(std::string(s.key), false))
                s.turn(lesson, true);
        const bool both = r.flag("exactLines", false) && r.flag("equalFlux", false);
        if (both)
            RefuseValue("switches", Message("Точные линии и линии равного потока не включаются вместе."));
        r.noteUnknown();
    }
    if (const json* winding = top.find("winding")) {
        ObjectReader r(*winding, "winding", unknown);
        lesson.winding = WindingOf(r);
    }
    if (const json* pair = top.find("pair")) {
        ObjectReader r(*pair, "pair", unknown);
        const PairDistanceReading distance = PairDistanceFromText(ShortestDecimalText(r.number("distance")));
        if (!distance.metres)
            RefuseValue("pair.distance", distance.refusal);
        lesson.pair = CoilPair{*distance.metres, r.flag("opposed", false)};
        lesson.pairOn = r.flag("on", true);
        r.noteUnknown();
    }
    if (const json* uniform = top.find("uniform")) {
        ObjectReader r(*uniform, "uniform", unknown);
        const UniformPercentReading percent = UniformPercentFromText(ShortestDecimalText(r.number("percent")));
        if (!percent.percent)
            RefuseValue("uniform.percent", percent.refusal);
        lesson.uniformPercent = *percent.percent;
        lesson.uniformOn = r.flag("on", true);
        r.noteUnknown();
    }
    if (const json* measurements = top.find("measurements")) {
        ObjectReader r(*measurements, "measurements", unknown);
        lesson.measured = MeasurementsOf(r, unknown);
    }
    top.noteUnknown();
    return lesson;
}

bool IsBinary(std::string_view bytes)
{
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 && c != '\n' && c != '\r' && c != '\t')
            return true;
    }
    return false;
}

}  // namespace

std::string LessonFileText(const Lesson& lesson)
{
    json root;
    root["format"] = kLessonFormat;
    root["version"] = kLessonVersion;
    root["coil"] = {{"radius", lesson.params.radius}, {"length", lesson.params.length}};
    root["halfRange"] = lesson.params.halfRange;
    root["graph"] = ShowsFieldLines(lesson) ? "lines" : "axis";
    root["lines"] = lesson.lineText;
    json switches = json::object();
    for (const LessonSwitch& s : LessonSwitches())
        switches[std::string(s.key)] = s.isOn(lesson);
    root["switches"] = switches;
    if (lesson.winding)
        root["winding"] = {{"turns", lesson.winding->turns}, {"current", lesson.winding->amperes}};
    if (lesson.pair)
        root["pair"] = {{"on", lesson.pairOn}, {"distance", lesson.pair->distance}, {"opposed", lesson.pair->opposed}};
    root["uniform"] = {{"on", lesson.uniformOn}, {"percent", lesson.uniformPercent}};
    if (lesson.measured)
        root["measurements"] = {{"file", lesson.measured->name},
                                {"units", MeasuredUnitsText(lesson.measured->units)},
                                {"points", PointsOf(*lesson.measured)}};
    return root.dump(2, ' ', false, json::error_handler_t::replace) + "\n";
}

LessonReading ReadLessonFile(std::string_view bytes, const std::string& fileName)
{
    LessonReading reading;
    const std::string quoted = QuotedForMessage(fileName);
    try {
        if (bytes.find_first_not_of(" \t\r\n") == std::string_view::npos)
            Refuse(Message("Файл пуст."));
        if (IsBinary(bytes))
            Refuse(Message("Это не файл опыта Зорекса: в нем двоичные данные."));
        json root;
        try {
            root = json::parse(bytes);
        } catch (const json::parse_error& e) {
            Refuse(Message("Файл опыта поврежден или обрезан: это не JSON (ошибка около знака %1).")
                       .count(static_cast<long long>(e.byte)));
        } catch (const json::out_of_range&) {
            Refuse(Message("В файле опыта есть число, слишком большое для программы."));
        }
        reading.lesson = LessonOfJson(root, reading.unknownKeys);
    } catch (const Refusal& r) {
        reading.lesson.reset();
        reading.unknownKeys.clear();
        reading.refusal = Message("Файл %1 не открыт. %2").arg(quoted).arg(r.sentence);
    } catch (const json::exception& e) {
        reading.lesson.reset();
        reading.unknownKeys.clear();
        reading.refusal = Message("Файл %1 не открыт: в нем неверные данные.").arg(quoted);
    }
    return reading;
}

Message UnknownKeysNotice(const std::vector<std::string>& keys)
{
    if (keys.empty())
        return {};
    constexpr size_t kMostNamed = 10;
    std::string list;
    for (size_t i = 0; i < keys.size() && i < kMostNamed; ++i)
        list += (list.empty() ? "" : ", ") + QuotedForMessage(keys[i]);
    if (keys.size() > kMostNamed)
        return Message("Эта версия Зорекса не знает и пропустила: %1 и еще %2.")
            .arg(list)
            .count(static_cast<long long>(keys.size() - kMostNamed));
    return Message("Эта версия Зорекса не знает и пропустила: %1.").arg(list);
}

bool LooksLikeLessonFile(std::string_view bytes)
{
    const size_t start = bytes.find_first_not_of(" \t\r\n\xEF\xBB\xBF");
    if (start == std::string_view::npos || bytes[start] != '{')
        return false;
    return bytes.substr(0, 4096).find("\"" + std::string(kLessonFormat) + "\"") != std::string_view::npos;
}
