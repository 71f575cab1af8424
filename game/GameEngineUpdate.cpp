#include "game/GameEngine.h"

#include "characters/Monster.h"
#include "characters/Player.h"
#include "core/DialogManager.h"
#include "core/GameEvents.h"
#include "core/Saturate.h"
#include "engine/AmbianceManager.h"
#include "engine/Engine.h"
#include "engine/EventManager.h"
#include "engine/Jukebox.h"
#include "engine/ObjectManager.h"
#include "engine/WorldFrustum.h"
#include "game/ActivityManager.h"
#include "items/TradeManager.h"
#include "multiplayer/GameEngineClientServicesModule.h"
#include "multiplayer/GameEngineNetworkInterface.h"
#include "multiplayer/GameEngineServerServicesModuleBase.h"
#include "multiplayer/PartyManager.h"
#include "quests/QuestRepository.h"

#include <cstdint>

namespace GAME {

namespace {

// Tutorial pages the hints unlock.
constexpr uint32_t kPageInventory = 28;
constexpr uint32_t kPageHotSlots = 29;
constexpr uint32_t kPagePotions = 30;
constexpr uint32_t kPageUnspentPoints = 31;
constexpr uint32_t kPageMastery = 32;

constexpr int32_t kHotSlotHintMs = 300000;
constexpr int32_t kUnspentPointsHintMs = 600000;
constexpr int32_t kInventoryHintMs = 600000;
constexpr int32_t kInventoryHintItems = 16;
constexpr int32_t kMasteryHintPoints = 9;
constexpr int32_t kPotionHintDeaths = 2;

} // namespace

void GameEngine::Update(int ms)
{
    UpdateTutorialHints(ms, GetMainPlayer());
    partyManager->Update();
    UpdatePortalQuestion();
    UpdateMusicTracking();
    UpdateBanQuestion();
    ActivityManager::Get().Update(ms);
    if (const Player* mainPlayer = GetMainPlayer())
        UpdateAmbience(*mainPlayer);
    tradeManager->Update();
    QuestRepository::Get().Update(ms);
    currentServerServices->Update(ms);
    currentClientServices->Update(ms);
}

void GameEngine::UpdateTutorialHints(int ms, const Player* mainPlayer)
{
    if (unspentSkillPoints > 0) {
        if (hotSlotChanged != 0)
            hotSlotHintTimer = 0;
        else
            hotSlotHintTimer = AddSaturating(hotSlotHintTimer, ms);
        if (hotSlotHintTimer >= kHotSlotHintMs)
            UnlockTutorialPage(kPageHotSlots, true);
    }
    if (unspentSkillPoints == 0 && unspentMasteryPoints >= kMasteryHintPoints)
        UnlockTutorialPage(kPageMastery, true);

    if (mainPlayer != nullptr && mainPlayer->GetModifierPoints() > 0)
        attributePointsTimer = AddSaturating(attributePointsTimer, ms);
    else
        attributePointsTimer = 0;
    if (mainPlayer != nullptr && mainPlayer->GetSkillPoints() != 0)
        skillPointsTimer = AddSaturating(skillPointsTimer, ms);
    else
        skillPointsTimer = 0;
    if (skillPointsTimer > kUnspentPointsHintMs || attributePointsTimer > kUnspentPointsHintMs)
        UnlockTutorialPage(kPageUnspentPoints, true);

    inventoryHintTimer = AddSaturating(inventoryHintTimer, ms);
    if (inventoryHintTimer >= kInventoryHintMs || itemsAdded >= kInventoryHintItems)
        UnlockTutorialPage(kPageInventory, true);

    if (deathCount > kPotionHintDeaths && potionUsed == 0 && potionPickedUp != 0)
        UnlockTutorialPage(kPagePotions, true);
}

void GameEngine::UpdatePortalQuestion()
{
    if (!pendingTeleport ||
        dialogManager->GetNumResponsesFor(DialogManager::PartyFixedItemTeleport) == 0)
        return;
    if (dialogManager->GetResponseFor(DialogManager::PartyFixedItemTeleport).answer) {
        currentInterface->CreateFixedItemTeleport(pendingTeleportCoords, pendingTeleportOwnerId,
                                                  pendingTeleportId, pendingTeleportRecord, 0);
    }
    pendingTeleport = false;
}

void GameEngine::UpdateMusicTracking()
{
    Jukebox& jukebox = Jukebox::Instance();
    const ObjectManager& objects = ObjectManager::Instance();
    if (jukebox.GetTrackedPlayer() != 0) {
        const Player* player = objects.GetObject<Player>(jukebox.GetTrackedPlayer());
        jukebox.SetTrackedPlayerDead(player == nullptr || !player->IsAlive());
    }
    if (jukebox.GetTrackedBoss() != 0) {
        const Monster* boss = objects.GetObject<Monster>(jukebox.GetTrackedBoss());
        jukebox.SetTrackedBossDead(boss == nullptr || !boss->IsAlive());
    }
}

void GameEngine::UpdateBanQuestion()
{
    if (pendingBanId == 0 || dialogManager->GetNumResponsesFor(DialogManager::PartyBanPlayer) == 0)
        return;
    if (dialogManager->GetResponseFor(DialogManager::PartyBanPlayer).answer)
        BanPlayer(pendingBanId, false);
    pendingBanId = 0;
}

void GameEngine::UpdateAmbience(const Player& mainPlayer)
{
    const WorldVec3 position = mainPlayer.GetCoords().GetPosition();
    AmbianceManager& ambiance = AmbianceManager::Instance();
    ambiance.SetTargetPosition(position);
    ambiance.UpdateEnvironmentEffects(position);
    WorldFrustum view;
    GetFrustumForPlayer(view, position);
    ambiance.UpdateEnvironmentEffects(view);
    gEngine->GetGameInfo().SetPlayerLevel(mainPlayer.GetCharLevel());
}

void GameEngine::UnlockTutorialPage(uint32_t page, bool notify)
{
    if (page >= tutorialUnlockBits.size() || tutorialUnlockBits[page])
        return;
    tutorialUnlockBits[page] = true;
    tutorialUnlockList.push_back(static_cast<int32_t>(page));
    if (notify) {
        GameEvent_TutorialUnlock event;
        event.page = page;
        EventManager::Instance().Send("GameEvent_TutorialUnlock", event);
    }
}

void GameEngine::UnlockAllTutorials()
{
    for (uint32_t page = 0; page < static_cast<uint32_t>(kTutorialPageCount); ++page)
        UnlockTutorialPage(page, true);
}

void GameEngine::ResetTutorialState()
{
    unspentSkillPoints = 0;
    unspentMasteryPoints = 0;
    potionPickedUp = 0;
    potionUsed = 0;
    inventoryHintTimer = 0;
    itemsAdded = 0;
    attributePointsTimer = 0;
    hotSlotChanged = 0;
    hotSlotHintTimer = 0;
    deathCount = 0;
    skillPointsTimer = 0;
    tutorialUnlockList.clear();
    tutorialUnlockBits.assign(kTutorialPageCount, false);
    disableTutorialAutoPop = false;
}

} // namespace GAME
