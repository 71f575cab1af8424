#include "ai/ControllerTerracotta.h"

#include "ai/ControllerAIStateData.h"
#include "ai/ControllerMonsterState.h"
#include "characters/Character.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "engine/Vec3.h"
#include "engine/WorldCoords.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(ControllerTerracotta, ControllerMonster);

namespace {

constexpr float kMarchStep = 5.0f;

// The warriors' states hold their controller as its own kind: the shared state base knows
// only the plain monster controller.
class ControllerTerracottaState : public ControllerMonsterStateBase {
public:
    explicit ControllerTerracottaState(ControllerTerracotta* controller)
        : ControllerMonsterStateBase(controller), warrior(controller)
    {
        Answer(kFindEnemy);
    }

protected:
    // The most hated foe's distance ahead; false when nobody is hated.
    bool HatedForwardDistance(float& distance) const
    {
        const uint32_t enemy = warrior->GetMostHatedEnemy();
        if (enemy == 0)
            return false;
        distance = warrior->GetForwardDistance(enemy);
        return true;
    }

    ControllerTerracotta* warrior;
};

class ControllerTerracottaStateStartup : public ControllerTerracottaState {
public:
    using ControllerTerracottaState::ControllerTerracottaState;

    void OnBegin() override { warrior->Idle(); }
    void OnUpdate(int32_t /*elapsedMs*/) override
    {
        float distance = 0.0f;
        if (!HatedForwardDistance(distance))
            return;
        if (distance < warrior->GetMarchRange())
            warrior->AttackMarch();
        else if (distance < warrior->GetAttackRange())
            warrior->Return();
    }
};

class ControllerTerracottaStateAttackMarch : public ControllerTerracottaState {
public:
    using ControllerTerracottaState::ControllerTerracottaState;

    void OnBegin() override
    {
        Character* self = warrior->GetAI();
        if (self == nullptr)
            return;
        const WorldVec3 own = self->GetPathPosition();
        const Vec3 forward = self->GetCoords().GetRegionCoords().forward;
        warrior->WalkTo(
            WorldVec3(own.GetRegionId(), own.GetRegionPosition() + forward * kMarchStep), 0);
    }
    void OnUpdate(int32_t /*elapsedMs*/) override
    {
        float distance = 0.0f;
        if (HatedForwardDistance(distance) && distance < warrior->GetAttackRange())
            warrior->Return();
    }
    // The march goes on in steps until a foe stands close in front.
    void EndOfPathReached() override { OnBegin(); }
};

} // namespace

ControllerTerracotta::~ControllerTerracotta() = default;

void ControllerTerracotta::Load(const LoadTable& table)
{
    ControllerMonster::Load(table);
    attackRange = table.GetFloat("AttackRange", 2.0f);
    marchRange = table.GetFloat("MarchRange", 0.0f);
}

void ControllerTerracotta::RegisterStates()
{
    ControllerMonster::RegisterStates();
    AddState("Startup", new ControllerTerracottaStateStartup(this));
    AddState("AttackMarch", new ControllerTerracottaStateAttackMarch(this));
}

void ControllerTerracotta::AttackMarch()
{
    SetState("AttackMarch", ControllerAIStateData());
}

void ControllerTerracotta::Return()
{
    SetState("Return", ControllerAIStateData());
}

float ControllerTerracotta::GetForwardDistance(uint32_t objectId) const
{
    Character* self = GetCharacter();
    auto* other = ObjectManager::Instance().GetObject<Character>(objectId);
    if (self == nullptr || other == nullptr)
        return 0.0f;
    const WorldVec3 own = self->GetPathPosition();
    Vec3 there;
    if (!other->GetPathPosition().GetPositionInRegion(own.GetRegionId(), there))
        return 0.0f;
    const float ahead =
        Dot(there - own.GetRegionPosition(), self->GetCoords().GetRegionCoords().forward);
    return ahead > 0.0f ? ahead : 0.0f;
}

} // namespace GAME
