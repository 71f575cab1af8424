#include "characters/Monster.h"

#include "ai/ControllerMonster.h"
#include "characters/Player.h"
#include "engine/Engine.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"

#include <algorithm>

namespace GAME {

namespace {

constexpr uint32_t kPetTutorialPage = 34;
constexpr uint32_t kHumanTeamMajor = 2;

} // namespace

void Monster::JoinMe(uint32_t newLeaderId, int32_t duration, bool showBanner)
{
    if (gGameEngine != nullptr && newLeaderId == gGameEngine->GetPlayerId() && duration == -1 &&
        showStatusWidgetWhenPet) {
        gGameEngine->RegisterLocalPet(GetObjectId());
        gGameEngine->UnlockTutorialPage(kPetTutorialPage, true);
    }
    if (joinTimer >= 1) {
        gEngine->Log(Engine::LogInfo, "Monster::JoinMe() called on (%d): has already joined.",
                     static_cast<int>(GetObjectId()));
        return;
    }
    Character* leader = ObjectManager::Instance().GetObject<Character>(newLeaderId);
    if (leader == nullptr) {
        gEngine->Log(Engine::LogRuntime, "Monster::JoinMe() called by invalid target %d",
                     static_cast<int>(newLeaderId));
        return;
    }
    savedTeam = GetTeam();
    previousLeaderId = leaderId;
    joinTimer = duration;
    SetTeam(leader->GetTeam());
    SetLeader(newLeaderId);
    if (ControllerMonster* controller = GetControllerMonster())
        controller->NewLeader(newLeaderId);
    leaderIsPlayer = DynamicCast<Player>(leader) != nullptr;
    if (!showBanner || gGameEngine == nullptr)
        return;
    const char* key = GetTeam().GetTeamMajor() == kHumanTeamMajor ? "playerPetBannerName"
                                                                  : "monsterPetBannerName";
    SetConvertBanner(gGameEngine->GetDatabase().GetString(key, ""));
}

void Monster::UnJoinLeader()
{
    RemoveConvertBanner();
    joinTimer = -1;
    SetTeam(savedTeam);
    SetLeader(previousLeaderId);
    if (ControllerMonster* controller = GetControllerMonster())
        controller->NewLeader(previousLeaderId);
}

void Monster::SetLeader(uint32_t id)
{
    leaderId = id;
    if (gEngine == nullptr)
        return;
    if (id == 0) {
        gEngine->UnregisterForForcedUpdates(GetObjectId());
        return;
    }
    // Joining the same player again must not list the pet twice: one unregistration on death
    // would leave a stale id behind.
    const std::vector<uint32_t>& forced = gEngine->GetForcedUpdates();
    if (ObjectManager::Instance().GetObject<Player>(id) != nullptr &&
        std::find(forced.begin(), forced.end(), GetObjectId()) == forced.end())
        gEngine->RegisterForForcedUpdates(GetObjectId());
}

} // namespace GAME
