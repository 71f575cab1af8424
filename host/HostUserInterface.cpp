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

bool HostUserInterface::QueryNpcConversation(uint32_t npcId)
{
    out << "  conversation with 0x" << std::hex << npcId << std::dec << "? "
        << (answerYes ? "yes" : "no") << '\n';
    return answerYes;
}

bool HostUserInterface::ShowNpcDialog(uint32_t npcId, uint32_t playerId, DialogPak* pak)
{
    out << "  dialog of 0x" << std::hex << npcId << " for 0x" << playerId << std::dec << '\n';
    shownDialog = pak;
    return true;
}

bool HostUserInterface::IsShowingNpcDialog(const DialogPak* pak) const
{
    return pak != nullptr && pak == shownDialog;
}

bool HostUserInterface::CloseNpcDialog()
{
    out << "  dialog closed\n";
    shownDialog = nullptr;
    return true;
}

// The boss's death installs the ending itself; the screen only says so.
void HostUserInterface::EnterEndGame()
{
    out << "  the screen enters the ending\n";
}

} // namespace GAME
