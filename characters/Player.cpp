#include "characters/Player.h"

#include "ai/ControllerPlayer.h"
#include "characters/AnimationSet.h"
#include "characters/AttributePak.h"
#include "characters/BoatMasterData.h"
#include "characters/CharacterMovementManager.h"
#include "characters/CharacterSettings.h"
#include "characters/NpcDialogData.h"
#include "characters/NpcIlluminationData.h"
#include "characters/PlayerReplicationRecord.h"
#include "characters/TeamManager.h"
#include "core/Helpers.h"
#include "engine/Engine.h"
#include "engine/Light.h"
#include "engine/LoadTable.h"
#include "engine/LocalizationManager.h"
#include "engine/ObjectManager.h"
#include "engine/PathFinder.h"
#include "engine/Region.h"
#include "engine/SkeletalPose.h"
#include "engine/SoundPak.h"
#include "engine/TriggerToken.h"
#include "game/GameEngine.h"
#include "items/Item.h"
#include "items/PlayerHotSlotCtrl.h"
#include "multiplayer/PartyManager.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace GAME {

GAME_IMPLEMENT_CLASS(Player, Character);

namespace {

constexpr const char* kPlayerSource = "characters/Player.cpp";
constexpr const wchar_t* kDefaultPlayerName = L"Player";
constexpr float kPlayerPathMass = 3.0f;
constexpr int32_t kPhysicsTypeHeld = 2;

void DestroyPlayerObject(uint32_t id, int line)
{
    ObjectManager& objects = ObjectManager::Instance();
    objects.DestroyObjectEx(objects.GetObject(id), kPlayerSource, line);
}

} // namespace

Player::Player()
    : questCompleteListener("GameEvent_QuestComplete", &Player::OnQuestComplete, this),
      questUpdateListener("GameEvent_QuestUpdate", &Player::OnQuestUpdate, this),
      creatureDeathListener("GameEvent_CreatureDeath", &Player::OnCreatureDeath, this),
      hotSlotCtrl(std::make_unique<PlayerHotSlotCtrl>())
{
    SetPlayerName(kDefaultPlayerName);
    hotSlotCtrl->SetPlayer(this);
    SetPathMass(kPlayerPathMass);
}

Player::~Player()
{
    for (uint32_t sound :
         {inventoryFullSound, pickUpSound, lockedChestSound, lockedShrineSound, lockedDoorSound,
          lockedQuestObjectSound, notEnoughManaSound, invalidEquipmentSound, skillCooldownSound})
        DestroyPlayerObject(sound, __LINE__);
    paperDollRegion.reset();
}

void Player::Load(const LoadTable& table)
{
    Character::Load(table);
    if (!team.IsInitialized())
        SetTeam(TeamManager::DefaultPlayerTeam());

    LoadSoundPak(table, inventoryFullSound, "inventoryFullSound", nullptr);
    LoadSoundPak(table, pickUpSound, "pickUpSoundName", nullptr);
    LoadSoundPak(table, lockedChestSound, "lockedChestSound", nullptr);
    LoadSoundPak(table, lockedShrineSound, "lockedShrineSound", nullptr);
    LoadSoundPak(table, lockedDoorSound, "lockedDoorSound", nullptr);
    LoadSoundPak(table, lockedQuestObjectSound, "lockedQuestObjectSound", nullptr);
    LoadSoundPak(table, notEnoughManaSound, "notEnoughManaSound", nullptr);
    LoadSoundPak(table, invalidEquipmentSound, "invalidEquipmentSound", nullptr);
    LoadSoundPak(table, skillCooldownSound, "skillCooldownSound", nullptr);

    longIdleTriggerTime = static_cast<float>(table.GetInt("longIdleTriggerTime", 0));
    skillManager.LoadDefaultSkills();
    // Money cannot be negative; a negative record value gives none.
    currentMoney = static_cast<uint32_t>(std::max(table.GetInt("defaultGold", 0), 0));
    for (int i = 1; i <= 10; ++i) {
        const std::string key = "skillTree" + std::to_string(i);
        skillManager.LoadSkills(table.GetString(key.c_str(), ""), 25);
    }

    SetAnimation(static_cast<EquipManager_HandState>(0));
    hotSlotCtrl->SetToDefaults();

    const std::string lightRecord = table.GetString("playerLight", "");
    if (!lightRecord.empty()) {
        if (Light* light = ObjectManager::Instance().CreateObjectFromFile<Light>(lightRecord)) {
            lightId = light->GetObjectId();
            light->SetForceShadows(true);
        }
    }
    table.GetStringList("playerTextures", playerTextures);
    maxMoveToRatio = table.GetFloat("maxMoveToRatio", 0.0f);
    ReplaceController(kStubControllerRecord);
}

void Player::ReplaceController(const char* record)
{
    DestroyPlayerObject(controllerId, __LINE__);
    controllerId = 0;
    Controller* controller = ObjectManager::Instance().CreateObjectFromFile<Controller>(record);
    if (controller == nullptr)
        return;
    controllerId = controller->GetObjectId();
    controller->AttachParent(GetObjectId());
}

void Player::PreLoad(bool flag)
{
    Character::PreLoad(flag);
    for (uint32_t sound :
         {inventoryFullSound, pickUpSound, lockedChestSound, lockedShrineSound, lockedDoorSound,
          lockedQuestObjectSound, notEnoughManaSound, invalidEquipmentSound, skillCooldownSound}) {
        if (SoundPak* pack = GetSoundPak(sound))
            pack->PreLoad(flag);
    }
}

void Player::InitialUpdate()
{
    Character::InitialUpdate();
    idleClock = 0.0f;
    if (!IsControllingCharacter())
        SetLifeState(LifeState_Alive);
    if (Light* light = ObjectManager::Instance().GetObject<Light>(lightId)) {
        if (IsControllingCharacter()) {
            Attach(light, Coords::FromTranslation(Vec3(0.0f, 5.0f, 0.0f)),
                   static_cast<const char*>(nullptr));
        }
    }
    ResetPlayerTexture();
}

void Player::SetIsControllingCharacter(bool on)
{
    Character::SetIsControllingCharacter(on);
    if (on) {
        ReplaceController(kPlayerControllerRecord);
        skillManager.SetAsControllingManager();
    } else {
        ReplaceController(kStubControllerRecord);
    }
}

ControllerPlayer* Player::GetControllerPlayer() const
{
    return ObjectManager::Instance().GetObject<ControllerPlayer>(controllerId);
}

void Player::GiveItemToCharacter(Item* item)
{
    if (item == nullptr)
        return;
    inventory.AddItemToInventory(item->GetObjectId(), false);
    item->SetPose(SkeletalPose());
    item->SetPhysicsType(kPhysicsTypeHeld);
    ControllerPlayer* controller = GetControllerPlayer();
    if (controller == nullptr)
        return;
    if (controller->GiveItemToPlayer(item->GetObjectId())) {
        PlayPickUpSound();
        MarkSaveNeeded();
        return;
    }
    GameEngine::Get().UnlockTutorialPage(33, true);
    controller->SendDropItemRandom(item->GetObjectId());
    PlayInventoryFullSound();
}

void Player::DropItem(Item* item, float unused1, float unused2)
{
    Character::DropItem(item, unused1, unused2);
    MarkSaveNeeded();
}

void Player::NotifyControllerItemRemovedFromInventory(uint32_t itemId)
{
    if (GetControllerPlayer() != nullptr)
        inventory.RemoveItemFromInventory(itemId);
    MarkSaveNeeded();
}

bool Player::CanMoveTo(const WorldVec3& point, float tolerance)
{
    return movementManager->CanMoveTo(GetPathPosition(), point, tolerance, maxMoveToRatio);
}

void Player::WalkTo(const WorldVec3& point, float speed)
{
    Character::WalkTo(point, speed);
}

float Player::GetDefenseAttributeCap() const
{
    return GameEngine::Get().GetDefenseCap(true);
}

float Player::CapSpeed(float speed, const char* minKey, const char* maxKey,
                       CharAttributeType baseAttribute) const
{
    const float minimum = GetDefenseCapSetting(minKey);
    const float maximum = GetDefenseCapSetting(maxKey);
    if (minimum <= 0.0f || maximum <= 0.0f)
        return speed;
    const float base = bio.GetBaseCharAttribute(baseAttribute);
    return Clamp(speed, minimum * 0.01f * base, maximum * 0.01f * base);
}

float Player::CapRunSpeed(float speed) const
{
    return CapSpeed(speed, "playerRunSpeedCapMin", "playerRunSpeedCapMax", CharAttribute_RunSpeed);
}

float Player::CapSpellCastSpeed(float speed) const
{
    return CapSpeed(speed, "playerSpellCastSpeedCapMin", "playerSpellCastSpeedCapMax",
                    CharAttribute_SpellCastSpeed);
}

float Player::CapAttackSpeed(float speed) const
{
    return CapSpeed(speed, "playerAttackSpeedCapMin", "playerAttackSpeedCapMax",
                    CharAttribute_AttackSpeed);
}

void Player::ContributeGameBalanceCharAttributes(CharAttributeAccumulator& accumulator) const
{
    const GameEngine& game = GameEngine::Get();
    game.GetPlayerAttributePak().GetCharAttributes(
        accumulator, static_cast<uint32_t>(game.GetBalanceDifficulty()));
}

void Player::ContributeGameBalanceDefenseAttributes(CombatAttributeAccumulator& accumulator) const
{
    const GameEngine& game = GameEngine::Get();
    game.GetPlayerAttributePak().GetDefenseAttributes(
        accumulator, static_cast<uint32_t>(game.GetBalanceDifficulty()));
}

void Player::ContributeGameBalanceRetaliationAttributes(
    CombatAttributeAccumulator& accumulator) const
{
    const GameEngine& game = GameEngine::Get();
    game.GetPlayerAttributePak().GetRetaliationAttributes(
        accumulator, static_cast<uint32_t>(game.GetBalanceDifficulty()));
}

float Player::CalculateStun(float a, float b, float c, float d)
{
    // A hit against no stun resistance base cannot be measured; it does not stun.
    if (!(b > 0.0f))
        return 0.0f;
    const float k = 1.0f - 0.01f * c;
    const float r = a / b;
    if (r * k * 100.0f > d + 15.0f)
        return (r * 3.0f + 1000.0f) * k;
    return 0.0f;
}

std::string Player::GetPlayerNameInChar() const
{
    std::string narrow;
    narrow.reserve(playerName.size());
    for (wchar_t c : playerName)
        narrow.push_back(static_cast<char>(c));
    return narrow;
}

void Player::SetPlayerCharacterClass(const std::string& text)
{
    playerClass = EnumConverter::GetStringAsEnum<PlayerCharacterClassType>(text);
}

GameDifficulty Player::GetGreatestDifficultyCompleted() const
{
    return greatestDifficultyCompleted == kNoDifficulty ? GameDifficulty_Normal
                                                        : greatestDifficultyCompleted;
}

uint32_t Player::GetPrimarySkillId() const
{
    return hotSlotCtrl->GetPrimarySkillId();
}

void Player::SetPrimarySkillId(uint32_t id)
{
    hotSlotCtrl->SetPrimarySkillId(id);
}

uint32_t Player::GetSecondarySkillId() const
{
    return hotSlotCtrl->GetSecondarySkillId();
}

void Player::SetSecondarySkillId(uint32_t id)
{
    hotSlotCtrl->SetSecondarySkillId(id);
}

uint32_t Player::GetPartyId() const
{
    const PartyManager* parties = GameEngine::Get().GetPartyManager();
    return parties != nullptr ? parties->GetParty(GetObjectId()) : 0;
}

void Player::ClearTarget()
{
    if (ControllerPlayer* controller = GetControllerPlayer())
        controller->ClearTarget();
}

void Player::SetAlternateConfig(bool value)
{
    alternateConfig = value;
    if (ControllerPlayer* controller = GetControllerPlayer()) {
        GameEngine::Get().UnlockTutorialPage(17, true);
        controller->SetAlternateEquipment(value);
    }
}

void Player::ContactWithObject(uint32_t id)
{
    const auto* other = ObjectManager::Instance().GetObject<Character>(id);
    if (other == nullptr)
        return;
    playStats.IncrementKills(other->GetExperienceReward(), other->GetPlayStats().GetHitsReceived());
}

void Player::RemoveLight()
{
    if (Light* light = ObjectManager::Instance().GetObject<Light>(lightId)) {
        if (Entity* parent = light->GetAttachParent())
            parent->Detach(light);
    }
    DestroyPlayerObject(lightId, __LINE__);
    lightId = 0;
}

float Player::GetUnarmedAnimSpeed() const
{
    if (currentAnimationSet == nullptr)
        return 1.0f;
    return currentAnimationSet->GetAnimSpeed(static_cast<AnimationSet_Type>(16));
}

std::wstring Player::GetGameDescription(bool /*flag*/) const
{
    char level[16];
    std::snprintf(level, sizeof(level), "%d", static_cast<int>(GetCharLevel()));
    return playerName + L" - " + GetClassNameA() + L" (" +
           std::wstring(level, level + std::strlen(level)) + L")";
}

std::wstring Player::GetMenuDescription() const
{
    const LocalizationManager& text = LocalizationManager::Instance();
    return text.Format("MenuName") + playerName + L"^n" + text.Format("MenuLevel", GetCharLevel());
}

bool Player::IsInventorySpaceAvailable(const Item* item) const
{
    // Placement in the sacks comes with the items work; any sack takes the item until then.
    ControllerPlayer* controller = GetControllerPlayer();
    return item != nullptr && controller != nullptr &&
           controller->GetInventoryCtrl().GetNumberOfSacks() > 0;
}

void Player::DumpExperienceLevels() const
{
    const_cast<ExperienceLevelControl&>(experienceLevelControl).DumpExperienceLevels();
}

WorldCoords Player::GetNearSpawnCoords() const
{
    static const std::vector<float> kSpacings(5, 2.0f);
    std::vector<WorldVec3> points;
    PathFinder::Instance().FillPointSet(static_cast<int32_t>(GetSize()), GetCoords().GetPosition(),
                                        kSpacings, points);
    // The first point lies too close to the player to leave it room.
    for (size_t i = 1; i < points.size() && i < 5; ++i) {
        if (movementManager->CanMoveTo(movementManager->GetPathPosition(), points[i], 0.5f,
                                       maxMoveToRatio)) {
            WorldCoords coords = GetCoords();
            coords.SetPosition(points[i]);
            return coords;
        }
    }
    return GetCoords();
}

} // namespace GAME
