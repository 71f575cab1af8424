#include "game/GameEngine.h"

#include "tests/support/GameEngineFixture.h"

#include <gtest/gtest.h>

namespace GAME::Test {
namespace {

using GameEngineSettingsRecord = GameEngineFixture;

// Without its settings the game runs on zeros: the log must say why. GameEngineTest covers
// a record that loads.
TEST_F(GameEngineSettingsRecord, AMissingRecordIsLogged)
{
    Start();
    EXPECT_EQ(log.Count(1, "GameEngine: could not load record 'Records/Game/GameEngine.dbr'"), 1u);
    EXPECT_EQ(Game().GetMeleeRange(), 0.0f);
}

} // namespace
} // namespace GAME::Test
