#include "ai/ControllerSpiritHost.h"

#include "ai/ControllerAIStateData.h"
#include "ai/ControllerMonsterState.h"
#include "characters/TeamManager.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(ControllerSpiritHost, ControllerMonster);

namespace {

class ControllerSpiritHostStateAnimate : public ControllerMonsterStateBase {
public:
    explicit ControllerSpiritHostStateAnimate(ControllerMonster* controller)
        : ControllerMonsterStateBase(controller)
    {}

    void OnBegin() override
    {
        ControllerMonster* controller = GetController();
        controller->SetCausesAnger(true);
        controller->SetInvincible(false);
        controller->SetTeam(TeamManager::DefaultMonsterTeam());
    }
    void HandleEvent(const Name& event) override
    {
        if (event == Name::Create("End"))
            GetController()->SetState("Idle", ControllerAIStateData());
    }
};

} // namespace

ControllerSpiritHost::~ControllerSpiritHost() = default;

void ControllerSpiritHost::RegisterStates()
{
    ControllerMonster::RegisterStates();
    AddState("Animate", new ControllerSpiritHostStateAnimate(this));
}

void ControllerSpiritHost::Animate()
{
    SetState("Animate", ControllerAIStateData());
}

} // namespace GAME
