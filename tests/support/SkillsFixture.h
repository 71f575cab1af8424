#pragma once

#include "characters/Character.h"
#include "characters/CharacterBio.h"
#include "characters/TeamManager.h"
#include "combat/ParametersCombat.h"
#include "core/GameTextLine.h"
#include "core/PlayStats.h"
#include "core/RandomUniform.h"
#include "engine/ABBox.h"
#include "engine/LocalizationManager.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "engine/WorldVec3.h"
#include "skills/Skill.h"
#include "skills/SkillManager.h"
#include "skills/SkillServicesBase.h"
#include "tests/support/GameEngineFixture.h"
#include "tests/support/Records.h"
#include "tests/support/StubSkillOwner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace GAME::Test {

// Ends the test, as a failed ASSERT would, when a helper cannot make what the test needs.
template <class T> T* Made(T* made, const std::string& what)
{
    if (made == nullptr)
        throw std::runtime_error("could not make " + what);
    return made;
}

// A skill list record naming the skills in order, each learnt at its level unless that is 0.
inline LoadTable Tree(std::initializer_list<std::pair<std::string, int>> skills)
{
    std::string text;
    int index = 0;
    for (const auto& [name, level] : skills) {
        const std::string n = std::to_string(++index);
        text += "skillName" + n + " = " + name + "\n";
        if (level != 0)
            text += "skillLevel" + n + " = " + std::to_string(level) + "\n";
    }
    return Record(text);
}

// What the recording doubles were asked, in order; each test clears it first.
inline std::vector<std::string>& Calls()
{
    static std::vector<std::string> calls;
    return calls;
}

// A plain character, made by class name.
inline Character* NewCharacter()
{
    return Made(DynamicCast<Character>(ObjectManager::Instance().CreateObject("Character")),
                "a character");
}

// Texts the localization answers while it lives; all of them go with it.
class SkillsTexts {
public:
    SkillsTexts(std::initializer_list<std::pair<const char*, const wchar_t*>> texts)
    {
        for (const auto& [tag, text] : texts)
            LocalizationManager::Instance().AddText(tag, text);
    }
    ~SkillsTexts() { LocalizationManager::Instance().Clear(); }
    SkillsTexts(const SkillsTexts&) = delete;
    SkillsTexts& operator=(const SkillsTexts&) = delete;
};

// The texts of the lines, each checked to carry the style when one is given.
inline std::vector<std::wstring> Texts(const std::vector<GameTextLine>& lines,
                                       std::optional<GameTextClass> style = {})
{
    std::vector<std::wstring> texts;
    for (const GameTextLine& line : lines) {
        if (style) {
            EXPECT_EQ(line.style, *style) << std::string(line.text.begin(), line.text.end());
        }
        texts.push_back(line.text);
    }
    return texts;
}

using Availability = std::pair<bool, int32_t>;

// Whether the skill may be used, ignoring mana or cooldown as asked, and the reason it gives.
inline Availability Available(Skill& skill, bool ignoreMana, bool ignoreCooldown)
{
    const bool usable = skill.SetAvailability(ignoreMana, ignoreCooldown);
    return {usable, skill.GetReason()};
}

// A controlling owner while it has services, a mirroring one without.
class ServicedSkillManager : public SkillManager {
public:
    SkillServicesBase* GetSkillServices() const override { return services; }
    SkillServicesBase* services = nullptr;
};

// A manager whose hands the test sets.
class HandsManager : public SkillManager {
public:
    int32_t GetHandState() const override { return handState; }
    int32_t handState = 0;
};

// Keeps everything a skill sends instead of sending it, with the hit iteration at the time.
class SkillsSent : public SkillServicesBase {
public:
    // A spell sends its chosen target where a weapon attack sends its weapon, and an aura
    // marks its first result where an attack says melee.
    struct Result {
        std::vector<uint32_t> targets;
        WorldCoords origin;
        uint32_t seed;
        uint32_t weaponId;
        bool melee;
        uint32_t hitIteration;
        int32_t atMs;
    };
    struct Launch {
        WorldCoords origin;
        uint32_t target;
        WorldVec3 aim;
        uint32_t weaponId;
        uint32_t hitIteration;
    };
    struct Spawn {
        WorldCoords origin;
        std::vector<WorldCoords> coords;
        std::vector<uint32_t> ids;
        uint32_t value = 0; // the record index or target the message carries
    };

    void SetParent(Actor*) override {}
    void SendTargetResult(uint32_t, const std::vector<uint32_t>& targets, const WorldCoords& origin,
                          uint32_t seed, uint32_t weaponId, bool melee) override
    {
        results.push_back({targets, origin, seed, weaponId, melee, hitIteration, now});
    }
    void SendSkillStateUpdate(uint32_t, const SkillState& state) override
    {
        states.push_back(state);
    }
    void SendSkillActiveUpdate(uint32_t, const SkillActiveState& state) override
    {
        actives.push_back(state);
    }
    void SendCreateProjectile(uint32_t, const WorldCoords& origin, uint32_t target,
                              const WorldVec3& aim, uint32_t, uint32_t weaponId) override
    {
        launches.push_back({origin, target, aim, weaponId, hitIteration});
    }
    void SendSpawnObject(uint32_t, const WorldCoords& origin, uint32_t value,
                         const std::vector<WorldCoords>& coords, const std::vector<uint32_t>& ids,
                         uint32_t) override
    {
        spawns.push_back({origin, coords, ids, value});
    }
    void RemoveSkillBuff(const std::string&) override {}

    // The on and off switches sent, in order.
    std::vector<bool> Switches() const
    {
        std::vector<bool> switches;
        for (const SkillActiveState& state : actives)
            switches.push_back(state.active);
        return switches;
    }
    std::vector<std::vector<uint32_t>> Targets() const
    {
        std::vector<std::vector<uint32_t>> targets;
        for (const Result& result : results)
            targets.push_back(result.targets);
        return targets;
    }

    std::vector<Result> results;
    std::vector<SkillState> states;
    std::vector<SkillActiveState> actives;
    std::vector<Launch> launches;
    std::vector<Spawn> spawns;
    int32_t now = 0; // the test's clock, noted with each result
};

// A defender that keeps what each attack brings instead of suffering it.
class SkillsTarget : public Character {
    GAME_DECLARE_CLASS(SkillsTarget)

public:
    struct Attack {
        uint32_t attackerId;
        int32_t style;
        uint32_t roll;
        uint32_t seed;
    };
    bool TakeAttack(ParametersCombat& parameters) override
    {
        attacks.push_back({parameters.attackerId, parameters.style, parameters.randoms.r1,
                           parameters.attributes.GetSeed()});
        return true;
    }
    std::vector<Attack> attacks;
};

// An owner without a character that controls its skills while `controlling` is set.
class SkillsOwner : public StubSkillOwner {
public:
    SkillServicesBase* GetSkillServices() const override
    {
        return controlling ? &services : nullptr;
    }
    bool controlling = true;
    mutable SkillsSent services;
};

// A started game, a flat region for the tests that ask for one, and skills made from records
// written in the test.
class SkillsFixture : public GameEngineFixture {
protected:
    static constexpr uint32_t kRegion = 1;

    void SetUp() override
    {
        GameEngineFixture::SetUp();
        database.WriteRecord(CharacterBio::kRegenRecord, {"manaOverStorageLimit = 1"});
        Start();
    }
    void TearDown() override
    {
        GameEngineFixture::TearDown();
        if (madeWorld)
            gEngine->SetWorld(std::move(previousWorld));
    }

    void MakeWorld()
    {
        previousWorld = gEngine->SetWorld(std::make_unique<World>());
        madeWorld = true;
        gEngine->GetWorld()->CreateRegion(kRegion, {0, 0, 0},
                                          ABBox({-500, -10, -500}, {500, 10, 500}));
    }
    static WorldVec3 At(float x, float z = 0.0f) { return WorldVec3(kRegion, {x, 0, z}); }

    // A new object of the class, or of the record when `made` names one, placed in the region.
    template <class T = Character>
    T* Place(const Vec3& at, const Team& team, const std::string& made = "Character")
    {
        ObjectManager& objects = ObjectManager::Instance();
        auto* placed =
            Made(DynamicCast<T>(made.ends_with(".dbr") ? objects.CreateObjectFromFile(made)
                                                       : objects.CreateObject(made.c_str())),
                 made);
        placed->SetTeam(team);
        gEngine->GetWorld()->AddEntity(placed, WorldCoords(WorldVec3(kRegion, at)), true);
        placed->InitialUpdate();
        return placed;
    }
    template <class T = Character> T* Foe(const Vec3& at, const std::string& made = "Character")
    {
        return Place<T>(at, TeamManager::DefaultMonsterTeam(), made);
    }

    // A skill on a record of its own (records are cached by path), lent to the manager; the
    // record is of the kind unless the lines name a class.
    template <class Kind>
    Kind* MakeSkill(SkillManagerBase& manager, std::vector<std::string> lines,
                    std::string path = "")
    {
        if (std::none_of(lines.begin(), lines.end(),
                         [](const std::string& line) { return line.starts_with("Class = "); }))
            lines.insert(lines.begin(), std::string("Class = ") + Kind::classInfo.GetName());
        if (path.empty())
            path = "Records/Skills/Made" + std::to_string(++made) + ".dbr";
        database.WriteRecord(path, lines);
        auto* skill = Made(ObjectManager::Instance().CreateObjectFromFile<Kind>(path), path);
        skill->SetManager(&manager);
        return skill;
    }
    // The same, learnt at level 1 and enabled whatever the machine.
    template <class Kind>
    Kind* MakeEnabled(SkillManagerBase& manager, const std::vector<std::string>& lines)
    {
        Kind* skill = MakeSkill<Kind>(manager, lines);
        skill->ReceiveStateUpdate(SkillState{1, true}, true);
        return skill;
    }

    std::unique_ptr<World> previousWorld;
    bool madeWorld = false;
    int made = 0;
};

// A caster at the origin of the region, on a players' side of its own, whose skills a stub
// owner holds, learnt at level 1.
template <class Owner = SkillsOwner> class SkillsCasterFixture : public SkillsFixture {
protected:
    void SetUp() override
    {
        SkillsFixture::SetUp();
        MakeWorld();
        caster = Place<SkillsTarget>({0, 0, 0}, kSide, "SkillsTarget");
    }

    template <class Kind> Kind* Learnt(const std::vector<std::string>& lines = {})
    {
        Kind* skill = MakeSkill<Kind>(owner, lines);
        skill->SetSkillLevel(1);
        return skill;
    }
    SkillsTarget* Target(const Vec3& at) { return Foe<SkillsTarget>(at, "SkillsTarget"); }

    static inline const Team kSide = TeamManager::BuildTeam(2, 1);
    Owner owner;
    SkillsTarget* caster = nullptr;
};

// Adds a character owner of 1000 life and 100 mana whose manager controls through `services`.
class SkillsOwnerFixture : public SkillsFixture {
protected:
    static constexpr const char* kOwner = "Records/Creatures/Owner.dbr";

    // Placed at the origin of the region when `placed`, else standing in no world.
    void MakeOwner(bool placed = false)
    {
        database.WriteRecord(kOwner,
                             {"Class = Character", "characterLife = 1000", "characterMana = 100"});
        if (placed) {
            MakeWorld();
            owner = Place({0, 0, 0}, TeamManager::DefaultPlayerTeam(), kOwner);
        } else {
            owner = Made(ObjectManager::Instance().CreateObjectFromFile<Character>(kOwner), kOwner);
            owner->InitialUpdate();
        }
        owner->GetCharacterBio().Update(*owner, 0);
        manager.Initialize(nullptr, owner);
        manager.services = &services;
    }

    // An enabled skill of the owner's, kept off its manager's active list.
    template <class Kind> Kind* MakeOwned(const std::vector<std::string>& lines)
    {
        Kind* skill = MakeSkill<Kind>(manager, lines);
        skill->SetAsTempSkill();
        skill->ReceiveStateUpdate(SkillState{1, true}, true);
        return skill;
    }

    // Mana spent this frame is drained by the character over time.
    float Mana() const { return owner->GetCharacterBio().GetManaAfterDrain(); }

    void Receive(Skill& skill, bool active, bool restoring = false)
    {
        skill.ReceiveActiveUpdate(owner, SkillActiveState(0, active, false), restoring);
        owner->GetCharacterBio().Update(*owner, 0);
    }

    // What a hit of the kind takes off the owner's life.
    float LifeLost(CombatAttributeType type = CombatAttributeType_Fire, float damage = 100.0f)
    {
        const float before = owner->GetCurrentLife();
        owner->ApplyDamage(damage, PlayStatsDamageType{}, type);
        return before - owner->GetCurrentLife();
    }

    // A hit the owner takes, as combat reports it to the on-hit skills.
    void Hit(Skill& skill)
    {
        RandomUniform random;
        const ParametersCombat parameters(random);
        skill.OnHitActivation(*owner, parameters);
    }

    Character* owner = nullptr;
    SkillsSent services;
    ServicedSkillManager manager;
};

} // namespace GAME::Test
