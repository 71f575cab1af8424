#pragma once

#include "engine/Name.h"

#include <cstdint>
#include <string>

namespace GAME {

// A quest reward as the journal lists it: the quest's handle, the region of the announcement,
// the location and title tags and the text that was shown.
struct QuestRewardEntry {
    Name questName;
    int32_t region = 0;
    std::string locationTag;
    std::string titleTag;
    std::wstring text;
};

} // namespace GAME
