// Skills at work in a world, as a server runs them: a fireball from its use to the hit it
// lands, over its frames (budget 50 us); the flight of 200 projectiles for a frame (100 us); a
// wave spreading over 100 enemies until it has reached them all (200 us); 100 characters each
// with a toggled buff, a pulsing aura and an armed on-hit wave, updated one frame (150 us); and
// what three damage filters add to one hit's TakeAttack (0.3 us), measured against a peer
// without them; a telekinetic throw from swipe to hit (under three fireballs a frame); a chain
// of five bolts through 100 foes (30 us beside its five blows); and two rings of 16 walls
// placed, sent and raised (2 ms).
#include "bench/BenchCombatRecord.h"
#include "bench/BenchWorld.h"
#include "characters/Character.h"
#include "characters/Monster.h"
#include "characters/Player.h"
#include "characters/Team.h"
#include "characters/TeamManager.h"
#include "combat/CombatManager.h"
#include "combat/ParametersCombat.h"
#include "core/RandomUniform.h"
#include "engine/ABBox.h"
#include "engine/ConnectionManager.h"
#include "engine/Coords.h"
#include "engine/Engine.h"
#include "engine/Name.h"
#include "engine/NetPacket.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "game/GameEngine.h"
#include "multiplayer/ConfigCmdPackets.h"
#include "skills/Skill.h"
#include "skills/SkillActivated.h"
#include "skills/SkillManager.h"
#include "skills/SkillSecondary_ChainLightning.h"
#include "skills/Skill_AttackRadius.h"
#include "skills/Skill_AttackTelekinesis.h"
#include "skills/Skill_DefensiveWall.h"
#include "world/Lightning.h"
#include "world/ProjectileBase.h"
#include "world/ProjectileFireballLike.h"
#include "world/ProjectileTelekinesis.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace GAME {
namespace {

constexpr uint32_t kRegion = Bench::BenchWorld::kRegion;
const Team kSide = TeamManager::BuildTeam(2, 1);
constexpr int32_t kFrameMs = 33;
// No use runs longer than this; a run that does has lost its way and stops the benchmark.
constexpr int kMaxFrames = 200;

constexpr const char* kCaster = "Records/Creatures/PC/Caster.dbr";
constexpr const char* kFoe = "Records/Creatures/Monster/Foe.dbr";
constexpr const char* kAlly = "Records/Creatures/Monster/Ally.dbr";
constexpr const char* kFireball = "Records/Skills/Fireball.dbr";
constexpr const char* kWave = "Records/Skills/Wave.dbr";
constexpr const char* kToggle = "Records/Skills/Toggle.dbr";
constexpr const char* kAura = "Records/Skills/Aura.dbr";
constexpr const char* kOnHit = "Records/Skills/OnHitWave.dbr";
constexpr const char* kArts = "Records/Skills/Arts.dbr";
constexpr const char* kWard = "Records/Skills/Buffs/Ward.dbr";
constexpr const char* kSkin = "Records/Skills/Buffs/Skin.dbr";
constexpr const char* kShell = "Records/Skills/Buffs/Shell.dbr";
constexpr const char* kLift = "Records/Skills/Lift.dbr";
constexpr const char* kRock = "Records/Projectiles/Rock.dbr";
constexpr const char* kChain = "Records/Skills/Chain.dbr";
constexpr const char* kWalls = "Records/Skills/Walls.dbr";

// A caster's and a foe's records and every skill the benchmarks use. The casters' mana is deep
// enough that no run reaches the bottom.
class ArenaRecords : public Bench::BenchRecords {
protected:
    ArenaRecords()
    {
        Write("Records/Game/GameEngine.dbr",
              "defaultCombatManagerRecord = Records/Game/CombatManager.dbr\n");
        Write("Records/Game/CombatManager.dbr", Bench::kCombatManagerRecord);
        Write(Player::kStubControllerRecord, "Class = ControllerCombat\n");
        Write(Player::kPlayerControllerRecord, "Class = ControllerPlayer\n");
        Write(kCaster, "Class = Player\ncharacterLife = 1000000000\ncharacterMana = 1000000000\n"
                       "defaultTeamMajor = TeamMajor_Human\ncharacterOffensiveAbility = 2000\n"
                       "handHitDamageMin = 8\nhandHitDamageMax = 14\n");
        Write(kFoe, "Class = Monster\ncharacterLife = 100000\n"
                    "defaultTeamMajor = TeamMajor_Monster\n");
        Write(kAlly, "Class = Monster\ncharacterLife = 1000\ndefaultTeamMajor = TeamMajor_Human\n");
        Write("Records/Projectiles/Fireball.dbr",
              "Class = ProjectileFireballLike\nprojectileVelocity = 12\nprojectileDistance = 20\n");
        Write(kFireball, "Class = Skill_AttackProjectile\nskillMaxLevel = 1\nskillManaCost = 5\n"
                         "skillProjectileName = Records/Projectiles/Fireball.dbr\n"
                         "skillProjectileNumber = 1\noffensiveFireMin = 12\n"
                         "offensiveFireMax = 18\n");
        // One unit each 50 ms: the front crosses the 10 units in 500 ms.
        Write(kWave, "Class = Skill_AttackRadius\nskillMaxLevel = 1\nskillTargetRadius = 10\n"
                     "expansionTime = 0.05\noffensivePhysicalMin = 5\noffensivePhysicalMax = 9\n");
        Write(kToggle, "Class = Skill_BuffSelfToggled\nskillMaxLevel = 1\nskillManaCost = 7\n"
                       "skillActiveManaCost = 2\ndamageAbsorption = 30\n"
                       "damageAbsorptionPercent = 50\ncharacterStrength = 5\n");
        Write(kAura,
              "Class = Skill_BuffRadiusToggled\nskillMaxLevel = 1\nskillManaCost = 5\n"
              "skillActiveManaCost = 1\nbuffSkillName = Records/Skills/Buffs/Blessing.dbr\n");
        Write("Records/Skills/Buffs/Blessing.dbr",
              "Class = SkillBuff\nskillMaxLevel = 1\nskillTargetRadius = 3\n"
              "skillActiveDuration = 5\ncharacterLife = 20\ndefensiveFire = 10\n");
        Write(kOnHit, "Class = Skill_OnHitAttackRadius\nskillMaxLevel = 1\nskillTargetRadius = 3\n"
                      "skillCooldownTime = 1\nonHitActivationChance = 20\nexpansionTime = 0.5\n"
                      "offensiveFireMin = 3\noffensiveFireMax = 6\n");
        Write(kArts, std::string("skillName1 = ") + kFireball + "\nskillLevel1 = 1\n" +
                         "skillName2 = " + kWave + "\nskillLevel2 = 1\n" + "skillName3 = " +
                         kToggle + "\nskillLevel3 = 1\n" + "skillName4 = " + kAura +
                         "\nskillLevel4 = 1\n" + "skillName5 = " + kOnHit + "\nskillLevel5 = 1\n");
        // Three wards, each cutting what gets through in its own way; some of a blow still lands.
        Write(kWard, "Class = SkillBuff\nskillMaxLevel = 1\ndamageAbsorption = 2\n"
                     "damageAbsorptionPercent = 30\nphysicalDamageQualifier = 1\n");
        Write(kSkin, "Class = SkillBuff\nskillMaxLevel = 1\ndamageAbsorptionPercent = 20\n"
                     "physicalDamageQualifier = 1\n");
        Write(kShell, "Class = SkillBuff\nskillMaxLevel = 1\ndamageAbsorption = 1\n"
                      "physicalDamageQualifier = 1\nfireDamageQualifier = 1\n");
        Write(kLift, "Class = Skill_AttackTelekinesis\nskillMaxLevel = 1\nheadVelocity = 4\n"
                     "chaosBeamName = Records/Effects/Beam.dbr\nmoveOverHeadVelocity = 6\n");
        Write("Records/Effects/Beam.dbr", "Class = ChaosBeam\n");
        Write(kRock, "Class = ProjectileTelekinesis\nprojectileVelocity = 12\n");
        Write(kChain, "Class = SkillSecondary_ChainLightning\nskillMaxLevel = 1\nsparkGap = 3\n"
                      "sparkChance = 100\nsparkMaxNumber = 5\n"
                      "lightningName = Records/Effects/Bolt.dbr\noffensiveLightningMin = 5\n"
                      "offensiveLightningMax = 9\n");
        Write("Records/Effects/Bolt.dbr",
              "Class = Lightning\nnumberOfBolts = 1\ntimeMin = 0.2\ntimeMax = 0.2\n");
        Write(kWalls, "Class = Skill_DefensiveWall\nskillMaxLevel = 1\n"
                      "spawnObjects = Records/Creatures/Monster/Wall.dbr\n"
                      "spawnObjectsSpacingAngle = 45\nspawnObjectsNumberOfRings = 2\n"
                      "spawnObjectsDistanceInnerCircle = 3\nspawnObjectsDistanceIncrement = 2\n");
        Write("Records/Creatures/Monster/Wall.dbr", "Class = Monster\ncharacterLife = 500\n");
        Write(Monster::kDefaultControllerRecord, "Class = ControllerMonster\n");
    }
};

// A server with one region over the arena records. Foes are healed after each use, so that the
// life they lost stays measurable in single precision.
class Arena : private ArenaRecords, public Bench::BenchWorld {
public:
    Arena() : BenchWorld(Root(), 500.0f)
    {
        gEngine->SetNetworkMode(true, false);
        gGameEngine->SetAsNetworkServer();
    }
    ~Arena()
    {
        // What leaving sends goes nowhere.
        ObjectManager::Instance().DestroyAllObjects();
        gEngine->GetNetworkConnectionManager().ClearSentPackets();
        gEngine->SetNetworkMode(false, false);
    }

    template <typename Kind> Kind* Place(const char* record, const Vec3& at)
    {
        Kind* character = ObjectManager::Instance().CreateObjectFromFile<Kind>(record);
        if (character == nullptr)
            return nullptr;
        gEngine->GetWorld()->AddEntity(character, WorldCoords(kRegion, Coords::FromTranslation(at)),
                                       false);
        // Players are friends only on one side.
        if (character->GetTeam().GetTeamMajor() == kSide.GetTeamMajor())
            character->SetTeam(kSide);
        character->InitialUpdate();
        character->GetCharacterBio().Update(*character, 0);
        return character;
    }

    // A caster holding every skill, controlling them as the server does.
    Player* Caster(const Vec3& at)
    {
        Player* caster = Place<Player>(kCaster, at);
        if (caster == nullptr)
            return nullptr;
        SkillManager& skills = caster->GetSkillManager();
        skills.LoadSkills(kArts, 25);
        caster->SetIsControllingCharacter(true);
        skills.SetAsControllingManager();
        skills.Update(0);
        return caster;
    }

    template <typename Kind> static Kind* SkillOf(Character& character, const char* record)
    {
        SkillManager& skills = character.GetSkillManager();
        return dynamic_cast<Kind*>(skills.GetSkill(skills.FindSkillId(record)));
    }

    static void Use(Character& user, SkillActivated& skill, const Character* target)
    {
        const uint32_t targetId = target != nullptr ? target->GetObjectId() : 0;
        const WorldVec3 point =
            target != nullptr ? target->GetCoords().GetPosition() : user.GetCoords().GetPosition();
        skill.ActivateNow(user, Name(), targetId, point);
    }

    // What the frame sent to the peers; a server would hand it to the transport.
    static std::vector<ConnectionManager::SentPacket> Sent()
    {
        return gEngine->GetNetworkConnectionManager().TakeSentPackets();
    }
};

double PerIteration(const benchmark::State& state, double total)
{
    return total / static_cast<double>(std::max<int64_t>(state.iterations(), 1));
}

// The caster throws at a foe 6 units away; the ball flies its frames and lands one hit.
void BM_Fireball_ActivateToHit(benchmark::State& state)
{
    Arena arena;
    Player* caster = arena.Caster({0, 0, 0});
    Monster* foe = arena.Place<Monster>(kFoe, {0, 0, 6});
    auto* fireball =
        caster != nullptr ? Arena::SkillOf<SkillActivated>(*caster, kFireball) : nullptr;
    if (foe == nullptr || fireball == nullptr) {
        state.SkipWithError("the caster, his fireball or the foe was not made");
        return;
    }
    ObjectManager& objects = ObjectManager::Instance();
    Arena::Sent();
    double frames = 0.0;
    double lifeLost = 0.0;
    for (auto _ : state) {
        const float before = foe->GetCurrentLife();
        Arena::Use(*caster, *fireball, foe);
        uint32_t ball = 0;
        for (const ConnectionManager::SentPacket& packet : Arena::Sent()) {
            const std::unique_ptr<NetPacket> decoded =
                ConnectionManager::DecodePacket(packet.bytes);
            if (const auto* launch =
                    dynamic_cast<const CreateProjectileConfigCmdPacket*>(decoded.get()))
                ball = launch->projectileId;
        }
        int frame = 0;
        for (; frame < kMaxFrames; ++frame) {
            auto* projectile = objects.GetObject<ProjectileBase>(ball);
            if (projectile == nullptr)
                break;
            projectile->UpdateSelf(kFrameMs);
            objects.ProcessDestroyedObjects();
        }
        Arena::Sent();
        if (frame == kMaxFrames || ball == 0) {
            state.SkipWithError("the fireball never landed");
            break;
        }
        frames += frame;
        const float lost = before - foe->GetCurrentLife();
        lifeLost += lost;
        foe->GetCharacterBio().AddLifeFast(lost);
    }
    state.counters["frames"] = PerIteration(state, frames);
    state.counters["lifeLost"] = PerIteration(state, lifeLost);
}
BENCHMARK(BM_Fireball_ActivateToHit)->Unit(benchmark::kMicrosecond);

// 200 fireballs thrown outwards in a ring, flying one frame each through a crowd of 100 of the
// caster's allies: every frame looks for targets along each path and finds none to stop at.
// They are thrown again before they run out of range. Argument 0 throws them all at once, so
// they fly bunched; 1 throws a stream, ball i i % 20 frames ahead, so they spread as in play.
void BM_Projectiles_TwoHundredFlyOneFrame(benchmark::State& state)
{
    constexpr int kBalls = 200;
    constexpr int kFramesPerThrow = 20; // at most 16 of the 20 units with the stream's lead
    const bool stream = state.range(0) != 0;
    Arena arena;
    Player* caster = arena.Caster({0, 0, 0});
    std::vector<Monster*> crowd;
    for (int i = 0; i < 100 && caster != nullptr; ++i) {
        const float angle = (static_cast<float>(i) + 0.5f) * 6.2831853f / 100.0f;
        const float distance = 3.0f + static_cast<float>(i % 10);
        crowd.push_back(arena.Place<Monster>(
            kAlly, {std::sin(angle) * distance, 0.0f, std::cos(angle) * distance}));
    }
    auto* fireball = caster != nullptr ? Arena::SkillOf<Skill>(*caster, kFireball) : nullptr;
    if (fireball == nullptr || crowd.back() == nullptr) {
        state.SkipWithError("the caster, his fireball or the crowd was not made");
        return;
    }
    ObjectManager& objects = ObjectManager::Instance();
    std::vector<ProjectileBase*> balls;
    std::vector<uint32_t> ids;
    const auto throwAll = [&] {
        // A ball that stopped has deleted itself already.
        for (uint32_t id : ids)
            if (auto* ball = objects.GetObject<ProjectileBase>(id))
                ball->DeleteProjectile();
        objects.ProcessDestroyedObjects();
        balls.clear();
        ids.clear();
        for (int i = 0; i < kBalls; ++i) {
            const float angle = static_cast<float>(i) * 6.2831853f / kBalls;
            const Vec3 aim{std::sin(angle) * 20.0f, 1.0f, std::cos(angle) * 20.0f};
            const uint32_t id = objects.CreateObjectID();
            fireball->CreateProjectile(*caster, caster->GetCoords(), 0, WorldVec3(kRegion, aim), 0,
                                       id, static_cast<uint32_t>(i + 1));
            if (auto* ball = objects.GetObject<ProjectileBase>(id)) {
                for (int lead = stream ? i % kFramesPerThrow : 0; lead > 0; --lead)
                    ball->UpdateSelf(kFrameMs);
                balls.push_back(ball);
                ids.push_back(id);
            }
        }
        Arena::Sent();
    };
    throwAll();
    int frame = 0;
    size_t flying = 0;
    for (auto _ : state) {
        if (++frame == kFramesPerThrow) {
            state.PauseTiming();
            throwAll();
            frame = 0;
            state.ResumeTiming();
        }
        for (ProjectileBase* ball : balls)
            ball->UpdateSelf(kFrameMs);
    }
    for (uint32_t id : ids) {
        const auto* ball = objects.GetObject<ProjectileFireballLike>(id);
        flying += ball != nullptr && ball->GetState() == ProjectileFireballLike::State_Flying;
    }
    state.counters["balls"] = static_cast<double>(balls.size());
    state.counters["stillFlying"] = static_cast<double>(flying);
}
BENCHMARK(BM_Projectiles_TwoHundredFlyOneFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// A wave 10 units wide over 100 enemies in rings: the use, then frames until the front has
// reached them all, each reached enemy taking its hit.
void BM_Wave_HundredEnemies(benchmark::State& state)
{
    Arena arena;
    Player* caster = arena.Caster({0, 0, 0});
    std::vector<Monster*> foes;
    for (int i = 0; i < 100 && caster != nullptr; ++i) {
        const float angle = static_cast<float>(i) * 2.3999632f; // golden angle
        const float distance = 1.0f + 8.5f * static_cast<float>(i) / 99.0f;
        foes.push_back(arena.Place<Monster>(
            kFoe, {std::sin(angle) * distance, 0.0f, std::cos(angle) * distance}));
    }
    auto* wave = caster != nullptr ? Arena::SkillOf<Skill_AttackRadius>(*caster, kWave) : nullptr;
    if (wave == nullptr || foes.back() == nullptr) {
        state.SkipWithError("the caster, his wave or the foes were not made");
        return;
    }
    Arena::Sent();
    double frames = 0.0;
    double reached = 0.0;
    double lifeLost = 0.0;
    for (auto _ : state) {
        Arena::Use(*caster, *wave, nullptr);
        reached += static_cast<double>(wave->GetWaitingTargets().size());
        int frame = 0;
        for (; frame < kMaxFrames && !wave->GetWaitingTargets().empty(); ++frame)
            wave->Update(*caster, kFrameMs);
        Arena::Sent();
        if (frame == kMaxFrames) {
            state.SkipWithError("the wave never ended");
            break;
        }
        frames += frame;
        for (Monster* foe : foes) {
            const float lost = foe->GetCharacterBio().GetLifeLimit() - foe->GetCurrentLife();
            lifeLost += lost;
            foe->GetCharacterBio().AddLifeFast(lost);
        }
    }
    state.counters["frames"] = PerIteration(state, frames);
    state.counters["lifeLost"] = PerIteration(state, lifeLost);
    state.counters["enemies"] = PerIteration(state, reached);
}
BENCHMARK(BM_Wave_HundredEnemies)->Unit(benchmark::kMicrosecond);

// 100 characters 2 units apart, each with its buff toggled on, its aura (3 units: its
// neighbours) pulsing each second and its on-hit wave armed; their skill managers run one
// 33 ms frame. Argument 0 switches every aura on in one frame, so all pulse in one frame of 30;
// 1 switches character i's on i % 30 frames later, as a crowd does. Pulse frames are timed apart.
void BM_Crowd_ToggleAuraOnHitFrame(benchmark::State& state)
{
    const bool staggered = state.range(0) != 0;
    Arena arena;
    std::vector<Player*> crowd;
    for (int i = 0; i < 100; ++i) {
        Player* member = arena.Caster(
            {2.0f * static_cast<float>(i % 10), 0.0f, 2.0f * static_cast<float>(i / 10)});
        if (member == nullptr) {
            state.SkipWithError("the crowd was not made");
            return;
        }
        for (const char* record : {kToggle, kAura, kOnHit}) {
            auto* skill = Arena::SkillOf<SkillActivated>(*member, record);
            if (skill == nullptr) {
                state.SkipWithError("a crowd skill was not made");
                return;
            }
            Arena::Use(*member, *skill, nullptr);
        }
        if (staggered)
            member->GetSkillManager().Update(kFrameMs * (i % 30));
        crowd.push_back(member);
    }
    Arena::Sent();
    size_t sent = 0;
    // Frames in which an aura pulsed (it sends its targets) are timed apart from the others.
    double pulseUs = 0.0;
    int64_t pulseFrames = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        for (Player* member : crowd)
            member->GetSkillManager().Update(kFrameMs);
        const double us =
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
                .count();
        const size_t frameSent = Arena::Sent().size();
        sent += frameSent;
        if (frameSent > 0) {
            pulseUs += us;
            ++pulseFrames;
        }
    }
    size_t active = 0;
    size_t buffs = 0;
    for (Player* member : crowd) {
        for (const char* record : {kToggle, kAura, kOnHit})
            active += Arena::SkillOf<Skill>(*member, record)->GetActiveState().active ? 1 : 0;
        buffs += member->GetSkillManager().GetSkillBuffCount();
    }
    state.counters["active"] = static_cast<double>(active);
    state.counters["buffs"] = static_cast<double>(buffs);
    state.counters["sentPerFrame"] = PerIteration(state, static_cast<double>(sent));
    state.counters["pulseFrameUs"] =
        pulseUs / static_cast<double>(std::max<int64_t>(pulseFrames, 1));
}
BENCHMARK(BM_Crowd_ToggleAuraOnHitFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// A skill of the caster's own, made from its record outside his list.
template <typename Kind> Kind* OwnSkill(Character& caster, const char* record)
{
    auto* skill = ObjectManager::Instance().CreateObjectFromFile<Kind>(record);
    if (skill == nullptr)
        return nullptr;
    skill->SetManager(&caster.GetSkillManager());
    skill->SetAsTempSkill();
    skill->ReceiveStateUpdate(SkillState{1, true}, true);
    return skill;
}

// The caster lifts a rock lying 3 units off and hurls it at a foe 6 ahead: the swipe, the
// frames of reaching, lifting and carrying, the hit's throw and the flight to the blow.
void BM_Telekinesis_SwipeToHit(benchmark::State& state)
{
    Arena arena;
    Player* caster = arena.Caster({0, 0, 0});
    Monster* foe = arena.Place<Monster>(kFoe, {0, 0, 6});
    auto* lift = caster != nullptr ? OwnSkill<Skill_AttackTelekinesis>(*caster, kLift) : nullptr;
    if (foe == nullptr || lift == nullptr) {
        state.SkipWithError("the caster, his lift or the foe was not made");
        return;
    }
    ObjectManager& objects = ObjectManager::Instance();
    double frames = 0.0;
    for (auto _ : state) {
        state.PauseTiming();
        auto* rock = objects.CreateObjectFromFile<ProjectileTelekinesis>(kRock);
        rock->SetMeshBoundingBox(ABBox({-1, -1, -1}, {1, 1, 1}));
        gEngine->GetWorld()->AddEntity(
            rock, WorldCoords(kRegion, Coords::FromTranslation({3, 0, 0})), false);
        const uint32_t rockId = rock->GetObjectId();
        Arena::Sent();
        state.ResumeTiming();
        const WorldVec3 point = foe->GetCoords().GetPosition();
        lift->SwipeAction(*caster, Name(), foe->GetObjectId(), point);
        int frame = 0;
        for (; frame < kMaxFrames && lift->GetSequence() != 5; ++frame)
            lift->Update(*caster, kFrameMs);
        lift->ActivateNow(*caster, Name(), foe->GetObjectId(), point);
        for (; frame < kMaxFrames && objects.GetObject<ProjectileTelekinesis>(rockId) != nullptr;
             ++frame) {
            rock->UpdateSelf(kFrameMs);
            if (!Arena::Sent().empty())
                rock->Explode(false);
            rock->UpdateSelf(0);
            objects.ProcessDestroyedObjects();
        }
        lift->Update(*caster, kFrameMs);
        if (frame == kMaxFrames || !lift->IsTelkineFinished()) {
            state.SkipWithError("the throw never landed");
            break;
        }
        frames += frame;
    }
    state.counters["frames"] = PerIteration(state, frames);
}
BENCHMARK(BM_Telekinesis_SwipeToHit)->Unit(benchmark::kMicrosecond);

// A chain of five bolts jumping through a crowd of 100 foes 2 units apart: the search, the
// result and the frames until every bolt has struck and faded.
void BM_ChainLightning_FiveLinks(benchmark::State& state)
{
    Arena arena;
    Player* caster = arena.Caster({0, 0, 0});
    auto* chain =
        caster != nullptr ? OwnSkill<SkillSecondary_ChainLightning>(*caster, kChain) : nullptr;
    std::vector<Monster*> foes;
    for (int i = 0; i < 100; ++i)
        foes.push_back(arena.Place<Monster>(kFoe, {2.0f * static_cast<float>(i % 10), 0,
                                                   2.0f + 2.0f * static_cast<float>(i / 10)}));
    if (chain == nullptr || std::find(foes.begin(), foes.end(), nullptr) != foes.end()) {
        state.SkipWithError("the caster, his chain or the foes were not made");
        return;
    }
    ObjectManager& objects = ObjectManager::Instance();
    double frames = 0.0;
    double linked = 0.0;
    for (auto _ : state) {
        Arena::Sent();
        chain->ActivateNow(*caster, foes[0]->GetObjectId(), {}, foes[0]->GetCoords().GetPosition());
        std::vector<uint32_t> links;
        for (const ConnectionManager::SentPacket& packet : Arena::Sent()) {
            const std::unique_ptr<NetPacket> decoded =
                ConnectionManager::DecodePacket(packet.bytes);
            if (const auto* result =
                    dynamic_cast<const SkillTargetResultConfigCmdPacket*>(decoded.get()))
                links = result->targets;
        }
        chain->TargetResult(*caster, links, WorldCoords(foes[0]->GetCoords().GetPosition()), 7, 0,
                            false);
        int frame = 0;
        for (; frame < kMaxFrames && !chain->GetLinks().empty(); ++frame) {
            for (const SkillSecondaryBolts::Link& link : chain->GetLinks())
                if (auto* bolt = objects.GetObject<Lightning>(link.effectId))
                    bolt->UpdateSelf(kFrameMs);
            chain->Update(*caster, kFrameMs);
            objects.ProcessDestroyedObjects();
        }
        if (frame == kMaxFrames || links.empty()) {
            state.SkipWithError("the chain never ended");
            break;
        }
        frames += frame;
        linked += static_cast<double>(links.size());
        state.PauseTiming();
        for (Monster* foe : foes)
            foe->GetCharacterBio().AddLifeFast(100000.0f - foe->GetCurrentLife());
        state.ResumeTiming();
    }
    state.counters["frames"] = PerIteration(state, frames);
    state.counters["links"] = PerIteration(state, linked);
}
BENCHMARK(BM_ChainLightning_FiveLinks)->Unit(benchmark::kMicrosecond);

// Two rings of eight walls: the places found, the message sent and the 16 walls raised.
void BM_WallRings_Sixteen(benchmark::State& state)
{
    Arena arena;
    Player* caster = arena.Caster({0, 0, 0});
    auto* walls = caster != nullptr ? OwnSkill<Skill_DefensiveWall>(*caster, kWalls) : nullptr;
    if (walls == nullptr) {
        state.SkipWithError("the caster or his walls were not made");
        return;
    }
    ObjectManager& objects = ObjectManager::Instance();
    for (auto _ : state) {
        walls->ActivateNow(*caster, Name(), 0, WorldVec3());
        // The skill is the caster's own, outside his list: the message comes back to it here.
        for (const ConnectionManager::SentPacket& packet : Arena::Sent()) {
            const std::unique_ptr<NetPacket> decoded =
                ConnectionManager::DecodePacket(packet.bytes);
            if (const auto* spawn = dynamic_cast<const SpawnObjectConfigCmdPacket*>(decoded.get()))
                walls->SkillSpawnObject(*caster, spawn->origin, 0, spawn->spawnCoords,
                                        spawn->spawnIds, 0);
        }
        if (walls->GetWalls().size() != 16) {
            state.SkipWithError("the walls were not raised");
            break;
        }
        state.PauseTiming();
        for (uint32_t id : walls->GetWalls())
            if (auto* wall = objects.GetObject<Entity>(id)) {
                gEngine->GetWorld()->RemoveEntity(wall);
                objects.DestroyObjectEx(wall, "Bench/Walls", __LINE__);
            }
        objects.ProcessDestroyedObjects();
        walls->ReleaseWalls(*caster);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_WallRings_Sixteen)->Unit(benchmark::kMicrosecond);

// A blow's parameters as a weapon skill would make them, taken by a foe with or without
// three damage-cutting buffs; the difference is what the filters add to each hit.
template <bool filtered> void TakeAttack(benchmark::State& state)
{
    Arena arena;
    Player* attacker = arena.Caster({0, 0, 0});
    Monster* defender = arena.Place<Monster>(kFoe, {0, 0, 1});
    if (attacker == nullptr || defender == nullptr) {
        state.SkipWithError("the fighters were not made");
        return;
    }
    if (filtered)
        for (const char* buff : {kWard, kSkin, kShell})
            defender->GetSkillManager().CreateRemoveSkillBuff(0, buff, 1, "", 0, "", 0, 0, 0,
                                                              false);
    RandomUniform random;
    random.Seed(12345);
    double lifeLost = 0.0;
    for (auto _ : state) {
        ParametersCombat parameters(random);
        parameters.attackerId = attacker->GetObjectId();
        parameters.style = ParametersCombatStyle_Probability;
        parameters.offensiveAbility = attacker->DesignerCalculateOffensiveAbility(0.0f);
        attacker->GetCombatManager().GetHandHitDamage(parameters.attributes);
        parameters.attributes.ProcessDamage(*attacker, 0.0f, attacker->GetOffensiveReduction(),
                                            attacker->GetTotalDamageReductionPercent(),
                                            attacker->GetTotalDamageReductionAbsolute());
        const float before = defender->GetCurrentLife();
        benchmark::DoNotOptimize(defender->TakeAttack(parameters));
        const float lost = before - defender->GetCurrentLife();
        lifeLost += lost;
        defender->GetCharacterBio().AddLifeFast(lost);
    }
    state.counters["filters"] =
        static_cast<double>(defender->GetCombatManager().GetCombatFilters().size());
    state.counters["lifeLost"] = PerIteration(state, lifeLost);
}

void BM_TakeAttack_NoFilters(benchmark::State& state)
{
    TakeAttack<false>(state);
}
BENCHMARK(BM_TakeAttack_NoFilters);

void BM_TakeAttack_ThreeFilters(benchmark::State& state)
{
    TakeAttack<true>(state);
}
BENCHMARK(BM_TakeAttack_ThreeFilters);

} // namespace
} // namespace GAME
