#include "ai/ControllerMonster.h"

#include "ai/ControllerAIState.h"
#include "engine/ObjectManager.h"
#include "world/Proxy.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(ControllerMonster, ControllerAI);

ControllerMonster::ControllerMonster()
{
    SetIgnoreEquipmentRequirements(true);
}

ControllerMonster::~ControllerMonster() = default;

SkillUseRange ControllerMonster::GetSkillUseRangeFromText(const std::string& text)
{
    if (text == "ShortRange")
        return SkillUseRange_Short;
    if (text == "MediumRange")
        return SkillUseRange_Medium;
    if (text == "LongRange")
        return SkillUseRange_Long;
    return SkillUseRange_None;
}

void ControllerMonster::TeamChanged()
{
    angerManager.Clear();
}

void ControllerMonster::SetHealSkill(uint32_t skillId, int32_t delayMs)
{
    healSkill = skillId;
    healDelay = delayMs;
}

void ControllerMonster::SetSpecial(SpecialAttack& slot, uint32_t skillId, int32_t timeoutMs,
                                   int32_t delayMs, uint32_t chance, SkillUseRange range)
{
    slot.skill = skillId;
    slot.timeout = timeoutMs;
    slot.delay = delayMs;
    slot.cooldown = 0;
    slot.initialWait = timeoutMs;
    slot.chance = chance;
    slot.useRange = range;
}

void ControllerMonster::GetSpecial(const SpecialAttack& slot, uint32_t& skill, int32_t& timeout,
                                   int32_t& delay, uint32_t& chance, SkillUseRange& range)
{
    skill = slot.skill;
    timeout = slot.timeout;
    delay = slot.delay;
    chance = slot.chance;
    range = slot.useRange;
}

void ControllerMonster::SetSpecialAttackSkill(uint32_t skillId, int32_t timeoutMs, int32_t delayMs,
                                              uint32_t chance, SkillUseRange range)
{
    SetSpecial(specialAttacks[0], skillId, timeoutMs, delayMs, chance, range);
}

void ControllerMonster::SetSpecialAttack2Skill(uint32_t skillId, int32_t timeoutMs, int32_t delayMs,
                                               uint32_t chance, SkillUseRange range)
{
    SetSpecial(specialAttacks[1], skillId, timeoutMs, delayMs, chance, range);
}

void ControllerMonster::SetSpecialAttack3Skill(uint32_t skillId, int32_t timeoutMs, int32_t delayMs,
                                               uint32_t chance, SkillUseRange range)
{
    SetSpecial(specialAttacks[2], skillId, timeoutMs, delayMs, chance, range);
}

void ControllerMonster::SetSpecialAttack4Skill(uint32_t skillId, int32_t timeoutMs, int32_t delayMs,
                                               uint32_t chance, SkillUseRange range)
{
    SetSpecial(specialAttacks[3], skillId, timeoutMs, delayMs, chance, range);
}

void ControllerMonster::SetSpecialAttack5Skill(uint32_t skillId, int32_t timeoutMs, int32_t delayMs,
                                               uint32_t chance, SkillUseRange range)
{
    SetSpecial(specialAttacks[4], skillId, timeoutMs, delayMs, chance, range);
}

void ControllerMonster::GetSpecialAttackSkillInfo(uint32_t& skill, int32_t& timeout, int32_t& delay,
                                                  uint32_t& chance, SkillUseRange& range) const
{
    GetSpecial(specialAttacks[0], skill, timeout, delay, chance, range);
}

void ControllerMonster::GetSpecialAttack2SkillInfo(uint32_t& skill, int32_t& timeout,
                                                   int32_t& delay, uint32_t& chance,
                                                   SkillUseRange& range) const
{
    GetSpecial(specialAttacks[1], skill, timeout, delay, chance, range);
}

void ControllerMonster::GetSpecialAttack3SkillInfo(uint32_t& skill, int32_t& timeout,
                                                   int32_t& delay, uint32_t& chance,
                                                   SkillUseRange& range) const
{
    GetSpecial(specialAttacks[2], skill, timeout, delay, chance, range);
}

void ControllerMonster::GetSpecialAttack4SkillInfo(uint32_t& skill, int32_t& timeout,
                                                   int32_t& delay, uint32_t& chance,
                                                   SkillUseRange& range) const
{
    GetSpecial(specialAttacks[3], skill, timeout, delay, chance, range);
}

void ControllerMonster::GetSpecialAttack5SkillInfo(uint32_t& skill, int32_t& timeout,
                                                   int32_t& delay, uint32_t& chance,
                                                   SkillUseRange& range) const
{
    GetSpecial(specialAttacks[4], skill, timeout, delay, chance, range);
}

ControllerMonster::SpecialAttack ControllerMonster::GetSpecialAttack(int index) const
{
    if (index < 0 || index >= kNumSpecialAttacks)
        return SpecialAttack{};
    return specialAttacks[index];
}

void ControllerMonster::SetSkillRanges(float shortMin, float shortMax, float mediumMin,
                                       float mediumMax, float longMin, float longMax)
{
    shortRangeMin = shortMin;
    shortRangeMax = shortMax;
    mediumRangeMin = mediumMin;
    mediumRangeMax = mediumMax;
    longRangeMin = longMin;
    longRangeMax = longMax;
}

void ControllerMonster::TransferAnger(ControllerMonster& other) const
{
    angerManager.TransferAnger(other.angerManager);
}

void ControllerMonster::NewLeader(uint32_t /*leaderId*/)
{
    angerManager.Clear();
}

void ControllerMonster::SetTreasureProxy(const std::string& record)
{
    if (record.empty())
        return;
    ObjectManager& objects = ObjectManager::Instance();
    if (Proxy* old = GetTreasureProxy())
        objects.DestroyObjectEx(old, "ControllerMonster", __LINE__);
    Proxy* proxy = objects.CreateObjectFromFile<Proxy>(record);
    treasureProxyId = proxy ? proxy->GetObjectId() : 0;
}

Proxy* ControllerMonster::GetTreasureProxy() const
{
    return treasureProxyId ? ObjectManager::Instance().GetObject<Proxy>(treasureProxyId) : nullptr;
}

void ControllerMonster::Confuse(int32_t value)
{
    if (ControllerAIState* state = GetExecutingState())
        state->Confused(value);
}

} // namespace GAME
