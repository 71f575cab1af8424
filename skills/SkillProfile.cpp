#include "skills/SkillProfile.h"

#include "characters/Character.h"
#include "core/Saturate.h"
#include "engine/Engine.h"
#include "engine/LoadTable.h"
#include "game/GameEngine.h"

#include <algorithm>

namespace GAME {

namespace {

constexpr const char* kInvalidProfile = "Invalid Skill Profile";

// The entry that serves `level`: the first at level 1, the last for every level past the list.
template <typename T> const T* EntryFor(const std::vector<T>& list, uint32_t level)
{
    if (level == 0 || list.empty())
        return nullptr;
    return &list[std::min<size_t>(level - 1, list.size() - 1)];
}

template <typename T> T ValueAt(const std::vector<T>& list, uint32_t level, T fallback)
{
    const T* entry = EntryFor(list, level);
    return entry != nullptr ? *entry : fallback;
}

// Seconds in the record, milliseconds in play; a huge record value stops at the top.
int32_t MillisecondsAt(const std::vector<float>& list, uint32_t level, int32_t fallback)
{
    const float* entry = EntryFor(list, level);
    return entry != nullptr ? SaturateToInt(static_cast<double>(*entry) * 1000.0) : fallback;
}

// Counts and weights cannot be negative; a negative record value asks for none.
void ReadCounts(const LoadTable& table, const char* key, std::vector<uint32_t>& out)
{
    std::vector<int32_t> values;
    table.GetIntList(key, values);
    out.clear();
    out.reserve(values.size());
    for (const int32_t value : values)
        out.push_back(static_cast<uint32_t>(std::max(value, 0)));
}

// A level count sizes the per-level lists, so it is kept within what a skill can reach.
uint32_t ReadLevelCount(const LoadTable& table, const char* key)
{
    const int32_t value = table.GetInt(key, 0);
    if (value <= 0)
        return 0;
    if (static_cast<uint32_t>(value) > SkillProfile::kMaxLevelCount) {
        gEngine->Log(Engine::LogData, "SkillProfile: '%s' of record '%s' is %d, cut to %u", key,
                     table.GetSourceName().c_str(), value, SkillProfile::kMaxLevelCount);
        return SkillProfile::kMaxLevelCount;
    }
    return static_cast<uint32_t>(value);
}

struct WeaponQualifier {
    const char* key;
    Weapon_Type type;
};

constexpr WeaponQualifier kWeaponQualifiers[] = {
    {"Sword", Weapon_Type_Sword},       {"Axe", Weapon_Type_Axe},
    {"Bow", Weapon_Type_Bow},           {"Spear", Weapon_Type_Spear},
    {"Mace", Weapon_Type_Mace},         {"Staff", Weapon_Type_Staff},
    {"Magical", Weapon_Type_Reserved8}, {"Shield", Weapon_Type_Shield},
};

struct DamageQualifier {
    const char* key;
    const char* tag;
    CombatAttributeType types[3];
    size_t count;
};

constexpr DamageQualifier kDamageQualifiers[] = {
    {"physicalDamageQualifier", "tagQualifyingDamagePhysical", {CombatAttributeType_Physical}, 1},
    {"pierceDamageQualifier", "tagQualifyingDamagePierce", {CombatAttributeType_Pierce}, 1},
    {"lightningDamageQualifier",
     "tagQualifyingDamageLightning",
     {CombatAttributeType_Lightning},
     1},
    {"fireDamageQualifier", "tagQualifyingDamageFire", {CombatAttributeType_Fire}, 1},
    {"coldDamageQualifier", "tagQualifyingDamageCold", {CombatAttributeType_Cold}, 1},
    {"poisonDamageQualifier", "tagQualifyingDamagePoison", {CombatAttributeType_Poison}, 1},
    {"lifeDamageQualifier", "tagQualifyingDamageLife", {CombatAttributeType_Life}, 1},
    {"bleedingDamageQualifier", "tagQualifyingDamageBleeding", {CombatAttributeType_Bleeding}, 1},
    {"elementalDamageQualifier",
     "tagQualifyingDamageElemental",
     {CombatAttributeType_Fire, CombatAttributeType_Cold, CombatAttributeType_Lightning},
     3},
};

} // namespace

SkillProfile::SkillProfile()
    : displayNameTag(kInvalidProfile), baseDescriptionTag(kInvalidProfile),
      specialAnimationName(Name::noName), charBuffFxType(CharacterBuff_None)
{}

SkillProfile::~SkillProfile() = default;

void SkillProfile::LoadProfile(const LoadTable& table)
{
    displayNameTag = table.GetString("skillDisplayName");
    baseDescriptionTag = table.GetString("skillBaseDescription");

    const int32_t tier = table.GetInt("skillTier", 0);
    masteryLevelRequirement =
        GameEngine::Get().GetSkillMasteryLevel(static_cast<uint32_t>(std::max(tier, 0)));

    petDisplayable = table.GetBool("isPetDisplayable");
    maxLevel = ReadLevelCount(table, "skillMaxLevel");
    ultimateLevel = std::max(ReadLevelCount(table, "skillUltimateLevel"), maxLevel);

    for (const WeaponQualifier& qualifier : kWeaponQualifiers) {
        if (table.GetBool(qualifier.key))
            qualifyingWeapons.push_back(qualifier.type);
    }
    qualifyingDualWeapons = table.GetBool("dualWieldOnly");

    for (const DamageQualifier& qualifier : kDamageQualifiers) {
        if (!table.GetBool(qualifier.key))
            continue;
        qualifyingDamages.insert(qualifyingDamages.end(), qualifier.types,
                                 qualifier.types + qualifier.count);
        qualifyingDamageTags.emplace_back(qualifier.tag);
    }

    table.GetStringList("skillDependancy", skillDependancy);
    upBitmapName = table.GetString("skillUpBitmapName");
    downBitmapName = table.GetString("skillDownBitmapName");
    table.GetStringList("skillConnectionOn", connectionOn);
    table.GetStringList("skillConnectionOff", connectionOff);
    specialAnimationName = table.CreateName("skillSpecialAnimationName");

    numberOfProjectiles = static_cast<uint32_t>(
        std::clamp<int32_t>(table.GetInt("skillProjectileNumber", 0), 0, kMaxProjectiles));
    projectileTargetGroundOnly = table.GetBool("skillProjectileTargetGroundOnly");
    table.GetStringList("skillProjectileName", projectileNames);
    projectileUsesAllDamages = table.GetBool("projectileUsesAllDamage");
    table.GetFloatList("skillProjectileHitTimeToLive", projectileHitTimeToLive);
    table.GetFloatList("skillProjectileMissTimeToLive", projectileMissTimeToLive);

    ReadCounts(table, "skillChanceWeight", chanceWeight);
    table.GetFloatList("lifeMonitorPercent", lifeMonitorPercent);
    table.GetFloatList("expansionTime", radiusTime);
    radiusMagicName = table.GetString("radiusMagicName");
    radiusEffectName = table.GetString("radiusEffectName");
    table.GetFloatList("onHitActivationChance", activationChance);
    actorScaleTime = SaturateToInt(static_cast<double>(table.GetFloat("actorScaleTime")) * 1000.0);
    actorScale = table.GetFloat("actorScale");

    modifiers.resize(ultimateLevel);
    SkillProfile_Modifiers::LoadLevels(table, modifiers);
    projectileModifiers.resize(ultimateLevel);
    SkillProfile_ProjectileModifiers::LoadLevels(table, projectileModifiers);

    warmUpSoundName = table.GetString("skillWarmUpSound");
    swipeSoundName = table.GetString("skillSwipeSound");
    hitSoundName = table.GetString("skillHitSound");
    activatedSoundName = table.GetString("skillActivatedSound");
    deactivatedSoundName = table.GetString("skillDeactivatedSound");
    castSoundName = table.GetString("skillCastSound");
    unCastSoundName = table.GetString("skillUnCastSound");
    sound1Name = table.GetString("skillSound1");
    sound2Name = table.GetString("skillSound2");
    table.GetStringList("weaponEnchantment", weaponEnchantment);
    activatedAuraName = table.GetString("skillActivatedAuraName");
    castAuraName = table.GetString("skillCastAuraName");
    table.GetStringList("skillChargeAura", chargeAuraNames);
    spellAuraName = table.GetString("skillSpellAura");
    table.GetFloatList("skillSpellAuraDuration", spellAuraDuration);
    table.GetStringList("targetFxPakName", targetFxPakNames);
    table.GetStringList("projModImpactFxPakName", projModImpactFxPakNames);
    const std::string buffName = table.GetString("charBuffFxType");
    if (!buffName.empty())
        charBuffFxType = Character::ConvertFxBuffName(buffName);
    particleEffectName1 = table.GetString("particleEffectName1");
    particleEffectAttachPoint1 = table.GetString("particleEffectAttachPoint1");
    particleEffectName2 = table.GetString("particleEffectName2");
    particleEffectAttachPoint2 = table.GetString("particleEffectAttachPoint2");
    particleEffectName3 = table.GetString("particleEffectName3");
    particleEffectAttachPoint3 = table.GetString("particleEffectAttachPoint3");
    warmUpEffectName = table.GetString("warmUpEffectName");
    warmUpEffectAttachPoint = table.GetString("warmUpEffectAttachPoint");
    table.GetStringList("charFxPakOtherNames", charFxPakOtherNames);
    table.GetStringList("charFxPakSelfNames", charFxPakSelfNames);
    table.GetStringList("endBuffSelfNames", endBuffSelfNames);
    table.GetStringList("endBuffOtherNames", endBuffOtherNames);
    propName1 = table.GetString("propName1");
    propName2 = table.GetString("propName2");
    puppetName = table.GetString("puppetName");

    ReadCounts(table, "skillChargeLevel", maxChargeLevel);
    table.GetFloatList("skillChargeDuration", chargeDuration);
    table.GetFloatList("skillChargeFactor", chargeFactor);
    allowsWarmUp = table.GetBool("skillAllowsWarmUp");
    table.GetFloatList("skillLifeBonus", lifeBonus);
    table.GetFloatList("skillManaBonus", manaBonus);
    bonusEffectName = table.GetString("skillBonusEffectName");

    table.GetStringList("spawnObjects", spawnObjects);
    table.GetFloatList("spawnObjectsTimeToLive", spawnObjectsTimeToLive);
    ReadCounts(table, "spawnObjectsNumberOfRings", spawnObjectsNumberOfRings);
    spawnObjectsSpacingAngle = table.GetFloat("spawnObjectsSpacingAngle");
    spawnObjectsDistanceInnerCircle = table.GetFloat("spawnObjectsDistanceInnerCircle");
    spawnObjectsDistanceIncrement = table.GetFloat("spawnObjectsDistanceIncrement");
    ReadCounts(table, "petLimit", petLimit);
    ReadCounts(table, "petBurstSpawn", petBurstSpawn);

    table.GetFloatList("sparkGap", sparkGap);
    table.GetFloatList("sparkChance", sparkChance);
    ReadCounts(table, "sparkMaxNumber", sparkMaxNumber);
    lightningName = table.GetString("lightningName");
    ragDollEffect = table.GetString("ragDollEffect");
    ragDollDirection = table.GetString("ragDollDirection");
    ragDollPush = table.GetString("ragDollPush");
    ragDollElevation = table.GetString("ragDollElevation");
    table.GetFloatList("ragDollAmplification", ragDollAmplification);

    charAttributes.Load(table);
    charAttributesPenalty.Load(table);
    skillAttributes.Load(table);
    damageAttributes.Load(table);
    retaliationAttributes.Load(table);
    defenseAttributes.Load(table);
    racialBonus.Load(table);

    excludeRacialDamage = table.GetBool("excludeRacialDamage");
    table.GetFloatList("damageAbsorption", damageAbsorption);
    table.GetFloatList("damageAbsorptionPercent", damageAbsorptionPercent);
    table.GetStringList("racialProfile", racialProfile);
    notDispelable = table.GetBool("notDispelable");
    ReadCounts(table, "allSkillEnhancement", skillEnhancement);
    table.GetFloatList("contagionInterval", contagionInterval);
    table.GetFloatList("contagionRadius", contagionRadius);
    table.GetIntList("contagionLimit", contagionLimit);
    table.GetIntList("contagionMaxSpread", contagionMaxSpread);
}

bool SkillProfile::IsQualifyingDamage(CombatAttributeType type) const
{
    return qualifyingDamages.empty() ||
           std::find(qualifyingDamages.begin(), qualifyingDamages.end(), type) !=
               qualifyingDamages.end();
}

const std::string& SkillProfile::StringAt(const std::vector<std::string>& list,
                                          uint32_t level) const
{
    const std::string* entry = EntryFor(list, level);
    return entry != nullptr ? *entry : emptyString;
}

uint32_t SkillProfile::GetChanceWeight(uint32_t level) const
{
    return ValueAt(chanceWeight, level, 0u);
}

float SkillProfile::GetLifeMonitorPercent(uint32_t level) const
{
    return ValueAt(lifeMonitorPercent, level, 0.0f);
}

float SkillProfile::GetRadiusTime(uint32_t level) const
{
    return ValueAt(radiusTime, level, 0.0f) * 1000.0f;
}

float SkillProfile::GetActivationChance(uint32_t level) const
{
    return ValueAt(activationChance, level, 0.0f);
}

const std::string& SkillProfile::GetProjectileName(uint32_t level) const
{
    return StringAt(projectileNames, level);
}

int32_t SkillProfile::GetProjectileHitTimeToLive(uint32_t level) const
{
    return MillisecondsAt(projectileHitTimeToLive, level, 0);
}

int32_t SkillProfile::GetProjectileMissTimeToLive(uint32_t level) const
{
    return MillisecondsAt(projectileMissTimeToLive, level, 0);
}

const std::string& SkillProfile::GetSpawnObject(uint32_t level) const
{
    return StringAt(spawnObjects, level);
}

int32_t SkillProfile::GetSpawnObjectTimeToLive(uint32_t level) const
{
    return MillisecondsAt(spawnObjectsTimeToLive, level, 0);
}

uint32_t SkillProfile::GetSpawnObjectsNumberOfRings(uint32_t level) const
{
    return ValueAt(spawnObjectsNumberOfRings, level, 0u);
}

uint32_t SkillProfile::GetPetLimit(uint32_t level) const
{
    return ValueAt(petLimit, level, 0u);
}

uint32_t SkillProfile::GetPetBurstSpawn(uint32_t level) const
{
    return ValueAt(petBurstSpawn, level, 0u);
}

const std::string& SkillProfile::GetWeaponEnchantment(uint32_t level) const
{
    return StringAt(weaponEnchantment, level);
}

float SkillProfile::GetSpellAuraDuration(uint32_t level) const
{
    return ValueAt(spellAuraDuration, level, 1.0f);
}

const std::string& SkillProfile::GetTargetFxPakName(uint32_t level) const
{
    return StringAt(targetFxPakNames, level);
}

const std::string& SkillProfile::GetProjModImpactFxPakName(uint32_t level) const
{
    return StringAt(projModImpactFxPakNames, level);
}

const std::string& SkillProfile::GetCharFxOtherName(uint32_t level) const
{
    return StringAt(charFxPakOtherNames, level);
}

const std::string& SkillProfile::GetCharFxSelfName(uint32_t level) const
{
    return StringAt(charFxPakSelfNames, level);
}

const std::string& SkillProfile::GetEndBuffSelfFxPakName(uint32_t level) const
{
    return StringAt(endBuffSelfNames, level);
}

const std::string& SkillProfile::GetEndBuffOtherFxPakName(uint32_t level) const
{
    return StringAt(endBuffOtherNames, level);
}

const std::string& SkillProfile::GetChargeAuraName(uint32_t level) const
{
    return StringAt(chargeAuraNames, level);
}

uint32_t SkillProfile::GetMaxChargeLevel(uint32_t level) const
{
    return ValueAt(maxChargeLevel, level, 0u);
}

float SkillProfile::GetChargeDuration(uint32_t level) const
{
    return ValueAt(chargeDuration, level, 0.0f) * 1000.0f;
}

const SkillProfile_Modifiers& SkillProfile::GetSkillModifierData(uint32_t level) const
{
    const SkillProfile_Modifiers* entry = EntryFor(modifiers, level);
    return entry != nullptr ? *entry : defaultModifiers;
}

const SkillProfile_ProjectileModifiers&
SkillProfile::GetSkillProjectileModifierData(uint32_t level) const
{
    const SkillProfile_ProjectileModifiers* entry = EntryFor(projectileModifiers, level);
    return entry != nullptr ? *entry : defaultProjectileModifiers;
}

float SkillProfile::GetLifeBonus(uint32_t level) const
{
    return ValueAt(lifeBonus, level, 0.0f);
}

float SkillProfile::GetManaBonus(uint32_t level) const
{
    return ValueAt(manaBonus, level, 0.0f);
}

float SkillProfile::GetSparkGap(uint32_t level) const
{
    return ValueAt(sparkGap, level, 0.0f);
}

float SkillProfile::GetSparkChance(uint32_t level) const
{
    return ValueAt(sparkChance, level, 0.0f);
}

uint32_t SkillProfile::GetSparkMaxNumber(uint32_t level) const
{
    return ValueAt(sparkMaxNumber, level, 0u);
}

float SkillProfile::GetRagDollAmplification(uint32_t level) const
{
    return ValueAt(ragDollAmplification, level, 0.0f);
}

float SkillProfile::GetDamageAbsorption(uint32_t level) const
{
    return ValueAt(damageAbsorption, level, 0.0f);
}

float SkillProfile::GetDamageAbsorptionPercent(uint32_t level) const
{
    return ValueAt(damageAbsorptionPercent, level, 0.0f);
}

float SkillProfile::GetSkillEnhancement(uint32_t level) const
{
    return static_cast<float>(ValueAt(skillEnhancement, level, 0u));
}

int32_t SkillProfile::GetContagionInterval(uint32_t level) const
{
    return MillisecondsAt(contagionInterval, level, 1000);
}

float SkillProfile::GetContagionRadius(uint32_t level) const
{
    return ValueAt(contagionRadius, level, 2.0f);
}

int32_t SkillProfile::GetContagionLimit(uint32_t level) const
{
    return ValueAt(contagionLimit, level, 1);
}

int32_t SkillProfile::GetContagionMaxSpread(uint32_t level) const
{
    return ValueAt(contagionMaxSpread, level, 1);
}

void SkillProfile::GetCharAttributes(CharAttributeAccumulator& accumulator, uint32_t level) const
{
    charAttributes.AddToAccumulator(accumulator, level);
}

void SkillProfile::GetCharAttributesPenalty(CharAttributeAccumulator& accumulator,
                                            uint32_t level) const
{
    charAttributesPenalty.AddToAccumulator(accumulator, level);
}

void SkillProfile::GetSkillAttributes(SkillAttributeAccumulator& accumulator, uint32_t level) const
{
    skillAttributes.AddToAccumulator(accumulator, level);
}

void SkillProfile::GetOffensiveDamageAttributes(CombatAttributeAccumulator& accumulator,
                                                uint32_t level) const
{
    damageAttributes.AddDamageToAccumulator(accumulator, level);
}

void SkillProfile::GetOffensiveModifierAttributes(CombatAttributeAccumulator& accumulator,
                                                  uint32_t level) const
{
    damageAttributes.AddModifierToAccumulator(accumulator, level);
}

void SkillProfile::GetRetaliationAttributes(CombatAttributeAccumulator& accumulator,
                                            uint32_t level) const
{
    retaliationAttributes.AddDamageToAccumulator(accumulator, level);
    retaliationAttributes.AddModifierToAccumulator(accumulator, level);
}

void SkillProfile::GetDefenseAttributes(CombatAttributeAccumulator& accumulator,
                                        uint32_t level) const
{
    defenseAttributes.AddToAccumulator(accumulator, level);
}

void SkillProfile::GetRacialBonusDamage(const std::vector<std::string>& races,
                                        RacialBonus_Damage& damage, uint32_t level) const
{
    racialBonus.GetDamage(races, damage, level);
}

void SkillProfile::GetRacialBonusDefense(const std::vector<std::string>& races,
                                         RacialBonus_Defense& defense, uint32_t level) const
{
    racialBonus.GetDefense(races, defense, level);
}

} // namespace GAME
