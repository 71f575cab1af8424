#include "ai/ControllerCharacter.h"

#include "ai/ControllerCombat.h"
#include "characters/CharacterActionHandler.h"
#include "characters/Monster.h"
#include "characters/Npc.h"
#include "characters/Player.h"
#include "core/GameEvents.h"
#include "engine/ActorConfigCommand.h"
#include "engine/CharacterAction.h"
#include "engine/EventHandler.h"
#include "engine/Name.h"
#include "engine/NetPacket.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "game/GameEngine.h"
#include "items/Inventory.h"
#include "items/Item.h"
#include "multiplayer/ConfigCmdPackets.h"
#include "multiplayer/EntityPackets.h"
#include "skills/SkillBuffTransfer.h"
#include "tests/ai/ControllerTestMonster.h"
#include "tests/combat/DeathFixture.h"
#include "tests/support/AiItemRecorder.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace GAME {

GAME_IMPLEMENT_CLASS(ControllerTestMonster, Monster);

// Puts what it is given into its inventory.
class ControllerTestPlayer : public Player {
    GAME_DECLARE_CLASS(ControllerTestPlayer)

public:
    void GiveItemToCharacter(Item* item) override
    {
        GetInventory().AddItemToInventory(item->GetObjectId(), false);
    }
};

GAME_IMPLEMENT_CLASS(ControllerTestPlayer, Player);

namespace Test {
namespace {

class ControllerCharacterTest : public DeathFixture {
protected:
    ControllerTestMonster* Carrier()
    {
        return Spawn<ControllerTestMonster>("Records/Creatures/Carrier.dbr", {});
    }

    ControllerCharacter* Control(Character& character)
    {
        auto* made = static_cast<ControllerCharacter*>(
            ObjectManager::Instance().CreateObject("ControllerCharacter"));
        made->AttachParent(character.GetObjectId());
        character.SetControllerId(made->GetObjectId());
        return made;
    }

    Item* LyingItem()
    {
        database.WriteFile("Records/Items/Ring.dbr", "Class = Item\n");
        auto* item = ObjectManager::Instance().CreateObjectFromFile<Item>("Records/Items/Ring.dbr");
        gEngine->GetWorld()->AddEntity(item, kPlace, false);
        return item;
    }
};

TEST_F(ControllerCharacterTest, APickedUpItemIsHeldAndRemovingItDestroysIt)
{
    auto* player = Spawn<ControllerTestPlayer>("Records/Creatures/Hero.dbr", {});
    Item* item = LyingItem();
    const uint32_t id = item->GetObjectId();
    ControllerCharacter* controller = Control(*player);
    controller->PickupItem(id);
    ASSERT_TRUE(player->HasItem(id));
    EXPECT_FALSE(item->IsInWorld());
    controller->SendRemoveItemFromInventory(id);
    EXPECT_FALSE(player->HasItem(id));
    EXPECT_EQ(ObjectManager::Instance().GetObject<Item>(id), nullptr);
}

TEST_F(ControllerCharacterTest, DropsLandOneAndAQuarterAwayAndItemZeroSendsNothing)
{
    auto* monster = Carrier();
    ControllerCharacter* controller = Control(*monster);
    controller->SendDropItemRandom(0);
    controller->SendRemoveItemFromInventory(0);
    EXPECT_TRUE(monster->sent.empty());

    for (int i = 0; i < 8; ++i)
        controller->SendDropItemRandom(43);
    ASSERT_EQ(monster->sent.size(), 8u);
    for (const auto& packet : monster->sent) {
        const auto& drop = static_cast<const DropItemConfigCmdPacket&>(*packet);
        EXPECT_EQ(drop.itemId, 43u);
        EXPECT_NEAR(drop.x * drop.x + drop.z * drop.z, 1.5625f, 1e-4f);
    }
}

TEST_F(ControllerCharacterTest, WithoutACharacterNothingHappens)
{
    database.WriteFile("Records/Items/Ring.dbr", "Class = Item\n");
    auto* orphan = static_cast<ControllerCharacter*>(
        ObjectManager::Instance().CreateObject("ControllerCharacter"));
    orphan->IncrementCharacterLife(5);
    orphan->SendDropItemRandom(7);
    orphan->PickupItem(7);
    EXPECT_EQ(orphan->CreateItemInInventory("Records/Items/Ring.dbr"), nullptr);
}

TEST_F(ControllerCharacterTest, CreatingInTheInventoryKeepsOnlyItems)
{
    database.WriteFile("Records/Items/Ring.dbr", "Class = Item\n");
    auto* monster = Carrier();
    ControllerCharacter* controller = Control(*monster);
    Item* item = controller->CreateItemInInventory("Records/Items/Ring.dbr");
    EXPECT_TRUE(monster->GetInventory().IsItemInInventory(item->GetObjectId()));

    // Not an item: made, then destroyed again.
    const uint32_t next = ObjectManager::Instance().CreateObjectID() + 1;
    EXPECT_EQ(controller->CreateItemInInventory(kBones), nullptr);
    EXPECT_EQ(ObjectManager::Instance().GetObject(next), nullptr);
    EXPECT_EQ(controller->CreateItemInInventory("Records/Items/Missing.dbr"), nullptr);
}

using Journal = std::vector<std::string>;

// Writes what happens to it into a journal; stays running until finished, so the handler is
// busy while it is current.
class ProbeAction : public CharacterAction {
public:
    ProbeAction(Journal& journal, std::string name,
                CharacterActionType type = CharacterActionType_Idle, bool withPreAction = false)
        : journal(journal), name(std::move(name)), type(type), withPreAction(withPreAction)
    {}
    ~ProbeAction() override { journal.push_back(name + " deleted"); }

    void Execute() override { journal.push_back(name + " executed"); }
    void Finish() override { active = false; }
    void PendingActionAborted() override { journal.push_back(name + " aborted"); }
    bool IsActive() const override { return active; }
    CharacterActionType GetType() const override { return type; }
    std::unique_ptr<CharacterAction> GetPreAction() const override
    {
        if (!withPreAction)
            return nullptr;
        return std::make_unique<ProbeAction>(journal, name + ".pre", CharacterActionType_MoveTo);
    }
    std::string ToString() const override { return name; }

private:
    Journal& journal;
    std::string name;
    CharacterActionType type;
    bool withPreAction;
    bool active = true;
};

// Answers every permission question as the test says.
class ScriptedController : public ControllerCombat {
public:
    CharacterActionPermission CheckAction(CharacterActionType /*type*/) override { return answer; }
    CharacterActionPermission answer = CharacterActionPermission_Allow;
};

class ControllerBaseCharacterTest : public DeathFixture {
protected:
    void SetUp() override
    {
        DeathFixture::SetUp();
        monster = Spawn("Records/Creatures/Boar.dbr", {});
        controller = std::make_unique<ScriptedController>();
        controller->AttachParent(monster->GetObjectId());
    }

    void TearDown() override
    {
        controller.reset();
        DeathFixture::TearDown();
    }

    void Hand(const char* name, CharacterActionPermission answer, bool withPreAction = false)
    {
        controller->answer = answer;
        controller->HandleAction(
            new ProbeAction(journal, name, CharacterActionType_Attack, withPreAction));
    }

    std::vector<std::string> Held() const
    {
        std::vector<std::string> lines;
        controller->GetActionsAsStrings(lines);
        return lines;
    }

    Monster* monster = nullptr;
    std::unique_ptr<ScriptedController> controller;
    Journal journal;
};

TEST_F(ControllerBaseCharacterTest, RefusedIsDeletedQueuedIsReplacedAllowedClearsBoth)
{
    Hand("A", CharacterActionPermission_Allow, true);
    EXPECT_EQ(journal, (Journal{"A.pre executed"}));
    Hand("Q1", CharacterActionPermission_AskController);
    Hand("Q2", CharacterActionPermission_AskController);
    Hand("R", CharacterActionPermission_Refuse);
    EXPECT_EQ(journal, (Journal{"A.pre executed", "Q1 deleted", "R deleted"}));
    EXPECT_EQ(Held(), (std::vector<std::string>{"Current Action: A.pre", "Pending Action: A",
                                                "Queued Action: Q2"}));

    journal.clear();
    Hand("N", CharacterActionPermission_Allow);
    EXPECT_EQ(journal,
              (Journal{"A aborted", "A deleted", "Q2 deleted", "A.pre deleted", "N executed"}));
    EXPECT_EQ(Held(), (std::vector<std::string>{"Current Action: N", "Pending Action: (none)",
                                                "Queued Action: (none)"}));

    journal.clear();
    ScriptedController orphan;
    orphan.HandleAction(new ProbeAction(journal, "O"));
    EXPECT_EQ(journal, (Journal{"O deleted"}));
    EXPECT_EQ(log.Count(1, "ControllerBaseCharacter: Can't execute action because parent does "
                           "not exist."),
              1u);
}

TEST_F(ControllerBaseCharacterTest, AFreeHandlerTakesThePendingThenTheQueuedThenIdles)
{
    Hand("A", CharacterActionPermission_Allow, true);
    Hand("Q", CharacterActionPermission_AskController, true);
    CharacterActionHandler& handler = *monster->GetActionHandler();

    controller->CharacterHandlerUpdate(0); // the walk there still runs
    EXPECT_EQ(journal, (Journal{"A.pre executed"}));
    handler.Stop();
    controller->CharacterHandlerUpdate(0);
    handler.Stop();
    // The queued action walks first too.
    controller->CharacterHandlerUpdate(0);
    handler.Stop();
    controller->CharacterHandlerUpdate(0);
    EXPECT_EQ(journal, (Journal{"A.pre executed", "A.pre deleted", "A executed", "A deleted",
                                "Q.pre executed", "Q.pre deleted", "Q executed"}));

    // The idle filler is on from the first update.
    handler.Stop();
    controller->InitialUpdate();
    controller->CharacterHandlerUpdate(0);
    EXPECT_EQ(handler.GetActionType(), CharacterActionType_Idle);
}

TEST_F(ControllerBaseCharacterTest, ADeadMonsterTakesOnlyRespawnADyingOneStillAnAttack)
{
    ControllerCombat plain;
    plain.AttachParent(monster->GetObjectId());
    const auto check = [&](int32_t type) {
        return plain.CheckAction(static_cast<CharacterActionType>(type));
    };

    monster->SetLifeState(LifeState_Dead);
    for (int32_t type = 0; type < kCharacterActionTypeCount; ++type)
        EXPECT_EQ(check(type), type == CharacterActionType_Respawn
                                   ? CharacterActionPermission_Allow
                                   : CharacterActionPermission_Refuse)
            << type;

    monster->SetLifeState(LifeState_Dying);
    monster->SetActionState(ActionState_Dying);
    EXPECT_EQ(check(CharacterActionType_Attack), CharacterActionPermission_Allow);
    EXPECT_EQ(check(CharacterActionType_Respawn), CharacterActionPermission_Allow);
    EXPECT_EQ(check(CharacterActionType_MoveTo), CharacterActionPermission_Refuse);

    monster->SetActionState(ActionState_Idle);
    EXPECT_EQ(check(CharacterActionType_MoveTo), CharacterActionPermission_Allow);

    ControllerCombat orphan;
    EXPECT_EQ(orphan.CheckAction(CharacterActionType_Respawn), CharacterActionPermission_Refuse);

    // A player is asked of the game's matrix only while it is busy.
    Player* player = Spawn<Player>("Records/Creatures/Hero.dbr", {});
    plain.AttachParent(player->GetObjectId());
    player->SetLifeState(LifeState_Dead);
    EXPECT_EQ(check(CharacterActionType_Attack), CharacterActionPermission_Allow);
    player->GetActionHandler()->Execute(
        std::make_unique<ProbeAction>(journal, "busy", CharacterActionType_PlayAnimation));
    for (int32_t type = 0; type < kCharacterActionTypeCount; ++type)
        EXPECT_EQ(check(type), Game().CheckPlayerAction(static_cast<CharacterActionType>(type),
                                                        CharacterActionType_PlayAnimation))
            << type;
}

TEST_F(ControllerBaseCharacterTest, TeleportTellsTheOthersAndLogsAPlaceOffTheFloor)
{
    gEngine->GetNetworkConnectionManager().SetLocalHostID(3);
    const WorldCoords away{kRegion, Coords::FromTranslation(Vec3(500, 2, 0))};
    controller->Teleport(away);

    const auto sent = TakeSent<UpdatePositionPacket>();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0]->originatorId, 3);
    EXPECT_EQ(sent[0]->entityId, monster->GetObjectId());
    EXPECT_EQ(log.Count(2, "Could Not Translate To Floor"), 1u);
    EXPECT_EQ(monster->GetPathPosition(), away.GetPosition());
    gEngine->GetNetworkConnectionManager().SetLocalHostID(0);
}

class ControllerCombatTest : public DeathFixture {
protected:
    void OnStartDeath(const GameEvent_GenericEntity& event) { started.push_back(event.objectId); }

    // The character's own controller, as the object manager holds it.
    ControllerCombat* Control(Character& character)
    {
        auto* made = static_cast<ControllerCombat*>(
            ObjectManager::Instance().CreateObject("ControllerCombat"));
        made->AttachParent(character.GetObjectId());
        return made;
    }

    static SkillBuffTransfer Rage()
    {
        SkillBuffTransfer transfer;
        transfer.buffName = "Records/Skills/Rage.dbr";
        transfer.buffLevel = 1;
        return transfer;
    }

    std::vector<uint32_t> started;
    EventHandler<ControllerCombatTest, GameEvent_GenericEntity> listener{
        "GameEvent_CreatureStartDeath", &ControllerCombatTest::OnStartDeath, this};
};

TEST_F(ControllerCombatTest, KillMeStartsAMonstersDeathAndLeavesAnNpcAlive)
{
    Npc* npc = Spawn<Npc>("Records/Creatures/Baker.dbr", {});
    ControllerCombat* own = Control(*npc);
    own->CreateSkillBuff(Rage(), {}, false);
    ASSERT_EQ(own->GetSkillBuffCount(), 1u);
    own->KillMe();
    EXPECT_EQ(own->GetSkillBuffCount(), 0u) << "an npc only loses its buffs";
    EXPECT_EQ(npc->GetLifeState(), LifeState_Alive);
    EXPECT_TRUE(started.empty());

    Monster* monster = Spawn("Records/Creatures/Boar.dbr", {});
    ControllerCombat* controller = Control(*monster);
    controller->KillMe();
    EXPECT_EQ(monster->GetLifeState(), LifeState_Dying);
    EXPECT_EQ(monster->GetActionHandler()->GetActionType(), CharacterActionType_Die);
    EXPECT_EQ(started, (std::vector<uint32_t>{monster->GetObjectId()}));

    // Already dying: not killed twice.
    controller->KillMe();
    EXPECT_EQ(started.size(), 1u);
    EXPECT_FALSE(controller->NeedsDeathUpdate());
}

class ControllerCombatBuffTest : public ControllerCombatTest {
protected:
    void SetUp() override
    {
        ControllerCombatTest::SetUp();
        database.WriteRecord("Records/Skills/Rage.dbr", {"Class = SkillBuff"});
        monster = Spawn<ControllerTestMonster>("Records/Creatures/Buffed.dbr", {});
        controller = Control(*monster);
        monster->SetControllerId(controller->GetObjectId());
    }

    static SkillBuffTransfer Transfer(const std::string& name, uint32_t level)
    {
        SkillBuffTransfer transfer;
        transfer.buffName = name;
        transfer.buffLevel = level;
        transfer.modifierName1 = "Records/Skills/Mod1.dbr";
        transfer.modifierLevel1 = 4;
        transfer.modifierName2 = "Records/Skills/Mod2.dbr";
        transfer.modifierLevel2 = 5;
        transfer.timeToLive = 1500;
        transfer.casterId = 77;
        return transfer;
    }

    // Every field of a buff packet but its actor.
    static std::string Fields(const CreateRemoveSkillBuffConfigCmdPacket& packet)
    {
        return "skill " + std::to_string(packet.skillId) + " " + packet.skillName + " level " +
               std::to_string(packet.level) + ", mods '" + packet.modName1 + "' " +
               std::to_string(packet.modLevel1) + " '" + packet.modName2 + "' " +
               std::to_string(packet.modLevel2) + ", time " + std::to_string(packet.timeToLive) +
               ", caster " + std::to_string(packet.casterId);
    }

    ControllerTestMonster* monster = nullptr;
    ControllerCombat* controller = nullptr;
};

TEST_F(ControllerCombatBuffTest, HideAndShowEventsSetTheVisibility)
{
    controller->HandleEvent(Name::Create("hide"));
    EXPECT_FALSE(monster->GetVisibility());
    controller->HandleEvent(Name::Create("Show"));
    EXPECT_FALSE(monster->GetVisibility());
    controller->HandleEvent(Name::Create("show"));
    EXPECT_TRUE(monster->GetVisibility());
    EXPECT_EQ(monster->sent.size(), 2u);
}

TEST_F(ControllerCombatBuffTest, ABuffIsSentOnceAndAgainOnlyForAnotherLevel)
{
    monster->ControllerAddSkillBuff(Transfer("Records/Skills/Rage.dbr", 2), {}, false);
    ASSERT_EQ(monster->buffs.size(), 1u);
    EXPECT_EQ(Fields(monster->buffs[0]), "skill 0 Records/Skills/Rage.dbr level 2, mods "
                                         "'Records/Skills/Mod1.dbr' 4 'Records/Skills/Mod2.dbr' 5, "
                                         "time 1500, caster 77");

    // A renewal at the same level still goes out: it renews the buff's own time to live.
    controller->CreateSkillBuff(Transfer("Records/Skills/Rage.dbr", 2), {}, false);
    ASSERT_EQ(monster->buffs.size(), 2u);
    EXPECT_EQ(monster->buffs[1].level, 2u);
    controller->CreateSkillBuff(Transfer("Records/Skills/Rage.dbr", 3), {}, false);
    ASSERT_EQ(monster->buffs.size(), 3u);
    EXPECT_EQ(monster->buffs[2].level, 3u);
    EXPECT_EQ(controller->GetSkillBuffCount(), 1u);
}

TEST_F(ControllerCombatBuffTest, AnExpiredBuffIsSentAgainAtTheSameLevel)
{
    controller->CreateSkillBuff(Transfer("Records/Skills/Rage.dbr", 2), {}, false);
    ASSERT_TRUE(monster->IsSkillBuffActive("Records/Skills/Rage.dbr"));
    // Expired on the character: the controller's entry no longer stands for a held buff.
    monster->CreateRemoveSkillBuff(0, "Records/Skills/Rage.dbr", 0, "", 0, "", 0, 0, 0);
    monster->buffs.clear();
    controller->CreateSkillBuff(Transfer("Records/Skills/Rage.dbr", 2), {}, false);
    EXPECT_EQ(monster->buffs.size(), 1u);
    EXPECT_TRUE(monster->IsSkillBuffActive("Records/Skills/Rage.dbr"));
}

TEST_F(ControllerCombatBuffTest, WeaponAndDualWieldDemandsAndTheDeadGetNoBuff)
{
    // Unarmed: neither a listed weapon in a hand nor two weapons.
    controller->CreateSkillBuff(Transfer("Records/Skills/Edge.dbr", 1), {Weapon_Type_Sword}, false);
    controller->CreateSkillBuff(Transfer("Records/Skills/Twin.dbr", 1), {}, true);
    EXPECT_TRUE(monster->buffs.empty());
    monster->SetLifeState(LifeState_Dead);
    controller->CreateSkillBuff(Transfer("Records/Skills/Rage.dbr", 1), {}, false);
    EXPECT_TRUE(monster->buffs.empty());
}

TEST_F(ControllerCombatBuffTest, RemovingAllSendsLevelZeroForEachAndKillMeRemovesThem)
{
    controller->CreateSkillBuff(Transfer("Records/Skills/Rage.dbr", 2), {}, false);
    controller->CreateSkillBuff(Transfer("Records/Skills/Ward.dbr", 1), {}, false);
    monster->buffs.clear();
    controller->KillMe();
    ASSERT_EQ(monster->buffs.size(), 2u);
    EXPECT_EQ(Fields(monster->buffs[1]),
              "skill 0 Records/Skills/Ward.dbr level 0, mods '' 0 '' 0, time 0, caster 0");
    controller->RemoveAllSkillBuffs();
    EXPECT_EQ(monster->buffs.size(), 2u);
}

class ControllerCombatGoldTest : public ControllerCombatTest {
protected:
    static constexpr const char* kGold = "Records/Loot/Gold.dbr";

    // An item the game was asked to create, with what the victim looked like then.
    struct Drop {
        WorldCoords coords;
        ItemReplicaInfo item;
        Character_LifeState lifeState = LifeState_Alive;
        size_t buffPackets = 0;
        size_t deathEvents = 0;
    };

    void SetUp() override
    {
        ControllerCombatTest::SetUp();
        // Up to three piles of 100 in all.
        database.WriteRecord(kGold,
                             {"goldAmountEquation = currentPlayerLevel+100", "goldValueMax = 1000",
                              "goldSplitMin = 3", "goldSplitMax = 3", "goldSplitSizeMin = 30",
                              "goldActors = Records/Items/Coins.dbr"});
        recorder.emplace().onCreate = [this](const WorldCoords& coords,
                                             const ItemReplicaInfo& item) {
            drops.push_back({coords, item,
                             victim != nullptr ? victim->GetLifeState() : LifeState_Alive,
                             victim != nullptr ? victim->buffs.size() : 0u, started.size()});
        };
    }

    void TearDown() override
    {
        recorder.reset();
        ControllerCombatTest::TearDown();
    }

    std::optional<AiItemRecorder> recorder;
    ControllerTestMonster* victim = nullptr;
    std::vector<Drop> drops;
};

TEST_F(ControllerCombatGoldTest, KillMeDropsTheGoldBeforeTheCharacterStartsDying)
{
    auto* monster = Spawn<ControllerTestMonster>(
        "Records/Creatures/Rich.dbr",
        {"goldGeneratorChance = 100", std::string("goldGenerator = ") + kGold});
    victim = monster;
    ControllerCombat* controller = Control(*monster);
    controller->CreateSkillBuff(Rage(), {}, false);
    const uint32_t nextId = ObjectManager::Instance().CreateObjectID() + 1;

    controller->KillMe();
    ASSERT_FALSE(drops.empty());
    ASSERT_LE(drops.size(), 3u);
    uint32_t amount = 0;
    for (size_t i = 0; i < drops.size(); ++i) {
        const Drop& drop = drops[i];
        amount += drop.item.var1;
        EXPECT_EQ(drop.item.id, nextId + i);
        EXPECT_EQ(drop.coords.GetPosition().GetRegionPosition(),
                  monster->GetCoords().GetPosition().GetRegionPosition());
        // After the buffs went, before the life state and the event.
        EXPECT_EQ(drop.buffPackets, 2u);
        EXPECT_EQ(drop.lifeState, LifeState_Alive);
        EXPECT_EQ(drop.deathEvents, 0u);
    }
    // No attacker: the player level is 0, so the amount is exactly 100.
    EXPECT_EQ(amount, 100u);
    EXPECT_EQ(started, (std::vector<uint32_t>{monster->GetObjectId()}));
}

TEST_F(ControllerCombatGoldTest, NoChanceOrAnNpcRunsNoGenerator)
{
    Monster* poor = Spawn("Records/Creatures/Poor.dbr",
                          {"goldGeneratorChance = 0", std::string("goldGenerator = ") + kGold});
    Npc* baker = Spawn<Npc>("Records/Creatures/RichBaker.dbr",
                            {"goldGeneratorChance = 100", std::string("goldGenerator = ") + kGold});
    Control(*poor)->KillMe();
    Control(*baker)->KillMe();
    EXPECT_TRUE(drops.empty());
    EXPECT_EQ(baker->GetLifeState(), LifeState_Alive);
}

} // namespace
} // namespace Test
} // namespace GAME
