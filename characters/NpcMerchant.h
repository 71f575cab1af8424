#pragma once

#include "characters/Npc.h"

#include <cstdint>
#include <string>

namespace GAME {

class World;

enum MarketMerchantType : int32_t {
    MarketMerchantType_Generic = 0,
    MarketMerchantType_Mage = 1,
    MarketMerchantType_Melee = 2,
};

// The townsman who keeps a market. His object id is the market's id on every machine: the
// market client lives exactly while he is in a level, and the market server finds him to read
// the market record and to hold its refresh back while he talks.
class NpcMerchant : public Npc {
    GAME_DECLARE_CLASS(NpcMerchant)

public:
    NpcMerchant() = default;
    ~NpcMerchant() override;

    void Load(const LoadTable& table) override;
    void OnAddToLevel(World* level) override;
    void OnRemoveFromLevel(World* level) override;
    void UpdateSelf(int32_t elapsedMs) override;
    void AppendDetailMapData(std::vector<MinimapGameNugget>& list) const override;
    bool IsOfInterest() const override { return true; }
    void OnPlayerInteract(uint32_t playerId, bool flag1, bool flag2) override;
    void Converse(uint32_t talkerId) override;
    void Dialog_ReplaceStatic(const char* fileName, Action_UpdateNPCDialog* action,
                              bool played) override;
    void Dialog_OverridePlayback(const SoundDescriptor& descriptor) override;

    void Dialog_Short();
    void Dialog_Long();
    void Dialog_Goodbye();

    MarketMerchantType GetMerchantType() const { return merchantType; }
    const std::string& GetMarketName() const { return marketName; }
    void GetMerchantTypeText(std::wstring& out) const;
    std::wstring GetRolloverDescription() const;
    bool HasVoice() const { return voice; }
    bool IsChattingLatched() const { return chattingLatch; }

private:
    void SetDialogMode(int32_t mode);

    std::string marketName;
    bool chattingLatch = false;
    MarketMerchantType merchantType = MarketMerchantType_Generic;
    std::string merchantTypeTag;
    bool voice = true;
};

} // namespace GAME
