#pragma once

// The three parameter scroll bars (radius, length, half-size of the region)
// run from position 0 at their bottom end to 100 at their top end; a position
// stands for a tenth of a metre.
inline constexpr int kScrollBottomEnd = 0;
inline constexpr int kScrollTopEnd = 100;

// The parameter a scroll-bar position stands for: position x 0.1 m.
double ValueOfScrollPosition(int position);

// The position that shows a parameter at start-up: the value over the scroll
// scale times the top end, rounded to the nearest whole position and kept
// within the bar (a value that is not a number gives the bottom end).
int ScrollPositionOfValue(double value, float scrollScale);
