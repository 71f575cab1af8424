#pragma once

#include "engine/WorldVec3.h"
#include "multiplayer/PacketFields.h"

#include <cstdint>
#include <string>

namespace GAME {

// Orders that quests give to a character or a fixed item, carried out on every machine.

// Moving and walking differ only in the gait.
template <typename Derived> class QuestCommandGoPacket : public FieldPacket<Derived> {
public:
    explicit QuestCommandGoPacket(uint32_t type) : FieldPacket<Derived>(type) {}
    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("Character Id: ", p.characterId);
        v.Field("Target Id: ", p.targetId);
        v.Field("Target Pos: ", p.target);
        v.Field("allow Interruptions: ", p.allowInterruptions);
    }

    uint32_t characterId = 0;
    uint32_t targetId = 0;
    WorldVec3 target;
    bool allowInterruptions = false;
};

class QuestCommandMovePacket : public QuestCommandGoPacket<QuestCommandMovePacket> {
public:
    QuestCommandMovePacket() : QuestCommandGoPacket(56) {}
};

class QuestCommandWalkPacket : public QuestCommandGoPacket<QuestCommandWalkPacket> {
public:
    QuestCommandWalkPacket() : QuestCommandGoPacket(57) {}
};

class QuestCommandPlayAnimationPacket : public FieldPacket<QuestCommandPlayAnimationPacket> {
public:
    QuestCommandPlayAnimationPacket() : FieldPacket(58) {}
    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("Character Id: ", p.characterId);
        v.Field("Animation: ", p.animation);
        v.Field("Looping: ", p.looping);
        v.Field("allow Interruptions: ", p.allowInterruptions);
    }

    uint32_t characterId = 0;
    uint32_t animation = 0;
    bool looping = false;
    bool allowInterruptions = false;
};

class QuestCommandUseSkillPacket : public FieldPacket<QuestCommandUseSkillPacket> {
public:
    QuestCommandUseSkillPacket() : FieldPacket(59) {}
    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("Character Id: ", p.characterId);
        v.Field("Target Id: ", p.targetId);
        v.FileName("Skill Name: ", p.skillName);
        v.Field("allow Interruptions: ", p.allowInterruptions);
    }

    uint32_t characterId = 0;
    uint32_t targetId = 0;
    std::string skillName;
    bool allowInterruptions = false;
};

class QuestCommandLockFixedItemPacket : public FieldPacket<QuestCommandLockFixedItemPacket> {
public:
    QuestCommandLockFixedItemPacket() : FieldPacket(60) {}
    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("Object Id: ", p.objectId);
        v.Field("Locked: ", p.locked);
    }

    uint32_t objectId = 0;
    bool locked = false;
};

} // namespace GAME
