#pragma once

#include "ai/ControllerAI.h"
#include "combat/AngerManager.h"
#include "core/UniqueId.h"

#include <cstdint>
#include <string>

namespace GAME {

class LoadTable;
class Proxy;

// The band of distances in which a special attack may be used.
enum SkillUseRange : int32_t {
    SkillUseRange_None = 0,
    SkillUseRange_Short = 1,
    SkillUseRange_Medium = 2,
    SkillUseRange_Long = 3,
};

// Whom the second skill of a chain is cast on.
enum ChainedSkillBehavior : int32_t {
    ChainedSkillBehavior_None = 0,
    ChainedSkillBehavior_UseOnLeader = 1,
    ChainedSkillBehavior_UseOnSelf = 2,
};

// The controller of every monster. So far it holds the skills the monster hands it, the
// distance bands, the skill chain, the lifetime, the anger table and the treasure proxy; the
// thinking that uses them comes with the monster states.
class ControllerMonster : public ControllerAI {
    GAME_DECLARE_CLASS(ControllerMonster)

public:
    // One special attack: the skill, when it may first be used and how often after that.
    struct SpecialAttack {
        uint32_t skill = 0;      // 0: slot empty
        int32_t timeout = 0;     // ms
        int32_t delay = 0;       // ms between two uses
        int32_t cooldown = 0;    // ms
        int32_t initialWait = 0; // ms, runs once an enemy was found
        uint32_t chance = 0;     // percent
        SkillUseRange useRange = SkillUseRange_None;
    };
    static constexpr int kNumSpecialAttacks = 5;

    ControllerMonster();
    ~ControllerMonster() override;

    // Parses a record's range word; only the exact words name a band.
    static SkillUseRange GetSkillUseRangeFromText(const std::string& text);

    void TeamChanged() override;

    // Skill slots, filled by the monster while it loads.
    void SetDefaultAttackSkill(uint32_t skillId) { defaultAttackSkill = skillId; }
    void SetNormalAttackSkill(uint32_t skillId) { normalAttackSkill = skillId; }
    void SetBerserkSkill(uint32_t skillId) { berserkSkill = skillId; }
    void SetDyingSkill(uint32_t skillId) { dyingSkill = skillId; }
    void SetHealSkill(uint32_t skillId, int32_t delayMs);
    void SetBuffSelfSkill(uint32_t skillId) { buffSelfSkills[0] = skillId; }
    void SetBuffSelf2Skill(uint32_t skillId) { buffSelfSkills[1] = skillId; }
    void SetBuffSelf3Skill(uint32_t skillId) { buffSelfSkills[2] = skillId; }
    void SetBuffOtherSkill(uint32_t skillId) { buffOtherSkills[0] = skillId; }
    void SetBuffOther2Skill(uint32_t skillId) { buffOtherSkills[1] = skillId; }
    void SetBuffOther3Skill(uint32_t skillId) { buffOtherSkills[2] = skillId; }
    void SetSpecialAttackSkill(uint32_t skillId, int32_t timeoutMs, int32_t delayMs,
                               uint32_t chance, SkillUseRange range);
    void SetSpecialAttack2Skill(uint32_t skillId, int32_t timeoutMs, int32_t delayMs,
                                uint32_t chance, SkillUseRange range);
    void SetSpecialAttack3Skill(uint32_t skillId, int32_t timeoutMs, int32_t delayMs,
                                uint32_t chance, SkillUseRange range);
    void SetSpecialAttack4Skill(uint32_t skillId, int32_t timeoutMs, int32_t delayMs,
                                uint32_t chance, SkillUseRange range);
    void SetSpecialAttack5Skill(uint32_t skillId, int32_t timeoutMs, int32_t delayMs,
                                uint32_t chance, SkillUseRange range);
    void SetInitialSkill(uint32_t skillId) { initialSkill = skillId; }
    void SetChainInitialSkill(uint32_t skillId) { chainInitialSkill = skillId; }
    void SetChainNextSkill(uint32_t skillId) { chainNextSkill = skillId; }
    void SetChainBehavior(ChainedSkillBehavior behavior) { chainBehavior = behavior; }
    void SetSkillRanges(float shortMin, float shortMax, float mediumMin, float mediumMax,
                        float longMin, float longMax);

    uint32_t GetDefaultSkillId() const { return defaultAttackSkill; }
    uint32_t GetNormalAttackSkillId() const { return normalAttackSkill; }
    uint32_t GetBerserkSkillId() const { return berserkSkill; }
    uint32_t GetDyingSkillId() const { return dyingSkill; }
    uint32_t GetHealSkillId() const { return healSkill; }
    int32_t GetHealDelay() const { return healDelay; }
    int32_t GetHealTimer() const { return healTimer; }
    uint32_t GetBuffSelfSkillId() const { return buffSelfSkills[0]; }
    uint32_t GetBuffSelf2SkillId() const { return buffSelfSkills[1]; }
    uint32_t GetBuffSelf3SkillId() const { return buffSelfSkills[2]; }
    uint32_t GetBuffOtherSkillId() const { return buffOtherSkills[0]; }
    uint32_t GetBuffOther2SkillId() const { return buffOtherSkills[1]; }
    uint32_t GetBuffOther3SkillId() const { return buffOtherSkills[2]; }
    uint32_t GetInitialSkillId() const { return initialSkill; }
    uint32_t GetChainInitialSkill() const { return chainInitialSkill; }
    uint32_t GetChainNextSkill() const { return chainNextSkill; }
    ChainedSkillBehavior GetChainBehavior() const { return chainBehavior; }
    void GetSpecialAttackSkillInfo(uint32_t& skill, int32_t& timeout, int32_t& delay,
                                   uint32_t& chance, SkillUseRange& range) const;
    void GetSpecialAttack2SkillInfo(uint32_t& skill, int32_t& timeout, int32_t& delay,
                                    uint32_t& chance, SkillUseRange& range) const;
    void GetSpecialAttack3SkillInfo(uint32_t& skill, int32_t& timeout, int32_t& delay,
                                    uint32_t& chance, SkillUseRange& range) const;
    void GetSpecialAttack4SkillInfo(uint32_t& skill, int32_t& timeout, int32_t& delay,
                                    uint32_t& chance, SkillUseRange& range) const;
    void GetSpecialAttack5SkillInfo(uint32_t& skill, int32_t& timeout, int32_t& delay,
                                    uint32_t& chance, SkillUseRange& range) const;
    // All seven words of special attack `index` (0 to 4); an empty one outside that range.
    SpecialAttack GetSpecialAttack(int index) const;

    float GetShortRangeMin() const { return shortRangeMin; }
    float GetShortRangeMax() const { return shortRangeMax; }
    float GetMediumRangeMin() const { return mediumRangeMin; }
    float GetMediumRangeMax() const { return mediumRangeMax; }
    float GetLongRangeMin() const { return longRangeMin; }
    float GetLongRangeMax() const { return longRangeMax; }

    // The monster's time to live in ms; 0 for ever.
    void SetLifetime(int32_t ms) { lifetime = ms; }
    int32_t GetLifetime() const { return lifetime; }

    // Anger.
    AngerManager& GetAngerManager() { return angerManager; }
    const AngerManager& GetAngerManager() const { return angerManager; }
    void ClearAnger() { angerManager.Clear(); }
    // The other monster takes over this one's grudges.
    void TransferAnger(ControllerMonster& other) const;
    void SetMostHatedEnemy(uint32_t enemyId) { angerManager.SetMostHatedEnemy(enemyId); }

    // A new master: old grudges no longer count.
    void NewLeader(uint32_t leaderId);

    // The spawn pool that made the monster.
    void SetProxyId(const UniqueId& id) { proxyId = id; }
    const UniqueId& GetProxyId() const { return proxyId; }
    // Replaces the treasure pool; nothing for an empty record name.
    void SetTreasureProxy(const std::string& record);
    // Null once the pool is gone.
    Proxy* GetTreasureProxy() const;

    // Passed on to the executing state; there is none until the states exist.
    void Confuse(int32_t value);
    int32_t GetConfusedTime() const { return confusedTime; }
    void SetConfusedTime(int32_t ms) { confusedTime = ms; }

private:
    static void SetSpecial(SpecialAttack& slot, uint32_t skillId, int32_t timeoutMs,
                           int32_t delayMs, uint32_t chance, SkillUseRange range);
    static void GetSpecial(const SpecialAttack& slot, uint32_t& skill, int32_t& timeout,
                           int32_t& delay, uint32_t& chance, SkillUseRange& range);

    AngerManager angerManager;

    uint32_t defaultAttackSkill = 0;
    uint32_t normalAttackSkill = 0;
    uint32_t berserkSkill = 0;
    uint32_t dyingSkill = 0;
    uint32_t healSkill = 0;
    int32_t healDelay = 0; // ms
    int32_t healTimer = 0; // ms
    uint32_t buffSelfSkills[3] = {0, 0, 0};
    uint32_t buffOtherSkills[3] = {0, 0, 0};
    SpecialAttack specialAttacks[kNumSpecialAttacks];
    uint32_t initialSkill = 0;

    int32_t lifetime = 0; // ms
    UniqueId proxyId;
    int32_t confusedTime = 0; // ms

    uint32_t chainInitialSkill = 0;
    uint32_t chainNextSkill = 0;
    ChainedSkillBehavior chainBehavior = ChainedSkillBehavior_None;
    float shortRangeMin = 0.0f;
    float shortRangeMax = 4.0f;
    float mediumRangeMin = 4.0f;
    float mediumRangeMax = 8.0f;
    float longRangeMin = 8.0f;
    float longRangeMax = 16.0f;

    // Held by id: the object manager owns the pool and may destroy it first.
    uint32_t treasureProxyId = 0;
};

} // namespace GAME
