#pragma once

#include "world/FixedItem.h"
#include "world/FixedItemController.h"
#include "world/FixedItemLook.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

class EffectEntity;
struct MinimapGameNugget;

// A shrine: idle (3) until touched, then through its transition (4) to active (5), where its
// bonus goes out to the user's side, then through (6) to dormant (7) and, unless it serves
// once, through (8) back to idle. A transition without an animation passes at once.
class FixedItemShrine : public FixedItem {
    GAME_DECLARE_CLASS(FixedItemShrine)

public:
    enum Phase : int32_t {
        PhaseIdle = 0,
        PhaseIdleToActive = 1,
        PhaseActive = 2,
        PhaseActiveToDormant = 3,
        PhaseDormant = 4,
        PhaseDormantToIdle = 5,
        PhaseCount = 6
    };
    static constexpr uint32_t kTutorialPage = 5;
    static constexpr uint32_t kNuggetType = 5;

    FixedItemShrine() = default;
    ~FixedItemShrine() override;

    void Load(const LoadTable& table) override;
    void PreLoad(bool flag) override;
    void InitialUpdate() override;
    void AnimationCallback(int32_t kind, const Name& name) override;
    bool IsOfInterest() override;
    void RequestToUse(uint32_t user) override;
    void SetFixedItemState(FixedItem_State state, uint32_t user, bool instantaneous,
                           bool playSounds) override;
    void AppendDetailMapData(std::vector<MinimapGameNugget>& list) const override;

    bool PlayAnimationAndFX(bool instantaneous, FixedItemLook& look, bool loop);
    uint32_t GetUser() const { return user; }

private:
    enum PlacedEffect : size_t { IdleLooping = 0, DormantToIdle = 1, ActiveOneShot = 2 };

    void GoIdle(bool instantaneous);
    void GoActive(bool instantaneous);
    void GoDormant(bool instantaneous);
    // A transition that cannot play reaches its target at once.
    void GoTransition(bool instantaneous, Phase phase, FixedItem_State target,
                      void (FixedItemShrine::*go)(bool));
    void PlaceEffectsInWorld();
    void StartIdleEffect();
    void StartActiveEffect();
    void StartActiveFXMesh();
    void AttachEffect(PlacedEffect which);
    EffectEntity* GetPlacedEffect(PlacedEffect which) const;

    std::array<FixedItemLook, PhaseCount> phases;
    // Held by id: the world may destroy them first.
    std::array<uint32_t, 3> placedEffects{};
    std::array<std::string, 3> effectRecords;
    std::array<std::string, 3> effectAttachments;
    std::string activeMeshEffect;
    float animationSpeed = 1.0f;
    uint32_t user = 0;
};

// Runs a shrine's timers: the active time with its bonus samples, then the dormant time.
class FixedItemShrineController : public FixedItemController {
public:
    enum State : int32_t { None = 0, Ready = 1, Active = 2, Dormant = 3 };

    void LoadFromDatabase(const std::string& name) override;
    void AnimationCallback(int32_t /*kind*/, const Name& /*name*/) override {}
    void InitialUpdate() override;
    void TouchedByActor() override;
    void Update(int32_t ms) override;

    State GetState() const { return state; }

private:
    void SampleTargets();

    State state = None;
    bool oneTimeUse = false;
    int32_t activeTime = 0;
    int32_t dormantTime = 0;
    int32_t sampleTime = 0;
    float radius = 0.0f;
    int32_t phaseCountdown = 0;
    int32_t sampleCountdown = 0;
    uint32_t user = 0;
};

} // namespace GAME
