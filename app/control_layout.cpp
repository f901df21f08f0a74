#include "app/control_layout.h"

#include <cmath>

namespace {

constexpr float kMarginX = 4;
constexpr float kMarginY = 4;
constexpr float kCellWidth = 65;
constexpr float kRowHeight = 22;

struct ParameterGroup {
    RealRect caption;
    RealRect value;
    RealRect bar;
};

// A caption label with its value label underneath and its scroll bar to the right.
ParameterGroup PlaceParameterGroup(float left, float top)
{
    ParameterGroup g;
    g.caption = {left, top, kCellWidth, kRowHeight};
    g.value = {g.caption.left, g.caption.height + g.caption.top, kCellWidth, kRowHeight};
    g.bar = {g.caption.width + g.caption.left, g.caption.top, static_cast<float>(kCellWidth * 0.25), 2 * kRowHeight};
    return g;
}

// The left edge of the group that follows the given one.
float NextGroupLeft(const ParameterGroup& g)
{
    return (g.caption.width + g.caption.left + g.bar.width) + 5 * kMarginX;
}

}  // namespace

std::optional<ControlLayout> ArrangeControls(int clientWidth, int clientHeight)
{
    if (clientWidth < kLayoutMinWidth || clientHeight < kLayoutMinHeight)
        return std::nullopt;
    const auto sw = static_cast<float>(clientWidth);
    const auto sh = static_cast<float>(clientHeight);
    const float bandTop = sh - 3 * kRowHeight;

    ControlLayout c;
    c.picture1 = {kMarginX, kMarginY, sw - 2 * kMarginX, bandTop - 5 * kMarginY};
    c.cmdOK = {static_cast<float>(sw * 0.85), bandTop - 3 * kMarginY, kCellWidth, kRowHeight};
    c.list1 = {kMarginX, c.cmdOK.top, 3 * kCellWidth, 2 * kRowHeight};
    c.label7 = {kMarginX, (c.list1.height + c.list1.top) + kMarginY, 2 * kCellWidth, kRowHeight};
    c.text1 = {c.label7.width + kMarginX, c.label7.top, kCellWidth, kRowHeight};

    const ParameterGroup radius = PlaceParameterGroup((c.list1.width + c.list1.left) + 5 * kMarginX, c.list1.top);
    const ParameterGroup length = PlaceParameterGroup(NextGroupLeft(radius), radius.caption.top);
    const ParameterGroup region = PlaceParameterGroup(NextGroupLeft(length), radius.caption.top);
    c.label1 = radius.caption;
    c.label4 = radius.value;
    c.vScroll1 = radius.bar;
    c.label2 = length.caption;
    c.label5 = length.value;
    c.vScroll2 = length.bar;
    c.label3 = region.caption;
    c.label6 = region.value;
    c.vScroll3 = region.bar;
    return c;
}

int ToPixel(float value)
{
    return static_cast<int>(std::lround(value));
}
