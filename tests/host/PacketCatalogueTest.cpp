#include "host/scenarios/PacketCatalogue.h"

#include "engine/CharacterActionPacket.h"
#include "engine/ConnectionManager.h"
#include "engine/NetPacket.h"
#include "engine/NetPacketDescriber.h"
#include "engine/ObjectContainerPacket.h"
#include "engine/ObjectInteractionPacket.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/PacketBytes.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <typeinfo>
#include <vector>

namespace GAME {
namespace {

using Test::EncodePacket;

enum class Base { Plain, Container, Action, Interaction };

// The game's packet numbers: 17, then 20 to 126 but for 31, 62 and 109 to 111.
std::vector<uint32_t> GameNumbers()
{
    std::vector<uint32_t> numbers{17};
    for (uint32_t type = 20; type <= 126; ++type)
        if (type != 31 && type != 62 && (type < 109 || type > 111))
            numbers.push_back(type);
    return numbers;
}

// The class of each number above, in the same order.
std::vector<std::string> ClassNames()
{
    std::istringstream text(
        "QuestMessagePacket FrustumUpdatePacket AllPlayersHeartbeatPacket "
        "SinglePlayerHeartbeatPacket AllPlayersBasicInfoPacket SinglePlayerBasicInfoPacket "
        "WorldInitPacket RemoteMessagePacket RemoteWMessagePacket PlayerPositionUpdatePacket "
        "PartyRequestResponsePacket SpawnPlayerPacket CreateItemPacket CreateEntityPacket "
        "ServerSpawnCompletePacket AckEntityPacket NackEntityPacket WarpEntityPacket "
        "TradeInitiatePacket TradeCancelPacket TradeSetGoldPacket TradeAddItemPacket "
        "TradeRemoveItemPacket TradeFinalizePacket CreateItemTeleportPacket "
        "DestroyItemTeleportPacket StartTeleportPacket NRLoaderStatePacket "
        "StartServerRespawnPacket MarketC2SUpdateRequestPacket MarketC2SSellBackPacket "
        "MarketC2SPurchaseRequestPacket MarketS2CStatusUpdatePacket "
        "MarketS2CPurchaseDeniedPacket MarketS2CPurchaseConfirmationPacket MarketS2CUpdatePacket "
        "QuestCommandMovePacket QuestCommandWalkPacket QuestCommandPlayAnimationPacket "
        "QuestCommandUseSkillPacket QuestCommandLockFixedItemPacket GameBalanceUpdatePacket "
        "IdleActionPacket LongIdleActionPacket MoveToPacket WalkPacket PickUpItemPacket "
        "UseItemPacket AttackPacket TakeStunPacket ImmobilizePacket TakeTrapPacket DiePacket "
        "ChatActionPacket PlayAnimationActionPacket EngageNpcPacket SpawnActionPacket "
        "RespawnPacket AttachItemConfigCmdPacket DetachItemConfigCmdPacket "
        "ReleasePetConfigCmdPacket DropItemConfigCmdPacket DropItemFromEquipLocConfigCmdPacket "
        "UseItemConfigCmdPacket UseRelicConfigCmdPacket PickupItemConfigCmdPacket "
        "CreateRemoveSkillBuffConfigCmdPacket SkillTargetResultConfigCmdPacket "
        "IncBaseStrengthConfigCmdPacket IncBaseDexterityConfigCmdPacket "
        "IncBaseIntelligenceConfigCmdPacket IncBaseLifeConfigCmdPacket "
        "IncBaseManaConfigCmdPacket ReleaseTrapConfigCmdPacket ReleaseStunConfigCmdPacket "
        "ReleaseImmobilizeConfigCmdPacket CreateProjectileConfigCmdPacket "
        "SpawnObjectConfigCmdPacket SkillStateUpdateConfigCmdPacket "
        "SkillActiveStateUpdateConfigCmdPacket RemoveInventoryItemConfigCmdPacket "
        "FixedItemStateChangeConfigCmdPacket FixedItemTargetConfigCmdPacket "
        "FixedItemSkillTargetConfigCmdPacket StrategicMovementTargetConfigCmdPacket "
        "UpdatePositionPacket JoinPartyConfigCmdPacket InvitePartyConfigCmdPacket GiveGoldPacket "
        "BonusToClientPacket BonusToServerPacket PlaySoundConfigCmdPacket "
        "RequestAllyAttackConfigCmdPacket RequestAllyMoveConfigCmdPacket "
        "ShowCharacterConfigCmdPacket StartStopDamageEffectConfigCmdPacket "
        "ActivateSkillConfigCmdPacket QuestMoveCompletedConfigCmdPacket "
        "QuestAnimationCompletedConfigCmdPacket DisableTyphonSkillEffectsConfigCmdPacket "
        "SetCausesAngerConfigCmdPacket SetInvincibleConfigCmdPacket SetTeamConfigCmdPacket ");
    std::vector<std::string> names;
    for (std::string name; text >> name;)
        names.push_back(name);
    return names;
}

// The engine base each game packet stands on.
Base ExpectedBase(uint32_t type)
{
    if (type == 30)
        return Base::Container;
    if (type >= 63 && type <= 78)
        return Base::Action;
    if ((type >= 79 && type <= 105) || type >= 115)
        return Base::Interaction;
    return Base::Plain;
}

const char* const kBaseNames[] = {"NetPacket", "ObjectContainerPacket", "CharacterActionPacket",
                                  "ObjectInteractionPacket"};

Base BaseOf(const NetPacket& packet)
{
    if (dynamic_cast<const CharacterActionPacket*>(&packet) != nullptr)
        return Base::Action;
    if (dynamic_cast<const ObjectContainerPacket*>(&packet) != nullptr)
        return Base::Container;
    if (dynamic_cast<const ObjectInteractionPacket*>(&packet) != nullptr)
        return Base::Interaction;
    return Base::Plain;
}

bool SameClass(const NetPacket& a, const NetPacket& b)
{
    return typeid(a) == typeid(b);
}

class PacketCatalogueTest : public GAME::Test::EngineFixture {};

TEST_F(PacketCatalogueTest, EveryClassHasItsNumberBaseAndRegistryEntryAndReadsItsOwnBytesBack)
{
    std::map<uint32_t, const PacketCatalogue::Entry*> samples;
    for (const PacketCatalogue::Entry& entry : PacketCatalogue::Entries())
        samples[entry.type] = &entry;
    ASSERT_EQ(samples.size(), 103u);

    const std::vector<uint32_t> numbers = GameNumbers();
    const std::vector<std::string> names = ClassNames();
    ASSERT_EQ(numbers.size(), names.size());
    for (size_t i = 0; i < numbers.size(); ++i) {
        const uint32_t type = numbers[i];
        SCOPED_TRACE(std::to_string(type) + " " + names[i]);
        std::unique_ptr<NetPacket> registered = ConnectionManager::CreatePacket(type);
        ASSERT_NE(registered, nullptr);
        EXPECT_EQ(registered->GetType(), type);
        EXPECT_EQ(NetPacketDescriber::GetClassName(*registered), names[i]);
        EXPECT_EQ(BaseOf(*registered), ExpectedBase(type));

        ASSERT_EQ(samples.count(type), 1u);
        const PacketCatalogue::Entry& entry = *samples[type];
        std::unique_ptr<NetPacket> filled = entry.makeFilled();
        ASSERT_TRUE(SameClass(*filled, *registered));
        const std::vector<uint8_t> bytes = EncodePacket(*filled);
        // Filled, unless the class has no field to fill.
        if (bytes.size() > NetPacketHeader::kSize) {
            EXPECT_NE(bytes, EncodePacket(*registered));
        }

        std::unique_ptr<NetPacket> back = ConnectionManager::DecodePacket(bytes);
        ASSERT_NE(back, nullptr);
        EXPECT_TRUE(SameClass(*back, *filled));
        EXPECT_EQ(EncodePacket(*back), bytes);
        EXPECT_EQ(EncodePacket(*entry.copy(*filled)), bytes);
        EXPECT_EQ(EncodePacket(*entry.assign(*filled)), bytes);
        EXPECT_STREQ(PacketCatalogue::BaseName(*filled),
                     kBaseNames[static_cast<int>(ExpectedBase(type))]);
    }
}

TEST_F(PacketCatalogueTest, NoOtherGameNumberIsRegistered)
{
    std::vector<uint32_t> registered;
    // The game's numbers start at 17; below are the transport's own.
    for (uint32_t type = 17; type < 256; ++type)
        if (ConnectionManager::CreatePacket(type) != nullptr)
            registered.push_back(type);
    // The catalogue, the transport's chat message and the session's own two.
    ASSERT_EQ(registered.size(), 106u);
    for (uint32_t unused : {19u, 31u, 62u, 109u, 110u, 111u}) {
        SCOPED_TRACE(unused);
        log.Clear();
        const std::vector<uint8_t> header = {static_cast<uint8_t>(unused), 0, 0, 0, 0, 0, 0, 0};
        EXPECT_EQ(ConnectionManager::DecodePacket(header), nullptr);
        EXPECT_EQ(log.Count(Engine::LogRuntime,
                            "ConnectionManager: unknown packet type " + std::to_string(unused)),
                  1u);
    }
}

// Bad input is refused with one log line and never delivered.
TEST_F(PacketCatalogueTest, EveryMessageCutShortIsRefusedWithOneLogLine)
{
    for (const PacketCatalogue::Entry& entry : PacketCatalogue::Entries()) {
        SCOPED_TRACE(entry.type);
        const std::vector<uint8_t> bytes = EncodePacket(*entry.makeFilled());
        for (size_t length = 0; length < bytes.size(); ++length) {
            log.Clear();
            EXPECT_EQ(ConnectionManager::DecodePacket(GAME::Test::CutMessage(bytes, length)),
                      nullptr)
                << length << " bytes";
            EXPECT_EQ(log.GetLines().size(), 1u) << length << " bytes";
        }
    }
}

} // namespace
} // namespace GAME
