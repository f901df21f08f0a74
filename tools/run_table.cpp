#include "tools/run_table.h"

#include <charconv>

#include "field/axial_field.h"
#include "field/field_lines.h"

namespace {

// Appends a value with the given number of significant digits, trailing
// zeros dropped, and the point as decimal separator whatever the locale.
void append(std::string& out, double v, int digits)
{
    char text[40];
    const auto result = std::to_chars(text, text + sizeof text, v, std::chars_format::general, digits);
    out.append(text, result.ptr);
}

void appendDouble(std::string& out, double v) { append(out, v, 17); }
void appendFloat(std::string& out, float v) { append(out, v, 9); }

// Writes a row for the seed and for the end of every step, line by line.
class FieldLineRows final : public FieldLineSink {
public:
    explicit FieldLineRows(std::string& out) : out_(out) {}

    void beginLine(double z, double r) override
    {
        ++line_;
        step_ = 0;
        row(z, r);
    }

    void step(const FieldLineStep& s) override
    {
        ++step_;
        row(s.z, s.r);
    }

private:
    void row(double z, double r)
    {
        out_ += std::to_string(line_);
        out_ += ',';
        out_ += std::to_string(step_);
        out_ += ',';
        appendDouble(out_, z);
        out_ += ',';
        appendDouble(out_, r);
        out_ += '\n';
    }

    std::string& out_;
    long long line_ = 0;
    long long step_ = 0;
};

}  // namespace

std::string AxisCurveTable(const CalcParams& p)
{
    std::string out = "z,Hz\n";
    for (int i = 0; i <= p.pointCount; ++i) {
        const double z = p.zMin + i * p.zStep;  // the points the curve is drawn through
        appendDouble(out, z);
        out += ',';
        appendFloat(out, AxialField(p, z));
        out += '\n';
    }
    return out;
}

std::string FieldLinesTable(const CalcParams& p)
{
    std::string out = "line,step,z,r\n";
    FieldLineRows rows(out);
    FollowFieldLines(p, rows);
    return out;
}
