#include "quests/NpcDialogPak.h"

#include "core/RandomHelpers.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "quests/Dialog.h"

#include <limits>

namespace GAME {

NpcDialogPak* NpcDialogPak::Spawn()
{
    return new NpcDialogPak;
}

NpcDialogPak* NpcDialogPak::Spawn(const std::string& recordName)
{
    auto pak = std::make_unique<NpcDialogPak>();
    if (!pak->LoadFromRecord(recordName))
        return nullptr;
    return pak.release();
}

void NpcDialogPak::Destroy(NpcDialogPak* pak)
{
    delete pak;
}

NpcDialogPak::NpcDialogPak() : DialogPak(-1) {}

NpcDialogPak::~NpcDialogPak() = default;

void NpcDialogPak::Load(const LoadTable& table)
{
    AddDialog(LoadDialog(table, "defaultDialogTextTag", "defaultDialogSoundFile",
                         "defaultDialogSoundVolume"));
    irritationDialog.reset(LoadDialog(table, "irritationDialogTextTag", "irritationDialogSoundFile",
                                      "irritationDialogVolume"));
    if (irritationDialog)
        SetIrritationRoundTrips(table.GetInt("irritationRoundTrips"));
    for (int n = 1; n <= kNumberedLines; ++n) {
        const std::string number = std::to_string(n);
        AddDialog(LoadDialog(table, "dialogTextTag" + number, "dialogSoundFile" + number,
                             "dialogSoundVolume" + number));
    }
    shortGreetingTime = table.GetInt("shortGreetingTimerTime");
    resetDistance = table.GetFloat("resetDistance");
}

void NpcDialogPak::AddDialog(Dialog* dialog)
{
    if (dialog == nullptr)
        return;
    if (!primaryDialog && otherDialogs.empty())
        primaryDialog.reset(dialog);
    else
        otherDialogs.emplace_back(dialog);
}

void NpcDialogPak::SetIrritationRoundTrips(int32_t roundTrips)
{
    irritationRoundTrips = roundTrips;
    roundTripsLeft = roundTrips;
}

void NpcDialogPak::Speak(VoidCallbackFunctor* onComplete)
{
    if (currentDialog != nullptr)
        return;
    BeginSpeaking(onComplete);
    if (Dialog* line = ChooseLine())
        SayLine(line);
}

Dialog* NpcDialogPak::ChooseLine()
{
    if (primaryDialog &&
        (!primaryDialog->HasBeenPlayed() || (otherDialogs.empty() && !irritationDialog)))
        return primaryDialog.get();
    if (otherDialogs.empty())
        return irritationDialog.get();
    // Once tired of the player the character stays so until its owner resets it.
    if (irritated && irritationDialog)
        return irritationDialog.get();
    std::vector<Dialog*> unplayed;
    for (const auto& dialog : otherDialogs)
        if (!dialog->HasBeenPlayed())
            unplayed.push_back(dialog.get());
    if (unplayed.empty()) {
        // A hostile record's negative count must not wrap round through endless talk.
        if (roundTripsLeft != -1 && roundTripsLeft > std::numeric_limits<int32_t>::min())
            --roundTripsLeft;
        for (const auto& dialog : otherDialogs) {
            dialog->Reset();
            unplayed.push_back(dialog.get());
        }
    }
    if (roundTripsLeft == 0 && irritationDialog) {
        irritated = true;
        return irritationDialog.get();
    }
    return unplayed[RandomInt(0, static_cast<int>(unplayed.size()) - 1)];
}

void NpcDialogPak::ResetRoundTrips()
{
    roundTripsLeft = irritationRoundTrips;
    irritated = false;
    inUse = false;
    if (primaryDialog && otherDialogs.empty())
        primaryDialog->SetHasBeenPlayed(false);
}

void NpcDialogPak::ResetAllDialogs()
{
    if (primaryDialog)
        primaryDialog->Reset();
    for (const auto& dialog : otherDialogs)
        dialog->Reset();
    if (irritationDialog)
        irritationDialog->Reset();
    irritated = false;
    inUse = false;
    roundTripsLeft = irritationRoundTrips;
}

Dialog* NpcDialogPak::GetPrimaryDialog() const
{
    if (primaryDialog)
        return primaryDialog.get();
    return otherDialogs.empty() ? nullptr : otherDialogs.front().get();
}

Dialog* NpcDialogPak::GetOtherDialog(size_t index) const
{
    return index < otherDialogs.size() ? otherDialogs[index].get() : nullptr;
}

} // namespace GAME
