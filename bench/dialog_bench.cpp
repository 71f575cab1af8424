// What townsfolk talk costs a frame:
//
// - 500 NPC packs, half of silent lines and half of spoken ones, each updated every 33 ms frame
//   and asked for its next line whenever one ends: under 60 microseconds a frame, and within
//   twice the same 500 `Dialog::Update` calls alone (the peer, measured in the same run).
// - 1,000 conversations started and ended among 200 NPCs: under 1 millisecond.
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "engine/SingletonManager.h"
#include "engine/SoundManager.h"
#include "engine/VoidCallbackFunctor.h"
#include "engine/WorldVec3.h"
#include "quests/Dialog.h"
#include "quests/NpcConversationManager.h"
#include "quests/NpcDialogPak.h"
#include "tests/support/TempDatabase.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace GAME {
namespace {

constexpr int kPaks = 500;
constexpr int kFrameMs = 33;
constexpr const char* kSpokenFile = "Sounds/Dialog/Line.wav";

Dialog* MakeLine(int pak, int line)
{
    auto* dialog = new Dialog;
    dialog->SetTextTag("tagTownsfolk" + std::to_string(pak) + "_" + std::to_string(line));
    if (pak % 2 == 1)
        dialog->SetAudioFile(kSpokenFile);
    return dialog;
}

struct Town {
    Town()
    {
        gEngine->SetLogSink([](int, const std::string&) {});
        SoundManager::Instance().Reset();
        SoundManager::Instance().SetFileLength(kSpokenFile, 2500);
        for (int p = 0; p < kPaks; ++p) {
            std::unique_ptr<NpcDialogPak> pak(NpcDialogPak::Spawn());
            for (int line = 0; line < 5; ++line)
                pak->AddDialog(MakeLine(p, line));
            paks.push_back(std::move(pak));
            lines.emplace_back(MakeLine(p, 9));
        }
    }

    std::vector<std::unique_ptr<NpcDialogPak>> paks;
    std::vector<std::unique_ptr<Dialog>> lines;
    VoidCallbackFunctor done{[](int) {}};
};

void BM_NpcPaksTalkingFrame(benchmark::State& state)
{
    Town town;
    for (auto _ : state) {
        SoundManager::Instance().Update(kFrameMs);
        for (const auto& pak : town.paks) {
            if (pak->GetCurrentDialog() == nullptr)
                pak->Speak(&town.done);
            pak->Update(kFrameMs);
        }
    }
    state.counters["budget_us"] = 60;
}
BENCHMARK(BM_NpcPaksTalkingFrame)->Unit(benchmark::kMicrosecond);

// The peer: the same number of lines updated alone, each said again once over.
void BM_DialogUpdatesAloneFrame(benchmark::State& state)
{
    Town town;
    for (auto _ : state) {
        SoundManager::Instance().Update(kFrameMs);
        for (const auto& line : town.lines) {
            if (line->HasBeenPlayed() && !line->IsSpeaking())
                line->Reset();
            if (!line->HasBeenPlayed())
                line->Speak(&town.done);
            line->Update(kFrameMs);
        }
    }
}
BENCHMARK(BM_DialogUpdatesAloneFrame)->Unit(benchmark::kMicrosecond);

void BM_ThousandConversationsAmongTwoHundred(benchmark::State& state)
{
    gEngine->SetLogSink([](int, const std::string&) {});
    NpcConversationManager& manager = NpcConversationManager::Get();
    for (uint32_t npc = 1; npc <= 200; ++npc)
        manager._MakeEnabled(npc);
    Test::TempDatabase folder;
    folder.WriteRecord("Records/Talk.dbr",
                       {"dialogTag1 = tagA", "dialogSpeaker1 = 1", "dialogTag2 = tagB",
                        "dialogSpeaker2 = 2", "dialogTag3 = tagC", "dialogSpeaker3 = 3",
                        "dialogTag4 = tagD", "dialogSpeaker4 = 4"});
    ObjectManager& objects = ObjectManager::Instance();
    objects.GetDatabase().SetRoot(folder.GetRoot());
    Conversation talk;
    if (objects.LoadTableFile("Records/Talk.dbr"))
        talk.Load(objects.GetLoadTable("Records/Talk.dbr"));
    std::vector<std::unique_ptr<Conversation>> conversations(1000);
    for (auto& conversation : conversations)
        conversation = std::make_unique<Conversation>(talk);
    for (auto _ : state) {
        uint32_t ids[Conversation::kMaxSpeakers] = {};
        for (size_t c = 0; c < conversations.size(); ++c) {
            for (uint32_t s = 0; s < Conversation::kMaxSpeakers; ++s)
                ids[s] = 1 + static_cast<uint32_t>((c * 4 + s) % 200);
            manager.OnStartConversation(conversations[c].get(), ids, WorldVec3());
            conversations[c]->OnEndConverse();
        }
    }
    state.counters["budget_us"] = 1000;
    SingletonManager::Instance().DestroyAll();
}
BENCHMARK(BM_ThousandConversationsAmongTwoHundred)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace GAME
