#include "characters/CharacterConfigCommands.h"

#include "ai/ControllerAI.h"
#include "ai/ControllerCombat.h"
#include "characters/Character.h"
#include "characters/Monster.h"
#include "characters/TeamManager.h"
#include "combat/CombatAttributeType.h"
#include "engine/ConnectionManager.h"
#include "engine/NetPacket.h"
#include "engine/NetworkShim.h"
#include "engine/ObjectManager.h"
#include "engine/Vec3.h"
#include "engine/World.h"
#include "engine/WorldVec3.h"
#include "items/Item.h"
#include "tests/characters/CharacterHelpers.h"
#include "tests/combat/DeathFixture.h"
#include "tests/support/RecordingPlayers.h"

#include <cstdio>

#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace GAME {

// Records the virtual calls the commands make.
class CommandTestCharacter : public Character {
    GAME_DECLARE_CLASS(CommandTestCharacter)

public:
    void AttachItemAction(uint32_t itemId, EquipLocations location) override
    {
        Record("attach " + std::to_string(itemId) + " " + std::to_string(location));
    }
    void DetachItemAction(uint32_t itemId) override { Record("detach " + std::to_string(itemId)); }
    void DropItem(Item* item, float x, float z) override
    {
        char text[64];
        std::snprintf(text, sizeof(text), "drop %u %g %g", item->GetObjectId(), x, z);
        Record(text);
    }
    void ReleaseTrap() override { Record("release trap"); }
    void SetVisibility(bool visible) override { Record("visible " + std::to_string(visible)); }
    void SetTeam(const Team& team) override
    {
        Record("team " + std::to_string(team.GetTeamMajor()) + " " +
               std::to_string(team.GetTeamMinor()));
    }

    void Record(const std::string& call) { calls.push_back(call); }
    std::vector<std::string> calls;
};

GAME_IMPLEMENT_CLASS(CommandTestCharacter, Character);

class CommandTestController : public ControllerAI {
    GAME_DECLARE_CLASS(CommandTestController)

public:
    void RequestAttack(uint32_t targetId, uint32_t skillId) override
    {
        calls.push_back("attack " + std::to_string(targetId) + " " + std::to_string(skillId));
    }
    void RequestMove(uint32_t id, const WorldVec3& point) override
    {
        calls.push_back("move " + std::to_string(id) + " " +
                        std::to_string(point.GetRegionPosition().x));
    }

    std::vector<std::string> calls;
};

GAME_IMPLEMENT_CLASS(CommandTestController, ControllerAI);

namespace Test {
namespace {

// A command of the class, made as its sender makes it.
template <class Command, class... Args> std::unique_ptr<ActorConfigCommand> Cmd(Args&&... args)
{
    return std::make_unique<Command>(std::forward<Args>(args)...);
}

struct CommandCase {
    const char* name;
    std::unique_ptr<ActorConfigCommand> command;
    std::vector<std::string> trace;
};

constexpr const char* kRecord = "Records/Creatures/Commanded.dbr";

class CharacterConfigCommandsTest : public DeathFixture {
protected:
    void SetUp() override
    {
        DeathFixture::SetUp();
        character = Must(Spawn<CommandTestCharacter>(kRecord, {}));
        controller = GiveController<CommandTestController>(*character);
        character->AddModifierPoints(10);
    }

    // What a command did: the calls heard, the attribute changes, the flags, the log lines.
    std::vector<std::string> Run(const std::function<void()>& run)
    {
        character->calls.clear();
        controller->calls.clear();
        log.Clear();
        character->SetCausesAnger(false);
        character->SetInvincible(false);
        const std::pair<const char*, CharAttributeType> attributes[] = {
            {"strength", CharAttribute_Strength},
            {"life", CharAttribute_Life},
            {"mana", CharAttribute_Mana}};
        CharacterBio& bio = character->GetCharacterBio();
        const uint32_t points = character->GetModifierPoints();
        std::vector<float> before;
        for (const auto& [name, type] : attributes)
            before.push_back(bio.GetBaseCharAttribute(type));
        run();
        bio.Update(*character, 0);
        std::vector<std::string> trace = character->calls;
        trace.insert(trace.end(), controller->calls.begin(), controller->calls.end());
        for (size_t i = 0; i < std::size(attributes); ++i) {
            const float added = bio.GetBaseCharAttribute(attributes[i].second) - before[i];
            if (added != 0.0f)
                trace.push_back(std::string(attributes[i].first) + " +" +
                                std::to_string(static_cast<int>(added)));
        }
        if (character->GetModifierPoints() != points)
            trace.push_back("points -" + std::to_string(points - character->GetModifierPoints()));
        if (character->CausesAnger())
            trace.push_back("causes anger");
        if (character->IsInvincible())
            trace.push_back("invincible");
        for (const LogCapture::Line& line : log.GetLines())
            trace.push_back(line.text);
        return trace;
    }

    // Encoded, decoded and handed to the network shim as a peer's packet would be.
    bool Receive(const ActorConfigCommand& command)
    {
        ConnectionManager wire;
        std::unique_ptr<NetPacket> packet = command.GetNetPacket();
        wire.SendPacket(*packet);
        std::unique_ptr<NetPacket> decoded =
            ConnectionManager::DecodePacket(wire.GetSentPackets().back().bytes);
        return decoded != nullptr && NetworkShim::ReceivePacket(1, *decoded);
    }

    CommandTestCharacter* character = nullptr;
    CommandTestController* controller = nullptr;
};

std::string NoSkill(const char* operation, uint32_t skillId)
{
    return std::string("SkillManager: ") + operation + " of " + kRecord + " names skill " +
           std::to_string(skillId) + ", which it does not hold";
}

TEST_F(CharacterConfigCommandsTest, EachCommandMakesItsCallAndTheRebuiltOneMakesItAgain)
{
    const uint32_t id = character->GetObjectId();
    const WorldVec3 point(1, Vec3(4, 0, 0));
    SkillState state;
    state.skillLevel = 2;
    const CommandCase rows[] = {
        {"attach", Cmd<AttachItemConfigCmd>(id, 999, EquipLocations_Head), {"attach 999 5"}},
        {"detach", Cmd<DetachItemConfigCmd>(id, 999), {"detach 999"}},
        // The skill id is not used: the buff is made from its record, which is missing.
        {"buff",
         Cmd<CreateRemoveSkillBuffConfigCmd>(id, 11, "a.dbr", 1, "b.dbr", 2, "c.dbr", 3, -4, 5),
         {"ObjectManager: record 'a.dbr' could not be loaded"}},
        {"target result",
         Cmd<SkillTargetResultConfigCmd>(id, 7, std::vector<uint32_t>{1, 2}, WorldCoords(), 3, 4,
                                         true, -1),
         {NoSkill("SkillTargetResult", 0)}},
        {"strength", Cmd<IncrementBaseStrengthConfigCmd>(id), {"strength +1", "points -1"}},
        {"life by points", Cmd<IncrementBaseLifeConfigCmd>(id, 0), {"life +1", "points -1"}},
        {"life by amount", Cmd<IncrementBaseLifeConfigCmd>(id, 7), {"life +7"}},
        {"mana by amount", Cmd<IncrementBaseManaConfigCmd>(id, 6), {"mana +6"}},
        {"trap", Cmd<ReleaseTrapConfigCmd>(id), {"release trap"}},
        {"projectile",
         Cmd<CreateProjectileConfigCmd>(id, 1, 2, WorldCoords(), 3, point, 4, 5, 6),
         {NoSkill("CreateProjectile", 0)}},
        {"spawn",
         Cmd<SpawnObjectConfigCmd>(id, 1, WorldCoords(), 2, std::vector<WorldCoords>(2),
                                   std::vector<uint32_t>{8}, 9),
         {NoSkill("SkillSpawnObject", 0)}},
        {"skill state",
         Cmd<SkillStateUpdateConfigCmd>(id, 12, state),
         {NoSkill("SkillStateUpdateCommand", 12)}},
        {"ally attack", Cmd<RequestAllyAttackConfigCmd>(id, 5, 6), {"attack 5 6"}},
        {"ally move", Cmd<RequestAllyMoveConfigCmd>(id, 5, point), {"move 5 4.000000"}},
        {"show", Cmd<ShowCharacterConfigCmd>(id, false), {"visible 0"}},
        {"causes anger", Cmd<SetCausesAngerConfigCmd>(id, true), {"causes anger"}},
        {"invincible", Cmd<SetInvincibleConfigCmd>(id, true), {"invincible"}},
        {"team", Cmd<SetTeamConfigCmd>(id, TeamManager::BuildTeam(3, 1)), {"team 3 1"}},
    };
    for (const CommandCase& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_TRUE(row.command->IsNetworked());
        EXPECT_EQ(Run([&] { row.command->Execute(); }), row.trace);
        EXPECT_EQ(Run([&] { EXPECT_TRUE(Receive(*row.command)); }), row.trace);
    }
}

TEST_F(CharacterConfigCommandsTest, ActorOnlyAndUntestableCallsStillTravel)
{
    // These reach no recorder here: they must still fill their packet and find their actor.
    const uint32_t id = character->GetObjectId();
    const std::unique_ptr<ActorConfigCommand> sent[] = {
        Cmd<ActivateSkillConfigCmd>(id, 1, 2, WorldVec3()),
        Cmd<QuestMoveCompletedConfigCmd>(id),
        Cmd<QuestAnimationCompletedConfigCmd>(id),
        Cmd<DisableTyphonSkillEffectsConfigCmd>(id),
        Cmd<StartStopDamageEffectConfigCmd>(id, true, CombatAttributeType_Fire),
        Cmd<PlaySoundConfigCmd>(id, 0),
        Cmd<ReleasePetConfigCmd>(id, 999),
        Cmd<DropItemConfigCmd>(id, 999, 1.0f, 2.0f),
        Cmd<DropItemFromEquipLocationConfigCmd>(id, 999, EquipLocations_Head, true),
        Cmd<UseItemConfigCmd>(id, 999, true),
        Cmd<UseRelicConfigCmd>(id, 998, 999),
        Cmd<CharPickUpConfigCmd>(id, 999),
        Cmd<RemoveInventoryItemConfigCmd>(id, 999),
    };
    for (const auto& command : sent) {
        SCOPED_TRACE(command->GetNetPacket()->GetType());
        EXPECT_TRUE(command->IsNetworked());
        EXPECT_TRUE(Receive(*command));
    }
}

TEST_F(CharacterConfigCommandsTest, APacketForAMissingActorDoesNothing)
{
    const uint32_t missing = character->GetObjectId() + 1000;
    EXPECT_FALSE(Receive(SetInvincibleConfigCmd(missing, true)));
    EXPECT_FALSE(Receive(IncrementBaseLifeConfigCmd(missing, 5)));
    SetInvincibleConfigCmd(missing, true).Execute();
    EXPECT_FALSE(character->IsInvincible());
}

TEST_F(CharacterConfigCommandsTest, DropsAndRemovalsActOnlyOnHeldItems)
{
    auto* held = New<Item>();
    auto* foreign = New<Item>();
    CommandTestCharacter* other = Must(Spawn<CommandTestCharacter>(kRecord, {}));
    character->GetInventory().AddItemToInventory(held->GetObjectId(), false);
    other->GetInventory().AddItemToInventory(foreign->GetObjectId(), false);
    const uint32_t id = character->GetObjectId();
    const uint32_t heldId = held->GetObjectId();
    const uint32_t foreignId = foreign->GetObjectId();

    EXPECT_EQ(Run([&] { DropItemConfigCmd(id, foreignId, 1.5f, -2.25f).Execute(); }).size(), 1u);
    EXPECT_EQ(log.CountContaining("does not hold item"), 1u);
    char drop[64];
    std::snprintf(drop, sizeof(drop), "drop %u 1.5 -2.25", heldId);
    EXPECT_EQ(Run([&] { EXPECT_TRUE(Receive(DropItemConfigCmd(id, heldId, 1.5f, -2.25f))); }),
              (std::vector<std::string>{drop}));

    // Another character's item id: nothing destroyed, nothing taken.
    RemoveInventoryItemConfigCmd(id, foreignId).Execute();
    EXPECT_EQ(ObjectManager::Instance().GetObject<Item>(foreignId), foreign);
    EXPECT_TRUE(other->HasItem(foreignId));

    RemoveInventoryItemConfigCmd(id, heldId).Execute();
    EXPECT_EQ(ObjectManager::Instance().GetObject(heldId), nullptr);
    EXPECT_FALSE(character->HasItem(heldId));
}

TEST_F(CharacterConfigCommandsTest, OnlyTheActorsOwnPetIsReleased)
{
    Monster* stranger = Must(Spawn("Records/Creatures/Boar.dbr", {}));
    Monster* pet = Must(Spawn("Records/Creatures/Boar.dbr", {}));
    pet->SetLeader(character->GetObjectId());
    for (Monster* monster : {stranger, pet})
        GiveController<ControllerCombat>(*monster);

    ReleasePetConfigCmd(character->GetObjectId(), stranger->GetObjectId()).Execute();
    EXPECT_EQ(stranger->GetLifeState(), LifeState_Alive);
    EXPECT_EQ(log.CountContaining("is not a pet of"), 1u);

    EXPECT_TRUE(Receive(ReleasePetConfigCmd(character->GetObjectId(), pet->GetObjectId())));
    EXPECT_EQ(pet->GetLifeState(), LifeState_Dying);
}

class CharPickUpTest : public CharacterConfigCommandsTest {
protected:
    // Two records: one that a holder may carry once, one it may carry many of.
    Item* Lying(bool single)
    {
        const std::string path = single ? "Records/Items/Charm.dbr" : "Records/Items/Pebble.dbr";
        database.WriteFile(path, std::string("Class = Item\ncannotPickUpMultiple = ") +
                                     (single ? "1" : "0") + "\n");
        auto* item = ObjectManager::Instance().CreateObjectFromFile<Item>(path);
        gEngine->GetWorld()->AddEntity(item, kPlace, false);
        return item;
    }
};

TEST_F(CharPickUpTest, ASecondSingleCopyStaysInTheWorldAndANonPlayerOnlySetsTheFlag)
{
    auto* player = Must(Spawn<ReceivingPlayer>("Records/Creatures/Picker.dbr", {}));
    Item* first = Lying(true);
    CharPickUpConfigCmd(player->GetObjectId(), first->GetObjectId()).Execute();
    EXPECT_EQ(player->given, (std::vector<uint32_t>{first->GetObjectId()}));
    EXPECT_FALSE(first->IsInWorld());

    Item* second = Lying(true);
    EXPECT_TRUE(Receive(CharPickUpConfigCmd(player->GetObjectId(), second->GetObjectId())));
    EXPECT_EQ(player->given.size(), 1u);
    EXPECT_TRUE(second->IsInWorld());

    Item* many = Lying(false);
    CharPickUpConfigCmd(player->GetObjectId(), many->GetObjectId()).Execute();
    EXPECT_EQ(player->given.size(), 2u);

    Item* forMonster = Lying(false);
    CharPickUpConfigCmd(character->GetObjectId(), forMonster->GetObjectId()).Execute();
    EXPECT_TRUE(forMonster->IsInWorld());
    EXPECT_TRUE(forMonster->IsPickupOk());
}

TEST_F(CharPickUpTest, AnItemNotLyingInTheWorldIsNotTaken)
{
    auto* player = Must(Spawn<ReceivingPlayer>("Records/Creatures/Picker.dbr", {}));
    Item* held = Lying(false);
    gEngine->GetWorld()->RemoveEntity(held);
    CharPickUpConfigCmd(player->GetObjectId(), held->GetObjectId()).Execute();
    EXPECT_TRUE(player->given.empty());
    EXPECT_EQ(log.Count(2, "CharPickUpConfigCmd: item " + std::to_string(held->GetObjectId()) +
                               " for Records/Creatures/Picker.dbr does not lie in the world"),
              1u);
}

} // namespace
} // namespace Test
} // namespace GAME
