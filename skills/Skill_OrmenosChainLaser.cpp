#include "skills/Skill_OrmenosChainLaser.h"

#include "characters/Ormenos.h"
#include "characters/TyphonChained.h"
#include "combat/ParametersCombat.h"
#include "core/RandomUniform.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "skills/SkillServicesBase.h"
#include "skills/SkillWorldQueries.h"
#include "world/ChainLaserBeam.h"
#include "world/TyphonChains.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_OrmenosChainLaser, SkillActivated);

Skill_OrmenosChainLaser::Skill_OrmenosChainLaser()
    : targetAttachPoints{Name::Create("Beam1"), Name::Create("Beam2"), Name::Create("Beam3")},
      casterAttachPoint(Name::Create("Beam"))
{
    SetPrimary(true);
    SetSecondary(true);
}

Skill_OrmenosChainLaser::~Skill_OrmenosChainLaser()
{
    for (size_t i = 0; i < kNumBeams; ++i) {
        if (ChainLaserBeam* beam = GetBeam(i))
            beam->Liberate();
    }
}

ChainLaserBeam* Skill_OrmenosChainLaser::GetBeam(size_t index) const
{
    return ObjectManager::Instance().GetObject<ChainLaserBeam>(beams[index]);
}

void Skill_OrmenosChainLaser::Load(const LoadTable& table)
{
    SkillActivatedSpell::Load(table);
    const std::string record = table.GetString("chainLaserBeam", "");
    for (size_t i = 0; i < kNumBeams && !record.empty(); ++i) {
        if (GetBeam(i) != nullptr)
            continue;
        if (auto* beam = ObjectManager::Instance().CreateObjectFromFile<ChainLaserBeam>(record))
            beams[i] = beam->GetObjectId();
    }
    beamVelocity = RecordRate(table, "beamVelocity", 1.0f);
}

void Skill_OrmenosChainLaser::PreLoad(bool flag)
{
    SkillActivatedSpell::PreLoad(flag);
    for (size_t i = 0; i < kNumBeams; ++i) {
        if (ChainLaserBeam* beam = GetBeam(i))
            beam->PreLoad(flag);
    }
}

void Skill_OrmenosChainLaser::ActivateNow(Character& owner, const Name& /*callback*/,
                                          uint32_t /*targetId*/, const WorldVec3& /*point*/)
{
    const std::vector<TyphonChained*> chained =
        NearbyOfKind<TyphonChained>(owner.GetPathPosition(), kChainRange);
    SkillServicesBase* services = ServicesOf(*this);
    if (chained.empty() || services == nullptr)
        return;
    const TyphonChained& giant = *chained.front();
    for (size_t i = 0; i < giant.GetNumAttachedEntities(); ++i) {
        if (auto* chains = DynamicCast<TyphonChains>(giant.GetAttachedEntity(i)))
            services->SendTargetResult(GetObjectId(), {chains->GetObjectId()}, owner.GetCoords(),
                                       static_cast<uint32_t>(GameEngine::Get().GetRandomSeed()), 0,
                                       false);
    }
}

void Skill_OrmenosChainLaser::TargetResult(Character& owner, const std::vector<uint32_t>& targets,
                                           const WorldCoords& /*origin*/, uint32_t seed,
                                           uint32_t /*weaponId*/, bool /*melee*/)
{
    for (uint32_t id : targets) {
        const Actor* target = ObjectManager::Instance().GetObject<Actor>(id);
        if (target == nullptr)
            continue;
        RandomUniform random;
        random.Seed(seed);
        ParametersCombat parameters(random);
        parameters.attackerId = owner.GetObjectId();
        CreateTargetFx(target->GetCoords());
        PlayHitSound(target->GetCoords().GetPosition());
        for (size_t i = 0; i < kNumBeams; ++i) {
            ChainLaserBeam* beam = GetBeam(i);
            if (beam == nullptr)
                continue;
            beam->SetEndPoints(target->GetAttachedCoords(targetAttachPoints[i]).GetPosition(),
                               owner.GetAttachedCoords(casterAttachPoint).GetPosition());
            beam->SetTopBottomPercent(0.0f, 0.0f);
            PutBackInWorld(*beam, owner.GetCoords());
            beamsActive = true;
            beamDone[i] = false;
            // Every result runs the beams from the start again.
            beamProgress[i] = 0.0f;
        }
        targetId = id;
        explodePending = true;
    }
}

void Skill_OrmenosChainLaser::Update(Character& owner, int32_t elapsedMs)
{
    SkillActivatedSpell::Update(owner, elapsedMs);
    if (targetId == 0)
        return;
    const Actor* target = ObjectManager::Instance().GetObject<Actor>(targetId);
    for (size_t i = 0; i < kNumBeams; ++i) {
        if (beamDone[i])
            continue;
        ChainLaserBeam* beam = GetBeam(i);
        if (beam == nullptr || target == nullptr) {
            if (beam != nullptr)
                beam->SetTopBottomPercent(0.0f, 0.0f);
            beamDone[i] = true;
            continue;
        }
        beamProgress[i] += static_cast<float>(elapsedMs) * beamVelocity * 0.001f;
        if (beamProgress[i] <= 2.0f)
            beam->SetEndPoints(owner.GetAttachedCoords(casterAttachPoint).GetPosition(),
                               target->GetAttachedCoords(targetAttachPoints[i]).GetPosition());
        beamDone[i] = DrawBeamProgress(*beam, beamProgress[i]);
    }
    if (!explodePending || beamDone != std::array<bool, kNumBeams>{true, true, true})
        return;
    if (auto* ormenos = DynamicCast<Ormenos>(&owner))
        ormenos->UnequipAndExplodeSickle(true);
    explodePending = false;
}

} // namespace GAME
