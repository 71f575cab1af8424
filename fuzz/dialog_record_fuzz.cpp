// Hostile dialog-pack and conversation records: the input is the record at kRecord, further
// records after lines "@@ <record path>" (conversations a pack lists, packs naming themselves
// or missing records). The record is loaded as an NPC pack and a merchant pack and spoken to
// the end many times, then enabled as a conversation pack whose conversations are played out
// among four townsfolk. Nothing crashes or hangs, and no allocation outgrows the input.
#include "engine/ObjectManager.h"
#include "engine/SingletonManager.h"
#include "engine/SoundManager.h"
#include "engine/VoidCallbackFunctor.h"
#include "engine/WorldVec3.h"
#include "fuzz/AllocationWatch.h"
#include "fuzz/RecordInput.h"
#include "quests/Dialog.h"
#include "quests/MerchantDialogPak.h"
#include "quests/NpcConversationManager.h"
#include "quests/NpcDialogPak.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace GAME;

constexpr const char* kRecord = "Records/Dialog/Fuzz.dbr";
constexpr int kTalks = 24;

// Each talk must end within the silent time; a line that never ends would hang its owner.
template <typename Pak> void TalkToTheEnd(Pak& pak)
{
    int completions = 0;
    VoidCallbackFunctor done([&completions](int) { ++completions; });
    for (int talk = 0; talk < kTalks; ++talk) {
        pak.Speak(&done);
        pak.SetVolumeFade(0.5f);
        (void)pak.GetText();
        pak.Update(Dialog::kSilentTime);
        if (pak.GetCurrentDialog() != nullptr)
            abort();
        if (talk % 7 == 6)
            pak.ResetRoundTrips();
    }
}

void PlayConversations()
{
    NpcConversationManager& manager = NpcConversationManager::Get();
    manager._EnableConversationPak(kRecord);
    manager._EnableConversationPak(kRecord);
    for (uint32_t npc = 1; npc <= 4; ++npc)
        manager._MakeEnabled(npc);
    const uint32_t ids[Conversation::kMaxSpeakers] = {1, 2, 3, 4};
    const std::vector<Conversation*> available = manager.GetAvailableConversations();
    for (Conversation* conversation : available) {
        manager.OnStartConversation(conversation, ids, WorldVec3());
        uint32_t speaker = 0;
        std::string tag;
        int lines = 0;
        while (conversation->GetNextSpeakerAndSpeech(speaker, tag))
            if (++lines > Conversation::kMaxLines)
                abort();
        manager._DisableConversationPak(kRecord);
        conversation->OnEndConverse();
    }
    manager._EnableCollisionConversationPak(kRecord);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    WithFuzzRecords(data, size, kRecord, "Records/Dialog/Bad", [size](const auto&) {
        const size_t limit = 8 * size + 64 * 1024;
        AllocationWatch::Start();
        if (std::unique_ptr<NpcDialogPak> pak{NpcDialogPak::Spawn(kRecord)})
            TalkToTheEnd(*pak);
        if (std::unique_ptr<MerchantDialogPak> pak{MerchantDialogPak::Spawn(kRecord)})
            TalkToTheEnd(*pak);
        PlayConversations();
        SingletonManager::Instance().DestroyAll();
        if (AllocationWatch::Stop() > limit)
            abort();
        // The sound manager keeps every request; this input's are no part of the next one.
        SoundManager::Instance().Reset();
    });
    return 0;
}
