#include "characters/Monster.h"

#include "ai/ControllerMonster.h"
#include "characters/Player.h"
#include "characters/TeamManager.h"
#include "characters/Typhon.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "engine/SoundPak.h"
#include "tests/characters/CharacterHelpers.h"
#include "tests/support/GameEngineFixture.h"
#include "tests/support/Records.h"

#include <algorithm>

namespace GAME::Test {
namespace {

constexpr const char* kRecord = "Records/Creatures/Monster/Test.dbr";
constexpr const char* kController = "Records/Controllers/Monster/DefaultControllerAI.dbr";
constexpr const char* kAmbient = "Records/Sounds/Ambient.dbr";
constexpr const char* kBannerBase = "Records/Fx/BannerBase.dbr";
constexpr const char* kBannerConvert = "Records/Fx/BannerConvert.dbr";
constexpr const char* kBannerControl = "Records/Fx/BannerControl.dbr";
constexpr const char* kPetBanner = "Records/Fx/PetBanner.dbr";

class MonsterTest : public GameEngineFixture {
protected:
    void SetUp() override
    {
        GameEngineFixture::SetUp();
        database.WriteRecord(kController, {"Class = ControllerMonster"});
        database.WriteRecord(kAmbient, {"Class = SoundPak"});
        for (const char* banner : {kBannerBase, kBannerConvert, kBannerControl, kPetBanner})
            database.WriteRecord(banner, {"Class = Actor"});
    }

    Monster* Load(std::initializer_list<std::string> lines)
    {
        // A fresh path each time: the database may keep a record it read once.
        const std::string path =
            "Records/Creatures/Monster/Test" + std::to_string(++loads) + ".dbr";
        database.WriteFile(path, RecordText(lines, "Class = Monster\n"));
        return ObjectManager::Instance().CreateObjectFromFile<Monster>(path);
    }

    static bool IsForced(uint32_t id)
    {
        const std::vector<uint32_t>& forced = gEngine->GetForcedUpdates();
        return std::find(forced.begin(), forced.end(), id) != forced.end();
    }

    int loads = 0;
};

TEST_F(MonsterTest, LoadReadsClassificationSoundsAndTimes)
{
    Start();
    Monster* monster = Load({"rampageSoundDelay = 2.5", "ambientSound = " + std::string(kAmbient),
                             "ambientPeriodMin = 1.5", "ambientPeriodMax = 1.5"});
    ASSERT_NE(monster, nullptr);
    EXPECT_EQ(monster->GetClassification(), MonsterClassification_Common);
    EXPECT_EQ(monster->GetSpeedCapKeys()[0], "monsterRunSpeedCapMin");
    EXPECT_EQ(monster->GetSpeedCapKeys()[5], "monsterAttackSpeedCapMax");
    EXPECT_EQ(monster->GetRampageSoundDelay(), 2500);
    EXPECT_EQ(monster->GetAmbientPeriodMin(), 1500.0f);
    EXPECT_EQ(monster->GetAmbientTimer(), 1500.0f);
    EXPECT_EQ(monster->GetOutlineColor(), Color(1.0f, 0.0f, 0.0f, 0.3f));
    EXPECT_NE(ObjectManager::Instance().GetObject<ControllerMonster>(monster->GetControllerId()),
              nullptr);
    EXPECT_EQ(monster->GetTeam().GetTeamMajor(), TeamManager::DefaultMonsterTeam().GetTeamMajor());

    Monster* boss = Load({"monsterClassification = Boss"});
    ASSERT_NE(boss, nullptr);
    EXPECT_EQ(boss->GetClassification(), MonsterClassification_Boss);
    EXPECT_EQ(boss->GetSpeedCapKeys()[2], "bossSpellCastSpeedCapMin");
}

TEST_F(MonsterTest, AmbientPeriodsOfZeroNeverPlay)
{
    Start();
    Monster* monster = Load({"ambientSound = " + std::string(kAmbient)});
    ASSERT_NE(monster, nullptr);
    for (int frame = 0; frame < 20; ++frame)
        monster->UpdateSelf(1000);
    EXPECT_TRUE(monster->GetAmbientSound()->GetPlayRequests().empty());
}

TEST_F(MonsterTest, SpeedCapsClampToPercentOfTheBaseSpeed)
{
    Start({"monsterRunSpeedCapMin = 50;50;50", "monsterRunSpeedCapMax = 150;150;150",
           "monsterAttackSpeedCapMin = 0;0;0", "monsterAttackSpeedCapMax = 150;150;150"});
    Monster* monster = Load({});
    ASSERT_NE(monster, nullptr);
    monster->GetCharacterBio().Load(Record("characterRunSpeed = 200"));
    monster->GetCharacterBio().InitialUpdate(*monster);
    const float base = monster->GetCharacterBio().GetBaseCharAttribute(CharAttribute_RunSpeed);
    ASSERT_GT(base, 0.0f);
    EXPECT_FLOAT_EQ(monster->CapRunSpeed(base * 10.0f), base * 1.5f);
    EXPECT_FLOAT_EQ(monster->CapRunSpeed(0.0f), base * 0.5f);
    EXPECT_FLOAT_EQ(monster->CapRunSpeed(base), base);
    EXPECT_EQ(monster->CapAttackSpeed(12345.0f), 12345.0f);
}

TEST_F(MonsterTest, CalculateStunNeedsMoreThanFivePointsOverTheDefence)
{
    Start();
    Monster* monster = New<Monster>();
    EXPECT_EQ(monster->CalculateStun(50.0f, 100.0f, 0.0f, 45.0f), 0.0f) << "equality";
    EXPECT_FLOAT_EQ(monster->CalculateStun(50.0f, 100.0f, 0.0f, 44.0f), 1001.5f);
    EXPECT_EQ(monster->CalculateStun(50.0f, 0.0f, 0.0f, -100.0f), 0.0f);
    EXPECT_EQ(monster->CalculateStun(50.0f, -2.0f, 0.0f, -1000.0f), 0.0f);
}

TEST_F(MonsterTest, APermanentJoinCanBeRepeatedAndRegistersOnce)
{
    Start();
    Monster* pet = New<Monster>();
    auto* player = New<Player>();
    pet->JoinMe(player->GetObjectId(), -1, false);
    pet->JoinMe(player->GetObjectId(), -1, false);
    EXPECT_EQ(pet->GetLeader(), player->GetObjectId());
    EXPECT_TRUE(pet->IsLeaderAPlayer());
    EXPECT_EQ(std::count(gEngine->GetForcedUpdates().begin(), gEngine->GetForcedUpdates().end(),
                         pet->GetObjectId()),
              1);
    EXPECT_EQ(log.CountContaining("has already joined"), 0u);

    Monster* other = New<Monster>();
    Monster* follower = New<Monster>();
    follower->JoinMe(other->GetObjectId(), -1, false);
    EXPECT_FALSE(IsForced(follower->GetObjectId())) << "only a player leader";
}

TEST_F(MonsterTest, ATimedJoinRefusesAnotherAndReturnsAfterItsTime)
{
    Start({std::string("playerPetBannerName = ") + kPetBanner});
    Monster* pet = New<Monster>();
    Monster* first = New<Monster>();
    auto* player = New<Player>();
    pet->JoinMe(first->GetObjectId(), -1, false);
    const Team before = pet->GetTeam();
    Team human;
    human.Set(2, 0);
    player->SetTeam(human);

    pet->JoinMe(player->GetObjectId(), 5000, true);
    EXPECT_EQ(pet->GetTeam().GetTeamMajor(), 2u);
    ASSERT_NE(pet->GetConvertBanner(), 0u);
    pet->JoinMe(first->GetObjectId(), -1, false);
    const std::string refusal = "Monster::JoinMe() called on (" +
                                std::to_string(pet->GetObjectId()) + "): has already joined.";
    EXPECT_EQ(log.Count(0, refusal), 1u);
    EXPECT_EQ(pet->GetLeader(), player->GetObjectId());

    pet->UpdateSelf(4999);
    EXPECT_EQ(pet->GetLeader(), player->GetObjectId());
    pet->UpdateSelf(1);
    EXPECT_EQ(pet->GetLeader(), first->GetObjectId());
    EXPECT_EQ(pet->GetTeam().GetTeamMajor(), before.GetTeamMajor());
    EXPECT_EQ(pet->GetJoinTimer(), -1);
    EXPECT_EQ(pet->GetConvertBanner(), 0u);
}

TEST_F(MonsterTest, AnInvalidLeaderIsLoggedAndChangesNothing)
{
    Start();
    Monster* pet = New<Monster>();
    pet->JoinMe(999999, 5000, true);
    EXPECT_EQ(log.Count(2, "Monster::JoinMe() called by invalid target 999999"), 1u);
    EXPECT_EQ(pet->GetLeader(), 0u);
    EXPECT_EQ(pet->GetJoinTimer(), -1);
}

TEST_F(MonsterTest, ADeadLeaderKillsAPlayersPetButIsLeftByAMonstersFollower)
{
    Start();
    auto* player = New<Player>();
    Monster* pet = New<Monster>();
    pet->JoinMe(player->GetObjectId(), -1, false);
    Monster* master = New<Monster>();
    Monster* follower = New<Monster>();
    follower->JoinMe(master->GetObjectId(), -1, false);

    player->SetLifeState(LifeState_Dead);
    master->SetLifeState(LifeState_Dead);
    pet->UpdateSelf(10);
    follower->UpdateSelf(10);
    EXPECT_EQ(pet->GetLeader(), player->GetObjectId()) << "kept; its controller kills it";
    EXPECT_EQ(follower->GetLeader(), 0u);
}

TEST_F(MonsterTest, TheHighestBannerShowsAndTheNextTakesOver)
{
    Start();
    Monster* monster = New<Monster>();
    monster->SetBaseBanner(kBannerBase);
    monster->SetConvertBanner(kBannerConvert);
    monster->SetControlBanner(kBannerControl);
    EXPECT_EQ(monster->GetShownBanner(), monster->GetControlBanner());
    auto* shown = ObjectManager::Instance().GetObject<Actor>(monster->GetShownBanner());
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->GetAttachParent(), monster);
    EXPECT_EQ(shown->GetAttachPointName(), "Prey_Effect");

    monster->RemoveControlBanner();
    EXPECT_EQ(monster->GetControlBanner(), 0u);
    EXPECT_EQ(monster->GetShownBanner(), monster->GetConvertBanner());
    monster->RemoveAllPetBanners();
    EXPECT_EQ(monster->GetShownBanner(), 0u);
    EXPECT_EQ(monster->GetBaseBanner(), 0u);
}

TEST_F(MonsterTest, ObjectIdSevenPicksTheSecondMeshAndTexture)
{
    Start();
    database.WriteRecord(kRecord, {"Class = Monster", "monsterMesh = a.msh;b.msh;c.msh",
                                   "monsterBaseTexture = a.tex;b.tex"});
    auto* monster = ObjectManager::Instance().CreateObjectFromFile<Monster>(kRecord, 7);
    ASSERT_NE(monster, nullptr);
    ASSERT_EQ(monster->GetObjectId(), 7u);
    monster->SelectAlternativeMesh();
    EXPECT_EQ(monster->GetMeshOverride(), "b.msh");
    EXPECT_EQ(monster->GetBaseTexture(), "b.tex");

    constexpr const char* kSingle = "Records/Creatures/Monster/Single.dbr";
    database.WriteRecord(kSingle, {"Class = Monster", "monsterMesh = a.msh;b.msh;c.msh",
                                   "monsterBaseTexture = only.tex"});
    auto* single = ObjectManager::Instance().CreateObjectFromFile<Monster>(kSingle, 1006);
    ASSERT_NE(single, nullptr);
    single->SelectAlternativeMesh();
    EXPECT_EQ(single->GetMeshOverride(), "b.msh");
    EXPECT_EQ(single->GetBaseTexture(), "") << "index 1 is beyond the one texture";
}

constexpr const char* kGlow = "Records/Fx/Packs/GodGlow.dbr";

class TyphonTest : public EngineFixture {
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        database.WriteRecord("Records/Fx/Glow.dbr", {"Class = EffectEntity"});
        database.WriteRecord(kGlow, {"particleEffectNames = Records/Fx/Glow.dbr"});
        typhon = New<Typhon>();
        ASSERT_NE(typhon, nullptr);
        for (uint32_t god = 0; god < Typhon::kNumGods; ++god) {
            CharFxPak* pack = typhon->GetSkillEffect(god);
            pack->LoadFromDatabase(kGlow);
            pack->SetParent(typhon->GetObjectId());
            pack->InitializeFxPak();
        }
    }

    Typhon* typhon = nullptr;
};

TEST_F(TyphonTest, EnableLightsOneGodAndDisableTurnsOffAllFour)
{
    typhon->EnableSkillEffect(2);
    typhon->EnableSkillEffect(4);
    for (uint32_t god = 0; god < Typhon::kNumGods; ++god)
        EXPECT_EQ(typhon->GetSkillEffect(god)->IsActive(), god == 2) << god;
    EXPECT_EQ(typhon->GetSkillEffect(4), nullptr);

    for (uint32_t god = 0; god < Typhon::kNumGods; ++god)
        typhon->EnableSkillEffect(god);
    typhon->DisableSkillEffects();
    for (uint32_t god = 0; god < Typhon::kNumGods; ++god)
        EXPECT_FALSE(typhon->GetSkillEffect(god)->IsActive()) << god;
}

} // namespace
} // namespace GAME::Test
