#include "ai/ControllerMegalesiosState.h"

#include "characters/Megalesios.h"
#include "core/RandomHelpers.h"
#include "core/Saturate.h"
#include "engine/Engine.h"
#include "engine/Name.h"
#include "engine/ObjectManager.h"
#include "engine/Platform.h"
#include "skills/Skill.h"
#include "skills/SkillWorldQueries.h"

namespace GAME {

namespace {

uint32_t RandomValue()
{
    return static_cast<uint32_t>(Platform::Rand());
}

} // namespace

Megalesios* ControllerMegalesiosState::GetBoss()
{
    return DynamicCast<Megalesios>(GetCharacter());
}

// ---- Startup ----

void ControllerMegalesiosStateStartup::OnBegin()
{
    if (const Megalesios* boss = GetBoss(); boss != nullptr && boss->IsLaunched()) {
        SwitchTo("AttackConduit");
        return;
    }
    Idle();
    GetController()->SetInvincible(true);
}

void ControllerMegalesiosStateStartup::QuestCommandUseSkill(uint32_t /*skillId*/,
                                                            uint32_t /*targetId*/)
{
    if (Megalesios* boss = GetBoss())
        boss->SetLaunched(true);
    SwitchTo("LaunchBursts", 0, 0, GetController()->GetSpecialAttack(4).skill);
}

// ---- LaunchBursts ----

void ControllerMegalesiosStateLaunchBursts::OnBegin()
{
    Megalesios* boss = GetBoss();
    if (boss == nullptr)
        return;
    const uint32_t skillId = GetCurrentSkillID();
    if (const Skill* skill = ObjectManager::Instance().GetObject<Skill>(skillId);
        skill != nullptr && skill->GetReason() != 0) {
        gEngine->Log(Engine::LogRuntime,
                     "Skill is not ready in ControllerMegalesiosState LaunchBursts - %s",
                     boss->GetObjectName().c_str());
        return;
    }
    Character* enemy = FindCharacter(GetCurrentEnemy());
    Character* target = enemy != nullptr ? enemy : boss;
    UseSkill(target->GetObjectId(), target->GetPathPosition(), skillId, RandomValue());
}

void ControllerMegalesiosStateLaunchBursts::HandleEvent(const Name& event)
{
    if (event == Name::Create("End"))
        SwitchTo("AttackConduit");
}

// ---- AttackConduit ----

void ControllerMegalesiosStateAttackConduit::OnBegin()
{
    if (const Megalesios* boss = GetBoss(); boss != nullptr && boss->IsConduitDestroyed()) {
        SwitchTo("Idle");
        return;
    }
    attackTimer = 0;
}

void ControllerMegalesiosStateAttackConduit::OnUpdate(int32_t elapsedMs)
{
    if (conduit == 0) {
        FindConduit();
        return;
    }
    const auto* target = ObjectManager::Instance().GetObject<Monster>(conduit);
    if (target != nullptr && target->IsAlive()) {
        StrikeConduit(*target, elapsedMs);
        return;
    }
    SwitchTo("Idle");
    if (Megalesios* boss = GetBoss())
        boss->SetConduitDestroyed(true);
}

void ControllerMegalesiosStateAttackConduit::FindConduit()
{
    Megalesios* boss = GetBoss();
    if (boss == nullptr)
        return;
    const std::vector<MegalesiosConduit*> found =
        NearbyOfKind<MegalesiosConduit>(boss->GetPathPosition(), GetViewDistance() + kSearchMargin);
    if (!found.empty())
        conduit = found.front()->GetObjectId();
}

void ControllerMegalesiosStateAttackConduit::StrikeConduit(const Character& target,
                                                           int32_t elapsedMs)
{
    attackTimer = AddSaturating(attackTimer, -elapsedMs);
    if (attackTimer >= 0)
        return;
    attackTimer = static_cast<int32_t>(RandomFloat(1000.0f, 5000.0f));
    UseSkill(target.GetObjectId(), target.GetCoords().GetPosition(),
             GetController()->GetSpecialAttack(0).skill, RandomValue());
}

void ControllerMegalesiosStateAttackConduit::OnEnd()
{
    GetController()->SetInvincible(false);
}

void ControllerMegalesiosStateAttackConduit::QuestCommandUseSkill(uint32_t skillId,
                                                                  uint32_t targetId)
{
    attackTimer = kQuestHold;
    DefaultQuestCommandUseSkillResponse(skillId, targetId);
}

} // namespace GAME
