#include "multiplayer/BonusPackets.h"
#include "multiplayer/CharacterActionPackets.h"
#include "multiplayer/ConfigCmdPackets.h"
#include "multiplayer/EngineNetPackets.h"
#include "multiplayer/EntityPackets.h"
#include "multiplayer/GameEnginePackets.h"
#include "multiplayer/TradePackets.h"

#include "characters/AnimationSet.h"
#include "characters/AttackAction.h"
#include "characters/ChatAction.h"
#include "characters/DieAction.h"
#include "characters/EngageNpcAction.h"
#include "characters/IdleAction.h"
#include "characters/ImmobilizeAction.h"
#include "characters/LongIdleAction.h"
#include "characters/MoveToAction.h"
#include "characters/PickUpAction.h"
#include "characters/PlayAnimationAction.h"
#include "characters/RespawnAction.h"
#include "characters/SpawnAction.h"
#include "characters/TakeStunAction.h"
#include "characters/TakeTrapAction.h"
#include "characters/UseAction.h"
#include "characters/WalkAction.h"
#include "engine/ConnectionManager.h"
#include "engine/Coords.h"
#include "engine/Engine.h"
#include "engine/NetPacketDescriber.h"
#include "tests/multiplayer/WireBytes.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/PacketBody.h"
#include "tests/support/PacketBytes.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

// Every class's number, registration and round trip are checked over the whole catalogue; these
// pin the layouts and the refusals.
namespace GAME {
namespace {

using Test::DecodeAs;
using Test::EncodePacket;
using Test::ReadBody;
using Test::WireBytes;

const WorldVec3 kA(1, Vec3(1.0f, 2.0f, 3.0f));
const WorldVec3 kB(2, Vec3(-4.0f, 0.5f, 8.0f));

class PacketRefusals : public GAME::Test::EngineFixture {};

size_t CountLines(const std::string& text, const std::string& label)
{
    size_t count = 0;
    for (size_t at = text.find(label); at != std::string::npos; at = text.find(label, at + 1))
        ++count;
    return count;
}

TEST(EngineNetPackets, ServerSpawnCompleteIsItsHeaderAlone)
{
    ServerSpawnCompletePacket packet;
    EXPECT_EQ(EncodePacket(packet), (std::vector<uint8_t>{34, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(EngineNetPackets, AcksAndNacksListTheirIdsCountFirst)
{
    AckEntityPacket ack;
    ack.entityIds = {5, 6};
    const std::vector<uint8_t> bytes = EncodePacket(ack);
    EXPECT_EQ(bytes,
              (std::vector<uint8_t>{35, 0, 0, 0, 12, 0, 0, 0, 2, 0, 0, 0, 5, 0, 0, 0, 6, 0, 0, 0}));

    NackEntityPacket nack;
    nack.entityIds = {5, 6};
    std::vector<uint8_t> nackBytes = EncodePacket(nack);
    EXPECT_EQ(nackBytes[0], 36);
    nackBytes[0] = 35;
    EXPECT_EQ(nackBytes, bytes);
}

TEST_F(PacketRefusals, AnAckCountBeyondItsBytesFailsBeforeAllocating)
{
    const std::vector<uint8_t> bytes = WireBytes().Word(0x40000000).Word(5).Word(6).Packet(35);
    EXPECT_EQ(ConnectionManager::DecodePacket(bytes), nullptr);
    EXPECT_EQ(log.Count(Engine::LogRuntime, "ConnectionManager: packet 35 does not read back"), 1u);

    AckEntityPacket ack;
    ReadBody(ack, bytes);
    EXPECT_FALSE(ack.IsInboundComplete());
    EXPECT_EQ(ack.entityIds.capacity(), 0u);
}

// Each list has its own count; the description pairs them only as far as both go.
TEST(EngineNetPackets, PositionsPairWithIdsOnlyAsFarAsTheShorterListGoes)
{
    PlayerPositionUpdatePacket packet;
    packet.playerIds = {0x10000001, 0x20000001};
    packet.positions = {kA, kB, kA};
    WireBytes bytes;
    bytes.Word(2).Word(0x10000001).Word(0x20000001).Word(3).Position(kA).Position(kB).Position(kA);
    EXPECT_EQ(EncodePacket(packet), bytes.Packet(28));
    packet.playerIds = {1, 2, 3};
    packet.positions = {kA, kB};
    EXPECT_EQ(CountLines(packet.GetPacketDescription(false), "Player Position: "), 2u);
}

TEST(FixedItemConfigCmdPackets, StateChangeCarriesStateTargetOrNoneAndTheSoundFlag)
{
    FixedItemStateChangeConfigCmdPacket packet;
    packet.actorId = 0x42;
    packet.state = 3;
    packet.doSound = true;
    EXPECT_EQ(EncodePacket(packet), WireBytes().Word(0x42).Word(3).Word(0).Bool(true).Packet(102));
}

TEST(FixedItemConfigCmdPackets, TargetAndSkillTargetDifferOnlyInTheirType)
{
    FixedItemTargetConfigCmdPacket target;
    FixedItemSkillTargetConfigCmdPacket skill;
    target.actorId = skill.actorId = 0x42;
    target.primaryTarget = skill.primaryTarget = 0x10000007;
    target.targets = skill.targets = {8, 9};
    const std::vector<uint8_t> bytes = EncodePacket(target);
    EXPECT_EQ(bytes, WireBytes().Word(0x42).Word(0x10000007).Word(2).Word(8).Word(9).Packet(103));
    std::vector<uint8_t> skillBytes = EncodePacket(skill);
    EXPECT_EQ(skillBytes[0], 104);
    skillBytes[0] = 103;
    EXPECT_EQ(skillBytes, bytes);
}

// Sent through the engine's connection manager, as GameEngine sends it.
void ExpectWire(NetPacket& packet, const std::vector<uint8_t>& bytes)
{
    ConnectionManager& network = gEngine->GetNetworkConnectionManager();
    network.ClearSentPackets();
    network.SendPacket(packet);
    const std::vector<ConnectionManager::SentPacket> sent = network.TakeSentPackets();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].bytes, bytes);
}

TEST(GameEnginePackets, PartyAnswerLoaderStateAndRespawnKeepTheirFields)
{
    PartyRequestResponsePacket p;
    p.recipient = 5;
    p.sender = 0x10000003;
    p.accepted = true;
    ExpectWire(p, {29, 0, 0, 0, 9, 0, 0, 0, //
                   5, 0, 0, 0, 1, 3, 0, 0, 0x10});

    NRLoaderStatePacket loader;
    loader.playerId = 7;
    loader.state = -1;
    ExpectWire(loader, {47, 0, 0, 0, 8, 0, 0, 0, //
                        7, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF});

    StartServerRespawnPacket respawn;
    respawn.playerId = 3;
    respawn.location = WorldVec3(12, Vec3(1.0f, 0.0f, -0.5f));
    ExpectWire(respawn, {48, 0, 0,    0,    20, 0, 0, 0, //
                         3,  0, 0,    0,    12, 0, 0, 0, //
                         0,  0, 0x80, 0x3F, 0,  0, 0, 0, //
                         0,  0, 0,    0xBF});
}

TEST(GameEnginePackets, TeleportCarriesThePlayerAndThreeFloats)
{
    StartTeleportPacket p;
    p.playerId = 0x20000001;
    p.x = 1.5f;
    p.y = -2.0f;
    p.z = 100.25f;
    ExpectWire(p, {46, 0, 0, 0,    16, 0,    0,    0,    //
                   1,  0, 0, 0x20, 0,  0,    0xC0, 0x3F, //
                   0,  0, 0, 0xC0, 0,  0x80, 0xC8, 0x42});
}

TEST(TradeAddItemPacket, TheItemReadsBackWholeAndItsPositionBitForBit)
{
    TradeAddItemPacket packet;
    packet.sender = 0x10000001;
    packet.receiver = 0x20000001;
    ItemReplicaInfo& item = packet.item;
    item.id = 0x00000321;
    item.baseName = "Records/Items/Swords/Falchion.dbr";
    item.prefixName = "Records/Items/Prefix/Sharp.dbr";
    item.suffixName = "Records/Items/Suffix/OfTheBear.dbr";
    item.relicName = "Records/Items/Relics/Ember.dbr";
    item.relicBonus = "Records/Items/Relics/EmberBonus.dbr";
    item.seed = 0xCAFE;
    item.var1 = 7;
    packet.position = Vec2(-0.0f, std::numeric_limits<float>::quiet_NaN());
    WireBytes bytes;
    bytes.Word(0x10000001).Word(0x20000001).Float(-0.0f).Float(packet.position.y);
    bytes.Text(item.baseName).Word(item.id).Text(item.prefixName).Text(item.suffixName);
    bytes.Text(item.relicName).Text(item.relicBonus).Word(item.seed).Word(item.var1);
    EXPECT_EQ(EncodePacket(packet), bytes.Packet(41));
}

TEST_F(PacketRefusals, ATradeItemWhoseNameLengthLiesIsRefused)
{
    const std::vector<uint8_t> bytes =
        WireBytes().Word(1).Word(2).Float(0.0f).Float(0.0f).Word(0x7FFFFFF0).Packet(41);
    EXPECT_EQ(ConnectionManager::DecodePacket(bytes), nullptr);
    EXPECT_EQ(log.Count(Engine::LogRuntime, "ConnectionManager: packet 41 does not read back"), 1u);
}

TEST(CreateItemPacket, AnItemWithoutAffixesOrRelicCarriesEmptyNamesInTheirPlaces)
{
    CreateItemPacket packet;
    packet.characterId = 0x10000001;
    packet.coords = GAME::Test::kCoords;
    packet.item.id = 0x55;
    packet.item.baseName = "Records/Items/Potions/Health.dbr";
    packet.item.seed = 99;
    packet.item.var1 = 2;
    WireBytes bytes;
    bytes.Word(0x10000001).Place(GAME::Test::kCoords).Word(0x55).Text(packet.item.baseName);
    bytes.Text("").Text("").Text("").Text("").Word(99).Word(2);
    EXPECT_EQ(EncodePacket(packet), bytes.Packet(32));
}

TEST(ConfigCmdPackets, AnActorAloneOrWithAFlagOfOneByte)
{
    ReleaseStunConfigCmdPacket p;
    p.actorId = 0x01020304;
    EXPECT_EQ(EncodePacket(p), WireBytes().Word(0x01020304).Packet(95));
    SetInvincibleConfigCmdPacket invincible;
    invincible.actorId = 4;
    invincible.invincible = true;
    EXPECT_EQ(EncodePacket(invincible), WireBytes().Word(4).Bool(true).Packet(125));
}

TEST(ConfigCmdPackets, DropItemCarriesXAndZBitForBit)
{
    DropItemConfigCmdPacket p;
    p.actorId = 2;
    p.itemId = 9;
    p.x = -0.0f;
    p.z = std::bit_cast<float>(0x7FC01234u); // a NaN with a payload
    const std::vector<uint8_t> bytes = EncodePacket(p);
    EXPECT_EQ(bytes, WireBytes().Word(2).Word(9).Word(0x80000000).Word(0x7FC01234).Packet(82));
    const auto back = DecodeAs<DropItemConfigCmdPacket>(bytes);
    ASSERT_NE(back, nullptr);
    EXPECT_TRUE(std::signbit(back->x));
    EXPECT_EQ(back->x, 0.0f);
    EXPECT_EQ(std::bit_cast<uint32_t>(back->z), 0x7FC01234u);
}

TEST(ConfigCmdPackets, SpawnObjectWithEmptyListsWritesTwoZeroCounts)
{
    SpawnObjectConfigCmdPacket p;
    p.actorId = 1;
    p.skillNumber = 4;
    p.targetId = 6;
    p.lastValue = 0xAB;
    EXPECT_EQ(
        EncodePacket(p),
        WireBytes().Word(1).Word(4).Place(p.origin).Word(6).Word(0).Word(0).Word(0xAB).Packet(98));
}

TEST(ConfigCmdPackets, ASpawnObjectIdCountBeyondTheBytesIsRefused)
{
    SpawnObjectConfigCmdPacket p;
    p.actorId = 1;
    p.spawnCoords = {WorldCoords(), WorldCoords()};
    p.spawnIds = {70, 71};
    std::vector<uint8_t> bytes = EncodePacket(p);
    // The id count, just after the two coords, claims a million ids.
    const size_t idCount = 8 + 4 + 4 + 52 + 4 + 4 + 2 * 52;
    bytes[idCount + 2] = 0x0F;
    EXPECT_EQ(ConnectionManager::DecodePacket(bytes), nullptr);
}

TEST(ConfigCmdPackets, SkillTargetResultWritesItsTargetsLast)
{
    SkillTargetResultConfigCmdPacket p;
    p.actorId = 3;
    p.skillNumber = 1;
    p.seed = 2;
    p.weaponId = 5;
    p.useWeapon = true;
    p.hitIteration = -1;
    p.targets = {11, 12};
    WireBytes fields;
    fields.Word(3).Word(1).Word(2).Word(5).Bool(true).Place(p.origin);
    EXPECT_EQ(EncodePacket(p), fields.Word(0xFFFFFFFF).Word(2).Word(11).Word(12).Packet(88));

    p.targets.clear(); // none: a count of 0, still last
    const std::vector<uint8_t> none = EncodePacket(p);
    EXPECT_EQ(std::vector<uint8_t>(none.end() - 8, none.end()),
              (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0}));
}

TEST(ConfigCmdPackets, SetTeamWritesTheFlagAsZeroOrOneAndReadsAnyNonZeroByte)
{
    SetTeamConfigCmdPacket p;
    p.actorId = 8;
    p.team.Set(3, 0x0201);
    std::vector<uint8_t> bytes = EncodePacket(p);
    ASSERT_EQ(bytes.size(), 8u + 4 + 12);
    const size_t team = 12;
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + team, bytes.end()),
              (std::vector<uint8_t>{3, 0, 0, 0, 1, 2, 0, 0, 1, 0, 0, 0}));

    p.team = Team();
    EXPECT_EQ(EncodePacket(p)[team + 8], 0);

    bytes[team + 8] = 2;
    const auto back = DecodeAs<SetTeamConfigCmdPacket>(bytes);
    ASSERT_NE(back, nullptr);
    EXPECT_TRUE(back->team.IsInitialized());
    EXPECT_EQ(back->team.GetTeamMajor(), 3u);
    EXPECT_EQ(back->team.GetTeamMinor(), 0x0201u);
    EXPECT_EQ(EncodePacket(*back)[team + 8], 1);
}

TEST(ConfigCmdPackets, SkillStatesTravelAsEightBytes)
{
    SkillStateUpdateConfigCmdPacket s;
    s.actorId = 1;
    s.skillNumber = 2;
    s.state.skillLevel = 0xFFFFFFFF;
    s.state.enabled = true;
    std::vector<uint8_t> bytes = EncodePacket(s);
    EXPECT_EQ(bytes, WireBytes().Word(1).Word(2).Word(0xFFFFFFFF).Word(1).Packet(99));
    bytes[8 + 12] = 0x80;
    const auto backState = DecodeAs<SkillStateUpdateConfigCmdPacket>(bytes);
    ASSERT_NE(backState, nullptr);
    EXPECT_TRUE(backState->state.enabled);

    SkillActiveStateUpdateConfigCmdPacket a;
    a.actorId = 1;
    a.skillNumber = 2;
    a.state = SkillActiveState(-3, false, true);
    bytes = EncodePacket(a);
    EXPECT_EQ(bytes, WireBytes().Word(1).Word(2).Word(0xFFFFFFFD).Word(0x100).Packet(100));
}

// The effect name never travels: an assigned packet keeps its own.
TEST(BonusPackets, AssignmentTakesEveryFieldButTheEffectName)
{
    BonusToServerPacket from;
    from.bonus.experiencePoints = 9;
    from.bonus.effectName = "Fx/B";
    from.activePlayerId = 11;
    BonusToServerPacket to;
    to.bonus.effectName = "Fx/A";
    to = from;
    EXPECT_EQ(to.bonus.effectName, "Fx/A");
    EXPECT_EQ(EncodePacket(to), EncodePacket(from));
}

const WorldVec3 kFrom(1, Vec3(1.0f, 0.0f, 2.0f));
const WorldVec3 kTo(1, Vec3(4.0f, 0.0f, -5.0f));
const WorldVec3 kPreMovePoint(2, Vec3(0.5f, 0.0f, 0.25f));

// Owner 7, unless told otherwise a pre-move to kPreMovePoint (target 9, skill 3, value 1.5),
// then the packet's own fields.
template <typename Packet, typename Fill> Packet Filled(Fill fill, bool preMove = true)
{
    Packet packet;
    packet.ownerId = 7;
    if (preMove) {
        packet.hasPreMoveData = true;
        packet.preMovePoint = kPreMovePoint;
        packet.preMoveTargetId = 9;
        packet.preMoveSkillId = 3;
        packet.preMoveValue = 1.5f;
    }
    fill(packet);
    return packet;
}

WireBytes PreMove(WireBytes bytes)
{
    return bytes.Bool(true).Position(kPreMovePoint).Word(9).Word(3).Float(1.5f);
}

WireBytes NoPreMove(WireBytes bytes)
{
    return bytes.Bool(false).Position(WorldVec3()).Word(0).Word(0).Float(0.0f);
}

// The packet travels, decodes to its own class, and the action rebuilt from it sends exactly
// the same bytes again.
template <typename Action, typename Packet> void ExpectRebuilt(Packet original)
{
    SCOPED_TRACE(NetPacketDescriber::GetClassName(original));
    const std::vector<uint8_t> bytes = EncodePacket(original);
    const std::unique_ptr<NetPacket> decoded = ConnectionManager::DecodePacket(bytes);
    const auto* typed = dynamic_cast<const Packet*>(decoded.get());
    ASSERT_NE(typed, nullptr);
    const Action rebuilt(*typed);
    const std::unique_ptr<NetPacket> again = rebuilt.GetNetPacket();
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(EncodePacket(*again), bytes);
}

void FillAttack(AttackPacket& p)
{
    p.defenderId = 9;
    p.skillNumber = 3;
    p.seed = 42;
    p.targetLocation = kTo;
}

void FillPlay(PlayAnimationActionPacket& p)
{
    p.animationType = AnimationSet_Chat;
    p.speedModifier = 0.5f;
    p.loop = true;
    p.iteration = 2;
}

class CharacterActionPackets : public GAME::Test::EngineFixture {};

TEST_F(CharacterActionPackets, OwnFieldsInOrderThenThePreMoveBlock)
{
    TakeStunPacket stun;
    stun.ownerId = 5;
    std::vector<uint8_t> expected = {70, 0, 0, 0, 33, 0, 0, 0, 5, 0, 0, 0};
    expected.resize(expected.size() + 29, 0);
    EXPECT_EQ(EncodePacket(stun), expected);

    // The attacker's own position, then the skill, the seed (the action's last value) and the
    // point attacked.
    AttackPacket attack = Filled<AttackPacket>(FillAttack);
    attack.location = kFrom;
    EXPECT_EQ(EncodePacket(attack),
              PreMove(WireBytes().Word(7).Word(9).Position(kFrom).Word(3).Word(42).Position(kTo))
                  .Packet(69));

    DiePacket die = Filled<DiePacket>([](DiePacket& p) { p.deathHandlerIds = {11, 12}; }, false);
    EXPECT_EQ(EncodePacket(die),
              NoPreMove(WireBytes().Word(7).Word(2).Word(11).Word(12)).Packet(73));

    // The name travels as four words.
    PlayAnimationActionPacket play = Filled<PlayAnimationActionPacket>(FillPlay);
    WireBytes playBytes;
    playBytes.Word(7).Word(9).Word(0).Word(0).Word(0).Word(0).Float(0.5f).Bool(true).Word(2);
    EXPECT_EQ(EncodePacket(play), PreMove(playBytes).Packet(75));
}

TEST_F(CharacterActionPackets, ActionsFillThePreMoveBlockOnlyWhenTheyHaveOne)
{
    IdleAction idle(7);
    const WireBytes own = WireBytes().Word(7).Position(WorldVec3());
    EXPECT_EQ(EncodePacket(*idle.GetNetPacket()), NoPreMove(own).Packet(63));
    idle.SetPreMoveData(kPreMovePoint, 9, 3, 1.5f);
    EXPECT_EQ(EncodePacket(*idle.GetNetPacket()), PreMove(own).Packet(63));

    // The animation's name stays behind.
    PlayAnimationAction play(7, AnimationSet_Chat, Name::Create("Wave"), 1.0f, false, 0);
    const std::unique_ptr<NetPacket> playPacket = play.GetNetPacket();
    EXPECT_EQ(dynamic_cast<const PlayAnimationActionPacket&>(*playPacket).animationName,
              Name::noName);
}

// No owner exists here, so the owner's position travels empty.
TEST_F(CharacterActionPackets, EveryPacketRebuildsItsActionWhichSendsTheSameBytes)
{
    const auto none = [](auto&) {};
    const auto fillMove = [](auto& p) {
        p.targetId = 9;
        p.startLocation = kFrom;
        p.worldLocation = kTo;
    };
    ExpectRebuilt<IdleAction>(Filled<IdleActionPacket>(none));
    ExpectRebuilt<LongIdleAction>(Filled<LongIdleActionPacket>(none));
    ExpectRebuilt<MoveToAction>(Filled<MoveToPacket>([&](MoveToPacket& p) {
        fillMove(p);
        p.skillNumber = 3;
        p.speed = 2.5f; // the action's value
    }));
    ExpectRebuilt<WalkAction>(Filled<WalkPacket>(fillMove));
    ExpectRebuilt<PickUpAction>(Filled<PickUpItemPacket>([](auto& p) { p.itemId = 12; }));
    ExpectRebuilt<UseAction>(Filled<UseItemPacket>([](auto& p) { p.itemId = 13; }));
    ExpectRebuilt<AttackAction>(Filled<AttackPacket>(FillAttack));
    // These three carry their character and nothing else, not even a pre-move.
    ExpectRebuilt<TakeStunAction>(Filled<TakeStunPacket>(none, false));
    ExpectRebuilt<ImmobilizeAction>(Filled<ImmobilizePacket>(none, false));
    ExpectRebuilt<TakeTrapAction>(Filled<TakeTrapPacket>(none, false));
    ExpectRebuilt<DieAction>(Filled<DiePacket>([](auto& p) { p.deathHandlerIds = {11, 12}; }));
    ExpectRebuilt<ChatAction>(Filled<ChatActionPacket>([](auto& p) { p.targetId = 9; }));
    ExpectRebuilt<PlayAnimationAction>(Filled<PlayAnimationActionPacket>(FillPlay));
    ExpectRebuilt<EngageNpcAction>(Filled<EngageNpcPacket>([](auto& p) { p.targetId = 9; }));
    ExpectRebuilt<SpawnAction>(Filled<SpawnActionPacket>(none));
    ExpectRebuilt<RespawnAction>(Filled<RespawnPacket>([](RespawnPacket& p) {
        p.respawnCoords = WorldCoords(1, Coords::FromTranslation(Vec3(3.0f, 0.0f, 4.0f)));
    }));
}

// A count beyond what is left and a bool that is neither 0 nor 1 are refused whole.
TEST_F(CharacterActionPackets, HostileMessagesAreRefused)
{
    const WireBytes tooMany = WireBytes().Word(5).Word(1000).Word(11);
    EXPECT_EQ(ConnectionManager::DecodePacket(NoPreMove(tooMany).Packet(73)), nullptr);

    std::vector<uint8_t> flagOfTwo = NoPreMove(WireBytes().Word(5)).Packet(77);
    flagOfTwo[12] = 2;
    EXPECT_EQ(ConnectionManager::DecodePacket(flagOfTwo), nullptr);
    EXPECT_EQ(log.CountContaining("does not read back"), 2u);
}

} // namespace
} // namespace GAME
