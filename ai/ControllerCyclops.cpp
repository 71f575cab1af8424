#include "ai/ControllerCyclops.h"

#include "ai/ControllerAIStateData.h"
#include "ai/ControllerMonsterState.h"
#include "ai/ControllerMonsterStateAttack.h"
#include "ai/ControllerMonsterStateDead.h"
#include "ai/ControllerMonsterStateDying.h"
#include "ai/ControllerMonsterStatePursue.h"
#include "ai/ControllerMonsterStateStartup.h"
#include "characters/AmbientCharacter.h"
#include "characters/AnimationSet.h"
#include "characters/Character.h"
#include "characters/CharacterRagDoll.h"
#include "characters/Monster.h"
#include "characters/TeamManager.h"
#include "core/RTTI_ClassInfo.h"
#include "engine/Engine.h"
#include "engine/Entity.h"
#include "engine/Jukebox.h"
#include "engine/LoadTable.h"
#include "engine/Name.h"
#include "engine/ObjectManager.h"
#include "engine/Sphere.h"
#include "engine/World.h"
#include "game/GameEngine.h"

#include <algorithm>
#include <vector>

namespace GAME {

GAME_IMPLEMENT_CLASS(ControllerCyclops, ControllerMonster);

namespace {

std::string WithoutSlashes(std::string name)
{
    name.erase(
        std::remove_if(name.begin(), name.end(), [](char c) { return c == '/' || c == '\\'; }),
        name.end());
    return name;
}

bool IsFoeOf(const Character& self, const Character& other)
{
    const TeamManager* teams = gGameEngine != nullptr ? gGameEngine->GetTeamManager() : nullptr;
    return teams != nullptr && teams->IsFoe(self.GetTeam(), other.GetTeam());
}

// The player's character, or null when there is no player to go for.
Character* ThePlayer()
{
    const uint32_t id = gGameEngine != nullptr ? gGameEngine->GetPlayerId() : 0;
    return id != 0 ? ObjectManager::Instance().GetObject<Character>(id) : nullptr;
}

class ControllerCyclopsState : public ControllerMonsterStateBase {
public:
    explicit ControllerCyclopsState(ControllerCyclops* controller)
        : ControllerMonsterStateBase(controller), cyclops(controller)
    {}

protected:
    // The player becomes the most hated and the charge starts; with no player the boss rests.
    void BullRun()
    {
        const Character* player = ThePlayer();
        if (player == nullptr) {
            SetState("Idle", ControllerAIStateData());
            return;
        }
        cyclops->SetMostHatedEnemy(player->GetObjectId());
        SetState("BullRun", ControllerAIStateData(player->GetObjectId(), 0, 0, WorldVec3()));
    }

    ControllerCyclops* cyclops;
};

class ControllerCyclopsStateIdle : public ControllerCyclopsState {
public:
    using ControllerCyclopsState::ControllerCyclopsState;

    void OnBegin() override { Idle(); }
    void WakeUp(uint32_t sourceId) override
    {
        SetState("ScriptedMove", ControllerAIStateData(sourceId, 0, 0, WorldVec3()));
    }
};

class ControllerCyclopsStateScriptedMove : public ControllerCyclopsState {
public:
    using ControllerCyclopsState::ControllerCyclopsState;

    void OnBegin() override
    {
        WorldCoords point;
        Character* self = GetCharacter();
        if (self == nullptr || !cyclops->GetScriptPoint(0, point)) {
            BullRun();
            return;
        }
        if (!self->CanMoveTo(point.GetPosition(), 0.5f)) {
            gEngine->Log(Engine::LogData, "-=- Boos Cyclops could not path to scripted location");
            BullRun();
            return;
        }
        MoveTo(point.GetPosition(), 0, 0);
    }
    void EndOfPathReached() override { BullRun(); }
};

class ControllerCyclopsStateBullRun : public ControllerCyclopsState {
public:
    using ControllerCyclopsState::ControllerCyclopsState;

    void OnBegin() override
    {
        if (!roared) {
            roared = true;
            AddTemporaryState("Roar", ControllerAIStateData(GetCurrentEnemy(), 0, 0, WorldVec3()));
            return;
        }
        cyclops->SetPlayerFocused(true);
        Character* self = GetCharacter();
        Character* enemy = FindCharacter(GetCurrentEnemy());
        const WorldVec3 point = self != nullptr && enemy != nullptr
                                    ? self->GetMoveToPoint(GetCurrentEnemy(), GetCurrentSkillID(),
                                                           enemy->GetPathPosition())
                                    : WorldVec3();
        if (!point.HasRegion()) {
            SetState("Idle", ControllerAIStateData());
            return;
        }
        WalkTo(point, GetCurrentEnemy());
    }
    void OnEnd() override { cyclops->SetPlayerFocused(false); }
    void OnUpdate(int32_t /*elapsedMs*/) override { Trample(); }
    void EndOfPathReached() override
    {
        const uint32_t enemy = GetCurrentEnemy();
        const uint32_t skill = cyclops->ChooseBestSkill(enemy, false);
        roared = false;
        const ControllerAIStateData data(enemy, 0, skill, WorldVec3());
        if (CloseEnoughToUseSkill(enemy, skill) && IsClearPath(enemy)) {
            gEngine->Log(Engine::LogData, "-=-=-=- Bullrun -> Attack ");
            SetState("Attack", data);
            return;
        }
        gEngine->Log(Engine::LogData, "-=-=-=- Bullrun -> Pursue ");
        SetState("Pursue", data);
    }

private:
    void Trample();

    bool roared = false;
};

void ControllerCyclopsStateBullRun::Trample()
{
    Character* self = GetCharacter();
    World* world = gEngine->GetWorld();
    if (self == nullptr || world == nullptr)
        return;
    const WorldVec3 own = self->GetPathPosition();
    std::vector<Entity*> near;
    world->GetEntitiesInSphere(near, own.GetRegion(), own.GetRegionPosition(),
                               ControllerCyclops::kTrampleRadius);
    for (Entity* entity : near) {
        if (auto* monster = DynamicCast<Monster>(entity)) {
            if (monster == self || !monster->IsAlive() || !IsFoeOf(*self, *monster))
                continue;
            CharacterRagDoll::EffectData fling;
            fling.direction = Offset(own, monster->GetPathPosition());
            fling.speed = ControllerCyclops::kTrampleStrength;
            monster->SetRagdollData(fling, true);
            if (auto* controller = ObjectManager::Instance().GetObject<ControllerMonster>(
                    monster->GetControllerId()))
                controller->KillMe();
        } else if (auto* creature = DynamicCast<AmbientCharacter>(entity)) {
            if (auto* controller = ObjectManager::Instance().GetObject<ControllerCombat>(
                    creature->GetControllerId()))
                controller->KillMe();
        }
    }
}

class ControllerCyclopsStateRoar : public ControllerCyclopsState {
public:
    using ControllerCyclopsState::ControllerCyclopsState;

    void OnBegin() override
    {
        PlayAnimation(AnimationSet_Special, Name::Create("Roar"), 1.0f, false, 0);
        Character* self = GetCharacter();
        if (self == nullptr)
            return;
        const WorldVec3 own = self->GetPathPosition();
        std::vector<Character*> foes;
        cyclops->GetFoesInSphere(foes, own.GetRegion(),
                                 Sphere(own.GetRegionPosition(), ControllerCyclops::kRoarRadius));
        for (Character* foe : foes) {
            if (auto* controller =
                    ObjectManager::Instance().GetObject<ControllerMonster>(foe->GetControllerId()))
                controller->Panic(self->GetObjectId());
        }
    }
    void HandleEvent(const Name& event) override
    {
        if (event == Name::Create("End"))
            SetDone(true);
    }
    void OnEnd() override { cyclops->PlayBossMusic(); }
};

class ControllerCyclopsStateReturn : public ControllerCyclopsState {
public:
    using ControllerCyclopsState::ControllerCyclopsState;

    void OnBegin() override
    {
        const Character* self = GetCharacter();
        const Character* player = ThePlayer();
        if (self == nullptr || player == nullptr || !IsFoeOf(*self, *player)) {
            SetState("Idle", ControllerAIStateData());
            return;
        }
        const uint32_t id = player->GetObjectId();
        cyclops->SetMostHatedEnemy(id);
        SetState("Attack",
                 ControllerAIStateData(id, 0, cyclops->ChooseBestSkill(id, false), WorldVec3()));
    }
};

} // namespace

ControllerCyclops::ControllerCyclops()
    : scriptPointListener("GameEvent_ScriptPoint", &ControllerCyclops::OnScriptPoint, this)
{}

ControllerCyclops::~ControllerCyclops() = default;

void ControllerCyclops::Load(const LoadTable& table)
{
    ControllerMonster::Load(table);
    postRoarMusic = table.GetString("postRoarMusic", "");
}

void ControllerCyclops::InitialUpdate()
{
    ControllerAI::InitialUpdate();
    if (Character* self = GetCharacter())
        self->SetTeam(TeamManager::BuildTeam(3, 1));
}

float ControllerCyclops::ProcessAngerTarget(const Character& /*foe*/, int32_t /*elapsedMs*/)
{
    return 0.0f;
}

void ControllerCyclops::OnScriptPoint(const GameEvent_ScriptPoint& event)
{
    const Character* self = GetCharacter();
    if (self == nullptr ||
        WithoutSlashes(event.scriptCharacter) != WithoutSlashes(self->GetObjectName()))
        return;
    scriptPoints[event.sequenceNum] = event.coords;
}

bool ControllerCyclops::GetScriptPoint(int32_t sequence, WorldCoords& out) const
{
    const auto found = scriptPoints.find(sequence);
    if (found == scriptPoints.end())
        return false;
    out = found->second;
    return true;
}

void ControllerCyclops::PlayBossMusic()
{
    if (postRoarMusic.empty() || gGameEngine == nullptr)
        return;
    Jukebox& jukebox = gGameEngine->GetJukebox();
    jukebox.FadeOutMusic(5000);
    jukebox.PlayEventMusic(postRoarMusic, false);
}

void ControllerCyclops::RegisterStates()
{
    AddState("Startup", new ControllerMonsterStateStartup(this));
    AddState("Idle", new ControllerCyclopsStateIdle(this));
    AddState("BullRun", new ControllerCyclopsStateBullRun(this));
    AddState("Attack", new ControllerMonsterStateAttack(this));
    AddState("Pursue", new ControllerMonsterStatePursue(this));
    AddState("Return", new ControllerCyclopsStateReturn(this));
    AddState("ScriptedMove", new ControllerCyclopsStateScriptedMove(this));
    AddState("Dying", new ControllerMonsterStateDying(this));
    AddState("Dead", new ControllerMonsterStateDead(this));
}

void ControllerCyclops::RegisterTemporaryStates()
{
    ControllerMonster::RegisterTemporaryStates();
    AddTemporaryState("Roar", new ControllerCyclopsStateRoar(this));
}

} // namespace GAME
