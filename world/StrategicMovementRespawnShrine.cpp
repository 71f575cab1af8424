#include "world/StrategicMovementRespawnShrine.h"

#include "characters/Bonus.h"
#include "characters/Player.h"
#include "core/Saturate.h"
#include "core/WorldHelpers.h"
#include "engine/Engine.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"

#include <memory>

namespace GAME {

GAME_IMPLEMENT_CLASS(StrategicMovementRespawnShrine, StrategicMovementBase);

namespace {
// The respawn shrines' detail-map entries.
constexpr uint32_t kNuggetType = 4;
} // namespace

StrategicMovementRespawnShrine::~StrategicMovementRespawnShrine() = default;

void StrategicMovementRespawnShrine::Load(const LoadTable& table)
{
    StrategicMovementBase::Load(table);
    healthAbsolute = table.GetFloat("healthAbsolute", 0.0f);
    healthPercent = table.GetFloat("healthPercent", 0.0f);
}

void StrategicMovementRespawnShrine::UpdateSelf(int32_t elapsedMs)
{
    StrategicMovementBase::UpdateSelf(elapsedMs);
    Update(GetElapsed());
}

void StrategicMovementRespawnShrine::Update(int32_t elapsedMs)
{
    if (gEngine->IsLevelEditor() || gEngine->IsNetworkClient())
        return;
    healTimeLeft = AddSaturating(healTimeLeft, -elapsedMs);
    if (healTimeLeft >= 1)
        return;
    healTimeLeft = kHealInterval;
    if (healthPercent <= 0.0f && healthAbsolute <= 0.0f)
        return;
    std::vector<Character*> characters;
    GetEntitiesInSphereOfType(characters, GetCoords().GetPosition(), GetBindDistance());
    if (characters.empty())
        return;
    std::vector<uint32_t> ids;
    for (const Character* character : characters)
        ids.push_back(character->GetObjectId());
    Enqueue(std::make_unique<StrategicMovementTargetConfigCmd>(GetObjectId(), std::move(ids)));
}

void StrategicMovementRespawnShrine::HandleTargets(const std::vector<uint32_t>& targets)
{
    lastHealed.clear();
    ++healCount;
    for (const uint32_t id : targets) {
        Character* character = ObjectManager::Instance().GetObject<Character>(id);
        if (character == nullptr)
            continue;
        Bonus bonus;
        bonus.lifePoints = healthAbsolute;
        bonus.lifePercent = healthPercent;
        bonus.effectName = kHealEffect;
        character->TakeBonus(bonus, true, PlayStatsLife_Unknown);
        lastHealed.push_back(id);
    }
}

void StrategicMovementRespawnShrine::RequestToUse(uint32_t user)
{
    Player* player = ObjectManager::Instance().GetObject<Player>(user);
    if (player == nullptr || !player->IsControllingCharacter() ||
        GetState() != StrategicMovementDormant)
        return;
    player->AddRespawnUID(GetUniqueID());
    SetState(StrategicMovementActive, false);
}

// Only the current respawn point is active.
StrategicMovementBaseState StrategicMovementRespawnShrine::DetermineStateFromPlayer()
{
    return StateFromPlayer(&Player::IsCurrentRespawnPoint, GetUniqueID());
}

bool StrategicMovementRespawnShrine::InstallOnPlayerProximity(Player* player)
{
    if (player == nullptr || player->IsRespawnUIDKnown(GetUniqueID()))
        return false;
    player->AddRespawnUID(GetUniqueID());
    return true;
}

void StrategicMovementRespawnShrine::AppendDetailMapData(std::vector<MinimapGameNugget>& list) const
{
    AppendNugget(list, kNuggetType);
}

} // namespace GAME
