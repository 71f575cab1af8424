#include "characters/Player.h"

#include "characters/TeamManager.h"
#include "core/RandomUniform.h"
#include "engine/AmbianceManager.h"
#include "engine/Color.h"
#include "engine/DebugRenderManager.h"
#include "engine/Engine.h"
#include "engine/EventManager.h"
#include "engine/Jukebox.h"
#include "engine/ObjectManager.h"
#include "engine/Region.h"
#include "engine/TriggerToken.h"
#include "engine/World.h"
#include "game/GameEngine.h"
#include "items/PlayerHotSlotCtrl.h"
#include "items/WeaponArmor_Shield.h"
#include "multiplayer/PartyManager.h"

#include <algorithm>
#include <cstdint>

namespace GAME {

namespace {

constexpr uint32_t kLevelOfTutorialPage20 = 8;
constexpr uint32_t kPlayerTeamMajor = 2;

void CoolDown(int32_t& cooldown, int32_t elapsedMs)
{
    if (cooldown != 0)
        cooldown -= elapsedMs;
}

int32_t ClampToInt32(uint32_t value)
{
    return static_cast<int32_t>(std::min<uint32_t>(value, INT32_MAX));
}

} // namespace

void Player::UpdateSelf(int32_t elapsedMs)
{
    Character::UpdateSelf(elapsedMs);
    GameEngine& game = GameEngine::Get();
    const bool isMainPlayer = game.GetMainPlayer() == this;
    const bool isLocalPlayer = game.GetPlayerId() == GetObjectId();

    if (isMainPlayer && GetCharLevel() == kLevelOfTutorialPage20)
        game.UnlockTutorialPage(20, true);
    if (isLocalPlayer) {
        if (World* world = gEngine->GetWorld())
            world->AddFOWVisibility(GetCoords().GetPosition(), elapsedMs);
    }
    hotSlotCtrl->Update(elapsedMs);

    const PartyManager* parties = game.GetPartyManager();
    const uint32_t faction =
        parties != nullptr ? parties->GetPlayerFaction(GetObjectId()) : GetObjectId();
    SetTeam(TeamManager::BuildTeam(kPlayerTeamMajor, faction));

    bio.SetAcceleratedLifeRegen(actionState == ActionState_Fidget && !IsUnderAttack());
    UpdateIdleClock(elapsedMs);
    Heartbeat(elapsedMs);
    ProcessPendingTokens();

    autoSaveTimer -= elapsedMs;
    if (autoSaveTimer < 0)
        saveNeeded = true;

    const auto* shield = ObjectManager::Instance().GetObject<WeaponArmor_Shield>(
        combatManager.GetEquipManager().GetLeftHandShield());
    if (shield != nullptr)
        playStats.SetShieldBlockChance(shield->GetShieldBlockChance());
    else
        playStats.DisableShieldBlockChance();

    if (saveNeeded)
        AutoSave();
    if (questSaveRequested) {
        questSaveRequested = false;
        AutoSaveQuest(questSaveArgument);
    }
    if (isLocalPlayer)
        BossMusicStateUpdate();
    if (IsControllingCharacter())
        UpdateVoxCooldowns(elapsedMs);
    if (paperDollRegion != nullptr)
        paperDollRegion->Update(elapsedMs);
    if (isMainPlayer)
        UpdateMainPlayerSkillPoints();
    if (debugSphereRadius != 0.0f)
        DebugRenderManager::Get().RenderSphere(GetCoords().GetPosition(), debugSphereRadius,
                                               Color(1.0f, 0.3f, 0.3f, 1.0f));
}

void Player::UpdateIdleClock(int32_t elapsedMs)
{
    if (actionState != ActionState_Idle || longIdleTriggerTime <= 0.0f) {
        idleClock = 0.0f;
        return;
    }
    idleClock += static_cast<float>(elapsedMs);
    if (idleThreshold <= 0.0f || idleClock >= idleThreshold) {
        idleClock = 0.0f;
        idleThreshold =
            longIdleTriggerTime * GameEngine::Get().GetRandomGen().FGenerate(0.8f, 1.5f);
    }
}

void Player::UpdateVoxCooldowns(int32_t elapsedMs)
{
    for (int32_t* cooldown :
         {&lockedChestCooldown, &lockedShrineCooldown, &lockedDoorCooldown,
          &lockedQuestObjectCooldown, &skillVoxSameCooldown, &skillVoxAnyCooldown})
        CoolDown(*cooldown, elapsedMs);
}

void Player::UpdateMainPlayerSkillPoints()
{
    GameEngine& game = GameEngine::Get();
    game.SetUnspentSkillPoints(ClampToInt32(skillManager.GetNumRegularSkillPoints()));
    game.SetUnspentMasteryPoints(ClampToInt32(skillManager.GetNumMasteryPoints()));
    if (!hotSlotCtrl->IsInDefaultState())
        game.SetHotSlotChanged(true);
}

void Player::Heartbeat(int32_t elapsedMs)
{
    if (heartbeatCounter > 0)
        heartbeatCounter -= elapsedMs;
    else
        heartbeatCounter = kHeartbeatInterval;
}

void Player::ProcessPendingTokens()
{
    if (pendingTokens.empty())
        return;
    for (const TriggerToken& token : pendingTokens) {
        if (std::find(heldTokens.begin(), heldTokens.end(), token) != heldTokens.end())
            continue;
        heldTokens.push_back(token);
        GameEvent_GotToken event;
        event.playerId = GetObjectId();
        event.tokenName = token.GetName();
        EventManager::Instance().Send("GameEvent_GotToken", event);
    }
    pendingTokens.clear();
    saveNeeded = true;
}

void Player::AutoSave()
{
    if (!gEngine->IsLevelEditor() && IsControllingCharacter())
        GameEngine::Get().AutoSave();
    autoSaveTimer = kAutoSaveInterval;
    saveNeeded = false;
}

void Player::AutoSaveQuest(bool argument)
{
    if (!gEngine->IsLevelEditor() && IsControllingCharacter())
        GameEngine::Get().AutoSaveQuest(argument);
}

void Player::BossMusicStateUpdate()
{
    Jukebox& jukebox = Jukebox::Instance();
    if (AmbianceManager::Instance().TargetIsInBossMusicZone()) {
        if (!jukebox.IsBossMusicPlaying() && !requestedBossMusic.empty()) {
            jukebox.AbsoluteMusicFade();
            jukebox.InitiateBossMusic(requestedBossMusic);
        }
    } else if (jukebox.IsBossMusicPlaying()) {
        if (requestedBossMusic.empty())
            jukebox.BossMusicLeave();
        else
            jukebox.InitiateBossMusic(requestedBossMusic);
    }
    currentBossMusic = requestedBossMusic;
    requestedBossMusic.clear();
}

void Player::RegisterMonsterMusic(uint32_t monsterId, const std::string& name)
{
    requestedBossMusic = name;
    if (name != currentBossMusic) {
        Jukebox::Instance().SetTrackedBoss(monsterId);
        Jukebox::Instance().SetTrackedPlayer(GetObjectId());
    }
}

void Player::CharacterIsDying()
{
    Character::CharacterIsDying();
    GameEngine& game = GameEngine::Get();
    const int32_t penalty = game.GetPlayerDeathExperiencePenalty(this, GetAttackerId());
    if (penalty != 0) {
        // A negative penalty would be a gain; nothing is taken then.
        if (penalty > 0)
            experienceLevelControl.LoseExperience(static_cast<uint32_t>(penalty));
        playStats.LoseExperience(penalty);
    }
    if (game.GetMainPlayer() == this) {
        game.UnlockTutorialPage(23, true);
        game.IncrementDeathCount();
    }
}

void Player::OnCreatureDeath(const GameEvent_CreatureDeath& event)
{
    pets.erase(std::remove(pets.begin(), pets.end(), event.victimId), pets.end());
    if (event.killerId != GetObjectId())
        return;
    const auto* creature = ObjectManager::Instance().GetObject<Character>(event.victimId);
    if (creature == nullptr)
        return;
    const uint32_t level = creature->GetCharLevel();
    const float lifeAndMana = creature->GetLifeLimit() + creature->GetManaLimit();
    // 64-bit products: a huge level times huge limits must not wrap into a small score.
    const double score = static_cast<double>(level) * static_cast<double>(lifeAndMana);
    const double greatest = static_cast<double>(playStats.GetGreatestMonsterKilledLevel()) *
                            static_cast<double>(playStats.GetGreatestMonsterKilledLifeAndMana());
    if (static_cast<int64_t>(score) <= static_cast<int64_t>(greatest))
        return;
    playStats.SetGreatestMonsterKilledName(creature->GetGameDescription(false));
    playStats.SetGreatestMonsterKilledLevel(level);
    playStats.SetGreatestMonsterKilledLifeAndMana(static_cast<uint32_t>(lifeAndMana));
}

void Player::OnQuestComplete(const GameEvent_QuestComplete& /*event*/)
{
    questSaveRequested = true;
}

void Player::OnQuestUpdate(const GameEvent_QuestUpdate& event)
{
    questSaveRequested = true;
    questSaveArgument = event.flag;
}

} // namespace GAME
