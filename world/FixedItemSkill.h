#pragma once

#include "engine/Object.h"

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

class FixedItem;
class SoundPak;

// The trap or blessing a fixed item fires a fixed delay after its use. The item's controller
// asks for the targets on the deciding machine; every machine then processes them.
class FixedItemSkill : public Object {
    GAME_DECLARE_CLASS(FixedItemSkill)

public:
    FixedItemSkill() = default;
    ~FixedItemSkill() override;

    void Load(const LoadTable& table) override;
    void PreLoad(bool flag) override;

    // Virtual operations after the object's, in the order of their slots.
    virtual void AssignParent(FixedItem* item) { parent = item; }
    virtual void GetTargets(uint32_t /*user*/, std::vector<uint32_t>& /*out*/) {}
    virtual void ProcessTargetResults(uint32_t /*user*/, const std::vector<uint32_t>& /*targets*/)
    {
        PlayActiveFx();
    }

    void PlayWarningFx();
    void PlayActiveFx();
    FixedItem* GetParent() const { return parent; }

private:
    void PlayFx(const std::string& effect, uint32_t soundId);

    FixedItem* parent = nullptr;
    // Sound packs held by id: the object manager may take them first when everything goes.
    uint32_t warningSoundId = 0;
    std::string warningEffect;
    uint32_t activateSoundId = 0;
    std::string activateEffect;
};

// Buffs the user, or every friend of the user's side within the radius.
class FixedItemSkill_Buff : public FixedItemSkill {
    GAME_DECLARE_CLASS(FixedItemSkill_Buff)

public:
    static constexpr int32_t kDefaultDuration = 1000;

    FixedItemSkill_Buff() = default;
    ~FixedItemSkill_Buff() override;

    void Load(const LoadTable& table) override;
    void GetTargets(uint32_t user, std::vector<uint32_t>& out) override;
    void ProcessTargetResults(uint32_t user, const std::vector<uint32_t>& targets) override;

    int32_t GetActiveDuration() const { return activeDuration; }

private:
    std::string buffSkillName;
    float targetRadius = 0.0f;
    int32_t activeDuration = kDefaultDuration;
};

// Summons a monster that goes for the user first. The target is a new object id, so that
// every machine makes the monster under the same id.
class FixedItemSkill_SpawnMonster : public FixedItemSkill {
    GAME_DECLARE_CLASS(FixedItemSkill_SpawnMonster)

public:
    FixedItemSkill_SpawnMonster() = default;
    ~FixedItemSkill_SpawnMonster() override;

    void Load(const LoadTable& table) override;
    void GetTargets(uint32_t user, std::vector<uint32_t>& out) override;
    void ProcessTargetResults(uint32_t user, const std::vector<uint32_t>& targets) override;

    const std::string& GetMonsterName() const { return monsterName; }

private:
    void SpawnOne(uint32_t user, uint32_t id);

    std::string monsterName;
    int32_t timeToLive = 0;
};

} // namespace GAME
