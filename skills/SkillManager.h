#pragma once

#include "skills/SkillAttributeAccumulator.h"
#include "skills/SkillManagerBase.h"

#include "skills/SkillActiveState.h"
#include "skills/SkillState.h"

#include <cstdint>
#include <list>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace GAME {

class CharAttributeAccumulator;
class Character;
class CombatAttributeAccumulator;
class IOStream;
class NetPacketInBuffer;
class NetPacketOutBuffer;
class SkillServicesBase;
class CombatManager;
class LoadTable;
class Name;
class WorldVec3;
class WorldCoords;
class ParametersCombat;
class CharFxPak;
class Skill;
class SkillBuff;
class Skill_Modifier;
struct RacialBonus_Damage;
struct RacialBonus_Defense;

// A character's skills: it owns them (through the object manager), runs them and gathers what
// they add to the character.
class SkillManager : public SkillManagerBase {
public:
    // One skill's state as saves and replication carry it.
    struct _SkillReplica {
        std::string skillName;
        SkillState skillState;
        SkillActiveState skillActiveState;
    };
    // A buff with up to two modifier skills (an empty name is none) and who cast it.
    struct _SkillBuffReplica {
        _SkillReplica buff;
        _SkillReplica modifier1;
        _SkillReplica modifier2;
        int32_t timeToLive = 0;
        uint32_t casterId = 0;
    };

    // The skill and buff lists as every character's replication record carries them: a count,
    // then per skill its name and the two 8-byte state records; a buff is three skills and its
    // caster. A read stops at the first field that is not there.
    static void WriteReplicaLists(NetPacketOutBuffer& out, const std::vector<_SkillReplica>& skills,
                                  const std::vector<_SkillBuffReplica>& buffs);
    static bool ReadReplicaLists(NetPacketInBuffer& in, std::vector<_SkillReplica>& skills,
                                 std::vector<_SkillBuffReplica>& buffs);

    SkillManager();
    // Destroys the skills it owns.
    ~SkillManager() override;
    SkillManager(const SkillManager&) = delete;
    SkillManager& operator=(const SkillManager&) = delete;

    void Initialize(CombatManager* combatManager, Character* parent);

    // The mastery unlock levels and the reclamation tiers and costs. Tiers and costs go in
    // pairs: the longer list is cut to the shorter (logged); a negative entry reads as 0.
    virtual void Load(const LoadTable& table);
    virtual void PreLoad(bool flag);

    // "skillName1".."skillNameN" with their "skillLevelN"; N from 1 to count, count 1 to 31.
    void LoadSkills(const LoadTable& table, uint32_t count);
    // The same from the named record; an empty name loads nothing.
    void LoadSkills(const std::string& record, uint32_t count);
    // The default attack skills; the default skill's id, 0 when it cannot be made.
    uint32_t LoadDefaultSkills();
    // A learned skill by record name (case and slash direction ignored); 0 when absent.
    uint32_t FindSkillId(const std::string& name) const;
    uint32_t FindItemSkillId(const std::string& name) const;
    bool IsSkillValidForUse(uint32_t skillId, bool itemSkillAlwaysValid) const;
    // A learned or item skill by id; null when this manager holds none.
    Skill* GetSkill(uint32_t skillId) const { return FindSkill(skillId); }
    // Only the controlling machine's manager sends skill results; done once.
    void SetAsControllingManager();
    uint32_t GetDefaultSkillId() const { return defaultSkillId; }
    const std::vector<uint32_t>& GetUISkillList() const { return uiSkillList; }
    uint32_t GetMasteriesAllowed() const { return masteriesAllowed; }
    void SetMasteriesAllowed(uint32_t count) { masteriesAllowed = count; }
    // The levels of the active skills, the two default attacks left out, split into regular
    // skills and masteries; saturated, since the levels come from saves.
    uint32_t GetNumRegularSkillPoints() const { return SumActiveSkillLevels(false); }
    uint32_t GetNumMasteryPoints() const { return SumActiveSkillLevels(true); }
    uint32_t GetSkillReclamationPointsUsed() const { return skillReclamationPointsUsed; }
    void SetSkillReclamationPointsUsed(uint32_t points) { skillReclamationPointsUsed = points; }
    void SetIsMonster(bool monster) { isMonster = monster; }
    bool IsMonster() const { return isMonster; }

    // The owner interface skills call back.
    SkillServicesBase* GetSkillServices() const override { return skillServices.get(); }
    Character* GetParent() const override { return parent; }
    bool IsMonsterSkill() const override { return isMonster; }
    int32_t GetHandState() const override;
    bool IsRangedWeapon() const override { return rangedWeapon; }
    int32_t GetWeaponRangeProfile() const override { return weaponRangeProfile; }
    void GetWeaponTypes(Weapon_Type& right, Weapon_Type& left) const override;
    void SubtractMana(float amount) override;
    void SubtractLife(float amount, const PlayStatsDamageType& statsType) override;
    float GetCurrentMana() const override;
    uint32_t GetRightHandWeapon() const override;
    uint32_t GetLeftHandWeapon() const override;
    float GetTotalSkillAttribute(SkillAttributeType type) const override;
    void CollectAvailableOffensiveDamageAttributes(
        uint32_t weaponId, CombatAttributeAccumulator& accumulator) const override;
    void CollectAvailableOffensiveModifierAttributes(
        CombatAttributeAccumulator& accumulator) const override;
    float CalculateOffensiveAbility(float bonus) const override;
    void ForceSpeedUpdate() override;
    void SetSpeedUpdateNeeded() override { speedUpdateNeeded = true; }
    // Ends every learned and item skill's cooldown.
    void RefreshCooldown() override;
    float GetAttackSpeed() const override;
    float GetSpellCastSpeed() const override;
    // The skills installed on the character and updated each frame; each is there once.
    void AddToActiveList(Skill* skill) override;
    void RemoveFromActiveList(Skill* skill) override;
    const std::vector<Skill*>& GetActiveList() const { return activeSkills; }
    uint32_t SelectWeaponPoolSkill(RandomUniform& random) override;
    uint32_t GetDefaultWPSkillId() const override { return defaultWPSkillId; }
    uint32_t GetDefaultWPChanceWeight() const { return defaultWPChanceWeight; }
    // Pets are kept by id: one may vanish before the next frame initialises it.
    void PushPetInitialize(Character* pet) override;
    void PopPetInitialize(Character* pet) override;
    // The newest enchantment shows; removing it shows the one before.
    void AddWeaponEnchantment(uint32_t ownerId, const std::string& name) override;
    void RemoveWeaponEnchantment(uint32_t ownerId) override;
    // The newest owner's effect packs show.
    void AddCharFxPak(uint32_t ownerId, const std::vector<std::string>& names) override;
    void RemoveCharFxPak(uint32_t ownerId) override;
    uint32_t GetShowingCharFxPakOwner() const { return charFxPakOwner; }

    // An item grants its skill once; a later grant only sets the level.
    void AddItemSkill(uint32_t grantingId, uint32_t level);
    // The skill keeps its object and reference at level 0.
    void RemoveItemSkill(uint32_t grantingId);
    void IncrementSkill(uint32_t skillId, uint32_t amount);
    const std::vector<Skill*>& GetWeaponPoolAttacks() const { return weaponPoolAttacks; }
    const std::vector<Skill*>& GetOnDeathSkills() const { return onDeathSkills; }
    void CollectWeaponTypes();
    void CollectAvailableSkillAttributes(SkillAttributeAccumulator& accumulator) const;
    void GetSkillAttributes(SkillAttributeAccumulator& accumulator) const;
    void GetOffensiveDamageAttributes(CombatAttributeAccumulator& accumulator) const;
    void GetOffensiveModifierAttributes(CombatAttributeAccumulator& accumulator) const;

    // The skills block of the player's save stream, one routine for both directions. A saved
    // skill this manager does not hold is passed over, logged and named by GetPassedOverSkills.
    void StreamProperties(IOStream* stream);
    // The saved skills the last read of the skills block found no skill for.
    const std::vector<std::string>& GetPassedOverSkills() const { return passedOverSkills; }
    void GetSkillReplica(std::vector<_SkillReplica>& replicas) const;
    void SetSkillReplica(const std::vector<_SkillReplica>& replicas);

    // What the active skills and the item skills of a level above 0 add.
    void GetCharAttributes(CharAttributeAccumulator& accumulator) const;

    void GetRetaliationAttributes(CombatAttributeAccumulator& accumulator) const;
    void GetDefenseAttributes(CombatAttributeAccumulator& accumulator) const;
    void ContributeRacialBonusDefense(const std::vector<std::string>& races,
                                      RacialBonus_Defense& defense) const;
    void ContributeRacialBonusDamage(const std::vector<std::string>& races,
                                     RacialBonus_Damage& damage) const;

    // The character was attacked (hit or not): armed on-hit skills and item skills answer.
    void UnderAttack(const ParametersCombat& parameters);
    // Disruption damage lengthens the skills' cooldowns by the seconds.
    void ApplyCooldownDamage(float seconds);

    // A skill's reference number is its place among the learned skills; 0 (as an id) and
    // 0xFFFFFFFF (as a number) answer for none.
    uint32_t GetSkillIdFromReference(uint32_t reference) const;
    uint32_t GetSkillReferenceNumber(uint32_t skillId) const;
    // The replicated buff command: level 0 removes the buff, a held buff is refreshed, else
    // one is made (never on a dead character). The first argument is not used.
    void CreateRemoveSkillBuff(uint32_t skillId, const std::string& skillName, uint32_t level,
                               const std::string& modName1, uint32_t modLevel1,
                               const std::string& modName2, uint32_t modLevel2, int32_t timeToLive,
                               uint32_t casterId, bool flag);

    // ---- running skills (begin) ----
    // One frame: pending pets, skill attributes, weapon types and range, then the active
    // skills and the item skills, each walked over a copy since an update may change the list.
    void Update(int32_t elapsedMs);
    // Every operation below names its skill by reference number and does nothing (false) when
    // the skill is missing. A successful start restarts the hit count the results carry.
    bool StartSkill(uint32_t reference, uint32_t targetId, const WorldVec3& point,
                    uint32_t seed) const;
    // True only for "End" when the skill's use is over.
    bool HandleSkillAnimationCallback(const Name& name, uint32_t reference, uint32_t targetId,
                                      const WorldVec3& point);
    void CancelSkillAction(uint32_t reference);
    // end set: the warm-up ends (false); else whether one starts.
    bool SkillWarmUp(uint32_t reference, bool end);
    // The replicated results run on every machine; mana and cooldown are charged once per use:
    // at the first hit that finds a target, or when the first projectile is made.
    void SkillTargetResult(uint32_t reference, const std::vector<uint32_t>& targets,
                           const WorldCoords& origin, uint32_t seed, uint32_t weaponId, bool melee,
                           int32_t hitIteration);
    void CreateProjectile(uint32_t reference, uint32_t projectileId, const WorldCoords& origin,
                          uint32_t targetId, const WorldVec3& point, uint32_t weaponId,
                          uint32_t seed, int32_t hitIteration);
    void SkillSpawnObject(uint32_t reference, const WorldCoords& origin, uint32_t value,
                          const std::vector<WorldCoords>& spawnCoords,
                          const std::vector<uint32_t>& spawnIds, uint32_t seed);
    void SkillStateUpdateCommand(uint32_t reference, const SkillState& state);
    void SkillActiveStateUpdateCommand(uint32_t reference, const SkillActiveState& state);

    // ---- running skills (end) ----

    // -- projectiles --
    // The projectile of that id, if it still is one, leaves the world.
    void DeleteProjectile(uint32_t projectileId);
    // -- end projectiles --

    // Answers once: asking clears the mark, so the speeds are recomputed once per change.
    bool IsSpeedUpdateNeeded() const;

    const std::vector<uint32_t>& GetMasteryIncrementLevels() const
    {
        return masteryIncrementLevels;
    }
    static constexpr uint32_t kItemReferenceBase = 4096;
    const std::vector<uint32_t>& GetReclamationPointTiers() const { return reclamationPointTiers; }
    const std::vector<uint32_t>& GetReclamationPointCosts() const { return reclamationPointCosts; }

protected:
    // Open to derived managers: until skills can be learnt nothing else can fill these.
    // The learned skills installed on the character; not owned.
    std::vector<Skill*> activeSkills;
    // Owned through the object manager.
    std::vector<Skill*> itemSkills;
    // Granting object id to the id of this manager's own copy.
    std::unordered_map<uint32_t, uint32_t> itemSkillMap;

private:
    const char* GetParentName() const;
    bool HoldsSkill(uint32_t skillId) const;
    // A skill a replicated command names; a peer may name one this character lacks (logged).
    bool HoldsCommandSkill(uint32_t skillId, const char* command) const;
    // Over the active skills, then the item skills, those whose current level is not 0.
    template <typename Visit> void ForEachPassiveSkill(Visit visit) const;
    void ReadLevels(const LoadTable& table, const char* key, std::vector<uint32_t>& out) const;
    uint32_t SumActiveSkillLevels(bool masteries) const;

    // Creates the named skill unless it is learned already, then sets its level.
    void CreateAndLoadSkill(const std::string& name, uint32_t level, uint32_t& masteryId,
                            uint32_t& baseSkillId);
    Skill* FindSkill(uint32_t skillId) const;
    Skill* FindCommandSkill(uint32_t skillNumber, const char* command) const;
    // Makes the record a skill of this manager at the level; null when it is no skill.
    Skill* AddLearnedSkill(const std::string& record, uint32_t level);
    // The level as the stream holds it, below 0 too.
    int32_t StreamReplica(IOStream& stream, _SkillReplica& replica) const;
    bool IsSaved(const Skill& skill) const;
    // One skill of a save into the skill it names, or passed over when there is none.
    void ReadSavedSkill(_SkillReplica& replica, int32_t savedLevel);
    // For each replica, the learned skill FindSkillId would name (null when none), in one pass.
    void FindReplicaSkills(const std::vector<_SkillReplica>& replicas,
                           std::vector<Skill*>& found) const;

    CombatManager* combatManager = nullptr;
    Character* parent = nullptr;
    std::unique_ptr<SkillServicesBase> skillServices;
    std::vector<uint32_t> uiSkillList;
    uint32_t defaultSkillId = 0;
    uint32_t defaultWPSkillId = 0;
    bool isMonster = false;
    uint32_t masteriesAllowed = 0;
    uint32_t skillReclamationPointsUsed = 0;
    std::vector<std::string> passedOverSkills;
    // The skills the last read save held at level 0, written again so.
    std::vector<uint32_t> savedAtLevelZero;
    // Owned through the object manager; a skill's index is its reference number.
    std::vector<Skill*> learnedSkills;
    // The learned skills' ids, in step with learnedSkills.
    std::vector<uint32_t> learnedSkillIds;
    std::vector<uint32_t> masteryIncrementLevels;
    std::vector<uint32_t> reclamationPointTiers;
    std::vector<uint32_t> reclamationPointCosts;
    SkillAttributeAccumulator skillAttributes;
    mutable bool speedUpdateNeeded = false;

    // Queued pets get their first update at the start of the next frame; one that is gone by
    // then is skipped.
    void InitializePendingPets();
    // Each item skill's destruction; its manager pointer is cleared first.
    void DestroyItemSkills();
    // Shows the front owner's effect packs in place of the ones showing.
    void ResetCurrentCharFxPaks();
    void ClearCurrentCharFxPaks();

    // Learned skills that are weapon-pool attacks and on-death skills; not owned.
    std::vector<Skill*> weaponPoolAttacks;
    std::vector<Skill*> onDeathSkills;
    uint32_t defaultWPChanceWeight = 100;
    bool dualWieldAllowed = false;
    Weapon_Type rightWeaponType = Weapon_Type_Weapon;
    Weapon_Type leftWeaponType = Weapon_Type_Weapon;
    bool rangedWeapon = false;
    int32_t weaponRangeProfile = 0;
    std::vector<uint32_t> pendingPets;
    std::list<std::pair<uint32_t, std::string>> weaponEnchantments;
    std::list<std::pair<uint32_t, std::vector<std::string>>> charFxPaks;
    uint32_t charFxPakOwner = 0;
    std::vector<CharFxPak*> showingCharFxPaks;

    // -- buffs --
public:
    // A buff on this character with its modifiers; ids kept to find them again.
    struct BuffEntry {
        SkillBuff* buff = nullptr;
        Skill_Modifier* modifier1 = nullptr;
        Skill_Modifier* modifier2 = nullptr;
        uint32_t buffId = 0;
        uint32_t modifier1Id = 0;
        uint32_t modifier2Id = 0;
    };

    // Buff names ignore case and slash direction.
    bool IsSkillBuffActive(const std::string& buffName) const;
    SkillBuff* GetSkillBuff(const std::string& buffName) const;
    size_t GetSkillBuffCount() const { return skillBuffs.size(); }
    const std::vector<uint32_t>& GetUITempSkillList() const { return uiTempSkillList; }
    void DispelSkillBuffs();
    void DispelSkillDeBuffs();
    // Stops the skills, takes every buff down, then fires the on-death skills.
    void ImDead();
    void GetSkillBuffReplica(std::vector<_SkillBuffReplica>& replicas) const;
    void SetSkillBuffReplica(const std::vector<_SkillBuffReplica>& replicas);

    // Extra levels on learned skills only.
    void SetAllSkillAugment(uint32_t amount, const std::string& exceptName);
    void RemoveAllSkillAugment(uint32_t amount, const std::string& exceptName);
    void SetMasteryAugment(const std::string& masteryName, uint32_t amount);
    void RemoveMasteryAugment(const std::string& masteryName, uint32_t amount);
    void SetSkillLevelAugment(const std::string& name, uint32_t amount);
    void RemoveSkillLevelAugment(const std::string& name, uint32_t amount);

    uint32_t GetSkillMasteriesAllowed() const { return masteriesAllowed; }
    void DebugIncrementMasteriesAllowed() { ++masteriesAllowed; }
    uint32_t GetSkillMasteriesActive() const;
    // Appends the enumeration of each mastery above level 0.
    void GetSkillMasteries(std::vector<uint32_t>& masteries) const;
    uint32_t GetNumOfNonMasterySkillsWithPoints() const;
    // At most one more mastery per call; each step saves.
    void UpdateMasteriesAllowed(uint32_t characterLevel);
    void AddMasteryAllowedIncrementLevel(uint32_t level);
    uint32_t GetCurrentSkillReclamationCost() const;
    // Buys (points > 0) or refunds (points < 0) reclamation points; false when money is short.
    bool UseReclamationPoints(int32_t points);

private:
    void CreateSkillBuff(const _SkillBuffReplica& replica, bool flag);
    void ReceiveBuffStates(Skill& skill, const SkillState& state, const SkillActiveState& active,
                           bool flag);
    // Out of the map at once; destroyed now, or when the outermost buff walk ends.
    void RemoveBuffEntry(const std::string& key, bool flag, bool uninstall);
    void DestroyBuffEntry(const BuffEntry& entry);
    void RebuildUITempSkillList();
    void UpdateBuffs(int32_t elapsedMs);
    void DestroyAllBuffs();
    // Over a copy of keys and ids; an entry gone or replaced meanwhile is skipped.
    template <typename Visit> void WalkBuffs(Visit visit);
    template <typename Visit> void ForEachBuff(Visit visit) const;
    // Ends a walk begun by raising buffWalkDepth; the outermost one destroys what was removed.
    void EndBuffWalk();

    std::unordered_map<std::string, BuffEntry> skillBuffs;
    std::vector<uint32_t> uiTempSkillList;
    std::vector<BuffEntry> doomedBuffs;
    int32_t buffWalkDepth = 0;
};

} // namespace GAME
