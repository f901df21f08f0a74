#include "export/run_tables.h"

#include <charconv>
#include <cmath>

#include "field/arrangement_field.h"
#include "field/equal_flux_lines.h"
#include "field/exact_field_line.h"
#include "field/flux_contours.h"
#include "field/field_line_tracer.h"
#include "field/field_lines.h"
#include "plot/axes.h"
#include "plot/plot_window.h"
#include "surface/blank_surface.h"

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
    explicit FieldLineRows(TableWriter& table) : table_(table) {}

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
        std::string& out = table_.text();
        out += std::to_string(line_);
        out += ',';
        out += std::to_string(step_);
        out += ',';
        appendDouble(out, z);
        out += ',';
        appendDouble(out, r);
        out += '\n';
        table_.endRow();
    }

    TableWriter& table_;
    long long line_ = 0;
    long long step_ = 0;
};

}  // namespace

void WriteAxisCurveTable(const CalcParams& p, TableWriter& table, const CoilArrangement& coils)
{
    std::string& out = table.text();
    out += "z,Hz\n";
    for (int i = 0; i <= p.pointCount; ++i) {
        const double z = p.zMin + i * p.zStep;  // the points the curve is drawn through
        appendDouble(out, z);
        out += ',';
        appendFloat(out, AxialField(p, coils, z));
        out += '\n';
        table.endRow();
    }
}

void WriteFieldLinesTable(const CalcParams& p, TableWriter& table)
{
    table.text() += "line,step,z,r\n";
    FieldLineRows rows(table);
    FollowFieldLines(p, rows);
}

void WriteExactLinesTable(const CalcParams& p, TableWriter& table, bool equalFlux, const CoilArrangement& coils)
{
    const std::vector<std::vector<MeridianPoint>> lines = !IsProgramCoil(coils) ? EqualFluxContours(p, coils)
                                                          : equalFlux           ? EqualFluxLines(p)
                                                                                : ExactFieldLines(p);
    std::string& out = table.text();
    out += "line,point,z,r\n";
    long long line = 0;
    for (const std::vector<MeridianPoint>& points : lines) {
        ++line;
        for (size_t k = 0; k < points.size(); ++k) {
            out += std::to_string(line);
            out += ',';
            out += std::to_string(k);
            out += ',';
            appendDouble(out, points[k].z);
            out += ',';
            appendDouble(out, points[k].r);
            out += '\n';
            table.endRow();
        }
    }
}

void WriteFieldTable(const CalcParams& p, int width, int height, TableWriter& table,
                     const std::optional<CoilCurrent>& coil, const CoilArrangement& coils)
{
    std::string& out = table.text();
    out += coil ? "z,r,Hz,Hr,H,Psi,Bz,Br,B\n" : "z,r,Hz,Hr,H,Psi\n";
    const double tesla = coil ? FluxDensityPerUnit(*coil, p.length) : 0;  // B for one n*I/2
    const double dz = (p.zMax - p.zMin) / width;
    const double dr = static_cast<double>(p.yMax) / height;
    for (int j = 0; j < height; ++j) {
        const double r = (j + 0.5) * dr;
        for (int i = 0; i < width; ++i) {
            const double z = p.zMin + (i + 0.5) * dz;
            const FieldAndFlux f = ExactFieldAndFlux(p, coils, z, r);
            const double h = FieldStrength(f.field);
            for (const double v : {z, r, f.field.hz, f.field.hr, h, f.psi}) {
                appendDouble(out, v);
                out += ',';
            }
            if (coil)
                for (const double v : {tesla * f.field.hz, tesla * f.field.hr, std::fabs(tesla) * h}) {
                    appendDouble(out, v);
                    out += ',';
                }
            out.back() = '\n';
            table.endRow();
        }
    }
}

void WriteComparisonTable(const CalcParams& p, const AxisComparison& c, const MeasurementSet& set, TableWriter& table)
{
    std::string& out = table.text();
    out += "z,B,B_theory,residual\n";
    for (const MeasuredPoint& m : set.points) {
        const ComparedPoint row = ComparedAt(p, c, m);
        for (const double v : {row.z, row.b, row.theory, row.residual}) {
            appendDouble(out, v);
            out += ',';
        }
        out.back() = '\n';
        table.endRow();
    }
}

void WriteTable(RenderOptions o, TableWriter& table)
{
    CalcParams& p = o.params;
    const CoilArrangement& coils = o.additions.arrangement;
    const BlankSurface picture(o.width, o.height);
    const std::optional<AxisComparison> c = RunComparison(p, o.additions);
    SetRunFrame(p, picture, o.additions, c);  // the frame the picture would have
    switch (o.graph) {
    case GraphKind::Axis:
        if (c && c->refusal.empty()) {
            WriteComparisonTable(p, *c, *o.additions.measured, table);
            break;
        }
        WriteAxisCurveTable(p, table, coils);
        break;
    case GraphKind::Lines:
        if (IsProgramCoil(coils))
            WriteFieldLinesTable(p, table);
        else
            WriteExactLinesTable(p, table, true, coils);  // an arrangement's lines are its exact ones
        break;
    case GraphKind::ExactLines:
        WriteExactLinesTable(p, table, o.additions.exact == ExactLines::EqualFlux, coils);
        break;
    case GraphKind::Field:
        WriteFieldTable(p, o.width, o.height, table, o.additions.winding, coils);
        break;
    }
    table.flush();
}

std::string TableContents(const RenderOptions& o)
{
    std::string contents;
    TableWriter table([&contents](std::string_view piece) {
        contents += piece;
        return true;
    });
    WriteTable(o, table);
    return contents;
}
