#include "host/scenarios/PlayersReport.h"

#include "characters/Player.h"
#include "engine/ConnectionManager.h"
#include "engine/Engine.h"
#include "engine/LocalizationManager.h"
#include "engine/NetPacket.h"
#include "engine/NetPacketDescriber.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "host/HostOptions.h"
#include "host/HostSamples.h"
#include "host/scenarios/InfoTranscript.h"
#include "multiplayer/InboundPacketDispatcher.h"
#include "multiplayer/MessagePackets.h"
#include "multiplayer/PartyManager.h"
#include "multiplayer/PlayerInfoPackets.h"
#include "multiplayer/PlayerManagerClient.h"

#include <algorithm>
#include <cstdio>
#include <ostream>
#include <string>

namespace GAME {

namespace {

constexpr uint32_t kRob = 0x10000001;
constexpr uint32_t kCy = 0x20000001;
constexpr uint32_t kDee = 0x30000001;

std::string IdText(uint32_t id)
{
    char text[16];
    snprintf(text, sizeof(text), "0x%08x", id);
    return text;
}

std::string NarrowText(const std::wstring& text)
{
    return LocalizationManager::ToChar(text);
}

PlayerManagerClient& Players()
{
    return *GameEngine::Get().GetPlayerManagerClient();
}

// What the server sends and what it applies itself: every machine keeps the list, the heartbeats
// and the parties.
bool AppliedEverywhere(const NetPacket& packet)
{
    const uint32_t type = packet.GetType();
    return type == AllPlayersBasicInfoPacket().GetType() ||
           type == AllPlayersHeartbeatPacket().GetType() || type == 107;
}

// Puts the network mode back however the scene ends.
class ServerMode {
public:
    ServerMode() { gEngine->SetNetworkMode(true, false); }
    ~ServerMode() { gEngine->SetNetworkMode(false, false); }
    ServerMode(const ServerMode&) = delete;
    ServerMode& operator=(const ServerMode&) = delete;
};

} // namespace

PlayersReport::PlayersReport(const HostOptions& /*options*/, std::ostream& out, std::ostream& err)
    : out(out), err(err)
{}

bool PlayersReport::Run()
{
    ServerMode mode;
    return HostSamples::WithLibrary(err, [this] { return Play(); });
}

bool PlayersReport::Play()
{
    GameEngine& game = GameEngine::Get();
    game.SetAsNetworkServer();
    ConnectionManager& network = gEngine->GetNetworkConnectionManager();
    network.ClearSentPackets();
    out << "scenario players as server, " << kFrameMs << " ms frames:\n";
    auto* host = HostSamples::Make<Player>(kHost, err);
    if (host == nullptr)
        return false;
    host->SetPlayerName(L"Hera");
    players.push_back(host);
    out << "second 0: " << IdText(host->GetObjectId()) << " Hera is this server's player\n";
    Players().SetMainPlayer(host->GetObjectId());
    Deliver();
    for (int32_t second = 1; second <= kSeconds; ++second) {
        Act(second);
        for (int32_t ms = 0; ms < 1000; ms += kFrameMs) {
            gEngine->RunFrame(kFrameMs);
            game.Update(kFrameMs);
            Deliver();
        }
        PrintList();
    }
    for (Player* player : players)
        HostSamples::Destroy(ObjectManager::Instance().GetObject<Player>(player->GetObjectId()));
    return true;
}

void PlayersReport::Act(int32_t second)
{
    out << "second " << second << ":\n";
    GameEngine& game = GameEngine::Get();
    switch (second) {
    case 1:
        Join(kRob, L"Rob");
        break;
    case 2:
        Join(kCy, L"Cy");
        break;
    case 3:
        Join(kDee, L"Dee");
        break;
    case 4:
        // Rob leads; the two others join him, and the party hears of each.
        out << "  Rob leads a party of Cy and Dee\n";
        for (uint32_t member : {kRob, kCy, kDee})
            game.AddPlayerToParty(member, static_cast<int32_t>(kRob));
        Deliver();
        game.GetPartyManager()->MessagePlayerJoin(kRob, kCy);
        game.GetPartyManager()->MessagePlayerJoin(kRob, kDee);
        break;
    case 6:
        out << "  host 1 leaves\n";
        Leave(1);
        break;
    case 8: {
        out << "  Hera bans \"Dee\"\n";
        InfoTranscript transcript(out, "  log: ");
        const size_t before = gEngine->GetNetworkConnectionManager().GetDroppedHosts().size();
        Players().BanPlayer(L"Dee");
        const auto& dropped = gEngine->GetNetworkConnectionManager().GetDroppedHosts();
        for (size_t i = before; i < dropped.size(); ++i) {
            out << "  host " << dropped[i].first << " dropped: " << dropped[i].second << '\n';
            Leave(dropped[i].first);
        }
        break;
    }
    case 10: {
        out << "  the list, dumped:\n";
        InfoTranscript transcript(out, "  log: ");
        Players().DumpPlayersToConsole();
        break;
    }
    default:
        break;
    }
}

void PlayersReport::Join(uint32_t playerId, const wchar_t* name)
{
    auto* player = static_cast<Player*>(ObjectManager::Instance().CreateObject("Player", playerId));
    if (player == nullptr)
        return;
    player->SetPlayerName(name);
    players.push_back(player);
    SinglePlayerBasicInfoPacket packet;
    player->GetPlayerNetBasicInfo(packet.player);
    const uint32_t size = packet.PrepareOutBuffer();
    out << "  host " << PlayerManagerClient::GetHostOfPlayer(playerId) << " sends "
        << NetPacketDescriber::GetClassName(packet) << " (" << size << " bytes) for "
        << IdText(playerId) << ' ' << NarrowText(name) << '\n';
    Receive(std::vector<uint8_t>(packet.GetOutBuffer(), packet.GetOutBuffer() + size));
    Deliver();
}

// The host's players leave the game on every machine, and their objects go with them.
void PlayersReport::Leave(int host)
{
    GameEngine::Get().RemovePlayerFromGame(host);
    Deliver();
    for (auto it = players.begin(); it != players.end();) {
        if (PlayerManagerClient::GetHostOfPlayer((*it)->GetObjectId()) != host) {
            ++it;
            continue;
        }
        HostSamples::Destroy(*it);
        it = players.erase(it);
    }
}

void PlayersReport::Receive(const std::vector<uint8_t>& bytes)
{
    std::unique_ptr<NetPacket> packet = ConnectionManager::DecodePacket(bytes);
    GameEngineNetworkInterface* inbound = GameEngine::Get().GetInboundNetworkInterface();
    if (packet != nullptr && inbound != nullptr)
        InboundPacketDispatcher::Dispatch(*packet, *inbound);
}

void PlayersReport::Deliver()
{
    const LocalizationManager& texts = LocalizationManager::Instance();
    for (const ConnectionManager::SentPacket& sent :
         gEngine->GetNetworkConnectionManager().TakeSentPackets()) {
        std::unique_ptr<NetPacket> packet = ConnectionManager::DecodePacket(sent.bytes);
        if (packet == nullptr) {
            out << "  sent an undecodable packet\n";
            continue;
        }
        if (const auto* message = dynamic_cast<const RemoteMessagePacket*>(packet.get())) {
            out << "  to " << IdText(message->receiver) << ": "
                << NarrowText(texts.Format(message->textTag,
                                           Players().GetPlayerName(message->optionalInsert)))
                << '\n';
            continue;
        }
        if (const auto* message = dynamic_cast<const RemoteWMessagePacket*>(packet.get())) {
            out << "  to " << IdText(message->receiver) << ": " << NarrowText(message->text)
                << '\n';
            continue;
        }
        out << "  sent " << NetPacketDescriber::GetClassName(*packet) << " (" << sent.bytes.size()
            << " bytes)\n";
        if (AppliedEverywhere(*packet))
            Receive(sent.bytes);
    }
}

void PlayersReport::PrintList() const
{
    const std::vector<PlayerNetBasicInfo>& list = Players().GetPlayerInfoCache();
    out << "  players: " << list.size() << '\n';
    for (const PlayerNetBasicInfo& record : list)
        out << "    " << IdText(record.playerId) << ' ' << NarrowText(record.name) << " party "
            << IdText(static_cast<uint32_t>(record.partyId)) << '\n';
}

} // namespace GAME
