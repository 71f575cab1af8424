#include "quests/QuestItem.h"

#include "core/GameTextLine.h"
#include "core/RTTI_ClassInfo.h"
#include "engine/EffectEntity.h"
#include "engine/GraphicsEngine.h"
#include "engine/LocalizationManager.h"
#include "engine/ObjectManager.h"

namespace GAME {

namespace {

constexpr const char* kQuestItemSource = "Project\\Game\\QuestItem";

} // namespace

GAME_IMPLEMENT_CLASS(QuestItem, Item);

QuestItem::~QuestItem()
{
    UnloadBitmap();
    DestroyTrailEffect(trailEffect, kQuestItemSource, __LINE__);
}

void QuestItem::UnloadBitmap()
{
    if (bitmapTexture != nullptr)
        GraphicsEngine::Instance().UnloadTexture(bitmapTexture);
    bitmapTexture = nullptr;
}

void QuestItem::Load(const LoadTable& table)
{
    Item::Load(table);
    // A second record may name another picture; the one held would otherwise stay on show.
    UnloadBitmap();
    DestroyTrailEffect(trailEffect, kQuestItemSource, __LINE__);
    trailEmitting = false;
    trailEffect = LoadTrailEffect(table);
}

void QuestItem::UpdateSelf(int32_t elapsedMs)
{
    Item::UpdateSelf(elapsedMs);
    const bool simulated = IsSimulationEnabled();
    if (simulated == trailEmitting)
        return;
    if (auto* effect = ObjectManager::Instance().GetObject<EffectEntity>(trailEffect)) {
        if (simulated)
            effect->StartEmitting();
        else
            effect->StopEmitting();
    }
    trailEmitting = simulated;
}

GraphicsTexture* QuestItem::GetBitmap() const
{
    if (bitmapTexture == nullptr)
        bitmapTexture = LoadBitmap();
    return bitmapTexture;
}

void QuestItem::GetUIDisplayText(const Character* character, std::vector<GameTextLine>& lines) const
{
    Item::GetUIDisplayText(character, lines);
    lines.emplace_back(GameTextClass::Default, L" ", false);
    lines.emplace_back(GameTextClass::ItemDirections,
                       LocalizationManager::Instance().Format("tagQuestItem"), false);
}

} // namespace GAME
