#include "multiplayer/GameEngineInboundInterface.h"

#include "items/TradeManager.h"

#include "characters/AnimationSet.h"
#include "characters/Player.h"
#include "core/DialogManager.h"
#include "core/RandomUniform.h"
#include "engine/Engine.h"
#include "engine/Entity.h"
#include "engine/LocalizationManager.h"
#include "engine/ObjectManager.h"
#include "engine/PhysicsEngine.h"
#include "engine/SkeletalPose.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "game/GameEngine.h"
#include "game/UINotification.h"
#include "items/Item.h"
#include "items/MarketClient.h"
#include "items/MarketServer.h"
#include "items/TradeManager.h"
#include "multiplayer/GameEngineClientServicesModule.h"
#include "multiplayer/GameEngineServerServicesModuleBase.h"
#include "multiplayer/PartyManager.h"
#include "multiplayer/PlayerManagerClient.h"
#include "multiplayer/PlayerManagerServer.h"
#include "quests/QuestRepository.h"
#include "world/FixedItem.h"

#include <cmath>
#include <cwchar>

namespace GAME {

namespace {
constexpr const char* kGameEngineInboundInterfaceSource =
    "Project\\Game\\GameEngineInboundInterface";

// The market of a merchant on this machine; null without one (a client's server module never
// has one).
MarketClient* ClientMarket(uint32_t marketId)
{
    return GameEngine::Get().GetClientServices()->GetMarketClient(marketId);
}

MarketServer* ServerMarket(uint32_t marketId)
{
    return GameEngine::Get().GetServerServices()->GetMarketServer(marketId);
}

PlayerManagerClient* ClientPlayers()
{
    return GameEngine::Get().GetPlayerManagerClient();
}

PlayerManagerServer* ServerPlayers()
{
    return GameEngine::Get().GetPlayerManagerServer();
}

Character* CharacterOf(uint32_t characterId)
{
    return ObjectManager::Instance().GetObject<Character>(characterId);
}

// True when every code of the text is a text code (%s, %ls, %S).
bool TakesOneText(const std::wstring& format)
{
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != L'%')
            continue;
        size_t j = i + 1;
        while (j < format.size() && wcschr(L"-+ #0123456789.l", format[j]) != nullptr &&
               format[j] != 0)
            ++j;
        if (j == format.size() || (format[j] != L's' && format[j] != L'S'))
            return false;
        i = j;
    }
    return true;
}

// The tag comes from another machine and is used as a format, so it may only place the one
// name it is given: a tag the texts do not know, or one whose text asks for anything else,
// shows as written.
std::wstring FormatWithName(const std::string& textTag, const std::wstring& name)
{
    const LocalizationManager& texts = LocalizationManager::Instance();
    // Without arguments every code stays as written.
    std::wstring literal = texts.Format(textTag);
    if (!texts.HasTag(textTag) || !TakesOneText(literal))
        return literal;
    return texts.Format(textTag, name);
}

// A bubble over the game, or a notice the player must close.
void ShowRemoteText(bool asBubble, const std::wstring& text)
{
    GameEngine& game = GameEngine::Get();
    if (asBubble)
        game.AddUINotification(UINotificationKind_Message, text, false);
    else
        game.GetDialogManager().AddDialog(DialogManager::DialogNotice, false,
                                          DialogManager::PartyNotice, text, true, true);
}
} // namespace

namespace {

TradeManager* Trades()
{
    return gGameEngine != nullptr ? gGameEngine->GetTradeManager() : nullptr;
}

} // namespace

// The trade manager judges the sender; the receiver was this machine's business on the way in.
void GameEngineInboundInterface::TradeInitiate(uint32_t sender, uint32_t /*receiver*/)
{
    if (TradeManager* trades = Trades())
        trades->HandleInitiateTradeInbound(sender);
}

void GameEngineInboundInterface::TradeCancel(uint32_t sender, uint32_t /*receiver*/)
{
    if (TradeManager* trades = Trades())
        trades->HandleCancelTradeInbound(sender);
}

void GameEngineInboundInterface::TradeFinalize(uint32_t sender, uint32_t /*receiver*/)
{
    if (TradeManager* trades = Trades())
        trades->HandleFinalizeTradeInbound(sender);
}

void GameEngineInboundInterface::TradeAddItem(uint32_t sender, uint32_t /*receiver*/,
                                              const Vec2& position, const ItemReplicaInfo& item)
{
    if (TradeManager* trades = Trades())
        trades->HandleAddItemInbound(sender, position, item);
}

void GameEngineInboundInterface::TradeRemoveItem(uint32_t sender, uint32_t /*receiver*/,
                                                 uint32_t itemId)
{
    if (TradeManager* trades = Trades())
        trades->HandleRemoveItemInbound(sender, itemId);
}

void GameEngineInboundInterface::TradeSetGoldAmount(uint32_t sender, uint32_t /*receiver*/,
                                                    uint32_t gold)
{
    if (TradeManager* trades = Trades())
        trades->HandleSetGoldAmountInbound(sender, gold);
}

void GameEngineInboundInterface::GiveGoldToPlayer(uint32_t playerId, int32_t amount)
{
    Player* player = ObjectManager::Instance().GetObject<Player>(playerId);
    if (player == nullptr)
        return;
    // Negated as an unsigned word: the lowest int takes 2,147,483,648 instead of wrapping.
    const uint32_t magnitude = static_cast<uint32_t>(amount);
    if (amount > 0)
        player->AddMoney(magnitude);
    else
        player->SubtractMoney(0u - magnitude);
}

void GameEngineInboundInterface::CreateItem(uint32_t characterId, const WorldCoords& coords,
                                            const ItemReplicaInfo& item, std::wstring* nameOut)
{
    Item* created = Item::CreateItem(item);
    if (created == nullptr)
        return;
    if (nameOut != nullptr)
        *nameOut = created->GetGameDescription(false);
    if (characterId == 0) {
        DropCreatedItem(*created, coords, item.seed);
        return;
    }
    if (Character* character = ObjectManager::Instance().GetObject<Character>(characterId)) {
        character->GiveItemToCharacter(created);
        return;
    }
    gEngine->Log(Engine::LogData, "GameEngine: Unable to resolve character (%d) to give item (%d)",
                 static_cast<int>(characterId), static_cast<int>(item.id));
    ObjectManager::Instance().DestroyObjectEx(created, kGameEngineInboundInterfaceSource, __LINE__);
}

// Every machine scatters the drop alike: the draws come from the item's own seed.
void GameEngineInboundInterface::DropCreatedItem(Item& item, const WorldCoords& coords,
                                                 uint32_t seed)
{
    constexpr float kTwoPi = 6.2831855f;
    RandomUniform random;
    random.Seed(seed);
    const float a = random.FGenerate(0.0f, kTwoPi);
    const Vec3 offset(0.5f * std::cos(a), 1.0f, 0.5f * std::sin(a));
    const float b = random.FGenerate(0.0f, kTwoPi);
    WorldVec3 position = coords.GetPosition();
    position.Translate(offset);
    Coords rotation = Coords::RotationAboutAxis(b, Vec3(0.0f, 1.0f, 0.0f));
    WorldCoords drop(coords.GetRegionId(), rotation);
    drop.SetPosition(position);
    item.SetPose(SkeletalPose());
    item.SetPhysicsType(2);
    // An item the world refuses would stay behind unowned and unseen.
    World* world = gEngine->GetWorld();
    if (world == nullptr || !world->AddEntity(&item, drop, false)) {
        gEngine->Log(Engine::LogRuntime, "GameEngine: Unable to drop item (%d) into the world",
                     static_cast<int>(item.GetObjectId()));
        ObjectManager::Instance().DestroyObjectEx(&item, kGameEngineInboundInterfaceSource,
                                                  __LINE__);
        return;
    }
    Vec3 linear = coords.GetRegionCoords().forward;
    linear.y += 4.0f;
    Vec3 angular;
    angular.x = random.FGenerate(-8.0f, 8.0f);
    angular.y = random.FGenerate(-8.0f, 8.0f);
    angular.z = random.FGenerate(-8.0f, 8.0f);
    PhysicsEngine& physics = gEngine->GetPhysicsEngine();
    physics.SetEntityLinearVelocity(&item, linear);
    physics.SetEntityAngularVelocity(&item, angular);
    item.SetDropSoundToPlay();
}

void GameEngineInboundInterface::CreateEntity(const WorldCoords& coords,
                                              const std::string& recordName, uint32_t objectId)
{
    if (recordName.empty())
        return;
    ObjectManager& objects = ObjectManager::Instance();
    const uint32_t id = objectId != 0 ? objectId : objects.CreateObjectID();
    Entity* entity = objects.CreateObjectFromFile<Entity>(recordName, id, true);
    World* world = gEngine->GetWorld();
    // One the world refuses would stay behind, unseen and never destroyed.
    if (entity != nullptr && (world == nullptr || !world->AddEntity(entity, coords, false)))
        objects.DestroyObjectEx(entity, kGameEngineInboundInterfaceSource, __LINE__);
}

void GameEngineInboundInterface::CreateFixedItemTeleport(const WorldCoords& coords,
                                                         uint32_t ownerId, uint32_t objectId,
                                                         const std::string& sectorTag,
                                                         uint32_t /*targetPlayerId*/)
{
    GameEngine::Get().CreateFixedItemTeleportNetHook(coords, ownerId, objectId, sectorTag);
}

void GameEngineInboundInterface::DestroyFixedItemTeleport(uint32_t objectId)
{
    GameEngine::Get().DestroyFixedItemTeleportNetHook(objectId);
}

void GameEngineInboundInterface::StoC_AllPlayersHeartbeat(
    const std::vector<PlayerNetHeartbeatInfo>& players)
{
    if (PlayerManagerClient* client = ClientPlayers())
        client->HandlePlayerHeartbeatInbound(players);
}

void GameEngineInboundInterface::CtoS_SinglePlayerHeartbeat(const PlayerNetHeartbeatInfo& player)
{
    if (PlayerManagerServer* server = ServerPlayers())
        server->HandlePlayerHeartbeatInbound(player);
}

void GameEngineInboundInterface::StoC_AllPlayersUpdate(
    const std::vector<PlayerNetBasicInfo>& players)
{
    if (PlayerManagerClient* client = ClientPlayers())
        client->HandlePlayerUpdate(players);
}

void GameEngineInboundInterface::CtoS_AddNewPlayer(const PlayerNetBasicInfo& player)
{
    if (PlayerManagerServer* server = ServerPlayers())
        server->HandleNewPlayer(player);
}

void GameEngineInboundInterface::HandleBonusToClient(const Bonus& bonus,
                                                     const uint32_t& /*playerId*/)
{
    if (PlayerManagerClient* client = ClientPlayers())
        client->HandleBonus(bonus);
}

void GameEngineInboundInterface::HandleBonusToServer(const Bonus& bonus, const WorldVec3& location,
                                                     const uint32_t& playerId)
{
    GameEngine::Get().HandleBonusToServerInbound(bonus, location, playerId);
}

void GameEngineInboundInterface::HandleQuestMessagePacket(uint32_t /*senderId*/,
                                                          bool isConditionSet,
                                                          const std::vector<uint32_t>& words,
                                                          uint32_t /*receiverId*/)
{
    if (isConditionSet)
        QuestRepository::Get().RecvConditionSet(words);
    else
        QuestRepository::Get().RecvNetMsg(words);
}

void GameEngineInboundInterface::AddPlayerToParty(uint32_t playerId, int32_t partyId)
{
    // A leader who leaves hands his party to the next member. Whether he leads must be asked
    // before his own record is rewritten, or the answer is always no.
    GameEngine& game = GameEngine::Get();
    PartyManager* parties = game.GetPartyManager();
    const bool leaderLeaves = playerId == game.GetPlayerId() && game.GetMainPlayer() != nullptr &&
                              parties != nullptr && parties->GetParty(playerId) == playerId &&
                              static_cast<uint32_t>(partyId) != playerId;
    if (PlayerManagerClient* client = ClientPlayers())
        client->AddPlayerToParty(playerId, partyId);
    if (PlayerManagerServer* server = ServerPlayers())
        server->AddPlayerToParty(playerId, partyId);
    if (leaderLeaves)
        parties->ReassignRemainingParty();
}

void GameEngineInboundInterface::InvitePlayerToParty(uint32_t inviteeId, int32_t inviterId)
{
    PartyManager* parties = GameEngine::Get().GetPartyManager();
    if (parties != nullptr)
        parties->HandlePartyInvite(inviteeId, inviterId);
}

void GameEngineInboundInterface::GameBalanceUpdate(int32_t level)
{
    GameEngine::Get().SetGameBalanceLevel(level);
}

void GameEngineInboundInterface::S2C_MarketUpdate(uint32_t marketId, const std::string& marketName,
                                                  uint32_t level, uint32_t seed,
                                                  const std::vector<uint32_t>& soldIndices)
{
    if (MarketClient* market = ClientMarket(marketId))
        market->S2C_MarketUpdate(marketName, level, seed, soldIndices);
}

void GameEngineInboundInterface::S2C_MarketPurchaseConfirmation(uint32_t marketId,
                                                                uint32_t itemIndex,
                                                                uint32_t buyerId)
{
    if (MarketClient* market = ClientMarket(marketId))
        market->S2C_MarketPurchaseConfirmation(itemIndex, buyerId);
}

void GameEngineInboundInterface::S2C_MarketPurchaseDenied(uint32_t marketId, uint32_t itemIndex,
                                                          uint32_t buyerId, MarketItemStatus status)
{
    if (MarketClient* market = ClientMarket(marketId))
        market->S2C_MarketPurchaseDenied(itemIndex, buyerId, status);
}

void GameEngineInboundInterface::S2C_MarketItemStatusUpdate(uint32_t marketId, uint32_t itemIndex,
                                                            MarketItemStatus status)
{
    if (MarketClient* market = ClientMarket(marketId))
        market->S2C_MarketItemStatusUpdate(itemIndex, status);
}

void GameEngineInboundInterface::C2S_MarketPurchaseRequest(uint32_t marketId, uint32_t level,
                                                           uint32_t seed, uint32_t itemIndex,
                                                           uint32_t buyerId)
{
    if (MarketServer* market = ServerMarket(marketId))
        market->OnPurchaseRequest(level, seed, itemIndex, buyerId);
}

void GameEngineInboundInterface::C2S_MarketSellBack(uint32_t marketId, uint32_t level,
                                                    uint32_t seed, uint32_t itemIndex,
                                                    uint32_t buyerId)
{
    if (MarketServer* market = ServerMarket(marketId))
        market->OnSellBack(level, seed, itemIndex, buyerId);
}

void GameEngineInboundInterface::C2S_MarketUpdateRequest(uint32_t marketId)
{
    if (MarketServer* market = ServerMarket(marketId))
        market->OnUpdateRequest();
}

// Shown wherever it arrives: the sender chose the receiver's machine.
void GameEngineInboundInterface::DisplayMessageRemote(uint32_t /*receiverId*/,
                                                      uint32_t aboutPlayerId, bool asBubble,
                                                      const std::string& textTag)
{
    const LocalizationManager& texts = LocalizationManager::Instance();
    std::wstring text;
    if (aboutPlayerId == 0) {
        text = texts.Format("SimpleStringFormat", textTag);
    } else {
        PlayerManagerClient* client = ClientPlayers();
        const std::wstring name =
            client != nullptr ? client->GetPlayerName(aboutPlayerId) : std::wstring(L"ErrorName");
        text = FormatWithName(textTag, name);
    }
    ShowRemoteText(asBubble, text);
}

void GameEngineInboundInterface::DisplayWMessageRemote(uint32_t /*receiverId*/, bool asBubble,
                                                       const std::wstring& text)
{
    ShowRemoteText(asBubble, text);
}

void GameEngineInboundInterface::HandleChatMessage(const std::wstring& sender,
                                                   const std::wstring& text, uint8_t channel,
                                                   std::vector<uint32_t> /*recipients*/)
{
    GameEngine::Get().AddChatMessage(sender, text, channel);
}

void GameEngineInboundInterface::QuestCommandMove(uint32_t characterId, uint32_t targetId,
                                                  WorldVec3 target, bool allowInterruptions)
{
    if (Character* character = CharacterOf(characterId))
        character->QuestCommandMove(targetId, target, allowInterruptions);
}

void GameEngineInboundInterface::QuestCommandWalk(uint32_t characterId, uint32_t targetId,
                                                  WorldVec3 target, bool allowInterruptions)
{
    if (Character* character = CharacterOf(characterId))
        character->QuestCommandWalk(targetId, target, allowInterruptions);
}

// The animation arrives as a plain word; only a value the animation set names is played.
void GameEngineInboundInterface::QuestCommandPlayAnimation(uint32_t characterId, uint32_t animation,
                                                           bool looping, bool allowInterruptions)
{
    if (animation >= static_cast<uint32_t>(kAnimationSetTypeCount)) {
        gEngine->Log(Engine::LogRuntime,
                     "GameEngine: Refused animation (%u) ordered for character (%u)", animation,
                     characterId);
        return;
    }
    if (Character* character = CharacterOf(characterId))
        character->QuestCommandPlayAnimation(static_cast<AnimationSet_Type>(animation), looping,
                                             allowInterruptions);
}

void GameEngineInboundInterface::QuestCommandUseSkill(uint32_t characterId, std::string& skillName,
                                                      uint32_t targetId, bool allowInterruptions)
{
    if (Character* character = CharacterOf(characterId))
        character->QuestCommandUseSkill(skillName, targetId, allowInterruptions);
}

void GameEngineInboundInterface::QuestCommandLockFixedItem(uint32_t objectId, bool locked)
{
    if (FixedItem* fixedItem = ObjectManager::Instance().GetObject<FixedItem>(objectId))
        fixedItem->SetLock(locked);
}

} // namespace GAME
