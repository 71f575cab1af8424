#include "combat/DeathManager.h"

#include "characters/AnimationSet.h"
#include "characters/CharacterRagDoll.h"
#include "characters/Player.h"
#include "combat/DeathHandler.h"
#include "engine/Vec3.h"
#include "tests/combat/DeathFixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace GAME::Test {
namespace {

// Notes what it is asked in a shared journal; finishes when told, or at once if so made.
class JournalHandler : public DeathHandler {
public:
    JournalHandler(std::string name, std::vector<std::string>& journal, bool needsId = false)
        : DeathHandler(nullptr), name(std::move(name)), journal(journal), needsId(needsId)
    {}
    ~JournalHandler() override { journal.push_back("delete " + name); }
    void Execute() override
    {
        DeathHandler::Execute();
        journal.push_back("execute " + name);
    }
    void Update(int32_t elapsedMs) override
    {
        journal.push_back("update " + name + " " + std::to_string(elapsedMs));
    }
    void AnimationCallback(const Name& callback) override
    {
        journal.push_back("callback " + name + " " + callback.GetString());
    }
    void ExternalEvent(const Name& event) override
    {
        journal.push_back("event " + name + " " + event.GetString());
    }
    void PostProcess() override { journal.push_back("post " + name); }
    void Reset() override
    {
        DeathHandler::Reset();
        journal.push_back("reset " + name);
    }
    void PreLoad() override { journal.push_back("preload " + name); }
    bool NeedsObjectId() const override { return needsId; }
    void SetObjectId(uint32_t id) override
    {
        journal.push_back("id " + name + " " + std::to_string(id));
    }

private:
    std::string name;
    std::vector<std::string>& journal;
    bool needsId;
};

using Journal = std::vector<std::string>;

TEST(DeathManagerTest, OwnsItsHandlersAndDeletesThemInOrder)
{
    Journal journal;
    {
        DeathManager manager(nullptr);
        manager.AddHandler(std::make_unique<JournalHandler>("a", journal));
        manager.AddHandler(nullptr);
        manager.AddHandler(std::make_unique<JournalHandler>("b", journal));
        EXPECT_EQ(manager.GetHandlers().size(), 2u);
        manager.PreLoad();
        EXPECT_EQ(journal, (Journal{"preload a", "preload b"}));
        journal.clear();
    }
    EXPECT_EQ(journal, (Journal{"delete a", "delete b"}));

    DeathManager empty(nullptr);
    EXPECT_FALSE(empty.IsFinished());
    empty.Execute();
    EXPECT_TRUE(empty.IsFinished()) << "with no handlers a death is over as it starts";
    EXPECT_TRUE(empty.CreateObjectIds().empty());
}

TEST(DeathManagerTest, UpdatesOnlyWhileRunningAndPostProcessesOncePerDeath)
{
    Journal journal;
    DeathManager manager(nullptr);
    manager.AddHandler(std::make_unique<JournalHandler>("a", journal));
    manager.AddHandler(std::make_unique<JournalHandler>("b", journal));
    const Name end = Name::Create("End");

    manager.GetHandlers()[0]->Finish();
    manager.GetHandlers()[1]->Finish();
    EXPECT_FALSE(manager.IsFinished()) << "not started";
    manager.Update(16);
    manager.AnimationCallback(end);
    EXPECT_EQ(journal, (Journal{"callback a End", "callback b End"})) << "callbacks always pass";
    journal.clear();

    manager.Execute();
    manager.Update(16);
    EXPECT_EQ(journal, (Journal{"execute a", "execute b", "update a 16", "update b 16"}));
    EXPECT_FALSE(manager.IsFinished());
    manager.GetHandlers()[0]->Finish();
    EXPECT_FALSE(manager.IsFinished());
    manager.GetHandlers()[1]->Finish();
    EXPECT_TRUE(manager.IsFinished());
    journal.clear();

    manager.PostProcess();
    manager.PostProcess();
    EXPECT_FALSE(manager.IsFinished());
    manager.Update(16);
    manager.ExternalEvent(Name::Create("PhysicsComplete"));
    EXPECT_EQ(journal,
              (Journal{"post a", "post b", "event a PhysicsComplete", "event b PhysicsComplete"}));
    journal.clear();

    // A respawned character's next death runs every handler again.
    manager.Reset();
    EXPECT_FALSE(manager.GetHandlers()[0]->IsFinished());
    EXPECT_FALSE(manager.IsFinished());
    manager.Execute();
    manager.Update(5);
    for (const auto& handler : manager.GetHandlers())
        handler->Finish();
    manager.PostProcess();
    EXPECT_EQ(journal, (Journal{"reset a", "reset b", "execute a", "execute b", "update a 5",
                                "update b 5", "post a", "post b"}));
}

TEST(DeathManagerTest, IdsGoInOrderToTheHandlersThatNeedThemWhileTheyLast)
{
    Journal journal;
    DeathManager manager(nullptr);
    manager.AddHandler(std::make_unique<JournalHandler>("a", journal, true));
    manager.AddHandler(std::make_unique<JournalHandler>("plain", journal));
    manager.AddHandler(std::make_unique<JournalHandler>("b", journal, true));
    manager.AddHandler(std::make_unique<JournalHandler>("c", journal, true));

    const std::vector<uint32_t> fresh = manager.CreateObjectIds();
    ASSERT_EQ(fresh.size(), 3u);
    EXPECT_NE(fresh[0], 0u);
    EXPECT_NE(fresh[0], fresh[1]);
    EXPECT_NE(fresh[1], fresh[2]);

    manager.SetObjectIds({7, 8, 9, 10});
    EXPECT_EQ(journal, (Journal{"id a 7", "id b 8", "id c 9"}));
    journal.clear();
    manager.SetObjectIds({7});
    EXPECT_EQ(journal, (Journal{"id a 7", "id b 0", "id c 0"}));
    journal.clear();
    manager.SetObjectIds({});
    EXPECT_EQ(journal, (Journal{"id a 0", "id b 0", "id c 0"}));
}

class DefaultDeathTest : public DeathFixture {};

TEST_F(DefaultDeathTest, ADeathWithoutKeysPlaysItsAnimationToTheEndOrEndsAtOnceWithoutOne)
{
    Monster* monster = Spawn("Records/Creatures/Plain.dbr", {"unarmedDieAnim1 = Die"});
    ASSERT_NE(monster, nullptr);
    ASSERT_EQ(Deaths(*monster).GetHandlers().size(), 1u);

    Deaths(*monster).Execute();
    EXPECT_EQ(monster->GetAnimationSet()->GetCurrentType(), AnimationSet_Die);
    EXPECT_EQ(monster->GetPhysicsType(), 1);
    EXPECT_TRUE(monster->GetVisibility());
    Frame(*monster, 5000);
    Callback(*monster, "ragDoll");
    EXPECT_EQ(monster->GetPhysicsType(), 1) << "no rag doll to hand over to";
    EXPECT_FALSE(Deaths(*monster).IsFinished());

    Callback(*monster, "End");
    EXPECT_TRUE(Deaths(*monster).IsFinished());
    Frame(*monster, 16);
    EXPECT_TRUE(Exists(monster->GetObjectId())) << "the body stays";

    Monster* stiff = Spawn("Records/Creatures/Stiff.dbr", {});
    Deaths(*stiff).Execute();
    EXPECT_TRUE(Deaths(*stiff).IsFinished()) << "no death animation to play";
}

TEST_F(DefaultDeathTest, TheRagDollTakesOverAtOnceWithTheDeathSoundAndEndsAtRest)
{
    Monster* monster =
        Spawn("Records/Creatures/Limp.dbr",
              {"unarmedDieAnim1 = Die", std::string("deathSound1 = ") + kDeathSound});
    monster->SetHasRigidBodyData(true);
    Deaths(*monster).Execute();
    EXPECT_EQ(monster->GetPhysicsType(), 3);
    EXPECT_EQ(monster->GetAnimationSet()->GetCurrentType(), AnimationSet_None);
    SoundPak* sound = FindSound(kDeathSound);
    ASSERT_NE(sound, nullptr);
    ASSERT_EQ(sound->GetPlayRequests().size(), 1u);
    EXPECT_EQ(sound->GetPlayRequests()[0].coords, kPlace);

    Frame(*monster, 5000);
    EXPECT_FALSE(Deaths(*monster).IsFinished());
    Event(*monster, "PhysicsComplete");
    EXPECT_TRUE(Deaths(*monster).IsFinished());
}

TEST_F(DefaultDeathTest, ALateCrumpleFallsIntoTheRagDollAtItsCallback)
{
    Monster* monster =
        Spawn("Records/Creatures/Late.dbr",
              {"unarmedDieAnim1 = Die", "doLateCrumple = true", "overrideRagdollSpeed = 6"});
    monster->SetHasRigidBodyData(true);
    ASSERT_FALSE(monster->GetCurrentLife() > 0.0f) << "the data must be forced in";
    Deaths(*monster).Execute();
    EXPECT_EQ(monster->GetPhysicsType(), 1);
    EXPECT_EQ(monster->GetAnimationSet()->GetCurrentType(), AnimationSet_Die);

    Callback(*monster, "ragDoll");
    EXPECT_EQ(monster->GetPhysicsType(), 3);
    const CharacterRagDoll::EffectData& data = monster->GetRagdollData();
    EXPECT_EQ(data.effect, CharacterRagDoll::Crumple);
    EXPECT_EQ(data.direction, Vec3(0.0f, 1.0f, 0.0f));
    EXPECT_EQ(data.speed, 6.0f);
    EXPECT_EQ(data.amplification, 0.0f);
}

TEST_F(DefaultDeathTest, OutOfSightAMonsterDiesHiddenAndAPlayerDoesNot)
{
    Monster* monster = Spawn("Records/Creatures/Far.dbr", {"unarmedDieAnim1 = Die"});
    Player* player = Spawn<Player>("Records/Creatures/Hero.dbr", {"unarmedDieAnim1 = Die"});
    for (Character* character :
         {static_cast<Character*>(monster), static_cast<Character*>(player)}) {
        character->SetInRenderPreLoadFrustum(false);
        character->SetHasRigidBodyData(true);
        Deaths(*character).Execute();
        EXPECT_EQ(character->GetPhysicsType(), 1) << "no rag doll out of sight";
    }
    EXPECT_FALSE(monster->GetVisibility());
    EXPECT_TRUE(player->GetVisibility());
}

} // namespace
} // namespace GAME::Test
