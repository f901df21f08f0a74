#include "app/window_placement.h"

#include <cmath>

WindowOrigin PlaceWindow(int screenWidth, int screenHeight, int windowWidth, int windowHeight)
{
    const double left = (screenWidth - windowWidth) * 0.1;
    const double top = (screenHeight - windowHeight) * 0.02;
    return {static_cast<int>(std::lround(left)), static_cast<int>(std::lround(top))};
}
