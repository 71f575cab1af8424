// Hostile quest news against the sample quest and the showcase quest, whose actions wait for
// spawn pools' news. The first byte picks this machine's role (single
// player, server, client) and the second the sender written into the header (as given, me, a
// party member, an in-game stranger); the third byte's low bit makes the rest a condition set
// rather than one message. The rest are 32-bit words. Nothing may crash, hang or allocate out of
// proportion to the words given.
#include "characters/Player.h"
#include "engine/ConnectionManager.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "fuzz/AllocationWatch.h"
#include "fuzz/FreshQuests.h"
#include "fuzz/InputLookups.h"
#include "fuzz/QuietGame.h"
#include "multiplayer/PlayerManagerClient.h"
#include "quests/QuestRepository.h"

#include <cstdlib>
#include <cstring>
#include <vector>

using namespace GAME;

namespace {

constexpr uint32_t kAlly = 0x20000005u;
constexpr uint32_t kStranger = 0x30000007u;

uint32_t SeatPlayers()
{
    auto* player = static_cast<Player*>(ObjectManager::Instance().CreateObject("Player"));
    PlayerManagerClient* players = gGameEngine->GetPlayerManagerClient();
    players->SetMainPlayer(player->GetObjectId());
    std::vector<PlayerNetBasicInfo> records(3);
    records[0].playerId = player->GetObjectId();
    records[1].playerId = kAlly;
    records[2].playerId = kStranger;
    players->HandlePlayerUpdate(records);
    players->AddPlayerToParty(player->GetObjectId(), int32_t(player->GetObjectId()));
    players->AddPlayerToParty(kAlly, int32_t(player->GetObjectId()));
    return player->GetObjectId();
}

void TakeRole(uint8_t role)
{
    switch (role % 3) {
    case 0:
        gEngine->SetNetworkMode(false, false);
        gGameEngine->SetAsNetworkStub();
        break;
    case 1:
        gEngine->SetNetworkMode(true, false);
        gGameEngine->SetAsNetworkServer();
        break;
    default:
        gEngine->SetNetworkMode(true, true);
        gGameEngine->SetAsNetworkClient();
        break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const uint32_t me = [] {
        StartQuietGame();
        ObjectManager::Instance().GetDatabase().SetRoot(GAME_SOURCE_DIR "/data/database");
        gEngine->GetWorld()->AddQuestFile("Quests/VillageWatch.qst");
        gEngine->GetWorld()->AddQuestFile("Quests/Showcase/WorldCommands.qst");
        return SeatPlayers();
    }();
    if (size < 3)
        return 0;
    const InputLookups lookups;
    static FreshQuests fresh;
    fresh.Restore();
    QuestRepository& quests = QuestRepository::Get();
    TakeRole(data[0]);
    std::vector<uint32_t> words((size - 3) / 4);
    if (!words.empty())
        memcpy(words.data(), data + 3, words.size() * 4);
    const uint32_t senders[] = {0, me, kAlly, kStranger};
    if (words.size() >= 3 && data[1] % 4 != 0)
        words[2] = senders[data[1] % 4];

    const size_t limit = 8 * size + 64 * 1024;
    AllocationWatch::Start();
    if (data[2] & 1)
        quests.RecvConditionSet(words);
    else
        quests.RecvNetMsg(words);
    quests.Update(33);
    if (AllocationWatch::Stop() > limit)
        abort();
    if (quests.GetSatisfiedConditions().size() > words.size())
        abort();
    gEngine->GetNetworkConnectionManager().ClearSentPackets();
    return 0;
}
