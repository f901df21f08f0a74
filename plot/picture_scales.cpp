#include "plot/picture_scales.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <utility>

#include "plot/axis_curve.h"
#include "plot/map_legend.h"
#include "plot/scale_ticks.h"

namespace {

// The window's picture at start: the font's magnification grows by one for
// every whole multiple of it.
constexpr int kBaseWidth = 651;
constexpr int kBaseHeight = 320;
constexpr Rgb kPaper{255, 255, 255};
// The window shows its picture inside a sunken frame that lies over the last
// columns and rows: the scales keep off them, to be seen whole there too.
constexpr int kFrameCover = 4;
// A line's pixels hold points within half a pixel of it: a line kept farther
// than this from a white box sets no pixel of it.
constexpr double kLineClearance = 0.75;
// Lengths under this half-size of the region are shown in centimetres.
constexpr double kCentimetreRegion = 0.5;

struct Segment {
    double x1, y1, x2, y2;
};

// Whether the segment meets the closed rectangle [x0, x1] x [y0, y1]
// (Liang-Barsky clipping); a segment with a coordinate that is not finite
// meets nothing.
bool Meets(const Segment& s, double x0, double y0, double x1, double y1)
{
    if (!(std::isfinite(s.x1) && std::isfinite(s.y1) && std::isfinite(s.x2) && std::isfinite(s.y2)))
        return false;
    const double dx = s.x2 - s.x1, dy = s.y2 - s.y1;
    const double along[4] = {-dx, dx, -dy, dy};
    const double room[4] = {s.x1 - x0, x1 - s.x1, s.y1 - y0, y1 - s.y1};
    double t0 = 0, t1 = 1;
    for (int i = 0; i < 4; ++i) {
        if (along[i] == 0) {
            if (room[i] < 0)
                return false;
            continue;
        }
        const double t = room[i] / along[i];
        if (along[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    return true;
}

// Whether two rectangles come closer than gap pixels.
bool Near(const PixelRect& a, const PixelRect& b, int gap)
{
    return a.x < b.x + b.w + gap && b.x < a.x + a.w + gap && a.y < b.y + b.h + gap && b.y < a.y + a.h + gap;
}

// The pixels a horizontal or vertical line sets.
PixelRect BoxOf(const ScaleMark& m)
{
    const int x = static_cast<int>(std::floor(std::min(m.x1, m.x2))), y = static_cast<int>(std::floor(std::min(m.y1, m.y2)));
    return {x, y, static_cast<int>(std::floor(std::max(m.x1, m.x2))) - x + 1, static_cast<int>(std::floor(std::max(m.y1, m.y2))) - y + 1};
}

// One scale: its range of values in the unit shown, and where a value lies on
// the picture (X for the horizontal scale, Y for the vertical one).
struct Scale {
    ScaleAxis axis;
    std::string unit;  // quantity and unit, as written on the picture
    double lowest;
    double highest;
    double pixelsPerUnit;
    std::function<double(double)> position;
    bool withZero = true;  // false: no tick at 0, where the z axis is
};

// The lengths' unit: centimetres for small regions.
double LengthFactor(const CalcParams& p) { return p.halfRange < kCentimetreRegion ? 100 : 1; }
bool InCentimetres(const CalcParams& p) { return p.halfRange < kCentimetreRegion; }

Scale ZScale(const CalcParams& p, const Language& language)
{
    const double u = LengthFactor(p);
    const std::string unit(language.translated(InCentimetres(p) ? "z, см" : "z, м"));
    return {ScaleAxis::Horizontal, unit, p.zMin * u, p.zMax * u, p.scaleX / u,
            [&p, u](double z) { return p.scaleX * (z / u - p.zMin); }};
}

// The field on the axis above the z axis, and below it too where the curve
// goes there (coils with opposed currents): Hz in n*I/2, or B in mT, whose
// sign follows the current's.
Scale FieldScale(const CalcParams& p, const std::optional<CoilCurrent>& coil, bool belowAxis, const Language& language)
{
    const double millitesla = coil ? 1000 * FluxDensityPerUnit(*coil, p.length) : std::numeric_limits<double>::quiet_NaN();
    const double top = millitesla * p.yMax;
    const bool si = std::fabs(top) >= 1e-290 && std::fabs(top) <= 1e290;  // also false for NaN
    const double f = si ? millitesla : 1;
    const double bottom = belowAxis ? static_cast<double>(p.yMin) : 0.0;
    return {ScaleAxis::Vertical, std::string(si ? language.translated("B, мТл") : "H, n·I/2"), std::min(f * bottom, f * p.yMax),
            std::max(f * bottom, f * p.yMax), p.scaleY / std::fabs(f),
            [&p, f](double v) { return p.scaleY * (p.yMax - v / f); }, false};
}

// r of the field lines, signed, distances from the axis in the horizontal scale.
Scale RScale(const CalcParams& p, const Language& language)
{
    const double u = LengthFactor(p);
    const std::string unit(language.translated(InCentimetres(p) ? "r, см" : "r, м"));
    return {ScaleAxis::Vertical, unit, p.yMin * u, p.yMax * u, p.scaleX / u,
            [&p, u](double r) { return p.scaleY * p.yMax - p.scaleX * (r / u); }};
}

using Positions = std::vector<std::pair<int, int>>;

// Where a text may go: inside the picture, off the lines and boxes to avoid
// and at least a font pixel off the texts placed before.
class Placement {
public:
    // pen: the width of the lines to keep off, device pixels
    Placement(int width, int height, const PixelTextStyle& style, int pen)
        : width_(width), height_(height), style_(style), pen_(pen)
    {
    }

    void avoid(const Segment& s) { segments_.push_back(s); }
    void avoid(const PixelRect& r)
    {
        if (r.w > 0 && r.h > 0)
            boxes_.push_back(r);
    }

    // Adds the label at the first free one of the glyph positions; false when none is free.
    bool place(ScaleLabel label, const Positions& positions, std::vector<ScaleLabel>& labels)
    {
        const std::u32string text = Utf32FromUtf8(label.text);
        for (const auto& [x, y] : positions) {
            const PixelRect box = PixelTextRect(x, y, text, style_);
            if (!free(box))
                continue;
            label.x = x;
            label.y = y;
            label.box = box;
            labels.push_back(std::move(label));
            boxes_.push_back(box);
            return true;
        }
        return false;
    }

private:
    bool free(const PixelRect& b) const
    {
        if (b.w <= 0 || b.x < 0 || b.y < 0 || b.x + b.w > width_ || b.y + b.h > height_)
            return false;
        for (const PixelRect& r : boxes_)
            if (Near(b, r, style_.scale))
                return false;
        // a wide line's pixels reach pen - 1 beyond the thin line's to the right and down
        const double c = kLineClearance, before = c + pen_ - 1;
        for (const Segment& s : segments_)
            if (Meets(s, b.x - before, b.y - before, b.x + b.w + c, b.y + b.h + c))
                return false;
        return true;
    }

    int width_;
    int height_;
    PixelTextStyle style_;
    int pen_;
    std::vector<Segment> segments_;
    std::vector<PixelRect> boxes_;
};

// Lays out the scales of one picture: the units first, then the numbers.
class ScalesLayout {
public:
    // pen: device pixels per logical pixel, the width of every line
    ScalesLayout(int width, int height, int pen, PictureScales& scales)
        : width_(width), height_(height), s_(scales.style.scale), pen_(pen), scales_(scales),
          places_(width, height, scales.style, pen)
    {
    }

    Placement& places() { return places_; }

    int fontScale() const { return s_; }
    int pen() const { return pen_; }
    int tickLength() const { return 4 * s_; }
    int textHeight() const { return kGlyphHeight * s_; }
    int widthOf(const std::string& text) const { return PixelTextWidth(Utf32FromUtf8(text)) * s_; }

    // The glyph position of a text that ends two font pixels before the right edge, its glyphs' top at y.
    std::pair<int, int> atRightEnd(const std::string& text, int y) const { return {width_ - 2 * s_ - widthOf(text), y}; }

    // Glyph positions of a number on a horizontal scale: centred on the
    // tick's pixel columns from c on, then right of them, then left; glyphs' top at y.
    Positions acrossColumn(const std::string& text, int c, int y) const
    {
        const int w = widthOf(text);
        return {{c - (w - pen_) / 2, y}, {c + pen_ + 2 * s_, y}, {c - 2 * s_ - w, y}};
    }

    // Glyph positions of a number on a vertical scale: centred on the tick's
    // pixel rows from r on, then, if it may be moved, above them and below; glyphs' left at x.
    Positions alongRow(int r, int x, bool movable) const
    {
        const int h = textHeight();
        if (!movable)
            return {{x, r - (h - pen_) / 2}};
        return {{x, r - (h - pen_) / 2}, {x, r - h - 2 * s_}, {x, r + pen_ + 2 * s_}};
    }

    // The line along the left edge from the row top to bottom, and along the bottom edge to the column right.
    void addLeftEdge(double top, double bottom)
    {
        scales_.edges.push_back({ScaleAxis::Vertical, 0, 0, static_cast<float>(top), 0, static_cast<float>(bottom)});
    }
    void addBottomEdge(double right)
    {
        const float bottom = static_cast<float>(height_ - pen_);
        scales_.edges.push_back({ScaleAxis::Horizontal, 0, 0, bottom, static_cast<float>(right), bottom});
    }

    // The ticks of the scale, far enough apart for their numbers.
    ScaleTicks ticksOf(const Scale& scale) const
    {
        const auto spacing = [&](const ScaleTicks& ticks) {
            if (scale.axis == ScaleAxis::Vertical)
                return 2.0 * (kGlyphHeight + 2) * s_;  // two numbers' white boxes high
            int widest = 0;
            for (double v : ticks.values)
                widest = std::max(widest, widthOf(TickText(v, ticks.step)));
            return static_cast<double>(widest + 2 * s_ + 3 * kGlyphAdvance * s_);  // three characters between boxes
        };
        ScaleTicks ticks = ChooseTicks(scale.lowest, scale.highest, scale.pixelsPerUnit, spacing);
        if (!scale.withZero)
            std::erase(ticks.values, 0.0);
        return ticks;
    }

    // The scale's unit at the first free of unitPositions, its tick marks,
    // mark(position) for each but one that would touch the unit, and, when
    // the unit found a place, its numbers, each at the first free of
    // numberPositions(text, the tick's pixel column or row).
    void add(const Scale& scale, const Positions& unitPositions, const std::function<ScaleMark(double)>& mark,
             const std::function<Positions(const std::string&, int)>& numberPositions)
    {
        const ScaleTicks ticks = ticksOf(scale);
        scales_.tickStep[scale.axis == ScaleAxis::Horizontal ? 0 : 1] = ticks.values.empty() ? 0 : ticks.step;
        const bool withNumbers = !ticks.values.empty() &&
            places_.place(ScaleLabel{scale.axis, true, 0, scale.unit, 0, 0, {}}, unitPositions, scales_.labels);
        const PixelRect unit = withNumbers ? scales_.labels.back().box : PixelRect{};
        for (double v : ticks.values) {
            ScaleMark m = mark(scale.position(v));
            // beside a vertical scale's unit, at the left edge, a tick would read as a dash
            PixelRect line = BoxOf(m);
            line.w += pen_ - 1;  // the line's width reaches right and down
            line.h += pen_ - 1;
            if (scale.axis == ScaleAxis::Vertical)
                line.w = width_;
            if (withNumbers && Near(line, unit, s_))
                continue;
            m.axis = scale.axis;
            m.value = v;
            scales_.marks.push_back(m);
            if (!withNumbers)
                continue;
            const std::string text = TickText(v, ticks.step);
            const int pixel = static_cast<int>(std::floor(scale.position(v)));
            places_.place(ScaleLabel{scale.axis, false, v, text, 0, 0, {}}, numberPositions(text, pixel), scales_.labels);
        }
    }

private:
    int width_;
    int height_;
    int s_;
    int pen_;
    PictureScales& scales_;
    Placement places_;
};

// A mark of a horizontal scale from the row y1 to y2, and of a vertical one
// along the left edge, length pixels long for lines pen pixels wide.
ScaleMark Upright(double x, double y1, double y2)
{
    return {ScaleAxis::Horizontal, 0, static_cast<float>(x), static_cast<float>(y1), static_cast<float>(x),
            static_cast<float>(y2)};
}
ScaleMark FromLeftEdge(double y, int length, int pen)
{
    return {ScaleAxis::Vertical, 0, 0, static_cast<float>(y), static_cast<float>(length - pen), static_cast<float>(y)};
}

// The axis graph: z under the z axis, the field at the left edge above it,
// off the curve and the vertical axis.
void LayOutAxisGraph(const CalcParams& p, int width, int height, const std::optional<CoilCurrent>& coil,
                     double curveFactor, const CoilArrangement& coils, const Language& language, ScalesLayout& layout)
{
    const double axisRow = p.scaleY * p.yMax;
    const int row = static_cast<int>(std::floor(axisRow));
    const int t = layout.tickLength(), h = layout.textHeight(), s = layout.fontScale(), u = layout.pen();
    layout.places().avoid(Segment{0, axisRow, static_cast<double>(width), axisRow});
    const double axisColumn = p.scaleX * (0 - p.zMin);
    layout.places().avoid(Segment{axisColumn, 0, axisColumn, static_cast<double>(height)});
    const std::vector<SurfacePoint> curve = AxisCurvePoints(p, curveFactor, coils);
    for (size_t i = 1; i < curve.size(); ++i)
        layout.places().avoid(Segment{curve[i - 1].x, curve[i - 1].y, curve[i].x, curve[i].y});
    const bool belowAxis =
        std::any_of(curve.begin(), curve.end(), [&](const SurfacePoint& q) { return q.y > axisRow + 1; });

    const Scale field = FieldScale(p, coil, belowAxis, language);
    layout.addLeftEdge(0, belowAxis ? height - 1 : axisRow);
    // its unit at the top, or, where a flat curve runs along the top, just above the z axis
    layout.add(field, {{t + 3 * s, 2 * s}, {t + 3 * s, row - h - 2 * s}}, [&](double y) { return FromLeftEdge(y, t, u); },
               [&](const std::string&, int r) { return layout.alongRow(r, t + 3 * s, false); });

    // The numbers of z under their ticks, and under the winding's circles
    // (radius L/100) where the numbers' boxes fit below them.
    const double wire = p.scaleX * (p.length / 100);
    const bool belowWire = row + wire + u + 3 * s + h <= height;  // also false for a radius beyond all bounds
    const int depth = belowWire ? std::max(t, static_cast<int>(std::ceil(wire))) : t;
    const int numbersTop = row + depth + u + 2 * s;
    const Scale z = ZScale(p, language);
    layout.add(z, {layout.atRightEnd(z.unit, numbersTop), layout.atRightEnd(z.unit, row - h - 2 * s)},
               [&](double x) { return Upright(x, axisRow, axisRow + t); },
               [&](const std::string& text, int c) { return layout.acrossColumn(text, c, numbersTop); });
}

// The field lines: z along the bottom edge, r along the left edge.
void LayOutLinesGraph(const CalcParams& p, int height, const Language& language, ScalesLayout& layout)
{
    const double axisRow = p.scaleY * p.yMax;
    const int t = layout.tickLength(), h = layout.textHeight(), s = layout.fontScale(), u = layout.pen();
    layout.places().avoid(Segment{0, axisRow, static_cast<double>(p.scaleX * (p.zMax - p.zMin)), axisRow});

    const Scale r = RScale(p, language);
    layout.addLeftEdge(0, height - 1);
    layout.addBottomEdge(p.scaleX * (p.zMax - p.zMin));
    layout.add(r, {{t + 3 * s, 2 * s}}, [&](double y) { return FromLeftEdge(y, t, u); },
               [&](const std::string&, int row) { return layout.alongRow(row, t + 3 * s, true); });

    const int numbersTop = height - t - 2 * s - h;
    const Scale z = ZScale(p, language);
    layout.add(z, {layout.atRightEnd(z.unit, numbersTop), layout.atRightEnd(z.unit, numbersTop - h - 3 * s)},
               [&](double x) { return Upright(x, height - t, height - u); },
               [&](const std::string& text, int c) { return layout.acrossColumn(text, c, numbersTop); });
}

}  // namespace

PictureScales PictureScalesOf(const CalcParams& p, int width, int height, const std::optional<CoilCurrent>& coil,
                              bool avoidLegend, double curveFactor, const CoilArrangement& coils, LabelSize size,
                              const Language& language)
{
    PictureScales scales;
    const double ratio = UsablePixelRatio(size.ratio);
    const int logicalWidth = static_cast<int>(std::lround(width / ratio));
    const int logicalHeight = static_cast<int>(std::lround(height / ratio));
    const int step = std::max(1, std::min(logicalWidth / kBaseWidth, logicalHeight / kBaseHeight));
    scales.style = PixelTextStyle{kAxisColour, kPaper, step * size.font()};
    const int cover = kFrameCover * size.pixels();
    const int shownWidth = width - cover, shownHeight = height - cover;
    if (shownWidth <= 0 || shownHeight <= 0 || !(p.scaleX > 0) || !(p.scaleY > 0))
        return scales;
    ScalesLayout layout(shownWidth, shownHeight, size.pixels(), scales);
    if (avoidLegend)
        layout.places().avoid(MapLegendBox(width, height, size));
    if (p.graphMode == kAxisGraph)
        LayOutAxisGraph(p, shownWidth, shownHeight, coil, curveFactor, coils, language, layout);
    else
        LayOutLinesGraph(p, shownHeight, language, layout);
    return scales;
}

void DrawPictureScales(const PictureScales& scales, DrawingSurface& surface)
{
    for (const std::vector<ScaleMark>* lines : {&scales.edges, &scales.marks})
        for (const ScaleMark& m : *lines)
            surface.drawLine(m.x1, m.y1, m.x2, m.y2, scales.style.ink);
    for (const ScaleLabel& label : scales.labels)
        DrawPixelText(surface, label.x, label.y, label.text, scales.style);
}
