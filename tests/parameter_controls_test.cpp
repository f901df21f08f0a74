#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "params/calc_params.h"
#include "params/graph_choice.h"
#include "params/scroll_position.h"

TEST(ScrollPosition, StandsForATenthOfAMetreAsADouble)
{
    EXPECT_EQ(ValueOfScrollPosition(0), 0.0);
    EXPECT_EQ(ValueOfScrollPosition(2), 0.2);
    EXPECT_EQ(ValueOfScrollPosition(3), 0.30000000000000004);  // 3 x 0.1, not 0.3
    EXPECT_EQ(ValueOfScrollPosition(10), 1.0);
    EXPECT_EQ(ValueOfScrollPosition(100), 10.0);
}

TEST(ScrollPosition, StartPositionsComeFromTheDefaultsThroughTheScrollScale)
{
    CalcParams p;
    SetDefaults(p);
    EXPECT_EQ(ScrollPositionOfValue(p.radius, p.scrollScale), 2);
    EXPECT_EQ(ScrollPositionOfValue(p.length, p.scrollScale), 10);
    EXPECT_EQ(ScrollPositionOfValue(p.halfRange, p.scrollScale), 20);
    // Every position survives the way there and back.
    for (int position = kScrollBottomEnd; position <= kScrollTopEnd; ++position)
        EXPECT_EQ(ScrollPositionOfValue(ValueOfScrollPosition(position), p.scrollScale), position) << position;
}

TEST(ScrollPosition, StartPositionStaysWithinTheBar)
{
    EXPECT_EQ(ScrollPositionOfValue(-1, 10), kScrollBottomEnd);
    EXPECT_EQ(ScrollPositionOfValue(11, 10), kScrollTopEnd);
    EXPECT_EQ(ScrollPositionOfValue(std::numeric_limits<double>::infinity(), 10), kScrollTopEnd);
    EXPECT_EQ(ScrollPositionOfValue(std::nan(""), 10), kScrollBottomEnd);
    EXPECT_EQ(ScrollPositionOfValue(1, 0), kScrollTopEnd);  // a zero scale divides to infinity
}

TEST(GraphChoice, TheTwoEntriesSwitchTheGraphAndTheLineCountBox)
{
    const GraphChoice axis = GraphChoiceOfEntry("поле на оси Hz(z)");
    EXPECT_EQ(axis.graphMode, kAxisGraph);
    EXPECT_EQ(axis.showLineCount, false);

    const GraphChoice lines = GraphChoiceOfEntry("линии напряженности");
    EXPECT_EQ(lines.graphMode, kFieldLinesGraph);
    EXPECT_EQ(lines.showLineCount, true);
}

TEST(GraphChoice, AnyOtherTextDrawsTheAxisGraphAndKeepsTheBox)
{
    for (const char* text : {"", "Поле на оси Hz(z)", "поле на оси Hz(z) ", "линии напряжённости", "lines"}) {
        const GraphChoice choice = GraphChoiceOfEntry(text);
        EXPECT_EQ(choice.graphMode, kAxisGraph) << text;
        EXPECT_FALSE(choice.showLineCount.has_value()) << text;
    }
}
