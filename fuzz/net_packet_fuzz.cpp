// Hostile network messages: decoding through the packet registry never crashes, no allocation
// outgrows what the input could hold, and whatever decodes re-encodes into a message that
// decodes again to the same bytes.
#include "characters/Character.h"
#include "characters/PlayerReplicationRecord.h"
#include "engine/ConnectionManager.h"
#include "engine/Engine.h"
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
#include "game/ActivityManager.h"
#include "game/GameEngine.h"
#include "multiplayer/ConfigCmdPackets.h"
#include "multiplayer/GameEngineNetworkInterface.h"
#include "multiplayer/InboundPacketDispatcher.h"
#include "skills/SkillManager.h"

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
void RouteIntoEngine(NetPacket& packet, bool network, bool client)
{
    gEngine->SetNetworkMode(network, client);
    InitializeObjects();
    if (gGameEngine == nullptr) {
        gEngine->SetNetworkMode(false, false);
        return;
    }
    if (network && client)
        gGameEngine->SetAsNetworkClient();
    else if (network)
        gGameEngine->SetAsNetworkServer();
    std::unique_ptr<World> previous = gEngine->SetWorld(std::make_unique<World>());
    gEngine->GetWorld()->CreateRegion(1, {0, 0, 0}, ABBox({-20, -10, -20}, {20, 10, 20}));
    const uint32_t lastActivity = ActivityManager::Get().GetLastId();
    if (!NetworkShim::ReceivePacket(0, packet)) {
        if (GameEngineNetworkInterface* inbound = gGameEngine->GetInboundNetworkInterface())
            InboundPacketDispatcher::Dispatch(packet, *inbound);
    }
    gGameEngine->Update(33);
    if (ActivityManager::Get().GetLastId() != lastActivity)
        abort();
    gEngine->GetNetworkConnectionManager().TakeSentPackets();
    gEngine->SetWorld(std::move(previous));
    ShutdownObjects();
    gEngine->SetNetworkMode(false, false);
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
    RouteIntoEngine(*packet, false, false);
    RouteIntoEngine(*packet, true, false);
    RouteIntoEngine(*packet, true, true);
}

// Points a skill command at the live character; false for every other packet.
template <typename Packet> bool AimAt(NetPacket& packet, uint32_t characterId)
{
    auto* typed = dynamic_cast<Packet*>(&packet);
    if (typed == nullptr)
        return false;
    typed->actorId = characterId;
    return true;
}

// The skill results a peer sends reach a live character's skill manager, whatever references
// and lists they carry, on the controlling machine and on a mirroring one.
void RouteSkillCommand(const uint8_t* data, size_t size)
{
    std::unique_ptr<NetPacket> packet = ConnectionManager::DecodePacket(data, size);
    if (packet == nullptr)
        return;
    const uint32_t type = packet->GetType();
    if (type != 88 && (type < 97 || type > 100))
        return;
    InitializeObjects();
    ObjectManager& objects = ObjectManager::Instance();
    auto* character = static_cast<Character*>(objects.CreateObject("Character"));
    if (character == nullptr)
        abort();
    const uint32_t id = character->GetObjectId();
    if (AimAt<SkillTargetResultConfigCmdPacket>(*packet, id) ||
        AimAt<CreateProjectileConfigCmdPacket>(*packet, id) ||
        AimAt<SpawnObjectConfigCmdPacket>(*packet, id) ||
        AimAt<SkillStateUpdateConfigCmdPacket>(*packet, id) ||
        AimAt<SkillActiveStateUpdateConfigCmdPacket>(*packet, id)) {
        SkillManager& skills = character->GetSkillManager();
        skills.LoadDefaultSkills();
        NetworkShim::ReceivePacket(0, *packet);
        skills.SetAsControllingManager();
        NetworkShim::ReceivePacket(0, *packet);
        skills.Update(33);
    }
    objects.DestroyObjectEx(character, "Fuzz/NetPacket", __LINE__);
    ShutdownObjects();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool setUp = [] {
        gEngine->SetLogSink([](int, const std::string&) {});
        ConnectionManager::RegisterPacketClass<VariableFieldsPacket>();
        return true;
    }();
    (void)setUp;
    Check(data, size);
    // A spawn message's fields after the player id are the player's record.
    if (size >= NetPacketHeader::kSize + 4)
        CheckPlayerRecord(data + NetPacketHeader::kSize + 4, size - NetPacketHeader::kSize - 4);
    // Most inputs' size words disagree with their length; mended, their fields get read too.
    if (size >= NetPacketHeader::kSize) {
        std::vector<uint8_t> mended(data, data + size);
        const uint32_t fields = static_cast<uint32_t>(size - NetPacketHeader::kSize);
        for (int i = 0; i < 4; ++i)
            mended[4 + i] = static_cast<uint8_t>(fields >> (8 * i));
        Check(mended.data(), mended.size());
        RouteTravel(mended.data(), mended.size());
        RouteSkillCommand(mended.data(), mended.size());
    }
    return 0;
}
