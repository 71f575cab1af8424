#include "quests/NpcDialogPak.h"

#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "quests/Dialog.h"

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
    if (primaryDialog &&
        (!primaryDialog->HasBeenPlayed() || (otherDialogs.empty() && !irritationDialog)))
        SayLine(primaryDialog.get());
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
