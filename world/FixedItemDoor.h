#pragma once

#include "world/FixedItem.h"
#include "world/FixedItemController.h"
#include "world/FixedItemLook.h"

#include <cstdint>
#include <memory>

namespace GAME {

class GraphicsMeshInstance;

// What every door shares: closed (9) and open (10), the request 11 that opens for good, loop
// sounds for either side, open-only, auto-close and one-way rules, and the auto-close word of
// level state.
class FixedItemDoorBase : public FixedItem {
    GAME_DECLARE_CLASS(FixedItemDoorBase)

public:
    static constexpr int32_t kDefaultFadeTime = 1000;

    FixedItemDoorBase() = default;
    ~FixedItemDoorBase() override;

    void Load(const LoadTable& table) override;
    void PreLoad(bool flag) override;
    void InitialUpdate() override;
    void RequestToUse(uint32_t user) override;
    void SetFixedItemState(FixedItem_State state, uint32_t user, bool instantaneous,
                           bool playSounds) override;
    bool IsOfInterest() override;
    WorldVec3 GetMoveToPoint(uint32_t user) override;
    float GetStandingDistance(float userExtent) const override;
    bool IsAutoCloseEnabled() const override { return autoClose; }
    bool IsAlternateLock(uint32_t user) override;
    bool ShouldSaveState() const override { return true; }
    void SaveState(BinaryWriter& writer) const override;
    bool RestoreState(BinaryReader& reader) override;

    bool IsOpenOnly() const { return openOnly; }

protected:
    // Virtual operations added to the fixed item's, in the order of their slots. A plain door
    // shows nothing of its opening: only the kinds animate or swap meshes.
    virtual void Open() {}
    virtual void InstantaneousOpen() {}
    virtual void Close() {}
    virtual void InstantaneousClose() {}

private:
    // Whether a character stands in front; false for an id that names no character.
    bool IsUserInFront(uint32_t user, bool& isCharacter) const;
    void Swing(const FixedItemLook& look, bool opening, uint32_t user, bool playSounds);

    FixedItemLook closeLook;
    FixedItemLook openLook;
    FixedItemLook openLoop;
    int32_t openLoopFadeTime = kDefaultFadeTime;
    FixedItemLook closedLoop;
    int32_t closedLoopFadeTime = kDefaultFadeTime;
    bool openOnly = false;
    bool autoClose = false;
    bool oneWayDoor = false;
    bool reverseOneWayDirection = false;
};

// A door that plays open and close animations; every event of them rebuilds its obstacle.
class FixedItemDoor : public FixedItemDoorBase {
    GAME_DECLARE_CLASS(FixedItemDoor)

public:
    FixedItemDoor() = default;
    ~FixedItemDoor() override;

    void Load(const LoadTable& table) override;
    void PreLoad(bool flag) override;
    void AnimationCallback(int32_t kind, const Name& name) override;

protected:
    void Open() override;
    void InstantaneousOpen() override;
    void Close() override;
    void InstantaneousClose() override;

private:
    AnimationEntry closeAnimation;
    AnimationEntry openAnimation;
};

// A door that swaps an open mesh for a closed one.
class FixedItemDoorSwapping : public FixedItemDoorBase {
    GAME_DECLARE_CLASS(FixedItemDoorSwapping)

public:
    FixedItemDoorSwapping();
    ~FixedItemDoorSwapping() override;

    void Load(const LoadTable& table) override;
    void PreLoad(bool flag) override;

    GraphicsMeshInstance* GetOpenMesh() const { return openMesh.get(); }
    GraphicsMeshInstance* GetClosedMesh() const { return closedMesh.get(); }

protected:
    void Open() override;
    void InstantaneousOpen() override { Open(); }
    void Close() override;
    void InstantaneousClose() override { Close(); }

private:
    std::unique_ptr<GraphicsMeshInstance> openMesh;
    std::unique_ptr<GraphicsMeshInstance> closedMesh;
    GraphicsMeshInstance* previousMesh = nullptr;
    bool previousKept = false;
};

// Opens a door on a touch, closes it on the next unless it opens only, and closes an
// auto-closing door once nobody stands near.
class FixedItemDoorController : public FixedItemController {
public:
    enum State : int32_t { None = 0, Closed = 1, Closing = 2, Opening = 3, Open = 4 };

    void LoadFromDatabase(const std::string& name) override;
    void AnimationCallback(int32_t kind, const Name& name) override;
    void InitialUpdate() override;
    void TouchedByActor() override;
    void Update(int32_t ms) override;

    State GetState() const { return state; }

private:
    void FollowItemState();
    bool AnyoneNear() const;

    State state = None;
    bool openOnly = false;
    FixedItem_State seenState = FixedItem_None;
};

} // namespace GAME
