#include "engine/StatisticGraph.h"

#include "engine/Engine.h"

#include <gtest/gtest.h>

namespace GAME {
namespace {

TEST(StatisticGraph, KeepsTheFramesBarsInOrderUntilTheFrameEnds)
{
    gEngine->RunFrame(0);
    gEngine->AddStatisticGraph("first", 25.0f, Color(0.25f, 0.75f, 0.0f, 1.0f));
    gEngine->AddStatisticGraph("second", -3.0f, Color());
    const auto& bars = gEngine->GetStatisticGraph().GetBars();
    ASSERT_EQ(bars.size(), 2u);
    EXPECT_EQ(bars[0].name, "first");
    EXPECT_FLOAT_EQ(bars[0].value, 25.0f);
    EXPECT_EQ(bars[0].color, Color(0.25f, 0.75f, 0.0f, 1.0f));
    EXPECT_EQ(bars[1].name, "second");
    EXPECT_FLOAT_EQ(bars[1].value, -3.0f);

    gEngine->RunFrame(16);
    EXPECT_TRUE(gEngine->GetStatisticGraph().GetBars().empty());
}

} // namespace
} // namespace GAME
