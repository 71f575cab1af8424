#include "ai/ControllerTyphon.h"

#include "ai/ControllerTyphonStates.h"
#include "characters/CharacterConfigCommands.h"
#include "characters/TyphonStatue.h"
#include "core/RandomHelpers.h"
#include "core/Saturate.h"
#include "core/WorldHelpers.h"
#include "engine/LoadTable.h"
#include "engine/Platform.h"

#include <array>
#include <memory>
#include <vector>

namespace GAME {

GAME_IMPLEMENT_CLASS(ControllerTyphon, ControllerMonster);

namespace {

using Setter = void (ControllerMonster::*)(uint32_t, int32_t, int32_t, uint32_t, SkillUseRange);
constexpr std::array<Setter, ControllerMonster::kNumSpecialAttacks> kSlotSetters = {
    &ControllerMonster::SetSpecialAttackSkill, &ControllerMonster::SetSpecialAttack2Skill,
    &ControllerMonster::SetSpecialAttack3Skill, &ControllerMonster::SetSpecialAttack4Skill,
    &ControllerMonster::SetSpecialAttack5Skill};

int32_t RandomPeriod(int32_t min, int32_t max)
{
    return SaturateToInt(RandomFloat(static_cast<float>(min), static_cast<float>(max)));
}

} // namespace

ControllerTyphon::~ControllerTyphon() = default;

void ControllerTyphon::Load(const LoadTable& table)
{
    ControllerMonster::Load(table);
    minTimeWithoutGodSkills = table.GetInt("MinTimeWithoutGodSkills", 3000);
    maxTimeWithoutGodSkills = table.GetInt("MaxTimeWithoutGodSkills", 6000);
    minTimeWithGodSkills = table.GetInt("MinTimeWithGodSkills", 10000);
    maxTimeWithGodSkills = table.GetInt("MaxTimeWithGodSkills", 20000);
}

void ControllerTyphon::RegisterStates()
{
    ControllerMonster::RegisterStates();
    AddState("PursueStatue", new ControllerTyphonStatePursueStatue(this));
    AddState("AttackStatue", new ControllerTyphonStateAttackStatue(this));
}

void ControllerTyphon::InitialUpdate()
{
    ControllerMonster::InitialUpdate();
    timeWithoutGodSkills = RandomPeriod(minTimeWithoutGodSkills, maxTimeWithoutGodSkills);
    timeWithGodSkills = -1;
    for (int index = 0; index < kNumSpecialAttacks; ++index) {
        const SpecialAttack slot = GetSpecialAttack(index);
        ownSpecialAttacks[index] = {slot.skill, slot.timeout, slot.delay, slot.chance,
                                    slot.useRange};
    }
}

void ControllerTyphon::Update(int32_t elapsedMs)
{
    ControllerMonster::Update(elapsedMs);
    if (GetCurrentEnemy() == 0)
        return;
    if (timeWithoutGodSkills < 0)
        UpdateGodPeriod(elapsedMs);
    else
        UpdatePeriodWithoutGods(elapsedMs);
}

// Below 0 as well, the last pick found no statue: the boss keeps its own attacks from then on.
void ControllerTyphon::UpdateGodPeriod(int32_t elapsedMs)
{
    if (timeWithGodSkills < 0)
        return;
    timeWithGodSkills = AddSaturating(timeWithGodSkills, -elapsedMs);
    if (timeWithGodSkills >= 0)
        return;
    RestoreSpecialAttacks();
    timeWithoutGodSkills = RandomPeriod(minTimeWithoutGodSkills, maxTimeWithoutGodSkills);
    QueueDisableSkillEffects();
}

void ControllerTyphon::UpdatePeriodWithoutGods(int32_t elapsedMs)
{
    timeWithoutGodSkills = AddSaturating(timeWithoutGodSkills, -elapsedMs);
    if (timeWithoutGodSkills < 0 && ChooseStatue())
        timeWithGodSkills = RandomPeriod(minTimeWithGodSkills, maxTimeWithGodSkills);
}

void ControllerTyphon::QueueDisableSkillEffects()
{
    if (Character* self = GetCharacter())
        self->Enqueue(std::make_unique<DisableTyphonSkillEffectsConfigCmd>(self->GetObjectId()));
}

bool ControllerTyphon::ChooseStatue()
{
    Character* self = GetCharacter();
    if (self == nullptr)
        return false;
    std::vector<TyphonStatue*> found;
    GetEntitiesInSphereOfType(found, self->GetPathPosition(), kStatueSearchRadius);
    std::vector<TyphonStatue*> candidates;
    for (TyphonStatue* statue : found) {
        if (statue->IsAlive())
            candidates.push_back(statue);
    }
    if (candidates.empty())
        return false;
    const auto count = static_cast<uint32_t>(candidates.size());
    auto index = static_cast<int32_t>(static_cast<uint32_t>(Platform::Rand()) % count);
    for (int redraw = 0; redraw < kStatueRedraws && index == lastChosenStatue; ++redraw)
        index = static_cast<int32_t>(static_cast<uint32_t>(Platform::Rand()) % count);
    lastChosenStatue = index;
    const TyphonStatue* statue = candidates[static_cast<size_t>(index)];
    SetMostHatedEnemy(statue->GetObjectId());
    // The skill of the statue's own god: the strike hands over that god, whatever the order
    // in which the statues were found.
    SetState("PursueStatue",
             ControllerAIStateData(statue->GetObjectId(), 0, GetTransferSkill(statue->GetGod()),
                                   WorldVec3()));
    return true;
}

void ControllerTyphon::SetGodSpecialAttack(uint32_t god, int index, const GodSpecialAttack& attack)
{
    if (IsTyphonGod(god) && index >= 0 && index < kNumSpecialAttacks)
        godSpecialAttacks[god][static_cast<size_t>(index)] = attack;
}

void ControllerTyphon::SetGodSpecialAttack1(uint32_t god, uint32_t skill, int32_t timeout,
                                            int32_t delay, uint32_t chance, SkillUseRange range)
{
    SetGodSpecialAttack(god, 0, {skill, timeout, delay, chance, range});
}

void ControllerTyphon::SetGodSpecialAttack2(uint32_t god, uint32_t skill, int32_t timeout,
                                            int32_t delay, uint32_t chance, SkillUseRange range)
{
    SetGodSpecialAttack(god, 1, {skill, timeout, delay, chance, range});
}

void ControllerTyphon::SetGodSpecialAttack3(uint32_t god, uint32_t skill, int32_t timeout,
                                            int32_t delay, uint32_t chance, SkillUseRange range)
{
    SetGodSpecialAttack(god, 2, {skill, timeout, delay, chance, range});
}

void ControllerTyphon::SetGodSpecialAttack4(uint32_t god, uint32_t skill, int32_t timeout,
                                            int32_t delay, uint32_t chance, SkillUseRange range)
{
    SetGodSpecialAttack(god, 3, {skill, timeout, delay, chance, range});
}

void ControllerTyphon::SetGodSpecialAttack5(uint32_t god, uint32_t skill, int32_t timeout,
                                            int32_t delay, uint32_t chance, SkillUseRange range)
{
    SetGodSpecialAttack(god, 4, {skill, timeout, delay, chance, range});
}

void ControllerTyphon::SetTransferSkill(uint32_t god, uint32_t skillId)
{
    if (IsTyphonGod(god))
        transferSkills[god] = skillId;
}

const ControllerTyphon::GodSpecialAttack& ControllerTyphon::GetGodSpecialAttack(uint32_t god,
                                                                                int index) const
{
    static const GodSpecialAttack none;
    if (!IsTyphonGod(god) || index < 0 || index >= kNumSpecialAttacks)
        return none;
    return godSpecialAttacks[god][static_cast<size_t>(index)];
}

uint32_t ControllerTyphon::GetTransferSkill(uint32_t god) const
{
    return IsTyphonGod(god) ? transferSkills[god] : 0;
}

void ControllerTyphon::ApplyAttacks(const AttackSet& attacks)
{
    for (size_t slot = 0; slot < attacks.size(); ++slot) {
        const GodSpecialAttack& attack = attacks[slot];
        const Setter setter = kSlotSetters[slot];
        (this->*setter)(attack.skill, attack.timeout, attack.delay, attack.chance, attack.range);
    }
}

void ControllerTyphon::ApplyGodSpecialAttacks(uint32_t god)
{
    if (!IsTyphonGod(god))
        return;
    ApplyAttacks(godSpecialAttacks[god]);
    currentGod = god;
}

void ControllerTyphon::RestoreSpecialAttacks()
{
    ApplyAttacks(ownSpecialAttacks);
    currentGod = TyphonGod_None;
}

void ControllerTyphon::LoseGodSkills(uint32_t god)
{
    if (!IsTyphonGod(god) || god != currentGod)
        return;
    RestoreSpecialAttacks();
    SetState("Return", ControllerAIStateData());
}

} // namespace GAME
