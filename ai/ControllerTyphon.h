#pragma once

#include "ai/ControllerMonster.h"
#include "characters/TyphonGod.h"

#include <array>
#include <cstdint>

namespace GAME {

class LoadTable;

// The final boss's mind: periods on its own special attacks alternate with periods on a god's.
// When a period without runs out it picks a living god statue near it, walks there and strikes
// it; the strike hands it that god's attacks (see TyphonStatue). The god period counts from the
// pick; when it runs out the own attacks come back and the god effects go out on every machine.
class ControllerTyphon : public ControllerMonster {
    GAME_DECLARE_CLASS(ControllerTyphon)

public:
    // One special attack as the monster's slots take it.
    struct GodSpecialAttack {
        uint32_t skill = 0;
        int32_t timeout = 0; // ms
        int32_t delay = 0;   // ms
        uint32_t chance = 0;
        SkillUseRange range = SkillUseRange_None;
    };
    using AttackSet = std::array<GodSpecialAttack, kNumSpecialAttacks>;
    static constexpr float kStatueSearchRadius = 500.0f;
    static constexpr int kStatueRedraws = 10;

    ControllerTyphon() = default;
    ~ControllerTyphon() override;

    void Load(const LoadTable& table) override;
    void InitialUpdate() override;
    void Update(int32_t elapsedMs) override;

    // `index` 0 to 4 is the god's special attack 1 to 5; nothing for a god or index out of range.
    void SetGodSpecialAttack(uint32_t god, int index, const GodSpecialAttack& attack);
    void SetGodSpecialAttack1(uint32_t god, uint32_t skill, int32_t timeout, int32_t delay,
                              uint32_t chance, SkillUseRange range);
    void SetGodSpecialAttack2(uint32_t god, uint32_t skill, int32_t timeout, int32_t delay,
                              uint32_t chance, SkillUseRange range);
    void SetGodSpecialAttack3(uint32_t god, uint32_t skill, int32_t timeout, int32_t delay,
                              uint32_t chance, SkillUseRange range);
    void SetGodSpecialAttack4(uint32_t god, uint32_t skill, int32_t timeout, int32_t delay,
                              uint32_t chance, SkillUseRange range);
    void SetGodSpecialAttack5(uint32_t god, uint32_t skill, int32_t timeout, int32_t delay,
                              uint32_t chance, SkillUseRange range);
    void SetTransferSkill(uint32_t god, uint32_t skillId);

    // The god's five attacks into the monster's slots; a god out of range changes nothing.
    void ApplyGodSpecialAttacks(uint32_t god);
    void RestoreSpecialAttacks();
    // Only the current god's loss counts: own attacks back and "Return".
    void LoseGodSkills(uint32_t god);
    // A living statue within the search radius becomes the most hated enemy and is pursued.
    bool ChooseStatue();

    const GodSpecialAttack& GetGodSpecialAttack(uint32_t god, int index) const;
    const AttackSet& GetOwnSpecialAttacks() const { return ownSpecialAttacks; }
    uint32_t GetTransferSkill(uint32_t god) const;
    uint32_t GetCurrentGod() const { return currentGod; }
    int32_t GetLastChosenStatue() const { return lastChosenStatue; }
    int32_t GetTimeWithoutGodSkills() const { return timeWithoutGodSkills; }
    int32_t GetTimeWithGodSkills() const { return timeWithGodSkills; }
    int32_t GetMinTimeWithoutGodSkills() const { return minTimeWithoutGodSkills; }
    int32_t GetMaxTimeWithoutGodSkills() const { return maxTimeWithoutGodSkills; }
    int32_t GetMinTimeWithGodSkills() const { return minTimeWithGodSkills; }
    int32_t GetMaxTimeWithGodSkills() const { return maxTimeWithGodSkills; }

protected:
    void RegisterStates() override;

private:
    void ApplyAttacks(const AttackSet& attacks);
    void UpdateGodPeriod(int32_t elapsedMs);
    void UpdatePeriodWithoutGods(int32_t elapsedMs);
    void QueueDisableSkillEffects();

    std::array<AttackSet, kNumTyphonGods> godSpecialAttacks{};
    AttackSet ownSpecialAttacks{};
    int32_t minTimeWithoutGodSkills = 3000;
    int32_t maxTimeWithoutGodSkills = 6000;
    int32_t timeWithoutGodSkills = 0;
    int32_t minTimeWithGodSkills = 10000;
    int32_t maxTimeWithGodSkills = 20000;
    int32_t timeWithGodSkills = 0;
    std::array<uint32_t, kNumTyphonGods> transferSkills{};
    int32_t lastChosenStatue = -1;
    uint32_t currentGod = TyphonGod_None;
};

} // namespace GAME
