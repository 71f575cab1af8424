#pragma once

#include "characters/Character.h"
#include "characters/CharacterBio.h"
#include "core/GameLog.h"
#include "core/PlayStats.h"
#include "engine/ObjectManager.h"
#include "skills/SkillManager.h"
#include "skills/SkillServicesBase.h"
#include "tests/support/GameEngineFixture.h"
#include "tests/support/LogCapture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace GAME::Test {

// Keeps the active switches a skill sends instead of sending them.
class SentActiveStates : public SkillServicesBase {
public:
    void SetParent(Actor*) override {}
    void SendTargetResult(uint32_t, const std::vector<uint32_t>&, const WorldCoords&, uint32_t,
                          uint32_t, bool) override
    {}
    void SendSkillStateUpdate(uint32_t, const SkillState&) override {}
    void SendSkillActiveUpdate(uint32_t, const SkillActiveState& state) override
    {
        sent.push_back(state.active);
    }
    void SendCreateProjectile(uint32_t, const WorldCoords&, uint32_t, const WorldVec3&, uint32_t,
                              uint32_t) override
    {}
    void SendSpawnObject(uint32_t, const WorldCoords&, uint32_t, const std::vector<WorldCoords>&,
                         const std::vector<uint32_t>&, uint32_t) override
    {}
    void RemoveSkillBuff(const std::string&) override {}

    std::vector<bool> sent;
};

// A controlling owner while it has services, a mirroring one without.
class ServicedSkillManager : public SkillManager {
public:
    SkillServicesBase* GetSkillServices() const override { return services; }
    SkillServicesBase* services = nullptr;
};

// An owner with 1000 life and 100 mana, a manager and skills made from one-off records.
class SelfBuffFixture : public GameEngineFixture {
protected:
    void SetUp() override
    {
        GameEngineFixture::SetUp();
        database.WriteRecord(CharacterBio::kRegenRecord, {"manaOverStorageLimit = 1"});
        Start();
        database.WriteRecord("Records/Creatures/BuffOwner.dbr",
                             {"Class = Character", "characterLife = 1000", "characterMana = 100"});
        owner = ObjectManager::Instance().CreateObjectFromFile<Character>(
            "Records/Creatures/BuffOwner.dbr");
        ASSERT_NE(owner, nullptr);
        owner->InitialUpdate();
        owner->GetCharacterBio().Update(*owner, 0);
        manager.Initialize(nullptr, owner);
        manager.services = &services;
        gLogCombat = 1;
        gEngine->SetLogCategories(1);
    }

    void TearDown() override
    {
        gEngine->SetLogCategories(0);
        gLogCombat = 0;
        GameEngineFixture::TearDown();
    }

    // Mana spent this frame is drained by the character over time.
    float Mana() const { return owner->GetCharacterBio().GetManaAfterDrain(); }

    // Records are cached by path: each skill gets its own.
    template <typename T> T* Make(const std::string& kind, std::vector<std::string> lines)
    {
        lines.insert(lines.begin(), {"Class = " + kind, "skillMaxLevel = 3", "skillManaCost = 7",
                                     "skillCooldownTime = 2"});
        std::string text;
        for (const std::string& line : lines)
            text += line + "\n";
        const std::string path = "Records/Skills/SelfBuff" + std::to_string(++made) + ".dbr";
        database.WriteFile(path, text);
        auto* skill = ObjectManager::Instance().CreateObjectFromFile<T>(path);
        if (skill != nullptr) {
            skill->SetAsTempSkill();
            skill->SetManager(&manager);
            skill->ReceiveStateUpdate(SkillState{1, true}, true);
            skill->Install(owner);
        }
        return skill;
    }

    void Receive(Skill& skill, bool active, bool restoring = false)
    {
        skill.ReceiveActiveUpdate(owner, SkillActiveState(0, active, false), restoring);
        owner->GetCharacterBio().Update(*owner, 0);
    }

    // What a hit of 100 of the kind takes off the owner's life.
    float LifeLost(CombatAttributeType type = CombatAttributeType_Fire, float damage = 100.0f)
    {
        const float before = owner->GetCurrentLife();
        owner->ApplyDamage(damage, PlayStatsDamageType{}, type);
        return before - owner->GetCurrentLife();
    }

    Character* owner = nullptr;
    SentActiveStates services;
    ServicedSkillManager manager;
    int made = 0;
};

} // namespace GAME::Test
