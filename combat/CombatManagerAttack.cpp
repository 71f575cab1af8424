// How a hit is resolved on the defender.
//
// Every number a hit rolls comes from the record the attacker sent, so each machine that
// resolves the same record against the same defender gets the same outcome. Two generators are
// used, always in the same order. The record's own attribute generator, which the attacking
// skill already advanced while it rolled its damage, picks the body region first. A second
// generator, seeded afresh from the record's third number, then rolls the defender's side: the
// dodge (only when the defender has a dodge chance at all), the fumble (even after a dodge, so
// the sequence does not depend on whether the dodge succeeded), the chance to hit or the
// projectile deflection, and last the shield block. A roll that does not apply is never drawn,
// so the sequence depends only on the record and on the defender's own state.
//
// Before anything touches the record, the defender keeps a private copy of it: clones of the
// damage as the attacker sent it, before the defender's resistances, armour or shield have cut
// it. Reflection is made from that copy, so a reflected share is a share of what was sent, and
// the attacker's own defenses then act on it in the usual way.
//
// Retaliation and reflection are hits of their own: a fresh record (retaliation rolls its own
// from the hit's fourth number) is handed to the first attacker's `TakeAttack` in the middle of
// the defender's call. Those nested hits carry style 3, which lands without avoidance rolls or
// a block and starts no retaliation, reflection or under-attack reaction of its own, so two
// characters cannot bounce damage to and fro. A landed hit clears its record, so the damage a
// nested hit dealt is counted from the record before it is handed over.

#include "characters/Bonus.h"
#include "characters/CharAttributeType.h"
#include "characters/Character.h"
#include "characters/Player.h"
#include "combat/CombatFilter.h"
#include "combat/CombatManager.h"
#include "combat/ParametersCombat.h"
#include "combat/RacialBonus.h"
#include "core/GameEvents.h"
#include "core/GameLog.h"
#include "core/Helpers.h"
#include "core/PlayStats.h"
#include "core/PlayStatsDamageType.h"
#include "core/RandomUniform.h"
#include "engine/Engine.h"
#include "engine/EventManager.h"
#include "engine/LoadTable.h"
#include "engine/LocalizationManager.h"
#include "engine/ObjectManager.h"
#include "engine/SoundPak.h"
#include "game/GameEngine.h"
#include "items/Armor.h"
#include "items/WeaponArmor_Shield.h"
#include "skills/SkillManager.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace GAME {

namespace {

// Play-statistics tallies run one past the named types: 46 keys the mana-burn ratio.
constexpr int32_t kLastTalliedType = 46;
// A critical hit's text is shown only while this player option is on.
constexpr int kCriticalHitTextOption = 2;
constexpr float kRagDollStrengthFactor = 3.0f;
// The largest float below 2^31, so a recovery time always converts to an int.
constexpr float kLongestRecoveryMs = 2147483520.0f;

float AbsoluteDamage(CombatAttributeAccumulator& attributes)
{
    float absolute = 0.0f;
    float overTime = 0.0f;
    attributes.GetTotalDamage(absolute, overTime);
    return absolute;
}

bool IsInvulnerable(const std::vector<CombatFilter*>& filters, const Character* attacker)
{
    static const std::vector<std::string> kNoRaces;
    const std::vector<std::string>& races = attacker != nullptr ? attacker->GetRace() : kNoRaces;
    for (const CombatFilter* filter : filters) {
        if (filter->ProvidesInvulnerability(races)) {
            gEngine->LogCategory(gLogCombat, 0, "    ^ySkill provided Invulerability\n");
            return true;
        }
    }
    return false;
}

// What a player's hit did, by damage type; runs after the damage was dealt, so the physical
// part is counted after the defender's armour formula.
void TallyHit(Player& attacker, Character& defender, CombatAttributeAccumulator& attributes,
              float racialBonusDamage, bool critical)
{
    PlayStats& stats = attacker.GetPlayStats();
    // One pass sums every type, in the list's order as a look-up per type would.
    std::array<float, kLastTalliedType + 1> absolute{};
    std::array<float, kLastTalliedType + 1> overTime{};
    for (const auto& damage : attributes.GetDamage()) {
        const auto type = static_cast<size_t>(damage->GetType());
        if (type < absolute.size())
            damage->GetTotalDamage(absolute[type], overTime[type]);
    }
    for (int32_t type = 0; type <= kLastTalliedType; ++type) {
        const PlayStatsDamageType statsType{PlayStatsDamageType::KindCombatAttribute, type};
        if (absolute[type] != 0.0f)
            stats.TallyDamageInflicted(absolute[type], statsType);
        if (overTime[type] != 0.0f)
            stats.TallyDamageInflicted(overTime[type], statsType);
    }
    if (racialBonusDamage != 0.0f)
        stats.TallyDamageInflicted(racialBonusDamage, {PlayStatsDamageType::KindRacialBonus, 0});
    if (critical) {
        stats.InflictCriticalHit();
        defender.GetPlayStats().ReceiveCriticalHit();
    }
}

// Only the machine whose own player gave or took the hit shows its number.
void ShowCriticalHit(Character& defender, const Character* attacker, float blunt, float modifier)
{
    if (SoundPak* sound = defender.GetCriticalHitSound())
        sound->Play(defender.GetCoords(), false, false);
    if (blunt <= 0.0f || !gEngine->GetOptions().GetBool(kCriticalHitTextOption))
        return;
    GameEngine& game = GameEngine::Get();
    const Player* mainPlayer = game.GetMainPlayer();
    const char* styleKey = nullptr;
    if (mainPlayer != nullptr && mainPlayer == &defender)
        styleKey = "CriticalHitOnPlayerStyle";
    else if (mainPlayer != nullptr && mainPlayer == attacker)
        styleKey = "CriticalHitOnMonsterStyle";
    if (styleKey == nullptr)
        return;
    GameEvent_FloatingText event;
    event.objectId = defender.GetObjectId();
    event.position = defender.GetCoords();
    event.styleName = game.GetDatabase().GetString(styleKey);
    event.text = LocalizationManager::Instance().Format(
        "CriticalHitFormat", static_cast<double>(blunt), static_cast<double>(modifier));
    EventManager::Instance().Send("GameEvent_FloatingText", event);
}

// The record as the attacker sent it, for a reflection. Most hits reflect nothing, so the clones
// are made only once the defender's reflect total is known: until then the defender has only
// added its defenses to the record and picked its region, which the copy puts back. A record
// that arrived with defenses of its own is copied at once, as those merge with the defender's.
// A nested hit never reflects and keeps nothing.
class ReflectionCopy {
public:
    explicit ReflectionCopy(const ParametersCombat& parameters)
        : region(parameters.attributes.GetRegion()),
          wanted(parameters.style != ParametersCombatStyle_Retaliation)
    {
        const CombatAttributeAccumulator& attributes = parameters.attributes;
        if (wanted &&
            (!attributes.GetDefenses().empty() || !attributes.GetDefenseModifiers().empty()))
            Copy(parameters);
    }

    // Called before the hit changes any of the record's damage.
    void Take(const ParametersCombat& parameters)
    {
        if (!wanted || copy)
            return;
        Copy(parameters);
        copy->attributes.ClearDefense();
        copy->attributes.ClearDefenseModifiers();
        copy->attributes.SetRegion(region);
    }

    ParametersCombat& Get() { return *copy; }

private:
    void Copy(const ParametersCombat& parameters)
    {
        RandomUniform zero;
        zero.Seed(0);
        copy.emplace(zero);
        *copy = parameters;
    }

    CombatAttributeRegion region;
    bool wanted;
    std::optional<ParametersCombat> copy;
};

// Hands a style 3 record to the first attacker. A landed hit clears the record, so what it
// carried is read before it goes.
void StrikeBack(Character& defender, ParametersCombat& record, uint32_t targetId,
                PlayStatsDamageType::Kind kind)
{
    record.style = ParametersCombatStyle_Retaliation;
    record.attackerId = defender.GetObjectId();
    Character* target = ObjectManager::Instance().GetObject<Character>(targetId);
    if (target == nullptr)
        return;
    const float sent = AbsoluteDamage(record.attributes);
    target->TakeAttack(record);
    if (Player* player = DynamicCast<Player>(&defender))
        player->GetPlayStats().TallyDamageInflicted(sent, {kind, 0});
}

} // namespace

bool CombatManager::ApplyDamage(float damage, const PlayStatsDamageType& statsType,
                                CombatAttributeType damageType)
{
    if (damage <= 0.0f || parent == nullptr)
        return true;
    parent->FireAbsEffect(damageType);
    // The racial pool is spent across the attack and what it starts over time.
    if (racialBonusDefenseAbsolute > 0.0f) {
        const float filtered = Min(racialBonusDefenseAbsolute, damage);
        gEngine->LogCategory(gLogCombat, 0, "^y  Racial Bonus Defense (%f) filtered (%f) damage\n",
                             racialBonusDefenseAbsolute, filtered);
        racialBonusDefenseAbsolute -= filtered;
        damage -= filtered;
        if (damage <= 0.0f)
            return false;
    }
    for (CombatFilter* filter : filters) {
        damage = filter->ModifyDamage(damage, damageType);
        if (damage <= 0.0f)
            return false;
    }
    parent->SubtractLife(damage, statsType);
    gEngine->LogCategory(gLogCombat, 0, "^y    Damage %f to Defender 0x%x\n", damage,
                         parent->GetObjectId());
    GameEngine::Get().RegisterDamage(parent->GetObjectId(), attackerId, damage);
    return true;
}

bool CombatManager::CanIDodgeAttack(RandomUniform& generator)
{
    const float chance = parent->GetTotalCharAttribute(CharAttribute_DodgePercent);
    if (chance <= 0.0f)
        return false;
    const float roll = generator.FGenerate(0.0f, 100.0f);
    if (roll < chance) {
        gEngine->LogCategory(gLogCombat, 0, "    ^yDodge Chance (%f) caused a miss\n", chance);
        return true;
    }
    gEngine->LogCategory(gLogCombat, 0, "    ^yDodge Chance (%f) not met (%f)\n", chance, roll);
    return false;
}

bool CombatManager::CanIDeflectProjectile(RandomUniform& generator)
{
    const float chance = parent->GetTotalCharAttribute(CharAttribute_DeflectProjectile);
    if (chance <= 0.0f)
        return false;
    const float roll = generator.FGenerate(0.0f, 100.0f);
    if (roll < chance) {
        gEngine->LogCategory(gLogCombat, 0,
                             "    ^yDeflect Projectile Chance (%f) caused a deflection\n", chance);
        return true;
    }
    gEngine->LogCategory(gLogCombat, 0, "    ^yDeflect Projectile Chance (%f) not met (%f)\n",
                         chance, roll);
    return false;
}

bool CombatManager::TakeAttack(ParametersCombat& parameters, SkillManager& skills,
                               CharacterBio& /*bio*/)
{
    if (parent == nullptr || !parent->IsAlive())
        return false;
    // Only a hit that can start a reflection keeps the copy; see ReflectionCopy.
    ReflectionCopy original(parameters);

    parent->ResetAbsEffects();
    const float lifeBefore = parent->GetCurrentLife();
    lifeLeechPercent = 0.0f;
    RandomUniform roll;
    roll.Seed(parameters.randoms.r2);
    racialBonusDefensePercent = 0.0f;
    racialBonusDefenseAbsolute = 0.0f;

    const CombatAttributeRegion region = PickRegion(parameters.attributes.GetRandomGen());
    parameters.attributes.SetRegion(region);
    combatState = CombatManager_State_UnderAttack;
    remainingCombatTime = combatTime;
    SetAttacker(parameters.attackerId);

    gEngine->LogCategory(gLogCombat, 0, "combat\n");
    gEngine->LogCategory(gLogCombat, 0, "[\n");
    Character* attacker = ObjectManager::Instance().GetObject<Character>(parameters.attackerId);
    if (attacker != nullptr) {
        RacialBonus_Defense racial;
        parent->ContributeRacialBonusDefense(attacker->GetRace(), racial);
        racialBonusDefensePercent = racial.percent;
        racialBonusDefenseAbsolute = racial.absolute;
        gEngine->LogCategory(gLogCombat, 0, "    attackerName = %s\n",
                             attacker->GetObjectName().c_str());
    }
    gEngine->LogCategory(gLogCombat, 0, "    attackerID = %d\n",
                         static_cast<int>(parameters.attackerId));
    gEngine->LogCategory(gLogCombat, 0, "    defenderName = %s\n", parent->GetObjectName().c_str());
    gEngine->LogCategory(gLogCombat, 0, "    defenderID = %d\n",
                         static_cast<int>(parent->GetObjectId()));

    float probabilityToHit = 0.0f;
    float modifier = 1.0f;
    if (parameters.style == ParametersCombatStyle_Probability) {
        gEngine->LogCategory(gLogCombat, 0, "    combatType = Probability Attack\n");
        const bool dodged = CanIDodgeAttack(roll);
        if (dodged)
            modifier = 0.0f;
        bool fumbled = false;
        if (parameters.fumbleChance > 0.0f) {
            const float fumbleRoll = roll.FGenerate(0.0f, 100.0f);
            fumbled = fumbleRoll < parameters.fumbleChance;
            if (fumbled) {
                modifier = 0.0f;
                gEngine->LogCategory(gLogCombat, 0, "    ^yFumble Chance (%f) caused a miss\n",
                                     parameters.fumbleChance);
            } else {
                gEngine->LogCategory(gLogCombat, 0, "    ^yFumble Chance (%f) not met (%f)\n",
                                     parameters.fumbleChance, fumbleRoll);
            }
        }
        if (!dodged && !fumbled) {
            const float defensiveAbility = DesignerCalculateDefensiveAbility(0.0f);
            probabilityToHit =
                DesignerCalculateProbabilityToHit(parameters.offensiveAbility, defensiveAbility);
            modifier = CalculateDamageModifier(probabilityToHit, roll.FGenerate(0.0f, 1.0f));
        }
    } else if (parameters.style == ParametersCombatStyle_Projectile) {
        gEngine->LogCategory(gLogCombat, 0, "    combatType = Projectile Attack\n");
        if (CanIDeflectProjectile(roll))
            modifier = 0.0f;
    } else {
        gEngine->LogCategory(gLogCombat, 0, "    combatType = Direct Attack\n");
    }

    // A negative modifier is no miss: such a hit lands with its weapon damage gone.
    const bool invulnerable = modifier > 0.0f && IsInvulnerable(filters, attacker);
    parent->GetAllDefenseAttributes(parameters.attributes);
    const float reflectPercent =
        parameters.attributes.GetTotalDefenseType(CombatAttributeType_Reflect);
    if (reflectPercent > 0.0f)
        original.Take(parameters);

    bool landed = false;
    if (invulnerable) {
        gEngine->LogCategory(gLogCombat, 0, "    ^bInvulnerable Shield in place\n");
    } else if (modifier == 0.0f) {
        gEngine->LogCategory(gLogCombat, 0, "    Miss occured\n");
        if (attacker != nullptr)
            attacker->GetPlayStats().IMissed();
        parent->GetPlayStats().IWasMissed();
    } else {
        CombatAttributeAccumulator& attributes = parameters.attributes;
        const float blunt = attributes.ProcessBluntDamageModifier(modifier);
        attributes.ProcessDefense(
            *parent, 0.0f, durationDamage.GetFixedDamage(CombatAttributeType_DefensiveReduction),
            durationDamage.GetFixedDamage(CombatAttributeType_TotalResistanceReductionPercent),
            durationDamage.GetFixedDamage(CombatAttributeType_TotalResistanceReductionAbsolute));

        const bool canBlock = parameters.style == ParametersCombatStyle_Probability ||
                              parameters.style == ParametersCombatStyle_Projectile;
        WeaponArmor_Shield* shield = canBlock && shieldRecoveryTimeLeft <= 0
                                         ? ObjectManager::Instance().GetObject<WeaponArmor_Shield>(
                                               equipment.GetLeftHandShield())
                                         : nullptr;
        if (shield != nullptr) {
            const float blockChance = shield->GetShieldBlockChance();
            const float blockModifier =
                attributes.GetTotalDefenseType(CombatAttributeType_BlockModifier);
            const bool blocked = parameters.style == ParametersCombatStyle_Probability
                                     ? DesignerCalculateMeleeBlockChance(blockChance, blockModifier,
                                                                         probabilityToHit, roll)
                                     : DesignerCalculateProjectileBlockChance(
                                           blockChance, blockModifier, probabilityToHit, roll);
            if (blocked) {
                attributes.DamageReductionByShield(*parent, shield->GetShieldDefense(),
                                                   shield->GetShieldAbsorption());
                shield->PlayBlockSound(parent->GetCoords());
                const float recovery = static_cast<float>(shield->GetShieldRecoveryTime());
                const float reduction =
                    parent->GetTotalCharAttribute(CharAttribute_DefensiveBlockRecoveryReduction);
                // A record's reduction may be anything; what is left stays a whole, non-negative
                // number of milliseconds (none left behaves as a negative one would).
                const float left = recovery - recovery * (reduction * 0.01f);
                shieldRecoveryTimeLeft =
                    left > 0.0f ? static_cast<int32_t>(Min(left, kLongestRecoveryMs)) : 0;
            }
        }

        if (racialBonusDefensePercent > 0.0f) {
            attributes.ReduceDamage(racialBonusDefensePercent);
            gEngine->LogCategory(gLogCombat, 0, "    ^yRacial Bonus Percent Defense = %f\n",
                                 racialBonusDefensePercent);
        }
        attributes.ExecuteDefense();

        float absolute = 0.0f;
        float overTime = 0.0f;
        attributes.GetTotalDamage(absolute, overTime);
        gEngine->LogCategory(gLogCombat, 0, "    Total Damage:  Absolute (%f), Over Time (%f)",
                             absolute, overTime);
        // A defender without a life limit would divide by zero; it gets no push.
        const float lifeLimit = parent->GetLifeLimit();
        parameters.ragDoll.speed =
            lifeLimit > 0.0f ? absolute * kRagDollStrengthFactor / lifeLimit : 0.0f;
        parent->SetRagdollData(parameters.ragDoll, false);

        attributes.ExecuteDamage(*parent);
        gEngine->LogCategory(gLogCombat, 0, "    ^bRacial Bonus Damage:  (%f)",
                             parameters.racialBonusDamage);
        ApplyDamage(parameters.racialBonusDamage, {PlayStatsDamageType::KindRacialBonus, 0},
                    CombatAttributeType_Unknown);

        const bool critical = modifier > 1.0f;
        if (Player* player = DynamicCast<Player>(attacker))
            TallyHit(*player, *parent, attributes, parameters.racialBonusDamage, critical);
        gEngine->LogCategory(gLogCombat, 0, "    criticalStrike = %f\n", modifier);
        gEngine->LogCategory(gLogCombat, 0, "    regionHit = %s\n",
                             GetCombatAttributeRegionName(region));

        if (parameters.style == ParametersCombatStyle_Probability) {
            parent->PlayImpactSound();
            if (Armor* armor = ObjectManager::Instance().GetObject<Armor>(equipment.GetBodyArmor()))
                armor->PlayImpactSound(parent->GetCoords());
        }
        if (critical)
            ShowCriticalHit(*parent, attacker, blunt, modifier);

        attributes.Clear();
        gEngine->LogCategory(gLogCombat, 0, "\n");
        landed = true;
    }

    const float energyAbsorption =
        parent->GetTotalCharAttribute(CharAttribute_EnergyAbsorptionPercent);
    if (energyAbsorption > 0.0f) {
        const float mana = energyAbsorption * 0.01f * parameters.skillManaCost;
        if (mana > 0.0f)
            parent->AddManaSlow(mana);
    }

    if (parameters.style != ParametersCombatStyle_Retaliation) {
        if (parameters.style == ParametersCombatStyle_Probability)
            Retaliation(parameters, skills);
        parent->UnderAttack(parameters.attackerId);
        skills.UnderAttack(parameters);
        if (reflectPercent > 0.0f) {
            gEngine->LogCategory(gLogCombat, 0, "    ^b%f%% Damage Reflected\n", reflectPercent);
            ParametersCombat& reflected = original.Get();
            reflected.attributes.FilterReflectDamage();
            reflected.attributes.ScaleDamage(reflectPercent);
            ReflectCombatDamage(reflected, parameters.attackerId);
        }
    }

    // The nested hits above may have removed the attacker; look it up again.
    Character* leecher = lifeLeechPercent > 0.0f
                             ? ObjectManager::Instance().GetObject<Character>(parameters.attackerId)
                             : nullptr;
    if (leecher != nullptr) {
        const float lost = lifeBefore - parent->GetCurrentLife();
        const float life = lost > 0.0f ? lifeLeechPercent * 0.01f * lost : 0.0f;
        if (life > 0.0f) {
            gEngine->LogCategory(gLogCombat, 0, "    ^b%f%% Life Leech return %f Life\n",
                                 lifeLeechPercent, life);
            Bonus bonus;
            bonus.lifePoints = life;
            leecher->TakeBonus(bonus, false, PlayStatsLife_Unknown);
        }
    }

    gEngine->LogCategory(gLogCombat, 0, "]\n");
    durationDamage.EndAttack();
    parent->DisarmAbsEffects();
    return landed;
}

void CombatManager::Retaliation(ParametersCombat& parameters, SkillManager& skills)
{
    RandomUniform generator;
    generator.Seed(parameters.randoms.r3);
    ParametersCombat retaliation(generator);
    CombatAttributeAccumulator& attributes = retaliation.attributes;
    parent->GetEquipRetaliationAttributes(attributes);
    parent->ContributeItemSetRetaliationAttributes(attributes);
    parent->ContributeGameBalanceRetaliationAttributes(attributes);
    skills.GetRetaliationAttributes(attributes);
    attributes.ProcessDamage(*parent, 0.0f, 0.0f, 0.0f, 0.0f);
    if (attributes.IsEmpty())
        return;
    retaliation.offensiveAbility = DesignerCalculateOffensiveAbility(0.0f);
    StrikeBack(*parent, retaliation, parameters.attackerId, PlayStatsDamageType::KindRetaliation);
}

void CombatManager::ReflectCombatDamage(ParametersCombat& reflected, uint32_t targetId)
{
    // The offensive ability stays the first attacker's: a style 3 hit rolls no chance to hit.
    if (reflected.attributes.IsEmpty())
        return;
    StrikeBack(*parent, reflected, targetId, PlayStatsDamageType::KindReflection);
}

} // namespace GAME
