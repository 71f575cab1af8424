#pragma once

#include "engine/WorldCoords.h"
#include "world/FixedItemLockLook.h"

#include <cstdint>
#include <string>

namespace GAME {

// A fixed item that moves the local player elsewhere: a static portal placed in the level, whose
// destination is another member of its instance group, or a player's own portal made during
// play, which lives only while the game engine lists it.
class FixedItemTeleport : public FixedItemLockLook {
    GAME_DECLARE_CLASS(FixedItemTeleport)

public:
    // One player portal as every machine lists it.
    struct TeleportInfo {
        uint32_t teleportId = 0;
        uint32_t ownerId = 0;
        WorldCoords coords;
        std::string recordName;
    };

    // How long an unlisted player portal may stay, counted in clamped frame time.
    static constexpr int32_t kValidationLimit = 2000;

    FixedItemTeleport() = default;
    ~FixedItemTeleport() override;

    void Load(const LoadTable& table) override;
    void UpdateSelf(int32_t elapsedMs) override;
    WorldVec3 GetMoveToPoint(uint32_t user) override;
    void RequestToUse(uint32_t user) override;
    bool IsOfInterest() override { return !IsLocked() || !GetLockedTextTag().empty(); }
    // Only static portals stand in the walkers' way.
    void CreatePathObstacle() override;
    void RemovePathObstacle() override;
    std::wstring GetGameDescription(bool shortForm) const override;
    // The unique id travels, so every machine finds the portal in its instance groups.
    void WriteReplicationData(NetPacketOutBuffer& out) override;
    void ReadReplicationData(NetPacketInBuffer& in) override;
    void ApplyReplicationData() override;

    bool IsStaticPortal() const { return staticPortal; }
    const std::string& GetTextTag() const { return textTag; }
    int32_t GetValidationTime() const { return validationTime; }
    const std::wstring& GetOwnerName() const { return ownerName; }

private:
    void UsePlayerPortal(uint32_t user) const;
    void UseStaticPortal() const;

    bool staticPortal = false;
    std::string textTag = "tagSBoatQuestion";
    std::wstring ownerName;
    int32_t validationTime = 0;
    bool replicatedIdPresent = false;
    uint32_t replicatedId[4] = {0, 0, 0, 0};
};

} // namespace GAME
