#include "skills/Skill_AttackTelekinesis.h"

#include "characters/AnimationSet.h"
#include "characters/Character.h"
#include "combat/ParametersCombat.h"
#include "core/RandomUniform.h"
#include "engine/ChaosBeam.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "engine/SoundPak.h"
#include "game/GameEngine.h"
#include "skills/SkillManagerBase.h"
#include "skills/SkillProfile_Modifiers.h"
#include "skills/SkillWorldQueries.h"
#include "world/ProjectileInfo.h"
#include "world/ProjectileTelekinesis.h"
#include "world/Puppet.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace GAME {

// The sequence runs on every machine from the cast's swipe: claim the object, reach for it
// with the beam, let the puppet take hold, lift, carry over the head and hold it wobbling
// until the ending animation's hit throws it. The throw is an ordinary projectile, so its hit
// comes back as one target result from the controlling machine. Whatever ends the sequence
// early (a cancel, a stop, the object vanishing, the skill going) lets go of the object, so it
// never stays claimed.

GAME_IMPLEMENT_CLASS(Skill_AttackTelekinesis, SkillActivated);

namespace {
constexpr int32_t kBeamFadeMs = 250;
const Vec3 kLiftUp(0.0f, 1.0f, 0.0f);

const Name& TelekinesisHandPoint()
{
    static const Name point = Name::Create("SpecialHit01");
    return point;
}

float Radians(float degrees)
{
    return degrees * std::numbers::pi_v<float> / 180.0f;
}

// `to` in from's region; false when the two cannot be related.
bool Offset(const WorldVec3& from, const WorldVec3& to, Vec3& out)
{
    Vec3 there;
    if (!to.GetPositionInRegion(from.GetRegionId(), there))
        return false;
    out = there - from.GetRegionPosition();
    return true;
}
} // namespace

Skill_AttackTelekinesis::Skill_AttackTelekinesis()
{
    SetPrimary(false);
    SetSecondary(true);
    if (gGameEngine != nullptr) {
        RandomUniform& random = gGameEngine->GetRandomGen();
        wobblePhase1 = static_cast<float>(random.IGenerate(0, 36));
        wobblePhase2 = static_cast<float>(random.IGenerate(0, 36));
    }
}

Skill_AttackTelekinesis::~Skill_AttackTelekinesis()
{
    // A skill that goes mid-sequence must not leave its object claimed for ever.
    if (ProjectileTelekinesis* object = GetObjectClaimed())
        object->Release();
    CleanUp();
    if (auto* sound = ObjectManager::Instance().GetObject<SoundPak>(beamSoundId))
        ObjectManager::Instance().DestroyObjectEx(sound, "Project/Game/Skill_AttackTelekinesis",
                                                  __LINE__);
}

void Skill_AttackTelekinesis::Load(const LoadTable& table)
{
    SkillActivatedSpell::Load(table);
    loopingAnimation = Name::Create(table.GetString("specialLoopingAnimationName", ""));
    endingAnimation = Name::Create(table.GetString("specialEndingAnimationName", ""));
    headVelocity = RecordRate(table, "headVelocity", 0.0f);
    chaosBeamName = table.GetString("chaosBeamName", "");
    puppetName = table.GetString("puppetName", "");
    liftSpeed = RecordRate(table, "liftSpeed", 2.0f);
    moveOverHeadVelocity = RecordRate(table, "moveOverHeadVelocity", 3.0f);
    beamOriginCharFxPak = table.GetString("beamOriginCharFxPak", "");
    if (!beamOriginCharFxPak.empty())
        beamOrigin.LoadFromDatabase(beamOriginCharFxPak);
    chaosBeamSound = table.GetString("chaosBeamSound", "");
    if (!chaosBeamSound.empty() && beamSoundId == 0) {
        if (auto* sound = ObjectManager::Instance().CreateObjectFromFile<SoundPak>(chaosBeamSound))
            beamSoundId = sound->GetObjectId();
    }
}

void Skill_AttackTelekinesis::Install(Character* owner)
{
    if (owner != nullptr)
        beamOrigin.SetParent(owner->GetObjectId());
    beamOrigin.InitializeFxPak();
}

void Skill_AttackTelekinesis::UnInstall(Character* owner)
{
    if (owner != nullptr)
        ReleaseObject(*owner);
    beamOrigin.UnLoad();
    beamOrigin.SetParent(0);
    SkillActivatedSpell::UnInstall(owner);
}

void Skill_AttackTelekinesis::PreLoad(bool flag)
{
    SkillActivatedSpell::PreLoad(flag);
    beamOrigin.PreLoad();
    if (auto* sound = ObjectManager::Instance().GetObject<SoundPak>(beamSoundId))
        sound->PreLoad(flag);
}

ProjectileTelekinesis* Skill_AttackTelekinesis::GetObjectClaimed() const
{
    return ObjectManager::Instance().GetObject<ProjectileTelekinesis>(claimedId);
}

Puppet* Skill_AttackTelekinesis::GetPuppet() const
{
    return ObjectManager::Instance().GetObject<Puppet>(puppetId);
}

ChaosBeam* Skill_AttackTelekinesis::GetBeam() const
{
    return ObjectManager::Instance().GetObject<ChaosBeam>(beamId);
}

void Skill_AttackTelekinesis::FindObjectToThrow(const WorldVec3& centre)
{
    std::vector<uint32_t> free;
    for (ProjectileTelekinesis* object :
         NearbyOfKind<ProjectileTelekinesis>(centre, kSearchRadius)) {
        if (!object->IsInUse())
            free.push_back(object->GetObjectId());
    }
    candidateId = free.empty() ? 0 : GameEngine::Get().PickObject(free, {});
}

bool Skill_AttackTelekinesis::SetAvailability(bool ignoreMana, bool ignoreCooldown)
{
    if (claimedId != 0)
        return true;
    const Character* owner = HasManager() ? GetManager()->GetParent() : nullptr;
    if (owner != nullptr) {
        FindObjectToThrow(owner->GetCoords().GetPosition());
        if (candidateId == 0) {
            SetReason(UseQuery_NoTelekinesisObject);
            return false;
        }
    }
    return SkillActivatedSpell::SetAvailability(ignoreMana, ignoreCooldown);
}

void Skill_AttackTelekinesis::SwipeAction(Character& owner, const Name& callback, uint32_t targetId,
                                          const WorldVec3& point)
{
    SkillActivatedSpell::SwipeAction(owner, callback, targetId, point);
    FindObjectToThrow(owner.GetCoords().GetPosition());
    ClaimObject(owner, owner.GetCoords());
    if (AnimationSet* set = owner.GetAnimationSet())
        set->PlayAnimationIfAvailable(owner, AnimationSet_Special, loopingAnimation, 1.0f, true);
}

WorldVec3 Skill_AttackTelekinesis::FarEnd(const ProjectileTelekinesis& object) const
{
    if (const Puppet* puppet = GetPuppet())
        return puppet->GetAttachedCoords(Name::Create("Wrist")).GetPosition();
    return object.GetCoords().GetPosition();
}

bool Skill_AttackTelekinesis::ClaimObject(Character& owner, const WorldCoords& /*at*/)
{
    ObjectManager& objects = ObjectManager::Instance();
    auto* object = objects.GetObject<ProjectileTelekinesis>(candidateId);
    if (object == nullptr || object->IsInUse())
        return false;
    object->ProjectileCome(owner.GetObjectId());
    headFraction = 0.0f;
    claimedId = candidateId;
    sequence = Sequence_BeamReaching;
    overHeadCoords = owner.GetAttachedCoords(TelekinesisHandPoint());
    handPoint = overHeadCoords.GetPosition();
    startCoords = object->GetCoords();
    liftCoords = startCoords;
    Vec3 reach;
    carryDistance = Offset(handPoint, startCoords.GetPosition(), reach) ? reach.Length() : 0.0f;
    carried = 0.0f;
    World* world = gEngine->GetWorld();
    if (auto* puppet =
            puppetName.empty() ? nullptr : objects.CreateObjectFromFile<Puppet>(puppetName)) {
        puppetId = puppet->GetObjectId();
        puppet->SetVisibility(false);
        WorldCoords placed = startCoords;
        placed.LookAt(startCoords.GetPosition(), owner.GetCoords().GetPosition(), kLiftUp);
        if (world != nullptr)
            world->AddEntity(puppet, placed, false);
    }
    objectRotation = startCoords.GetRegionCoords();
    objectRotation.origin = Vec3();
    if (auto* beam = chaosBeamName.empty()
                         ? nullptr
                         : objects.CreateObjectFromFile<ChaosBeam>(chaosBeamName)) {
        beam->SetEndPoints(handPoint, FarEnd(*object));
        beam->SetTopBottomPercent(0.0f, 0.0f);
        beamId = beam->GetObjectId();
        if (world != nullptr)
            world->AddEntity(beam, owner.GetCoords(), false);
        if (auto* sound = objects.GetObject<SoundPak>(beamSoundId))
            sound->Play(owner.GetCoords(), false, true);
    }
    beamOrigin.Enable(true);
    return true;
}

bool Skill_AttackTelekinesis::RetrieveObject(Character& /*owner*/, WorldVec3& /*point*/)
{
    if (GetObjectClaimed() == nullptr)
        return false;
    sequence = Sequence_Lifting;
    return true;
}

void Skill_AttackTelekinesis::RefreshBeam(Character& owner, const ProjectileTelekinesis& object)
{
    if (ChaosBeam* beam = GetBeam())
        beam->SetEndPoints(owner.GetAttachedCoords(TelekinesisHandPoint()).GetPosition(),
                           FarEnd(object));
}

void Skill_AttackTelekinesis::Update(Character& owner, int32_t elapsedMs)
{
    SkillActivatedSpell::Update(owner, elapsedMs);
    if (sequence == Sequence_Idle)
        return;
    wobbleAngle = static_cast<int32_t>(static_cast<float>(wobbleAngle) +
                                       static_cast<float>(elapsedMs) * 0.18f) %
                  360;
    const ProjectileTelekinesis* object = GetObjectClaimed();
    if (object == nullptr) {
        sequence = Sequence_Idle;
        ReleaseObject(owner);
        return;
    }
    RefreshBeam(owner, *object);
    switch (sequence) {
    case Sequence_BeamReaching:
        if (MoveBeam(owner, elapsedMs)) {
            sequence = Sequence_PuppetAnimating;
            if (Puppet* puppet = GetPuppet()) {
                puppet->SetVisibility(true);
                puppet->StartAnimating();
            }
        }
        break;
    case Sequence_PuppetAnimating:
        if (const Puppet* puppet = GetPuppet(); puppet == nullptr || puppet->IsReady())
            sequence = Sequence_Lifting;
        break;
    case Sequence_Lifting:
        if (LiftEntity(owner, elapsedMs))
            sequence = Sequence_Carrying;
        break;
    case Sequence_Carrying:
        if (MoveEntity(owner, elapsedMs)) {
            sequence = Sequence_Holding;
            if (AnimationSet* set = owner.GetAnimationSet())
                set->PlayAnimationIfAvailable(owner, AnimationSet_Special, endingAnimation, 1.0f,
                                              false);
        }
        break;
    case Sequence_Holding:
        WobbleEntity(elapsedMs);
        break;
    default:
        break;
    }
}

bool Skill_AttackTelekinesis::MoveBeam(Character& /*owner*/, int32_t elapsedMs)
{
    headFraction = std::clamp(headFraction + static_cast<float>(elapsedMs) * 0.001f * headVelocity,
                              0.0f, 1.0f);
    if (ChaosBeam* beam = GetBeam())
        beam->SetTopBottomPercent(headFraction, 0.0f);
    return headFraction >= 1.0f;
}

void Skill_AttackTelekinesis::PlaceAt(const WorldCoords& coords)
{
    World* world = gEngine->GetWorld();
    if (world == nullptr)
        return;
    if (Puppet* puppet = GetPuppet(); puppet != nullptr && puppet->IsInWorld())
        world->SetCoords(puppet, coords);
    if (ProjectileTelekinesis* object = GetObjectClaimed();
        object != nullptr && object->IsInWorld())
        world->SetCoords(
            object, WorldCoords(coords.GetRegionId(), coords.GetRegionCoords() * objectRotation));
}

bool Skill_AttackTelekinesis::LiftEntity(Character& /*owner*/, int32_t elapsedMs)
{
    Vec3 below;
    if (GetObjectClaimed() == nullptr || !Offset(liftCoords.GetPosition(), handPoint, below) ||
        below.y <= 0.0f)
        return true;
    const Vec3 rise(0.0f, static_cast<float>(elapsedMs) * 0.001f * liftSpeed, 0.0f);
    for (WorldCoords* coords : {&liftCoords, &startCoords}) {
        WorldVec3 position = coords->GetPosition();
        position.TranslateInRegion(rise);
        coords->SetPosition(position);
    }
    PlaceAt(WobbleCoords(liftCoords, elapsedMs));
    return false;
}

bool Skill_AttackTelekinesis::MoveEntity(Character& /*owner*/, int32_t elapsedMs)
{
    if (GetObjectClaimed() == nullptr)
        return true;
    carried += static_cast<float>(elapsedMs) * moveOverHeadVelocity * 0.001f;
    // An object already at the hand has no way to go.
    const float t = carryDistance > 0.0f ? std::clamp(carried / carryDistance, 0.0f, 1.0f) : 1.0f;
    Vec3 way;
    Offset(liftCoords.GetPosition(), overHeadCoords.GetPosition(), way);
    WorldCoords at = liftCoords;
    WorldVec3 position = liftCoords.GetPosition();
    position.TranslateInRegion(way * t);
    at.SetPosition(position);
    PlaceAt(WobbleCoords(at, elapsedMs));
    return t >= 1.0f;
}

void Skill_AttackTelekinesis::WobbleEntity(int32_t elapsedMs)
{
    PlaceAt(WobbleCoords(overHeadCoords, elapsedMs));
}

WorldCoords Skill_AttackTelekinesis::WobbleCoords(const WorldCoords& coords,
                                                  int32_t /*elapsedMs*/) const
{
    const auto angle = static_cast<float>(wobbleAngle);
    const auto amplitude = static_cast<float>(wobbleAmplitude);
    const Vec3 axes[3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    const float phases[3] = {0.0f, wobblePhase1, wobblePhase2};
    Coords frame = coords.GetRegionCoords();
    const Vec3 origin = frame.origin;
    frame.origin = Vec3();
    for (int i = 0; i < 3; ++i) {
        const float degrees = std::sin(Radians(angle + phases[i])) * amplitude;
        frame = Coords::RotationAboutAxis(Radians(degrees), axes[i]) * frame;
    }
    frame.origin = origin;
    return WorldCoords(coords.GetRegionId(), frame);
}

void Skill_AttackTelekinesis::ActivateNow(Character& owner, const Name& /*callback*/,
                                          uint32_t targetId, const WorldVec3& point)
{
    sequence = Sequence_Thrown;
    ThrowObject(owner, point, targetId);
    PlayHitSound(owner.GetCoords().GetPosition());
}

void Skill_AttackTelekinesis::ThrowObject(Character& owner, const WorldVec3& point,
                                          uint32_t targetId)
{
    ProjectileTelekinesis* object = GetObjectClaimed();
    if (object == nullptr)
        return;
    SkillProfile_Modifiers data;
    GetSkillModifierData(data);
    ProjectileInfo info;
    info.ownerId = owner.GetObjectId();
    info.skillId = GetObjectId();
    info.targetId = targetId;
    info.targetPoint = point;
    info.team = owner.GetTeam();
    info.launchCoords = owner.GetCoords();
    info.piercingChance = data.GetProjectilePiercing();
    object->LoadInfo(info, static_cast<uint32_t>(GameEngine::Get().GetRandomSeed()));
    AddProjectileModifier(object);
    object->ProjectileGo();
    CleanUp();
}

void Skill_AttackTelekinesis::CleanUp()
{
    if (Puppet* puppet = GetPuppet())
        puppet->ReleaseToWorld();
    puppetId = 0;
    if (ChaosBeam* beam = GetBeam())
        beam->Liberate();
    beamId = 0;
    if (auto* sound = ObjectManager::Instance().GetObject<SoundPak>(beamSoundId))
        sound->FadeLastPlayedSound(kBeamFadeMs);
    beamOrigin.Enable(false);
    claimedId = 0;
}

void Skill_AttackTelekinesis::ReleaseObject(Character& /*owner*/)
{
    if (ProjectileTelekinesis* object = GetObjectClaimed())
        object->Release();
    CleanUp();
}

void Skill_AttackTelekinesis::Cancel(Character& owner)
{
    ReleaseObject(owner);
    sequence = Sequence_Idle;
    SkillActivatedSpell::Cancel(owner);
}

void Skill_AttackTelekinesis::StopSkill(Character& owner)
{
    ReleaseObject(owner);
    sequence = Sequence_Idle;
    SkillActivatedSpell::StopSkill(owner);
}

bool Skill_AttackTelekinesis::EndAction(Character& /*owner*/)
{
    return sequence < Sequence_BeamReaching || sequence > Sequence_Holding;
}

void Skill_AttackTelekinesis::TargetResult(Character& owner, const std::vector<uint32_t>& targets,
                                           const WorldCoords& origin, uint32_t seed,
                                           uint32_t weaponId, bool /*melee*/)
{
    RandomUniform random;
    random.Seed(seed);
    for (uint32_t id : targets) {
        Character* target = ObjectManager::Instance().GetObject<Character>(id);
        if (target == nullptr || target == &owner)
            continue;
        ParametersCombat parameters(random);
        CollectCombatParameters(owner, target, static_cast<ParametersCombatStyle>(2), false,
                                weaponId, parameters, 0.0f);
        InitRagDollData(parameters.ragDoll, origin, target->GetCoords());
        CreateTargetFx(target->GetCoords());
        target->TakeAttack(parameters);
    }
}

} // namespace GAME
