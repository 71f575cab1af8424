#include "combat/DeathHandler.h"
#include "combat/DeathManager.h"

#include "characters/AnimationSet.h"
#include "characters/CharacterRagDoll.h"
#include "characters/Player.h"
#include "engine/EffectEntity.h"
#include "engine/Light.h"
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
        manager.PreLoad();
        EXPECT_EQ(journal, (Journal{"preload a", "preload b"}));
        journal.clear();
    }
    EXPECT_EQ(journal, (Journal{"delete a", "delete b"}));

    DeathManager empty(nullptr);
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
    ASSERT_EQ(Deaths(*monster).GetHandlers().size(), 1u);

    Deaths(*monster).Execute();
    EXPECT_EQ(monster->GetAnimationSet()->GetCurrentType(), AnimationSet_Die);
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
    const auto& played = FindSound(kDeathSound)->GetPlayRequests();
    ASSERT_EQ(played.size(), 1u);
    EXPECT_EQ(played[0].coords, kPlace);

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
    EXPECT_EQ(data.speed, 6.0f);
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

class DeathHandlerTest : public DeathFixture {
protected:
    // The one entity of the class hanging on the character, or null.
    template <typename T> static T* Attached(const Character& character)
    {
        for (Entity* child : character.GetAttachedChildren()) {
            if (T* typed = DynamicCast<T>(child))
                return typed;
        }
        return nullptr;
    }

    static bool InWorld(const Entity& entity) { return entity.IsInWorld(); }
};

TEST_F(DeathHandlerTest, AFadeDimsTheTintOverItsTimeAndTheBodyGoesWhenTheDeathEnds)
{
    Monster* monster =
        Spawn("Records/Creatures/Ghost.dbr",
              {"unarmedDieAnim1 = Die", "deleteBehavior = Fade", "dissolveTime = 2.0"});
    const uint32_t id = monster->GetObjectId();
    const size_t objects = ObjectManager::Instance().GetObjectCount();
    monster->SetTintColor(Color(0.8f, 0.4f, 0.2f, 0.5f));
    DeathManager& deaths = Deaths(*monster);
    deaths.Execute();
    for (int frame = 0; frame < 4; ++frame)
        Frame(*monster, 250);
    EXPECT_EQ(monster->GetTintColor(), Color(0.4f, 0.2f, 0.1f, 1.0f));

    Frame(*monster, 1000);
    EXPECT_TRUE(deaths.GetHandlers()[1]->IsFinished());
    Frame(*monster, 1000);
    EXPECT_EQ(monster->GetTintColor(), Color(0.0f, 0.0f, 0.0f, 1.0f)) << "never below black";
    EXPECT_TRUE(Exists(id)) << "the death animation is still playing";

    Callback(*monster, "End");
    Frame(*monster, 16);
    // Gone from the world and from look-ups, but deleted only when the frame ends.
    EXPECT_FALSE(Exists(id));
    EXPECT_EQ(TheWorld().GetEntityCount(), 0u);
    ObjectManager::Instance().ProcessDestroyedObjects();
    EXPECT_EQ(ObjectManager::Instance().GetObjectCount(), objects - 1);
}

TEST_F(DeathHandlerTest, AFadeOfNoTimeEndsOnTheFirstUpdate)
{
    Monster* monster = Spawn("Records/Creatures/Blink.dbr", {"deleteBehavior = Fade"});
    Deaths(*monster).Execute();
    const DeathHandler& fade = *Deaths(*monster).GetHandlers()[1];
    const uint32_t tints = monster->GetTintColorSetCount();
    Deaths(*monster).Update(1);
    EXPECT_TRUE(fade.IsFinished());
    EXPECT_EQ(monster->GetTintColorSetCount(), tints);
}

TEST_F(DeathHandlerTest, ADissolveStartsWithTheDeathAndItsLightDimsToNothing)
{
    Monster* monster =
        Spawn("Records/Creatures/Ember.dbr",
              {"unarmedDieAnim1 = Die", "deleteBehavior = Dissolve", "dissolveTime = 3",
               "dissolveColorR = 255", "dissolveColorG = 128", "dissolveColorB = 7",
               "dissolveTexture = Fx/Burn.tex", std::string("dissolveEffect = ") + kEffect,
               std::string("dissolveLight = ") + kLight});
    DeathManager& deaths = Deaths(*monster);
    deaths.Execute();
    ASSERT_EQ(monster->GetDissolveRequests().size(), 1u);
    const Actor::DissolveRequest& request = monster->GetDissolveRequests()[0];
    EXPECT_EQ(std::tie(request.red, request.green, request.blue, request.seconds, request.texture),
              std::make_tuple(255, 128, 7, 3.0f, std::string("Fx/Burn.tex")));

    Light* light = Attached<Light>(*monster);
    EffectEntity* effect = Attached<EffectEntity>(*monster);
    EXPECT_EQ(light->GetRadius(), 10.0f);

    std::vector<float> radii;
    for (int frame = 0; frame < 3; ++frame) {
        Frame(*monster, 1000);
        radii.push_back(light->GetRadius());
    }
    EXPECT_EQ(radii, (std::vector<float>{5.0f, 0.0f, 0.0f}));
    EXPECT_TRUE(deaths.GetHandlers()[1]->IsFinished()) << "dissolved at 3000 ms";

    const uint32_t lightId = light->GetObjectId();
    Callback(*monster, "End");
    EXPECT_FALSE(Exists(lightId));
    EXPECT_EQ(effect->GetAttachParent(), nullptr);
    EXPECT_EQ(effect->GetStopEmittingCount(), 2u) << "by the default handler, then its own";
    EXPECT_TRUE(InWorld(*effect));
}

TEST_F(DeathHandlerTest, DissolveOnCallbackWaitsForItsCallbackAndDeleteNeverDissolves)
{
    Monster* late = Spawn("Records/Creatures/Late.dbr", {"deleteBehavior = DissolveOnCallback"});
    Monster* dissolving = Spawn("Records/Creatures/Now.dbr", {"deleteBehavior = Dissolve"});
    Monster* deleted = Spawn("Records/Creatures/Gone.dbr", {"deleteBehavior = Delete"});
    for (Monster* monster : {late, dissolving, deleted}) {
        Deaths(*monster).Execute();
        Callback(*monster, "dissolve");
    }
    EXPECT_EQ(late->GetDissolveRequests().size(), 1u);
    EXPECT_EQ(dissolving->GetDissolveRequests().size(), 1u) << "from the start, once";
    EXPECT_TRUE(deleted->GetDissolveRequests().empty());

    const uint32_t id = deleted->GetObjectId();
    Callback(*deleted, "End");
    Frame(*deleted, 16);
    EXPECT_TRUE(deleted->GetDissolveRequests().empty());
    EXPECT_FALSE(Exists(id));
}

TEST_F(DeathHandlerTest, AtRestTheLightGoesTheEffectStaysAndTheBonesRise)
{
    Monster* monster =
        Spawn("Records/Creatures/Limp.dbr",
              {"deleteBehavior = Dissolve", std::string("dissolveEffect = ") + kEffect,
               std::string("dissolveLight = ") + kLight,
               std::string("actorToSpawnForMyBones = ") + kBones});
    monster->SetHasRigidBodyData(true);
    Deaths(*monster).SetObjectIds({555});
    Deaths(*monster).Execute();
    const uint32_t lightId = Attached<Light>(*monster)->GetObjectId();
    EffectEntity* effect = Attached<EffectEntity>(*monster);
    Event(*monster, "PhysicsComplete");
    Frame(*monster, 16);
    EXPECT_FALSE(Exists(lightId));
    EXPECT_TRUE(InWorld(*effect));
    EXPECT_TRUE(Find<Monster>(555)->IsInWorld());
}

TEST_F(DeathHandlerTest, TheDeathEffectPlaysOnTheBodyUntilTheDeathEndsAndTheSoundPlaysAtOnce)
{
    Monster* monster =
        Spawn("Records/Creatures/Dusty.dbr", {"unarmedDieAnim1 = Die", "deleteBehavior = PlaySound",
                                              std::string("deathSound1 = ") + kDeathSound,
                                              std::string("deathEffect = ") + kEffect});
    DeathManager& deaths = Deaths(*monster);
    deaths.Execute();
    EXPECT_TRUE(deaths.GetHandlers()[1]->IsFinished());
    EXPECT_TRUE(deaths.GetHandlers()[2]->IsFinished());
    EXPECT_EQ(FindSound(kDeathSound)->GetPlayRequests().size(), 1u);
    EffectEntity* effect = Attached<EffectEntity>(*monster);
    EXPECT_TRUE(effect->IsEmitting());

    Callback(*monster, "End");
    EXPECT_FALSE(effect->IsEmitting());
    EXPECT_EQ(effect->GetAttachParent(), monster) << "it stays on the body";

    // ... and goes with it, not left behind among the objects.
    const uint32_t effectId = effect->GetObjectId();
    ObjectManager::Instance().DestroyObjectEx(monster, "Test", __LINE__);
    ObjectManager::Instance().ProcessDestroyedObjects();
    EXPECT_FALSE(Exists(effectId));
}

TEST_F(DeathHandlerTest, TheDeathActorStandsWhereTheCharacterFell)
{
    Monster* now =
        Spawn("Records/Creatures/Now.dbr", {std::string("actorToSpawnOnDeath = ") + kGore});
    Monster* later =
        Spawn("Records/Creatures/Later.dbr",
              {std::string("actorToSpawnOnDeath = ") + kGore, "waitForCallbackToSpawn = true"});
    for (Monster* monster : {now, later}) {
        Deaths(*monster).SetObjectIds({monster == now ? 901u : 902u});
        Deaths(*monster).Execute();
    }
    ASSERT_NE(Find<Character>(901), nullptr);
    EXPECT_EQ(Find<Character>(902), nullptr);
    Callback(*later, "spawnDeathActor");
    Callback(*now, "spawnDeathActor");
    for (uint32_t id : {901u, 902u}) {
        Character* gore = Find<Character>(id);
        ASSERT_NE(gore, nullptr) << id;
        EXPECT_EQ(gore->GetCoords(), kPlace);
    }
}

TEST_F(DeathHandlerTest, TheDeathActorAndTheBonesTakeTheirIdsAndAnIdInUseSpawnsNothing)
{
    Monster* monster =
        Spawn("Records/Creatures/Lich.dbr", {std::string("actorToSpawnOnDeath = ") + kGore,
                                             std::string("actorToSpawnForMyBones = ") + kBones});
    monster->SetScale(1.5f);
    DeathManager& deaths = Deaths(*monster);
    const std::vector<uint32_t> ids = deaths.CreateObjectIds();
    ASSERT_EQ(ids.size(), 2u);
    deaths.SetObjectIds(ids);
    deaths.Execute();
    EXPECT_EQ(Find<Character>(ids[0])->GetObjectName(), kGore);
    Monster* bones = Find<Monster>(ids[1]);
    EXPECT_EQ(bones->GetAttachParent(), monster);
    EXPECT_FALSE(bones->IsInWorld());

    Callback(*monster, "End");
    EXPECT_EQ(bones->GetAttachParent(), nullptr);
    EXPECT_EQ(bones->GetCurrentScale(), 1.5f);
    EXPECT_EQ(bones->GetCoords(), kPlace);
    EXPECT_TRUE(bones->IsInWorld());

    // A short list spawns no bones; ids already in use spawn nothing.
    const size_t objects = ObjectManager::Instance().GetObjectCount();
    deaths.Reset();
    deaths.SetObjectIds({777});
    deaths.Execute();
    EXPECT_NE(Find<Character>(777), nullptr);
    EXPECT_EQ(ObjectManager::Instance().GetObjectCount(), objects + 1) << "no bones";

    deaths.Reset();
    const uint32_t taken = monster->GetObjectId();
    deaths.SetObjectIds({777, taken});
    deaths.Execute();
    EXPECT_EQ(ObjectManager::Instance().GetObjectCount(), objects + 1);
    EXPECT_EQ(Find<Character>(taken), monster);
    EXPECT_EQ(log.CountContaining("is already in use"), 2u);
}

TEST_F(DeathHandlerTest, BonesThatNeverRoseGoWithTheBody)
{
    Monster* monster =
        Spawn("Records/Creatures/Cut.dbr", {std::string("actorToSpawnForMyBones = ") + kBones});
    ObjectManager& objects = ObjectManager::Instance();
    const size_t before = objects.GetObjectCount();
    Deaths(*monster).SetObjectIds({556});
    Deaths(*monster).Execute();
    objects.DestroyObjectEx(monster, "test", 1);
    objects.ProcessDestroyedObjects();
    EXPECT_FALSE(Exists(556));
    EXPECT_EQ(objects.GetObjectCount(), before - 1);
}

} // namespace
} // namespace GAME::Test
