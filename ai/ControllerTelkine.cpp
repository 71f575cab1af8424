#include "ai/ControllerTelkine.h"

#include "ai/ControllerAIStateData.h"
#include "characters/AnimationSet.h"
#include "characters/Character.h"
#include "characters/Player.h"
#include "core/RTTI_ClassInfo.h"
#include "core/Saturate.h"
#include "engine/LoadTable.h"
#include "engine/Name.h"
#include "skills/SkillManager.h"

#include <vector>

namespace GAME {

GAME_IMPLEMENT_CLASS(ControllerTelkine, ControllerMonster);

namespace {

class ControllerTelkineStateStartup : public ControllerTelkineState {
public:
    using ControllerTelkineState::ControllerTelkineState;

    void OnBegin() override { SetState("AttackPhase1", ControllerAIStateData()); }
};

class ControllerTelkineStateEmote : public ControllerTelkineState {
public:
    using ControllerTelkineState::ControllerTelkineState;

    void OnBegin() override
    {
        PlayAnimation(AnimationSet_Special, Name::Create("TelkineEmote"), 1.0f, false, 0);
    }
    void OnEnd() override { Idle(); }
    void HandleEvent(const Name& event) override
    {
        if (event == Name::Create("End"))
            SetDone(true);
    }
};

} // namespace

ControllerTelkine::~ControllerTelkine() = default;

void ControllerTelkine::Load(const LoadTable& table)
{
    skeletonSpell = table.GetString("skeletonSpell", "");
    telekinesisSpell = table.GetString("telekinesisSpell", "");
    directAttack = table.GetString("directAttack", "");
}

void ControllerTelkine::InitialUpdate()
{
    ControllerAI::InitialUpdate();
    Character* self = GetCharacter();
    if (self == nullptr)
        return;
    const SkillManager& skills = self->GetSkillManager();
    skeletonSpellId = skills.FindSkillId(skeletonSpell);
    telekinesisSpellId = skills.FindSkillId(telekinesisSpell);
    directAttackId = skills.FindSkillId(directAttack);
}

void ControllerTelkine::RegisterStates()
{
    AddState("Startup", new ControllerTelkineStateStartup(this));
    AddState("AttackPhase1", new ControllerTelkineStateAttackPhase1(this));
    AddState("AttackPhase2", new ControllerTelkineStateAttackPhase2(this));
    AddTemporaryState("Emote", new ControllerTelkineStateEmote(this));
}

void ControllerTelkineState::FindClosestEnemies(Character*& closestPlayer, Character*& closestOther)
{
    closestPlayer = nullptr;
    closestOther = nullptr;
    Character* self = GetCharacter();
    if (self == nullptr)
        return;
    const WorldVec3 own = self->GetPathPosition();
    float playerDistance = 0.0f;
    float otherDistance = 0.0f;
    std::vector<Character*> enemies;
    FindEnemiesInSight(enemies);
    for (Character* enemy : enemies) {
        if (!enemy->IsAlive())
            continue;
        const Vec3 offset = Offset(own, enemy->GetPathPosition());
        const float distance = Dot(offset, offset);
        const bool isPlayer = DynamicCast<Player>(enemy) != nullptr;
        Character*& closest = isPlayer ? closestPlayer : closestOther;
        float& best = isPlayer ? playerDistance : otherDistance;
        if (closest == nullptr || distance < best) {
            closest = enemy;
            best = distance;
        }
    }
}

void ControllerTelkineStateAttackPhase1::OnUpdate(int32_t elapsedMs)
{
    // A frame of any length: the wait saturates rather than wraps.
    if (!casting)
        sinceCast = AddSaturating(sinceCast, elapsedMs);
    if (castCount >= castLimit) {
        SetState("AttackPhase2", ControllerAIStateData());
        return;
    }
    const Character* self = GetCharacter();
    if (self == nullptr || self->GetActionState() == ActionState_Attack)
        return;
    if (sinceCast < castInterval || casting)
        return;
    if (emotePending) {
        emotePending = false;
        AddTemporaryState("Emote", ControllerAIStateData());
        return;
    }
    Cast();
}

// Pets and allies go first: the spell is for whoever guards the player.
void ControllerTelkineStateAttackPhase1::Cast()
{
    sinceCast = 0;
    casting = true;
    Character* player = nullptr;
    Character* other = nullptr;
    FindClosestEnemies(player, other);
    Character* target = other != nullptr ? other : player;
    if (target == nullptr)
        return;
    UseSkill(target->GetObjectId(), WorldVec3(), telkine->GetTelekinesisSpellId(), 0);
    ++castCount;
}

void ControllerTelkineStateAttackPhase1::HandleEvent(const Name& event)
{
    if (!casting || event != Name::Create("End"))
        return;
    emotePending = true;
    sinceCast = 0;
    casting = false;
}

void ControllerTelkineStateAttackPhase2::OnUpdate(int32_t /*elapsedMs*/)
{
    timer.Update();
    if (timer.GetTotalElapsedTime() < interval)
        return;
    timer.Reset();
    Character* player = nullptr;
    Character* other = nullptr;
    FindClosestEnemies(player, other);
    Character* target = player != nullptr ? player : other;
    if (target != nullptr)
        UseSkill(target->GetObjectId(), WorldVec3(), telkine->GetDirectAttackId(), 0);
}

} // namespace GAME
