#pragma once

#include <cstdint>
#include <string>

namespace GAME {

class WorldCoords;

// The projectile a record makes, by object id, kept while its name is; 0, with the name
// cleared, for an empty name or a record of another class, so nothing fires what cannot fly.
uint32_t LoadProjectile(std::string& name);
void DestroyProjectile(uint32_t& id, const char* sourceFile, int line);
void PreLoadProjectile(uint32_t id, bool flag);

// What a character's current enchantment lays onto one weapon: its trail, tint, effects,
// sounds and projectile. Which sounds it reads depends on the weapon's kind.
class WeaponEnchantment {
public:
    // The sound set a weapon takes: none (shields), melee, bow or staff.
    enum Kind : int32_t { None = 0, Melee = 1, Bow = 2, Staff = 3 };

    WeaponEnchantment() = default;
    WeaponEnchantment(const WeaponEnchantment&) = delete;
    WeaponEnchantment& operator=(const WeaponEnchantment&) = delete;
    ~WeaponEnchantment();

    // False, with nothing loaded, for kind none or a name that loads no record.
    bool Load(const std::string& recordName, Kind kind);

    void PlaySwipeSound(const WorldCoords& position) const;
    void PlayHitSound(const WorldCoords& position) const;
    // Its sounds and its projectile.
    void PreLoad(bool flag) const;
    const std::string& GetProjectileName() const { return projectileName; }
    const std::string& GetTrailName() const { return trailName; }
    const std::string& GetEffectName() const { return effectName; }
    const std::string& GetActiveEffectName() const { return activeEffectName; }
    bool UsesWeaponTint() const { return useWeaponTint; }
    const float* GetTint() const { return tint; }

private:
    std::string recordName;
    Kind kind = None;
    std::string trailName;
    std::string effectName;
    std::string activeEffectName;
    bool useWeaponTint = false;
    float tint[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    uint32_t swipeSound = 0;
    uint32_t hitSound = 0;
    std::string projectileName;
    uint32_t projectileId = 0;
};

} // namespace GAME
