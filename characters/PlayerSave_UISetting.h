#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace GAME {

class IOStream;

// The user-interface settings kept in a character file: the equipment and skill window
// selections and the five skill-bar entries. A new record holds the defaults.
struct PlayerSave_UISetting {
    static constexpr uint32_t kSkillBarEntries = 5;

    struct SkillBarEntry {
        std::string primarySkill;
        std::string secondarySkill;
        bool active = false;
    };

    PlayerSave_UISetting();

    bool equipmentSelection = false;
    uint32_t skillWindowSelection = 0;
    std::array<SkillBarEntry, kSkillBarEntries> skillBar;
    bool skillSettingValid = false;

    void StreamProperties(IOStream* stream);
};

} // namespace GAME
