// Hostile quest designs, binary or as text: whatever the counts, class names and blocks claim,
// reading a quest must stay inside the bytes, allocate no more than they hold, and leave a quest
// whose steps and triggers are within their limits.
#include "engine/IOStreamRead.h"
#include "engine/Trigger.h"
#include "fuzz/AllocationWatch.h"
#include "fuzz/InputLookups.h"
#include "fuzz/QuietGame.h"
#include "quests/Quest.h"
#include "quests/QuestStep.h"

#include <cstdlib>
#include <string>
#include <vector>

using namespace GAME;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    StartQuietGame();
    const InputLookups lookups;

    const size_t limit = 8 * size + 64 * 1024;
    std::vector<uint8_t> bytes(data, data + size);
    AllocationWatch::Start();
    if (!IOStreamRead::HasHeader(bytes) &&
        !IOStreamRead::ParseText(std::string(bytes.begin(), bytes.end()), bytes))
        bytes.clear();
    IOStreamRead stream(std::move(bytes));
    if (AllocationWatch::Stop() > limit)
        abort();
    Quest quest(0x01000000u);
    quest.Serialize(&stream);
    if (quest.GetStepCount() > Quest::kMaxSteps)
        abort();
    for (int32_t s = 0; s < quest.GetStepCount(); ++s) {
        const QuestStep* step = quest.GetQuestStepAtIndx(s);
        if (step->GetTriggerCount() > QuestStep::kMaxTriggers)
            abort();
        for (int32_t t = 0; t < step->GetTriggerCount(); ++t) {
            const Trigger* trigger = step->GetTriggerOfIdx(t);
            if (trigger->GetNumActions() > Trigger::kMaxChildren ||
                trigger->GetNumConditions() > Trigger::kMaxChildren)
                abort();
        }
    }
    return 0;
}
