#include "items/WeaponEnchantment.h"

#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "engine/SoundPak.h"
#include "engine/WorldCoords.h"
#include "items/Item.h"
#include "world/ProjectileBase.h"

namespace GAME {

namespace {

constexpr const char* kWeaponEnchantmentSource = "Project\\Game\\WeaponEnchantment";

uint32_t LoadSound(const LoadTable& table, const char* key)
{
    const std::string name = table.GetString(key, "");
    if (name.empty())
        return 0;
    SoundPak* sound = ObjectManager::Instance().CreateObjectFromFile<SoundPak>(name);
    return sound != nullptr ? sound->GetObjectId() : 0;
}

void DestroyEnchantmentSound(uint32_t& id, int line)
{
    ObjectManager& objects = ObjectManager::Instance();
    if (Object* sound = objects.GetObject(id))
        objects.DestroyObjectEx(sound, kWeaponEnchantmentSource, line);
    id = 0;
}

void PlaySound(uint32_t id, const WorldCoords& position)
{
    if (SoundPak* sound = ObjectManager::Instance().GetObject<SoundPak>(id))
        sound->Play(position, false, true);
}

} // namespace

uint32_t LoadProjectile(std::string& name)
{
    ProjectileBase* projectile =
        name.empty() ? nullptr
                     : ObjectManager::Instance().CreateObjectFromFile<ProjectileBase>(name);
    if (projectile == nullptr)
        name.clear();
    return projectile != nullptr ? projectile->GetObjectId() : 0;
}

void DestroyProjectile(uint32_t& id, const char* sourceFile, int line)
{
    ObjectManager& objects = ObjectManager::Instance();
    if (ProjectileBase* projectile = objects.GetObject<ProjectileBase>(id))
        objects.DestroyObjectEx(projectile, sourceFile, line);
    id = 0;
}

void PreLoadProjectile(uint32_t id, bool flag)
{
    if (ProjectileBase* projectile = ObjectManager::Instance().GetObject<ProjectileBase>(id))
        projectile->PreLoad(flag);
}

WeaponEnchantment::~WeaponEnchantment()
{
    DestroyEnchantmentSound(swipeSound, 37);
    DestroyEnchantmentSound(hitSound, 38);
    DestroyProjectile(projectileId, kWeaponEnchantmentSource, 39);
}

bool WeaponEnchantment::Load(const std::string& name, Kind weaponKind)
{
    ObjectManager& objects = ObjectManager::Instance();
    if (weaponKind == None || name.empty() || !objects.LoadTableFile(name))
        return false;
    const LoadTable& table = objects.GetLoadTable(name);
    recordName = name;
    kind = weaponKind;
    trailName = table.GetString("weaponTrail", "");
    effectName = table.GetString("weaponEffect", "");
    activeEffectName = table.GetString("weaponActiveEffect", "");
    useWeaponTint = table.GetInt("useWeaponTint", 0) != 0;
    const char* tintKeys[4] = {"weaponTintRed", "weaponTintGreen", "weaponTintBlue",
                               "weaponTintAlpha"};
    for (int i = 0; i < 4 && useWeaponTint; ++i)
        tint[i] = table.GetFloat(tintKeys[i], 255.0f) * 0.003921569f;
    const char* keys[3][2] = {{"meleeSwipeSound", "meleeHitSound"},
                              {"bowSwipeSound", "bowHitSound"},
                              {"staffSwipeSound", "staffHitSound"}};
    swipeSound = LoadSound(table, keys[kind - 1][0]);
    hitSound = LoadSound(table, keys[kind - 1][1]);
    if (kind == Bow) {
        projectileName = table.GetString("projectileName", "");
        projectileId = LoadProjectile(projectileName);
    }
    return true;
}

void WeaponEnchantment::PreLoad(bool flag) const
{
    Item::PreLoadSoundPak(swipeSound, flag);
    Item::PreLoadSoundPak(hitSound, flag);
    PreLoadProjectile(projectileId, flag);
}

void WeaponEnchantment::PlaySwipeSound(const WorldCoords& position) const
{
    PlaySound(swipeSound, position);
}

void WeaponEnchantment::PlayHitSound(const WorldCoords& position) const
{
    PlaySound(hitSound, position);
}

} // namespace GAME
