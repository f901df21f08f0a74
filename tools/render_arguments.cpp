#include "tools/render_arguments.h"

#include <array>
#include <charconv>
#include <cmath>
#include <optional>
#include <utility>
#include <variant>

#include "lesson/lesson_switches.h"
#include "measure/measured_units.h"
#include "params/coil_arrangement.h"
#include "params/coil_current.h"
#include "params/coil_size_text.h"
#include "params/uniform_tolerance.h"
#include "params/line_count_text.h"
#include "params/message_text.h"

const std::string_view kRenderHelp =
    "Использование: zoreks-render [--lesson ОПЫТ] [параметры] --output ФАЙЛ\n"
    "Рассчитывает магнитное поле конечного соленоида без окна программы и записывает\n"
    "рисунок или таблицу чисел в файл.\n"
    "\n"
    "  --lesson ОПЫТ       начать с файла опыта .zoreks, сохраненного программой:\n"
    "                      катушка, график, переключатели меню «Вид», витки и ток,\n"
    "                      пара, однородная область и измерения из него;\n"
    "                      параметры рядом с ним меняют то, что называют\n"
    "  --radius R          радиус соленоида, м, от 0 до 10 (по умолчанию 0.2)\n"
    "  --length L          длина соленоида, м, от 0 до 10 (по умолчанию 1)\n"
    "  --half-range A      половина размера области по оси z, м, от 0 до 10\n"
    "                      (по умолчанию 2)\n"
    "  --graph ГРАФИК      axis — поле на оси Hz(z), lines — линии напряженности\n"
    "                      (по умолчанию axis); только для .csv: exact-lines —\n"
    "                      точные линии, field — поле в узлах сетки\n"
    "  --lines N           число линий напряженности; читается так же, как в поле\n"
    "                      «число линий» программы (по умолчанию 7, не больше 200)\n"
    "  --exact-lines       нарисовать поверх линий напряженности точные линии\n"
    "                      (зеленые), через те же начальные точки\n"
    "  --field-map         раскрасить рисунок линий напряженности по модулю поля |H|\n"
    "                      (логарифмическая шкала в углу, в единицах n·I/2)\n"
    "  --arrows            стрелки вдоль линий: куда направлено поле\n"
    "  --equal-flux        точные линии (зеленые) равного потока: N линий делят\n"
    "                      поток через среднее сечение катушки на N равных долей,\n"
    "                      густота линий показывает силу поля; с --graph lines\n"
    "                      и exact-lines; вместо --exact-lines, не вместе с ним\n"
    "  --scales            шкалы: деления и числа по краям и осям рисунка (z и r\n"
    "                      в метрах, при A меньше 0.5 — в сантиметрах; поле на\n"
    "                      оси в единицах n·I/2, с --turns и --current — B в мТл)\n"
    "  --turns N           число витков катушки, от 1 до 1000000\n"
    "  --current I         ток, А, от -1000 до 1000, не 0; вместе с --turns\n"
    "                      добавляет к таблице field столбцы Bz,Br,B в теслах,\n"
    "                      а шкалу --field-map и шкалу поля на оси (--scales)\n"
    "                      подписывает в мТл; нужен для сравнения с измерениями\n"
    "                      (--measured)\n"
    "  --measured ФАЙЛ     измерения на оси катушки: в каждой строке первые два\n"
    "                      числа — z и B (разделитель — запятая, точка с запятой,\n"
    "                      табуляция или пробелы; десятичная запятая, где\n"
    "                      разделитель не запятая; одна строка заголовка; UTF-8\n"
    "                      или UTF-16), не меньше трех точек; рисуются точками\n"
    "                      поверх поля на оси B(z) = μ0·N/L·I/2·Hz(z), с уровнем\n"
    "                      длинной катушки μ0·N·I/L (пунктир); только с --graph\n"
    "                      axis, --turns и --current\n"
    "  --measured-units Z:B  единицы в файле измерений: Z — m, cm или mm, B — T,\n"
    "                      mT или G (по умолчанию cm:mT, то есть см и мТл)\n"
    "  --fit               подогнать по измерениям методом наименьших квадратов\n"
    "                      сдвиг z0 нуля линейки от середины катушки и множитель k\n"
    "                      силы поля: кривая k·B(z), точки в z − z0\n"
    "  --pair D            пара соосных катушек того же радиуса и длины с серединами\n"
    "                      в точках z = -D/2 и z = +D/2; D — расстояние между\n"
    "                      серединами, м, от 0 до 20 (D = R — пара Гельмгольца).\n"
    "                      Линии напряженности пары — ее точные линии равного\n"
    "                      потока: линия k на уровне (k − ½)/N потока через\n"
    "                      середину катушки при z = -D/2, цвета графика\n"
    "  --opposed           встречное включение: ток катушки при z = +D/2 обратный;\n"
    "                      линии — на уровнях обоих знаков; только с --pair\n"
    "  --uniform P         обвести однородную область, где |H| отличается от\n"
    "                      значения в центре (z = 0, r = 0) меньше чем на P %,\n"
    "                      0 < P <= 100; на графике axis — ее отрезок оси\n"
    "  --large-labels      крупные надписи: числа шкал, шкала модуля поля и\n"
    "                      пояснения вдвое крупнее, чтобы их было видно издали\n"
    "  --size ШxВ          ширина и высота рисунка в точках (по умолчанию 651x320)\n"
    "  --scale K           рисунок для экрана с плотностью точек K (целое от 1\n"
    "                      до 4, по умолчанию 1): ШxВ точек рисунка занимают\n"
    "                      K·Ш x K·В пикселей .png (и единиц .svg и .pdf), все\n"
    "                      на тех же местах, линии в K пикселей толщиной\n"
    "  --output ФАЙЛ       куда записать результат; формат задает расширение:\n"
    "                      .png, .svg, .pdf — рисунок, .csv — таблица чисел,\n"
    "                      .zoreks — файл опыта с этими параметрами (и с\n"
    "                      измерениями из --measured), который открывает\n"
    "                      программа и читает --lesson\n"
    "  --lang ЯЗЫК         язык справки, сообщений и надписей на рисунке: ru или en;\n"
    "                      без него — язык из LC_ALL, LC_MESSAGES или LANG\n"
    "                      (русский, если они не заданы или равны C)\n"
    "  --help              показать эту справку\n"
    "Значение можно писать и через знак равенства: --radius=0.5. Числа читаются, как\n"
    "в окнах программы: с любым числом знаков после точки или запятой (0.02524).\n"
    "\n"
    "Таблица .csv начинается со строки заголовка. Для axis — столбцы z,Hz в точках\n"
    "кривой; для lines — line,step,z,r: номер линии (с 1), номер шага (0 — начальная\n"
    "точка линии), координаты z и r в метрах; для exact-lines — line,point,z,r:\n"
    "точки точных линий (четверть z >= 0, r >= 0, номера линий как у lines, с\n"
    "--equal-flux — линии равного потока с 1 по N от внешней); для\n"
    "field — z,r,Hz,Hr,H,Psi в центрах ШxВ ячеек области z от -A до A, r от 0\n"
    "до A·В/Ш: поле в единицах n·I/2 и функция потока Psi (n·I/2·м²), с --turns\n"
    "и --current еще Bz,Br,B в теслах (B = μ0·N/L·I/2 × поле). На обмотке Hz —\n"
    "среднее его значений по обе стороны. Для axis с --measured — z,B,B_theory,\n"
    "residual: по строке на точку в порядке файла, в метрах и теслах: z от\n"
    "середины катушки (с --fit z − z0), B измеренное, B_theory расчетное (с --fit\n"
    "умноженное на k), residual = B − B_theory. С --pair таблицы axis и field\n"
    "дают поле пары, а exact-lines и lines — ее линии равного потока\n"
    "line,point,z,r (четверть z >= 0, r >= 0; остальное — их зеркальные\n"
    "отражения; --exact-lines и --equal-flux для пары ничего не меняют).\n"
    "Дробная часть отделяется точкой.\n"
    "\n"
    "Пример: zoreks-render --graph lines --output lines.png\n"
    "        zoreks-render --lesson opyt.zoreks --radius 0.3 --output opyt.png\n"
    "\n"
    "Код завершения: 0 — файл записан, 2 — неверные параметры, файл измерений\n"
    "или файл опыта (ничего не записано), 1 — файл не удалось записать.\n"
    "Существующий файл заменяется только целиком записанным новым.\n";

namespace {

// The options besides the lesson's switches, which come from their table.
enum class Option {
    Radius, Length, HalfRange, Graph, Lines, Size, Scale, Output, Turns, Current, Measured, Units, Pair, Opposed,
    Uniform, LessonFile, Help, LanguageCode, Switch
};

struct OptionName {
    std::string_view name;
    Option option;
};

constexpr std::array<OptionName, 18> kOptions{{
    {"--radius", Option::Radius},
    {"--length", Option::Length},
    {"--half-range", Option::HalfRange},
    {"--graph", Option::Graph},
    {"--lines", Option::Lines},
    {"--size", Option::Size},
    {"--scale", Option::Scale},
    {"--output", Option::Output},
    {"--turns", Option::Turns},
    {"--current", Option::Current},
    {"--measured", Option::Measured},
    {"--measured-units", Option::Units},
    {"--pair", Option::Pair},
    {"--opposed", Option::Opposed},
    {"--uniform", Option::Uniform},
    {"--lesson", Option::LessonFile},
    {"--help", Option::Help},
    {"--lang", Option::LanguageCode},
}};

std::optional<Option> optionNamed(std::string_view name)
{
    if (SwitchOfToolOption(name) != nullptr)
        return Option::Switch;
    for (const OptionName& o : kOptions)
        if (o.name == name)
            return o.option;
    return std::nullopt;
}

// One option as the command line gives it.
struct GivenOption {
    Option option;
    std::string_view name;
    std::string_view value;  // empty for a switch, --opposed and --help
};

// What the tool takes beside the lesson: the graph or table, the picture's
// size, the file written and the measured values' file.
struct ToolChoices {
    std::optional<GraphKind> graph;  // as --graph names it; else the lesson's
    int width = kStartPictureWidth;
    int height = kStartPictureHeight;
    int scale = 1;  // device pixels per picture pixel
    std::string output;
    std::optional<OutputFormat> format;  // none: a lesson file
    std::string measuredFile;
    MeasuredUnits measuredUnits{};
};

// A whole number of pixels: digits only. Too many digits read as "too large".
std::optional<long long> pixels(std::string_view text)
{
    if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    long long value = 0;
    const auto [stop, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc::result_out_of_range)
        return kMaxPicturePixels + 1;
    return value;
}

std::optional<Message> applySize(std::string_view text, ToolChoices& t)
{
    const size_t x = text.find_first_of("xX");
    const auto w = x == std::string_view::npos ? std::nullopt : pixels(text.substr(0, x));
    const auto h = x == std::string_view::npos ? std::nullopt : pixels(text.substr(x + 1));
    if (!w || !h)
        return Message("Размер рисунка (--size) задается как ШИРИНАxВЫСОТА, например 651x320, а не %1.").arg(QuotedForMessage(text));
    if (*w == 0 || *h == 0)
        return Message("Ширина и высота рисунка (--size) должны быть больше нуля.");
    if (*w > kMaxPictureSide || *h > kMaxPictureSide || *w * *h > kMaxPicturePixels)
        return Message("Рисунок %1 слишком велик: не больше 20000 точек по стороне и 100 миллионов точек всего.")
            .arg(QuotedForMessage(text));
    t.width = static_cast<int>(*w);
    t.height = static_cast<int>(*h);
    return std::nullopt;
}

// The largest --scale: a picture as a screen of four times the ordinary density shows it.
constexpr int kMostScale = 4;

std::optional<Message> applyScale(std::string_view text, ToolChoices& t)
{
    const auto k = pixels(text);
    if (!k || *k < 1 || *k > kMostScale)
        return Message("Масштаб (--scale) задается целым числом от 1 до 4, а не %1.").arg(QuotedForMessage(text));
    t.scale = static_cast<int>(*k);
    return std::nullopt;
}

// Whether the picture in device pixels stays within the limits of an image.
std::optional<Message> scaledSizeProblem(const ToolChoices& t)
{
    const long long w = static_cast<long long>(t.width) * t.scale, h = static_cast<long long>(t.height) * t.scale;
    if (w > kMaxPictureSide || h > kMaxPictureSide || w * h > kMaxPicturePixels)
        return Message("Рисунок %1x%2 с масштабом %3 слишком велик: не больше 20000 точек по стороне и 100 миллионов "
                       "точек всего.")
            .count(t.width)
            .count(t.height)
            .count(t.scale);
    return std::nullopt;
}

// The file's extension in small letters; empty when it has none.
std::string extensionOf(std::string_view path)
{
    const size_t dot = path.find_last_of('.');
    if (dot == std::string_view::npos || path.find('/', dot) != std::string_view::npos)
        return {};
    std::string ext(path.substr(dot));
    for (char& c : ext)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return ext;
}

std::optional<Message> applyOutput(std::string_view path, ToolChoices& t)
{
    constexpr std::array<std::pair<std::string_view, OutputFormat>, 4> kFormats{
        {{".png", OutputFormat::Png}, {".svg", OutputFormat::Svg}, {".pdf", OutputFormat::Pdf}, {".csv", OutputFormat::Csv}}};
    const std::string ext = extensionOf(path);
    t.format.reset();
    for (const auto& [name, format] : kFormats)
        if (ext == name)
            t.format = format;
    if (!t.format && ext != kLessonExtension)
        return Message("Файл для записи (--output) должен иметь расширение .png, .svg, .pdf, .csv или .zoreks, а не %1.")
            .arg(QuotedForMessage(path));
    t.output = path;
    return std::nullopt;
}

// Why the option's value is refused: the option, the value and the sentence
// the program's dialogs show for it.
Message refusedValue(const char* what, std::string_view text, const Message& why)
{
    return Message("%1 %2 не подходит. %3").arg(Message(what)).arg(QuotedForMessage(text)).arg(why);
}

// A length in metres, read as the dialog «Размеры катушки» reads it.
std::optional<Message> applyMetres(std::string_view text, double& field, const char* what)
{
    const MetresReading reading = MetresFromText(text);
    if (!reading.metres)
        return refusedValue(what, text, reading.refusal);
    field = *reading.metres;
    return std::nullopt;
}

CoilCurrent& windingOf(Lesson& lesson)
{
    if (!lesson.winding)
        lesson.winding.emplace();
    return *lesson.winding;
}

std::optional<Message> applyGraph(std::string_view value, Lesson& lesson, ToolChoices& t)
{
    if (value == "axis")
        t.graph = GraphKind::Axis;
    else if (value == "lines")
        t.graph = GraphKind::Lines;
    else if (value == "exact-lines")
        t.graph = GraphKind::ExactLines;
    else if (value == "field")
        t.graph = GraphKind::Field;
    else
        return Message("График (--graph) задается словом axis, lines, exact-lines или field, а не %1.")
            .arg(QuotedForMessage(value));
    // every graph but the axis one has the window of the field lines
    lesson.params.graphMode = t.graph == GraphKind::Axis ? kAxisGraph : kFieldLinesGraph;
    return std::nullopt;
}

// Stores the value of one option; the reason when the value is not usable.
std::optional<Message> apply(const GivenOption& given, Lesson& lesson, ToolChoices& t)
{
    const std::string_view value = given.value;
    switch (given.option) {
    case Option::Radius:
        return applyMetres(value, lesson.params.radius, "Радиус соленоида (--radius)");
    case Option::Length:
        return applyMetres(value, lesson.params.length, "Длина соленоида (--length)");
    case Option::HalfRange:
        return applyMetres(value, lesson.params.halfRange, "Половина размера области (--half-range)");
    case Option::Graph:
        return applyGraph(value, lesson, t);
    case Option::Lines:
        SetLineText(lesson, std::string(value));  // as the line-count box reads its text
        return std::nullopt;
    case Option::Size:
        return applySize(value, t);
    case Option::Scale:
        return applyScale(value, t);
    case Option::Output:
        return applyOutput(value, t);
    case Option::Turns: {
        const TurnsReading turns = TurnsFromText(value);
        if (!turns.turns)
            return refusedValue("Число витков (--turns)", value, turns.refusal);
        windingOf(lesson).turns = *turns.turns;
        return std::nullopt;
    }
    case Option::Current: {
        const AmperesReading current = AmperesFromText(value);
        if (!current.amperes)
            return refusedValue("Ток (--current)", value, current.refusal);
        windingOf(lesson).amperes = *current.amperes;
        return std::nullopt;
    }
    case Option::Measured:
        if (value.empty())
            return Message("После --measured нужно имя файла измерений.");
        t.measuredFile = value;
        return std::nullopt;
    case Option::Units: {
        const auto units = MeasuredUnitsFromText(value);
        if (!units)
            return Message("Единицы измерений (--measured-units) задаются как Z:B, Z — m, cm или mm, B — T, mT или G, "
                           "например cm:mT, а не %1.")
                .arg(QuotedForMessage(value));
        t.measuredUnits = *units;
        return std::nullopt;
    }
    case Option::Pair: {
        const PairDistanceReading distance = PairDistanceFromText(value);
        if (!distance.metres)
            return refusedValue("Расстояние D (--pair)", value, distance.refusal);
        lesson.pair = CoilPair{*distance.metres, false};  // opposed only with --opposed
        lesson.pairOn = true;
        return std::nullopt;
    }
    case Option::Uniform: {
        const UniformPercentReading percent = UniformPercentFromText(value);
        if (!percent.percent)
            return refusedValue("Допуск P (--uniform)", value, percent.refusal);
        lesson.uniformPercent = *percent.percent;
        lesson.uniformOn = true;
        return std::nullopt;
    }
    case Option::Switch:
        SwitchOfToolOption(given.name)->turn(lesson, true);
        return std::nullopt;
    case Option::Opposed:
    case Option::LessonFile:
    case Option::Help:
    case Option::LanguageCode:  // read before the others (languageWritten)
        break;
    }
    return std::nullopt;
}

const GivenOption* find(const std::vector<GivenOption>& given, Option option)
{
    for (const GivenOption& g : given)
        if (g.option == option)
            return &g;
    return nullptr;
}

// Two switches given that are one choice, as the exact lines and the
// equal-flux lines are (the one turns the other off): why they are refused
// together.
std::optional<Message> exclusiveSwitches(const std::vector<GivenOption>& given)
{
    const auto oneChoice = [](const LessonSwitch& first, const LessonSwitch& second) {
        Lesson lesson;
        first.turn(lesson, true);
        second.turn(lesson, true);
        return !first.isOn(lesson);
    };
    for (size_t i = 0; i < given.size(); ++i)
        for (size_t j = i + 1; j < given.size(); ++j) {
            if (given[i].option != Option::Switch || given[j].option != Option::Switch)
                continue;
            const LessonSwitch& a = *SwitchOfToolOption(given[i].name);
            const LessonSwitch& b = *SwitchOfToolOption(given[j].name);
            if (oneChoice(a, b) || oneChoice(b, a))
                return Message("Параметры %1 и %2 не задаются вместе: выберите что-то одно.")
                    .arg(given[i].name)
                    .arg(given[j].name);
        }
    return std::nullopt;
}

// Options that only make sense together; the reason when they do not.
std::optional<Message> combinationProblem(const std::vector<GivenOption>& given, const Lesson& lesson,
                                              const ToolChoices& t, const RenderOptions& o)
{
    const auto has = [&given](Option option) { return find(given, option) != nullptr; };
    if ((o.graph == GraphKind::ExactLines || o.graph == GraphKind::Field) && t.format != OutputFormat::Csv)
        return Message("Графики exact-lines и field записываются только в таблицу .csv.");
    if (auto problem = exclusiveSwitches(given))
        return problem;
    const bool measured = !t.measuredFile.empty() || lesson.measured;
    for (const GivenOption& g : given)
        if (g.option == Option::Switch) {
            const LessonSwitch& s = *SwitchOfToolOption(g.name);
            if (!SwitchAccepted(s, o.graph, measured))
                return Message(s.toolMisplaced);
        }
    if (lesson.winding && (lesson.winding->turns == 0 || lesson.winding->amperes == 0))
        return Message("Число витков и ток задаются вместе: --turns N --current I.");
    if (has(Option::Uniform) && o.graph != GraphKind::Axis && o.graph != GraphKind::Lines)
        return Message("Однородная область (--uniform) обводится только на графиках axis и lines.");
    const bool measuredFile = !t.measuredFile.empty();
    if (measuredFile && o.graph != GraphKind::Axis)
        return Message("Измерения (--measured) сравниваются только с полем на оси (--graph axis).");
    if (measuredFile && !lesson.winding)
        return Message("Для сравнения с измерениями (--measured) нужны число витков и ток: --turns N --current I.");
    const bool axisScale = o.additions.scales && o.graph == GraphKind::Axis;
    const bool compared = measuredFile || o.additions.measured;
    if ((has(Option::Turns) || has(Option::Current)) && o.graph != GraphKind::Field && !o.additions.fieldMap &&
        !axisScale && !compared)
        return Message("Витки и ток (--turns, --current) нужны только для --graph field, --field-map, "
                       "--graph axis --scales и --measured.");
    if (has(Option::Scale) && t.format != OutputFormat::Png && t.format != OutputFormat::Svg &&
        t.format != OutputFormat::Pdf)
        return Message("Масштаб (--scale) задается только для рисунков .png, .svg и .pdf.");
    if (auto problem = scaledSizeProblem(t))
        return problem;
    if (has(Option::Units) && !measuredFile)
        return Message("Единицы измерений (--measured-units) задаются вместе с --measured ФАЙЛ.");
    return std::nullopt;
}

ParsedArguments refused(Message error)
{
    ParsedArguments result;
    result.action = ParsedArguments::Action::Refuse;
    result.error = std::move(error);
    return result;
}

// The options as written, each once, with their values; or why not. Help
// asked for before any mistake comes back as the only option.
std::variant<std::vector<GivenOption>, Message> optionsWritten(const std::vector<std::string>& args)
{
    std::vector<GivenOption> given;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (!arg.starts_with("--"))
            return Message("Лишний аргумент %1. Справка: zoreks-render --help.").arg(QuotedForMessage(arg));
        const size_t eq = arg.find('=');
        const std::string_view name = arg.substr(0, eq);
        const auto option = optionNamed(name);
        if (!option)
            return Message("Неизвестный параметр %1. Справка: zoreks-render --help.").arg(QuotedForMessage(name));
        const bool flag = *option == Option::Switch || *option == Option::Help || *option == Option::Opposed;
        if (flag && eq != std::string_view::npos)
            return Message("Параметр %1 пишется без значения.").arg(name);
        if (*option == Option::Help)
            return std::vector<GivenOption>{{Option::Help, name, {}}};
        for (const GivenOption& g : given)
            if (g.name == name)
                return Message("Параметр %1 задан дважды.").arg(name);
        if (flag) {
            given.push_back({*option, name, {}});
            continue;
        }
        std::string_view value;
        if (eq != std::string_view::npos)
            value = arg.substr(eq + 1);
        else if (i + 1 < args.size())
            value = args[++i];
        else
            return Message("После %1 нужно значение.").arg(name);
        given.push_back({*option, name, value});
    }
    return given;
}

// The value of --lang as written, "--lang en" or "--lang=en"; nothing without it.
std::optional<std::string_view> languageWritten(const std::vector<std::string>& args)
{
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg.starts_with("--lang="))
            return arg.substr(arg.find('=') + 1);
        if (arg == "--lang" && i + 1 < args.size())
            return args[i + 1];
    }
    return std::nullopt;
}

// The codes of the languages the tool speaks: "ru, en".
std::string languageCodes()
{
    std::string codes;
    for (const Language& language : AllLanguages())
        codes += (codes.empty() ? "" : ", ") + std::string(language.code());
    return codes;
}

ParsedArguments parsedArguments(const std::vector<std::string>& args, const LessonFileReader& readLesson)
{
    auto written = optionsWritten(args);
    if (auto* error = std::get_if<Message>(&written))
        return refused(std::move(*error));
    const std::vector<GivenOption>& given = std::get<std::vector<GivenOption>>(written);
    ParsedArguments result;
    if (find(given, Option::Help) != nullptr) {
        result.action = ParsedArguments::Action::ShowHelp;
        return result;
    }

    // The program's start values, or the lesson file's, changed by the options beside it.
    Lesson& lesson = result.lesson;
    if (const GivenOption* file = find(given, Option::LessonFile)) {
        if (file->value.empty())
            return refused(Message("После --lesson нужно имя файла опыта."));
        LessonReading reading = readLesson(std::string(file->value));
        if (!reading.lesson)
            return refused(std::move(reading.refusal));
        lesson = std::move(*reading.lesson);
        result.notice = UnknownKeysNotice(reading.unknownKeys);
    }
    ToolChoices t;
    for (const GivenOption& g : given)
        if (auto error = apply(g, lesson, t))
            return refused(std::move(*error));
    if (t.output.empty())
        return refused(Message("Не указан файл для записи: --output ФАЙЛ. Справка: zoreks-render --help."));
    if (find(given, Option::Opposed) != nullptr) {
        if (!lesson.pairOn || !lesson.pair)
            return refused(Message("Встречное включение (--opposed) задается только вместе с парой катушек (--pair D)."));
        lesson.pair->opposed = true;
    }

    RenderOptions& o = result.options;
    o = RenderOptionsOf(lesson, t.format.value_or(OutputFormat::Png), t.width, t.height);
    o.graph = t.graph.value_or(o.graph);
    o.pixelRatio = t.scale;
    o.output = t.output;
    o.measuredFile = t.measuredFile;
    o.measuredUnits = t.measuredUnits;
    if (!t.measuredFile.empty())
        o.additions.fit = lesson.fit;  // compared with the values the file holds, read when the run starts
    if (auto problem = combinationProblem(given, lesson, t, o))
        return refused(std::move(*problem));
    result.writesLesson = !t.format;
    result.action = ParsedArguments::Action::Render;
    return result;
}

}  // namespace

ParsedArguments ParseRenderArguments(const std::vector<std::string>& args, const LessonFileReader& readLesson,
                                     const Language& otherwise)
{
    const std::optional<std::string_view> code = languageWritten(args);
    const std::optional<Language> language = code ? Language::Named(*code) : otherwise;
    ParsedArguments result = language ? parsedArguments(args, readLesson)
                                      : refused(Message("Неизвестный язык %1 (--lang). Языки: %2.")
                                                    .arg(QuotedForMessage(*code))
                                                    .arg(languageCodes()));
    result.language = language.value_or(otherwise);
    result.options.additions.language = result.language;
    return result;
}
