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

#include <cstdlib>
#include <fstream>
#include <iterator>
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

// Every registered number: the transport's 1 to 5, the game's 17 and 18, then 20 to 126 but for
// 31, 62 and 109 to 111, and the session's 127 and 128.
std::vector<uint32_t> RegisteredNumbers()
{
    std::vector<uint32_t> numbers{1, 2, 3, 4, 5, 17, 18};
    for (uint32_t type = 20; type <= 128; ++type)
        if (type != 31 && type != 62 && (type < 109 || type > 111))
            numbers.push_back(type);
    return numbers;
}

// The class of each number above, in the same order.
std::vector<std::string> ClassNames()
{
    std::istringstream text(
        "HostWelcomePacket EntitySpawnPacket EntityDestroyPacket HostLeftPacket HostJoiningPacket "
        "QuestMessagePacket ChatPacket FrustumUpdatePacket AllPlayersHeartbeatPacket "
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
        "SetCausesAngerConfigCmdPacket SetInvincibleConfigCmdPacket SetTeamConfigCmdPacket "
        "SessionWordPacket<127u> SessionEndsPacket ");
    std::vector<std::string> names;
    for (std::string name; text >> name;)
        names.push_back(name);
    return names;
}

// The engine base each packet stands on.
Base ExpectedBase(uint32_t type)
{
    if (type == 2 || type == 30)
        return Base::Container;
    if (type >= 63 && type <= 78)
        return Base::Action;
    if ((type >= 79 && type <= 105) || (type >= 115 && type <= 126))
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
    ASSERT_EQ(samples.size(), 111u);

    const std::vector<uint32_t> numbers = RegisteredNumbers();
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

TEST_F(PacketCatalogueTest, NoOtherNumberIsRegistered)
{
    std::vector<uint32_t> registered;
    for (uint32_t type = 0; type < ConnectionManager::kMaxTypes; ++type)
        if (ConnectionManager::CreatePacket(type) != nullptr)
            registered.push_back(type);
    ASSERT_EQ(registered, RegisteredNumbers());
    for (uint32_t unused : {0u, 6u, 19u, 31u, 62u, 109u, 110u, 111u, 129u}) {
        SCOPED_TRACE(unused);
        log.Clear();
        const std::vector<uint8_t> header = {static_cast<uint8_t>(unused), 0, 0, 0, 0, 0, 0, 0};
        EXPECT_EQ(ConnectionManager::DecodePacket(header), nullptr);
        EXPECT_EQ(log.Count(Engine::LogRuntime,
                            "ConnectionManager: unknown packet type " + std::to_string(unused)),
                  1u);
    }
}

// The session's own messages are seeds of the message fuzzers as the code writes them, so that
// the fuzzers reach what reads them (scripts/session-seeds.sh writes them again).
TEST_F(PacketCatalogueTest, TheSessionsFuzzSeedsAreItsMessagesAsWritten)
{
    std::map<uint32_t, std::vector<uint8_t>> written;
    for (const PacketCatalogue::Entry& entry : PacketCatalogue::Entries())
        written[entry.type] = EncodePacket(*entry.makeFilled());
    const char* source = std::getenv("GAME_SOURCE_DIR");
    ASSERT_NE(source, nullptr);
    const struct {
        const char* seed;
        std::vector<uint8_t> hearer;
        uint32_t type;
    } rows[] = {
        {"net_message/s_joining.bin", {0}, 5},
        {"net_message/s_host_done.bin", {0}, 127},
        {"net_message/c_session_ends.bin", {1}, 128},
        {"net_message/s_session_ends_from_client.bin", {0}, 128},
        {"net_packet/session_host_done.bin", {}, 127},
        {"net_packet/session_ends.bin", {}, 128},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.seed);
        std::ifstream file(std::string(source) + "/fuzz/corpus/" + row.seed, std::ios::binary);
        const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file), {}};
        std::vector<uint8_t> expected = row.hearer;
        expected.insert(expected.end(), written[row.type].begin(), written[row.type].end());
        EXPECT_EQ(bytes, expected);
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
