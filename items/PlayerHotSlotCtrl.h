#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace GAME {

class HotSlotOption;
class IOStream;
class Player;

// The player's quick-use bar: slots 0-9 the bar, 10-13 the primary and secondary mouse actions
// of the normal and the alternate configuration. Equal options share one object.
class PlayerHotSlotCtrl {
public:
    static constexpr uint32_t kNumSlots = 14;
    static constexpr int32_t kActiveHoldTime = 500;
    static constexpr int32_t kValidateInterval = 250;

    PlayerHotSlotCtrl();
    virtual ~PlayerHotSlotCtrl();
    PlayerHotSlotCtrl(const PlayerHotSlotCtrl&) = delete;
    PlayerHotSlotCtrl& operator=(const PlayerHotSlotCtrl&) = delete;

    void SetPlayer(Player* player) { this->player = player; }
    Player* GetPlayer() const { return player; }

    // The slot takes a copy of the option, or shares a slot's equal one; null empties it.
    void SetHotSlot(uint32_t index, const HotSlotOption* option);
    HotSlotOption* GetHotSlotOption(uint32_t index) const;
    int32_t GetSlotStatus(uint32_t index) const;

    void ActivateHotSlot(uint32_t index);
    void ActivatePrimarySlot();
    void ActivateSecondarySlot();
    HotSlotOption* GetActiveSlotOption(bool primary);
    bool DeactivateActiveSlot();
    bool IsAnySlotActive() const { return activeOption != nullptr && activeTimer == 0; }
    bool IsAnyActiveTargetingNeeded() const { return targetingNeeded; }
    bool IsHotSlotActive(uint32_t index) const;
    bool IsPrimarySlotActive() const;
    bool IsSecondarySlotActive() const;

    void SetPrimarySlot(const HotSlotOption* option);
    HotSlotOption* GetPrimarySlot() const;
    void SetSecondarySlot(const HotSlotOption* option);
    HotSlotOption* GetSecondarySlot() const;
    int32_t GetPrimaryStatus() const;
    int32_t GetSecondaryStatus() const;

    // Kept for the callers; the mouse skills live in slots 10-13.
    void SetPrimarySkillId(uint32_t /*skillId*/) {}
    uint32_t GetPrimarySkillId() const { return 0; }
    void SetSecondarySkillId(uint32_t /*skillId*/) {}
    uint32_t GetSecondarySkillId() const { return 0; }
    void SetDefaultPotionHotSlots(const char* /*name*/, const void* /*potion*/) {}

    void Update(int32_t elapsedMs);
    void SetToDefaults();
    bool IsInDefaultState() const;
    // The hot-slot block of the player's save stream, one routine for both directions.
    void StreamProperties(IOStream* stream);
    // The skills the slots last read named but the player does not hold, in slot order: such a
    // slot would be written back empty.
    const std::vector<std::string>& GetPassedOverSkills() const { return passedOverSkills; }
    // The skills the slots last read named that the player holds but cannot use (at level 0),
    // in slot order: the next validation empties their slots.
    const std::vector<std::string>& GetUnusableSkills() const { return unusableSkills; }

    int32_t GetActiveTimer() const { return activeTimer; }
    // While set, the player controller fires no armed option (the host's interface holds it).
    void SetActivationBlocked(bool blocked) { activationBlocked = blocked; }
    bool IsActivationBlocked() const { return activationBlocked; }

private:
    // Empties the slot and destroys its option unless another slot shares it.
    void ClearSlot(uint32_t index);
    void SetDefaultSkillSlot(uint32_t index);
    void CollectUnusableSkills();
    uint32_t PrimaryIndex() const;
    bool IsOptionActiveIn(const HotSlotOption* option) const;

    Player* player = nullptr;
    // Raw because one option may sit in several slots; owned here, freed by ClearSlot.
    std::array<HotSlotOption*, kNumSlots> slots{};
    HotSlotOption* activeOption = nullptr;
    int32_t activeTimer = 0;
    bool targetingNeeded = false;
    int32_t activeHoldTime = kActiveHoldTime;
    int32_t validateTimer = 0;
    int32_t validateInterval = kValidateInterval;
    bool activationBlocked = false;
    std::vector<std::string> passedOverSkills;
    std::vector<std::string> unusableSkills;
};

} // namespace GAME
