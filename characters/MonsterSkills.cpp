#include "characters/Monster.h"

#include "ai/ControllerMonster.h"
#include "core/Saturate.h"
#include "engine/LoadTable.h"
#include "skills/SkillManager.h"

#include <string>

namespace GAME {

namespace {

// One special attack's record keys, in the order the slots are filled.
struct SpecialAttackKeys {
    const char* skill;
    const char* timeout;
    const char* delay;
    const char* chance;
    const char* range;
    void (ControllerMonster::*setter)(uint32_t, int32_t, int32_t, uint32_t, SkillUseRange);
};

const SpecialAttackKeys kSpecialAttacks[] = {
    {"specialAttackSkillName", "specialAttackTimeout", "specialAttackDelay", "specialAttackChance",
     "specialAttackRange", &ControllerMonster::SetSpecialAttackSkill},
    {"specialAttack2SkillName", "specialAttack2Timeout", "specialAttack2Delay",
     "specialAttack2Chance", "specialAttack2Range", &ControllerMonster::SetSpecialAttack2Skill},
    {"specialAttack3SkillName", "specialAttack3Timeout", "specialAttack3Delay",
     "specialAttack3Chance", "specialAttack3Range", &ControllerMonster::SetSpecialAttack3Skill},
    {"specialAttack4SkillName", "specialAttack4Timeout", "specialAttack4Delay",
     "specialAttack4Chance", "specialAttack4Range", &ControllerMonster::SetSpecialAttack4Skill},
    {"specialAttack5SkillName", "specialAttack5Timeout", "specialAttack5Delay",
     "specialAttack5Chance", "specialAttack5Range", &ControllerMonster::SetSpecialAttack5Skill},
};

using SkillSetter = void (ControllerMonster::*)(uint32_t);

struct SkillKey {
    const char* key;
    SkillSetter setter;
};

// The single-skill slots after the special attacks, except the heal with its delay.
const SkillKey kBuffSkills[] = {
    {"buffSelfSkillName", &ControllerMonster::SetBuffSelfSkill},
    {"buffSelf2SkillName", &ControllerMonster::SetBuffSelf2Skill},
    {"buffSelf3SkillName", &ControllerMonster::SetBuffSelf3Skill},
    {"buffOtherSkillName", &ControllerMonster::SetBuffOtherSkill},
    {"buffOther2SkillName", &ControllerMonster::SetBuffOther2Skill},
    {"buffOther3SkillName", &ControllerMonster::SetBuffOther3Skill},
};

const SkillKey kLateSkills[] = {
    {"berserkSkillName", &ControllerMonster::SetBerserkSkill},
    {"dyingSkillName", &ControllerMonster::SetDyingSkill},
    {"initialSkillName", &ControllerMonster::SetInitialSkill},
};

const SkillKey kChainSkills[] = {
    {"chainInitialSkill", &ControllerMonster::SetChainInitialSkill},
    {"chainNextSkill", &ControllerMonster::SetChainNextSkill},
};

int32_t SecondsToMs(const LoadTable& table, const char* key, float fallback)
{
    return SaturateToInt(static_cast<double>(table.GetFloat(key, fallback)) * 1000.0);
}

} // namespace

void Monster::InitSkillsInController(const LoadTable& table, ControllerMonster* controller,
                                     uint32_t defaultSkillId)
{
    if (controller == nullptr)
        return;
    const SkillManager& skills = GetSkillManager();
    // 0 for a missing key, an empty name or a skill this monster does not hold.
    auto skillFrom = [&](const char* key) -> uint32_t {
        const std::string name = table.GetString(key, "");
        return name.empty() ? 0 : skills.FindSkillId(name);
    };
    auto setEach = [&](const auto& list) {
        for (const SkillKey& entry : list) {
            if (uint32_t id = skillFrom(entry.key))
                (controller->*entry.setter)(id);
        }
    };

    controller->SetDefaultAttackSkill(defaultSkillId);
    if (uint32_t id = skillFrom("attackSkillName"))
        controller->SetNormalAttackSkill(id);

    for (const SpecialAttackKeys& keys : kSpecialAttacks) {
        const uint32_t id = skillFrom(keys.skill);
        if (id == 0)
            continue;
        (controller->*keys.setter)(
            id, SecondsToMs(table, keys.timeout, 0.0f), SecondsToMs(table, keys.delay, 0.0f),
            SaturateToUInt(table.GetFloat(keys.chance, 0.0f)),
            ControllerMonster::GetSkillUseRangeFromText(table.GetString(keys.range, "")));
    }

    setEach(kBuffSkills);
    if (uint32_t id = skillFrom("healSkillName"))
        controller->SetHealSkill(id, SecondsToMs(table, "healSkillDelay", 3.0f));
    setEach(kLateSkills);

    controller->SetSkillRanges(
        table.GetFloat("shortRangeMin", 0.0f), table.GetFloat("shortRangeMax", 4.0f),
        table.GetFloat("mediumRangeMin", 4.0f), table.GetFloat("mediumRangeMax", 8.0f),
        table.GetFloat("longRangeMin", 8.0f), table.GetFloat("longRangeMax", 16.0f));

    setEach(kChainSkills);
    if (table.HasKey("chainBehavior")) {
        const std::string text = table.GetString("chainBehavior", "");
        ChainedSkillBehavior behavior = ChainedSkillBehavior_None;
        if (text == "UseOnLeader")
            behavior = ChainedSkillBehavior_UseOnLeader;
        else if (text == "UseOnSelf")
            behavior = ChainedSkillBehavior_UseOnSelf;
        controller->SetChainBehavior(behavior);
    }
}

} // namespace GAME
