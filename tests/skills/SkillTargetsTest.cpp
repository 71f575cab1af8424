#include "skills/Skill.h"

#include "engine/Name.h"
#include "tests/support/SkillsFixture.h"

namespace GAME::Test {

// Opens to the tests what a skill keeps to itself.
class OpenSkill : public Skill {
    GAME_DECLARE_CLASS(OpenSkill)

public:
    using Skill::ApplyBuffOtherEffects;
    float PetExtents() const { return GetPetExtents(); }
    Character* Pet() const { return pet; }
    Character* NextPet() const { return nextLevelPet; }
    void Capture(const std::string& type, const std::string& direction)
    {
        ragDollEffectType = type;
        ragDollDirection = direction;
    }
};

GAME_IMPLEMENT_CLASS(OpenSkill, Skill);

namespace {

// Records what the skill asks of its owner's effect manager.
class FxCharacter : public Character {
public:
    uint32_t AddParticleEffect(const std::string& record, const std::string& point) override
    {
        calls.push_back("add " + record + " " + point);
        return 7;
    }
    void StartParticleEffect(uint32_t id) override
    {
        calls.push_back("start " + std::to_string(id));
    }
    void StopParticleEffect(uint32_t id) override { calls.push_back("stop " + std::to_string(id)); }

    std::vector<std::string> calls;
};

// Notes the pets and effect packs a skill asks for.
class SwipeOwner : public StubSkillOwner {
public:
    void PushPetInitialize(Character* pet) override
    {
        pets.push_back("push " + pet->GetObjectName());
    }
    void PopPetInitialize(Character* pet) override
    {
        pets.push_back("pop " + pet->GetObjectName());
    }

    void AddCharFxPak(uint32_t, const std::vector<std::string>& names) override { paks = names; }
    void RemoveCharFxPak(uint32_t) override { ++removed; }

    std::vector<std::string> paks;
    int removed = 0;
    std::vector<std::string> pets;
};

constexpr const char* kEndFx = "Records/Fx/EndOther.dbr";

class SkillTargetsTest : public SkillsCasterFixture<SwipeOwner> {
protected:
    void SetUp() override
    {
        SkillsCasterFixture::SetUp();
        skill = static_cast<OpenSkill*>(ObjectManager::Instance().CreateObject("OpenSkill"));
        skill->SetManager(&owner);
        database.WriteRecord(kEndFx, {"Class = EffectEntity"});
    }

    OpenSkill* Make(const std::vector<std::string>& lines)
    {
        return MakeSkill<OpenSkill>(owner, lines);
    }

    OpenSkill* skill = nullptr;
};

using SkillEffectsTest = SkillTargetsTest;

TEST_F(SkillTargetsTest, FriendSearchPrefersOthersThenTheCaster)
{
    uint32_t target = 0;
    EXPECT_TRUE(skill->GetValidFriendTarget(*caster, target, At(50), true, 5.0f, false));
    EXPECT_EQ(target, caster->GetObjectId()) << "only the caster is near";

    target = 0;
    EXPECT_FALSE(skill->GetValidFriendTarget(*caster, target, At(50), false, 5.0f, false));
    EXPECT_EQ(target, 0u) << "nobody around the point";

    Character* ally = Place({2, 0, 0}, kSide);
    Character* foe = Place({3, 0, 0}, TeamManager::DefaultMonsterTeam());
    target = 0;
    EXPECT_TRUE(skill->GetValidFriendTarget(*caster, target, At(50), true, 5.0f, false));
    EXPECT_EQ(target, ally->GetObjectId());

    target = foe->GetObjectId();
    EXPECT_FALSE(skill->GetValidFriendTarget(*caster, target, At(0), true, 5.0f, false));
    EXPECT_EQ(target, 0u);
}

TEST_F(SkillTargetsTest, MeleeAndRangedSearches)
{
    uint32_t target = 0;
    EXPECT_TRUE(skill->GetValidMeleeTarget(*caster, target, At(0), true, 5.0f));
    EXPECT_EQ(target, 0u) << "finding nobody is no failure";

    Character* ally = Place({1, 0, 0}, kSide);
    Character* foe = Place({20, 0, 0}, TeamManager::DefaultMonsterTeam());
    EXPECT_TRUE(skill->GetValidMeleeTarget(*caster, target, At(0), true, 5.0f));
    EXPECT_EQ(target, 0u) << "the foe is out of reach of the caster";
    EXPECT_TRUE(skill->GetValidMeleeTarget(*caster, target, At(19), false, 5.0f));
    EXPECT_EQ(target, foe->GetObjectId()) << "around the point";
    EXPECT_TRUE(skill->GetValidMeleeTarget(*caster, target, At(0), true, 5.0f));
    EXPECT_EQ(target, foe->GetObjectId()) << "a given foe stays";

    target = 0;
    EXPECT_FALSE(skill->GetValidMeleeTarget(*caster, target, At(19), false, 5.0f, true));
    EXPECT_EQ(target, 0u) << "keep-given checks the 0 instead of searching";

    target = ally->GetObjectId();
    EXPECT_FALSE(skill->GetValidRangedTarget(*caster, target, At(0), true, 5.0f));
    EXPECT_EQ(target, 0u);
    // The ranged search ignores "around self": it looks around the point.
    EXPECT_TRUE(skill->GetValidRangedTarget(*caster, target, At(21), true, 5.0f));
    EXPECT_EQ(target, foe->GetObjectId());

    EXPECT_TRUE(skill->GetValidTarget(*caster, target, At(0), true, 5.0f));
    EXPECT_EQ(target, 0u);
}

TEST_F(SkillTargetsTest, RangeSubtractsBothExtents)
{
    // Default extents are 0.5 each: 10 apart is 9 between the edges.
    Character* other = Place({10, 0, 0}, TeamManager::DefaultMonsterTeam());
    EXPECT_TRUE(skill->IsTargetInRange(*caster, other->GetObjectId(), 9.0f));
    EXPECT_FALSE(skill->IsTargetInRange(*caster, other->GetObjectId(), 8.9f));
    EXPECT_FALSE(skill->IsTargetInRange(*caster, 999999, 1000.0f));
}

TEST_F(SkillEffectsTest, AttachedEffectAttachesOnceAndStartsOnEverySwitchOn)
{
    Skill* skill =
        Make({"particleEffectName1 = Records/Fx/Glow.dbr", "particleEffectAttachPoint1 = R Hand"});
    auto* character = new FxCharacter();
    ObjectManager::Instance().RegisterObject(character);

    skill->ParticleEffect1(*character, true);
    skill->ParticleEffect1(*character, true);
    skill->ParticleEffect1(*character, false);
    skill->ParticleEffect1(*character, true);
    // Without a name nothing is attached, so nothing can start or stop.
    skill->ParticleEffect2(*character, true);

    const std::vector<std::string> expected = {"add Records/Fx/Glow.dbr R Hand", "start 7",
                                               "start 7", "stop 7", "start 7"};
    EXPECT_EQ(character->calls, expected);
}

TEST_F(SkillEffectsTest, EndOfBuffOnOthersIsPlacedOncePerActivation)
{
    auto* skill = Make({"skillMaxLevel = 2", std::string("endBuffOtherNames = ") + kEndFx,
                        "charFxPakOtherNames = Records/Fx/WardPak.dbr"});
    skill->SetSkillLevel(1);
    auto* character = new FxCharacter();
    ObjectManager::Instance().RegisterObject(character);
    World& world = *gEngine->GetWorld();
    ASSERT_TRUE(world.AddEntity(character, WorldCoords(1, Coords()), false));
    const size_t before = world.GetEntityCount();

    skill->ApplyBuffOtherEffects(*character, true);
    EXPECT_EQ(owner.paks, std::vector<std::string>{"Records/Fx/WardPak.dbr"});
    skill->ApplyBuffOtherEffects(*character, false);
    EXPECT_EQ(world.GetEntityCount(), before + 1);
    EXPECT_EQ(owner.removed, 1);
    skill->CreateEndBuffOtherFx(character->GetCoords());
    EXPECT_EQ(world.GetEntityCount(), before + 1) << "a second end of the same activation";

    skill->ApplyBuffOtherEffects(*character, true);
    skill->ApplyBuffOtherEffects(*character, false);
    EXPECT_EQ(world.GetEntityCount(), before + 2);
}

TEST_F(SkillEffectsTest, RagDollPushSumsTheLastBlowAndTheRecord)
{
    auto* skill = Make({"skillMaxLevel = 3", "ragDollEffect = Crumple", "ragDollDirection = Push",
                        "ragDollAmplification = 2;3"});
    skill->SetSkillLevel(2);
    const WorldCoords from(1, Coords());
    const WorldCoords to(1, Coords::FromTranslation(Vec3(3.0f, 0.0f, 4.0f)));
    CharacterRagDoll::EffectData data;
    skill->InitRagDollData(data, from, to);
    EXPECT_EQ(data.effect, CharacterRagDoll::Crumple);
    EXPECT_FLOAT_EQ(data.direction.x, 0.6f);
    EXPECT_FLOAT_EQ(data.direction.z, 0.8f);
    EXPECT_FLOAT_EQ(data.amplification, 3.0f);

    // A captured take-hit pull cancels the record's push: no direction, the captured kind.
    skill->Capture("TakeHit", "Pull");
    skill->InitRagDollData(data, from, to);
    EXPECT_EQ(data.effect, CharacterRagDoll::TakeHit);
    EXPECT_EQ(data.direction, Vec3(0.0f, 0.0f, 0.0f));
    // Another captured kind is not a blow: only the record counts.
    skill->Capture("Crumple", "Pull");
    skill->InitRagDollData(data, from, to);
    EXPECT_FLOAT_EQ(data.direction.x, 0.6f);
}

TEST_F(SkillEffectsTest, TooltipPetsFollowTheLevelAndTheNextOneOnlyWhenItDiffers)
{
    database.WriteRecord("Records/Creatures/Wolf.dbr", {"Class = Character"});
    database.WriteRecord("Records/Creatures/Bear.dbr", {"Class = Character"});
    auto* skill = Make({"skillMaxLevel = 3",
                        "spawnObjects = Records/Creatures/Wolf.dbr;Records/Creatures/Wolf.dbr;"
                        "Records/Creatures/Bear.dbr"});
    skill->SetSkillLevel(1);
    skill->PreLoadPet();
    ASSERT_NE(skill->Pet(), nullptr);
    EXPECT_EQ(skill->NextPet(), nullptr) << "the same creature at the next level";
    skill->SetSkillLevel(2);
    skill->PreLoadPet();
    ASSERT_NE(skill->NextPet(), nullptr);
    const std::vector<std::string> expected = {
        "push Records/Creatures/Wolf.dbr", "pop Records/Creatures/Wolf.dbr",
        "push Records/Creatures/Wolf.dbr", "push Records/Creatures/Bear.dbr"};
    EXPECT_EQ(owner.pets, expected);
    ObjectManager::Instance().DestroyObjectEx(skill, "test", __LINE__);
    ObjectManager::Instance().ProcessDestroyedObjects();
}

} // namespace
} // namespace GAME::Test
