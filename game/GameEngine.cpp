#include "game/GameEngine.h"

#include "characters/Monster.h"
#include "characters/Npc.h"
#include "characters/TeamManager.h"
#include "core/DesignerEquation.h"
#include "engine/Entity.h"
#include "engine/InstanceGroupManager.h"
#include "engine/Jukebox.h"
#include "engine/ObjectManager.h"
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
#include "world/BandariTeleportPoint.h"
#include "world/Decoration.h"
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

// A failed allocation leaves the slot null rather than throwing across the host's call.
template <typename T> std::unique_ptr<T> MakeOwned()
{
    return std::unique_ptr<T>(new (std::nothrow) T());
}

} // namespace

GameEngine::GameEngine()
    : settingsRecord(kSettingsRecord), unifiedProxiesGroupType("Unified Proxies"),
      uniqueProxiesGroupType("Unique Proxies"),
      creatureDeathListener("GameEvent_CreatureDeath", &GameEngine::OnCreatureDeath)
{
    randomGen.Seed(static_cast<uint32_t>(time(nullptr)));
    armorDefensiveAbsorption = 0.0f;
    pendingBanId = 0;
    ResetTutorialState();
    pendingTeleport = false;
    ui = nullptr;
    experienceEquation.reset();
    deathPenaltyEquation.reset();

    LoadFromDatabase(settingsRecord);

    const float clearWhite[4] = {1.0f, 1.0f, 1.0f, 0.0f};
    SetOverlayColor(clearWhite);

    outboundInterface = MakeOwned<GameEngineOutboundInterface>();
    inboundInterface = MakeOwned<GameEngineInboundInterface>();
    ForceRenderingEnabled();

    serverServicesStub = MakeOwned<GameEngineServerServicesModuleBase>();
    serverServices = MakeOwned<GameEngineServerServicesModule>();
    clientServices = MakeOwned<GameEngineClientServicesModule>();

    teamManager = MakeOwned<TeamManager>();
    partyManager = MakeOwned<PartyManager>();
    tradeManager = MakeOwned<TradeManager>();

    // The modules keep the slot, not the interface, so a change of role reaches them unasked.
    serverServicesStub->SetNetworkInterfaceSlot(&currentInterface);
    serverServices->SetNetworkInterfaceSlot(&currentInterface);
    clientServices->SetNetworkInterfaceSlot(&currentInterface);

    SetAsNetworkStub();

    creatureDeathListener.SetOwner(this);

    FillClassArray();
    autoSave = true;
    InitializeActionMatrix();
    InitializeMonsterRaceMap();

    needsSleepCounter = 0;
    mouseLocked = false;

    // Dialogs built from a tag and a player id name the player from our player list.
    dialogManager.SetPlayerNameSource(
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
    CriticalSectionLock hold(skillProfileLock);
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

const LoadTable& GameEngine::GetDatabase()
{
    ObjectManager& objects = ObjectManager::Instance();
    objects.LoadTableFile(settingsRecord);
    return objects.GetLoadTable(settingsRecord);
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
    camera.SetPlayer(player);
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
    // One engine at a time: everything in the library reaches it through the one global.
    if (GAME::gGameEngine != nullptr)
        return;
    GAME::gGameEngine = new (std::nothrow) GAME::GameEngine();
    if (GAME::gGameEngine != nullptr)
        GAME::gGameEngine->Initialize();
}

extern "C" void ShutdownObjects()
{
    if (GAME::gGameEngine == nullptr)
        return;
    GAME::gGameEngine->Shutdown();
    delete GAME::gGameEngine;
    GAME::gGameEngine = nullptr;
}
