#include "skills/Skill_DropProjectileTelekinesis.h"

#include "characters/Character.h"
#include "core/RTTI_ClassInfo.h"
#include "engine/Engine.h"
#include "engine/LoadTable.h"
#include "engine/Platform.h"
#include "engine/World.h"
#include "game/GameEngine.h"
#include "skills/SkillWorldQueries.h"
#include "world/GameCamera.h"
#include "world/OrmenosDropZone.h"
#include "world/ProjectileTelekinesis.h"

#include <cstdlib>

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_DropProjectileTelekinesis, Skill_AttackProjectileAreaEffect);

namespace {

constexpr float kDropZoneRange = 20.0f;
constexpr float kIdleExplodeRange = 30.0f;

// The local C generator: only the controlling machine draws, and it sends the result. Its
// range is cut to 15 bits: scaled by 1/32767, a wider rand would land far outside the band.
float RandomBetween(float low, float high)
{
    const auto draw = static_cast<float>(Platform::Rand() % 32768);
    return low + (high - low) * (draw * (1.0f / 32767.0f));
}

} // namespace

Skill_DropProjectileTelekinesis::~Skill_DropProjectileTelekinesis() = default;

void Skill_DropProjectileTelekinesis::Load(const LoadTable& table)
{
    Skill_AttackProjectileAreaEffect::Load(table);
    dropOffset = table.GetFloat("dropOffset", 10.0f);
    dropHeight = table.GetFloat("dropHeight", 14.0f);
    dropHeightDeviation = table.GetFloat("dropHeightDeviation", 20.0f);
    numProjectiles = table.GetInt("numProjectiles", 3);
    projectileNames.clear();
    for (size_t index = 0; index < kMaxProjectileNames; ++index) {
        std::string name = table.GetStringAt("skillProjectileName", index);
        if (!name.empty())
            projectileNames.push_back(std::move(name));
    }
}

std::string Skill_DropProjectileTelekinesis::GetSpecialProjectileName(uint32_t projectileId) const
{
    if (!projectileNames.empty()) {
        const std::string& name = projectileNames[projectileId % projectileNames.size()];
        if (!name.empty())
            return name;
    }
    return GetProjectileName();
}

WorldCoords Skill_DropProjectileTelekinesis::GetLaunchPoint(Character& owner,
                                                            const Name& /*callback*/)
{
    WorldCoords centre = owner.GetCoords();
    float halfWidth = dropOffset;
    const std::vector<OrmenosDropZone*> zones =
        NearbyOfKind<OrmenosDropZone>(owner, kDropZoneRange);
    if (!zones.empty()) {
        const OrmenosDropZone* zone = zones[static_cast<size_t>(Platform::Rand()) % zones.size()];
        centre = zone->GetCoords();
        halfWidth = zone->GetRadius();
    }
    const float x = RandomBetween(-halfWidth, halfWidth);
    const float y = RandomBetween(dropHeight, dropHeight + dropHeightDeviation);
    const float z = RandomBetween(-halfWidth, halfWidth);
    WorldVec3 position = centre.GetPosition();
    position.Translate(Vec3(x, y, z));
    centre.SetPosition(position);
    return centre;
}

bool Skill_DropProjectileTelekinesis::DoSpecialProjectileGo(Character& owner,
                                                            ProjectileBase* projectile)
{
    for (ProjectileTelekinesis* idle :
         NearbyOfKind<ProjectileTelekinesis>(owner, kIdleExplodeRange)) {
        if (idle->IsIdle())
            idle->Explode(false);
    }
    auto* telekinesis = DynamicCast<ProjectileTelekinesis>(projectile);
    if (telekinesis == nullptr)
        return false;
    GameEngine::Get().GetCamera().Shake(2000, 2.0f);
    telekinesis->ProjectileFall();
    return true;
}

} // namespace GAME
