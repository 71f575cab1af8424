#include "characters/Player.h"

#include "ai/ControllerPlayer.h"
#include "characters/PlayerGameInterface.h"
#include "characters/PlayerSave_UISetting.h"
#include "core/SavedRange.h"
#include "engine/Engine.h"
#include "engine/IOStream.h"
#include "engine/TriggerToken.h"
#include "game/GameEngine.h"
#include "items/EquipmentCtrl.h"
#include "items/PlayerHotSlotCtrl.h"
#include "items/PlayerInventoryCtrl.h"

#include <string>

namespace GAME {

namespace {

constexpr uint32_t kPlayerVersion = 5;
constexpr int32_t kGroupVersion = 1;
constexpr uint32_t kTutorialPagesSaved = 36;
// Far beyond any real list, yet small enough that a hostile count cannot drive a long loop.
constexpr int64_t kMaxSavedCount = 65536;

// Whether a count read from a save may drive its loop: a negative or huge one refuses the whole
// save, since leaving its group unread would lose what the group held.
bool CountAccepted(IOStream* stream, const char* key, int64_t count)
{
    if (!stream->IsReading() || stream->HasFailed())
        return !stream->HasFailed();
    if (count < 0 || count > kMaxSavedCount) {
        gEngine->Log(Engine::LogData, "Player: saved \"%s\" of %lld refused", key,
                     static_cast<long long>(count));
        stream->Refuse("is damaged: its " + std::string(key) + " of " + std::to_string(count) +
                       " lies outside 0 to " + std::to_string(kMaxSavedCount));
        return false;
    }
    return true;
}

// One difficulty-split list of place ids behind its version word. Reading appends.
void StreamIdGroup(IOStream* stream, const char* versionKey, const char* sizeKey, const char* idKey,
                   std::array<std::vector<UniqueId>, Player::kNumDifficulties>& lists)
{
    const bool reading = stream->IsReading();
    int32_t version = kGroupVersion;
    stream->StreamInt(versionKey, version);
    if (reading && version != kGroupVersion)
        return;
    for (std::vector<UniqueId>& list : lists) {
        uint32_t size = static_cast<uint32_t>(list.size());
        if (!stream->StreamUInt(sizeKey, size) || !CountAccepted(stream, sizeKey, size))
            return;
        if (!reading) {
            for (UniqueId& id : list)
                stream->StreamUniqueId(idKey, id);
            continue;
        }
        for (uint32_t i = 0; i < size; ++i) {
            UniqueId id;
            if (!stream->StreamUniqueId(idKey, id))
                return;
            list.push_back(id);
        }
    }
}

void StreamTutorialPages(IOStream* stream)
{
    GameEngine& game = GameEngine::Get();
    const bool reading = stream->IsReading();
    if (reading)
        game.ResetTutorialState();
    bool disableAutoPop = game.GetDisableTutorialAutoPop();
    stream->StreamBool("disableAutoPopV2", disableAutoPop);
    if (reading)
        game.SetDisableTutorialAutoPop(disableAutoPop);

    if (!reading) {
        uint32_t count = kTutorialPagesSaved;
        stream->StreamUInt("numTutorialPagesV2", count);
        const std::vector<int32_t>& unlocked = game.GetTutorialUnlockList();
        for (uint32_t i = 0; i < kTutorialPagesSaved; ++i) {
            int32_t page = i < unlocked.size() ? unlocked[i] : -1;
            stream->StreamInt("currentPageV2", page);
        }
        return;
    }
    uint32_t count = 0;
    if (!stream->StreamUInt("numTutorialPagesV2", count) ||
        !CountAccepted(stream, "numTutorialPagesV2", count))
        return;
    // Another page count is an older layout whose page numbers mean something else.
    const bool unlock = count == kTutorialPagesSaved;
    uint32_t unknown = 0;
    for (uint32_t i = 0; i < count; ++i) {
        int32_t page = 0;
        if (!stream->StreamInt("currentPageV2", page))
            return;
        // -1 is a place with no page.
        if (!unlock || page == -1)
            continue;
        if (page < 0 || page >= GameEngine::kTutorialPageCount)
            ++unknown;
        else
            game.UnlockTutorialPage(static_cast<uint32_t>(page), false);
    }
    if (unknown != 0)
        gEngine->Log(Engine::LogData, "Player: saved tutorial pages the game lacks passed over: %u",
                     unknown);
}

} // namespace

void Player::StreamProperties(IOStream* stream)
{
    if (stream == nullptr)
        return;
    const bool reading = stream->IsReading();
    uint32_t version = kPlayerVersion;
    stream->StreamUInt("playerVersion", version);
    // A newer game's save may hold what this one cannot read, and would be written back without it.
    if (reading && !stream->HasFailed() && version > kPlayerVersion) {
        gEngine->Log(Engine::LogData, "Player: saved playerVersion %u is newer than %u; refused",
                     version, kPlayerVersion);
        stream->Refuse("was written by a newer game: its playerVersion is " +
                       std::to_string(version) + ", this game reads up to " +
                       std::to_string(kPlayerVersion));
        return;
    }
    stream->BeginBlock();

    std::wstring name = playerName;
    stream->StreamWideString("myPlayerName", name);
    if (reading)
        SetPlayerName(name);
    if (version >= 5)
        stream->StreamBool("isInMainQuest", isInMainQuest);
    StreamTutorialPages(stream);
    StreamIdGroup(stream, "versionCheckTeleportInfo", "teleportUIDsSize", "teleportUID",
                  teleportIds);
    StreamIdGroup(stream, "versionCheckMovementInfo", "markerUIDsSize", "markerUID", markerIds);
    StreamIdGroup(stream, "versionCheckRespawnInfo", "respawnUIDsSize", "respawnUID", respawnIds);

    int32_t respawnVersion = kGroupVersion;
    stream->StreamInt("versionRespawnPoint", respawnVersion);
    if (!reading || respawnVersion == kGroupVersion) {
        for (UniqueId& point : strategicMovementRespawnPoints)
            stream->StreamUniqueId("strategicMovementRespawnPoint[i]", point);
    }
    stream->StreamUInt("money", currentMoney);
    if (reading)
        currentMoney = static_cast<uint32_t>(
            HoldInSavedRange("Player", "money", currentMoney, 0, Character::kMaxMoney));
    stream->StreamInt("compassState", compassState);
    stream->StreamBool("skillWindowShowHelp", skillWindowShowsHelp);
    stream->StreamBool("alternateConfig", alternateConfig);
    stream->StreamBool("alternateConfigEnabled", alternateConfigEnabled);
    stream->StreamString("playerTexture", playerTexture);
    if (version >= 3) {
        int32_t greatest = static_cast<int32_t>(greatestDifficultyCompleted);
        stream->StreamInt("temp", greatest);
        if (reading && (greatest < 0 || greatest > static_cast<int32_t>(kNoDifficulty))) {
            gEngine->Log(Engine::LogData,
                         "Player: saved greatest difficulty completed %d is none of 0 to %d; "
                         "none kept",
                         greatest, static_cast<int32_t>(kNoDifficulty));
            greatest = static_cast<int32_t>(kNoDifficulty);
        }
        greatestDifficultyCompleted = static_cast<GameDifficulty>(greatest);
    }
    if (version >= 4)
        stream->StreamBool("hasBeenInGame", hasBeenInGame);
    stream->EndBlock();

    // A broken stream stops here: the blocks below would only fill themselves with defaults.
    const auto broken = [&] { return reading && stream->HasFailed(); };
    if (broken())
        return;
    skillManager.StreamProperties(stream);
    if (broken())
        return;
    StreamPropertiesUI(stream);
    experienceLevelControl.StreamProperties(stream);
    bio.StreamProperties(stream);
    playStats.StreamProperties(stream);
    if (broken())
        return;
    StreamPropertiesInventory(stream);
    if (broken() || hotSlotCtrl == nullptr)
        return;
    hotSlotCtrl->StreamProperties(stream);
}

void Player::StreamPropertiesUI(IOStream* stream)
{
    if (stream == nullptr)
        return;
    stream->BeginBlock();
    PlayerSave_UISetting settings;
    if (stream->IsReading()) {
        settings.StreamProperties(stream);
        if (!stream->HasFailed())
            RestoreUISettings(settings);
    } else {
        GetUISettings(settings);
        settings.StreamProperties(stream);
    }
    stream->EndBlock();
}

void Player::GetUISettings(PlayerSave_UISetting& settings) const
{
    settings = PlayerSave_UISetting();
}

void Player::RestoreUISettings(PlayerSave_UISetting& settings)
{
    if (gameInterface != nullptr)
        gameInterface->RestoreUISettings(settings);
}

void Player::StreamPropertiesInventory(IOStream* stream)
{
    if (stream == nullptr)
        return;
    if (stream->IsReading())
        passedOverItems.clear();
    ControllerPlayer* controller = GetControllerPlayer();
    bool streamed = controller != nullptr;
    stream->StreamBool("controllerStreamed", streamed);
    if (!streamed || stream->HasFailed())
        return;
    if (controller == nullptr) {
        // Only a read gets here: the bag and the equipment have nowhere to go.
        gEngine->Log(Engine::LogData,
                     "Player: saved inventory and equipment passed over, no player controller");
        for (int block = 0; block < 3; ++block) {
            stream->BeginBlock();
            stream->EndBlock();
        }
        return;
    }
    const size_t before = stream->GetPassedOver().size();
    controller->GetInventoryCtrl().StreamProperties(stream);
    stream->BeginBlock();
    stream->EndBlock();
    controller->GetEquipmentCtrl().StreamProperties(stream);
    if (!stream->IsReading())
        return;
    passedOverItems.assign(stream->GetPassedOver().begin() + std::ptrdiff_t(before),
                           stream->GetPassedOver().end());
    // One line however many.
    if (!passedOverItems.empty())
        gEngine->Log(Engine::LogData,
                     "Player: %s: saved items that cannot be made passed over: %zu, the first %s",
                     GetObjectName().c_str(), passedOverItems.size(),
                     passedOverItems.front().c_str());
}

bool Player::StreamPropertiesQuestTokens(IOStream* stream)
{
    if (stream == nullptr)
        return true;
    const bool reading = stream->IsReading();
    int32_t version = 1;
    stream->StreamInt("versionNumber", version);
    stream->BeginBlock();
    int32_t count = static_cast<int32_t>(heldTokens.size());
    stream->StreamInt("numberOfTriggerTokens", count);
    if (!reading) {
        for (const TriggerToken& held : heldTokens) {
            TriggerToken token(held);
            token.StreamProperties(stream);
        }
    } else if (CountAccepted(stream, "numberOfTriggerTokens", count)) {
        for (int32_t i = 0; i < count; ++i) {
            TriggerToken token;
            if (!token.StreamProperties(stream))
                break;
            pendingTokens.push_back(token);
        }
    }
    stream->EndBlock();
    return true;
}

} // namespace GAME
