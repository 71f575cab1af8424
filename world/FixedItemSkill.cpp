#include "world/FixedItemSkill.h"

#include "ai/ControllerMonster.h"
#include "characters/Character.h"
#include "characters/Monster.h"
#include "core/Saturate.h"
#include "engine/Engine.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "game/GameEngine.h"
#include "items/Item.h"
#include "skills/SkillBuffTransfer.h"
#include "world/FixedItem.h"
#include "world/FxPak.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(FixedItemSkill, Object);
GAME_IMPLEMENT_CLASS(FixedItemSkill_Buff, FixedItemSkill);
GAME_IMPLEMENT_CLASS(FixedItemSkill_SpawnMonster, FixedItemSkill);

namespace {
constexpr const char* kFixedItemSkillSource = "Project/Game/FixedItemSkill";

int32_t ToMs(float seconds)
{
    return SaturateToInt(static_cast<double>(seconds) * 1000.0);
}
} // namespace

FixedItemSkill::~FixedItemSkill()
{
    Item::DestroySoundPak(warningSoundId, kFixedItemSkillSource, __LINE__);
    Item::DestroySoundPak(activateSoundId, kFixedItemSkillSource, __LINE__);
}

void FixedItemSkill::Load(const LoadTable& table)
{
    Object::Load(table);
    Item::DestroySoundPak(warningSoundId, kFixedItemSkillSource, __LINE__);
    Item::DestroySoundPak(activateSoundId, kFixedItemSkillSource, __LINE__);
    warningSoundId = Item::LoadSoundPakFromTable(table, "skillWarningSound");
    activateSoundId = Item::LoadSoundPakFromTable(table, "skillActivateSound");
    warningEffect = table.GetString("skillWarningFxPak", "");
    activateEffect = table.GetString("skillActivateFxPak", "");
}

void FixedItemSkill::PreLoad(bool flag)
{
    Item::PreLoadSoundPak(warningSoundId, flag);
    Item::PreLoadSoundPak(activateSoundId, flag);
}

void FixedItemSkill::PlayFx(const std::string& effect, uint32_t soundId)
{
    if (parent == nullptr)
        return;
    WorldCoords coords = parent->GetCoords();
    coords.ClearRotation();
    PlaceFxPak(effect, coords);
    Item::PlaySoundPak(soundId, coords);
}

void FixedItemSkill::PlayWarningFx()
{
    PlayFx(warningEffect, warningSoundId);
}

void FixedItemSkill::PlayActiveFx()
{
    PlayFx(activateEffect, activateSoundId);
}

FixedItemSkill_Buff::~FixedItemSkill_Buff() = default;

void FixedItemSkill_Buff::Load(const LoadTable& table)
{
    FixedItemSkill::Load(table);
    buffSkillName = table.GetString("buffSkillName", "");
    targetRadius = table.GetFloat("targetRadius", 0.0f);
    activeDuration = ToMs(table.GetFloat("skillActiveDuration", 0.0f));
    if (activeDuration == 0)
        activeDuration = kDefaultDuration;
}

void FixedItemSkill_Buff::GetTargets(uint32_t user, std::vector<uint32_t>& out)
{
    if (!(targetRadius > 0.0f)) {
        out.push_back(user);
        return;
    }
    const auto* character = ObjectManager::Instance().GetObject<Character>(user);
    if (character == nullptr || GetParent() == nullptr || gGameEngine == nullptr)
        return;
    gGameEngine->GetTargetsInRadius(character->GetTeam(), GetParent()->GetCoords().GetPosition(),
                                    targetRadius, out, 0, true);
}

void FixedItemSkill_Buff::ProcessTargetResults(uint32_t user, const std::vector<uint32_t>& targets)
{
    FixedItemSkill::ProcessTargetResults(user, targets);
    SkillBuffTransfer transfer;
    transfer.buffName = buffSkillName;
    transfer.buffLevel = 1;
    transfer.timeToLive = activeDuration;
    transfer.casterId = GetParent() != nullptr ? GetParent()->GetObjectId() : 0;
    for (uint32_t id : targets) {
        if (Character* character = ObjectManager::Instance().GetObject<Character>(id))
            character->ControllerAddSkillBuff(transfer, {}, false);
    }
}

FixedItemSkill_SpawnMonster::~FixedItemSkill_SpawnMonster() = default;

void FixedItemSkill_SpawnMonster::Load(const LoadTable& table)
{
    FixedItemSkill::Load(table);
    monsterName = table.GetString("monsterName", "");
    timeToLive = ToMs(table.GetFloat("timeToLive", 0.0f));
}

void FixedItemSkill_SpawnMonster::GetTargets(uint32_t /*user*/, std::vector<uint32_t>& out)
{
    if (!monsterName.empty())
        out.push_back(ObjectManager::Instance().CreateObjectID());
}

void FixedItemSkill_SpawnMonster::ProcessTargetResults(uint32_t user,
                                                       const std::vector<uint32_t>& targets)
{
    FixedItemSkill::ProcessTargetResults(user, targets);
    ObjectManager& objects = ObjectManager::Instance();
    // One trap makes one monster; a peer's longer list or an id already taken is not ours.
    if (targets.size() > 1) {
        gEngine->Log(Engine::LogRuntime, "Spawn trap %s: %zu ids received; none made",
                     GetObjectName().c_str(), targets.size());
        return;
    }
    for (uint32_t id : targets) {
        if (id == 0 || objects.GetObject(id) != nullptr) {
            gEngine->Log(Engine::LogRuntime, "Spawn trap %s: id %u is in use; none made",
                         GetObjectName().c_str(), id);
            return;
        }
        SpawnOne(user, id);
    }
}

void FixedItemSkill_SpawnMonster::SpawnOne(uint32_t user, uint32_t id)
{
    ObjectManager& objects = ObjectManager::Instance();
    auto* monster = objects.CreateObjectFromFile<Monster>(monsterName, id);
    if (monster == nullptr || GetParent() == nullptr)
        return;
    if (timeToLive > 0)
        monster->SetLifetime(timeToLive);
    World* world = gEngine->GetWorld();
    if (world == nullptr || !world->AddEntity(monster, GetParent()->GetCoords(), false)) {
        objects.DestroyObjectEx(monster, kFixedItemSkillSource, __LINE__);
        return;
    }
    if (auto* controller = objects.GetObject<ControllerMonster>(monster->GetControllerId()))
        controller->SetMostHatedEnemy(user);
}

} // namespace GAME
