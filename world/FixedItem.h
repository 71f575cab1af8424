#pragma once

#include "characters/AnimationSound.h"
#include "characters/Bonus.h"
#include "characters/Team.h"
#include "combat/AuraManager.h"
#include "engine/Actor.h"
#include "engine/DynamicObstacle.h"
#include "engine/GameTimer.h"
#include "engine/WorldVec3.h"
#include "items/ItemReplicaInfo.h"
#include "world/SpecialFX.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace GAME {

class FixedItemController;
class FixedItemSkill;
class SoundPak;

// The one numbered state of every fixed item; each kind uses its own few.
enum FixedItem_State : int32_t {
    FixedItem_None = 0,
    FixedItem_ContainerClosed = 1,
    FixedItem_ContainerOpen = 2,
    FixedItem_ShrineIdle = 3,
    FixedItem_ShrineIdleToActive = 4,
    FixedItem_ShrineActive = 5,
    FixedItem_ShrineActiveToDormant = 6,
    FixedItem_ShrineDormant = 7,
    FixedItem_ShrineDormantToIdle = 8,
    FixedItem_DoorClosed = 9,
    FixedItem_DoorOpen = 10,
    // Only ever a request: the door opens and stops closing by itself.
    FixedItem_DoorOpenForGood = 11
};

// False for a word that names no state (from a save or a peer).
inline bool IsFixedItemState(uint32_t word)
{
    return word <= static_cast<uint32_t>(FixedItem_DoorOpenForGood);
}

// The base of the usable objects that stand in a level and never move: chests, doors, shrines,
// teleporters and the like. The controller decides (only where the game logic runs); a config
// command carries the decision, and every machine plays it through `SetFixedItemState`,
// `UseOnTarget` or `UseSkillOnTargets`.
class FixedItem : public Actor {
    GAME_DECLARE_CLASS(FixedItem)

public:
    // The animation-event names of the five record sounds.
    static constexpr size_t kSoundCount = 5;

    FixedItem();
    ~FixedItem() override;

    void Load(const LoadTable& table) override;
    void PreLoad(bool flag) override;
    void InitialUpdate() override;
    void UpdateSelf(int32_t elapsedMs) override;
    void AnimationCallback(int32_t kind, const Name& name) override;
    void OnAddToLevel(World* /*level*/) override { CreatePathObstacle(); }
    void OnMoveInLevel() override { CreatePathObstacle(); }
    void OnRemoveFromLevel(World* /*level*/) override { RemovePathObstacle(); }

    bool IsStatic() const override { return false; }
    bool OccludesPathing() const override { return false; }
    bool ShouldServerSpawn() const override { return true; }
    bool ShouldSaveState() const override { return true; }
    // Fixed items belong to their level and stay with it when a walker leaves.
    virtual bool DeleteOnEnteringUnloadedLevel() const { return false; }
    virtual bool GetIsPartOfLevel() const { return true; }

    // Virtual operations, in the order of their slots.
    virtual void RequestToUse(uint32_t user);
    virtual void UseOnTarget(uint32_t user, const std::vector<uint32_t>& targets);
    virtual void UseSkillOnTargets(uint32_t user, const std::vector<uint32_t>& targets);
    virtual void SetFixedItemState(FixedItem_State /*state*/, uint32_t /*user*/,
                                   bool /*instantaneous*/, bool /*playSounds*/)
    {}
    virtual bool IsOfInterest() { return false; }
    virtual bool CanIUse(uint32_t /*user*/) { return true; }
    virtual WorldVec3 GetMoveToPoint(uint32_t user);
    virtual float GetExtraReach() { return 1.0f; }
    virtual FixedItemSkill* GetSkill() const;
    virtual int32_t GetSkillDelay() const { return skillDelay; }
    virtual void SetLock(bool lock) { locked = lock; }
    virtual bool IsLocked() const { return locked; }
    virtual bool IsCharacterInFront(const WorldCoords& point) const;
    virtual float GetStandingDistance(float userExtent) const;
    virtual bool IsAutoCloseEnabled() const { return false; }
    virtual bool IsAlternateLock(uint32_t /*user*/) { return false; }
    virtual void CreatePathObstacle();
    virtual void RemovePathObstacle();
    virtual void DebugRender();

    void GiveBonusToTargets(const std::vector<uint32_t>& targets);
    void PlaySkillWarningFx();
    void DropAdditionalItems(ItemReplicaInfo& info, uint32_t count);
    void SetDropPerPartyMemberItem(const ItemReplicaInfo& info) { dropPerPartyMember = info; }
    ItemReplicaInfo GetDropPerPartyMemberItem() const { return dropPerPartyMember; }
    WorldCoords GetLootDropCoords() const;
    void PlayLockedSound();
    void NotifyAllies(uint32_t user);
    // "GameEvent_FixedItemUse" for the quests: this item, used by the user.
    void SendUseEvent(uint32_t user) const;
    virtual std::wstring GetGameDescription(bool shortForm) const;
    // Half the mesh's bounding diagonal; 0 without a mesh.
    float GetExtents() const;
    // The point's offset from the item, in the item's region.
    Vec3 OffsetTo(const WorldVec3& point) const;

    // The level handed down by the spawn pool that placed the item; its loot equations read it.
    void SetProxyLevel(uint32_t level) { proxyLevel = level; }
    uint32_t GetProxyLevel() const { return proxyLevel; }

    FixedItem_State GetCurrentState() const { return currentState; }
    // The frame timer's time at the last update.
    uint32_t GetFrameElapsed() const { return elapsed; }
    FixedItem_State GetPendingState() const { return pendingState; }
    FixedItemController* GetController() const { return controller.get(); }
    const Bonus& GetBonus() const { return bonus; }
    const Team& GetItemTeam() const { return team; }
    SpecialFX& GetActiveEffect() { return activeEffect; }
    SoundPak* GetLockedSound() const;
    const std::string& GetLockedTextTag() const { return lockedTextTag; }
    size_t GetNumPathObstacles() const { return pathObstacles.size(); }
    const DynamicObstacle* GetPathObstacle(size_t index) const;

    // Level state after the actor's: the state, the lock, the per-party-member drop item.
    // A restore refuses a word that names no state; one cut short keeps what it read.
    void SaveState(BinaryWriter& writer) const override;
    bool RestoreState(BinaryReader& reader) override;
    void WriteReplicationData(NetPacketOutBuffer& out) override;
    void ReadReplicationData(NetPacketInBuffer& in) override;
    void ApplyReplicationData() override;

protected:
    // Stores the state and tells the controller.
    void SetCurrentState(FixedItem_State state);
    // Kinds create their controller in their `InitialUpdate`, never on a client or in the
    // editor: construct, parent, record, current state, initial update.
    void InstallController(std::unique_ptr<FixedItemController> made);
    static bool ControllersRunHere();
    void SetObstacleRefreshPending() { obstacleRefreshPending = true; }
    // Logs once per restore that the bytes ran out.
    bool RestoreCutShort() const;

private:
    void RefreshPathObstacle(uint32_t gap);
    void LoadSkill(const std::string& record);
    void DestroyOwnedObjects();

    FixedItem_State currentState = FixedItem_None;
    FixedItem_State pendingState = FixedItem_None;
    SpecialFX activeEffect;
    Bonus bonus;
    std::unique_ptr<FixedItemController> controller;
    AuraManager auraManager;
    AnimationSound animationSounds;
    std::array<std::string, kSoundCount> soundFiles;
    // Held by id: tearing every object down at once may take the skill first.
    uint32_t skillId = 0;
    int32_t skillDelay = 1;
    std::vector<std::unique_ptr<DynamicObstacle>> pathObstacles;
    bool obstacleRefreshPending = false;
    Team team;
    uint32_t proxyLevel = 0;
    GameTimer frameTimer;
    uint32_t elapsed = 0;
    bool locked = false;
    std::string lockedTextTag;
    std::string descriptionTag;
    ItemReplicaInfo dropPerPartyMember;
    uint32_t lockedSoundId = 0;
    int32_t obstacleCountdown = 0;
    uint32_t replicatedState = 0;
    bool replicatedLock = false;
};

} // namespace GAME
