#include "params/scroll_position.h"

#include <cmath>

double ValueOfScrollPosition(int position)
{
    return static_cast<double>(position) * 0.1;
}

int ScrollPositionOfValue(double value, float scrollScale)
{
    const double position = std::round(value / scrollScale * kScrollTopEnd);
    if (!(position >= kScrollBottomEnd))  // also catches NaN
        return kScrollBottomEnd;
    if (position > kScrollTopEnd)
        return kScrollTopEnd;
    return static_cast<int>(position);
}
