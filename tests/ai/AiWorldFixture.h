#pragma once

#include "ai/ControllerAI.h"
#include "characters/Monster.h"
#include "engine/InstanceGroupManager.h"
#include "engine/NetPacket.h"
#include "engine/ObjectManager.h"
#include "tests/combat/DeathFixture.h"

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace GAME::Test {

// Characters made from record lines and standing at (x, 0, z) of the fixture's region.
class AiWorldFixture : public DeathFixture {
protected:
    void TearDown() override
    {
        while (!kept.empty())
            kept.pop_back();
        InstanceGroupManager::Instance().Destroy();
        DeathFixture::TearDown();
    }

    // Owned by the test and gone before the world, the last made first.
    template <typename T> T* Keep(std::unique_ptr<T> made)
    {
        T* raw = made.get();
        kept.emplace_back(std::move(made));
        return raw;
    }

    template <typename T = Monster>
    T* Make(const std::string& name, float x, float z,
            std::initializer_list<std::string> lines = {})
    {
        T* character = Spawn<T>("Records/Creatures/" + name + ".dbr", lines);
        character->SetPathPosition(At(x, z));
        return character;
    }

    static WorldVec3 At(float x, float z) { return WorldVec3(kRegion, Vec3(x, 0, z)); }

    // The character's controller as a T; the test knows it has one.
    template <typename T = ControllerAI> static T& ControllerOf(const Character& character)
    {
        return *ObjectManager::Instance().GetObject<T>(character.GetControllerId());
    }
    static std::string StateOf(const Character& character)
    {
        const char* name = ControllerOf(character).GetExecutingStateName();
        return name != nullptr ? name : "";
    }

    std::vector<std::shared_ptr<void>> kept;
};

// A record's text: the head line, then the lines.
inline std::string RecordText(const std::string& head, const std::vector<std::string>& lines)
{
    std::string text = head + "\n";
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

// The packet type a command of these arguments sends.
template <class Command, class... Args> uint32_t TypeOf(Args... args)
{
    return Command(args...).GetNetPacket()->GetType();
}

} // namespace GAME::Test
