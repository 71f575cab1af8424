#pragma once

#include "characters/CharAttributeStore_Skill.h"
#include "characters/CharAttributeStore_SkillPenalty.h"
#include "combat/CombatAttributeType.h"
#include "combat/DamageAttributeStore_Skill.h"
#include "combat/DefenseAttributeStore_Skill.h"
#include "combat/RacialBonus.h"
#include "combat/RetaliationAttributeStore_Skill.h"
#include "engine/Name.h"
#include "items/Weapon_Type.h"
#include "skills/SkillAttributeStore_Skill.h"
#include "skills/SkillProfile_Modifiers.h"
#include "skills/SkillProfile_ProjectileModifiers.h"

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

class LoadTable;
class CharAttributeAccumulator;
class SkillAttributeAccumulator;
class CombatAttributeAccumulator;
enum CharacterBuff : int32_t;

// The designer data of one skill record, loaded once and shared read-only by every skill made
// from that record. Values that change with the skill's level are lists; level L reads entry
// min(L - 1, count - 1), so the last entry serves every higher level. A default-constructed
// profile answers every query with its default and stands in for a skill without a record.
class SkillProfile {
public:
    SkillProfile();
    virtual ~SkillProfile();
    // Each store copies its attributes deeply, so a copy outlives its source.
    SkillProfile(const SkillProfile&) = default;
    SkillProfile& operator=(const SkillProfile&) = default;

    virtual void LoadProfile(const LoadTable& table);

    // Per-level lists are sized by these; a record may not ask for more levels than this.
    static constexpr uint32_t kMaxLevelCount = 255;
    static constexpr uint32_t kMaxProjectiles = 256;

    const std::string& GetDisplayNameTag() const { return displayNameTag; }
    const std::string& GetBaseDescriptionTag() const { return baseDescriptionTag; }
    const std::string& GetUpBitmapName() const { return upBitmapName; }
    const std::string& GetDownBitmapName() const { return downBitmapName; }
    uint32_t GetMaxLevel() const { return maxLevel; }
    uint32_t GetUltimateLevel() const { return ultimateLevel; }
    uint32_t GetMasteryLevelRequirement() const { return masteryLevelRequirement; }
    const std::vector<Weapon_Type>& GetQualifyingWeapons() const { return qualifyingWeapons; }
    bool GetQualifyingDualWeapons() const { return qualifyingDualWeapons; }
    const std::vector<std::string>& GetQualifyingDamageTags() const { return qualifyingDamageTags; }
    const std::vector<std::string>& GetSkillDependancy() const { return skillDependancy; }
    int32_t GetActorScaleTime() const { return actorScaleTime; }
    float GetActorScale() const { return actorScale; }
    const std::string& GetRadiusMagicName() const { return radiusMagicName; }
    const std::string& GetRadiusEffectName() const { return radiusEffectName; }
    const Name& GetSpecialAnimationName() const { return specialAnimationName; }
    const std::string& GetWarmUpSoundName() const { return warmUpSoundName; }
    const std::string& GetSwipeSoundName() const { return swipeSoundName; }
    const std::string& GetHitSoundName() const { return hitSoundName; }
    const std::string& GetActivateSoundName() const { return activatedSoundName; }
    const std::string& GetDeactivateSoundName() const { return deactivatedSoundName; }
    const std::string& GetCastSoundName() const { return castSoundName; }
    const std::string& GetUnCastSoundName() const { return unCastSoundName; }
    const std::string& GetSkillSound1Name() const { return sound1Name; }
    const std::string& GetSkillSound2Name() const { return sound2Name; }
    // A record that names no number still shoots once.
    uint32_t GetNumberOfProjectiles() const
    {
        return numberOfProjectiles != 0 ? numberOfProjectiles : 1;
    }
    bool GetPetDisplayable() const { return petDisplayable; }
    float GetSpawnObjectsSpacingAngle() const { return spawnObjectsSpacingAngle; }
    float GetSpawnObjectsDistanceInnerCircle() const { return spawnObjectsDistanceInnerCircle; }
    float GetSpawnObjectsDistanceIncrement() const { return spawnObjectsDistanceIncrement; }
    bool GetProjectileTargetGroundOnly() const { return projectileTargetGroundOnly; }
    bool ProjectileUsesAllDamages() const { return projectileUsesAllDamages; }
    const std::string& GetActiveAuraName() const { return activatedAuraName; }
    const std::string& GetCastAuraName() const { return castAuraName; }
    const std::string& GetSpellAuraName() const { return spellAuraName; }
    CharacterBuff GetCharBuffFxType() const { return charBuffFxType; }
    const std::string& GetPropName1() const { return propName1; }
    const std::string& GetPropName2() const { return propName2; }
    const std::string& GetPuppetName() const { return puppetName; }
    const std::string& GetParticleEffectName1() const { return particleEffectName1; }
    const std::string& GetParticleEffectName2() const { return particleEffectName2; }
    const std::string& GetParticleEffectName3() const { return particleEffectName3; }
    const std::string& GetParticleEffectAttachPoint1() const { return particleEffectAttachPoint1; }
    const std::string& GetParticleEffectAttachPoint2() const { return particleEffectAttachPoint2; }
    const std::string& GetParticleEffectAttachPoint3() const { return particleEffectAttachPoint3; }
    const std::string& GetWarmUpEffectName() const { return warmUpEffectName; }
    const std::string& GetWarmUpEffectAttachPoint() const { return warmUpEffectAttachPoint; }
    bool AllowsWarmUp() const { return allowsWarmUp; }
    bool GetNotDispelSetting() const { return notDispelable; }
    const std::string& GetBonusEffectName() const { return bonusEffectName; }
    const std::string& GetLightningName() const { return lightningName; }
    const std::string& GetRagDollEffect() const { return ragDollEffect; }
    const std::string& GetRagDollDirection() const { return ragDollDirection; }
    const std::string& GetRagDollPush() const { return ragDollPush; }
    const std::string& GetRagDollElevation() const { return ragDollElevation; }
    const std::vector<std::string>& GetRacialProfile() const { return racialProfile; }
    const RacialBonus& GetRacialBonus() const { return racialBonus; }
    bool IncludeRacialDamage() const { return !excludeRacialDamage; }
    uint32_t GetNumberOfSpawnObjects() const { return static_cast<uint32_t>(spawnObjects.size()); }
    // No qualifier named qualifies every kind.
    bool IsQualifyingDamage(CombatAttributeType type) const;

    const CharAttributeStore_Skill& GetCharAttrStore() const { return charAttributes; }
    const CharAttributeStore_SkillPenalty& GetCharAttrStorePenalty() const
    {
        return charAttributesPenalty;
    }
    const SkillAttributeStore_Skill& GetSkillAttrStore() const { return skillAttributes; }
    const DamageAttributeStore_Skill& GetDamageAttrStore() const { return damageAttributes; }
    const RetaliationAttributeStore_Skill& GetRetaliationAttrStore() const
    {
        return retaliationAttributes;
    }
    const DefenseAttributeStore_Skill& GetDefenseAttrStore() const { return defenseAttributes; }

    // By level; level 0 or an empty list gives the default. Times kept in seconds answer in
    // milliseconds where the name says time (not the aura duration).
    uint32_t GetChanceWeight(uint32_t level) const;
    float GetLifeMonitorPercent(uint32_t level) const;
    float GetRadiusTime(uint32_t level) const;
    float GetActivationChance(uint32_t level) const;
    const std::string& GetProjectileName(uint32_t level) const;
    int32_t GetProjectileHitTimeToLive(uint32_t level) const;
    int32_t GetProjectileMissTimeToLive(uint32_t level) const;
    const std::string& GetSpawnObject(uint32_t level) const;
    int32_t GetSpawnObjectTimeToLive(uint32_t level) const;
    uint32_t GetSpawnObjectsNumberOfRings(uint32_t level) const;
    uint32_t GetPetLimit(uint32_t level) const;
    uint32_t GetPetBurstSpawn(uint32_t level) const;
    const std::string& GetWeaponEnchantment(uint32_t level) const;
    float GetSpellAuraDuration(uint32_t level) const;
    const std::string& GetTargetFxPakName(uint32_t level) const;
    const std::string& GetProjModImpactFxPakName(uint32_t level) const;
    const std::string& GetCharFxOtherName(uint32_t level) const;
    const std::string& GetCharFxSelfName(uint32_t level) const;
    const std::string& GetEndBuffSelfFxPakName(uint32_t level) const;
    const std::string& GetEndBuffOtherFxPakName(uint32_t level) const;
    const std::string& GetChargeAuraName(uint32_t level) const;
    uint32_t GetMaxChargeLevel(uint32_t level) const;
    float GetChargeDuration(uint32_t level) const;
    const SkillProfile_Modifiers& GetSkillModifierData(uint32_t level) const;
    const SkillProfile_ProjectileModifiers& GetSkillProjectileModifierData(uint32_t level) const;
    float GetLifeBonus(uint32_t level) const;
    float GetManaBonus(uint32_t level) const;
    float GetSparkGap(uint32_t level) const;
    float GetSparkChance(uint32_t level) const;
    uint32_t GetSparkMaxNumber(uint32_t level) const;
    float GetRagDollAmplification(uint32_t level) const;
    float GetDamageAbsorption(uint32_t level) const;
    float GetDamageAbsorptionPercent(uint32_t level) const;
    float GetSkillEnhancement(uint32_t level) const;
    int32_t GetContagionInterval(uint32_t level) const;
    float GetContagionRadius(uint32_t level) const;
    int32_t GetContagionLimit(uint32_t level) const;
    int32_t GetContagionMaxSpread(uint32_t level) const;

    void GetCharAttributes(CharAttributeAccumulator& accumulator, uint32_t level) const;
    void GetCharAttributesPenalty(CharAttributeAccumulator& accumulator, uint32_t level) const;
    void GetSkillAttributes(SkillAttributeAccumulator& accumulator, uint32_t level) const;
    void GetOffensiveDamageAttributes(CombatAttributeAccumulator& accumulator,
                                      uint32_t level) const;
    void GetOffensiveModifierAttributes(CombatAttributeAccumulator& accumulator,
                                        uint32_t level) const;
    void GetRetaliationAttributes(CombatAttributeAccumulator& accumulator, uint32_t level) const;
    void GetDefenseAttributes(CombatAttributeAccumulator& accumulator, uint32_t level) const;
    void GetRacialBonusDamage(const std::vector<std::string>& races, RacialBonus_Damage& damage,
                              uint32_t level) const;
    void GetRacialBonusDefense(const std::vector<std::string>& races, RacialBonus_Defense& defense,
                               uint32_t level) const;

private:
    const std::string& StringAt(const std::vector<std::string>& list, uint32_t level) const;

    std::string displayNameTag;
    std::string baseDescriptionTag;
    std::string upBitmapName;
    std::string downBitmapName;
    std::vector<std::string> connectionOn;
    std::vector<std::string> connectionOff;
    uint32_t maxLevel = 0;
    uint32_t ultimateLevel = 0;
    uint32_t masteryLevelRequirement = 0;
    std::vector<Weapon_Type> qualifyingWeapons;
    bool qualifyingDualWeapons = false;
    std::vector<CombatAttributeType> qualifyingDamages;
    std::vector<std::string> qualifyingDamageTags;
    std::vector<std::string> skillDependancy;
    bool allowsWarmUp = false;
    CharAttributeStore_Skill charAttributes;
    CharAttributeStore_SkillPenalty charAttributesPenalty;
    SkillAttributeStore_Skill skillAttributes;
    DamageAttributeStore_Skill damageAttributes;
    RetaliationAttributeStore_Skill retaliationAttributes;
    DefenseAttributeStore_Skill defenseAttributes;
    RacialBonus racialBonus;
    std::vector<uint32_t> chanceWeight;
    std::vector<float> lifeMonitorPercent;
    std::vector<float> radiusTime;
    std::string radiusMagicName;
    std::string radiusEffectName;
    std::vector<float> activationChance;
    int32_t actorScaleTime = 0;
    float actorScale = 0.0f;
    bool notDispelable = false;
    Name specialAnimationName;
    std::vector<std::string> projectileNames;
    std::vector<float> projectileHitTimeToLive;
    std::vector<float> projectileMissTimeToLive;
    uint32_t numberOfProjectiles = 0;
    bool projectileTargetGroundOnly = false;
    bool projectileUsesAllDamages = false;
    std::vector<std::string> spawnObjects;
    std::vector<float> spawnObjectsTimeToLive;
    std::vector<uint32_t> spawnObjectsNumberOfRings;
    float spawnObjectsSpacingAngle = 0.0f;
    float spawnObjectsDistanceInnerCircle = 0.0f;
    float spawnObjectsDistanceIncrement = 0.0f;
    std::vector<uint32_t> petLimit;
    std::vector<uint32_t> petBurstSpawn;
    bool petDisplayable = false;
    std::string warmUpSoundName;
    std::string swipeSoundName;
    std::string hitSoundName;
    std::string activatedSoundName;
    std::string deactivatedSoundName;
    std::string castSoundName;
    std::string unCastSoundName;
    std::string sound1Name;
    std::string sound2Name;
    std::vector<std::string> weaponEnchantment;
    std::string activatedAuraName;
    std::string castAuraName;
    std::vector<std::string> chargeAuraNames;
    std::string spellAuraName;
    std::vector<float> spellAuraDuration;
    std::string emptyString;
    std::vector<std::string> targetFxPakNames;
    std::vector<std::string> projModImpactFxPakNames;
    CharacterBuff charBuffFxType;
    std::vector<std::string> charFxPakOtherNames;
    std::vector<std::string> charFxPakSelfNames;
    std::vector<std::string> endBuffSelfNames;
    std::vector<std::string> endBuffOtherNames;
    std::string particleEffectName1;
    std::string particleEffectAttachPoint1;
    std::string particleEffectName2;
    std::string particleEffectAttachPoint2;
    std::string particleEffectName3;
    std::string particleEffectAttachPoint3;
    std::string warmUpEffectName;
    std::string warmUpEffectAttachPoint;
    std::string propName1;
    std::string propName2;
    std::string puppetName;
    std::vector<uint32_t> maxChargeLevel;
    std::vector<float> chargeDuration;
    std::vector<float> chargeFactor;
    std::vector<SkillProfile_Modifiers> modifiers;
    SkillProfile_Modifiers defaultModifiers;
    std::vector<SkillProfile_ProjectileModifiers> projectileModifiers;
    SkillProfile_ProjectileModifiers defaultProjectileModifiers;
    std::vector<float> lifeBonus;
    std::vector<float> manaBonus;
    std::string bonusEffectName;
    std::vector<float> sparkGap;
    std::vector<float> sparkChance;
    std::vector<uint32_t> sparkMaxNumber;
    std::string lightningName;
    std::string ragDollEffect;
    std::string ragDollDirection;
    std::string ragDollPush;
    std::string ragDollElevation;
    std::vector<float> ragDollAmplification;
    std::vector<float> damageAbsorption;
    std::vector<float> damageAbsorptionPercent;
    std::vector<std::string> racialProfile;
    bool excludeRacialDamage = false;
    std::vector<uint32_t> skillEnhancement;
    std::vector<float> contagionInterval;
    std::vector<float> contagionRadius;
    std::vector<int32_t> contagionLimit;
    std::vector<int32_t> contagionMaxSpread;
};

} // namespace GAME
