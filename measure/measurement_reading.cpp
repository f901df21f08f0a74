#include "measure/measurement_reading.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <optional>

#include "measure/measurement_text.h"
#include "params/message_text.h"

namespace {

enum class Separator { Tab, Semicolon, Comma, Blanks };
// In the order that wins a tie.
constexpr Separator kSeparators[] = {Separator::Tab, Separator::Semicolon, Separator::Comma, Separator::Blanks};

// How many rows after the first non-blank line the separator is guessed from.
constexpr int kSampleRows = 64;

constexpr std::string_view kMinusSign = "\xE2\x88\x92";  // U+2212, as typeset texts write it

// What may stand between groups of three digits, as spreadsheets write
// 1 286,71: a blank, a no-break space (U+00A0), a narrow no-break space
// (U+202F) or a thin space (U+2009).
constexpr std::string_view kGroupSeparators[] = {" ", "\xC2\xA0", "\xE2\x80\xAF", "\xE2\x80\x89"};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool Separates(char c, Separator s)
{
    switch (s) {
    case Separator::Tab:
        return c == '\t';
    case Separator::Semicolon:
        return c == ';';
    case Separator::Comma:
        return c == ',';
    case Separator::Blanks:
        return IsBlank(c);
    }
    return false;
}

// Blanks, tabs, commas and semicolons only: an empty row of a spreadsheet.
bool IsBlankLine(std::string_view line)
{
    for (const char c : line)
        if (!IsBlank(c) && c != ',' && c != ';')
            return false;
    return true;
}

// The lines of a text, ended by LF, CR LF or CR, numbered from 1.
class LineCursor {
public:
    explicit LineCursor(std::string_view text) : text_(text) {}

    bool next(std::string_view& line)
    {
        if (at_ >= text_.size())
            return false;
        size_t end = at_;
        while (end < text_.size() && text_[end] != '\n' && text_[end] != '\r')
            ++end;
        line = text_.substr(at_, end - at_);
        at_ = end + (end + 1 < text_.size() && text_[end] == '\r' && text_[end + 1] == '\n' ? 2 : 1);
        ++number_;
        return true;
    }

    long number() const { return number_; }

private:
    std::string_view text_;
    size_t at_ = 0;
    long number_ = 0;
};

struct Cell {
    std::string_view text;  // without the blanks and the quotes around it
    bool quoted = false;
};

// The first two non-empty cells of a row; count says how many it has (0 to 2).
struct RowStart {
    Cell cells[2];
    int count = 0;
};

RowStart FirstCells(std::string_view line, Separator s)
{
    RowStart row;
    size_t i = 0;
    while (row.count < 2 && i < line.size()) {
        while (i < line.size() && IsBlank(line[i]) && !Separates(line[i], s))
            ++i;
        const size_t start = i;
        bool inQuotes = false;
        while (i < line.size() && (inQuotes || !Separates(line[i], s))) {
            inQuotes = inQuotes != (line[i] == '"');
            ++i;
        }
        size_t end = i;
        while (end > start && IsBlank(line[end - 1]))
            --end;
        ++i;  // past the separator
        Cell cell{line.substr(start, end - start)};
        if (cell.text.size() >= 2 && cell.text.front() == '"' && cell.text.back() == '"') {
            cell.text = cell.text.substr(1, cell.text.size() - 2);
            cell.quoted = true;
        }
        if (!cell.text.empty() || cell.quoted)
            row.cells[row.count++] = cell;
    }
    return row;
}

enum class NumberKind { Number, NotNumber, NotFinite, OutOfRange };

size_t GroupSeparatorAt(std::string_view s, size_t i)
{
    for (const std::string_view g : kGroupSeparators)
        if (s.substr(i).starts_with(g))
            return g.size();
    return 0;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The digits of s without the separators between their groups, when s begins
// with one to three digits followed by groups of exactly three, each after a
// separator (the rest, a fraction or an exponent, as it is); else s itself,
// separators and all, for the reading to refuse.
std::string_view WithoutDigitGroups(std::string_view s, std::string& buffer)
{
    size_t i = 0;
    while (i < s.size() && IsDigit(s[i]))
        ++i;
    if (i == 0 || i > 3 || GroupSeparatorAt(s, i) == 0)
        return s;
    buffer.assign(s.substr(0, i));
    while (const size_t g = GroupSeparatorAt(s, i)) {
        const size_t group = i + g;
        if (group + 3 > s.size() || !IsDigit(s[group]) || !IsDigit(s[group + 1]) || !IsDigit(s[group + 2]) ||
            (group + 3 < s.size() && IsDigit(s[group + 3])))
            return s;
        buffer += s.substr(group, 3);
        i = group + 3;
    }
    buffer += s.substr(i);
    return buffer;
}

// A decimal number, sign and exponent optional, its whole part maybe in
// groups of three digits; a comma stands for the point when allowed.
NumberKind ReadNumber(std::string_view s, bool decimalComma, double& value)
{
    bool minus = false;
    if (s.starts_with('+')) {
        s.remove_prefix(1);
    } else if (s.starts_with('-') || s.starts_with(kMinusSign)) {
        s.remove_prefix(s[0] == '-' ? 1 : kMinusSign.size());
        minus = true;
    }
    if (s.empty() || s[0] == '+' || s[0] == '-')
        return NumberKind::NotNumber;
    std::string ungrouped, withPoint;
    s = WithoutDigitGroups(s, ungrouped);
    if (decimalComma && s.find(',') != std::string_view::npos) {
        withPoint.assign(s);
        for (char& c : withPoint)
            if (c == ',')
                c = '.';
        s = withPoint;
    }
    double v = 0;
    const char* end = s.data() + s.size();
    const auto [stop, error] = std::from_chars(s.data(), end, v);
    if (error == std::errc::invalid_argument || stop != end)
        return NumberKind::NotNumber;
    if (error == std::errc::result_out_of_range)
        return NumberKind::OutOfRange;
    if (!std::isfinite(v))
        return NumberKind::NotFinite;
    value = minus ? -v : v;
    return NumberKind::Number;
}

// Why a row does not begin with two numbers; nothing when it does, and they are z and b.
std::optional<Message> RowProblem(const RowStart& row, Separator s, double& z, double& b)
{
    double* const values[] = {&z, &b};
    for (int k = 0; k < row.count; ++k) {
        const Cell& cell = row.cells[k];
        switch (ReadNumber(cell.text, s != Separator::Comma || cell.quoted, *values[k])) {
        case NumberKind::Number:
            break;
        case NumberKind::NotNumber:
            return Message("не число %1").arg(QuotedForMessage(cell.text));
        case NumberKind::NotFinite:
            return Message("нужно конечное число, а не %1").arg(QuotedForMessage(cell.text));
        case NumberKind::OutOfRange:
            return Message("число %1 слишком велико или слишком мало").arg(QuotedForMessage(cell.text));
        }
    }
    if (row.count < 2)
        return row.count == 0 ? Message("нет чисел")
                              : Message("одно число %1, а нужны два: z и B").arg(QuotedForMessage(row.cells[0].text));
    return std::nullopt;
}

bool BeginsWithTwoNumbers(std::string_view line, Separator s)
{
    double z = 0, b = 0;
    return !RowProblem(FirstCells(line, s), s, z, b);
}

// The separator that reads two numbers from most of the first rows after the
// first non-blank line (which may be a header), or from that line alone when
// nothing follows it. Where none reads any, the one that splits most rows in two.
// Where a tab parts the first two cells of every row, the file is
// tab-separated and its blanks belong to the cells (1 286,71), never
// separating them.
Separator GuessSeparator(std::string_view text)
{
    std::vector<std::string_view> sample;
    std::string_view first, line;
    LineCursor lines(text);
    while (sample.size() < kSampleRows && lines.next(line)) {
        if (IsBlankLine(line))
            continue;
        if (first.empty())
            first = line;
        else
            sample.push_back(line);
    }
    if (sample.empty())
        sample.push_back(first);
    const bool tabsEverywhere = std::all_of(sample.begin(), sample.end(), [](std::string_view row) {
        return FirstCells(row, Separator::Tab).count == 2;
    });
    Separator best = kSeparators[0];
    long bestScore = -1;
    for (const Separator s : kSeparators) {
        if (s == Separator::Blanks && tabsEverywhere)
            continue;
        long score = 0;
        for (const std::string_view row : sample)
            score += (BeginsWithTwoNumbers(row, s) ? 1000 : 0) + (FirstCells(row, s).count == 2 ? 1 : 0);
        if (score > bestScore) {
            best = s;
            bestScore = score;
        }
    }
    return best;
}

MeasurementReading Refused(long line, Message reason)
{
    return {{}, Message("строка %1: %2").count(line).arg(std::move(reason))};
}

}  // namespace

MeasurementReading ReadMeasurements(std::string_view bytes, MeasuredUnits units, std::stop_token stop)
{
    DecodedText decoded;
    DecodeMeasurementText(bytes, decoded);
    const std::string_view text = decoded.text;
    const Separator separator = GuessSeparator(text);
    const double perMetre = PerMetre(units.z), perTesla = PerTesla(units.b);

    MeasurementReading out;
    LineCursor lines(text);
    std::string_view line;
    bool header = false;  // the first non-blank line was one
    while (lines.next(line)) {
        if (std::memchr(line.data(), '\0', line.size()) != nullptr)
            return Refused(lines.number(), Message("двоичные данные, а не текст"));
        if (IsBlankLine(line))
            continue;
        double z = 0, b = 0;
        if (auto problem = RowProblem(FirstCells(line, separator), separator, z, b)) {
            if (out.points.empty() && !header) {
                header = true;
                continue;
            }
            return Refused(lines.number(), *problem);
        }
        out.points.push_back({z / perMetre, b / perTesla});
        if (out.points.size() % 65536 == 0 && stop.stop_requested())
            return Refused(lines.number(), Message("чтение прервано"));
    }
    const long end = lines.number() + 1;  // where reading stopped: after the last line
    if (out.points.empty())
        return Refused(end, header ? Message("после заголовка нет ни одной строки с числами") : Message("файл пуст"));
    if (out.points.size() < kFewestMeasuredPoints)
        return Refused(end, Message("всего %1, а для сравнения нужны хотя бы три").arg(PointCountText(out.points.size())));
    return out;
}
