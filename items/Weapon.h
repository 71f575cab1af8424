#pragma once

#include "items/ItemEquipment.h"
#include "items/WeaponEnchantment.h"
#include "items/Weapon_Type.h"

#include <memory>

#include <string>

namespace GAME {

class WorldCoords;
class WorldVec3;

// The base of every weapon and shield. Each class of the family names its kind, which decides
// the hand it goes in and how its wearer animates.
class Weapon : public ItemEquipment {
    GAME_DECLARE_CLASS(Weapon)

public:
    Weapon();
    ~Weapon() override;

    void Load(const LoadTable& table) override;
    // The item's sounds, the swing and hit sounds, the enchantment's and the basic projectile.
    void PreLoad(bool flag) override;
    std::wstring GetGameDescription(bool flag) const override;
    void GetUIGameDescription(std::vector<GameTextLine>& lines) const override;
    void CreateUIAttributeText(std::vector<GameTextLine>& lines) const override;
    // The wielder's weapon scale sizes the weapon while held.
    void AttachItem(Character& character, const char* attachPoint) override;
    void DetachItem(Character& character) override;

    virtual Weapon_Type GetWeaponType() const { return Weapon_Type_Weapon; }
    // The swing trail runs only around attacks.
    virtual void EnableWeaponTrail();
    virtual void DisableWeaponTrail();
    bool IsWeaponTrailEnabled() const { return trailEnabled; }
    // The trail now shown goes; a non-empty name that makes a weapon trail brings its own,
    // riding on the weapon.
    virtual void SwitchWeaponTrail(const char* name);
    // The trail riding on the weapon; 0 when none.
    uint32_t GetWeaponTrailId() const { return trailId; }
    const std::string& GetWeaponTrailName() const { return trailName; }

    // The swing of the weapon at a place.
    virtual void PlaySwipeSound(const WorldVec3& position) const;
    void PlayHitSound(const WorldVec3& position) const;

    // Lays the character's enchantment onto the weapon; an empty name or a name that loads no
    // record leaves it bare.
    virtual void SetWeaponEnchantment(Character& character, const std::string& name);
    // The enchantment's effects play out in the world when the wearer stands in it; otherwise
    // they go with the enchantment.
    void ClearWeaponEnchantment(const Character* wearer = nullptr);
    const WeaponEnchantment* GetWeaponEnchantment() const { return enchantment.get(); }
    // The enchantment's effects riding on the weapon by object id; 0 when none.
    uint32_t GetWeaponEffectId() const { return effectId; }
    uint32_t GetWeaponActiveEffectId() const { return activeEffectId; }

    // The record of what a ranged attack with this weapon launches; empty for none. An
    // enchantment's own projectile goes first.
    const std::string& GetProjectileName() const;
    float GetProjectilePiercingChance() const { return piercingChance; }

protected:
    WeaponEnchantment::Kind enchantmentKind = WeaponEnchantment::Melee;

private:
    std::unique_ptr<WeaponEnchantment> enchantment;
    uint32_t effectId = 0;       // emits while the enchantment lasts
    uint32_t activeEffectId = 0; // emits only while the trail runs
    uint32_t trailId = 0;
    std::string trailName;       // the trail now shown
    std::string recordTrailName; // "weaponTrail"
    // sound packs by object id; 0 = none
    uint32_t swipeSound = 0;
    uint32_t hitSound = 0;
    std::string basicProjectileName;
    uint32_t basicProjectileId = 0;
    float piercingChance = 0.0f;
    bool trailEnabled = false;
};

} // namespace GAME
