#include "skills/Skill_AttackSpellChaos.h"

#include "characters/Character.h"
#include "characters/TeamManager.h"
#include "engine/ChaosBeam.h"
#include "engine/Engine.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "game/GameEngine.h"
#include "skills/SkillManagerBase.h"
#include "skills/SkillServicesBase.h"

#include <algorithm>

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_AttackSpellChaos, SkillActivated);

namespace {

const Name& HandPoint()
{
    static const Name name = Name::Create("L Hand");
    return name;
}

const Name& TargetPoint()
{
    static const Name name = Name::Create("Target");
    return name;
}

} // namespace

Skill_AttackSpellChaos::Skill_AttackSpellChaos()
{
    SetSecondary(true);
}

Skill_AttackSpellChaos::~Skill_AttackSpellChaos() = default;

void Skill_AttackSpellChaos::Load(const LoadTable& table)
{
    SkillActivatedSpell::Load(table);
    maxDistance = table.GetFloat("maxDistance", 0.0f);
    headVelocity = table.GetFloat("headVelocity", 0.0f);
    tailVelocity = table.GetFloat("tailVelocity", 0.0f);
    chaosBeamName = table.GetString("chaosBeamName", "");
}

ChaosBeam* Skill_AttackSpellChaos::GetBeam() const
{
    return beamId != 0 ? ObjectManager::Instance().GetObject<ChaosBeam>(beamId) : nullptr;
}

void Skill_AttackSpellChaos::LiberateBeam()
{
    if (ChaosBeam* beam = GetBeam())
        beam->Liberate();
    beamId = 0;
}

bool Skill_AttackSpellChaos::GetValidTarget(const Character& owner, uint32_t& target,
                                            const WorldVec3& /*point*/, bool /*aroundSelf*/,
                                            float /*radius*/)
{
    if (target == 0)
        return false;
    const auto* other = ObjectManager::Instance().GetObject<Character>(target);
    const TeamManager* teams = GameEngine::Get().GetTeamManager();
    return other != nullptr && teams != nullptr && teams->IsFoe(owner, *other);
}

void Skill_AttackSpellChaos::ActivateNow(Character& owner, const Name& /*callback*/,
                                         uint32_t target, const WorldVec3& /*point*/)
{
    SkillServicesBase* services =
        skillManager != nullptr ? skillManager->GetSkillServices() : nullptr;
    if (ObjectManager::Instance().GetObject<Character>(target) == nullptr || services == nullptr ||
        beamState != Beam_Idle || !IsTargetInRange(owner, target, kRange))
        return;
    beamState = Beam_Requested;
    services->SendTargetResult(GetObjectId(), {}, owner.GetCoords(),
                               static_cast<uint32_t>(GameEngine::Get().GetRandomSeed()), target,
                               false);
}

void Skill_AttackSpellChaos::TargetResult(Character& owner, const std::vector<uint32_t>& targets,
                                          const WorldCoords& origin, uint32_t seed, uint32_t target,
                                          bool /*melee*/)
{
    if (targets.empty()) {
        if (target != 0 && (beamState == Beam_Idle || beamState == Beam_Requested) && beamId == 0) {
            targetId = target;
            beamState = Beam_Started;
        }
        return;
    }
    ApplySpellHits(owner, targets, origin, seed, TargetPoint());
}

void Skill_AttackSpellChaos::Update(Character& owner, int32_t elapsedMs)
{
    Skill::Update(owner, elapsedMs);
    ObjectManager& objects = ObjectManager::Instance();
    const float seconds = static_cast<float>(elapsedMs) * 0.001f;
    switch (beamState) {
    case Beam_Started: {
        head = 0.0f;
        tail = 0.0f;
        beamState = Beam_Growing;
        auto* beam = chaosBeamName.empty() ? nullptr
                                           : objects.CreateObjectFromFile<ChaosBeam>(chaosBeamName);
        if (beam == nullptr)
            break;
        const auto* target = objects.GetObject<Character>(targetId);
        if (target == nullptr) {
            ObjectManager::Instance().DestroyObjectEx(beam, "Project/Game/Skill", __LINE__);
            beamState = Beam_Finishing;
            break;
        }
        const WorldCoords hand = owner.GetAttachedCoords(HandPoint());
        beam->SetEndPoints(hand.GetPosition(),
                           target->GetAttachedCoords(TargetPoint()).GetPosition());
        beam->SetTopBottomPercent(0.0f, 0.0f);
        World* world = gEngine->GetWorld();
        if (world == nullptr || !world->AddEntity(beam, hand, false)) {
            ObjectManager::Instance().DestroyObjectEx(beam, "Project/Game/Skill", __LINE__);
            break;
        }
        beamId = beam->GetObjectId();
        break;
    }
    case Beam_Growing: {
        head = std::clamp(head + seconds * headVelocity, 0.0f, 1.0f);
        const auto* target = objects.GetObject<Character>(targetId);
        ChaosBeam* beam = GetBeam();
        if (target == nullptr || beam == nullptr) {
            beamState = Beam_Retracting;
            break;
        }
        const WorldVec3 hand = owner.GetAttachedCoords(HandPoint()).GetPosition();
        const WorldVec3 aim = target->GetAttachedCoords(TargetPoint()).GetPosition();
        beam->SetEndPoints(hand, aim);
        beam->SetTopBottomPercent(head, 0.0f);
        if (head < 1.0f)
            break;
        endPoint = aim;
        beamState = Beam_Retracting;
        const World* world = gEngine->GetWorld();
        const float length = world != nullptr ? world->GetDistance(hand, aim) : 0.0f;
        if (length > maxDistance) {
            targetId = 0;
            break;
        }
        SkillServicesBase* services =
            skillManager != nullptr ? skillManager->GetSkillServices() : nullptr;
        if (services != nullptr) {
            const std::vector<uint32_t> struck{targetId};
            services->SendTargetResult(GetObjectId(), struck, WorldCoords(endPoint),
                                       static_cast<uint32_t>(GameEngine::Get().GetRandomSeed()),
                                       targetId, false);
            ActivateSecondarySkills(owner, targetId, struck, endPoint);
        }
        break;
    }
    case Beam_Retracting: {
        const float step = seconds * tailVelocity;
        tail = std::clamp(tail + step, 0.0f, 1.0f);
        if (targetId == 0)
            head = std::clamp(head - step, 0.0f, 1.0f);
        if (head <= tail) {
            tail = head;
            beamState = Beam_Finishing;
        }
        if (ChaosBeam* beam = GetBeam()) {
            beam->SetEndPoints(owner.GetAttachedCoords(HandPoint()).GetPosition(), endPoint);
            beam->SetTopBottomPercent(head, tail);
        }
        break;
    }
    case Beam_Finishing:
        LiberateBeam();
        beamState = Beam_Idle;
        break;
    default:
        break;
    }
}

bool Skill_AttackSpellChaos::SetAvailability(bool /*ignoreMana*/, bool /*ignoreCooldown*/)
{
    if (beamState != Beam_Idle) {
        SetReason(UseQuery_CoolingDown);
        return false;
    }
    return Skill::SetAvailability(false, false);
}

void Skill_AttackSpellChaos::StopSkill(Character& /*owner*/)
{
    LiberateBeam();
    beamState = Beam_Idle;
}

} // namespace GAME
