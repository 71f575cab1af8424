// The character's side of combat: taking hits, the formula wrappers that book reductions, the
// damage and absorption effects, speeds, rewards and what combat gathers from the equipment.
#include "ai/ControllerBaseCharacter.h"
#include "ai/ControllerCombat.h"
#include "characters/AnimationSet.h"
#include "characters/Bonus.h"
#include "characters/Character.h"
#include "characters/CharacterActionHandler.h"
#include "characters/CharacterMovementManager.h"
#include "characters/Player.h"
#include "characters/TeamManager.h"
#include "combat/CombatAttributeAccumulator.h"
#include "combat/ParametersCombat.h"
#include "combat/RacialBonus.h"
#include "core/GameEvents.h"
#include "core/Helpers.h"
#include "core/RandomHelpers.h"
#include "engine/ABBox.h"
#include "engine/CollisionData.h"
#include "engine/EffectEntity.h"
#include "engine/Engine.h"
#include "engine/EventManager.h"
#include "engine/LoadTable.h"
#include "engine/LocalizationManager.h"
#include "engine/Name.h"
#include "engine/ObjectManager.h"
#include "engine/SoundPak.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "game/GameEngine.h"
#include "items/EquipManager.h"
#include "items/Item.h"
#include "items/Weapon.h"
#include "skills/SkillAttributeAccumulator.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace GAME {
namespace {

constexpr const char* kCharacterCombatSource = "Project/Game/Character";
constexpr uint32_t kWaterSurface = 7;

// The damage pack of each type, in the order of `damageFx`.
constexpr CombatAttributeType kDamageFxTypes[Character::kNumDamageFx] = {
    CombatAttributeType_Cold,
    CombatAttributeType_Lightning,
    CombatAttributeType_Fire,
    CombatAttributeType_Poison,
    CombatAttributeType_Life,
    CombatAttributeType_Bleeding,
    CombatAttributeType_AttackSpeed,
    CombatAttributeType_SpellCastSpeed,
    CombatAttributeType_RunSpeed,
    CombatAttributeType_OffensiveAbility,
    CombatAttributeType_DefensiveAbility,
    CombatAttributeType_OffensiveReduction,
    CombatAttributeType_DefensiveReduction,
    CombatAttributeType_LifeLeach,
    CombatAttributeType_ManaLeach,
    CombatAttributeType_Fumble,
};

// -1 for a type without a pack.
int32_t DamageFxIndex(CombatAttributeType type)
{
    const auto* end = std::end(kDamageFxTypes);
    const auto* found = std::find(std::begin(kDamageFxTypes), end, type);
    return found == end ? -1 : static_cast<int32_t>(found - std::begin(kDamageFxTypes));
}

uint32_t ItemIdOf(uint32_t id)
{
    return id;
}

uint32_t ItemIdOf(const EquipManagerContainer& container)
{
    return container.itemId;
}

// Takes item ids or the equipment's own entries, so that a hit walks the equipment in place
// instead of copying its ids first; the callers only read the items.
template <typename Entries, typename Function>
void ForEachItem(const Entries& entries, Function function)
{
    const ObjectManager& objects = ObjectManager::Instance();
    for (const auto& entry : entries) {
        if (const Item* item = objects.GetObject<Item>(ItemIdOf(entry)))
            function(*item);
    }
}

ControllerCombat* GetCombatController(uint32_t controllerId)
{
    return ObjectManager::Instance().GetObject<ControllerCombat>(controllerId);
}

void SendObjectEvent(const char* name, uint32_t objectId)
{
    GameEvent_GenericEntity event;
    event.objectId = objectId;
    EventManager::Instance().Send(name, event);
}

} // namespace

// Attacks.

bool Character::TakeAttack(ParametersCombat& parameters)
{
    bio.BioIsTainted();
    playStats.ReceiveHit();
    if (!parameters.auraName.empty())
        AddAura(parameters.auraName, false, parameters.auraDuration);
    return combatManager.TakeAttack(parameters, skillManager, bio);
}

float Character::DesignerCalculatePhysicalDamageDefense(float damage, float protection,
                                                        float absorbed, float bonus) const
{
    const float result =
        combatManager.DesignerCalculatePhysicalDamageDefense(damage, protection, absorbed, bonus);
    playStats.TallyDamageReduction(damage - result, PlayStatsDamageReduction_Unknown);
    return result;
}

float Character::DesignerCalculateShieldBlockDamageReduction(float damage, float shieldDefense,
                                                             float shieldAbsorption) const
{
    const float result = combatManager.DesignerCalculateShieldBlockDamageReduction(
        damage, shieldDefense, shieldAbsorption);
    playStats.TallyDamageReduction(damage - result, PlayStatsDamageReduction_Blocked);
    return result;
}

float Character::DesignerCalculateOffensiveAbility(float bonus) const
{
    return combatManager.DesignerCalculateOffensiveAbility(bonus);
}

float Character::DesignerCalculateDefensiveAbility(float bonus) const
{
    return combatManager.DesignerCalculateDefensiveAbility(bonus);
}

float Character::GetOffensiveReduction() const
{
    return combatManager.ContributeOffensiveReduction();
}

float Character::GetTotalDamageReductionPercent() const
{
    return combatManager.ContributeTotalDamageReductionPercent();
}

float Character::GetTotalDamageReductionAbsolute() const
{
    return combatManager.ContributeTotalDamageReductionAbsolute();
}

float Character::GetFumbleDamage() const
{
    return combatManager.ContributeFumbleDamage();
}

float Character::GetProjectileFumbleDamage() const
{
    return combatManager.ContributeProjectileFumbleDamage();
}

float Character::GetCombatRegionChance(CombatAttributeRegion region) const
{
    return combatManager.GetRegionChance(region);
}

bool Character::IsPoisoned() const
{
    return combatManager.IsPoisoned();
}

uint32_t Character::GetAttackerId() const
{
    return combatManager.GetAttackerId();
}

bool Character::IsUnderAttack() const
{
    return combatManager.GetCombatState() != CombatManager_State_Idle;
}

void Character::AddCombatFilter(CombatFilter* filter)
{
    combatManager.AddCombatFilter(filter);
}

void Character::RemoveCombatFilter(CombatFilter* filter)
{
    combatManager.RemoveCombatFilter(filter);
}

void Character::CombatAddCooldownDamage(int32_t milliseconds)
{
    skillManager.ApplyCooldownDamage(static_cast<float>(milliseconds));
}

// Effects.

void Character::ResetAbsEffects()
{
    if (absEffectFired) {
        for (auto& [type, effect] : absEffects)
            effect.fired = false;
        absEffectFired = false;
    }
    absEffectsArmed = true;
}

void Character::DisarmAbsEffects()
{
    absEffectsArmed = false;
}

void Character::FireAbsEffect(CombatAttributeType damageType)
{
    if (!absEffectsArmed)
        return;
    const auto entry = absEffects.find(damageType);
    if (entry == absEffects.end() || entry->second.fired)
        return;
    AbsEffect& effect = entry->second;
    effect.fired = true;
    absEffectFired = true;
    static const Name target = Name::Create("Target");
    const WorldCoords coords = GetAttachedCoords(target);
    if (!effect.effectName.empty()) {
        ObjectManager& objects = ObjectManager::Instance();
        if (auto* fx = objects.CreateObjectFromFile<EffectEntity>(effect.effectName)) {
            fx->StartEmitting();
            // An effect the world will not take would be nobody's.
            if (!fx->AddToWorld(coords, true))
                objects.DestroyObjectEx(fx, kCharacterCombatSource, __LINE__);
        }
    }
    if (SoundPak* sound = GetSoundPak(effect.soundId))
        sound->Play(coords, false, true);
}

void Character::StartDamageEffect(CombatAttributeType damageType)
{
    const int32_t index = DamageFxIndex(damageType);
    if (index >= 0)
        damageFx[static_cast<size_t>(index)].Enable(true);
}

void Character::StopDamageEffect(CombatAttributeType damageType)
{
    const int32_t index = DamageFxIndex(damageType);
    if (index >= 0)
        damageFx[static_cast<size_t>(index)].Enable(false);
}

void Character::StartInvoluntaryEffect(CombatAttributeType type)
{
    switch (type) {
    case CombatAttributeType_Stun:
        BeginStun();
        break;
    case CombatAttributeType_Trap:
        BeginTrap();
        break;
    case CombatAttributeType_Freeze:
        BeginFreeze();
        break;
    case CombatAttributeType_Petrify:
        BeginPetrify();
        break;
    case CombatAttributeType_Immobilize:
        BeginImmobilize();
        break;
    default:
        break;
    }
}

void Character::StopInvoluntaryEffect(CombatAttributeType type)
{
    switch (type) {
    case CombatAttributeType_Stun:
        EndStun();
        break;
    case CombatAttributeType_Trap:
        EndTrap();
        break;
    case CombatAttributeType_Freeze:
        EndFreeze();
        break;
    case CombatAttributeType_Petrify:
        EndPetrify();
        break;
    case CombatAttributeType_Immobilize:
        EndImmobilize();
        break;
    default:
        break;
    }
}

// The involuntary effects reach the combat controller; freezing and petrifying both
// immobilize it.
void Character::BeginStun()
{
    if (ControllerCombat* controller = GetCombatController(controllerId))
        controller->BeginStun();
}

void Character::EndStun()
{
    if (ControllerCombat* controller = GetCombatController(controllerId))
        controller->EndStun();
}

void Character::BeginTrap()
{
    if (ControllerCombat* controller = GetCombatController(controllerId))
        controller->BeginTrap();
}

void Character::EndTrap()
{
    if (ControllerCombat* controller = GetCombatController(controllerId))
        controller->EndTrap();
}

void Character::BeginFreeze()
{
    BeginImmobilize();
}

void Character::EndFreeze()
{
    EndImmobilize();
}

void Character::BeginPetrify()
{
    BeginImmobilize();
}

void Character::EndPetrify()
{
    EndImmobilize();
}

void Character::BeginImmobilize()
{
    if (ControllerCombat* controller = GetCombatController(controllerId))
        controller->BeginImmobilize();
}

void Character::EndImmobilize()
{
    if (ControllerCombat* controller = GetCombatController(controllerId))
        controller->EndImmobilize();
}

void Character::CombatExertInfluenceFear(int32_t milliseconds)
{
    if (ControllerCombat* controller = GetCombatController(controllerId))
        controller->ScareMe(combatManager.GetAttackerId(), static_cast<float>(milliseconds));
}

void Character::CombatExertInfluenceTaunt(float amount)
{
    if (ControllerCombat* controller = GetCombatController(controllerId))
        controller->TauntMe(amount, combatManager.GetAttackerId());
}

// Stun, immobilisation and traps.

void Character::ExecuteStun()
{
    if (actionState == ActionState_Stun)
        return;
    if (currentAnimationSet == nullptr ||
        !currentAnimationSet->PlayAnimation(*this, AnimationSet_Stun, Name::noName, 1.0f, true))
        gEngine->Log(2, "Failed to start stun animation.");
    SetActionState(ActionState_Stun);
}

void Character::ReleaseStun()
{
    if (actionState == ActionState_Stun)
        CharacterStop();
}

void Character::ExecuteImmobilize()
{
    if (actionState == ActionState_Immobilize)
        return;
    SetActionState(ActionState_Immobilize);
    if (currentAnimationSet != nullptr)
        currentAnimationSet->AdjustAnimation(*this, 0.0f);
}

void Character::ReleaseImmobilize()
{
    if (actionState == ActionState_Immobilize)
        CharacterStop();
}

void Character::ExecuteTrap()
{
    movementDisallowed = true;
    if (actionState != ActionState_Trap)
        SetActionState(ActionState_Trap);
}

void Character::CharacterStop()
{
    if (actionHandler != nullptr)
        actionHandler->Stop();
    movementManager->Reset();
    SetActionState(ActionState_ForcedStop);
}

// Attack target and skills.

void Character::SetCurrentAttackTarget(uint32_t id, const WorldVec3& point, int32_t skillReference)
{
    currentAttackTargetId = id;
    currentAttackPoint = point;
    currentAttackSkillId = static_cast<int32_t>(
        skillManager.GetSkillIdFromReference(static_cast<uint32_t>(skillReference)));
}

void Character::GetCurrentAttackTarget(uint32_t& id, WorldVec3& point, uint32_t& skillId) const
{
    id = currentAttackTargetId;
    point = currentAttackPoint;
    skillId = static_cast<uint32_t>(currentAttackSkillId);
}

bool Character::StartSkill(uint32_t skillId, uint32_t targetId, const WorldVec3& point,
                           uint32_t lastValue)
{
    bio.BioIsTainted();
    return skillManager.StartSkill(skillId, targetId, point, lastValue);
}

bool Character::HandleSkillAnimationCallback(const Name& name, uint32_t skillId, uint32_t targetId,
                                             const WorldVec3& point)
{
    return skillManager.HandleSkillAnimationCallback(name, skillId, targetId, point);
}

void Character::CancelSkillAction(uint32_t skillId)
{
    skillManager.CancelSkillAction(skillId);
}

uint32_t Character::GetSkillReferenceNumber(uint32_t skillId) const
{
    return skillManager.GetSkillReferenceNumber(skillId);
}

void Character::SkillWarmUp(uint32_t skillId, uint32_t flag)
{
    const bool warm = skillManager.SkillWarmUp(skillId, flag);
    if (flag != 0 && skillWarmingUp) {
        skillWarmingUp = false;
        ForceSpeedUpdate();
    } else if (flag == 0 && warm) {
        skillWarmingUp = true;
        ForceSpeedUpdate();
    }
}

void Character::LostSlot()
{
    if (auto* controller =
            ObjectManager::Instance().GetObject<ControllerBaseCharacter>(controllerId))
        controller->LostSlot();
}

Team Character::GetTeam() const
{
    return invisible ? TeamManager::InvisibleTeam() : team;
}

uint32_t Character::GetWorldMarks() const
{
    return IsAlive() ? GetTeam().GetWorldMark() : kDeadMark;
}

void Character::SetLifeState(Character_LifeState state)
{
    lifeState = state;
    MarksChanged();
}

// Sounds.

void Character::PlayStunSound()
{
    if (SoundPak* sound = GetSoundPak(stunSound))
        sound->Play(GetCoords(), false, true);
}

void Character::PlayLoopingRunningSound()
{
    SoundPak* sound = GetSoundPak(loopingRunningSound);
    if (sound == nullptr || sound->IsPlaying())
        return;
    sound->Play(WorldCoords(GetPathPosition()), true, true);
    sound->Track(GetObjectId());
}

void Character::StopLoopingRunningSound()
{
    SoundPak* sound = GetSoundPak(loopingRunningSound);
    if (sound != nullptr && sound->IsPlaying())
        sound->FadeLastPlayedSound(loopingRunningSoundFadeTime);
}

void Character::PlayLowHealthSoundIfNeeded(float currentLife)
{
    const float limit = bio.GetAttribute(CharAttribute_Life);
    if (lowHealthSoundPlayed) {
        if (currentLife >= limit * lowHealthResetLevel * 0.01f)
            lowHealthSoundPlayed = false;
        return;
    }
    if (currentLife > limit * lowHealthTriggerLevel * 0.01f)
        return;
    lowHealthSoundPlayed = true;
    if (SoundPak* sound = GetSoundPak(lowHealthSound))
        sound->Play(GetCoords(), false, true);
    if (auto* controller =
            ObjectManager::Instance().GetObject<ControllerBaseCharacter>(controllerId))
        controller->LowHealth();
}

// Under attack.

void Character::UnderAttack(uint32_t attackerId)
{
    if (ControllerCombat* controller = GetCombatController(controllerId))
        controller->UnderAttack(attackerId);
    if (!ShouldUseDistressCall())
        return;
    DoDistressCall(attackerId);
    distressCallTimer = distressCallTime;
    --distressCallsLeft;
}

void Character::AllyAttacked(uint32_t allyId, uint32_t attackerId)
{
    if (ControllerCombat* controller = GetCombatController(controllerId))
        controller->AllyAttacked(allyId, attackerId);
}

bool Character::ShouldUseDistressCall()
{
    return distressCall && distressCallsLeft > 0 && distressCallTimer <= 0;
}

void Character::DoDistressCall(uint32_t attackerId) const
{
    World* world = gEngine->GetWorld();
    const TeamManager* teams = GameEngine::Get().GetTeamManager();
    if (world == nullptr || teams == nullptr)
        return;
    const WorldVec3 position = movementManager->GetPathPosition();
    std::vector<Entity*> found;
    world->GetEntitiesInSphere(found, position.GetRegion(), position.GetRegionPosition(),
                               distressCallRange);
    for (Entity* entity : found) {
        auto* ally = DynamicCast<Character>(entity);
        if (ally != nullptr && ally != this && teams->IsFriend(GetTeam(), ally->GetTeam()))
            ally->AllyAttacked(GetObjectId(), attackerId);
    }
}

void Character::FindCharactersInSphere(std::vector<Character*>& out, const Region* region,
                                       const Sphere& sphere, bool /*flag*/, int /*listType*/)
{
    out.clear();
    const World* world = gEngine != nullptr ? gEngine->GetWorld() : nullptr;
    if (world == nullptr)
        return;
    // Sight queries run for every thinking character every frame: keep the scratch list.
    // The world passes over loot and effects by class before testing their positions; the flag
    // and the list choose nothing in this world.
    thread_local std::vector<Entity*> found;
    found.clear();
    world->GetEntitiesInSphere(found, region, sphere.center, sphere.radius, Character::classInfo,
                               kMaxCharactersInSphere);
    for (Entity* entity : found)
        out.push_back(static_cast<Character*>(entity));
}

void Character::FindCharactersInSphere(std::vector<Character*>& out, const Region* region,
                                       const Sphere& sphere, const Character& looker, Sight sight,
                                       Life life, const FilterFunction<Entity>* also)
{
    out.clear();
    const World* world = gEngine != nullptr ? gEngine->GetWorld() : nullptr;
    if (world == nullptr)
        return;
    struct Matters : FilterFunction<Entity> {
        const Character* looker;
        Team team;
        Sight sight;
        const FilterFunction<Entity>* also;
        bool operator()(const Entity* entity) const override
        {
            const auto* other = static_cast<const Character*>(entity);
            if (other == looker || (also != nullptr && !(*also)(entity)))
                return false;
            switch (sight) {
            case Sight::Foes:
                return team.IsFoe(other->GetTeam());
            case Sight::Friends:
                return team.IsFriend(other->GetTeam());
            case Sight::Everyone:
                break;
            }
            return true;
        }
    };
    Matters matters;
    matters.looker = &looker;
    matters.team = looker.GetTeam();
    matters.sight = sight;
    matters.also = also;
    // A corpse bears only the dead's mark, so the living are asked for by their sides' marks.
    const uint32_t living = sight == Sight::Foes      ? matters.team.GetFoeMarks()
                            : sight == Sight::Friends ? matters.team.GetFriendMarks()
                                                      : World::kAnyMarks & ~kDeadMark;
    const uint32_t marks = life == Life::AlsoDead ? living | kDeadMark : living;
    thread_local std::vector<Entity*> found;
    found.clear();
    world->GetNearestEntitiesInSphere(
        found, region, sphere.center, sphere.radius,
        {&Character::classInfo, marks, &matters, kMaxCharactersWeighedInSphere, kDeadMark},
        kMaxCharactersInSphere);
    for (Entity* entity : found)
        out.push_back(static_cast<Character*>(entity));
}

// Life, speed, experience and rewards.

void Character::AddManaSlow(float amount)
{
    bio.AddManaSlow(amount);
}

float Character::GetLifeLimit() const
{
    return bio.GetLifeLimit();
}

float Character::GetRunSpeed() const
{
    const float speed = combatManager.GetRunSpeed(GetTotalCharAttribute(CharAttribute_RunSpeed));
    return skillWarmingUp ? CapAbsoluteRunSpeed(speed) : CapRunSpeed(speed);
}

float Character::GetAttackSpeed() const
{
    const float speed = GetTotalCharAttribute(CharAttribute_AttackSpeed);
    float base = GetTotalCharAttribute(CharAttribute_BaseAttackSpeed);
    if (combatManager.GetHandState() == EquipManager_HandState_DualWielded)
        base *= 0.5f;
    return CapAttackSpeed(combatManager.GetAttackSpeed(speed + base));
}

float Character::GetSpellCastSpeed() const
{
    return CapSpellCastSpeed(combatManager.ContributeSpellCastSpeed(
        GetTotalCharAttribute(CharAttribute_SpellCastSpeed)));
}

float Character::CapAbsoluteRunSpeed(float speed) const
{
    GameEngine& hub = GameEngine::Get();
    const LoadTable& settings = hub.GetDatabase();
    const auto difficulty = static_cast<size_t>(hub.GetGameDifficulty());
    const float minimum = settings.GetFloatAt("absoluteRunSpeedCapMin", difficulty, 0.0f);
    const float maximum = settings.GetFloatAt("absoluteRunSpeedCapMax", difficulty, 0.0f);
    if (!(minimum > 0.0f) || !(maximum > 0.0f))
        return speed;
    const float base = bio.GetBaseCharAttribute(CharAttribute_RunSpeed);
    // A record with the bounds swapped still gets a sound clamp.
    const float low = minimum * 0.01f * base;
    const float high = maximum * 0.01f * base;
    return Clamp(speed, Min(low, high), Max(low, high));
}

void Character::ForceSpeedUpdate()
{
    bio.Update(*this, 0);
    if (currentAnimationSet == nullptr)
        return;
    if (actionState == ActionState_Move)
        currentAnimationSet->AdjustAnimation(*this, GetRunSpeed());
    else if (actionState == ActionState_Attack)
        currentAnimationSet->AdjustAnimation(*this, GetAttackSpeed());
}

void Character::ReceiveExperience(uint32_t amount, bool quiet)
{
    const float bonus = GetTotalCharAttribute(CharAttribute_IncreasedExperience);
    uint32_t total = amount;
    if (bonus != 0.0f && std::isfinite(bonus)) {
        const long double extra = static_cast<long double>(bonus) * 0.01f * amount + 0.5L;
        // A negative bonus may not take more than it was given, nor a huge one wrap.
        const long double sum =
            static_cast<long double>(amount) +
            static_cast<int64_t>(Clamp<long double>(extra, -4294967296.0L, 4294967296.0L));
        total = static_cast<uint32_t>(Clamp<long double>(sum, 0.0L, 4294967295.0L));
    }
    if (total == 0)
        return;
    if (experienceLevelControl.ReceiveExperience(total)) {
        bio.ReloadValues();
        // The skill manager raises the masteries allowed here once it keeps them.
        SendObjectEvent("GameEvent_PlayerLevelUp", GetObjectId());
        if (!quiet) {
            SoundPak* sound = GetSoundPak(levelUpSound);
            if (sound != nullptr && GameEngine::Get().GetMainPlayer() == this)
                sound->Play(true);
            if (!levelUpFx.empty())
                pfxManager.OneShotParticleEffect(levelUpFx, std::string());
        }
        playStats.IncrementLevel();
    }
    playStats.GainExperience(total);
}

void Character::IncrementCharLevel()
{
    if (experienceLevelControl.IsMaxLevel())
        return;
    const uint32_t next = experienceLevelControl.GetNextLevelExperience();
    const uint32_t current = experienceLevelControl.GetExperiencePoints();
    // A level table that does not rise would give nothing, or wrap to a huge gift.
    if (next <= current)
        return;
    ReceiveExperience(next - current, true);
}

int32_t Character::GetCurrentLifeInt() const
{
    const float life = GetCurrentLife();
    if (life > 1.0f)
        return static_cast<int32_t>(Min(life, 2147483520.0f));
    return life > 0.0f ? 1 : 0;
}

void Character::AddLifeSlow(float amount, PlayStatsLifeType lifeType)
{
    playStats.GainLife(amount, lifeType);
    bio.AddLifeSlow(amount);
}

void Character::GetBaseCharAttributes(CharAttributeAccumulator& accumulator) const
{
    bio.GetBaseCharAttributes(accumulator);
}

void Character::IncrementBaseAttribute(CharAttributeType type, float amount)
{
    bio.IncrementBaseAttribute(type, amount);
}

void Character::IncrementBaseStrength()
{
    IncrementBaseAttribute(CharAttribute_Strength,
                           static_cast<float>(experienceLevelControl.IncrementBaseStrength()));
}

void Character::IncrementBaseDexterity()
{
    IncrementBaseAttribute(CharAttribute_Dexterity,
                           static_cast<float>(experienceLevelControl.IncrementBaseDexterity()));
}

void Character::IncrementBaseIntelligence()
{
    IncrementBaseAttribute(CharAttribute_Intelligence,
                           static_cast<float>(experienceLevelControl.IncrementBaseIntelligence()));
}

void Character::IncrementBaseLife()
{
    IncrementBaseAttribute(CharAttribute_Life,
                           static_cast<float>(experienceLevelControl.IncrementBaseLife()));
}

void Character::IncrementBaseMana()
{
    IncrementBaseAttribute(CharAttribute_Mana,
                           static_cast<float>(experienceLevelControl.IncrementBaseMana()));
}

void Character::IncrementBaseLife(int32_t amount)
{
    IncrementBaseAttribute(CharAttribute_Life, static_cast<float>(amount));
}

void Character::IncrementBaseMana(int32_t amount)
{
    IncrementBaseAttribute(CharAttribute_Mana, static_cast<float>(amount));
}

void Character::TakeBonus(const Bonus& bonus, bool flag, PlayStatsLifeType lifeType)
{
    bio.BioIsTainted();
    bio.TakeBonus(bonus, flag);
    if (bonus.experiencePoints != 0)
        ReceiveExperience(bonus.experiencePoints, false);
    if (bonus.goldPoints != 0)
        AddMoney(bonus.goldPoints);
    if (bonus.attributePoints != 0)
        experienceLevelControl.AddModifierPoints(bonus.attributePoints);
    if (bonus.skillPoints != 0) {
        experienceLevelControl.AddToSkillPoints(bonus.skillPoints);
        SendObjectEvent("GameEvent_PlayerSkillUp", GetObjectId());
    }
    if (!bonus.effectName.empty())
        pfxManager.OneShotParticleEffect(bonus.effectName, std::string());
    playStats.GainLife(bio.GetBonusLifeAmount(bonus), lifeType);
}

// Sounds.

void Character::PlayAttackSound() const
{
    if (SoundPak* sound = GetSoundPak(attackSound))
        sound->Play(GetCoords(), false, true);
}

void Character::PlayArmSwipeSound() const
{
    if (SoundPak* sound = GetSoundPak(swipeSound))
        sound->Play(GetCoords(), false, true);
}

void Character::PlayLootSound()
{
    if (SoundPak* sound = GetSoundPak(lootSound))
        sound->Play(GetCoords(), false, true);
}

void Character::PlayBodyFallSound(uint32_t surface)
{
    static const Name target = Name::Create("Target");
    const WorldCoords position = GetAttachedCoords(target);
    if (surface == kWaterSurface) {
        if (SoundPak* sound = GetSoundPak(splashSound))
            sound->Play(position, false, true);
        return;
    }
    static const Name bodyFall = Name::Create("bodyFallSound");
    animationSounds.PlaySound(*this, bodyFall, &position);
}

void Character::PlayImpactSound()
{
    if (!(RandomFloat(0.0f, 100.0f) < impactSoundChance))
        return;
    if (SoundPak* sound = GetSoundPak(impactSound))
        sound->Play(GetCoords(), false, true);
}

SoundPak* Character::GetCriticalHitSound() const
{
    return GetSoundPak(criticalHitSound);
}

// Collisions, effects and neighbours.

CharacterBuff Character::ConvertFxBuffName(const std::string& name)
{
    if (name == "Fire")
        return CharacterBuff_Fire;
    if (name == "Poison")
        return CharacterBuff_Poison;
    return CharacterBuff_None;
}

void Character::StopCharacterBuffFx(CharacterBuff buff)
{
    const auto found = buffFx.find(buff);
    if (found != buffFx.end() && found->second != nullptr)
        found->second->Enable(false);
}

bool Character::CanCollide(const Entity* other) const
{
    if (other == nullptr)
        return true;
    return DynamicCast<Item>(other) == nullptr && DynamicCast<Character>(other) == nullptr;
}

void Character::CollisionCallback(const CollisionData& data)
{
    if (data.impact)
        PlayBodyFallSound(data.surface);
}

void Character::StopAttachedEffects()
{
    for (size_t i = 0; i < GetNumAttachedEntities(); ++i) {
        if (auto* effect = DynamicCast<EffectEntity>(GetAttachedEntity(i)))
            effect->StopEmitting();
    }
}

void Character::GetLivingCharacters(std::vector<Entity*>& out, const ABBox& box) const
{
    World* world = gEngine->GetWorld();
    if (world == nullptr)
        return;
    world->GetEntitiesInBox(out, box, nullptr, false, 2);
    const auto unwanted = [this](Entity* entity) {
        const auto* character = DynamicCast<Character>(entity);
        return character == nullptr || character == this || !character->IsAlive() ||
               DynamicCast<Player>(entity) != nullptr;
    };
    out.erase(std::remove_if(out.begin(), out.end(), unwanted), out.end());
}

// What combat gathers.

void Character::GetAllDefenseAttributes(CombatAttributeAccumulator& accumulator) const
{
    ForEachItem(combatManager.GetEquipManager().GetAttachedItems(),
                [&](const Item& item) { item.GetDefenseAttributes(accumulator); });
    skillManager.GetDefenseAttributes(accumulator);
    bio.GetDefenseAttributes(accumulator);
    ContributeItemSetDefenseAttributes(accumulator);
    ContributeGameBalanceDefenseAttributes(accumulator);
}

void Character::ContributeRacialBonusDefense(const std::vector<std::string>& races,
                                             RacialBonus_Defense& bonus) const
{
    ForEachItem(combatManager.GetEquipManager().GetAttachedItems(),
                [&](const Item& item) { item.ContributeRacialBonusDefense(races, bonus); });
    skillManager.ContributeRacialBonusDefense(races, bonus);
}

void Character::GetEquipRetaliationAttributes(CombatAttributeAccumulator& accumulator) const
{
    ForEachItem(combatManager.GetEquipManager().GetAttachedItems(),
                [&](const Item& item) { item.GetRetaliationAttributes(accumulator); });
}

void Character::GetEquipSkillAttributes(SkillAttributeAccumulator& accumulator) const
{
    ForEachItem(combatManager.GetEquipManager().GetAttachedItems(),
                [&](const Item& item) { item.GetSkillAttributes(accumulator); });
}

void Character::GetEquipArmorDamageAttributes(CombatAttributeAccumulator& accumulator) const
{
    std::vector<uint32_t> ids;
    combatManager.GetEquipManager().GetAllNonWeapons(ids);
    ForEachItem(ids, [&](const Item& item) { item.GetOffensiveDamageAttributes(accumulator); });
}

void Character::GetEquipOffensiveModifierAttributes(CombatAttributeAccumulator& accumulator) const
{
    ForEachItem(combatManager.GetEquipManager().GetAttachedItems(),
                [&](const Item& item) { item.GetOffensiveModifierAttributes(accumulator); });
}

void Character::ContributeRacialBonusDamage(const std::vector<std::string>& races,
                                            uint32_t weaponId, RacialBonus_Damage& bonus) const
{
    std::vector<uint32_t> ids;
    combatManager.GetEquipManager().GetAllNonWeapons(ids);
    ForEachItem(ids, [&](const Item& item) { item.ContributeRacialBonusDamage(races, bonus); });
    skillManager.ContributeRacialBonusDamage(races, bonus);
    if (const Weapon* weapon = ObjectManager::Instance().GetObject<Weapon>(weaponId))
        weapon->ContributeRacialBonusDamage(races, bonus);
}

} // namespace GAME

namespace GAME {

void Character::AppendHandDamageSummary(GameTextClass textClass,
                                        std::vector<GameTextLine>& lines) const
{
    LocalizationManager& texts = LocalizationManager::Instance();
    float minimum = 0.0f;
    float maximum = 0.0f;
    combatManager.GetHandHitDamage(minimum, maximum);
    if (minimum == maximum)
        lines.emplace_back(textClass, texts.Format("SkillPetDescriptionDamageMinOnly", minimum),
                           false);
    else
        lines.emplace_back(
            textClass, texts.Format("SkillPetDescriptionDamageMinMax", minimum, maximum), false);
    lines.emplace_back(textClass, std::wstring(), false);
}

} // namespace GAME
