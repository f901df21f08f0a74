#include "tools/render_arguments.h"

#include <array>
#include <charconv>
#include <cmath>
#include <optional>

#include "params/coil_arrangement.h"
#include "measure/measured_units.h"
#include "params/coil_current.h"
#include "params/coil_size_text.h"
#include "params/uniform_tolerance.h"
#include "params/line_count_text.h"
#include "params/message_text.h"

const std::string_view kRenderHelp =
    "Использование: zoreks-render [параметры] --output ФАЙЛ\n"
    "Рассчитывает магнитное поле конечного соленоида без окна программы и записывает\n"
    "рисунок или таблицу чисел в файл.\n"
    "\n"
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
    "                      и exact-lines\n"
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
    "  --size ШxВ          ширина и высота рисунка в точках (по умолчанию 651x320)\n"
    "  --output ФАЙЛ       куда записать результат; формат задает расширение:\n"
    "                      .png, .svg, .pdf — рисунок, .csv — таблица чисел\n"
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
    "\n"
    "Код завершения: 0 — файл записан, 2 — неверные параметры или файл измерений,\n"
    "1 — файл не удалось записать. Существующий файл заменяется только целиком\n"
    "записанным новым.\n";

namespace {

constexpr std::string_view kHelpHint = " Справка: zoreks-render --help.";

enum class Option {
    Radius, Length, HalfRange, Graph, Lines, Size, Output, ExactLines, FieldMap, Arrows, EqualFlux, Scales, Turns,
    Current, Measured, Units, Fit, Pair, Opposed, Uniform, Help
};

struct OptionName {
    std::string_view name;
    Option option;
};

constexpr std::array<OptionName, 21> kOptions{{
    {"--radius", Option::Radius},
    {"--length", Option::Length},
    {"--half-range", Option::HalfRange},
    {"--graph", Option::Graph},
    {"--lines", Option::Lines},
    {"--size", Option::Size},
    {"--output", Option::Output},
    {"--exact-lines", Option::ExactLines},
    {"--field-map", Option::FieldMap},
    {"--arrows", Option::Arrows},
    {"--equal-flux", Option::EqualFlux},
    {"--scales", Option::Scales},
    {"--turns", Option::Turns},
    {"--current", Option::Current},
    {"--measured", Option::Measured},
    {"--measured-units", Option::Units},
    {"--fit", Option::Fit},
    {"--pair", Option::Pair},
    {"--opposed", Option::Opposed},
    {"--uniform", Option::Uniform},
    {"--help", Option::Help},
}};

std::optional<Option> optionNamed(std::string_view name)
{
    for (const OptionName& o : kOptions)
        if (o.name == name)
            return o.option;
    return std::nullopt;
}

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

std::optional<std::string> applySize(std::string_view text, RenderOptions& o)
{
    const size_t x = text.find_first_of("xX");
    const auto w = x == std::string_view::npos ? std::nullopt : pixels(text.substr(0, x));
    const auto h = x == std::string_view::npos ? std::nullopt : pixels(text.substr(x + 1));
    if (!w || !h)
        return "Размер рисунка (--size) задается как ШИРИНАxВЫСОТА, например 651x320, а не " + QuotedForMessage(text) + ".";
    if (*w == 0 || *h == 0)
        return std::string("Ширина и высота рисунка (--size) должны быть больше нуля.");
    if (*w > kMaxPictureSide || *h > kMaxPictureSide || *w * *h > kMaxPicturePixels)
        return "Рисунок " + QuotedForMessage(text) + " слишком велик: не больше 20000 точек по стороне и 100 миллионов точек всего.";
    o.width = static_cast<int>(*w);
    o.height = static_cast<int>(*h);
    return std::nullopt;
}

std::optional<OutputFormat> formatOf(std::string_view path)
{
    const size_t dot = path.find_last_of('.');
    if (dot == std::string_view::npos || path.find('/', dot) != std::string_view::npos)
        return std::nullopt;
    std::string ext(path.substr(dot + 1));
    for (char& c : ext)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    if (ext == "png")
        return OutputFormat::Png;
    if (ext == "svg")
        return OutputFormat::Svg;
    if (ext == "pdf")
        return OutputFormat::Pdf;
    if (ext == "csv")
        return OutputFormat::Csv;
    return std::nullopt;
}

// Why the option's value is refused: the option, the value and the sentence
// the program's dialogs show for it.
std::string refusedValue(std::string_view what, std::string_view text, const std::string& why)
{
    return std::string(what) + " " + QuotedForMessage(text) + " не подходит. " + why;
}

// A length in metres, read as the dialog «Размеры катушки» reads it.
std::optional<std::string> applyMetres(std::string_view text, double& field, std::string_view what)
{
    const MetresReading reading = MetresFromText(text);
    if (!reading.metres)
        return refusedValue(what, text, reading.refusal);
    field = *reading.metres;
    return std::nullopt;
}

CoilCurrent& CoilOf(RenderOptions& o)
{
    if (!o.additions.winding)
        o.additions.winding.emplace();
    return *o.additions.winding;
}

// Stores the value of one option; the reason when the value is not usable.
std::optional<std::string> apply(Option option, std::string_view value, RenderOptions& o)
{
    switch (option) {
    case Option::Radius:
        return applyMetres(value, o.params.radius, "Радиус соленоида (--radius)");
    case Option::Length:
        return applyMetres(value, o.params.length, "Длина соленоида (--length)");
    case Option::HalfRange:
        return applyMetres(value, o.params.halfRange, "Половина размера области (--half-range)");
    case Option::Graph:
        if (value == "axis")
            o.graph = GraphKind::Axis;
        else if (value == "lines")
            o.graph = GraphKind::Lines;
        else if (value == "exact-lines")
            o.graph = GraphKind::ExactLines;
        else if (value == "field")
            o.graph = GraphKind::Field;
        else
            return "График (--graph) задается словом axis, lines, exact-lines или field, а не " +
                   QuotedForMessage(value) + ".";
        // every graph but the axis one has the window of the field lines
        o.params.graphMode = o.graph == GraphKind::Axis ? kAxisGraph : kFieldLinesGraph;
        return std::nullopt;
    case Option::Lines:
        o.params.lineCount = LineCountFromText(value);  // as the line-count box reads its text
        return std::nullopt;
    case Option::Size:
        return applySize(value, o);
    case Option::Output: {
        const auto format = formatOf(value);
        if (!format)
            return "Файл для записи (--output) должен иметь расширение .png, .svg, .pdf или .csv, а не " + QuotedForMessage(value) + ".";
        o.output = value;
        o.format = *format;
        return std::nullopt;
    }
    case Option::Turns: {
        const TurnsReading turns = TurnsFromText(value);
        if (!turns.turns)
            return refusedValue("Число витков (--turns)", value, turns.refusal);
        CoilOf(o).turns = *turns.turns;
        return std::nullopt;
    }
    case Option::Current: {
        const AmperesReading current = AmperesFromText(value);
        if (!current.amperes)
            return refusedValue("Ток (--current)", value, current.refusal);
        CoilOf(o).amperes = *current.amperes;
        return std::nullopt;
    }
    case Option::Measured:
        if (value.empty())
            return std::string("После --measured нужно имя файла измерений.");
        o.measuredFile = value;
        return std::nullopt;
    case Option::Units: {
        const auto units = MeasuredUnitsFromText(value);
        if (!units)
            return "Единицы измерений (--measured-units) задаются как Z:B, Z — m, cm или mm, B — T, mT или G, "
                   "например cm:mT, а не " + QuotedForMessage(value) + ".";
        o.measuredUnits = *units;
        return std::nullopt;
    }
    case Option::Pair: {
        const PairDistanceReading distance = PairDistanceFromText(value);
        if (!distance.metres)
            return refusedValue("Расстояние D (--pair)", value, distance.refusal);
        o.additions.arrangement = PairArrangement({*distance.metres, false});
        return std::nullopt;
    }
    case Option::Uniform: {
        const UniformPercentReading percent = UniformPercentFromText(value);
        if (!percent.percent)
            return refusedValue("Допуск P (--uniform)", value, percent.refusal);
        o.additions.uniformPercent = percent.percent;
        return std::nullopt;
    }
    case Option::ExactLines:
    case Option::FieldMap:
    case Option::Arrows:
    case Option::EqualFlux:
    case Option::Scales:
    case Option::Opposed:
    case Option::Fit:
    case Option::Help:
        break;
    }
    return std::nullopt;
}

// Options that only make sense together; the reason when they do not.
std::optional<std::string> combinationProblem(const RenderOptions& o, bool unitsGiven)
{
    const bool table = o.format == OutputFormat::Csv;
    if ((o.graph == GraphKind::ExactLines || o.graph == GraphKind::Field) && !table)
        return std::string("Графики exact-lines и field записываются только в таблицу .csv.");
    if ((o.additions.exact == ExactLines::ThroughSeeds || o.additions.fieldMap) && o.graph != GraphKind::Lines)
        return std::string("Точные линии и модуль поля (--exact-lines, --field-map) рисуются только вместе "
                           "с линиями напряженности (--graph lines).");
    if (o.additions.arrows && o.graph != GraphKind::Lines)
        return std::string("Стрелки (--arrows) рисуются только на линиях напряженности (--graph lines).");
    if (o.additions.exact == ExactLines::EqualFlux && o.graph != GraphKind::Lines && o.graph != GraphKind::ExactLines)
        return std::string("Линии равного потока (--equal-flux) строятся только для --graph lines и exact-lines.");
    if (o.additions.winding && (o.additions.winding->turns == 0 || o.additions.winding->amperes == 0))
        return std::string("Число витков и ток задаются вместе: --turns N --current I.");
    if (o.additions.uniformPercent && o.graph != GraphKind::Axis && o.graph != GraphKind::Lines)
        return std::string("Однородная область (--uniform) обводится только на графиках axis и lines.");
    const bool measured = !o.measuredFile.empty();
    if (measured && o.graph != GraphKind::Axis)
        return std::string("Измерения (--measured) сравниваются только с полем на оси (--graph axis).");
    if (measured && !o.additions.winding)
        return std::string("Для сравнения с измерениями (--measured) нужны число витков и ток: --turns N --current I.");
    const bool axisScale = o.additions.scales && o.graph == GraphKind::Axis;
    if (o.additions.winding && o.graph != GraphKind::Field && !o.additions.fieldMap && !axisScale && !measured)
        return std::string("Витки и ток (--turns, --current) нужны только для --graph field, --field-map, "
                           "--graph axis --scales и --measured.");
    if (o.additions.fit && !measured)
        return std::string("Подгонка (--fit) делается по измерениям: --measured ФАЙЛ.");
    if (unitsGiven && !measured)
        return std::string("Единицы измерений (--measured-units) задаются вместе с --measured ФАЙЛ.");
    return std::nullopt;
}

void turnOn(Option option, RunAdditions& a)
{
    switch (option) {
    case Option::ExactLines:
        if (a.exact == ExactLines::None)
            a.exact = ExactLines::ThroughSeeds;
        return;
    case Option::EqualFlux:
        a.exact = ExactLines::EqualFlux;  // the equal-flux lines are drawn instead
        return;
    case Option::FieldMap:
        a.fieldMap = true;
        return;
    case Option::Arrows:
        a.arrows = true;
        return;
    case Option::Scales:
        a.scales = true;
        return;
    case Option::Fit:
        a.fit = true;
        return;
    default:
        return;
    }
}

ParsedArguments refused(std::string error)
{
    ParsedArguments result;
    result.action = ParsedArguments::Action::Refuse;
    result.error = std::move(error);
    return result;
}

}  // namespace

ParsedArguments ParseRenderArguments(const std::vector<std::string>& args)
{
    ParsedArguments result;
    RenderOptions& o = result.options;
    o.params = StartValues(kAxisGraph);  // the graph list starts on the axis graph

    std::array<bool, kOptions.size()> seen{};
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (!arg.starts_with("--"))
            return refused("Лишний аргумент " + QuotedForMessage(arg) + "." + std::string(kHelpHint));
        const size_t eq = arg.find('=');
        const std::string_view name = arg.substr(0, eq);
        const auto option = optionNamed(name);
        if (!option)
            return refused("Неизвестный параметр " + QuotedForMessage(name) + "." + std::string(kHelpHint));
        const bool flag = *option == Option::Help || *option == Option::ExactLines || *option == Option::FieldMap ||
                          *option == Option::Arrows || *option == Option::EqualFlux ||
                          *option == Option::Scales || *option == Option::Fit || *option == Option::Opposed;
        if (flag && eq != std::string_view::npos)
            return refused("Параметр " + std::string(name) + " пишется без значения.");
        if (*option == Option::Help) {
            result.action = ParsedArguments::Action::ShowHelp;
            return result;
        }
        bool& given = seen[static_cast<size_t>(*option)];
        if (given)
            return refused("Параметр " + std::string(name) + " задан дважды.");
        given = true;
        if (flag) {
            if (*option != Option::Opposed)
                turnOn(*option, o.additions);
            continue;
        }
        std::string_view value;
        if (eq != std::string_view::npos)
            value = arg.substr(eq + 1);
        else if (i + 1 < args.size())
            value = args[++i];
        else
            return refused("После " + std::string(name) + " нужно значение.");
        if (auto error = apply(*option, value, o))
            return refused(std::move(*error));
    }
    if (o.output.empty())
        return refused("Не указан файл для записи: --output ФАЙЛ." + std::string(kHelpHint));
    if (seen[static_cast<size_t>(Option::Opposed)]) {
        const std::optional<CoilPair> pair = PairOf(o.additions.arrangement);
        if (!pair)
            return refused("Встречное включение (--opposed) задается только вместе с парой катушек (--pair D).");
        o.additions.arrangement = PairArrangement({pair->distance, true});
    }
    if (auto problem = combinationProblem(o, seen[static_cast<size_t>(Option::Units)]))
        return refused(std::move(*problem));
    result.action = ParsedArguments::Action::Render;
    return result;
}
