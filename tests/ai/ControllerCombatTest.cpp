#include "ai/ControllerCombat.h"

#include "characters/CharacterActionHandler.h"
#include "characters/Monster.h"
#include "characters/Npc.h"
#include "core/GameEvents.h"
#include "engine/ActorConfigCommand.h"
#include "engine/EventHandler.h"
#include "engine/Name.h"
#include "engine/NetPacket.h"
#include "engine/WorldCoords.h"
#include "game/GameEngine.h"
#include "multiplayer/ConfigCmdPackets.h"
#include "skills/SkillBuffTransfer.h"
#include "tests/combat/DeathFixture.h"
#include "tests/support/AiItemRecorder.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace GAME {

// Keeps the buff packets it is handed, then runs the commands as usual.
class BuffTestMonster : public Monster {
    GAME_DECLARE_CLASS(BuffTestMonster)

public:
    void Enqueue(std::unique_ptr<ActorConfigCommand> command) override
    {
        std::unique_ptr<NetPacket> packet = command->GetNetPacket();
        if (packet->GetType() == 87)
            buffs.push_back(static_cast<CreateRemoveSkillBuffConfigCmdPacket&>(*packet));
        ++commands;
        Monster::Enqueue(std::move(command));
    }
    std::vector<CreateRemoveSkillBuffConfigCmdPacket> buffs;
    int commands = 0;
};

GAME_IMPLEMENT_CLASS(BuffTestMonster, Monster);

namespace Test {
namespace {

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

    std::vector<uint32_t> started;
    EventHandler<ControllerCombatTest, GameEvent_GenericEntity> listener{
        "GameEvent_CreatureStartDeath", &ControllerCombatTest::OnStartDeath, this};
};

TEST_F(ControllerCombatTest, KillMeStartsAMonstersDeathAndLeavesAnNpcAlive)
{
    Npc* npc = Spawn<Npc>("Records/Creatures/Baker.dbr", {});
    ASSERT_NE(npc, nullptr);
    Control(*npc)->KillMe();
    EXPECT_EQ(npc->GetLifeState(), LifeState_Alive);
    EXPECT_EQ(npc->GetActionHandler()->GetActionType(), CharacterActionType_None);
    EXPECT_TRUE(started.empty());

    Monster* monster = Spawn("Records/Creatures/Boar.dbr", {});
    ASSERT_NE(monster, nullptr);
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
        monster = Spawn<BuffTestMonster>("Records/Creatures/Buffed.dbr", {});
        ASSERT_NE(monster, nullptr);
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

    BuffTestMonster* monster = nullptr;
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
    EXPECT_EQ(monster->commands, 2);
}

TEST_F(ControllerCombatBuffTest, ABuffIsSentOnceAndAgainOnlyForAnotherLevel)
{
    monster->ControllerAddSkillBuff(Transfer("Records/Skills/Rage.dbr", 2), {}, false);
    ASSERT_EQ(monster->buffs.size(), 1u);
    const CreateRemoveSkillBuffConfigCmdPacket& made = monster->buffs[0];
    EXPECT_EQ(made.actorId.GetId(), monster->GetObjectId());
    EXPECT_EQ(made.skillId, 0u);
    EXPECT_EQ(made.skillName, "Records/Skills/Rage.dbr");
    EXPECT_EQ(made.level, 2u);
    EXPECT_EQ(made.modName1, "Records/Skills/Mod1.dbr");
    EXPECT_EQ(made.modLevel1, 4u);
    EXPECT_EQ(made.modName2, "Records/Skills/Mod2.dbr");
    EXPECT_EQ(made.modLevel2, 5u);
    EXPECT_EQ(made.timeToLive, 1500);
    EXPECT_EQ(made.casterId, 77u);

    // A renewal at the same level still goes out: it renews the buff's own time to live.
    controller->CreateSkillBuff(Transfer("Records/Skills/Rage.dbr", 2), {}, false);
    ASSERT_EQ(monster->buffs.size(), 2u);
    EXPECT_EQ(monster->buffs[1].level, 2u);
    EXPECT_EQ(monster->buffs[1].timeToLive, 1500);
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
    EXPECT_EQ(controller->GetSkillBuffCount(), 0u);
}

TEST_F(ControllerCombatBuffTest, RemovingAllSendsLevelZeroForEachAndKillMeRemovesThem)
{
    controller->CreateSkillBuff(Transfer("Records/Skills/Rage.dbr", 2), {}, false);
    controller->CreateSkillBuff(Transfer("Records/Skills/Ward.dbr", 1), {}, false);
    monster->buffs.clear();
    controller->KillMe();
    ASSERT_EQ(monster->buffs.size(), 2u);
    std::vector<std::string> removed;
    for (const CreateRemoveSkillBuffConfigCmdPacket& packet : monster->buffs) {
        removed.push_back(packet.skillName);
        EXPECT_EQ(packet.skillId, 0u);
        EXPECT_EQ(packet.level, 0u);
        EXPECT_EQ(packet.modName1, "");
        EXPECT_EQ(packet.modLevel1, 0u);
        EXPECT_EQ(packet.modName2, "");
        EXPECT_EQ(packet.modLevel2, 0u);
        EXPECT_EQ(packet.timeToLive, 0);
        EXPECT_EQ(packet.casterId, 0u);
    }
    EXPECT_EQ(removed,
              (std::vector<std::string>{"Records/Skills/Rage.dbr", "Records/Skills/Ward.dbr"}));
    EXPECT_EQ(controller->GetSkillBuffCount(), 0u);
    EXPECT_EQ(monster->GetLifeState(), LifeState_Dying);
    controller->RemoveAllSkillBuffs();
    EXPECT_EQ(monster->buffs.size(), 2u);
}

TEST_F(ControllerCombatTest, KillMeOnAnNpcOnlyRemovesTheBuffs)
{
    Npc* npc = Spawn<Npc>("Records/Creatures/Baker.dbr", {});
    ASSERT_NE(npc, nullptr);
    ControllerCombat* controller = Control(*npc);
    SkillBuffTransfer transfer;
    transfer.buffName = "Records/Skills/Rage.dbr";
    transfer.buffLevel = 1;
    controller->CreateSkillBuff(transfer, {}, false);
    ASSERT_EQ(controller->GetSkillBuffCount(), 1u);
    controller->KillMe();
    EXPECT_EQ(controller->GetSkillBuffCount(), 0u);
    EXPECT_EQ(npc->GetLifeState(), LifeState_Alive);
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
    BuffTestMonster* victim = nullptr;
    std::vector<Drop> drops;
};

TEST_F(ControllerCombatGoldTest, KillMeDropsTheGoldBeforeTheCharacterStartsDying)
{
    auto* monster = Spawn<BuffTestMonster>(
        "Records/Creatures/Rich.dbr",
        {"goldGeneratorChance = 100", std::string("goldGenerator = ") + kGold});
    ASSERT_NE(monster, nullptr);
    victim = monster;
    ControllerCombat* controller = Control(*monster);
    SkillBuffTransfer transfer;
    transfer.buffName = "Records/Skills/Rage.dbr";
    transfer.buffLevel = 1;
    controller->CreateSkillBuff(transfer, {}, false);
    const uint32_t nextId = ObjectManager::Instance().CreateObjectID() + 1;

    controller->KillMe();
    ASSERT_FALSE(drops.empty());
    ASSERT_LE(drops.size(), 3u);
    uint32_t amount = 0;
    for (size_t i = 0; i < drops.size(); ++i) {
        const Drop& drop = drops[i];
        amount += drop.item.var1;
        EXPECT_EQ(drop.item.baseName, "Records/Items/Coins.dbr");
        EXPECT_EQ(drop.item.id, nextId + i);
        EXPECT_EQ(drop.coords.GetRegionId(), monster->GetCoords().GetRegionId());
        EXPECT_EQ(drop.coords.GetPosition().GetRegionPosition(),
                  monster->GetCoords().GetPosition().GetRegionPosition());
        // After the buffs went, before the life state and the event.
        EXPECT_EQ(drop.buffPackets, 2u);
        EXPECT_EQ(drop.lifeState, LifeState_Alive);
        EXPECT_EQ(drop.deathEvents, 0u);
    }
    // No attacker: the player level is 0, so the amount is exactly 100.
    EXPECT_EQ(amount, 100u);
    EXPECT_EQ(monster->GetLifeState(), LifeState_Dying);
    EXPECT_EQ(monster->GetActionHandler()->GetActionType(), CharacterActionType_Die);
    EXPECT_EQ(started, (std::vector<uint32_t>{monster->GetObjectId()}));
}

TEST_F(ControllerCombatGoldTest, NoChanceOrAnNpcRunsNoGenerator)
{
    Monster* poor = Spawn("Records/Creatures/Poor.dbr",
                          {"goldGeneratorChance = 0", std::string("goldGenerator = ") + kGold});
    Npc* baker = Spawn<Npc>("Records/Creatures/RichBaker.dbr",
                            {"goldGeneratorChance = 100", std::string("goldGenerator = ") + kGold});
    ASSERT_NE(poor, nullptr);
    ASSERT_NE(baker, nullptr);
    Control(*poor)->KillMe();
    Control(*baker)->KillMe();
    EXPECT_TRUE(drops.empty());
    EXPECT_EQ(poor->GetLifeState(), LifeState_Dying);
    EXPECT_EQ(baker->GetLifeState(), LifeState_Alive);
}

} // namespace
} // namespace Test
} // namespace GAME
