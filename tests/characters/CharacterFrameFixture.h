#pragma once

#include "ai/ControllerCombat.h"
#include "characters/Character.h"
#include "engine/CharacterAction.h"
#include "engine/Name.h"
#include "engine/ObjectManager.h"
#include "tests/combat/DeathFixture.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace GAME {

// A combat controller that only writes down what its character tells it.
class FrameTestController : public ControllerCombat {
    GAME_DECLARE_CLASS(FrameTestController)

public:
    void Update(int32_t elapsedMs) override { updates.push_back(elapsedMs); }
    bool NeedsDeathUpdate() const override { return wantsDeathUpdates; }
    void DeathUpdate(int32_t elapsedMs) override { deathUpdates.push_back(elapsedMs); }
    void HandleEvent(const Name& event) override { events.push_back(event.GetString()); }
    void EndOfPathReached() override { ++endsOfPath; }
    void LowHealth() override { ++lowHealthCalls; }
    void UnderAttack(uint32_t attackerId) override { attackers.push_back(attackerId); }
    void AllyAttacked(uint32_t allyId, uint32_t attackerId) override
    {
        allyCalls.push_back({allyId, attackerId});
    }
    void CharacterIsDying() override { notices.push_back("dying"); }
    void CharacterIsDead() override { notices.push_back("dead"); }

    bool wantsDeathUpdates = false;
    std::vector<int32_t> updates;
    std::vector<int32_t> deathUpdates;
    std::vector<std::string> events;
    int endsOfPath = 0;
    int lowHealthCalls = 0;
    std::vector<uint32_t> attackers;
    std::vector<std::vector<uint32_t>> allyCalls;
    std::vector<std::string> notices;
};

// A running action that writes down the events it hears.
class FrameTestAction : public CharacterAction {
public:
    explicit FrameTestAction(std::vector<std::string>& heard) : heard(heard) {}
    void AnimationCallback(const Name& event) override { heard.push_back(event.GetString()); }
    bool IsActive() const override { return true; }

private:
    std::vector<std::string>& heard;
};

// A character whose turning toward its attack target can be seen.
class FrameTestCharacter : public Character {
    GAME_DECLARE_CLASS(FrameTestCharacter)

public:
    bool IsRotatingTowardsTarget() const { return rotateTowardsTarget; }
};

namespace Test {

// Characters standing in a world of their own, each driven by a recording controller.
class CharacterFrameFixture : public DeathFixture {
protected:
    FrameTestCharacter* Make(std::initializer_list<std::string> lines = {},
                             const Vec3& position = Vec3(3, 0, 4))
    {
        const std::string path = "Records/Creatures/F" + std::to_string(++made) + ".dbr";
        FrameTestCharacter* character = Spawn<FrameTestCharacter>(path, lines);
        if (character == nullptr)
            return nullptr;
        character->SetPathPosition(WorldVec3(kRegion, position));
        auto* controller = static_cast<FrameTestController*>(
            ObjectManager::Instance().CreateObject("FrameTestController"));
        controller->AttachParent(character->GetObjectId());
        character->SetControllerId(controller->GetObjectId());
        return character;
    }

    static FrameTestController& ControllerOf(const Character& character)
    {
        return *ObjectManager::Instance().GetObject<FrameTestController>(
            character.GetControllerId());
    }

    int made = 0;
};

} // namespace Test
} // namespace GAME
