#pragma once

#include "items/Item.h"

#include <cstdint>
#include <vector>

namespace GAME {

class GraphicsTexture;
class LoadTable;

// An item a quest asks for. The player walks a long way for one where an ordinary item out of
// easy reach is left lying; while it moves in the world its trail shows where it went.
class QuestItem : public Item {
    GAME_DECLARE_CLASS(QuestItem)

public:
    QuestItem() = default;
    ~QuestItem() override;

    void Load(const LoadTable& table) override;
    void UpdateSelf(int32_t elapsedMs) override;
    // Loaded on first use and held until the item goes or loads another record.
    GraphicsTexture* GetBitmap() const override;
    void GetUIDisplayText(const Character* character,
                          std::vector<GameTextLine>& lines) const override;

    // Object id of the trail effect; 0 when the record names none.
    uint32_t GetTrailEffect() const { return trailEffect; }
    bool IsTrailEmitting() const { return trailEmitting; }

private:
    void UnloadBitmap();

    bool trailEmitting = false;
    mutable GraphicsTexture* bitmapTexture = nullptr;
    uint32_t trailEffect = 0;
};

} // namespace GAME
