#pragma once

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

// What the wire tests of every packet family share: a place and a position to send and the
// outbound interface.

inline const WorldCoords kCoords(3, Coords({0.0f, 0.0f, -1.0f}, {0.0f, 1.0f, 0.0f},
                                           {1.0f, 0.0f, 0.0f}, {1.5f, -2.0f, 8.25f}));
inline const WorldVec3 kPosition(2, Vec3(4.0f, 0.5f, -6.0f));

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
