#include "characters/NpcMerchant.h"

#include "characters/Player.h"
#include "core/GameEvents.h"
#include "core/Saturate.h"
#include "engine/Engine.h"
#include "engine/EventManager.h"
#include "engine/LoadTable.h"
#include "engine/LocalizationManager.h"
#include "engine/SoundManager.h"
#include "game/GameEngine.h"
#include "game/MinimapGameNugget.h"
#include "quests/MerchantDialogPak.h"

#include <strings.h>

namespace GAME {

GAME_IMPLEMENT_CLASS(NpcMerchant, Npc);

namespace {

constexpr uint32_t kMerchantMapKind = 7;

const char* PunctuationRecord(MarketMerchantType type)
{
    switch (type) {
    case MarketMerchantType_Mage:
        return "Records/Effects/ObjectEffects/ShieldMage01.dbr";
    case MarketMerchantType_Melee:
        return "Records/Effects/ObjectEffects/ShieldMelee01.dbr";
    default:
        return "Records/Effects/ObjectEffects/ShieldGeneral01.dbr";
    }
}

MarketMerchantType ResolveMerchantType(const std::string& text)
{
    if (text == "Mage")
        return MarketMerchantType_Mage;
    if (text == "Melee")
        return MarketMerchantType_Melee;
    return MarketMerchantType_Generic;
}

} // namespace

NpcMerchant::~NpcMerchant()
{
    // The world lets go of us only after this part of the merchant is gone.
    if (IsInWorld() && gGameEngine != nullptr)
        gGameEngine->DestroyMarketClient(GetObjectId());
}

void NpcMerchant::Load(const LoadTable& table)
{
    const size_t difficulty =
        gGameEngine != nullptr ? static_cast<size_t>(gGameEngine->GetGameDifficulty()) : 0;
    marketName = table.GetStringAt("marketFileName", difficulty, "");
    merchantType = ResolveMerchantType(table.GetString("merchantType", "Generic"));
    merchantTypeTag = table.GetString("merchantTypeTag", "");
    Npc::Load(table);
    if (!gEngine->IsLevelEditor())
        AttachPunctuation(PunctuationRecord(merchantType));
    const std::string language = gEngine->GetOptions().GetValue("language", "english");
    if (strcasecmp(language.c_str(), "english") != 0)
        voice = false;
}

void NpcMerchant::OnAddToLevel(World* level)
{
    Npc::OnAddToLevel(level);
    if (gGameEngine != nullptr)
        gGameEngine->CreateMarketClient(GetObjectId());
}

void NpcMerchant::OnRemoveFromLevel(World* level)
{
    Npc::OnRemoveFromLevel(level);
    if (gGameEngine != nullptr)
        gGameEngine->DestroyMarketClient(GetObjectId());
}

void NpcMerchant::UpdateSelf(int32_t elapsedMs)
{
    Npc::UpdateSelf(elapsedMs);
    chattingLatch = IsChatting();
    if (dialogTimer > 0)
        Dialog_Short();
    else if (dialogTimer == 0)
        Dialog_Long();
}

void NpcMerchant::AppendDetailMapData(std::vector<MinimapGameNugget>& list) const
{
    MinimapGameNugget nugget;
    nugget.type = kMerchantMapKind;
    nugget.text = GetGameDescription(false);
    nugget.position = GetCoords().GetPosition();
    nugget.facing = GetCoords().GetRegionCoords().forward;
    list.push_back(std::move(nugget));
}

void NpcMerchant::OnPlayerInteract(uint32_t playerId, bool /*flag1*/, bool /*flag2*/)
{
    Converse(playerId);
    AddSocialTarget(playerId);
    GameEvent_ActivateNPCMarket event;
    event.merchantId = GetObjectId();
    event.playerId = playerId;
    EventManager::Instance().Send("GameEvent_ActivateNPCMarket", event);
}

void NpcMerchant::Converse(uint32_t talkerId)
{
    const Player* local = GetLocalPlayer();
    if (local == nullptr || talkerId != local->GetObjectId() || dialogPak == nullptr)
        return;
    if (voice)
        dialogPak->Speak(dialogCompleteCallback.get());
    dialogTimer = SaturateToInt(dialogPak->GetShortGreetingTime() * 1000.0);
}

void NpcMerchant::Dialog_ReplaceStatic(const char* fileName, Action_UpdateNPCDialog* action,
                                       bool /*played*/)
{
    saveStateWanted = true;
    DialogPak* old = dialogPak;
    dialogPak = nullptr;
    DestroyDialogPak(old);
    if (fileName != nullptr && *fileName != '\0')
        dialogPak = MerchantDialogPak::Spawn(fileName);
    updateDialogAction = action;
}

void NpcMerchant::Dialog_OverridePlayback(const SoundDescriptor& descriptor)
{
    SoundDescriptor sound = descriptor;
    SoundManager::Instance().Play2D(sound, false);
}

void NpcMerchant::Dialog_Short()
{
    SetDialogMode(MerchantDialogPak::SelectShort);
}

void NpcMerchant::Dialog_Long()
{
    SetDialogMode(MerchantDialogPak::SelectLong);
}

void NpcMerchant::Dialog_Goodbye()
{
    SetDialogMode(MerchantDialogPak::SelectGoodbye);
}

void NpcMerchant::SetDialogMode(int32_t mode)
{
    if (auto* pak = dynamic_cast<MerchantDialogPak*>(dialogPak))
        pak->SetSelectionKind(mode);
}

void NpcMerchant::GetMerchantTypeText(std::wstring& out) const
{
    out += LocalizationManager::Instance().Format("SimpleStringFormat", merchantTypeTag);
}

std::wstring NpcMerchant::GetRolloverDescription() const
{
    std::wstring text =
        LocalizationManager::Instance().Format("SimpleStringFormat", GetGameDescription(false));
    text += L" - ";
    GetMerchantTypeText(text);
    return text;
}

} // namespace GAME
