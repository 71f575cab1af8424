#include "world/ProjectileBase.h"

#include "core/Helpers.h"
#include "engine/Engine.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "engine/SoundPak.h"
#include "engine/World.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(ProjectileBase, Actor);

namespace {

constexpr const char* kSourceFile = "Project/Game/ProjectileBase";

SoundPak* LoadSound(const LoadTable& table, const char* key)
{
    const std::string name = table.GetString(key, "");
    return name.empty() ? nullptr : ObjectManager::Instance().CreateObjectFromFile<SoundPak>(name);
}

// Seconds in the record, whole milliseconds here (truncated toward zero).
int32_t LoadMilliseconds(const LoadTable& table, const char* key)
{
    return static_cast<int32_t>(table.GetFloat(key, 0.0f) * 1000.0f);
}

} // namespace

ProjectileBase::ProjectileBase() = default;

ProjectileBase::~ProjectileBase()
{
    DestroySounds();
}

void ProjectileBase::DestroySounds()
{
    for (SoundPak** sound :
         {&hitSound, &explodingHitSound, &swipeSound, &bounceSound, &destructSound}) {
        ObjectManager::Instance().DestroyObjectEx(*sound, kSourceFile, __LINE__);
        *sound = nullptr;
    }
}

void ProjectileBase::Load(const LoadTable& table)
{
    Actor::Load(table);
    velocity = table.GetFloat("projectileVelocity", 0.0f);
    distance = table.GetFloat("projectileDistance", 0.0f);
    hitTimeToLive = LoadMilliseconds(table, "projectileHitTimeToLive");
    missTimeToLive = LoadMilliseconds(table, "projectileMissTimeToLive");
    // A second load must not strand the first load's sounds.
    DestroySounds();
    hitSound = LoadSound(table, "projectileHitSound");
    explodingHitSound = LoadSound(table, "projectileExplodingHitSound");
    swipeSound = LoadSound(table, "projectileSwipeSound");
    bounceSound = LoadSound(table, "projectileBounceSound");
    destructSound = LoadSound(table, "projectileDestructSound");
    launchAngle = table.GetFloat("launchAngle", 0.0f);
    notificationRadius = table.GetFloat("notificationRadius", 5.0f);
    weaponTrailName = table.GetString("projectileWeaponTrail", "");
}

void ProjectileBase::PreLoad(bool flag)
{
    Actor::PreLoad(flag);
    for (SoundPak* sound : {hitSound, explodingHitSound, swipeSound, bounceSound, destructSound}) {
        if (sound != nullptr)
            sound->PreLoad(flag);
    }
}

float ProjectileBase::GetLaunchAngle() const
{
    return Clamp(launchAngle, 10.0f, 80.0f);
}

void ProjectileBase::ProjectileGo()
{
    lastPosition = info.launchCoords.GetPosition();
}

void ProjectileBase::PlaySwipeSound(const WorldVec3& position)
{
    if (swipeSound == nullptr)
        return;
    swipeSound->Play(WorldCoords(position), false, true);
    swipeSound->Track(GetObjectId());
}

void ProjectileBase::DeleteProjectile()
{
    if (deleted)
        return;
    deleted = true;
    if (World* world = gEngine != nullptr ? gEngine->GetWorld() : nullptr)
        world->RemoveEntity(this);
    ObjectManager::Instance().DestroyObjectEx(this, kSourceFile, __LINE__);
}

void ProjectileBase::LoadInfo(const ProjectileInfo& newInfo, uint32_t seed)
{
    info = newInfo;
    randomGen.Seed(seed);
}

void ProjectileBase::AddProjectileModifier(const ProjectileModifierStruct& modifier)
{
    modifierCopies.push_back(modifier);
    modifiers.push_back(std::make_unique<ModifierRecord>(ModifierRecord{modifier, {}}));
    ModifierRecord* record = modifiers.back().get();

    const bool explodes = modifier.explosionRadius > 0.0f;
    if (!modifier.fragmentsName.empty()) {
        fragmentList.push_back(record);
        // Another skill's fragments only fragment: its explosion and path checks belong to
        // whichever projectile that skill launched itself.
        if (modifier.ownerSkillId != info.skillId)
            return;
    }
    if (explodes)
        explosionList.push_back(record);
    pathList.push_back(record);
}

float ProjectileBase::GetPiercingModifier(uint32_t skillId) const
{
    float total = 0.0f;
    for (const ProjectileModifierStruct& modifier : modifierCopies) {
        if (modifier.ownerSkillId == skillId)
            total += modifier.piercingChance;
    }
    return total;
}

} // namespace GAME
