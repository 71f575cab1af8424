#include "multiplayer/CharacterActionPackets.h"

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
#include "engine/NetPacketDescriber.h"

#include "tests/multiplayer/WireBytes.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/PacketBytes.h"

#include <gtest/gtest.h>

namespace GAME {
namespace {

using GAME::Test::WireBytes;

const WorldVec3 kFrom(1, Vec3(1.0f, 0.0f, 2.0f));
const WorldVec3 kTo(1, Vec3(4.0f, 0.0f, -5.0f));
const WorldVec3 kPreMovePoint(2, Vec3(0.5f, 0.0f, 0.25f));

const auto Encode = &Test::EncodePacket;

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

WireBytes& PreMove(WireBytes& bytes)
{
    return bytes.Bool(true).Position(kPreMovePoint).Word(9).Word(3).Float(1.5f);
}

WireBytes& NoPreMove(WireBytes& bytes)
{
    return bytes.Bool(false).Position(WorldVec3()).Word(0).Word(0).Float(0.0f);
}

// The packet travels, decodes to its own class, and the action rebuilt from it sends exactly
// the same bytes again.
template <typename Action, typename Packet> void ExpectRebuilt(Packet original)
{
    SCOPED_TRACE(NetPacketDescriber::GetClassName(original));
    const std::vector<uint8_t> bytes = Encode(original);
    const std::unique_ptr<NetPacket> decoded = ConnectionManager::DecodePacket(bytes);
    const auto* typed = dynamic_cast<const Packet*>(decoded.get());
    ASSERT_NE(typed, nullptr);
    const Action rebuilt(*typed);
    const std::unique_ptr<NetPacket> again = rebuilt.GetNetPacket();
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(Encode(*again), bytes);
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
    EXPECT_EQ(Encode(stun), expected);

    // The attacker's own position, then the skill, the seed (the action's last value) and the
    // point attacked.
    AttackPacket attack = Filled<AttackPacket>(FillAttack);
    attack.location = kFrom;
    WireBytes attackBytes;
    attackBytes.Word(7).Word(9).Position(kFrom).Word(3).Word(42).Position(kTo);
    EXPECT_EQ(Encode(attack), PreMove(attackBytes).Packet(69));

    DiePacket die = Filled<DiePacket>([](DiePacket& p) { p.deathHandlerIds = {11, 12}; }, false);
    WireBytes dieBytes;
    dieBytes.Word(7).Word(2).Word(11).Word(12);
    EXPECT_EQ(Encode(die), NoPreMove(dieBytes).Packet(73));

    // The name travels as four words.
    PlayAnimationActionPacket play = Filled<PlayAnimationActionPacket>(FillPlay);
    WireBytes playBytes;
    playBytes.Word(7).Word(9).Word(0).Word(0).Word(0).Word(0).Float(0.5f).Bool(true).Word(2);
    EXPECT_EQ(Encode(play), PreMove(playBytes).Packet(75));
}

TEST_F(CharacterActionPackets, ActionsFillThePreMoveBlockOnlyWhenTheyHaveOne)
{
    IdleAction idle(7);
    WireBytes plainBytes;
    plainBytes.Word(7).Position(WorldVec3());
    EXPECT_EQ(Encode(*idle.GetNetPacket()), NoPreMove(plainBytes).Packet(63));
    idle.SetPreMoveData(kPreMovePoint, 9, 3, 1.5f);
    WireBytes moveBytes;
    moveBytes.Word(7).Position(WorldVec3());
    EXPECT_EQ(Encode(*idle.GetNetPacket()), PreMove(moveBytes).Packet(63));

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
    WireBytes tooMany;
    tooMany.Word(5).Word(1000).Word(11);
    EXPECT_EQ(ConnectionManager::DecodePacket(NoPreMove(tooMany).Packet(73)), nullptr);

    WireBytes badFlag;
    badFlag.Word(5).Bool(false).Position(WorldVec3()).Word(0).Word(0).Float(0.0f);
    std::vector<uint8_t> flagOfTwo = badFlag.Packet(77);
    flagOfTwo[12] = 2;
    EXPECT_EQ(ConnectionManager::DecodePacket(flagOfTwo), nullptr);
    EXPECT_EQ(log.CountContaining("does not read back"), 2u);
}

} // namespace
} // namespace GAME
