#pragma once

#include "ai/ControllerAI.h"
#include "characters/Monster.h"
#include "characters/Team.h"
#include "core/UniqueId.h"
#include "engine/InstanceGroupManager.h"
#include "engine/ObjectManager.h"
#include "tests/ai/AiWorldFixture.h"

#include <initializer_list>
#include <string>

namespace GAME::Test {

// Bosses and their followers: monsters thinking with a controller record of their own, alive,
// with full life (100 unless the lines say), standing at (x, 0, z) and past their controller's
// first update.
class BossStageFixture : public AiWorldFixture {
protected:
    void TearDown() override
    {
        InstanceGroupManager::Instance().Destroy();
        AiWorldFixture::TearDown();
    }

    // A unique id other than zero is the monster's before its controller attaches, as a
    // level's placement gives it.
    template <typename TController>
    Monster* Boss(const std::string& name, float x, float z,
                  std::initializer_list<std::string> controllerLines,
                  std::initializer_list<std::string> monsterLines = {},
                  const UniqueId& uniqueId = UniqueId())
    {
        const std::string controller = "Records/Controllers/" + name + ".dbr";
        std::string text = std::string("Class = ") + TController::classInfo.GetName() + "\n";
        for (const std::string& line : controllerLines)
            text += line + "\n";
        database.WriteFile(controller, text);
        // The record's first line of a key counts: the test's lines come before the defaults.
        text = "Class = Monster\ncontroller = " + controller + "\n";
        for (const std::string& line : monsterLines)
            text += line + "\n";
        text += "characterLife = 100\nunarmedWalkAnim = Walk\nunarmedRunAnim = Run\n";
        const std::string record = "Records/Creatures/" + name + ".dbr";
        database.WriteFile(record, text);
        auto* monster = ObjectManager::Instance().CreateObjectFromFile<Monster>(record);
        monster->SetUniqueID(uniqueId);
        TheWorld().AddEntity(monster, WorldAt(Vec3(x, 0, z)), false);
        monster->InitialUpdate();
        monster->SetPathPosition(At(x, z));
        monster->SetLifeState(LifeState_Alive);
        monster->ForceSpeedUpdate();
        // The controller's first update sets it up, as in a running level.
        ControllerOf<TController>(*monster).Update(0);
        return monster;
    }

    // A plain monster of the team, alive, standing at (x, 0, z) by both its coordinates and
    // its path position.
    Monster* Bystander(const std::string& name, float x, float z, const Team& team)
    {
        Monster* monster = Make(name, x, z);
        TheWorld().SetCoords(monster, WorldAt(Vec3(x, 0, z)));
        monster->SetLifeState(LifeState_Alive);
        monster->SetTeam(team);
        return monster;
    }
    void MoveTo(Character& character, float x, float z)
    {
        TheWorld().SetCoords(&character, WorldAt(Vec3(x, 0, z)));
        character.SetPathPosition(At(x, z));
    }
};

} // namespace GAME::Test
