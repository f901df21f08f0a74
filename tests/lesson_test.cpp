#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <string>

#include "export/run_tables.h"
#include "lesson/lesson.h"
#include "lesson/lesson_address.h"
#include "lesson/lesson_file.h"
#include "lesson/lesson_switches.h"
#include "lesson/lesson_texts.h"
#include "test_support.h"

namespace {

std::string RowName(std::string name)
{
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return name;
}

std::shared_ptr<const MeasurementSet> Measured(std::vector<MeasuredPoint> points, MeasuredUnits units, std::string name)
{
    return std::make_shared<const MeasurementSet>(MeasurementSet{std::move(points), units, std::move(name)});
}

// A lesson changed from the start in one way.
struct LessonCase {
    std::string name;
    std::function<void(Lesson&)> change;
};

void PrintTo(const LessonCase& c, std::ostream* os) { *os << c.name; }

class LessonRoundTrip : public testing::TestWithParam<LessonCase> {};

}  // namespace

// Every choice, and the measured values to the last bit, read back from the
// file the lesson writes; and the file written again is the same file.
TEST_P(LessonRoundTrip, ReadsBackTheSameLessonFromItsFile)
{
    Lesson lesson;
    GetParam().change(lesson);
    const std::string text = LessonFileText(lesson);
    const LessonReading back = ReadLessonFile(text, "опыт.zoreks");
    ASSERT_TRUE(back.lesson) << RussianText(back.refusal) << "\n" << text;
    EXPECT_TRUE(*back.lesson == lesson) << text;
    EXPECT_TRUE(back.unknownKeys.empty());
    EXPECT_EQ(LessonFileText(*back.lesson), text);
}

// The page's address of the lesson reads back, without a wrong value, to a
// lesson of the same run with the same measured values, whose address is the
// same: what the page writes after a run, a link opens again.
TEST_P(LessonRoundTrip, ReadsBackTheSameRunFromItsAddress)
{
    Lesson lesson;
    GetParam().change(lesson);
    const std::string address = AddressOfLesson(lesson);
    const LessonAddressReading back = LessonOfAddress(address);
    EXPECT_TRUE(back.wrong.empty() && back.named) << address;
    EXPECT_EQ(AddressOfLesson(back.lesson), address);
    EXPECT_EQ(TableContents(RenderOptionsOf(back.lesson, OutputFormat::Csv, 651, 320)),
              TableContents(RenderOptionsOf(lesson, OutputFormat::Csv, 651, 320)));
    Lesson measured, measuredBack;
    measured.measured = lesson.measured;
    measuredBack.measured = back.lesson.measured;
    EXPECT_TRUE(measured == measuredBack) << address;
}

// The picture's description in English: every clause the lesson adds
// translated, the numbers written with a decimal point.
TEST_P(LessonRoundTrip, DescribesItsPictureInEnglish)
{
    Lesson lesson;
    GetParam().change(lesson);
    ShownRun shown{lesson};
    if (lesson.measured && lesson.winding)
        shown.comparison = CompareMeasurements(lesson.params, *lesson.winding, *lesson.measured, lesson.fit);
    const Message description = PictureDescription(&shown, ',');
    // A comma between two digits: a number written with a decimal comma.
    const auto decimalComma = [](const std::string& text) {
        for (std::size_t i = 1; i + 1 < text.size(); ++i)
            if (text[i] == ',' && std::isdigit(static_cast<unsigned char>(text[i - 1])) &&
                std::isdigit(static_cast<unsigned char>(text[i + 1])))
                return true;
        return false;
    };
    EXPECT_TRUE(decimalComma(RussianText(description))) << RussianText(description);
    const std::string english = Text(description, English());
    EXPECT_TRUE(WithoutRussian(english) && !decimalComma(english)) << english;
}

INSTANTIATE_TEST_SUITE_P(
    Lessons, LessonRoundTrip,
    testing::Values(
        LessonCase{"start values", [](Lesson&) {}},
        LessonCase{"a lab coil typed finely", [](Lesson& l) {
                       l.params.radius = 0.02524;
                       l.params.length = 0.16;
                       l.params.halfRange = 1e-7;
                   }},
        LessonCase{"field lines with a line text the box reads leniently", [](Lesson& l) {
                       l.params.graphMode = kFieldLinesGraph;
                       SetLineText(l, " -3,5e1x");
                   }},
        LessonCase{"exact lines", [](Lesson& l) { l.exact = ExactLines::ThroughSeeds; }},
        LessonCase{"equal flux", [](Lesson& l) { l.exact = ExactLines::EqualFlux; }},
        LessonCase{"map, arrows and scales", [](Lesson& l) { l.fieldMap = l.arrows = l.scales = true; }},
        LessonCase{"winding with a negative current", [](Lesson& l) { l.winding = CoilCurrent{1'000'000, -0.1}; }},
        LessonCase{"pair on, opposed", [](Lesson& l) {
                       l.pairOn = true;
                       l.pair = CoilPair{0.2, true};
                   }},
        LessonCase{"pair set but off", [](Lesson& l) { l.pair = CoilPair{20, false}; }},
        LessonCase{"uniform region", [](Lesson& l) {
                       l.uniformOn = true;
                       l.uniformPercent = 0.3;
                   }},
        LessonCase{"measurements fitted, any bits", [](Lesson& l) {
                       l.winding = CoilCurrent{320, 1.8};
                       l.fit = true;
                       l.measured = Measured({{0.1 + 0.2, 1.0 / 3}, {-5e-324, 1e300}, {0, -0.0012}},
                                             MeasuredUnits{LengthUnit::Millimetre, FluxDensityUnit::Gauss},
                                             "класс 9Б.csv");
                   }}),
    [](const testing::TestParamInfo<LessonCase>& info) { return RowName(info.param.name); });

namespace {

struct BadFile {
    std::string name;
    std::string bytes;
    std::string says;  // a part of the refusal
};

void PrintTo(const BadFile& c, std::ostream* os) { *os << c.name; }

class BadLessonFile : public testing::TestWithParam<BadFile> {};

// A good file with values replaced: "radius": 0.2 by "radius": X.
std::string WithValue(const std::string& from, const std::string& to, std::string text = LessonFileText(Lesson{}))
{
    text.replace(text.find(from), from.size(), to);
    return text;
}

std::string WithMeasurements(const std::string& points)
{
    std::string text = LessonFileText(Lesson{});
    const std::string measurements =
        "\"measurements\": {\"file\": \"a.csv\", \"units\": \"cm:mT\", \"points\": " + points + "},\n  ";
    return text.insert(text.find("\"switches\""), measurements);
}

}  // namespace

TEST_P(BadLessonFile, IsRefusedWithItsReason)
{
    const LessonReading reading = ReadLessonFile(GetParam().bytes, "урок.zoreks");
    EXPECT_FALSE(reading.lesson);
    const std::string refusal = RussianText(reading.refusal);
    EXPECT_NE(refusal.find("«урок.zoreks»"), std::string::npos) << refusal;
    EXPECT_NE(refusal.find(GetParam().says), std::string::npos) << refusal;
}

INSTANTIATE_TEST_SUITE_P(
    Lessons, BadLessonFile,
    testing::Values(
        BadFile{"empty", "", "пуст"},
        BadFile{"blanks only", " \n\t\r\n", "пуст"},
        BadFile{"binary data", std::string("PK\x03\x04\0\0", 6), "двоичные"},
        BadFile{"not JSON", "R = 0.2\nL = 1\n", "не JSON"},
        BadFile{"cut short", LessonFileText(Lesson{}).substr(0, 120), "обрезан"},
        BadFile{"another program's JSON", R"({"name": "zoreks", "version": "1.0.0"})", "не файл опыта"},
        BadFile{"a JSON list", "[1, 2, 3]", "не файл опыта"},
        BadFile{"a newer version", WithValue("\"version\": 1", "\"version\": 2"), "нужен более новый Зорекс"},
        BadFile{"a version in words", WithValue("\"version\": 1", "\"version\": \"1\""), "«version»"},
        BadFile{"a radius out of range", WithValue("\"radius\": 0.2", "\"radius\": 11"), "«coil.radius»"},
        BadFile{"a negative length", WithValue("\"length\": 1.0", "\"length\": -1"), "«coil.length»"},
        BadFile{"a radius in words", WithValue("\"radius\": 0.2", "\"radius\": \"0.2\""), "«coil.radius»"},
        BadFile{"no region", WithValue("\"halfRange\": 2.0,", ""), "«halfRange»"},
        BadFile{"an unknown graph", WithValue("\"graph\": \"axis\"", "\"graph\": \"map\""), "«graph»"},
        BadFile{"zero current", WithValue("\"lines\"", "\"winding\": {\"turns\": 5, \"current\": 0}, \"lines\""),
                "«winding.current»"},
        BadFile{"fractional turns", WithValue("\"lines\"", "\"winding\": {\"turns\": 5.5, \"current\": 1}, \"lines\""),
                "«winding.turns»"},
        BadFile{"a switch in words", WithValue("\"arrows\": false", "\"arrows\": \"yes\""), "«switches.arrows»"},
        BadFile{"both exact lines",
                WithValue("\"equalFlux\": false", "\"equalFlux\": true", WithValue("\"exactLines\": false", "\"exactLines\": true")),
                "вместе"},
        BadFile{"uniform beyond 100 %", WithValue("\"percent\": 1.0", "\"percent\": 101"), "«uniform.percent»"},
        BadFile{"a measured value beyond a double", WithMeasurements("[[0, 1], [1, 1e999], [2, 1]]"), "слишком большое"},
        BadFile{"a measured value that is no number", WithMeasurements("[[0, 1], [1, null], [2, 1]]"), "Измерение 2"},
        BadFile{"too few measured values", WithMeasurements("[[0, 1], [1, 1]]"), "меньше трех"},
        BadFile{"unknown units", WithValue("cm:mT", "in:kG", WithMeasurements("[[0, 1], [1, 1], [2, 1]]")),
                "«measurements.units»"}),
    [](const testing::TestParamInfo<BadFile>& info) { return RowName(info.param.name); });

// A later version's additions are read past and named.
TEST(LessonFile, IgnoresAndNamesUnknownKeys)
{
    std::string text = LessonFileText(Lesson{});
    text.insert(text.find("\"coil\": {") + 9, "\"colour\": \"red\", ");
    text.insert(1, "\"teacher\": \"Иванова\", ");
    const LessonReading reading = ReadLessonFile(text, "урок.zoreks");
    ASSERT_TRUE(reading.lesson) << RussianText(reading.refusal);
    EXPECT_TRUE(*reading.lesson == Lesson{});
    EXPECT_EQ(RussianText(UnknownKeysNotice(reading.unknownKeys)), "Эта версия Зорекса не знает и пропустила: «coil.colour», «teacher».");
}

// Each switch is found by its tool option and its address name, and turns on
// only itself; the two kinds of exact lines are one choice.
TEST(LessonSwitches, EachRowTurnsItselfAlone)
{
    for (const LessonSwitch& s : LessonSwitches()) {
        EXPECT_EQ(SwitchOfToolOption(s.toolOption), &s);
        EXPECT_EQ(SwitchOfAddressName(s.addressName), &s);
        Lesson lesson;
        s.turn(lesson, true);
        for (const LessonSwitch& other : LessonSwitches())
            EXPECT_EQ(other.isOn(lesson), &other == &s) << s.key << " turns " << other.key;
    }
    Lesson both;
    SwitchOfKey("exactLines")->turn(both, true);
    SwitchOfKey("equalFlux")->turn(both, true);
    EXPECT_EQ(both.exact, ExactLines::EqualFlux);
    SwitchOfKey("exactLines")->turn(both, false);
    EXPECT_EQ(both.exact, ExactLines::EqualFlux);
}
