#pragma once

#include "characters/Bonus.h"
#include "engine/ConnectionManager.h"
#include "engine/Engine.h"
#include "engine/NetPacket.h"
#include "engine/WorldCoords.h"
#include "engine/WorldVec3.h"
#include "multiplayer/GameEngineOutboundInterface.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace GAME::Test {

// Spells out expected packet bytes field by field, in the transport's encodings.
class WireBytes {
public:
    WireBytes& Word(uint32_t word)
    {
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back(static_cast<uint8_t>(word >> shift));
        return *this;
    }
    WireBytes& Float(float value)
    {
        uint32_t word = 0;
        std::memcpy(&word, &value, sizeof(word));
        return Word(word);
    }
    WireBytes& Bool(bool value)
    {
        bytes.push_back(value ? 1 : 0);
        return *this;
    }
    WireBytes& Text(const std::string& text)
    {
        Word(static_cast<uint32_t>(text.size()));
        bytes.insert(bytes.end(), text.begin(), text.end());
        return *this;
    }
    // Plain ASCII only: one 16-bit unit per character.
    WireBytes& WideText(const std::wstring& text)
    {
        Word(static_cast<uint32_t>(text.size()));
        for (wchar_t c : text) {
            bytes.push_back(static_cast<uint8_t>(c));
            bytes.push_back(static_cast<uint8_t>(static_cast<uint32_t>(c) >> 8));
        }
        return *this;
    }
    WireBytes& Vector(const Vec3& v) { return Float(v.x).Float(v.y).Float(v.z); }
    WireBytes& Position(const WorldVec3& position)
    {
        return Word(position.GetRegionId()).Vector(position.GetRegionPosition());
    }
    WireBytes& Place(const WorldCoords& coords)
    {
        const Coords& c = coords.GetRegionCoords();
        Word(coords.GetRegionId()).Vector(c.origin).Vector(c.right);
        return Vector(c.up).Vector(c.forward);
    }
    // Header (type, field byte count), then the fields.
    std::vector<uint8_t> Packet(uint32_t type) const
    {
        WireBytes whole;
        whole.Word(type).Word(static_cast<uint32_t>(bytes.size()));
        whole.bytes.insert(whole.bytes.end(), bytes.begin(), bytes.end());
        return whole.bytes;
    }

private:
    std::vector<uint8_t> bytes;
};

// The packets sent since the last call, each as its bytes.
inline std::vector<std::vector<uint8_t>> TakeSentBytes()
{
    std::vector<std::vector<uint8_t>> out;
    for (ConnectionManager::SentPacket& sent :
         gEngine->GetNetworkConnectionManager().TakeSentPackets())
        out.push_back(std::move(sent.bytes));
    return out;
}

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
