// Hostile network messages: decoding through the packet registry never crashes, no allocation
// outgrows what the input could hold, and whatever decodes re-encodes into a message that
// decodes again to the same bytes. The messages then reach live games (see the routes below);
// skill commands reach theirs in net_skill_fuzz, trades and markets in net_trade_fuzz.
#include "characters/Player.h"
#include "characters/PlayerReplicationRecord.h"
#include "engine/ConnectionManager.h"
#include "engine/Engine.h"
#include "engine/FilterFunction.h"
#include "engine/Name.h"
#include "engine/NetPacket.h"
#include "engine/NetPacketDescriber.h"
#include "engine/NetPacketInBuffer.h"
#include "engine/NetPacketOutBuffer.h"
#include "engine/NetworkShim.h"
#include "engine/ObjectManager.h"
#include "engine/SmartObjectId.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "fuzz/AllocationWatch.h"
#include "fuzz/NetScene.h"
#include "game/ActivityManager.h"
#include "game/GameEngine.h"
#include "items/ItemReplicaInfo.h"
#include "multiplayer/ConfigCmdPackets.h"
#include "multiplayer/EntityPackets.h"
#include "multiplayer/GameEngineNetworkInterface.h"
#include "multiplayer/GameEngineOutboundInterface.h"
#include "multiplayer/InboundPacketDispatcher.h"
#include "world/FixedItem.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace GAME;

// No game packet carries a coords list; this one gives that reader, with the others, to the
// fuzzer too.
class VariableFieldsPacket : public NetPacket {
public:
    VariableFieldsPacket() : NetPacket(255) {}

    uint32_t PrepareOutBuffer() override
    {
        NetPacketOutBuffer out(*this);
        out.Add(flag);
        out.Add(id);
        out.Add(text);
        out.Add(wide);
        out.AddUIntVector(words);
        out.Add(position);
        out.AddWorldCoordsVector(coordsList);
        out.AddRaw(name);
        return out.Done();
    }

    void CopyInbound(const uint8_t* data, int length) override
    {
        NetPacketInBuffer in(*this, data, length);
        in.Remove(flag);
        in.Remove(id);
        in.Remove(text);
        in.Remove(wide);
        in.RemoveUIntVector(words);
        in.Remove(position);
        in.RemoveWorldCoordsVector(coordsList);
        in.RemoveRaw(name);
    }

    std::string GetPacketDescription(bool withType) const override
    {
        NetPacketDescriber describer(*this, withType);
        describer.Describe("Text: ", text, 0);
        describer.Describe("Wide: ", wide, 0);
        describer.Describe("Position: ", position, 0);
        for (const WorldCoords& coords : coordsList)
            describer.Describe("Coords: ", coords, 1);
        return describer.GetDescription();
    }

    bool flag = false;
    SmartObjectId id;
    std::string text;
    std::wstring wide;
    std::vector<uint32_t> words;
    WorldVec3 position;
    std::vector<WorldCoords> coordsList;
    Name name;
};

std::vector<uint8_t> Encode(NetPacket& packet)
{
    const uint32_t size = packet.PrepareOutBuffer();
    return std::vector<uint8_t>(packet.GetOutBuffer(), packet.GetOutBuffer() + size);
}

void Check(const uint8_t* data, size_t size)
{
    // The widest growth a reader truly needs: an empty record name in a list is a 4-byte count
    // on the wire and a whole std::string in memory, 32 bytes here. Player records grow less
    // than 3 times, wide strings 2, and lists make room for no more elements than their count.
    const size_t limit = sizeof(std::string) / 4 * size + 4096;
    AllocationWatch::Start();
    std::unique_ptr<NetPacket> packet = ConnectionManager::DecodePacket(data, size);
    if (AllocationWatch::Stop() > limit)
        abort();
    if (packet == nullptr)
        return;
    packet->GetPacketDescription(true);
    const std::vector<uint8_t> first = Encode(*packet);
    std::unique_ptr<NetPacket> again = ConnectionManager::DecodePacket(first);
    if (again == nullptr || again->GetType() != packet->GetType() || Encode(*again) != first)
        abort();
}

// A spawned player's record, as the receiver reads it out of the container packet: reading is
// bounded, and what reads re-encodes into bytes that read again.
void CheckPlayerRecord(const uint8_t* data, size_t size)
{
    const size_t limit = sizeof(std::string) / 4 * size + 4096;
    VariableFieldsPacket carrier;
    PlayerReplicationRecord record;
    AllocationWatch::Start();
    bool read = false;
    {
        NetPacketInBuffer in(carrier, data, static_cast<int>(size));
        read = record.Read(in);
    }
    if (AllocationWatch::Stop() > limit)
        abort();
    if (!read)
        return;
    NetPacketOutBuffer out(carrier);
    record.Write(out);
    out.Done();
    PlayerReplicationRecord again;
    NetPacketInBuffer in(carrier, carrier.GetOutBuffer() + NetPacketHeader::kSize,
                         static_cast<int>(carrier.GetOutBufferSize() - NetPacketHeader::kSize));
    if (!again.Read(in))
        abort();
}

// A received packet reaches the game as the host hands it over: the engine's own messages to
// its inbound operations, the rest to the inbound interface. No player lives in this world, so
// whatever the ids say, nothing may be installed for them.
void RouteIntoEngine(NetPacket& packet, int role)
{
    const NetScene scene(role);
    const uint32_t lastActivity = ActivityManager::Get().GetLastId();
    if (!NetworkShim::ReceivePacket(0, packet)) {
        if (GameEngineNetworkInterface* inbound = gGameEngine->GetInboundNetworkInterface())
            InboundPacketDispatcher::Dispatch(packet, *inbound);
    }
    gGameEngine->Update(33);
    if (ActivityManager::Get().GetLastId() != lastActivity)
        abort();
}

// The travel and portal messages, in each role.
void RouteTravel(const uint8_t* data, size_t size)
{
    std::unique_ptr<NetPacket> packet = ConnectionManager::DecodePacket(data, size);
    if (packet == nullptr)
        return;
    const uint32_t type = packet->GetType();
    if (type != 44 && type != 45 && type != 46 && type != 47 && type != 48)
        return;
    for (int role = 0; role < 3; ++role)
        RouteIntoEngine(*packet, role);
}

constexpr const char* kDropRecord = "Records/Fuzz/Drop.dbr";
constexpr const char* kDropText =
    "Class = OneShot_PotionHealth\nbitmap = drop.tex\nbonusLifePoints = 5\n";

// Item creation and gold reach a live inbound interface: the packet's own record and one the
// database holds, dropped into the world, given to the player, or to nobody the ids name; gold
// given and taken whatever the amount. Nothing may outlive the message.
void RouteItemCommand(const uint8_t* data, size_t size)
{
    std::unique_ptr<NetPacket> packet = ConnectionManager::DecodePacket(data, size);
    if (packet == nullptr || (packet->GetType() != 32 && packet->GetType() != 112))
        return;
    const NetScene scene;
    ObjectManager& objects = ObjectManager::Instance();
    auto* player = static_cast<Player*>(objects.CreateObject("Player"));
    const uint32_t playerId = player->GetObjectId();
    GameEngineNetworkInterface& inbound = *gGameEngine->GetInboundNetworkInterface();
    if (auto* create = dynamic_cast<CreateItemPacket*>(packet.get())) {
        ItemReplicaInfo info = create->item;
        std::wstring name;
        for (const uint32_t character : {create->characterId, 0u, playerId}) {
            inbound.CreateItem(character, create->coords, info, &name);
            info.baseName = kDropRecord;
            info.id = 0;
        }
    } else if (auto* gold = dynamic_cast<GiveGoldPacket*>(packet.get())) {
        InboundPacketDispatcher::Dispatch(*gold, inbound);
        inbound.GiveGoldToPlayer(playerId, gold->goldAmount);
        inbound.GiveGoldToPlayer(playerId, -(gold->goldAmount / 2));
    }
}

// A landmark's target command reaches a respawn shrine that heals whoever its ids name: the
// player standing by, the shrine itself, or nobody at all.
void RouteStrategicCommand(const uint8_t* data, size_t size)
{
    std::unique_ptr<NetPacket> packet = ConnectionManager::DecodePacket(data, size);
    auto* command = dynamic_cast<StrategicMovementTargetConfigCmdPacket*>(packet.get());
    if (command == nullptr)
        return;
    const NetScene scene;
    ObjectManager& objects = ObjectManager::Instance();
    auto* player = static_cast<Player*>(objects.CreateObject("Player"));
    Object* shrine = objects.CreateObject("StrategicMovementRespawnShrine");
    if (player == nullptr || shrine == nullptr)
        abort();
    if (!command->targets.empty())
        command->targets.front() = player->GetObjectId();
    NetworkShim::ReceivePacket(0, *command);
    command->actorId = shrine->GetObjectId();
    command->targets.push_back(shrine->GetObjectId());
    NetworkShim::ReceivePacket(0, *command);
}

// Every packet of the network interface reaches a game in each role, with a player, a monster
// and a fixed item present; the words 0xEEEE0000-0xEEEE0002 anywhere in the message stand for
// their ids. Whatever the ids, amounts and records say, the three stay what they are and
// nothing the message made outlives it.
void RouteInterfacePacket(const uint8_t* data, size_t size)
{
    {
        std::unique_ptr<NetPacket> probe = ConnectionManager::DecodePacket(data, size);
        GameEngineOutboundInterface outbound;
        const bool routed = probe != nullptr && InboundPacketDispatcher::Dispatch(*probe, outbound);
        gEngine->GetNetworkConnectionManager().TakeSentPackets();
        if (!routed)
            return;
    }
    for (int role = 0; role < 3; ++role) {
        const NetScene scene(role);
        ObjectManager& objects = ObjectManager::Instance();
        Object* live[3] = {objects.CreateObject("Player"), objects.CreateObject("Monster"),
                           objects.CreateObject("FixedItem")};
        std::array<uint32_t, 3> ids{};
        for (size_t i = 0; i < ids.size(); ++i)
            ids[i] = live[i] != nullptr ? live[i]->GetObjectId() : 0;
        std::vector<uint8_t> bytes(data, data + size);
        NetScene::MapLiveWords(bytes, ids);
        if (std::unique_ptr<NetPacket> packet = ConnectionManager::DecodePacket(bytes)) {
            InboundPacketDispatcher::Dispatch(*packet, *gGameEngine->GetInboundNetworkInterface());
            gGameEngine->Update(33);
        }
        for (Object* object : live)
            if (object != nullptr && objects.GetObject(object->GetObjectId()) != object)
                abort();
        gEngine->GetNetworkConnectionManager().TakeSentPackets();
    }
}

class Everything : public FilterFunction<Entity> {
public:
    bool operator()(const Entity* candidate) const override { return candidate != nullptr; }
};

// A fixed item's commands reach a live trapped chest in a level, and, as sent, whatever item
// their ids name (none, a stranger, an id a trap would spawn under); a refused state, a long
// list or an id in use makes nothing. Nothing may outlive the level.
void RouteFixedItemCommand(const uint8_t* data, size_t size)
{
    std::unique_ptr<NetPacket> packet = ConnectionManager::DecodePacket(data, size);
    if (packet == nullptr || packet->GetType() < 102 || packet->GetType() > 104)
        return;
    const NetScene scene;
    ObjectManager& objects = ObjectManager::Instance();
    auto* chest = objects.CreateObjectFromFile<FixedItem>("Records/Fuzz/TrapChest.dbr");
    if (chest == nullptr)
        abort();
    gEngine->GetWorld()->AddEntity(chest, WorldCoords(WorldVec3(1, Vec3())), false);
    chest->InitialUpdate();
    NetworkShim::ReceivePacket(0, *packet);
    if (AimAt<FixedItemStateChangeConfigCmdPacket>(*packet, chest->GetObjectId()) ||
        AimAt<FixedItemTargetConfigCmdPacket>(*packet, chest->GetObjectId()) ||
        AimAt<FixedItemSkillTargetConfigCmdPacket>(*packet, chest->GetObjectId()))
        NetworkShim::ReceivePacket(0, *packet);
    for (int frame = 0; frame < 3; ++frame)
        gEngine->RunFrame(33);
    // Whatever stands in the world goes with the level, made by this message or not.
    std::vector<Entity*> placed;
    gEngine->GetWorld()->GetEntities(placed, Everything());
    for (Entity* entity : placed)
        objects.DestroyObjectEx(entity, "Fuzz/NetPacket", __LINE__);
}

// The records the routes' objects are made from, held for the run.
FuzzRecords RunRecords()
{
    return {
        {"Records/Fuzz/TrapChest.dbr", "Class = FixedItemContainer\nskillDelay = 0\n"
                                       "skillName = Records/Fuzz/Trap.dbr\n"},
        {"Records/Fuzz/Trap.dbr", "Class = FixedItemSkill_SpawnMonster\n"
                                  "monsterName = Records/Fuzz/Guard.dbr\n"},
        {"Records/Fuzz/Guard.dbr", "Class = Monster\ncharacterLife = 10\n"},
        {kDropRecord, kDropText},
    };
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    NetScene::StartRun(RunRecords);
    static const bool registered =
        (ConnectionManager::RegisterPacketClass<VariableFieldsPacket>(), true);
    (void)registered;
    Check(data, size);
    // A spawn message's fields after the player id are the player's record.
    if (size >= NetPacketHeader::kSize + 4)
        CheckPlayerRecord(data + NetPacketHeader::kSize + 4, size - NetPacketHeader::kSize - 4);
    NetScene::Play(data, size, RunRecords,
                   {Check, RouteTravel, RouteItemCommand, RouteFixedItemCommand,
                    RouteStrategicCommand, RouteInterfacePacket});
    return 0;
}
