#include "skills/Skill_TyphonSkillTransfer.h"

#include "characters/Character.h"
#include "core/RandomUniform.h"
#include "engine/ChaosBeam.h"
#include "engine/EffectEntity.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "skills/SkillServicesBase.h"
#include "skills/SkillWorldQueries.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_TyphonSkillTransfer, SkillActivated);

namespace {
constexpr const char* kSkillTyphonSkillTransferSource = "Project/Game/Skill_TyphonSkillTransfer";
const Name& BeamPoint()
{
    static const Name point = Name::Create("Beam");
    return point;
}
WorldCoords CentreCoordsOf(const Character& character)
{
    WorldCoords centre = character.GetCoords();
    WorldVec3 position = centre.GetPosition();
    position.TranslateInRegion(character.GetCenterOfMass());
    centre.SetPosition(position);
    return centre;
}
} // namespace

Skill_TyphonSkillTransfer::Skill_TyphonSkillTransfer()
{
    SetDisplayName("^bTyphon Skill Transfer");
    SetPrimary(true);
    SetSecondary(true);
}

Skill_TyphonSkillTransfer::~Skill_TyphonSkillTransfer()
{
    ObjectManager& objects = ObjectManager::Instance();
    RemoveAndDestroy(objects.GetObject<EffectEntity>(sourceEndEffect),
                     kSkillTyphonSkillTransferSource, __LINE__);
    RemoveAndDestroy(objects.GetObject<EffectEntity>(targetEndEffect),
                     kSkillTyphonSkillTransferSource, __LINE__);
    if (ChaosBeam* beam = GetBeam())
        beam->Liberate();
}

ChaosBeam* Skill_TyphonSkillTransfer::GetBeam() const
{
    return ObjectManager::Instance().GetObject<ChaosBeam>(beamId);
}

EffectEntity* Skill_TyphonSkillTransfer::GetSourceEndEffect() const
{
    return ObjectManager::Instance().GetObject<EffectEntity>(sourceEndEffect);
}

EffectEntity* Skill_TyphonSkillTransfer::GetTargetEndEffect() const
{
    return ObjectManager::Instance().GetObject<EffectEntity>(targetEndEffect);
}

void Skill_TyphonSkillTransfer::Load(const LoadTable& table)
{
    SkillActivatedSpell::Load(table);
    const std::string beamName = table.GetString("skillGodBeam", "");
    if (!beamName.empty() && GetBeam() == nullptr) {
        if (auto* beam = ObjectManager::Instance().CreateObjectFromFile<ChaosBeam>(beamName))
            beamId = beam->GetObjectId();
    }
    beamVelocity = RecordRate(table, "beamVelocity", 1.0f);
    sourceEndName = table.GetString("sourceEnd", "");
    targetEndName = table.GetString("targetEnd", "");
}

void Skill_TyphonSkillTransfer::PreLoad(bool flag)
{
    SkillActivatedSpell::PreLoad(flag);
    if (ChaosBeam* beam = GetBeam())
        beam->PreLoad(flag);
}

void Skill_TyphonSkillTransfer::ActivateNow(Character& owner, const Name& /*callback*/,
                                            uint32_t targetId, const WorldVec3& /*point*/)
{
    progress = 0.0f;
    SendResultAtTarget(owner, targetId, 0.0f);
}

void Skill_TyphonSkillTransfer::TargetResult(Character& owner, const std::vector<uint32_t>& targets,
                                             const WorldCoords& /*origin*/, uint32_t seed,
                                             uint32_t /*weaponId*/, bool /*melee*/)
{
    RandomUniform random;
    random.Seed(seed);
    for (uint32_t id : targets) {
        Character* target = ObjectManager::Instance().GetObject<Character>(id);
        if (target == nullptr)
            continue;
        ApplyFauxHit(owner, *target, random);
        ChaosBeam* beam = GetBeam();
        if (beam == nullptr)
            continue;
        beam->SetEndPoints(CentreCoordsOf(*target).GetPosition(),
                           CentreCoordsOf(owner).GetPosition());
        beam->SetTopBottomPercent(0.0f, 0.0f);
        PutBackInWorld(*beam, owner.GetCoords());
        beamShown = true;
        beamTarget = id;
        // A machine that never ran the activation starts the beam here all the same.
        progress = 0.0f;
    }
}

void Skill_TyphonSkillTransfer::ShowEnd(uint32_t& effect, const std::string& record,
                                        const WorldCoords& where)
{
    if (effect != 0 || record.empty())
        return;
    auto* made = ObjectManager::Instance().CreateObjectFromFile<EffectEntity>(record);
    if (made == nullptr)
        return;
    made->StartEmitting();
    if (World* world = gEngine->GetWorld())
        world->AddEntity(made, where, false);
    effect = made->GetObjectId();
}

void Skill_TyphonSkillTransfer::DropEnd(uint32_t& effect)
{
    if (auto* made = ObjectManager::Instance().GetObject<EffectEntity>(effect)) {
        made->StopEmitting();
        RemoveAndDestroy(made, kSkillTyphonSkillTransferSource, __LINE__);
    }
    effect = 0;
}

void Skill_TyphonSkillTransfer::Update(Character& owner, int32_t elapsedMs)
{
    SkillActivatedSpell::Update(owner, elapsedMs);
    ChaosBeam* beam = GetBeam();
    const auto* target = ObjectManager::Instance().GetObject<Character>(beamTarget);
    if (beam == nullptr || target == nullptr)
        return;
    progress += static_cast<float>(elapsedMs) * beamVelocity * 0.001f;
    const WorldCoords targetEnd = target->GetAttachedCoords(BeamPoint());
    const WorldCoords casterEnd = owner.GetAttachedCoords(BeamPoint());
    if (progress <= 1.0f) {
        ShowEnd(sourceEndEffect, sourceEndName, targetEnd);
    } else if (progress <= 2.0f) {
        DropEnd(sourceEndEffect);
        ShowEnd(targetEndEffect, targetEndName, casterEnd);
    } else {
        DropEnd(targetEndEffect);
    }
    if (progress <= 2.0f)
        beam->SetEndPoints(targetEnd.GetPosition(), casterEnd.GetPosition());
    DrawBeamProgress(*beam, progress);
}

} // namespace GAME
