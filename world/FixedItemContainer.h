#pragma once

#include "world/FixedItem.h"
#include "world/FixedItemController.h"
#include "world/FixedItemLook.h"

#include <cstdint>
#include <string>

namespace GAME {

class EffectEntity;

// A chest: closed (1) until a character touches it, then open (2) for good. It drops its loot
// at the "lootGen" moment of its opening, and stays locked while a monster of its class stands
// near.
class FixedItemContainer : public FixedItem {
    GAME_DECLARE_CLASS(FixedItemContainer)

public:
    // No monster classification reaches it, so the radius never locks.
    static constexpr uint32_t kUnknownClassification = 999;
    static constexpr int32_t kRadiusCheckInterval = 500;
    static constexpr int32_t kLightFadeTime = 8000;

    FixedItemContainer() = default;
    ~FixedItemContainer() override;

    void Load(const LoadTable& table) override;
    void PreLoad(bool flag) override;
    void InitialUpdate() override;
    void UpdateSelf(int32_t elapsedMs) override;
    bool IsOfInterest() override { return GetCurrentState() == FixedItem_ContainerClosed; }
    void RequestToUse(uint32_t user) override;
    void SetFixedItemState(FixedItem_State state, uint32_t user, bool instantaneous,
                           bool playSounds) override;

    static uint32_t ResolveLockedClassification(const std::string& text);
    bool IsRadiusLockEnabled() const { return radiusLockEnabled; }
    uint32_t GetLockedClassification() const { return lockedClassification; }
    EffectEntity* GetLockedEffect() const;

private:
    void Open();
    bool CheckRadiusClear() const;
    void UpdateLockedEffect();
    void UpdateRadiusLock(int32_t elapsedMs);
    void UpdateLightFade();

    AnimationEntry idleAnimation;
    FixedItemLook openLook;
    bool pathableWhenOpen = false;
    bool radiusLockEnabled = false;
    bool notYetOpened = true;
    float lockedRadius = 0.0f;
    int32_t radiusCheckCountdown = 0;
    uint32_t lockedClassification = kUnknownClassification;
    uint32_t opener = 0;
    std::string lockedEffectRecord;
    // Held by id: the world may destroy the effect first.
    uint32_t lockedEffectId = 0;
    int32_t lightFadeCountdown = kLightFadeTime;
};

// Opens the chest on its first unlocked touch and drops the loot when the opening says so.
class FixedItemContainerController : public FixedItemController {
public:
    enum State : int32_t { None = 0, Closed = 1, Opening = 2, Open = 3 };

    void AnimationCallback(int32_t kind, const Name& name) override;
    void InitialUpdate() override;
    void TouchedByActor() override;

    State GetState() const { return state; }

private:
    State state = None;
};

} // namespace GAME
