#pragma once

#include "skills/SkillAttributeAccumulator.h"

#include "skills/SkillActiveState.h"
#include "skills/SkillState.h"

#include <cstdint>
#include <memory>
#include <string>
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
class Skill;
struct RacialBonus_Damage;
struct RacialBonus_Defense;

// A character's skills: it owns them (through the object manager), runs them and gathers what
// they add to the character. So far it loads its record numbers and gathers attributes.
class SkillManager {
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
    virtual ~SkillManager();
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
    SkillServicesBase* GetSkillServices() const { return skillServices.get(); }
    uint32_t GetDefaultSkillId() const { return defaultSkillId; }
    uint32_t GetDefaultWPSkillId() const { return defaultWPSkillId; }
    const std::vector<uint32_t>& GetUISkillList() const { return uiSkillList; }
    uint32_t GetMasteriesAllowed() const { return masteriesAllowed; }
    // Appends the enumeration of each mastery learned above level 0. No mastery skill exists
    // yet, so none is appended.
    void GetSkillMasteries(std::vector<uint32_t>& /*masteries*/) const {}
    void SetMasteriesAllowed(uint32_t count) { masteriesAllowed = count; }
    // The levels of the active skills, the two default attacks left out, split into regular
    // skills and masteries; saturated, since the levels come from saves.
    uint32_t GetNumRegularSkillPoints() const { return SumActiveSkillLevels(false); }
    uint32_t GetNumMasteryPoints() const { return SumActiveSkillLevels(true); }
    uint32_t GetSkillReclamationPointsUsed() const { return skillReclamationPointsUsed; }
    void SetSkillReclamationPointsUsed(uint32_t points) { skillReclamationPointsUsed = points; }
    void SetIsMonster(bool monster) { isMonster = monster; }
    bool IsMonster() const { return isMonster; }

    // The skills block of the player's save stream, one routine for both directions.
    void StreamProperties(IOStream* stream);
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

    // Skills keep no timers of their own yet, so a frame and the owner's death change nothing.
    void Update(int32_t /*elapsedMs*/) {}
    void ImDead() {}
    // A skill's reference number is its place among the learned skills; 0 (as an id) and
    // 0xFFFFFFFF (as a number) answer for none.
    uint32_t GetSkillIdFromReference(uint32_t reference) const;
    uint32_t GetSkillReferenceNumber(uint32_t skillId) const;
    // Only a skill this manager holds can start; its animation's "End" ends its use.
    bool StartSkill(uint32_t skillId, uint32_t targetId, const WorldVec3& point,
                    uint32_t lastValue);
    bool HandleSkillAnimationCallback(const Name& name, uint32_t skillId, uint32_t targetId,
                                      const WorldVec3& point);
    void CancelSkillAction(uint32_t /*skillId*/) {}
    // The replicated skill results. Skills cannot act on them yet (the skills work fills
    // these in); until then each only finds its skill.
    void CreateRemoveSkillBuff(uint32_t skillId, const std::string& skillName, uint32_t level,
                               const std::string& modName1, uint32_t modLevel1,
                               const std::string& modName2, uint32_t modLevel2, int32_t timeToLive,
                               uint32_t casterId, bool flag);
    void SkillTargetResult(uint32_t skillNumber, const std::vector<uint32_t>& targets,
                           const WorldCoords& origin, uint32_t seed, uint32_t weaponId,
                           bool useWeapon, int32_t hitIteration);
    void CreateProjectile(uint32_t skillNumber, uint32_t projectileId, const WorldCoords& origin,
                          uint32_t targetId, const WorldVec3& point, uint32_t weaponId,
                          uint32_t seed, int32_t hitIteration);
    void SkillSpawnObject(uint32_t skillNumber, const WorldCoords& origin, uint32_t targetId,
                          const std::vector<WorldCoords>& spawnCoords,
                          const std::vector<uint32_t>& spawnIds, uint32_t lastValue);
    // Both name the skill by its reference number.
    void SkillStateUpdateCommand(uint32_t skillNumber, const SkillState& state);
    void SkillActiveStateUpdateCommand(uint32_t skillNumber, const SkillActiveState& state);
    // No skill warms up yet.
    bool SkillWarmUp(uint32_t /*skillId*/, uint32_t /*flag*/) { return false; }

    void SetSpeedUpdateNeeded() { speedUpdateNeeded = true; }
    // Answers once: asking clears the mark, so the speeds are recomputed once per change.
    bool IsSpeedUpdateNeeded() const;

    const std::vector<uint32_t>& GetMasteryIncrementLevels() const
    {
        return masteryIncrementLevels;
    }
    const std::vector<uint32_t>& GetReclamationPointTiers() const { return reclamationPointTiers; }
    const std::vector<uint32_t>& GetReclamationPointCosts() const { return reclamationPointCosts; }

protected:
    // Open to derived managers: until skills can be learnt nothing else can fill these.
    // The learned skills installed on the character; not owned.
    std::vector<Skill*> activeSkills;
    // Owned through the object manager.
    std::vector<Skill*> itemSkills;

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
    void StreamReplica(IOStream& stream, _SkillReplica& replica) const;
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
    // Owned through the object manager; a skill's index is its reference number.
    std::vector<Skill*> learnedSkills;
    // The learned skills' ids, in step with learnedSkills.
    std::vector<uint32_t> learnedSkillIds;
    std::vector<uint32_t> masteryIncrementLevels;
    std::vector<uint32_t> reclamationPointTiers;
    std::vector<uint32_t> reclamationPointCosts;
    SkillAttributeAccumulator skillAttributes;
    mutable bool speedUpdateNeeded = false;
};

} // namespace GAME
