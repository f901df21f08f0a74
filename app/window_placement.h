#pragma once

// Where the window's outer top-left corner goes: a tenth of the free width
// from the left edge of the screen and a fiftieth of the free height from its
// top. On a screen smaller than the window the free space is negative and the
// window starts slightly off the screen.
struct WindowOrigin {
    int left = 0;
    int top = 0;
    friend bool operator==(const WindowOrigin&, const WindowOrigin&) = default;
};

WindowOrigin PlaceWindow(int screenWidth, int screenHeight, int windowWidth, int windowHeight);
