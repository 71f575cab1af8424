#pragma once

#include <cstdint>
#include <string>

namespace GAME {

// The dialog a quest gave a non-player character, kept by the player so it follows the player
// from level to level.
struct NpcDialogData {
    std::string npcName;
    // 0xFFFFFFFF: the character speaks no quest dialog.
    uint32_t actionId = 0xFFFFFFFFu;

    bool operator==(const NpcDialogData&) const = default;
};

} // namespace GAME
