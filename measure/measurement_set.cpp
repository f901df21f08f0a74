#include "measure/measurement_set.h"

std::string PointCountText(std::size_t count)
{
    const std::size_t last = count % 10, lastTwo = count % 100;
    const char* word = "точек";
    if (last == 1 && lastTwo != 11)
        word = "точка";
    else if (last >= 2 && last <= 4 && (lastTwo < 12 || lastTwo > 14))
        word = "точки";
    return std::to_string(count) + " " + word;
}
