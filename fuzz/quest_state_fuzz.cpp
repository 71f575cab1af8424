// Hostile quest state against the sample quest and the showcase quest: the input is a 32-bit
// length, that many bytes of one quest's state file (read by each quest), and the rest as the
// repository file, each read as stored files are: checked whole first (a digest that matches, or
// an older file's blocks), then streamed. Reading either must stay inside the bytes, allocate no
// more than they hold, and keep every count to what was there.
#include "engine/IOStreamRead.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "fuzz/AllocationWatch.h"
#include "fuzz/FreshQuests.h"
#include "fuzz/InputLookups.h"
#include "fuzz/QuietGame.h"
#include "quests/Quest.h"
#include "quests/QuestRepository.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using namespace GAME;

namespace {

// The smallest entry of the repository file: a key, a kind byte and a value per field.
constexpr size_t kTriggerEntryBytes = 4 * 3 + 16 + 4 + 4 + 4;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool sampleListed = [] {
        StartQuietGame();
        ObjectManager::Instance().GetDatabase().SetRoot(GAME_SOURCE_DIR "/data/database");
        gEngine->GetWorld()->AddQuestFile("Quests/VillageWatch.qst");
        gEngine->GetWorld()->AddQuestFile("Quests/Showcase/WorldCommands.qst");
        return true;
    }();
    (void)sampleListed;

    const InputLookups lookups;
    static FreshQuests fresh;
    fresh.Restore();
    QuestRepository& quests = QuestRepository::Get();
    Quest* quest = quests.GetQuestByIndex(0);
    if (quest == nullptr || size < 4)
        return 0;
    uint32_t split = 0;
    memcpy(&split, data, 4);
    const size_t stateSize = split < size - 4 ? split : size - 4;
    const uint8_t* state = data + 4;
    const size_t limit = 8 * size + 64 * 1024;

    AllocationWatch::Start();
    IOStreamRead stateStream(std::vector<uint8_t>(state, state + stateSize));
    quests.ReadQuestState(stateStream, quest);
    // The same state read by the quest whose actions wait for the world's objects.
    if (Quest* showcase = quests.GetQuestByIndex(1)) {
        IOStreamRead showcaseStream(std::vector<uint8_t>(state, state + stateSize));
        quests.ReadQuestState(showcaseStream, showcase);
    }
    IOStreamRead repositoryStream(std::vector<uint8_t>(state + stateSize, data + size));
    quests.ReadProperties(repositoryStream);
    if (AllocationWatch::Stop() > limit)
        abort();
    if (quests.GetFiredTriggers().size() > size / kTriggerEntryBytes)
        abort();
    quests.FireTriggers();
    quests.Update(33);
    return 0;
}
