#include "characters/Monster.h"

#include "ai/ControllerCombat.h"
#include "characters/Player.h"
#include "characters/TeamManager.h"
#include "core/Helpers.h"
#include "core/RandomHelpers.h"
#include "core/Saturate.h"
#include "engine/Engine.h"
#include "engine/LocalizationManager.h"
#include "engine/ObjectManager.h"
#include "engine/SoundPak.h"
#include "game/GameEngine.h"
#include "world/BoundingVolumeBossMonster.h"

namespace GAME {

void Monster::UpdateSelf(int32_t elapsedMs)
{
    Character::UpdateSelf(elapsedMs);
    if (!spawnPoint.HasRegion())
        spawnPoint = GetCoords();
    if (!IsAlive())
        return;

    if (aliveSoundOn && IsInWorld()) {
        SoundPak* sound = GetSoundPak(aliveSound);
        if (sound != nullptr && !sound->IsPlaying()) {
            sound->Play(GetCoords(), true, true);
            sound->Track(GetObjectId());
        }
    }

    // Both periods 0 leave the timer at 0: such a monster never plays its ambient sound.
    if (ambientTimer > 0.0f) {
        ambientTimer -= static_cast<float>(elapsedMs);
        if (ambientTimer <= 0.0f) {
            PlayAmbientSound(false);
            ambientTimer = RandomFloat(ambientPeriodMin, ambientPeriodMax);
        }
    }

    if (leaderId != 0)
        UpdateLeader(elapsedMs);
    if (standInLifetime > 0)
        CountStandInLifetime(elapsedMs);

    if (!monsterMusic.empty() && gGameEngine != nullptr) {
        Player* mainPlayer = gGameEngine->GetMainPlayer();
        Vec3 playerPosition;
        const WorldVec3 own = GetCoords().GetPosition();
        if (mainPlayer != nullptr &&
            mainPlayer->GetCoords().GetPosition().GetPositionInRegion(own.GetRegionId(),
                                                                      playerPosition) &&
            (playerPosition - own.GetRegionPosition()).LengthSquared() < monsterMusicRadiusSquared)
            mainPlayer->RegisterMonsterMusic(GetObjectId(), monsterMusic);
    }
}

void Monster::UpdateLeader(int32_t elapsedMs)
{
    TeamManager* teams = gGameEngine != nullptr ? gGameEngine->GetTeamManager() : nullptr;
    if (teams != nullptr && teams->IsFoe(GetObjectId(), leaderId)) {
        UnJoinLeader();
        return;
    }
    if (joinTimer < 1) {
        const Character* leader = ObjectManager::Instance().GetObject<Character>(leaderId);
        if (leader != nullptr && leader->IsAlive())
            return;
        if (leaderIsPlayer) {
            // A player's pet does not outlive its master.
            if (auto* controller =
                    ObjectManager::Instance().GetObject<ControllerCombat>(controllerId))
                controller->KillMe();
            return;
        }
        UnJoinLeader();
        return;
    }
    joinTimer = AddSaturating(joinTimer, -Max(elapsedMs, 0));
    if (joinTimer <= 0)
        UnJoinLeader();
}

// As the monster's own controller counts it; the stand-in ends the monster only on the machine
// that made it, and the others hear its death from there.
void Monster::CountStandInLifetime(int32_t elapsedMs)
{
    if (!TimeUsedUp(standInLifetime, elapsedMs))
        return;
    if (auto* controller = ObjectManager::Instance().GetObject<ControllerCombat>(controllerId))
        controller->KillMe();
}

bool Monster::PlayAmbientSound(bool /*flag*/)
{
    SoundPak* sound = GetSoundPak(ambientSound);
    if (sound == nullptr)
        return false;
    sound->Play(GetCoords(), false, true);
    return true;
}

void Monster::StartAliveSound()
{
    aliveSoundOn = true;
    SoundPak* sound = GetSoundPak(aliveSound);
    if (sound == nullptr || !IsInWorld())
        return;
    sound->Play(GetCoords(), true, true);
    sound->Track(GetObjectId());
}

void Monster::StopAliveSound()
{
    aliveSoundOn = false;
    if (SoundPak* sound = GetSoundPak(aliveSound)) {
        sound->StopTracking();
        sound->FadeLastPlayedSound(250);
    }
}

void Monster::AttachBossVolumes()
{
    if (bossBoundingVolumes.empty())
        return;
    auto* volume = ObjectManager::Instance().CreateObjectFromFile<BoundingVolumeBossMonster>(
        bossBoundingVolumes);
    if (volume == nullptr)
        return;
    Attach(volume, Coords::Identity(), static_cast<const char*>(nullptr));
    volume->SetMonsterId(GetObjectId());
    volume->AttachVolumes(this);
}

std::wstring Monster::GetGameDescription(bool flag) const
{
    std::wstring text;
    if (gGameEngine != nullptr)
        text = gGameEngine->GetMonsterColorText(classification);
    return text + Character::GetGameDescription(flag);
}

void Monster::CreateUISummaryText(GameTextClass textClass, std::vector<GameTextLine>& lines) const
{
    LocalizationManager& texts = LocalizationManager::Instance();
    const float life = bio.GetAttribute(CharAttribute_Life);
    lines.emplace_back(textClass, texts.Format("SkillPetDescriptionHealth", life), false);
    const float mana = bio.GetAttribute(CharAttribute_Mana);
    if (mana > 0.0f)
        lines.emplace_back(textClass, texts.Format("SkillPetDescriptionMana", mana), false);
    lines.emplace_back(textClass, std::wstring(), false);
    float minimum = 0.0f;
    float maximum = 0.0f;
    combatManager.GetHandHitDamage(minimum, maximum);
    if (minimum > 0.0f || maximum > 0.0f)
        AppendHandDamageSummary(textClass, lines);
}

} // namespace GAME
