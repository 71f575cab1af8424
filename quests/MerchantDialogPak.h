#pragma once

#include "quests/DialogPak.h"

#include <array>
#include <memory>

namespace GAME {

// A merchant's lines: a greeting, and up to five long, short and goodbye lines. The owner picks
// the kind to say next.
class MerchantDialogPak : public DialogPak {
public:
    static constexpr int kSlots = 5;
    enum SelectionKind { SelectGreeting = 0, SelectLong = 1, SelectShort = 2, SelectGoodbye = 3 };

    static MerchantDialogPak* Spawn();
    // Null when the record cannot be loaded.
    static MerchantDialogPak* Spawn(const std::string& recordName);
    static void Destroy(MerchantDialogPak* pak);

    MerchantDialogPak();
    ~MerchantDialogPak() override;

    // Cuts off the line being said, then says one of the selected kind.
    void Speak(VoidCallbackFunctor* onComplete) override;

    // Loading places lines by number; an added line takes the greeting, else the first free
    // long slot, and is deleted when there is none.
    void AddDialog(Dialog* dialog) override;
    void SetIrritationRoundTrips(int32_t) override {}
    void ResetAllDialogs() override;
    void ResetRoundTrips() override;
    bool IsIrritated() const override { return false; }

    // The greeting line.
    Dialog* GetPrimaryDialog() const override { return greetingDialog.get(); }
    void SetSelectionKind(int32_t kind) { selectionKind = kind; }
    int32_t GetSelectionKind() const { return selectionKind; }
    // Index 0 to 4; null for an empty slot or an index out of range.
    Dialog* GetLongDialog(int index) const;
    Dialog* GetShortDialog(int index) const;
    Dialog* GetGoodbyeDialog(int index) const;

protected:
    void Load(const LoadTable& table) override;

private:
    using Slots = std::array<std::unique_ptr<Dialog>, kSlots>;

    static Dialog* SlotAt(const Slots& slots, int index);
    // A line of the slots not yet played, or of all of them once every one was.
    static Dialog* Pick(Slots& slots);
    void ForEachDialog(void (*action)(Dialog&));

    std::unique_ptr<Dialog> greetingDialog;
    Slots longDialogs;
    Slots shortDialogs;
    Slots goodbyeDialogs;
    int32_t selectionKind = SelectGreeting;
};

} // namespace GAME
