#pragma once

#include "characters/Character.h"
#include "characters/Monster.h"
#include "combat/DeathHandler.h"
#include "combat/DeathManager.h"
#include "engine/Coords.h"
#include "engine/Name.h"
#include "tests/support/CombatWorldFixture.h"

#include <initializer_list>
#include <string>

namespace GAME::Test {

// Characters that die in a world of their own, with the records their deaths make things from.
class DeathFixture : public CombatWorldFixture {
protected:
    static constexpr const char* kEffect = "Records/Fx/Ash.dbr";
    static constexpr const char* kLight = "Records/Fx/Glow.dbr";
    static constexpr const char* kGore = "Records/Creatures/Gore.dbr";
    static constexpr const char* kBones = "Records/Creatures/Bones.dbr";

    void SetUp() override
    {
        CombatWorldFixture::SetUp();
        database.WriteRecord(kEffect, {"Class = EffectEntity"});
        database.WriteRecord(kLight, {"Class = Light"});
        database.WriteRecord(kGore, {"Class = Character"});
        database.WriteRecord(kBones, {"Class = Monster"});
    }

    // Made from its record, standing in the world, its death handlers built. Unless the lines
    // say otherwise it can play its death animation.
    template <typename T = Monster>
    T* Spawn(const std::string& path, std::initializer_list<std::string> lines)
    {
        std::string text = std::string("Class = ") + T::classInfo.GetName() + "\n";
        for (const std::string& line : lines)
            text += line + "\n";
        database.WriteFile(path, text);
        T* character = ObjectManager::Instance().CreateObjectFromFile<T>(path);
        if (character == nullptr)
            return nullptr;
        TheWorld().AddEntity(character, kPlace, false);
        character->InitialUpdate();
        return character;
    }

    static DeathManager& Deaths(Character& character) { return *character.GetDeathManager(); }

    // The death's part of the character's frame: the body, then the handlers, then the end of
    // the death once every handler is done.
    static void Frame(Character& character, int32_t elapsedMs)
    {
        character.UpdateSelf(elapsedMs);
        DeathManager& deaths = Deaths(character);
        deaths.Update(elapsedMs);
        if (deaths.IsFinished())
            deaths.PostProcess();
    }

    static void Callback(Character& character, const char* name)
    {
        Deaths(character).AnimationCallback(Name::Create(name));
    }

    template <typename T> static T* Find(uint32_t id)
    {
        return ObjectManager::Instance().GetObject<T>(id);
    }

    const WorldCoords kPlace = WorldAt({3, 0, 4});
};

} // namespace GAME::Test
