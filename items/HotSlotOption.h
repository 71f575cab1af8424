#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace GAME {

class IOStream;
class Player;
class PlayerInventoryCtrl;
struct GameTextLine;

// What a hot slot holds: a skill or a kind of potion, acting for one player.
class HotSlotOption {
public:
    enum SLOT_TYPE : uint32_t { SLOT_TYPE_SKILL = 0, SLOT_TYPE_POTION = 1 };
    enum HotSlotOptionStatus : int32_t {
        Status_NotUsable = 0,
        Status_Ready = 1,
        Status_CoolingDown = 2,
        Status_SkillReason2 = 3,
        Status_NoPotions = 4,
        Status_SkillReason4 = 5,
    };

    virtual ~HotSlotOption() = default;
    virtual bool Validate() const = 0;
    virtual bool operator==(const HotSlotOption& other) const;
    // Sets targetingNeeded when the use waits for a target, activated when it happened.
    virtual void Activate(bool& targetingNeeded, bool& activated) = 0;
    virtual float GetCooldownCompletion() const { return 0.0f; }
    virtual int32_t GetStatus() const { return Status_NotUsable; }
    virtual std::string GetBitmapNameUp() const { return {}; }
    virtual std::string GetBitmapNameDown() const { return {}; }
    virtual int32_t GetNumberAvailable() const { return -1; }
    virtual void GetRolloverText(std::vector<GameTextLine>& /*lines*/) const {}
    virtual std::wstring GetDisplayName() const { return {}; }
    virtual void StreamProperties(IOStream* stream) = 0;
    virtual uint32_t GetSkillId() const { return 0; }
    virtual std::unique_ptr<HotSlotOption> DeepCopy() const = 0;

    uint32_t GetType() const { return storedType; }
    void SetPlayer(Player* player) { this->player = player; }
    Player* GetPlayer() const { return player; }

protected:
    explicit HotSlotOption(uint32_t type) : storedType(type) {}
    HotSlotOption(const HotSlotOption&) = default;
    HotSlotOption& operator=(const HotSlotOption&) = default;

    Player* player = nullptr;
    uint32_t storedType;
};

class HotSlotOptionSkill : public HotSlotOption {
public:
    explicit HotSlotOptionSkill(uint32_t skillId = 0)
        : HotSlotOption(SLOT_TYPE_SKILL), skillId(skillId)
    {}
    bool Validate() const override;
    bool operator==(const HotSlotOption& other) const override;
    // A self-cast skill is used at once; any other waits for a target.
    void Activate(bool& targetingNeeded, bool& activated) override;
    float GetCooldownCompletion() const override;
    int32_t GetStatus() const override;
    std::string GetBitmapNameUp() const override;
    std::string GetBitmapNameDown() const override;
    void GetRolloverText(std::vector<GameTextLine>& lines) const override;
    std::wstring GetDisplayName() const override;
    void StreamProperties(IOStream* stream) override;
    uint32_t GetSkillId() const override { return skillId; }
    std::unique_ptr<HotSlotOption> DeepCopy() const override;

private:
    uint32_t skillId;
};

class HotSlotOptionPotion : public HotSlotOption {
public:
    enum OPTION_POTION_DEFAULT_TYPE : int32_t {
        Potion_None = -1,
        Potion_Health = 0,
        Potion_Mana = 1
    };

    static constexpr size_t kDefaultDataLength = 128;

    explicit HotSlotOptionPotion(int32_t kind = Potion_None)
        : HotSlotOption(SLOT_TYPE_POTION), kind(kind)
    {}
    // Fills the bar's look of one potion kind; longer texts are cut to fit.
    static void SetDefaultPotionData(int32_t kind, const char* up, const char* down,
                                     const wchar_t* displayName);

    bool Validate() const override { return storedType != static_cast<uint32_t>(-1); }
    bool operator==(const HotSlotOption& other) const override;
    void Activate(bool& targetingNeeded, bool& activated) override;
    float GetCooldownCompletion() const override;
    std::string GetBitmapNameUp() const override;
    std::string GetBitmapNameDown() const override;
    int32_t GetStatus() const override;
    int32_t GetNumberAvailable() const override;
    void GetRolloverText(std::vector<GameTextLine>& lines) const override;
    std::wstring GetDisplayName() const override;
    void StreamProperties(IOStream* stream) override;
    std::unique_ptr<HotSlotOption> DeepCopy() const override;
    int32_t GetKind() const { return kind; }

private:
    // The player's bag; null without a player controller.
    PlayerInventoryCtrl* GetInventoryCtrl() const;

    int32_t kind;
};

} // namespace GAME
