#pragma once

#include <optional>

// A control's place in the client area, in pixels from its top-left corner.
// Positions and sizes are reals; the window applies them to whole pixels.
struct RealRect {
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
    friend bool operator==(const RealRect&, const RealRect&) = default;
};

// The places of the fourteen controls of the main window.
struct ControlLayout {
    RealRect picture1;
    RealRect cmdOK;
    RealRect list1;
    RealRect label7;
    RealRect text1;
    RealRect label1, label4, vScroll1;  // radius: caption, value, scroll bar
    RealRect label2, label5, vScroll2;  // length
    RealRect label3, label6, vScroll3;  // half-size of the region
    friend bool operator==(const ControlLayout&, const ControlLayout&) = default;
};

// The smallest client area the layout fits: the picture's width and height
// would be negative below it.
inline constexpr int kLayoutMinWidth = 8;
inline constexpr int kLayoutMinHeight = 86;

// Places the controls for a client area of the given size: the picture takes
// the whole width and all of the height above a band of fixed height at the
// bottom, which holds the graph list, the line-count box, the three parameter
// groups and the button at 85 % of the width. Nothing for a client area
// smaller than kLayoutMinWidth x kLayoutMinHeight.
std::optional<ControlLayout> ArrangeControls(int clientWidth, int clientHeight);

// A real position or size to the nearest whole pixel, halves away from zero.
int ToPixel(float value);
