// Hostile sequences against one switched skill of each buff, aura, on-hit, pet and edge kind:
// active states with any flags (restoring or not), state updates, hits, frames, activations,
// swipes, peer spawn messages and target results, StopSkill, a vanishing enemy or thrown object
// and the skill's destruction at any point. Nothing may
// crash, and once the skill is gone its owner holds no filter of it.
#include "characters/Character.h"
#include "characters/CharacterBio.h"
#include "characters/Monster.h"
#include "characters/TeamManager.h"
#include "combat/CombatManager.h"
#include "combat/ParametersCombat.h"
#include "core/PlayStats.h"
#include "core/RandomUniform.h"
#include "engine/ABBox.h"
#include "engine/Engine.h"
#include "engine/Name.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "fuzz/InputStart.h"
#include "fuzz/QuietGame.h"
#include "fuzz/RecordInput.h"
#include "fuzz/StandingCharacter.h"
#include "game/GameEngine.h"
#include "skills/Skill.h"
#include "skills/SkillActivated.h"
#include "skills/SkillActiveState.h"
#include "skills/SkillManager.h"
#include "skills/SkillSecondary.h"
#include "skills/SkillServicesBase.h"
#include "skills/SkillState.h"
#include "world/ProjectileTelekinesis.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace GAME;

constexpr uint32_t kRegion = 1;
constexpr const char* kOwner = "Records/Fuzz/Owner.dbr";
constexpr const char* kFoe = "Records/Fuzz/Foe.dbr";

// Each kind with keys that make it act: short timers, radii that reach the foe, pets that fit.
constexpr const char* kSkills[][2] = {
    {"Records/Fuzz/Toggled.dbr", "Class = Skill_BuffSelfToggled\nskillManaCost = 3\n"
                                 "skillManaCostPerSecond = 2\ndamageAbsorption = 10\n"
                                 "damageAbsorptionPercent = 50\ncharacterStrength = 5\n"},
    {"Records/Fuzz/Shield.dbr", "Class = Skill_BuffSelfShield\ndamageAbsorption = 100;200;300\n"
                                "damageAbsorptionPercent = 30\nphysicalDamageQualifier = 1\n"},
    {"Records/Fuzz/Timed.dbr", "Class = Skill_BuffSelfDuration\nskillActiveDuration = 0.5;1;2\n"
                               "damageAbsorption = 20\ncharacterDexterity = 4\n"},
    {"Records/Fuzz/Colossus.dbr", "Class = Skill_BuffSelfColossus\nskillActiveDuration = 1\n"
                                  "actorScale = 1.5\nactorScaleTime = 300\n"},
    {"Records/Fuzz/Root.dbr", "Class = Skill_BuffSelfImmobilize\nskillActiveDuration = 1\n"},
    {"Records/Fuzz/Aegis.dbr", "Class = Skill_BuffSelfInvulnerable\nskillActiveDuration = 1\n"},
    {"Records/Fuzz/Aura.dbr", "Class = Skill_BuffRadius\nbuffSkillName = Records/Fuzz/Ward.dbr\n"
                              "skillActiveDuration = 2\n"},
    {"Records/Fuzz/AuraOn.dbr", "Class = Skill_BuffRadiusToggled\n"
                                "buffSkillName = Records/Fuzz/Rot.dbr\n"},
    {"Records/Fuzz/Pulse.dbr", "Class = Skill_BuffAttackRadiusToggled\nskillTargetRadius = 6\n"},
    {"Records/Fuzz/PulseTimed.dbr", "Class = Skill_BuffAttackRadiusDuration\n"
                                    "skillTargetRadius = 6\nskillActiveDuration = 1.5\n"},
    {"Records/Fuzz/Cast.dbr", "Class = Skill_BuffOther\nbuffSkillName = Records/Fuzz/Ward.dbr\n"
                              "skillActiveDuration = 1\n"},
    {"Records/Fuzz/Spite.dbr", "Class = Skill_OnHitBuffSelf\nonHitActivationChance = 60\n"
                               "skillActiveDuration = 0.3\nskillCooldownTime = 0.2\n"
                               "damageAbsorption = 15\n"},
    {"Records/Fuzz/Nova.dbr", "Class = Skill_OnHitAttackRadius\nonHitActivationChance = 100\n"
                              "skillTargetRadius = 6\nexpansionTime = 0.4\n"
                              "skillCooldownTime = 0.1\n"},
    {"Records/Fuzz/Pets.dbr", "Class = Skill_SpawnPet\nspawnObjects = Records/Fuzz/Pet.dbr\n"
                              "petBurstSpawn = 0;2;3\npetLimit = 2\nspawnObjectsTimeToLive = 1\n"},
    {"Records/Fuzz/Brood.dbr", "Class = Skill_SpawnPetMonster\n"
                               "spawnObjects = Records/Fuzz/Pet.dbr\npetBurstSpawn = 2\n"
                               "petLimit = 3\n"},
    {"Records/Fuzz/Lift.dbr", "Class = Skill_AttackTelekinesis\nheadVelocity = 8\n"
                              "chaosBeamName = Records/Fuzz/Beam.dbr\n"
                              "puppetName = Records/Fuzz/Puppet.dbr\n"},
    {"Records/Fuzz/Walls.dbr", "Class = Skill_DefensiveWall\nspawnObjects = Records/Fuzz/Pet.dbr\n"
                               "spawnObjectsSpacingAngle = 90\nspawnObjectsNumberOfRings = 2\n"
                               "spawnObjectsDistanceInnerCircle = 3\n"
                               "spawnObjectsTimeToLive = 0.5\n"},
    {"Records/Fuzz/Twins.dbr", "Class = Skill_MonsterGenerator\n"
                               "spawnObjects = Records/Fuzz/Pet.dbr\n"},
    {"Records/Fuzz/Chain.dbr", "Class = SkillSecondary_ChainLightning\nsparkGap = 6\n"
                               "sparkChance = 100\nsparkMaxNumber = 3\n"
                               "lightningName = Records/Fuzz/Bolt.dbr\n"},
    {"Records/Fuzz/Fork.dbr", "Class = SkillSecondary_ForkLightning\nsparkGap = 6\n"
                              "sparkChance = 100\nsparkMaxNumber = 2\n"
                              "lightningName = Records/Fuzz/Bolt.dbr\n"},
    {"Records/Fuzz/Burst.dbr", "Class = Skill_SpawnMegalesiosSpirit\nburstVelocity = 4\n"
                               "burstName = Records/Fuzz/Glow.dbr\n"},
    {"Records/Fuzz/Laser.dbr", "Class = Skill_OrmenosChainLaser\nbeamVelocity = 3\n"
                               "chainLaserBeam = Records/Fuzz/Beam.dbr\n"},
    {"Records/Fuzz/God.dbr",
     "Class = Skill_TyphonSkillTransfer\nbeamVelocity = 3\n"
     "skillGodBeam = Records/Fuzz/Beam.dbr\n"
     "sourceEnd = Records/Fuzz/Glow.dbr\ntargetEnd = Records/Fuzz/Glow.dbr\n"},
};
constexpr size_t kKinds = std::size(kSkills);

constexpr const char* kRecords[][2] = {
    {kOwner, "Class = Character\ncharacterLife = 500\ncharacterMana = 300\n"},
    {kFoe, "Class = Character\ncharacterLife = 40\n"},
    {"Records/Fuzz/Pet.dbr", "Class = Monster\ncharacterLife = 20\n"},
    {Monster::kDefaultControllerRecord, "Class = ControllerMonster\n"},
    {"Records/Fuzz/Rock.dbr", "Class = ProjectileTelekinesis\nprojectileVelocity = 20\n"},
    {"Records/Fuzz/Beam.dbr", "Class = ChaosBeam\n"},
    {"Records/Fuzz/Puppet.dbr", "Class = Puppet\nfadeOutTime = 0.2\n"},
    {"Records/Fuzz/Bolt.dbr", "Class = Lightning\nnumberOfBolts = 1\ntimeMin = 0.3\n"
                              "timeMax = 0.3\n"},
    {"Records/Fuzz/Glow.dbr", "Class = EffectEntity\n"},
    {"Records/Fuzz/Ward.dbr", "Class = SkillBuff\nskillMaxLevel = 3\nskillActiveDuration = 1\n"
                              "skillTargetRadius = 6\ncharacterStrength = 3\n"},
    {"Records/Fuzz/Rot.dbr", "Class = SkillBuff_Debuf\nskillMaxLevel = 3\ndebufSkill = 1\n"
                             "skillTargetRadius = 6\noffensiveBasePoisonMin = 2\n"},
};

// Every record above, held for the whole run.
FuzzRecords RunRecords()
{
    FuzzRecords records;
    for (const auto& [record, text] : kRecords)
        records.emplace_back(record, text);
    for (const auto& [record, text] : kSkills)
        records.emplace_back(record, std::string(text) + "skillMaxLevel = 3\n");
    return records;
}

// Sends nothing: the fuzzer plays the peers itself.
class SilentServices : public SkillServicesBase {
public:
    void SetParent(Actor*) override {}
    void SendTargetResult(uint32_t, const std::vector<uint32_t>&, const WorldCoords&, uint32_t,
                          uint32_t, bool) override
    {}
    void SendSkillStateUpdate(uint32_t, const SkillState&) override {}
    void SendSkillActiveUpdate(uint32_t, const SkillActiveState&) override {}
    void SendCreateProjectile(uint32_t, const WorldCoords&, uint32_t, const WorldVec3&, uint32_t,
                              uint32_t) override
    {}
    void SendSpawnObject(uint32_t, const WorldCoords&, uint32_t, const std::vector<WorldCoords>&,
                         const std::vector<uint32_t>&, uint32_t) override
    {}
    void RemoveSkillBuff(const std::string&) override {}
};

// Controlling while it has services, mirroring without.
class FuzzManager : public SkillManager {
public:
    SkillServicesBase* GetSkillServices() const override { return services; }
    SkillServicesBase* services = nullptr;
};

// Reads the input a byte at a time; past its end every byte is 0.
class Bytes {
public:
    Bytes(const uint8_t* data, size_t size) : data(data), size(size) {}
    bool Done() const { return at >= size; }
    uint8_t Next() { return at < size ? data[at++] : 0; }

private:
    const uint8_t* data;
    size_t size;
    size_t at = 0;
};

// The owner and his foe stand in the world from input to input (see StandingCharacter).
StandingCharacter Standing(const char* record, float x, const Team& team)
{
    const WorldVec3 home(kRegion, Vec3(x, 0, 0));
    return StandingCharacter(
        [=] {
            auto* made = ObjectManager::Instance().CreateObjectFromFile<Character>(record);
            if (made == nullptr)
                abort();
            made->SetTeam(team);
            gEngine->GetWorld()->AddEntity(made, WorldCoords(home), true);
            made->InitialUpdate();
            made->GetCharacterBio().Update(*made, 0);
            return made;
        },
        home);
}

StandingCharacter& Owner()
{
    static StandingCharacter owner = Standing(kOwner, 0.0f, TeamManager::DefaultPlayerTeam());
    return owner;
}

StandingCharacter& Foe()
{
    static StandingCharacter foe = Standing(kFoe, 2.0f, TeamManager::DefaultMonsterTeam());
    return foe;
}

float Coordinate(uint8_t byte)
{
    if (byte == 0xff)
        return std::numeric_limits<float>::quiet_NaN();
    if (byte == 0xfe)
        return std::numeric_limits<float>::infinity();
    return (static_cast<float>(byte) - 128.0f) * 0.25f;
}

class Run {
public:
    Run(Bytes& bytes, size_t kind) : bytes(bytes)
    {
        ObjectManager& objects = ObjectManager::Instance();
        owner = &Owner().Get();
        foe = &Foe().Get();
        foeId = foe->GetObjectId();
        auto* rock = objects.CreateObjectFromFile<ProjectileTelekinesis>("Records/Fuzz/Rock.dbr");
        if (rock == nullptr)
            abort();
        rockId = rock->GetObjectId();
        gEngine->GetWorld()->AddEntity(rock, WorldCoords(WorldVec3(kRegion, Vec3(3, 0, 0))), true);
        manager.Initialize(nullptr, owner);
        filters = owner->GetCombatManager().GetCombatFilters().size();
        skill = objects.CreateObjectFromFile<Skill>(kSkills[kind][0]);
        if (skill == nullptr)
            abort();
        skill->SetAsTempSkill();
        skill->SetManager(&manager);
        const uint8_t setup = bytes.Next();
        if (setup & 1)
            manager.services = &services;
        skill->ReceiveStateUpdate(SkillState{static_cast<uint32_t>(setup >> 1) % 5, true}, true);
        skill->Install(owner);
    }

    void Play()
    {
        while (!bytes.Done())
            Step();
        DestroySkill(false);
        // A filter left behind points at a destroyed skill.
        if (owner->GetCombatManager().GetCombatFilters().size() != filters)
            abort();
        owner->ApplyDamage(10.0f, PlayStatsDamageType{}, CombatAttributeType_Physical);
    }

private:
    void Step()
    {
        const uint8_t op = bytes.Next();
        const uint8_t a = bytes.Next();
        const uint8_t b = bytes.Next();
        switch (op % 14) {
        case 0:
            if (skill != nullptr)
                skill->ReceiveActiveUpdate(
                    owner, SkillActiveState(static_cast<int8_t>(a), b & 1, b & 2), b & 4);
            break;
        case 1: {
            const CombatAttributeType types[] = {
                CombatAttributeType_Physical, CombatAttributeType_Fire, CombatAttributeType_Poison};
            owner->ApplyDamage(static_cast<float>(a) * (b & 0x80 ? 4.0f : 0.5f),
                               PlayStatsDamageType{}, types[b % 3]);
            break;
        }
        case 2: {
            RandomUniform random;
            random.Seed(a);
            const ParametersCombat parameters(random);
            if (skill != nullptr)
                skill->OnHitActivation(*owner, parameters);
            break;
        }
        case 3:
            if (skill != nullptr)
                skill->Update(*owner, static_cast<int32_t>(a) * 16 + (b & 0x80 ? 100000 : 0));
            owner->GetCharacterBio().Update(*owner, 0);
            break;
        case 4:
            if (skill != nullptr)
                skill->StopSkill(*owner);
            break;
        case 5:
            // Only the controlling machine decides.
            if (auto* activated = dynamic_cast<SkillActivated*>(skill);
                activated != nullptr && manager.services != nullptr)
                activated->ActivateNow(*owner, Name(), Target(a),
                                       WorldVec3(kRegion, Vec3(Coordinate(b), 0, Coordinate(a))));
            break;
        case 6:
            if (skill != nullptr)
                skill->ReceiveStateUpdate(SkillState{a % 6u, (b & 1) != 0}, b & 2);
            break;
        case 7:
            DestroySkill(a & 1);
            break;
        case 8:
            if (foe != nullptr) {
                ObjectManager::Instance().DestroyObjectEx(foe, "Fuzz/SkillState", __LINE__);
                ObjectManager::Instance().ProcessDestroyedObjects();
                foe = nullptr;
            }
            break;
        case 9:
            Spawn(a, b);
            break;
        case 10:
            manager.services = manager.services == nullptr ? &services : nullptr;
            break;
        case 11:
            Swipe(a, b);
            break;
        case 12:
            Result(a, b);
            break;
        case 13:
            // A thrown object may explode under its claimer at any time.
            if (auto* thrown = ObjectManager::Instance().GetObject<ProjectileTelekinesis>(rockId)) {
                thrown->Explode(a & 1);
                thrown->UpdateSelf(b);
                ObjectManager::Instance().ProcessDestroyedObjects();
            }
            break;
        }
    }

    uint32_t Target(uint8_t byte) const
    {
        switch (byte % 4) {
        case 0:
            return 0;
        case 1:
            return foeId; // may be gone
        case 2:
            return owner->GetObjectId();
        default:
            return 0x7fff0000u + byte;
        }
    }

    // A peer's spawn message: ids in use, unknown or too many, places anywhere.
    void Spawn(uint8_t count, uint8_t flavour)
    {
        if (skill == nullptr)
            return;
        std::vector<uint32_t> ids;
        std::vector<WorldCoords> coords;
        for (uint32_t n = 0; n < count % 40u; ++n) {
            const uint8_t pick = bytes.Next();
            ids.push_back(flavour & 1 ? Target(pick) : 0x10000000u + pick);
            coords.emplace_back(WorldVec3(kRegion, Vec3(Coordinate(pick), 0, Coordinate(flavour))));
        }
        if (flavour & 2)
            coords.resize(coords.size() / 2);
        skill->SkillSpawnObject(*owner, WorldCoords(WorldVec3(kRegion, Vec3(0, 0, 0))),
                                Target(flavour), coords, ids, flavour);
    }

    // A cast's swipe, or a secondary riding on a primary that struck.
    void Swipe(uint8_t a, uint8_t b)
    {
        const WorldVec3 point(kRegion, Vec3(Coordinate(b), 0, Coordinate(a)));
        if (auto* activated = dynamic_cast<SkillActivated*>(skill))
            activated->SwipeAction(*owner, Name(), Target(a), point);
        else if (auto* secondary = dynamic_cast<SkillSecondary*>(skill)) {
            secondary->PrimaryActivateNow(*owner, Target(a), {Target(b)}, point);
            secondary->ActivateNow(*owner, Target(a), {Target(b)}, point);
        }
    }

    // A peer's target result: any number of ids, known or not.
    void Result(uint8_t count, uint8_t flavour)
    {
        if (skill == nullptr)
            return;
        std::vector<uint32_t> ids;
        const uint32_t total = count < 250 ? count % 8u : 300u;
        for (uint32_t n = 0; n < total; ++n)
            ids.push_back(Target(bytes.Next()));
        skill->TargetResult(*owner, ids, WorldCoords(WorldVec3(kRegion, Vec3(0, 0, 0))), flavour, 0,
                            flavour & 1);
    }

    // As the manager lets a skill go: off its active list first, unless it never was on it.
    void DestroySkill(bool direct)
    {
        if (skill == nullptr)
            return;
        const std::vector<Skill*>& active = manager.GetActiveList();
        if (!direct || std::find(active.begin(), active.end(), skill) != active.end())
            manager.RemoveFromActiveList(skill);
        ObjectManager::Instance().DestroyObjectEx(skill, "Fuzz/SkillState", __LINE__);
        ObjectManager::Instance().ProcessDestroyedObjects();
        skill = nullptr;
    }

    Bytes& bytes;
    Character* owner = nullptr;
    Character* foe = nullptr;
    uint32_t foeId = 0;
    Skill* skill = nullptr;
    uint32_t rockId = 0;
    SilentServices services;
    FuzzManager manager;
    size_t filters = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // One game and one world for the run; each input takes away all it made.
    static const bool started = [] {
        StartQuietGame();
        HoldRunRecords(RunRecords());
        gEngine->SetWorld(std::make_unique<World>());
        gEngine->GetWorld()->CreateRegion(kRegion, {0, 0, 0},
                                          ABBox({-500, -10, -500}, {500, 10, 500}));
        return true;
    }();
    (void)started;
    if (size == 0)
        return 0;
    const InputStart start;
    {
        Bytes bytes(data + 1, size - 1);
        Run run(bytes, data[0] % kKinds);
        run.Play();
    }
    EndInput(start);
    // Back as they were made, for the next input.
    Owner().Get();
    Foe().Get();
    ForgetInputRecords({});
    return 0;
}
