#pragma once

#include "quests/DialogPak.h"

#include <memory>
#include <vector>

namespace GAME {

// An ordinary character's lines: a primary line said first, further lines in random order
// without repeats, and an irritation line for a player who keeps talking.
class NpcDialogPak : public DialogPak {
public:
    static constexpr int kNumberedLines = 4;

    // An empty pack.
    static NpcDialogPak* Spawn();
    // Null when the record cannot be loaded.
    static NpcDialogPak* Spawn(const std::string& recordName);
    static void Destroy(NpcDialogPak* pak);

    NpcDialogPak();
    ~NpcDialogPak() override;

    void Speak(VoidCallbackFunctor* onComplete) override;

    void AddDialog(Dialog* dialog) override;
    void SetIrritationRoundTrips(int32_t roundTrips) override;
    void ResetAllDialogs() override;
    void ResetRoundTrips() override;
    bool IsIrritated() const override { return irritated; }

    // The primary line, else the first other line, else null.
    Dialog* GetPrimaryDialog() const override;
    Dialog* GetIrritationDialog() const { return irritationDialog.get(); }
    size_t GetOtherDialogCount() const { return otherDialogs.size(); }
    Dialog* GetOtherDialog(size_t index) const;
    int32_t GetRoundTripsLeft() const { return roundTripsLeft; }
    int32_t GetIrritationRoundTrips() const { return irritationRoundTrips; }

protected:
    void Load(const LoadTable& table) override;

private:
    // The line this turn says; null when there is nothing to say.
    Dialog* ChooseLine();

    std::unique_ptr<Dialog> primaryDialog;
    std::vector<std::unique_ptr<Dialog>> otherDialogs;
    std::unique_ptr<Dialog> irritationDialog;
    int32_t roundTripsLeft = -1;
    int32_t irritationRoundTrips = -1;
    bool irritated = false;
};

} // namespace GAME
