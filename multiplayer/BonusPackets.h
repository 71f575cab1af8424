#pragma once

#include "characters/Bonus.h"
#include "engine/WorldVec3.h"
#include "multiplayer/PacketFields.h"

#include <cstdint>

namespace GAME {

// Gold given to a player, and the rewards of kills on their way to the server and back.

class GiveGoldPacket : public FieldPacket<GiveGoldPacket> {
public:
    GiveGoldPacket() : FieldPacket(112) {}
    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("PlayerID: ", p.playerId);
        v.Field("GoldAmount: ", p.goldAmount);
    }

    uint32_t playerId = 0;
    // Negative to take gold.
    int32_t goldAmount = 0;
};

// A bonus's ten words. Its effect name stays behind; the receiving player's id, the record's
// first word, travels last.
template <typename Derived> class BonusPacket : public FieldPacket<Derived> {
public:
    explicit BonusPacket(uint32_t type) : FieldPacket<Derived>(type) {}
    BonusPacket(const BonusPacket&) = default;
    // The effect name never travels, so an assigned packet keeps its own.
    BonusPacket& operator=(const BonusPacket& other)
    {
        FieldPacket<Derived>::operator=(other);
        bonus.CopyValues(other.bonus);
        return *this;
    }
    ~BonusPacket() override = default;

    Bonus bonus;

protected:
    template <typename V, typename P> static void VisitBonus(V& v, P& p)
    {
        v.Field("Life Points: ", p.bonus.lifePoints);
        v.Field("Life Percent: ", p.bonus.lifePercent);
        v.Field("Mana Points: ", p.bonus.manaPoints);
        v.Field("Mana Percent: ", p.bonus.manaPercent);
        v.Field("Gold Points: ", p.bonus.goldPoints);
        v.Field("Skill Points: ", p.bonus.skillPoints);
        v.Field("Attribute Points: ", p.bonus.attributePoints);
        v.Field("Exp Points: ", p.bonus.experiencePoints);
        v.Hidden(p.bonus.sourceId);
        v.Hidden(p.bonus.receiverId);
    }
};

class BonusToClientPacket : public BonusPacket<BonusToClientPacket> {
public:
    BonusToClientPacket() : BonusPacket(113) {}
    template <typename V, typename P> static void VisitFields(V& v, P& p) { VisitBonus(v, p); }
};

class BonusToServerPacket : public BonusPacket<BonusToServerPacket> {
public:
    BonusToServerPacket() : BonusPacket(114) {}
    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        VisitBonus(v, p);
        v.Hidden(p.position);
        v.Field("Active Player: ", p.activePlayerId);
    }

    WorldVec3 position;
    uint32_t activePlayerId = 0;
};

} // namespace GAME
