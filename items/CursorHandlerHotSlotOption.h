#pragma once

#include "items/CursorHandler.h"

#include <memory>

namespace GAME {

class GraphicsTexture;
class HotSlotOption;

// Drags a hot-slot option between slots. Complete once it holds none.
class CursorHandlerHotSlotOption : public CursorHandler {
public:
    CursorHandlerHotSlotOption();
    ~CursorHandlerHotSlotOption() override;

    bool IsHotSlotOption() const override { return true; }
    bool CanDropOnInventory() const override { return false; }
    bool CanDropOnEquipment() const override { return false; }
    bool CanDropOnTrade() const override { return false; }
    bool CanDropOnMarket() const override { return false; }
    void Render(GraphicsCanvas& canvas) override;
    bool IsComplete() const override { return option == nullptr; }
    bool ActivateWorld() override;
    bool Cancel() override;
    // A skill of the player becomes the option held; anything else is ignored.
    void SetId(uint32_t skillId) override;

    // The old option is destroyed and its picture given back.
    void SetOption(std::unique_ptr<HotSlotOption> value);
    const HotSlotOption* GetOption() const { return option.get(); }

private:
    std::unique_ptr<HotSlotOption> option;
    GraphicsTexture* bitmap = nullptr;
};

} // namespace GAME
