#include "host/HostUserInterface.h"

#include <ostream>

namespace GAME {

bool HostUserInterface::SaveGame()
{
    out << "  save game\n";
    return true;
}

bool HostUserInterface::SaveGame(GameDifficulty difficulty)
{
    out << "  save game for difficulty " << static_cast<int>(difficulty) << '\n';
    return true;
}

bool HostUserInterface::SaveQuest(bool flag)
{
    out << "  save quests (" << (flag ? "true" : "false") << ")\n";
    return true;
}

bool HostUserInterface::DisplaySkillReallocationWindow(uint32_t npcId)
{
    out << "  skill reallocation window for 0x" << std::hex << npcId << std::dec << '\n';
    return true;
}

} // namespace GAME
