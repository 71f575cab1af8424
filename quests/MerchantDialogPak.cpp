#include "quests/MerchantDialogPak.h"

#include "core/RandomHelpers.h"
#include "engine/LoadTable.h"
#include "quests/Dialog.h"

#include <vector>

namespace GAME {

MerchantDialogPak* MerchantDialogPak::Spawn()
{
    return new MerchantDialogPak;
}

MerchantDialogPak* MerchantDialogPak::Spawn(const std::string& recordName)
{
    auto pak = std::make_unique<MerchantDialogPak>();
    if (!pak->LoadFromRecord(recordName))
        return nullptr;
    return pak.release();
}

void MerchantDialogPak::Destroy(MerchantDialogPak* pak)
{
    delete pak;
}

MerchantDialogPak::MerchantDialogPak() : DialogPak(0) {}

MerchantDialogPak::~MerchantDialogPak() = default;

void MerchantDialogPak::Load(const LoadTable& table)
{
    greetingDialog.reset(LoadDialog(table, "globalDialogTextTag1", "globalDialogSoundFile1",
                                    "globalDialogSoundVolume1"));
    for (int n = 1; n <= kSlots; ++n) {
        const std::string number = std::to_string(n);
        longDialogs[n - 1].reset(LoadDialog(table, "longDialogTextTag" + number,
                                            "longDialogSoundFile" + number,
                                            "longDialogSoundVolume" + number));
        shortDialogs[n - 1].reset(LoadDialog(table, "shortDialogTextTag" + number,
                                             "shortDialogSoundFile" + number,
                                             "shortDialogSoundVolume" + number));
        goodbyeDialogs[n - 1].reset(LoadDialog(table, "goodbyeDialogTextTag" + number,
                                               "goodbyeDialogSoundFile" + number,
                                               "goodbyeDialogSoundVolume" + number));
    }
    shortGreetingTime = table.GetInt("shortGreetingTimerTime");
}

void MerchantDialogPak::AddDialog(Dialog* dialog)
{
    if (dialog == nullptr)
        return;
    if (!greetingDialog) {
        greetingDialog.reset(dialog);
        return;
    }
    for (auto& slot : longDialogs) {
        if (!slot) {
            slot.reset(dialog);
            return;
        }
    }
    delete dialog;
}

Dialog* MerchantDialogPak::SlotAt(const Slots& slots, int index)
{
    return index >= 0 && index < kSlots ? slots[static_cast<size_t>(index)].get() : nullptr;
}

Dialog* MerchantDialogPak::GetLongDialog(int index) const
{
    return SlotAt(longDialogs, index);
}

Dialog* MerchantDialogPak::GetShortDialog(int index) const
{
    return SlotAt(shortDialogs, index);
}

Dialog* MerchantDialogPak::GetGoodbyeDialog(int index) const
{
    return SlotAt(goodbyeDialogs, index);
}

Dialog* MerchantDialogPak::Pick(Slots& slots)
{
    std::vector<Dialog*> choices;
    for (const auto& slot : slots) {
        if (slot && !slot->HasBeenPlayed())
            choices.push_back(slot.get());
    }
    if (choices.empty()) {
        for (const auto& slot : slots) {
            if (slot) {
                slot->Reset();
                choices.push_back(slot.get());
            }
        }
    }
    if (choices.empty())
        return nullptr;
    const int last = static_cast<int>(choices.size()) - 1;
    return choices[static_cast<size_t>(RandomInt(0, last))];
}

void MerchantDialogPak::Speak(VoidCallbackFunctor* onComplete)
{
    if (currentDialog != nullptr)
        currentDialog->Stop();
    currentDialog = nullptr;
    BeginSpeaking(onComplete);
    Dialog* chosen = nullptr;
    switch (selectionKind) {
    case SelectGreeting:
        chosen = greetingDialog ? greetingDialog.get() : Pick(longDialogs);
        break;
    case SelectLong:
        chosen = Pick(longDialogs);
        break;
    case SelectShort:
        chosen = Pick(shortDialogs);
        break;
    case SelectGoodbye:
        chosen = Pick(goodbyeDialogs);
        break;
    default:
        break;
    }
    if (chosen != nullptr)
        SayLine(chosen);
}

void MerchantDialogPak::ForEachDialog(void (*action)(Dialog&))
{
    if (greetingDialog)
        action(*greetingDialog);
    for (Slots* slots : {&longDialogs, &shortDialogs, &goodbyeDialogs}) {
        for (const auto& slot : *slots) {
            if (slot)
                action(*slot);
        }
    }
}

void MerchantDialogPak::ResetAllDialogs()
{
    ForEachDialog([](Dialog& dialog) { dialog.Reset(); });
    inUse = false;
}

void MerchantDialogPak::ResetRoundTrips()
{
    // A merchant has no round trips; what is left is the in-use mark.
    inUse = false;
}

} // namespace GAME
