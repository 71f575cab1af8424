#pragma once

#include "ai/ControllerMonster.h"
#include "characters/CharacterBio.h"
#include "characters/Monster.h"
#include "characters/TeamManager.h"
#include "core/BinaryWriter.h"
#include "core/UniqueId.h"
#include "engine/BinaryReader.h"
#include "engine/Name.h"
#include "engine/ObjectManager.h"
#include "skills/Skill.h"
#include "tests/ai/AiWorldFixture.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace GAME::Test {

// Bosses and their helpers thinking with their own controllers, standing where the test puts
// them both for paths and for the world's sphere queries.
class ScriptedBossFixture : public AiWorldFixture {
protected:
    // A monster thinking with a TController record of the given lines, with full life (100
    // unless the lines say) and a walk. A unique id other than zero is the monster's before
    // its controller attaches, as a level's placement gives it.
    template <typename TController>
    Monster* Boss(const std::string& name, float x, float z,
                  std::initializer_list<std::string> controllerLines,
                  std::initializer_list<std::string> monsterLines = {},
                  const UniqueId& uniqueId = UniqueId())
    {
        const std::string controller = "Records/Controllers/" + name + ".dbr";
        database.WriteFile(controller,
                           RecordText(std::string("Class = ") + TController::classInfo.GetName(),
                                      controllerLines));
        // The record's first line of a key counts: the test's lines come before the defaults.
        const std::string record = "Records/Creatures/" + name + ".dbr";
        database.WriteFile(record,
                           RecordText("Class = Monster\ncontroller = " + controller, monsterLines) +
                               "characterLife = 100\nunarmedWalkAnim = Walk\n"
                               "unarmedRunAnim = Run\n");
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

    // A TCharacter at (x, 0, z) thinking with a TController of no record lines, its states
    // registered and begun.
    template <typename TCharacter, typename TController>
    TCharacter* Thinking(const std::string& name, float x, float z,
                         std::initializer_list<std::string> lines = {})
    {
        const std::string controllerRecord = "Records/Controllers/" + name + ".dbr";
        database.WriteRecord(controllerRecord,
                             {std::string("Class = ") + TController::classInfo.GetName()});
        std::vector<std::string> all{"controller = " + controllerRecord, "characterLife = 100"};
        all.insert(all.end(), lines);
        const std::string path = "Records/Creatures/" + name + ".dbr";
        database.WriteFile(
            path, RecordText(std::string("Class = ") + TCharacter::classInfo.GetName(), all));
        auto* character = ObjectManager::Instance().CreateObjectFromFile<TCharacter>(path);
        TheWorld().AddEntity(character, WorldAt(Vec3(x, 0, z)), false);
        character->InitialUpdate();
        character->GetCharacterBio().Update(*character, 0);
        Stand(*character, x, z);
        character->SetLifeState(LifeState_Alive);
        // The first frame registers the states and begins "Startup".
        ControllerOf(*character).Update(0);
        return character;
    }

    // A plain monster on the given team, alive, at (x, 0, z).
    Monster* Bystander(const std::string& name, float x, float z, const Team& team)
    {
        Monster* other = Make(name, x, z, {"characterLife = 100"});
        Stand(*other, x, z);
        other->SetLifeState(LifeState_Alive);
        other->GetCharacterBio().Update(*other, 0);
        other->SetTeam(team);
        return other;
    }

    // A skill object nobody owns; enough for a controller to choose and name.
    uint32_t SkillObject(const std::string& name)
    {
        const std::string record = "Records/Skills/" + name + ".dbr";
        database.WriteRecord(record, {"Class = Skill"});
        return ObjectManager::Instance().CreateObjectFromFile<Skill>(record)->GetObjectId();
    }

    static void Stand(Character& character, float x, float z)
    {
        character.SetPathPosition(At(x, z));
        TheWorld().SetCoords(&character, WorldAt(Vec3(x, 0, z)));
    }

    static void Event(const Character& character, const char* name)
    {
        ControllerOf(character).HandleEvent(Name::Create(name));
    }

    // The level state a character writes.
    static std::vector<uint8_t> Saved(const Character& character)
    {
        BinaryWriter writer = BinaryWriter::ToMemory(64);
        character.SaveState(writer);
        return std::vector<uint8_t>(writer.GetData(), writer.GetData() + writer.GetPosition());
    }

    // A fresh T restored from the bytes; the restore must take them.
    template <typename T> static std::unique_ptr<T> Restored(const std::vector<uint8_t>& bytes)
    {
        auto restored = std::make_unique<T>();
        BinaryReader reader(bytes.data(), bytes.size());
        EXPECT_TRUE(restored->RestoreState(reader));
        return restored;
    }

    // A state read whole sets the flag; one cut short by the given bytes leaves it unset.
    template <typename T, typename Read>
    static void ExpectOnlyTheWholeStateSetsTheFlag(const std::vector<uint8_t>& state,
                                                   std::ptrdiff_t cut, Read read)
    {
        EXPECT_TRUE(read(*Restored<T>(state))) << "the whole state";
        EXPECT_FALSE(read(*Restored<T>({state.begin(), state.end() - cut}))) << "a state cut short";
    }

    static uint32_t LastWord(const std::vector<uint8_t>& bytes, size_t fromEnd = 0)
    {
        const size_t at = bytes.size() - 4 * (fromEnd + 1);
        return static_cast<uint32_t>(bytes[at]) | static_cast<uint32_t>(bytes[at + 1]) << 8 |
               static_cast<uint32_t>(bytes[at + 2]) << 16 |
               static_cast<uint32_t>(bytes[at + 3]) << 24;
    }
};

} // namespace GAME::Test
