#include "characters/Player.h"

#include "core/Helpers.h"
#include "engine/LocalizationManager.h"
#include "engine/SoundPak.h"
#include "engine/TriggerToken.h"
#include "game/GameEngine.h"

#include <algorithm>

namespace GAME {

namespace {

// The record lists are matched by the name they start with.
template <typename Record> auto FindByName(std::vector<Record>& records, const std::string& name)
{
    return std::find_if(records.begin(), records.end(),
                        [&](const Record& record) { return record.npcName == name; });
}

template <typename Record>
auto FindByName(const std::vector<Record>& records, const std::string& name)
{
    return std::find_if(records.begin(), records.end(),
                        [&](const Record& record) { return record.npcName == name; });
}

template <typename Record> void ReplaceByName(std::vector<Record>& records, const Record& data)
{
    std::erase_if(records, [&](const Record& record) { return record.npcName == data.npcName; });
    records.push_back(data);
}

template <typename Record>
bool CopyByName(const std::vector<Record>& records, const std::string& name, Record& out)
{
    auto found = FindByName(records, name);
    if (found == records.end())
        return false;
    out = *found;
    return true;
}

} // namespace

// Tokens.

void Player::BestowToken(const TriggerToken& token)
{
    pendingTokens.push_back(token);
}

bool Player::HasToken(const char* name) const
{
    if (name == nullptr)
        return false;
    return std::find(heldTokens.begin(), heldTokens.end(), TriggerToken(name)) != heldTokens.end();
}

void Player::RemoveToken(const TriggerToken& token)
{
    auto found = std::find(heldTokens.begin(), heldTokens.end(), token);
    if (found != heldTokens.end())
        heldTokens.erase(found);
}

void Player::ClearTokens()
{
    heldTokens.clear();
}

std::string Player::GetTriggerTokensAsString() const
{
    std::string names;
    for (const TriggerToken& token : heldTokens) {
        if (!names.empty())
            names += ", ";
        names += token.GetName();
    }
    return names;
}

// Pets and the records of the people met.

bool Player::CanAdoptAPet(uint32_t id)
{
    if (pets.size() >= petLimit)
        return false;
    pets.push_back(id);
    return true;
}

void Player::AddNpcDialog(const NpcDialogData& data)
{
    ReplaceByName(npcDialogs, data);
}

void Player::RemoveNpcDialog(const std::string& name)
{
    std::erase_if(npcDialogs, [&](const NpcDialogData& record) { return record.npcName == name; });
}

bool Player::IsNpcDialog(const std::string& name) const
{
    return FindByName(npcDialogs, name) != npcDialogs.end();
}

bool Player::GetNpcDialog(const std::string& name, NpcDialogData& out) const
{
    return CopyByName(npcDialogs, name, out);
}

void Player::AddNpcIllumination(const NpcIlluminationData& data)
{
    ReplaceByName(npcIlluminations, data);
}

void Player::RemoveNpcIllumination(const std::string& name)
{
    std::erase_if(npcIlluminations,
                  [&](const NpcIlluminationData& record) { return record.npcName == name; });
}

bool Player::IsNpcIllumination(const std::string& name) const
{
    return FindByName(npcIlluminations, name) != npcIlluminations.end();
}

bool Player::GetNpcIllumination(const std::string& name, NpcIlluminationData& out) const
{
    return CopyByName(npcIlluminations, name, out);
}

void Player::AddBoatMaster(const BoatMasterData& data)
{
    if (!IsBoatMaster(data.npcName))
        boatMasters.push_back(data);
}

bool Player::IsBoatMaster(const std::string& name) const
{
    return FindByName(boatMasters, name) != boatMasters.end();
}

bool Player::GetBoatMaster(const std::string& name, BoatMasterData& out) const
{
    return CopyByName(boatMasters, name, out);
}

// Textures.

void Player::SetPlayerTexture(const std::string& name)
{
    if (name.empty())
        return;
    // The paper doll, and any doll of its own, wear what the player wears.
    for (Player* player = this; player != nullptr; player = player->paperDoll) {
        player->playerTexture = name;
        player->SetBaseTexture(name);
        player->saveNeeded = true;
    }
}

void Player::ResetPlayerTexture()
{
    SetPlayerTexture(playerTexture);
}

void Player::PickNewTexture(uint32_t index)
{
    if (!playerTextures.empty())
        playerTexture = playerTextures[Min<size_t>(index, playerTextures.size() - 1)];
    ResetPlayerTexture();
}

// Voice lines.

void Player::PlayInventoryFullSound()
{
    if (SoundPak* sound = GetSoundPak(inventoryFullSound))
        sound->Play(false);
}

void Player::PlayPickUpSound()
{
    if (SoundPak* sound = GetSoundPak(pickUpSound))
        sound->Play(false);
}

void Player::PlayLockedVox(uint32_t soundId, int32_t& cooldown)
{
    if (!IsControllingCharacter() || cooldown >= 1)
        return;
    SoundPak* sound = GetSoundPak(soundId);
    if (sound == nullptr)
        return;
    sound->Play(false);
    cooldown = lockedVoxInterval;
}

void Player::PlayLockedChestVox()
{
    PlayLockedVox(lockedChestSound, lockedChestCooldown);
}

void Player::PlayLockedShrineVox()
{
    PlayLockedVox(lockedShrineSound, lockedShrineCooldown);
}

void Player::PlayLockedDoorVox()
{
    PlayLockedVox(lockedDoorSound, lockedDoorCooldown);
}

void Player::PlayLockedQuestObjectVox()
{
    PlayLockedVox(lockedQuestObjectSound, lockedQuestObjectCooldown);
}

// The same skill waits the long interval, any skill the short one: a player hammering one
// skill hears it rarely, one trying several hears each reason once.
void Player::PlaySkillVox(uint32_t soundId, uint32_t& lastSkillId, uint32_t skillId)
{
    if (!IsControllingCharacter() || skillVoxAnyCooldown >= 1)
        return;
    if (skillVoxSameCooldown >= 1 && skillId == lastSkillId)
        return;
    SoundPak* sound = GetSoundPak(soundId);
    if (sound == nullptr)
        return;
    sound->Play(false);
    skillVoxSameCooldown = skillVoxSameInterval;
    skillVoxAnyCooldown = skillVoxAnyInterval;
    lastSkillId = skillId;
}

void Player::PlayNotEnoughManaVox(uint32_t skillId)
{
    PlaySkillVox(notEnoughManaSound, notEnoughManaSkillId, skillId);
}

void Player::PlayInvalidEquipmentVox(uint32_t skillId)
{
    PlaySkillVox(invalidEquipmentSound, invalidEquipmentSkillId, skillId);
}

void Player::PlaySkillCooldownVox(uint32_t skillId)
{
    PlaySkillVox(skillCooldownSound, skillCooldownSkillId, skillId);
}

void Player::ResetSkillVox()
{
    skillVoxSameCooldown = 0;
    notEnoughManaSkillId = 0;
    invalidEquipmentSkillId = 0;
    skillCooldownSkillId = 0;
}

// Descriptions.

std::string Player::GetClassTag() const
{
    std::vector<uint32_t> masteries;
    skillManager.GetSkillMasteries(masteries);
    if (masteries.empty())
        return std::string();
    const GameEngine& game = GameEngine::Get();
    if (masteries.size() == 1)
        return game.GetClassTag(masteries[0]);
    return game.GetClassTag(masteries[0], masteries[1]);
}

std::wstring Player::GetClassNameA() const
{
    const std::string tag = GetClassTag();
    if (tag.empty())
        return std::wstring();
    LocalizationManager& texts = LocalizationManager::Instance();
    return texts.Format("SimpleStringFormat", texts.Format(tag));
}

std::wstring Player::GetRolloverDescription() const
{
    std::wstring description = playerName;
    const std::wstring className = GetClassNameA();
    if (!className.empty())
        description += L" ~ " + className;
    return description;
}

} // namespace GAME
