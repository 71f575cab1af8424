#pragma once

#include "characters/Bonus.h"
#include "engine/ConnectionManager.h"
#include "engine/NetPacket.h"
#include "engine/WorldCoords.h"
#include "engine/WorldVec3.h"
#include "multiplayer/GameEngineOutboundInterface.h"

#include "tests/multiplayer/WireBytes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace GAME::Test {

// What the wire tests of every packet family share: a place, a position and a bonus to send and
// the outbound interface.

inline const WorldCoords kCoords(3, Coords({0.0f, 0.0f, -1.0f}, {0.0f, 1.0f, 0.0f},
                                           {1.0f, 0.0f, 0.0f}, {1.5f, -2.0f, 8.25f}));
inline const WorldVec3 kPosition(2, Vec3(4.0f, 0.5f, -6.0f));

// Every field that travels set and told apart; the effect stays home.
inline Bonus Reward()
{
    Bonus bonus;
    bonus.receiverId = 0x20000001;
    bonus.lifePoints = 1.0f;
    bonus.lifePercent = 2.0f;
    bonus.manaPoints = 3.0f;
    bonus.manaPercent = 0.75f;
    bonus.goldPoints = 5;
    bonus.skillPoints = 6;
    bonus.attributePoints = 7;
    bonus.experiencePoints = 900;
    bonus.effectName = "Records/Effects/Glow.dbr";
    bonus.sourceId = 31;
    return bonus;
}

class OutboundInterface : public ::testing::Test {
protected:
    void SetUp() override { TakeSentBytes(); }

    // The one packet the last operation sent.
    std::vector<uint8_t> Sent()
    {
        std::vector<std::vector<uint8_t>> sent = TakeSentBytes();
        EXPECT_EQ(sent.size(), 1u);
        return sent.empty() ? std::vector<uint8_t>() : sent.front();
    }

    GameEngineOutboundInterface outbound;
};

} // namespace GAME::Test
