#pragma once

#include "characters/Character.h"
#include "characters/CharacterBio.h"
#include "characters/TeamManager.h"
#include "core/RandomUniform.h"
#include "engine/ABBox.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "skills/SkillManager.h"
#include "skills/SkillServicesBase.h"
#include "tests/support/GameEngineFixture.h"

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace GAME::Test {

// Keeps what a skill sends instead of sending it.
class RecordedSends : public SkillServicesBase {
public:
    void SetParent(Actor*) override {}
    void SendTargetResult(uint32_t, const std::vector<uint32_t>& targets, const WorldCoords&,
                          uint32_t, uint32_t, bool) override
    {
        results.push_back(targets);
    }
    void SendSkillStateUpdate(uint32_t, const SkillState&) override {}
    void SendSkillActiveUpdate(uint32_t, const SkillActiveState& state) override
    {
        states.push_back(state);
    }
    void SendCreateProjectile(uint32_t, const WorldCoords&, uint32_t target, const WorldVec3&,
                              uint32_t, uint32_t) override
    {
        projectileTargets.push_back(target);
    }
    void SendSpawnObject(uint32_t, const WorldCoords& origin, uint32_t,
                         const std::vector<WorldCoords>& where,
                         const std::vector<uint32_t>& objectIds, uint32_t) override
    {
        spawnOrigin = origin;
        spawnCoords = where;
        spawnIds.push_back(objectIds);
    }
    void RemoveSkillBuff(const std::string&) override {}

    std::vector<SkillActiveState> states;
    std::vector<std::vector<uint32_t>> results;
    std::vector<uint32_t> projectileTargets;
    WorldCoords spawnOrigin;
    std::vector<WorldCoords> spawnCoords;
    std::vector<std::vector<uint32_t>> spawnIds;
};

// Controlling while it has services, mirroring without.
class ServicedManager : public SkillManager {
public:
    SkillServicesBase* GetSkillServices() const override { return services; }
    SkillServicesBase* services = nullptr;
};

// An owner on the players' side standing at the origin of a flat region.
class OwnedSkillFixture : public GameEngineFixture {
protected:
    static constexpr uint32_t kRegion = 1;

    void SetUp() override
    {
        GameEngineFixture::SetUp();
        database.WriteRecord(CharacterBio::kRegenRecord, {"manaOverStorageLimit = 1"});
        Start();
        previousWorld = gEngine->SetWorld(std::make_unique<World>());
        gEngine->GetWorld()->CreateRegion(kRegion, {0, 0, 0},
                                          ABBox({-500, -10, -500}, {500, 10, 500}));
        database.WriteRecord("Records/Creatures/Owner.dbr",
                             {"Class = Character", "characterLife = 1000", "characterMana = 100"});
        owner = Place<Character>("Records/Creatures/Owner.dbr", {0, 0, 0},
                                 TeamManager::DefaultPlayerTeam());
        ASSERT_NE(owner, nullptr);
        owner->GetCharacterBio().Update(*owner, 0);
        manager.Initialize(nullptr, owner);
        manager.services = &services;
    }

    void TearDown() override
    {
        GameEngineFixture::TearDown();
        gEngine->SetWorld(std::move(previousWorld));
    }

    template <typename T> T* Place(const std::string& record, const Vec3& at, const Team& team)
    {
        auto* made = ObjectManager::Instance().CreateObjectFromFile<T>(record);
        if (made == nullptr)
            return nullptr;
        made->SetTeam(team);
        gEngine->GetWorld()->AddEntity(made, WorldCoords(WorldVec3(kRegion, at)), true);
        made->InitialUpdate();
        return made;
    }

    // The record lists its class and levels itself.
    template <typename T> T* Make(const std::string& path, std::initializer_list<std::string> lines)
    {
        database.WriteRecord(path, lines);
        auto* skill = ObjectManager::Instance().CreateObjectFromFile<T>(path);
        if (skill != nullptr) {
            skill->SetAsTempSkill();
            skill->SetManager(&manager);
            skill->ReceiveStateUpdate(SkillState{1, true}, true);
        }
        return skill;
    }

    Character* owner = nullptr;
    std::unique_ptr<World> previousWorld;
    RecordedSends services;
    ServicedManager manager;
};

} // namespace GAME::Test
