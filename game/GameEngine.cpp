#include "game/GameEngine.h"

#include "characters/AttributePak.h"
#include "characters/Monster.h"
#include "characters/Npc.h"
#include "characters/TeamManager.h"
#include "core/DesignerEquation.h"
#include "core/DialogManager.h"
#include "core/GameEvents.h"
#include "engine/CriticalSection.h"
#include "engine/Entity.h"
#include "engine/EventHandler.h"
#include "engine/InstanceGroupManager.h"
#include "engine/Jukebox.h"
#include "engine/ObjectManager.h"
#include "engine/RandomUniformLocked.h"
#include "engine/SingletonManager.h"
#include "engine/SoundPak.h"
#include "game/ActivityManager.h"
#include "items/ItemSet.h"
#include "items/TradeManager.h"
#include "items/Weapon.h"
#include "multiplayer/GameEngineClientServicesModule.h"
#include "multiplayer/GameEngineInboundInterface.h"
#include "multiplayer/GameEngineOutboundInterface.h"
#include "multiplayer/GameEngineServerServicesModule.h"
#include "multiplayer/PartyManager.h"
#include "quests/QuestRepository.h"
#include "skills/SkillProfile.h"
#include "world/BandariTeleportPoint.h"
#include "world/Decoration.h"
#include "world/GameCamera.h"
#include "world/NpcWanderPoint.h"
#include "world/PatrolPoint.h"
#include "world/Proxy.h"
#include "world/StrategicMovementRespawnShrine.h"
#include "world/StrategicMovementTeleportShrine.h"

#include <ctime>
#include <new>

namespace GAME {

GameEngine* gGameEngine = nullptr;

namespace {

const char* const kSettingsRecord = "Records/Game/GameEngine.dbr";

// The host's assert handler is kept for the host's own tools; the library never calls it.
GameEngine::AssertHandler assertHandler = nullptr;
bool assertHandlerFlag1 = false;
bool assertHandlerFlag2 = false;
std::string assertHandlerLogPath;

} // namespace

// The parts are made in the order of their declaration, as members held by value would be.
GameEngine::GameEngine()
    : dialogManager(std::make_unique<DialogManager>()), settingsRecord(kSettingsRecord),
      nullSkillProfile(std::make_unique<SkillProfile>()),
      randomGen(std::make_unique<RandomUniformLocked>()), camera(std::make_unique<GameCamera>()),
      unifiedProxiesGroupType("Unified Proxies"), uniqueProxiesGroupType("Unique Proxies"),
      monsterAttributePak(std::make_unique<AttributePak>()),
      playerAttributePak(std::make_unique<AttributePak>()),
      creatureDeathListener(std::make_unique<EventHandler<GameEngine, GameEvent_CreatureDeath>>(
          "GameEvent_CreatureDeath", &GameEngine::OnCreatureDeath, this)),
      skillProfileLock(std::make_unique<CriticalSection>()),
      proxyPoolLock(std::make_unique<CriticalSection>())
{
    randomGen->Seed(static_cast<uint32_t>(time(nullptr)));

    LoadFromDatabase(settingsRecord);

    outboundInterface = std::make_unique<GameEngineOutboundInterface>();
    inboundInterface = std::make_unique<GameEngineInboundInterface>();

    serverServicesStub = std::make_unique<GameEngineServerServicesModuleBase>();
    serverServices = std::make_unique<GameEngineServerServicesModule>();
    clientServices = std::make_unique<GameEngineClientServicesModule>();

    teamManager = std::make_unique<TeamManager>();
    partyManager = std::make_unique<PartyManager>();
    tradeManager = std::make_unique<TradeManager>();

    // The modules keep the slot, not the interface, so a change of role reaches them unasked.
    serverServicesStub->SetNetworkInterfaceSlot(&currentInterface);
    serverServices->SetNetworkInterfaceSlot(&currentInterface);
    clientServices->SetNetworkInterfaceSlot(&currentInterface);

    SetAsNetworkStub();

    FillClassArray();
    InitializeActionMatrix();
    InitializeMonsterRaceMap();

    // Dialogs built from a tag and a player id name the player from our player list.
    dialogManager->SetPlayerNameSource(
        [this](uint32_t playerId) { return GetPlayerName(playerId); });
}

GameEngine::~GameEngine()
{
    outboundInterface.reset();
    inboundInterface.reset();
    experienceEquation.reset();
    deathPenaltyEquation.reset();
    serverServicesStub.reset();
    serverServices.reset();
    clientServices.reset();
    // The managers below may still ask for the role while they go; it must not name the dead.
    currentInterface = nullptr;
    currentServerServices = nullptr;
    currentClientServices = nullptr;

    teamManager.reset();
    partyManager.reset();
    tradeManager.reset();

    ActivityManager::Destroy();
    InstanceGroupManager::Instance().Destroy();

    itemSets.clear();

    DestroyMarketSound(marketPurchaseSoundId, 203);
    DestroyMarketSound(marketSaleSoundId, 204);
    // The remaining members go in reverse order of declaration; the creature-death listener
    // unregisters itself on the way.
}

void GameEngine::Initialize()
{
    InstanceGroupManager& groups = InstanceGroupManager::Instance();
    groups.AddGroupAffiliation(unifiedProxiesGroupType, Proxy::classInfo);
    groups.AddGroupAffiliation(uniqueProxiesGroupType, Proxy::classInfo);
    groups.AddGroupAffiliation("Any Entity", Entity::classInfo);
    groups.AddGroupAffiliation("Decorations", Decoration::classInfo);
    groups.AddGroupAffiliation("Monsters And Weapons", Monster::classInfo);
    groups.AddGroupAffiliation("Monsters And Weapons", Weapon::classInfo);
    groups.AddGroupAffiliation("Patrol Points", PatrolPoint::classInfo);
    groups.AddGroupAffiliation("Patrollers", Monster::classInfo);
    groups.AddGroupAffiliation("ProxyPatrollers", Proxy::classInfo);
    groups.AddGroupAffiliation("Wander Points", NpcWanderPoint::classInfo);
    groups.AddGroupAffiliation("Npc Wanderers", Npc::classInfo);
    groups.AddGroupAffiliation("TeleportShrine", StrategicMovementTeleportShrine::classInfo);
    groups.AddGroupAffiliation("RespawnShrine", StrategicMovementRespawnShrine::classInfo);
    groups.AddGroupAffiliation("Bandari", Monster::classInfo);
    groups.AddGroupAffiliation("Bandari", Proxy::classInfo);
    groups.AddGroupAffiliation("Bandari Teleport Points", BandariTeleportPoint::classInfo);
    groups.AddGroupAffiliation("Terracotta Warriors", Monster::classInfo);
    groups.AddGroupAffiliation("Terracotta Warriors", Proxy::classInfo);
}

void GameEngine::Shutdown()
{
    CriticalSectionLock hold(*skillProfileLock);
    for (auto& entry : skillProfileCache)
        entry.second.reset();
}

void GameEngine::InitializeAssertHandler(AssertHandler handler, bool flag1, bool flag2)
{
    assertHandler = handler;
    assertHandlerFlag1 = flag1;
    assertHandlerFlag2 = flag2;
}

void GameEngine::SetAssertHandlerLogPath(const std::string& path)
{
    assertHandlerLogPath = path;
}

void GameEngine::SuperPreRun()
{
    QuestRepository& quests = QuestRepository::Get();
    quests.FireTriggers();
    quests.SimulateRewards();
}

// Read on every hit (defense caps) and every frame; finding the record by path each time cost
// more than the rest of a hit, so the table is kept until the database drops its tables.
const LoadTable& GameEngine::GetDatabase()
{
    Database& database = ObjectManager::Instance().GetDatabase();
    if (settingsTable == nullptr || settingsTableGeneration != database.GetGeneration()) {
        database.LoadTableFile(settingsRecord);
        settingsTable = &database.GetLoadTable(settingsRecord);
        settingsTableGeneration = database.GetGeneration();
    }
    return *settingsTable;
}

float GameEngine::GetDefenseCap(bool forPlayer)
{
    const LoadTable& table = GetDatabase();
    const auto difficulty = static_cast<size_t>(GetGameDifficulty());
    if (defenseCapsTable != &table || defenseCapsGeneration != settingsTableGeneration ||
        defenseCapsDifficulty != difficulty) {
        defenseCaps[0] = table.GetFloatAt("monsterDefenseCap", difficulty, 0.0f);
        defenseCaps[1] = table.GetFloatAt("playerDefenseCap", difficulty, 0.0f);
        defenseCapsTable = &table;
        defenseCapsGeneration = settingsTableGeneration;
        defenseCapsDifficulty = difficulty;
    }
    return defenseCaps[forPlayer ? 1 : 0];
}

void GameEngine::GetOverlayColor(float color[4]) const
{
    for (int i = 0; i < 4; ++i)
        color[i] = overlayColor[i];
}

void GameEngine::SetOverlayColor(const float color[4])
{
    for (int i = 0; i < 4; ++i)
        overlayColor[i] = color[i];
}

void GameEngine::SetPlayer(Player* player)
{
    camera->SetPlayer(player);
}

RandomUniform& GameEngine::GetRandomGen()
{
    return *randomGen;
}

Jukebox& GameEngine::GetJukebox()
{
    return Jukebox::Instance();
}

void GameEngine::DestroyMarketSound(uint32_t soundId, int line)
{
    ObjectManager& objects = ObjectManager::Instance();
    if (SoundPak* sound = objects.GetObject<SoundPak>(soundId))
        objects.DestroyObjectEx(sound, "Project/Game/GameEngine", line);
}

} // namespace GAME

extern "C" void InitializeObjects()
{
    // One engine at a time: everything in the library reaches it through the one global. A
    // second call finds it made and does nothing.
    if (GAME::gGameEngine != nullptr)
        return;
    // The host's only word of a failed allocation is the global left null, never an exception.
    GAME::gGameEngine = new (std::nothrow) GAME::GameEngine();
    if (GAME::gGameEngine != nullptr)
        GAME::gGameEngine->Initialize();
}

extern "C" void ShutdownObjects()
{
    // Before `InitializeObjects`, or a second time, there is nothing to shut down.
    if (GAME::gGameEngine == nullptr)
        return;
    // Skills hold their profiles by pointer and the profiles go with the engine, so nothing the
    // game made may outlive it: a pet a peer spawned, or a buff on it, would read freed profiles
    // in the next game. The objects go first, while the hub they may ask on the way still stands.
    GAME::ObjectManager::Instance().DestroyAllObjects();
    GAME::gGameEngine->Shutdown();
    GAME::SingletonManager::Instance().DestroyAll();
    delete GAME::gGameEngine;
    GAME::gGameEngine = nullptr;
}
