#include "measure/measurement_set.h"

Message PointCountText(std::size_t count)
{
    // One point has a pattern of its own: "21 точка" agrees with its last
    // digit in Russian, but only a single point is singular in English.
    if (count == 1)
        return Message("1 точка");
    const std::size_t last = count % 10, lastTwo = count % 100;
    const char* pattern = "%1 точек";
    if (last == 1 && lastTwo != 11)
        pattern = "%1 точка";
    else if (last >= 2 && last <= 4 && (lastTwo < 12 || lastTwo > 14))
        pattern = "%1 точки";
    return Message(pattern).count(static_cast<long long>(count));
}
