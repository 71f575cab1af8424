#include "game/GameEngine.h"

#include "tests/support/GameEngineFixture.h"

#include <gtest/gtest.h>

namespace GAME::Test {
namespace {

using GameEngineSettingsRecord = GameEngineFixture;

// Without its settings the game runs on zeros: the log must say why.
TEST_F(GameEngineSettingsRecord, AMissingRecordIsLogged)
{
    Start();
    EXPECT_EQ(log.Count(1, "GameEngine: could not load record 'Records/Game/GameEngine.dbr'"), 1u);
    EXPECT_EQ(Game().GetMeleeRange(), 0.0f);
}

TEST_F(GameEngineSettingsRecord, ARecordThatLoadsIsNotLogged)
{
    Start({"meleeRange = 2"});
    EXPECT_EQ(log.CountContaining("could not load record"), 0u);
    EXPECT_EQ(Game().GetMeleeRange(), 2.0f);
}

} // namespace
} // namespace GAME::Test
