#include "items/Weapon.h"

#include "characters/Character.h"

#include <algorithm>

#include "engine/Color.h"
#include "engine/Coords.h"
#include "engine/EffectEntity.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "engine/WeaponTrail.h"
#include "engine/WorldCoords.h"
#include "engine/WorldVec3.h"

namespace GAME {

namespace {

constexpr const char* kWeaponSource = "Project\\Game\\Weapon";

uint32_t AttachEffect(Entity& weapon, const std::string& name, bool emitting)
{
    if (name.empty())
        return 0;
    auto* effect = ObjectManager::Instance().CreateObjectFromFile<EffectEntity>(name);
    if (effect == nullptr)
        return 0;
    weapon.Attach(effect, Coords::Identity(), "");
    if (emitting)
        effect->StartEmitting();
    else
        effect->StopEmitting();
    return effect->GetObjectId();
}

// Particles already flying finish where the weapon was, unless there is no world to take them.
// A held weapon has no place of its own in the world; it is where its wearer stands.
void ReleaseEffect(Entity& weapon, uint32_t& id, const Character* wearer, int line)
{
    ObjectManager& objects = ObjectManager::Instance();
    auto* effect = objects.GetObject<EffectEntity>(id);
    id = 0;
    if (effect == nullptr)
        return;
    weapon.Detach(effect);
    effect->StopEmitting();
    const bool inWorld = wearer != nullptr && wearer->IsInWorld();
    if (!inWorld || !effect->AddToWorld(wearer->GetCoords(), false))
        objects.DestroyObjectEx(effect, kWeaponSource, line);
}

void SetEmitting(uint32_t id, bool emitting)
{
    if (auto* effect = ObjectManager::Instance().GetObject<EffectEntity>(id)) {
        if (emitting)
            effect->StartEmitting();
        else
            effect->StopEmitting();
    }
}

} // namespace

GAME_IMPLEMENT_CLASS(Weapon, ItemEquipment);

Weapon::Weapon()
{
    SetOutlineColor(Color(1.0f, 1.0f, 0.0f, 0.3f));
    costEquationKey = "weaponCostEquation";
    familyStrengthReduction = CharAttribute_WeaponStrengthReqReduction;
    familyDexterityReduction = CharAttribute_WeaponDexterityReqReduction;
    familyIntelligenceReduction = CharAttribute_WeaponIntelligenceReqReduction;
}

Weapon::~Weapon()
{
    DestroySoundPak(swipeSound, kWeaponSource, 59);
    DestroySoundPak(hitSound, kWeaponSource, 60);
    DestroyProjectile(basicProjectileId, kWeaponSource, 61);
    ObjectManager& objects = ObjectManager::Instance();
    if (WeaponTrail* trail = objects.GetObject<WeaponTrail>(trailId))
        objects.DestroyObjectEx(trail, kWeaponSource, 138);
    ReleaseEffect(*this, effectId, nullptr, 458);
    ReleaseEffect(*this, activeEffectId, nullptr, 477);
}

void Weapon::PreLoad(bool flag)
{
    ItemEquipment::PreLoad(flag);
    PreLoadSoundPak(swipeSound, flag);
    PreLoadSoundPak(hitSound, flag);
    if (enchantment != nullptr)
        enchantment->PreLoad(flag);
    PreLoadProjectile(basicProjectileId, flag);
}

void Weapon::Load(const LoadTable& table)
{
    ItemEquipment::Load(table);
    // Loading again replaces the packs rather than leaking them.
    DestroySoundPak(hitSound, kWeaponSource, __LINE__);
    hitSound = LoadSoundPakFromTable(table, "hitSound");
    DestroySoundPak(swipeSound, kWeaponSource, __LINE__);
    swipeSound = LoadSoundPakFromTable(table, "swipeSound");
    recordTrailName = table.GetString("weaponTrail", "");
    DestroyProjectile(basicProjectileId, kWeaponSource, 61);
    basicProjectileName = table.GetString("basicProjectileName", "");
    basicProjectileId = LoadProjectile(basicProjectileName);
    piercingChance = table.GetFloat("piercingProjectile", 0.0f);
}

std::wstring Weapon::GetGameDescription(bool /*flag*/) const
{
    return GetGameDescriptionFrom("RandomMagicalWeaponFormat", "CommonWeaponFormat");
}

void Weapon::GetUIGameDescription(std::vector<GameTextLine>& lines) const
{
    AddNameLine("RandomMagicalWeaponFormat", "CommonWeaponFormat", lines);
}

void Weapon::CreateUIAttributeText(std::vector<GameTextLine>& lines) const
{
    StoreText text;
    CreateStoreText(text);
    AddLines(text.damage[0], GameTextClass::ItemBaseStats, lines);
    AddLines(text.character[0], GameTextClass::ItemBaseStats, lines);
    AddSeparator(lines);
    for (const auto* list : {&text.damage[1], &text.damage[2], &text.defense[0], &text.defense[1],
                             &text.retaliation[0], &text.retaliation[1], &text.retaliation[2],
                             &text.character[1], &text.skill})
        AddLines(*list, GameTextClass::ItemBonuses, lines);
    RemoveTrailingSeparator(lines);
}

void Weapon::EnableWeaponTrail()
{
    trailEnabled = true;
    if (WeaponTrail* trail = ObjectManager::Instance().GetObject<WeaponTrail>(trailId))
        trail->Start();
    SetEmitting(activeEffectId, true);
}

void Weapon::DisableWeaponTrail()
{
    trailEnabled = false;
    if (WeaponTrail* trail = ObjectManager::Instance().GetObject<WeaponTrail>(trailId))
        trail->Stop();
    SetEmitting(activeEffectId, false);
}

void Weapon::SwitchWeaponTrail(const char* name)
{
    ObjectManager& objects = ObjectManager::Instance();
    if (WeaponTrail* old = objects.GetObject<WeaponTrail>(trailId)) {
        Detach(old);
        objects.DestroyObjectEx(old, kWeaponSource, 138);
    }
    trailId = 0;
    trailName = name != nullptr ? name : "";
    if (trailName.empty())
        return;
    WeaponTrail* trail = objects.CreateObjectFromFile<WeaponTrail>(trailName);
    if (trail == nullptr)
        return;
    trail->SetBBox(GetRegionBoundingBox());
    Attach(trail, Coords::Identity(), "");
    trailId = trail->GetObjectId();
}

void Weapon::SetWeaponEnchantment(Character& character, const std::string& name)
{
    ClearWeaponEnchantment(&character);
    if (name.empty())
        return;
    auto made = std::make_unique<WeaponEnchantment>();
    if (!made->Load(name, enchantmentKind))
        return;
    enchantment = std::move(made);
    if (enchantment->UsesWeaponTint()) {
        const float* tint = enchantment->GetTint();
        Color color;
        color.red = tint[0];
        color.green = tint[1];
        color.blue = tint[2];
        color.alpha = tint[3];
        SetTintColor(color);
    }
    if (!enchantment->GetTrailName().empty())
        SwitchWeaponTrail(enchantment->GetTrailName().c_str());
    effectId = AttachEffect(*this, enchantment->GetEffectName(), true);
    activeEffectId = AttachEffect(*this, enchantment->GetActiveEffectName(), false);
}

void Weapon::ClearWeaponEnchantment(const Character* wearer)
{
    if (enchantment == nullptr)
        return;
    enchantment.reset();
    SetTintColor(Color());
    SwitchWeaponTrail(recordTrailName.c_str());
    ReleaseEffect(*this, effectId, wearer, 458);
    ReleaseEffect(*this, activeEffectId, wearer, 477);
}

void Weapon::AttachItem(Character& character, const char* attachPoint)
{
    const float base = GetBaseScale();
    float scale = base * character.GetWeaponScale();
    if (!(scale > 0.0f))
        scale = std::max(scale, base);
    SetScale(scale > 0.0f ? scale : 1.0f);
    ItemEquipment::AttachItem(character, attachPoint);
    SwitchWeaponTrail(recordTrailName.c_str());
}

void Weapon::DetachItem(Character& character)
{
    const float base = GetBaseScale();
    SetScale(base > 0.0f ? base : 1.0f);
    ClearWeaponEnchantment(&character);
    // A weapon off a character carries no trail.
    SwitchWeaponTrail("");
    ItemEquipment::DetachItem(character);
}

const std::string& Weapon::GetProjectileName() const
{
    if (enchantment != nullptr && !enchantment->GetProjectileName().empty())
        return enchantment->GetProjectileName();
    return basicProjectileName;
}

void Weapon::PlaySwipeSound(const WorldVec3& position) const
{
    if (enchantment != nullptr)
        enchantment->PlaySwipeSound(WorldCoords(position));
    PlaySoundPak(swipeSound, WorldCoords(position));
}

void Weapon::PlayHitSound(const WorldVec3& position) const
{
    if (enchantment != nullptr)
        enchantment->PlayHitSound(WorldCoords(position));
    PlaySoundPak(hitSound, WorldCoords(position));
}

} // namespace GAME
