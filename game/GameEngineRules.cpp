#include "game/GameEngine.h"

#include "characters/Bonus.h"
#include "characters/Monster.h"
#include "characters/Player.h"
#include "core/DesignerEquation.h"
#include "core/GameEvents.h"
#include "core/Helpers.h"
#include "core/Saturate.h"
#include "engine/ObjectManager.h"
#include "engine/RandomUniformLocked.h"
#include "multiplayer/PlayerManagerServer.h"

#include <algorithm>

namespace GAME {

namespace {

const std::string kNoTag;
const std::string kUnknownRace = "noTagUnknownRace";

// Rows are the requested action, columns the running one; each digit a permission.
const char* const kActionMatrix[kCharacterActionTypeCount] = {
    "22222222222222222222", // 0 none
    "02202022222222110112", // 1 Idle
    "22222222222222222222", // 2
    "00222222222222111222", // 3 LongIdle
    "00200011022220022112", // 4 MoveTo
    "00200011022220022112", // 5 Walk
    "00200012022220022222", // 6 PickUp
    "00201111022220022112", // 7 Use
    "00200001122220022222", // 8 Attack
    "00200001000020022112", // 9 TakeStun
    "00200001000020022112", // 10 Immobilize
    "00200001000020022112", // 11 TakeTrap
    "00200000000020002000", // 12 Die
    "00201101022222022221", // 13 Chat
    "00200000011122222222", // 14 PlayAnimation
    "00202222222202022222", // 15 Spawn
    "00200022222202022222", // 16 Respawn
    "00201022022200022212", // 17
    "00200022022200022222", // 18
    "00200022022201022221", // 19 EngageNpc
};

} // namespace

void GameEngine::RegisterDamage(uint32_t victimId, uint32_t attackerId, float amount)
{
    if (!IsServerOrSingle())
        return;
    // Players are never rewarded for, so their damage is not worth keeping.
    if (ObjectManager::Instance().GetObject<Player>(victimId) != nullptr)
        return;
    const uint32_t attacker = GetMasterAttacker(attackerId);
    std::vector<DamageEntry>& entries = damageRegistry[victimId];
    for (DamageEntry& entry : entries) {
        if (entry.attackerId == attacker) {
            entry.damage += amount;
            return;
        }
    }
    entries.push_back(DamageEntry{attacker, amount});
}

float GameEngine::GetTotalDamageDone(uint32_t victimId) const
{
    auto found = damageRegistry.find(victimId);
    if (found == damageRegistry.end())
        return 0.0f;
    float total = 0.0f;
    for (const DamageEntry& entry : found->second)
        total += entry.damage;
    return total;
}

float GameEngine::GetDamageByAttacker(uint32_t attackerId, uint32_t victimId) const
{
    auto found = damageRegistry.find(victimId);
    if (found == damageRegistry.end())
        return 0.0f;
    float total = 0.0f;
    for (const DamageEntry& entry : found->second) {
        if (entry.attackerId == attackerId)
            total += entry.damage;
    }
    return total;
}

float GameEngine::GetPlayerDamagePercent(uint32_t attackerId, uint32_t victimId) const
{
    // A victim whose hits sum to nothing (or less) gives no one a share.
    const float total = GetTotalDamageDone(victimId);
    if (!(total > 0.0f))
        return 0.0f;
    return GetDamageByAttacker(attackerId, victimId) / total;
}

void GameEngine::RemoveDamageEntry(uint32_t victimId)
{
    if (IsServerOrSingle())
        damageRegistry.erase(victimId);
}

uint32_t GameEngine::GetMasterAttacker(uint32_t attackerId) const
{
    // A pet's or summon's kills are its master's.
    const Monster* monster = ObjectManager::Instance().GetObject<Monster>(attackerId);
    if (monster != nullptr && monster->GetLeader() != 0)
        return monster->GetLeader();
    return attackerId;
}

void GameEngine::OnCreatureDeath(const GameEvent_CreatureDeath& event)
{
    if (!IsServerOrSingle())
        return;
    if (const Character* victim = ObjectManager::Instance().GetObject<Character>(event.victimId)) {
        Bonus bonus;
        bonus.sourceId = victim->GetObjectId();
        bonus.experiencePoints = victim->GetExperienceReward();
        HandleBonusToServerInbound(bonus, victim->GetCoords().GetPosition(),
                                   GetMasterAttacker(event.killerId));
    }
    RemoveDamageEntry(event.victimId);
}

void GameEngine::HandleBonusToServerInbound(const Bonus& bonus, const WorldVec3& position,
                                            uint32_t killerId)
{
    if (PlayerManagerServer* players = GetPlayerManagerServer())
        players->HandleBonus(bonus, position, killerId);
}

float GameEngine::EvaluatePlusHalf(const DesignerEquation<float>& equation) const
{
    // Half up, never below zero; a not-a-number result counts as zero.
    return Max(equation(), 0.0f) + 0.5f;
}

uint32_t GameEngine::CalculateExperienceReward(uint32_t level, uint32_t experience)
{
    monsterLevel = level;
    monsterExperience = experience;
    GetPlayerInfo(playerInfo);
    if (!experienceEquation)
        return experience;
    return SaturateToUInt(EvaluatePlusHalf(*experienceEquation));
}

int32_t GameEngine::GetPlayerDeathExperiencePenalty(Player* player, uint32_t killerId)
{
    monsterLevel = 0;
    monsterExperience = 0;
    if (const Character* killer = ObjectManager::Instance().GetObject<Character>(killerId)) {
        monsterLevel = killer->GetCharLevel();
        monsterExperience = killer->GetExperiencePoints();
    }
    currentPlayerLevel = player != nullptr ? player->GetCharLevel() : 0;
    GetPlayerInfo(playerInfo);
    const int32_t penalty =
        deathPenaltyEquation ? SaturateToInt(EvaluatePlusHalf(*deathPenaltyEquation)) : 0;
    // Raised to the minimum first, so crossed bounds give the maximum.
    return Clamp(penalty, deathPenaltyMin, deathPenaltyMax);
}

CharacterActionPermission GameEngine::CheckPlayerAction(CharacterActionType requested,
                                                        CharacterActionType current) const
{
    // Action types arrive from packets and records too; an unknown one is refused rather than
    // read from outside the matrix.
    if (requested < 0 || requested >= kCharacterActionTypeCount || current < 0 ||
        current >= kCharacterActionTypeCount)
        return CharacterActionPermission_Refuse;
    return actionMatrix[requested][current];
}

const std::string& GameEngine::GetClassTag(uint32_t mastery1, uint32_t mastery2) const
{
    // Mastery indices come from saves and packets; one past the table names no class.
    if (mastery1 >= kMasteryCount || mastery2 >= kMasteryCount)
        return kNoTag;
    return classTags[mastery1][mastery2];
}

const std::string& GameEngine::GetClassTag(uint32_t mastery) const
{
    return GetClassTag(mastery, mastery);
}

const std::string& GameEngine::GetMonsterRaceTagSingular(const std::string& race) const
{
    auto found = monsterRaces.find(race);
    return found == monsterRaces.end() ? kUnknownRace : found->second.singular;
}

const std::string& GameEngine::GetMonsterRaceTagPlural(const std::string& race) const
{
    auto found = monsterRaces.find(race);
    return found == monsterRaces.end() ? kUnknownRace : found->second.plural;
}

uint32_t GameEngine::GetSkillMasteryLevel(uint32_t tier) const
{
    if (tier == 0 || skillMasteryTierLevels.empty())
        return 0;
    const size_t index = Min<size_t>(tier - 1, skillMasteryTierLevels.size() - 1);
    // A negative level in the record asks for nothing.
    return static_cast<uint32_t>(Max(skillMasteryTierLevels[index], 0));
}

int32_t GameEngine::GetRandomSeed()
{
    return randomGen->IGenerate(static_cast<int>(seedMinimum), static_cast<int>(seedMaximum));
}

uint32_t GameEngine::PickObject(const std::vector<uint32_t>& candidates,
                                const std::vector<uint32_t>& excluded)
{
    std::vector<uint32_t> allowed;
    for (uint32_t candidate : candidates) {
        if (std::find(excluded.begin(), excluded.end(), candidate) == excluded.end())
            allowed.push_back(candidate);
    }
    if (allowed.empty())
        return 0;
    const int index = randomGen->IGenerate(0, static_cast<int>(allowed.size()) - 1);
    if (index < 0 || static_cast<size_t>(index) >= allowed.size())
        return 0;
    return allowed[static_cast<size_t>(index)];
}

void GameEngine::SetClassEntry(uint32_t mastery1, uint32_t mastery2, const char* tag)
{
    classTags[mastery1][mastery2] = tag;
    classTags[mastery2][mastery1] = tag;
}

void GameEngine::FillClassArray()
{
    struct Entry {
        uint32_t mastery1;
        uint32_t mastery2;
        const char* tag;
    };
    static const Entry entries[] = {
        {0, 0, "tagCClass01"}, {1, 1, "tagCClass02"}, {2, 2, "tagCClass03"}, {3, 3, "tagCClass04"},
        {4, 4, "tagCClass05"}, {5, 5, "tagCClass06"}, {6, 6, "tagCClass07"}, {7, 7, "tagCClass08"},
        {0, 7, "tagCClass09"}, {0, 6, "tagCClass16"}, {0, 5, "tagCClass22"}, {0, 4, "tagCClass27"},
        {0, 3, "tagCClass31"}, {0, 2, "tagCClass34"}, {0, 1, "tagCClass36"}, {1, 7, "tagCClass10"},
        {1, 6, "tagCClass17"}, {1, 5, "tagCClass23"}, {1, 4, "tagCClass28"}, {1, 3, "tagCClass32"},
        {1, 2, "tagCClass35"}, {2, 7, "tagCClass11"}, {2, 6, "tagCClass18"}, {2, 5, "tagCClass24"},
        {2, 4, "tagCClass29"}, {2, 3, "tagCClass33"}, {3, 7, "tagCClass12"}, {3, 6, "tagCClass19"},
        {3, 5, "tagCClass25"}, {3, 4, "tagCClass30"}, {4, 7, "tagCClass13"}, {4, 6, "tagCClass20"},
        {4, 5, "tagCClass26"}, {5, 7, "tagCClass14"}, {5, 6, "tagCClass21"}, {6, 7, "tagCClass15"},
    };
    for (const Entry& entry : entries)
        SetClassEntry(entry.mastery1, entry.mastery2, entry.tag);
}

void GameEngine::InitializeActionMatrix()
{
    for (int32_t requested = 0; requested < kCharacterActionTypeCount; ++requested) {
        for (int32_t current = 0; current < kCharacterActionTypeCount; ++current) {
            actionMatrix[requested][current] =
                static_cast<CharacterActionPermission>(kActionMatrix[requested][current] - '0');
        }
    }
}

void GameEngine::InitializeMonsterRaceMap()
{
    struct Entry {
        const char* race;
        const char* singular;
        const char* plural;
    };
    static const Entry entries[] = {
        {"Plant", "tagRace01", "tagRace01P"},     {"Animal", "tagRace02", "tagRace02P"},
        {"Beast", "tagRace03", "tagRace03P"},     {"Beastman", "tagRace04", "tagRace04P"},
        {"Insectoid", "tagRace05", "tagRace05P"}, {"Undead", "tagRace06", "tagRace06P"},
        {"Demon", "tagRace07", "tagRace07P"},     {"Vorun", "tagRace08", "tagRace08P"},
        {"Telkine", "tagRace09", "tagRace09P"},   {"Construct", "tagRace10", "tagRace10P"},
        {"Magical", "tagRace11", "tagRace11P"},   {"Device", "tagRace12", "tagRace12P"},
    };
    for (const Entry& entry : entries)
        monsterRaces.try_emplace(entry.race, RaceTags{entry.singular, entry.plural});
}

} // namespace GAME
