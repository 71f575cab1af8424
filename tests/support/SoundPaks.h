#pragma once

#include "engine/ObjectManager.h"
#include "engine/SoundPak.h"

#include <cstdint>
#include <string>
#include <vector>

namespace GAME::Test {

// The live sound packs made from the record, or every live one when none is named. Packs are
// owned by what made them, so the tests find them among the objects.
inline std::vector<SoundPak*> Sounds(const std::string& record = "")
{
    std::vector<SoundPak*> found;
    for (uint32_t id = 1; id < 512; ++id) {
        SoundPak* sound = ObjectManager::Instance().GetObject<SoundPak>(id);
        if (sound != nullptr && (record.empty() || sound->GetObjectName() == record))
            found.push_back(sound);
    }
    return found;
}

// The first sound pack made from the record, or null.
inline SoundPak* FindSound(const std::string& record)
{
    const std::vector<SoundPak*> found = Sounds(record);
    return found.empty() ? nullptr : found.front();
}

} // namespace GAME::Test
