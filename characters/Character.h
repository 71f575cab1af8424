#pragma once

#include "characters/AnimationSound.h"
#include "characters/CharAttributeType.h"
#include "characters/CharFxPak.h"
#include "characters/CharacterBio.h"
#include "characters/CharacterRagDoll.h"
#include "characters/ExperienceLevelControl.h"
#include "characters/PFxManager.h"
#include "characters/Team.h"
#include "combat/AuraManager.h"
#include "combat/CombatAttributeType.h"
#include "combat/CombatManager.h"
#include "core/EnumConverter.h"
#include "core/GameTextLine.h"
#include "core/PlayStats.h"
#include "engine/Actor.h"
#include "engine/FilterFunction.h"
#include "engine/GameTimer.h"
#include "engine/Name.h"
#include "engine/Sphere.h"
#include "engine/Vec3.h"
#include "engine/WorldCoords.h"
#include "engine/WorldVec3.h"
#include "items/EquipLocations.h"
#include "items/EquipManager_HandState.h"
#include "items/GarmentManager.h"
#include "items/Inventory.h"
#include "items/LootLoader.h"
#include "items/RandomizerWeightModifiers.h"
#include "items/Weapon_Type.h"
#include "skills/SkillManager.h"

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace GAME {

class AnimationSet;
class Bonus;
class CharAttributeAccumulator;
class CharacterActionHandler;
class CharacterMovementManager;
class CollisionData;
class CombatAttributeAccumulator;
class CombatFilter;
class DeathManager;
class Item;
class DurationDamageManager;
class GraphicsAnim;
class LoadTable;
class MovementGoalManager;
class Path;
class ParametersCombat;
class ProjectileInfo;
class Prop;
class Skill;
class SkillAttributeAccumulator;
class RandomUniform;
class Region;
class SlotManager;
class SoundPak;
struct ABBox;
class Entity;
struct InventoryReplica;
struct PathGenerationParams;
struct PlayStatsDamageType;
struct RacialBonus_Damage;
struct RacialBonus_Defense;
struct SkillBuffTransfer;
struct SkillActiveState;
struct SkillState;
enum AnimationSet_Type : int32_t;

enum Character_LifeState : int32_t {
    LifeState_Unknown = 0,
    LifeState_Initializing = 1,
    LifeState_Alive = 2,
    LifeState_Dying = 3,
    LifeState_Dead = 4,
    LifeState_Respawning = 5
};

// Value 2 has no name.
enum Character_ActionState : int32_t {
    ActionState_Unknown = 0,
    ActionState_ForcedStop = 1,
    ActionState_Idle = 3,
    ActionState_Fidget = 4,
    ActionState_Move = 5,
    ActionState_Walk = 6,
    ActionState_Attack = 7,
    ActionState_Stun = 8,
    ActionState_Immobilize = 9,
    ActionState_Trap = 10,
    ActionState_Pickup = 11,
    ActionState_Chatting = 12,
    ActionState_Fallen = 13,
    ActionState_Dying = 14
};

// Record key "characterGenderProfile"; a word that names none of these is `Gender_None`.
enum Character_Gender : int32_t {
    Gender_None = 0,
    Gender_Male = 1,
    Gender_Female = 2,
    Gender_Native = 3,
    Gender_Satyr = 4,
    Gender_JackalMan = 5,
    Gender_Tigerman = 6
};

// Record key "pathingSize"; any other word is Small. Picks the row of the shared effects too.
enum PathingSize : int32_t { PathingSize_Small = 0, PathingSize_Medium = 1, PathingSize_Large = 2 };

enum CharacterBuff : int32_t {
    CharacterBuff_None = 0,
    CharacterBuff_Fire = 1,
    CharacterBuff_Poison = 2
};

// The base of every creature: players, monsters and the people of the towns. It owns the
// managers of the other subsystems (combat, skills, auras, garments, inventory, movement,
// effects), its life in a bio and its levels in an experience control, one animation set per
// weapon style, its sounds and shared effect packs, and the death handlers made for it when it
// enters the world. `Load` reads the record (with the hub: the game settings name the default
// combat record and the shared effects); construction and destruction need no hub.
//
// Sound packs are held by object id: when every object is torn down at once a pack may go
// before its character, and a kept pointer would then dangle.
class Character : public Actor {
    GAME_DECLARE_CLASS(Character)

public:
    // One absorption effect of a damage type; the sound pack is owned.
    struct AbsEffect {
        std::string effectName;
        uint32_t soundId = 0;
        bool fired = false;
    };

    static constexpr size_t kNumAnimationSets = 6;
    static constexpr size_t kNumDamageFx = 16;
    static constexpr int32_t kLoopingRunningSoundFadeTime = 1000;
    static constexpr size_t kNumLootSlots = 9;
    // The most characters a sight query answers: a monster in a crowd packed tighter than any
    // level places its monsters weighs the nearest ones, rather than all of them at the square
    // of the crowd's size.
    static constexpr size_t kMaxCharactersInSphere = 32;
    // Those they are chosen among: in a crowd of them, the first ones met walking outward from
    // the looker, so those nearest; the dead have a bound of their own.
    static constexpr size_t kMaxCharactersWeighedInSphere = 8 * kMaxCharactersInSphere;
    // Whom a looker's sight weighs.
    enum class Sight { Foes, Friends, Everyone };
    // Whether it weighs the dead too, after every living one.
    enum class Life { Living, AlsoDead };
    // The world mark of a character that is not alive, in place of its team's (no team's mark is
    // this one): sight that weighs only the living never meets a corpse, however many lie about.
    static constexpr uint32_t kDeadMark = 1u << 31;
    // The most money a character can hold.
    static constexpr uint32_t kMaxMoney = 2000000000;

    // The loot state a replica or a saved level carries, copied whole: the seed and level
    // argument share the first word, then one item id per slot (head, neck, right hand, left
    // hand, torso, lower body, forearm, finger 1, finger 2).
    struct LootStruct {
        uint16_t seed = 0;
        uint16_t levelArgument = 0;
        std::array<uint32_t, kNumLootSlots> itemIds{};
    };
    static_assert(sizeof(LootStruct) == 40, "ten 32-bit words");

    Character();

    // Virtual operations, in the order of their slots.
    void Load(const LoadTable& table) override;
    ~Character() override;
    void PreLoad(bool flag) override;
    void InitialUpdate() override;
    bool ShouldServerSpawn() const override { return true; }
    virtual float GetExtents() const;
    // Null for an empty or missing name; the caller gives the load back to the graphics engine.
    virtual GraphicsAnim* LoadAnimation(const std::string& name);
    // Switches to the set of what the hands hold; a style never allocated keeps the current set.
    virtual void SetAnimation(EquipManager_HandState handState);
    virtual GraphicsAnim* GetCurrentAnimation() const;
    virtual void TeleportToLocation(const WorldCoords& coords);
    // Tells the world, whose marks tell the living from the dead.
    virtual void SetLifeState(Character_LifeState state);
    virtual Character_LifeState GetLifeState() const { return lifeState; }
    virtual const char* GetLifeStateAsText() const;
    virtual void SetActionState(Character_ActionState state) { actionState = state; }
    virtual Character_ActionState GetActionState() const { return actionState; }
    // Unknown counts as alive: a character not yet set up is not a corpse.
    virtual bool IsAlive() const;
    // The controller hears of a change of major or minor team only.
    virtual void SetTeam(const Team& newTeam);
    virtual Character_Gender GetGender() const { return gender; }
    virtual const std::vector<std::string>& GetRace() const { return racialProfile; }
    // Makes this character follow the caster for a while; a plain character follows nobody.
    virtual void JoinMe(uint32_t /*casterId*/, int32_t /*milliseconds*/, bool /*converted*/) {}
    // How high a resistance may be processed; 0 means no cap.
    virtual float GetDefenseAttributeCap() const { return 0.0f; }
    // A player or monster adds its game-balance pack; a plain character adds nothing.
    virtual void
    ContributeGameBalanceCharAttributes(CharAttributeAccumulator& /*accumulator*/) const
    {}
    virtual void
    ContributeGameBalanceSkillAttributes(SkillAttributeAccumulator& /*accumulator*/) const
    {}
    virtual void ContributeGameBalanceOffensiveDamageAttributes(
        CombatAttributeAccumulator& /*accumulator*/) const
    {}
    virtual void ContributeGameBalanceOffensiveModifierAttributes(
        CombatAttributeAccumulator& /*accumulator*/) const
    {}
    // Fear and taunts reach the combat controller, naming the last attacker; a plain character
    // cannot be confused.
    virtual void CombatExertInfluenceFear(int32_t milliseconds);
    virtual void CombatExertInfluenceConfusion(int32_t /*milliseconds*/) {}
    virtual void CombatExertInfluenceTaunt(float amount);
    virtual void CombatAddCooldownDamage(int32_t milliseconds);
    virtual void CombatAddLifeLeechDamage(float percent);
    // The effects hung on this character, through its effect manager.
    virtual uint32_t AddParticleEffect(const std::string& record, const std::string& attachPoint);
    virtual void StartParticleEffect(uint32_t id);
    virtual void StopParticleEffect(uint32_t id);
    virtual void RemoveParticleEffect(uint32_t& id);
    virtual uint32_t AddMeshEffect(const std::string& record);
    virtual void StartMeshEffect(uint32_t id);
    virtual void StopMeshEffect(uint32_t id);
    virtual void RemoveMeshEffect(uint32_t& id);
    virtual PathingSize GetSize() const { return pathingSize; }
    // Plays the absorption effect of a damage type at most once per arming.
    virtual void FireAbsEffect(CombatAttributeType damageType);
    // A player holds a set for every weapon style; others only for what they hold.
    virtual bool AllocateAllAnimSets() const { return false; }
    // The two steps of a death: when the death manager starts, and when it is done.
    virtual void ImDying();
    virtual void ImDead();
    // Their last steps, for the kinds to add to.
    virtual void CharacterIsDying();
    virtual void CharacterHasDied() {}
    // The aura's id, 0 when none was made.
    virtual uint32_t AddAura(const std::string& recordName, bool permanent, int32_t seconds);
    // False keeps the character off hate lists.
    virtual bool CausesAnger() const { return causesAnger; }
    // A hit taken: books it, adds the attack's aura and lets the combat manager resolve it.
    virtual bool TakeAttack(ParametersCombat& parameters);
    virtual void ResetAbsEffects();
    virtual void DisarmAbsEffects();
    // The damage pack of a type; types without a pack do nothing.
    virtual void StartDamageEffect(CombatAttributeType damageType);
    virtual void StopDamageEffect(CombatAttributeType damageType);
    virtual void TakeBonus(const Bonus& bonus, bool flag, PlayStatsLifeType lifeType);
    // Rolled against the record's chance on every call.
    virtual void PlayImpactSound();
    virtual SoundPak* GetCriticalHitSound() const;
    // A player or monster adds its game-balance pack; a plain character adds nothing.
    virtual void
    ContributeGameBalanceDefenseAttributes(CombatAttributeAccumulator& /*accumulator*/) const
    {}
    virtual void
    ContributeGameBalanceRetaliationAttributes(CombatAttributeAccumulator& /*accumulator*/) const
    {}
    virtual void UnderAttack(uint32_t attackerId);
    virtual void AllyAttacked(uint32_t allyId, uint32_t attackerId);
    virtual bool ShouldUseDistressCall();
    // A player caps its speeds; others run as fast as their attributes say.
    virtual float CapRunSpeed(float speed) const { return speed; }
    virtual float CapAttackSpeed(float speed) const { return speed; }
    virtual float CapSpellCastSpeed(float speed) const { return speed; }
    // Takes the item out of the inventory onto the body, stopping an attack under way.
    virtual void AttachItemAction(uint32_t itemId, EquipLocations location);
    // Nothing for an item that is not attached.
    virtual void DetachItemAction(uint32_t itemId);
    // A player takes what it is given; others do not.
    virtual void GiveItemToCharacter(Item* /*item*/) {}
    virtual void NotifyControllerItemRemovedFromInventory(uint32_t /*itemId*/) {}
    // Throws the item from the left hand into the world; the floats are unused.
    virtual void DropItem(Item* item, float unused1, float unused2);
    // Items, characters and sounds pass through; null collides.
    virtual bool CanCollide(const Entity* other) const;
    void CollisionCallback(const CollisionData& data) override;
    // A plain character is neither stunned by formula nor aims.
    virtual float CalculateStun(float /*a*/, float /*b*/, float /*c*/, float /*d*/) { return 0.0f; }
    virtual float GetChanceToHit(Skill* /*skill*/) { return 0.0f; }

    // The frame: body, skills and controller before the animation; then everything else.
    void PreAnimationUpdate(int32_t elapsedMs) override;
    void UpdateSelf(int32_t elapsedMs) override;
    // An event an animation raised; kind 0 is the game's own.
    void AnimationCallback(int32_t kind, const Name& name) override;
    void TweakPose() override;
    virtual float GetAmbientHighlight() const;
    virtual void DebugRender();
    virtual bool DoDebugRender() const { return true; }
    virtual void SetIsControllingCharacter(bool value) { isControllingCharacter = value; }
    virtual bool IsHiding() const;
    virtual bool IsImmobilized() const { return actionState == ActionState_Immobilize; }
    virtual bool IsCharacter() const { return true; }
    virtual bool IsOfInterest() const { return ofInterest; }
    virtual void TouchedByPlayer() { ofInterest = false; }
    bool OccludesPathing() const override;
    // The mark of the team the character shows (see GetTeam).
    uint32_t GetWorldMarks() const override;
    void OnDestroy() override;
    virtual void StopRespawn();
    virtual void StartRespawn(const WorldCoords& coords);
    virtual void SetSpineCurve(float curve);
    virtual void PlayLowHealthSoundIfNeeded(float currentLife);
    virtual void ExecuteStun();
    virtual void ReleaseStun();
    virtual void ExecuteImmobilize();
    virtual void ReleaseImmobilize();
    virtual void ExecuteTrap();
    virtual void ReleaseTrap() { movementDisallowed = false; }
    virtual bool CanMoveTo(const WorldVec3& point, float tolerance);
    virtual void WalkTo(const WorldVec3& point, float speed);
    virtual WorldCoords GetChatCoords() const;
    // The lines a pet's or creature's tooltip shows; nothing for a plain character.
    virtual void CreateUISummaryText(GameTextClass /*textClass*/,
                                     std::vector<GameTextLine>& /*lines*/) const
    {}
    virtual void CharacterStop();
    virtual bool NearTarget(uint32_t targetId, float margin) const;
    virtual float GetPathSlowdownLength() const;
    virtual void FollowPath(int32_t elapsedMs);
    virtual bool DeleteOnEnteringUnloadedLevel() const { return false; }
    virtual bool ShouldLoadLoot() const { return false; }
    virtual bool GetShouldRenderAcrossPortals() const { return true; }
    virtual bool WillYouChat(uint32_t /*otherId*/) { return false; }
    virtual bool ChatWith(uint32_t /*otherId*/) { return false; }
    virtual void DumpPlayStats();
    // What the game calls the character; the kinds give their own.
    virtual std::wstring GetGameDescription(bool /*flag*/) const
    {
        return std::wstring(GetObjectName().begin(), GetObjectName().end());
    }

    // Path following, through the movement manager.
    void ResetMovementManager();
    bool IsMoving() const;
    bool CanWalk() const;
    bool AlreadyThere(const WorldVec3& point) const;
    WorldVec3 GetFurthestMoveToPoint(const WorldVec3& point);
    WorldVec3 GetPathPosition();
    // Unset unless moving.
    WorldVec3 GetPathTarget() const;
    Path* GetPath() const;
    void UpdatePathPosition(const WorldVec3& point);
    // Moves the entity there too.
    void SetPathPosition(const WorldVec3& point);
    void SetPathPositionNotCoords(const WorldVec3& point);
    float GetPathMass() const;
    void SetPathMass(float mass) { pathMass = mass; }
    bool DisallowsMovement() const { return movementDisallowed; }
    static MovementGoalManager& GetMovementGoalManager();
    void GetPathGenerationParams(PathGenerationParams& params) const;
    Sphere GetRegionBoundingSphere() const;
    // The characters among the world's entities in the sphere (centre relative to the region),
    // in the order found, no more than `kMaxCharactersInSphere`; `out` is cleared first. Nothing
    // without a world or a region.
    static void FindCharactersInSphere(std::vector<Character*>& out, const Region* region,
                                       const Sphere& sphere, bool flag = true, int listType = 2);
    // The foes or friends of the looker (or everyone) in the sphere that `also` (when given)
    // accepts, the looker left out: the `kMaxCharactersInSphere` nearest the centre, in the order
    // the world answers (see World::GetNearestEntitiesInSphere), of the
    // `kMaxCharactersWeighedInSphere` living ones met first looking outward from the centre; the
    // dead, when asked for, only after every living one, under a bound of their own. Only a crowd
    // of more of that side in the nearest cells hides one: a crowd farther off, of other sides
    // or of corpses, none.
    //
    // The dead are wanted by the states' own sight (`ControllerAIState::FindEnemiesInSight` and
    // its kin), whose callers judge life for themselves as one raising remains or looting a
    // corpse would, and by a monster that dies as a foe comes near. A monster's own sight (heal,
    // buff, anger, random anger, an enemy too close, the hidden look-out, flight towards friends,
    // calling followers, a roar) weighs only the living, as does a mover steering round others.
    static void FindCharactersInSphere(std::vector<Character*>& out, const Region* region,
                                       const Sphere& sphere, const Character& looker, Sight sight,
                                       Life life, const FilterFunction<Entity>* also = nullptr);
    void MoveTo(const WorldVec3& point, float blendTime);
    CharacterMovementManager* GetMovementManager() const { return movementManager.get(); }
    void CharacterStopMoving();
    // Re-aims the path at a moving attack target.
    void UpdatePath();

    // Where to stand to act on another object; no region when there is no such place.
    WorldVec3 GetMoveToPoint(uint32_t targetId, uint32_t skillId, const WorldVec3& point);
    void RequestAttackSlot(WorldVec3& out, uint32_t attackerId, uint32_t skillId);
    void RequestDefenseSlot(WorldVec3& out, uint32_t otherId, bool flag);
    void ReleaseAttackSlot(uint32_t id);
    void ReleaseDefenseSlot(uint32_t id);
    // The rings themselves, for whoever must look at who holds what.
    SlotManager& GetAttackSlotManager() { return *attackSlots; }
    SlotManager& GetDefenseSlotManager() { return *defenseSlots; }
    static float GetTargetDistance(uint32_t characterId, uint32_t targetId, uint32_t skillId);
    // Tells the controller its slot went.
    void LostSlot();
    void ProjectileNotification(uint32_t projectileId);
    void ProjectileCollisionCallback(const ProjectileInfo& info, const CollisionData& data);
    void AllowDualWieldWeapons(bool allow);
    void SetWeaponEnchantment(const std::string& name)
    {
        combatManager.GetEquipManager().SetWeaponEnchantment(name);
    }
    // A skill's prop in the character's hands; nothing for null.
    void AddEquipmentProp(Prop* prop)
    {
        if (prop != nullptr)
            combatManager.GetEquipManager().AddPropAttachment(*prop);
    }
    void RemoveEquipmentProp(uint32_t propId)
    {
        combatManager.GetEquipManager().RemovePropAttachment(propId);
    }
    // The controller decides whether the buff reaches this character.
    void ControllerAddSkillBuff(const SkillBuffTransfer& transfer,
                                const std::vector<Weapon_Type>& weaponTypes, bool needsTwoWeapons);

    // Attack target and skills.
    void SetCurrentAttackTarget(uint32_t id, const WorldVec3& point, int32_t skillReference);
    void GetCurrentAttackTarget(uint32_t& id, WorldVec3& point, uint32_t& skillId) const;
    void RotateTowardsTarget(bool on) { rotateTowardsTarget = on && !disallowRotation; }
    void ShowAngerLevels(bool value) { showAngerLevels = value; }
    bool GetShowAngerLevels() const { return showAngerLevels; }
    void SetInvisible(bool value)
    {
        invisible = value;
        MarksChanged();
    }
    bool StartSkill(uint32_t skillId, uint32_t targetId, const WorldVec3& point,
                    uint32_t lastValue);
    bool HandleSkillAnimationCallback(const Name& name, uint32_t skillId, uint32_t targetId,
                                      const WorldVec3& point);
    void CancelSkillAction(uint32_t skillId);
    uint32_t GetSkillReferenceNumber(uint32_t skillId) const;
    void SkillWarmUp(uint32_t skillId, uint32_t flag);

    // Sounds.
    void PlayStunSound();
    void PlayLoopingRunningSound();
    void StopLoopingRunningSound();

    // State restored from a saved level or a replica.
    void SetInitialStateInfo(Character_ActionState state, const WorldVec3& point, uint32_t targetId,
                             uint32_t skillId);
    void RestoreLifeState();
    void SetActionHandler(CharacterActionHandler* handler);
    CharacterActionHandler* GetActionHandler() const { return actionHandler.get(); }
    bool IsControllingCharacter() const { return isControllingCharacter; }
    void SetObserverMode(bool value) { observerMode = value; }
    void SetObserverCheatMode(bool value) { hiddenFromCombat = value; }
    void SetExtentsLarge();
    void SetExtentsSmall();
    const std::string& GetRagDollBehaviorOverride() const { return overrideRagdollBehavior; }
    float GetRagDollSpeedOverride() const { return overrideRagdollSpeed; }
    const std::string& GetPortraitName() const { return portraitName; }
    const std::string& GetGoldGenerator() const { return goldGenerator; }
    float GetGoldGeneratorChance() const { return goldGeneratorChance; }
    const std::string& GetDistressCallGroup() const { return distressCallGroup; }
    void DestroyMe();
    void SendQuestMoveCompletedEvent() const;
    void SendQuestAnimationCompletedEvent() const;

    // Turning and pose.
    void RotateTowards(int32_t ms, const Vec3& direction, const WorldVec3& position);
    float GetMinRotationSpeed() const { return minRotationSpeed; }
    float GetMaxRotationSpeed() const { return maxRotationSpeed; }
    float GetSpineCurve() const { return spineCurve; }
    float GetTargetSpineCurve() const { return targetSpineCurve; }
    void Update_TweakPose(int32_t ms);
    void SetBreastSupport(float value);
    float GetBreastSupport() const { return breastSupport; }
    void TweakPose_Head() {}
    void TweakPose_Spine() {}
    void TweakPose_Breasts();
    void SetPointOfInterest(const Vec3& point);
    void ClearPointOfInterest() { hasPointOfInterest = false; }
    bool ShouldRotateWhenChatting() const { return rotateWhenChatting; }
    int32_t GetFrameTime() const { return frameTime; }

    // States.
    static const char* GetActionStateAsText(Character_ActionState state);
    const char* GetActionStateAsText() const { return GetActionStateAsText(actionState); }
    // While invisible the character belongs to the invisible team.
    Team GetTeam() const;
    bool IsTeleporting() const { return teleporting; }
    void SetTeleporting(bool value) { teleporting = value; }
    uint32_t GetEffectIndex() const;
    const WorldCoords& GetSpawnPoint() const { return spawnPoint; }
    void SetSpawnPoint(const WorldCoords& coords) { spawnPoint = coords; }
    uint32_t GetControllerId() const { return controllerId; }
    // The controller object that drives this character; the character destroys it, and the one
    // it replaces.
    void SetControllerId(uint32_t id);
    // Null until `InitialUpdate`.
    DeathManager* GetDeathManager() const { return deathHandlers.get(); }
    int32_t GetLoopingRunningSoundFadeTime() const { return loopingRunningSoundFadeTime; }

    // What the record asks of a death.
    const std::string& GetDeleteBehavior() const { return deleteBehavior; }
    const std::string& GetActorToSpawnOnDeath() const { return actorToSpawnOnDeath; }
    bool ShouldWaitForCallbackToSpawn() const { return waitForCallbackToSpawn; }
    const std::string& GetActorToSpawnForMyBones() const { return actorToSpawnForMyBones; }
    const std::string& GetDissolveEffect() const { return dissolveEffect; }
    const std::string& GetDissolveLight() const { return dissolveLight; }
    float GetDissolveTime() const { return dissolveTime; } // seconds
    const std::string& GetDissolveTexture() const { return dissolveTexture; }
    int32_t GetDissolveColorRed() const { return dissolveColorR; }
    int32_t GetDissolveColorGreen() const { return dissolveColorG; }
    int32_t GetDissolveColorBlue() const { return dissolveColorB; }
    const std::string& GetDeathEffect() const { return deathEffect; }

    // The rag doll: it takes over a death only near the view and with a body to throw.
    bool ShouldDoRagDoll() const;
    bool ShouldDoLateCrumple() const { return doLateCrumple; }
    // Once: type 3 a rag doll, any other type a rigid body.
    void CreatePhysicsObject() override;
    // Kept unless forced once life is gone, so the blow that killed decides the fall.
    void SetRagdollData(const CharacterRagDoll::EffectData& data, bool force);
    const CharacterRagDoll::EffectData& GetRagdollData() const { return ragdollData; }

    // Sounds.
    void PlayAnimationSound(Actor& actor, const Name& name);
    void PlayDeathSound();

    // Auras, through the aura manager.
    void RemoveAura(uint32_t id);
    void RemoveAura(const std::string& recordName);

    // Anger that this character causes in monsters.
    void SetCausesAnger(bool value) { causesAnger = value; }
    float GetAngerMultiplier() const { return angerMultiplier; }

    // Animations.
    AnimationSet* GetAnimationSet() const { return currentAnimationSet; }
    bool CanPlayAnimation(AnimationSet_Type type) const;

    // Life, mana, attributes and levels, through the bio and the experience control.
    CharacterBio& GetCharacterBio() { return bio; }
    const CharacterBio& GetCharacterBio() const { return bio; }
    void SubtractLife(float amount, const PlayStatsDamageType& statsType);
    void SubtractMana(float amount);
    float GetCurrentLife() const { return bio.GetCurrentLife(); }
    float GetCurrentMana() const { return bio.GetCurrentMana(); }
    void SetCurrentMana(float value);
    void AddManaSlow(float amount);
    float GetLifeLimit() const;
    // Bonus experience from IncreasedExperience is added first; `quiet` skips sound and effect.
    void ReceiveExperience(uint32_t amount, bool quiet);
    uint32_t GetCurrentMoney() const { return currentMoney; }
    void AddMoney(uint32_t amount);
    // Speeds after the combat manager's slows and the caps.
    float GetRunSpeed() const;
    float GetAttackSpeed() const;
    float GetSpellCastSpeed() const;
    // Clamps to the game settings' per-difficulty share of the base run speed, when set.
    float CapAbsoluteRunSpeed(float speed) const;
    // Refreshes the attribute totals and re-times a running or attacking animation.
    void ForceSpeedUpdate();
    float GetTotalCharAttribute(CharAttributeType type) const { return bio.GetAttribute(type); }
    uint32_t GetCharLevel() const { return experienceLevelControl.GetCharLevel(); }
    uint32_t GetExperiencePoints() const { return experienceLevelControl.GetExperiencePoints(); }
    uint32_t GetModifierPoints() const { return experienceLevelControl.GetModifierPoints(); }
    uint32_t GetSkillPoints() const { return experienceLevelControl.GetSkillPoints(); }
    // What killing this character is worth.
    uint32_t GetExperienceReward() const;
    bool IsInvincible() const { return invincible; }
    void SetInvincible(bool value) { invincible = value; }
    bool IsGod() const { return god; }
    void SetGod(bool value) { god = value; }
    bool IsOmnipotent() const { return omnipotent; }
    void SetOmnipotent(bool value) { omnipotent = value; }
    PlayStats& GetPlayStats() { return playStats; }
    const PlayStats& GetPlayStats() const { return playStats; }

    // What the bio gathers into the attribute totals on every update.
    void GetEquipCharAttributes(CharAttributeAccumulator& accumulator) const;
    void GetSkillCharAttributes(CharAttributeAccumulator& accumulator) const;
    // Each worn set's bonus at the number of its pieces worn.
    void ContributeItemSetCharAttributes(CharAttributeAccumulator& accumulator) const;
    void AddItemToSet(const std::string& setName, const std::string& itemName);
    // Empty for a set not worn.
    std::vector<std::string> GetItemsInSet(const std::string& setName) const;

    // What combat gathers from the equipment, skills, bio and item sets.
    void GetAllDefenseAttributes(CombatAttributeAccumulator& accumulator) const;
    void ContributeRacialBonusDefense(const std::vector<std::string>& races,
                                      RacialBonus_Defense& bonus) const;
    void GetEquipRetaliationAttributes(CombatAttributeAccumulator& accumulator) const;
    void GetEquipSkillAttributes(SkillAttributeAccumulator& accumulator) const;
    void GetEquipArmorDamageAttributes(CombatAttributeAccumulator& accumulator) const;
    void GetEquipOffensiveModifierAttributes(CombatAttributeAccumulator& accumulator) const;
    // The worn non-weapons, the skills, then the weapon named (when it is a weapon).
    void ContributeRacialBonusDamage(const std::vector<std::string>& races, uint32_t weaponId,
                                     RacialBonus_Damage& bonus) const;
    void ContributeItemSetDefenseAttributes(CombatAttributeAccumulator& accumulator) const;
    void ContributeItemSetRetaliationAttributes(CombatAttributeAccumulator& accumulator) const;
    void ContributeItemSetSkillAttributes(SkillAttributeAccumulator& accumulator) const;
    void ContributeItemSetOffensiveDamageAttributes(CombatAttributeAccumulator& accumulator) const;
    void
    ContributeItemSetOffensiveModifierAttributes(CombatAttributeAccumulator& accumulator) const;
    // Item names compare lower-cased, with back slashes for slashes.
    void RemoveItemFromSet(const std::string& setName, const std::string& itemName);
    uint32_t GetNumberOfItemsInSet(const std::string& setName) const;

    // Items carried and worn.
    // True once after each attach or detach.
    bool GetChangeOfEquipmentNotification();
    void TakeItemFromCharacter(uint32_t itemId);
    // Every attached, then carried, item of the record; case and slash direction do not count.
    void TakeItemFromCharacter(const std::string& recordName);
    // Rebuilds the items a replica lists, in order; an entry that makes no item is skipped.
    void SetInventoryReplica(const std::vector<InventoryReplica>& replicas);
    bool HasItem(uint32_t itemId) const;
    // The id is cleared whether or not it named an item.
    void DropItemFromEquipLocation(uint32_t& itemId, EquipLocations location, bool throwIt);
    // Both act only on items the character holds; any other id is logged and ignored.
    void UseInventoryItem(uint32_t itemId, bool destroy);
    void UseRelic(uint32_t relicId, uint32_t itemId);
    // Carried items first (location none), then the attached ones where they hang.
    void GetInventoryReplica(std::vector<InventoryReplica>& replicas) const;
    // Two places facing each other across the character, along its first axis.
    void GetConversationPartnerLocation(std::vector<WorldVec3>& points) const;
    bool HasItem(const std::string& recordName) const;
    const std::vector<uint32_t>& GetInventoryItems() const { return inventory.GetInventoryItems(); }
    const std::vector<EquipManagerContainer>& GetAttachedItems() const
    {
        return combatManager.GetEquipManager().GetAttachedItems();
    }
    Inventory& GetInventory() { return inventory; }
    GarmentManager& GetGarmentManager() { return garmentManager; }
    bool IsWieldingDualWeapons() const;
    bool IsUnarmed() const;
    float GetWeaponScale() const { return weaponScale; }
    // The purse holds at most 2,000,000,000 and never goes below 0.
    uint32_t SubtractMoney(uint32_t amount);

    // Life, attributes and levels.
    // A living character never shows 0: anything above 0 shows at least 1.
    int32_t GetCurrentLifeInt() const;
    float GetPotentialLife() const { return bio.GetLifePotential(); }
    float GetPotentialMana() const { return bio.GetManaPotential(); }
    float GetReserveMana() const { return bio.GetManaReserve(); }
    float GetManaLimit() const { return bio.GetManaLimit(); }
    void AddLifeSlow(float amount, PlayStatsLifeType lifeType);
    void ReloadCharacterBio() { bio.ReloadValues(); }
    float GetLifeRegenValue(float regen, float modifier, float seconds)
    {
        return bio.GetLifeRegenValue(regen, modifier, seconds);
    }
    float GetManaRegenValue(float regen, float modifier, float seconds)
    {
        return bio.GetManaRegenValue(regen, modifier, seconds);
    }
    float GetTotalCharModifier(CharAttributeType type) const { return bio.GetModifier(type); }
    void GetBaseCharAttributes(CharAttributeAccumulator& accumulator) const;
    void IncrementBaseAttribute(CharAttributeType type, float amount);
    // Each spends one attribute point; without one they add 0.
    void IncrementBaseStrength();
    void IncrementBaseDexterity();
    void IncrementBaseIntelligence();
    void IncrementBaseLife();
    void IncrementBaseMana();
    void IncrementBaseLife(int32_t amount);
    void IncrementBaseMana(int32_t amount);
    uint32_t GetLastLevelExperience() { return experienceLevelControl.GetLastLevelExperience(); }
    uint32_t GetNextLevelExperience() { return experienceLevelControl.GetNextLevelExperience(); }
    bool IsMaxLevel() const { return experienceLevelControl.IsMaxLevel(); }
    void AddModifierPoints(uint32_t count) { experienceLevelControl.AddModifierPoints(count); }
    uint32_t SubtractSkillPoint() { return experienceLevelControl.SubtractSkillPoint(); }
    uint32_t AddToSkillPoints(uint32_t count)
    {
        return experienceLevelControl.AddToSkillPoints(count);
    }
    // Exactly one level, without sound or effect; nothing at the maximum level.
    void IncrementCharLevel();

    // Effects and neighbours.
    // Exact and case-sensitive; unknown text is None.
    static CharacterBuff ConvertFxBuffName(const std::string& name);
    void StopCharacterBuffFx(CharacterBuff buff);
    // On only switches a pack the character has; off always goes through the stop.
    void SetCharacterBuffFx(CharacterBuff buff, bool on);
    void StopAttachedEffects();
    std::string GetPrespawnEffectName() const { return prespawnEffect; }
    // A plain character has no spawn effect of its own to start or let go.
    void StartPrespawnEffect(uint32_t /*id*/, const WorldCoords& /*coords*/) {}
    void DetachSpawnEffect() {}
    // The living non-player characters in the box, but this one, in the world's order.
    void GetLivingCharacters(std::vector<Entity*>& out, const ABBox& box) const;

    // Sounds.
    virtual SoundPak* GetAttackSound() const { return GetSoundPak(attackSound); }
    virtual SoundPak* GetSwipeSound() const { return GetSoundPak(swipeSound); }
    void PlayAttackSound() const;
    void PlayArmSwipeSound() const;
    void PlayLootSound();
    // Water (7) splashes; anything else thuds through the animation sounds.
    void PlayBodyFallSound(uint32_t surface);
    // Played on every machine through a config command; the pack must be registered first.
    void PlayNetSound(SoundPak* pack);
    void OnPlayNetSound(uint32_t index);

    // Stun (34), trap (35), freeze (36), petrify (37) and immobilize (38); others do nothing.
    void StartInvoluntaryEffect(CombatAttributeType type);
    void StopInvoluntaryEffect(CombatAttributeType type);
    void BeginStun();
    void EndStun();
    void BeginTrap();
    void EndTrap();
    void BeginFreeze();
    void EndFreeze();
    void BeginPetrify();
    void EndPetrify();
    void BeginImmobilize();
    void EndImmobilize();

    // Combat, forwarded to the combat manager.
    CombatManager& GetCombatManager() { return combatManager; }
    SkillManager& GetSkillManager() { return skillManager; }
    // Raises the named learnt skill by `amount` levels; nothing when none is learnt.
    void AddToSkillLevel(const std::string& skillName, uint32_t amount);
    // Skill services the replicated commands reach; the skill manager carries them out.
    void CreateRemoveSkillBuff(uint32_t skillId, const std::string& skillName, uint32_t level,
                               const std::string& modName1, uint32_t modLevel1,
                               const std::string& modName2, uint32_t modLevel2, int32_t timeToLive,
                               uint32_t casterId);
    // -- buffs --
    // Buffs and extra skill levels, forwarded to the skill manager.
    bool IsSkillBuffActive(const std::string& buffName) const;
    virtual void DispelSkillBuffs();
    virtual void DispelSkillDeBuffs();
    void SetAllSkillLevelAugment(uint32_t amount, const std::string& exceptName);
    void RemoveAllSkillLevelAugment(uint32_t amount, const std::string& exceptName);
    void SetSkillLevelAugment(const std::string& name, uint32_t amount);
    void RemoveSkillLevelAugment(const std::string& name, uint32_t amount);
    void SetMasteryLevelAugment(const std::string& masteryName, uint32_t amount);
    void RemoveMasteryLevelAugment(const std::string& masteryName, uint32_t amount);
    // Record names of the listed and temporary skills that show an icon or are tracked.
    void GetActiveStatusSkills(std::vector<std::string>& names) const;
    // -- buffs end --
    void SkillTargetResult(uint32_t skillNumber, const std::vector<uint32_t>& targets,
                           const WorldCoords& origin, uint32_t seed, uint32_t weaponId,
                           bool useWeapon, int32_t hitIteration);
    void CreateProjectile(uint32_t skillNumber, uint32_t projectileId, const WorldCoords& origin,
                          uint32_t targetId, const WorldVec3& point, uint32_t weaponId,
                          uint32_t seed, int32_t hitIteration);
    void SkillSpawnObject(uint32_t skillNumber, const WorldCoords& origin, uint32_t targetId,
                          const std::vector<WorldCoords>& spawnCoords,
                          const std::vector<uint32_t>& spawnIds, uint32_t lastValue);
    void SkillStateUpdateCommand(uint32_t skillId, const SkillState& state);
    void SkillActiveStateUpdateCommand(uint32_t skillId, const SkillActiveState& state);
    void ActivateSkill(uint32_t skillReference, const Name& name, uint32_t targetId,
                       const WorldVec3& point);
    // Orders for the thinking controller; nothing without one.
    void GoIdle();
    void RequestAttack(uint32_t targetId, uint32_t skillId);
    void RequestMove(uint32_t id, const WorldVec3& point);
    void QuestCommandMove(uint32_t id, const WorldVec3& point, bool flag);
    void QuestCommandWalk(uint32_t id, const WorldVec3& point, bool flag);
    void QuestCommandPlayAnimation(AnimationSet_Type type, bool flag1, bool flag2);
    // The skill goes to the controller by the id this character's manager holds it under.
    void QuestCommandUseSkill(const std::string& skillName, uint32_t id, bool flag);
    const CombatManager& GetCombatManager() const { return combatManager; }
    DurationDamageManager& GetDurationDamageMgr() const;
    bool ApplyDamage(float damage, const PlayStatsDamageType& statsType,
                     CombatAttributeType damageType) const;
    float DesignerCalculatePhysicalDamage(float damage) const;
    float DesignerCalculatePierceDamage(float damage) const;
    float DesignerCalculateElementalDamage(float damage) const;
    float DesignerCalculateElementalDurationDamage(float damage) const;
    float DesignerCalculatePhysicalDamageDefense(float damage, float protection, float absorbed,
                                                 float bonus) const;
    float DesignerCalculateShieldBlockDamageReduction(float damage, float shieldDefense,
                                                      float shieldAbsorption) const;
    float DesignerCalculateOffensiveAbility(float bonus) const;
    float DesignerCalculateDefensiveAbility(float bonus) const;
    float GetOffensiveReduction() const;
    float GetTotalDamageReductionPercent() const;
    float GetTotalDamageReductionAbsolute() const;
    float GetFumbleDamage() const;
    float GetProjectileFumbleDamage() const;
    float GetCombatRegionChance(CombatAttributeRegion region) const;
    bool IsPoisoned() const;
    uint32_t GetAttackerId() const;
    bool IsUnderAttack() const;
    void AddCombatFilter(CombatFilter* filter);
    void RemoveCombatFilter(CombatFilter* filter);

protected:
    // The summary's hand-damage line ("…MinOnly" when both ends agree) and the blank after it.
    void AppendHandDamageSummary(GameTextClass textClass, std::vector<GameTextLine>& lines) const;

    // Nothing for null.
    void AttachItem(Item* item, EquipLocations location);
    // Fresh ids for the nine slots, then the starting equipment rolled and the animation sets
    // allocated for what the hands now hold.
    void LoadLootFromSeed(uint16_t seed, uint16_t levelArgument);
    // A replica rolls the same items under the same ids.
    void LoadLootFromStruct(const LootStruct& loot);
    // Null when the chance roll fails, nothing is picked or the item cannot be made; a failed
    // roll takes exactly one draw.
    Item* CreateItemFromLootTable(const LoadTable& table, const char* chanceKey,
                                  LootLoader::Location location, uint32_t& itemId,
                                  RandomUniform& random);
    // Creates the sets of the weapon styles and picks the current one. Run again (loot that
    // arrives after loading), it keeps the sets it has and adds only the missing ones.
    void AllocateAnimSets();
    // Fills the sets from the animation table the own record names, or from the own record.
    void LoadAnimations();
    void LoadUnarmedAnimationSet(const LoadTable& table);
    void LoadSingleHandedAnimationSet(const LoadTable& table);
    void LoadDualWieldedAnimationSet(const LoadTable& table);
    void LoadSpearAnimationSet(const LoadTable& table);
    void LoadBowAnimationSet(const LoadTable& table);
    void LoadStaffAnimationSet(const LoadTable& table);
    void LoadAnimationSound(const LoadTable& table, const char* key, float chance);
    void LoadAnimationSound(const LoadTable& table, const char* key, const char* chanceKey);
    // The pack of the record at the key (or the default record); 0 when there is none. A pack
    // already held is destroyed first, so loading again strands nothing.
    void LoadSoundPak(const LoadTable& table, uint32_t& field, const char* key,
                      const char* defaultRecord);
    SoundPak* GetSoundPak(uint32_t id) const;
    // A pack's net sound number is its place in the list; null and repeats are ignored.
    void RegisterNetSound(SoundPak* pack);
    // Tells the friends within `distressCallRange` who attacks.
    void DoDistressCall(uint32_t attackerId) const;
    WorldCoords GetFootCoords(bool left) const;
    void StartSpawnEffect();

    // Fields, in their order.
    // The formulas evaluate through the manager's own inputs, so a const character still
    // computes with it.
    mutable CombatManager combatManager;
    SkillManager skillManager;
    AuraManager auraManager;
    GarmentManager garmentManager;
    Inventory inventory;
    std::unique_ptr<CharacterMovementManager> movementManager;
    PFxManager pfxManager;
    WorldCoords spawnPoint;
    float turnRate = 0.0f;
    float avoidForce = 0.0f;
    float spineCurve = 0.0f;
    float targetSpineCurve = 0.0f;
    float spineCurveRate = 3.14159265f; // 180 degrees, in radians
    float maxSpineCurve = 40.0f * 3.14159265f / 180.0f;
    bool tweakSpineOnTurn = false;
    CharacterPathGenerationStyle pathGenerationStyle = CharacterPathGeneration_Default;
    CharacterBio bio;
    uint32_t controllerId = 0;
    uint32_t currentMoney = 0;
    Character_Gender gender = Gender_None;
    std::vector<std::string> racialProfile;
    ExperienceLevelControl experienceLevelControl;
    // The reductions are booked by the formula wrappers, which combat reaches through a const
    // character.
    mutable PlayStats playStats;
    Team team;
    bool invisible = false;
    bool ofInterest = false;
    bool hasPointOfInterest = false;
    Vec3 pointOfInterest;
    float breastSupport = 0.0f;
    bool invincible = false;
    bool god = false;
    bool omnipotent = false;
    float weaponScale = 0.0f;
    GameTimer frameTimer;
    int32_t frameTime = 0;
    // Item-set record name to the item records worn from that set.
    std::map<std::string, std::vector<std::string>> itemSets;
    LootStruct lootState;
    bool classifiedLoot = false;
    RandomizerWeightModifiers lootWeightModifiers;
    float deathAnimBlendTime = 250.0f; // milliseconds
    bool causesAnger = true;
    float angerMultiplier = 1.0f;
    uint32_t footGrassSound = 0;
    uint32_t footDirtSound = 0;
    uint32_t footSandSound = 0;
    uint32_t footSnowSound = 0;
    uint32_t footStoneSound = 0;
    uint32_t footWoodSound = 0;
    uint32_t footWaterSound = 0;
    uint32_t loopingRunningSound = 0;
    int32_t loopingRunningSoundFadeTime = kLoopingRunningSoundFadeTime;
    uint32_t attackSound = 0;
    uint32_t swipeSound = 0;
    uint32_t stunSound = 0;
    uint32_t criticalHitSound = 0;
    uint32_t impactSound = 0;
    uint32_t levelUpSound = 0;
    uint32_t lowHealthSound = 0;
    uint32_t lootSound = 0;
    uint32_t splashSound = 0;
    std::string levelUpFx;
    std::string dyingFxPak;
    float impactSoundChance = 0.0f;
    float lowHealthTriggerLevel = 0.0f;
    float lowHealthResetLevel = 0.0f;
    std::vector<uint32_t> netSounds;
    bool lowHealthSoundPlayed = false;
    bool equipmentChanged = false;
    bool teleporting = false;
    Character_LifeState lifeState = LifeState_Alive;
    Character_ActionState actionState = ActionState_Unknown;
    bool hiddenFromCombat = false;
    bool observerMode = false;
    std::unique_ptr<CharacterActionHandler> actionHandler;
    Character_ActionState initialActionState = ActionState_Unknown;
    WorldVec3 initialPoint;
    uint32_t initialTargetId = 0;
    uint32_t initialSkillId = 0;
    // Unarmed, single-handed, dual-wielded, spear, bow, staff.
    std::array<std::unique_ptr<AnimationSet>, kNumAnimationSets> animationSets;
    AnimationSet* currentAnimationSet = nullptr;
    AnimationSound animationSounds;
    std::string prespawnEffect;
    std::string spawnEffect;
    uint32_t spawnSoundId = 0;
    uint32_t currentAttackTargetId = 0;
    WorldVec3 currentAttackPoint;
    int32_t currentAttackSkillId = -1;
    bool rotateTowardsTarget = false;
    bool rotateWhenChatting = true;
    bool movementDisallowed = false;
    bool disallowRotation = false;
    bool isControllingCharacter = false;
    bool showAngerLevels = false;
    bool skillWarmingUp = false;
    std::unique_ptr<DeathManager> deathHandlers;
    std::string deleteBehavior;
    std::string dissolveEffect;
    std::string dissolveLight;
    float dissolveTime = 0.0f;
    std::string dissolveTexture;
    int32_t dissolveColorR = 0;
    int32_t dissolveColorG = 0;
    int32_t dissolveColorB = 0;
    std::string deathEffect;
    std::string actorToSpawnOnDeath;
    bool waitForCallbackToSpawn = false;
    std::string actorToSpawnForMyBones;
    std::string overrideRagdollBehavior;
    float overrideRagdollSpeed = 0.0f;
    std::unique_ptr<SlotManager> attackSlots;
    std::unique_ptr<SlotManager> defenseSlots;
    PathingSize pathingSize = PathingSize_Small;
    float pathMass = 1.0f;
    CharacterRagDoll::EffectData ragdollData;
    bool doLateCrumple = false;
    // Cold, lightning, fire, poison, life, bleeding, attack speed, spell-cast speed, run speed,
    // offensive ability, defensive ability, offensive reduction, defensive reduction, life leech,
    // mana leech, fumble.
    std::array<CharFxPak, kNumDamageFx> damageFx;
    std::map<CombatAttributeType, AbsEffect> absEffects;
    bool absEffectsArmed = false;
    bool absEffectFired = false; // some entry's `fired` is set; most hits fire none
    CharFxPak fireBuffFx;
    CharFxPak poisonBuffFx;
    std::map<CharacterBuff, CharFxPak*> buffFx;
    std::string portraitName;
    float goldGeneratorChance = 0.0f;
    std::string goldGenerator;
    bool distressCall = true;
    float distressCallRange = 15.0f;
    std::string distressCallGroup;
    int32_t distressCallTime = 5000; // milliseconds
    int32_t distressCallsLeft = 1;
    int32_t distressCallTimer = 0; // milliseconds
    bool distressCallWhenDying = true;
    float minRotationSpeed = 9.0f;
    float maxRotationSpeed = 12.0f;
    bool forcedUpdates = false;
    bool registeredForForcedUpdates = false;

private:
    void LoadLoot();
    void LoadSoundPaks(const LoadTable& table);
    // The foot sound of the surface under the character.
    void PlayFootstepSound();
    void LoadAnimationSounds(const LoadTable& table);
    void LoadOwnAnimationSet(const LoadTable& table, size_t style);
    void LoadSharedEffects();
    void AddDeathHandlers();
    // The eighteen shared effect packs: the damage packs, then the fire and poison buff packs.
    template <typename Function> void ForEachFxPak(Function function);
};

} // namespace GAME
