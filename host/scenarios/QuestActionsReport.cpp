// The showcase quest on the host. A `Stage` puts the cast and the objects of the showcase in the
// world without setting them up, loads the quest, and listens to everything the quest's actions
// can cause: music requests, sounds, screen, camera and teleport events, the time of day,
// debug text and the commands queued on fixed items. After each step (the level's start, then
// each object setting itself up and so announcing itself) it prints the actions that acted since
// the last step and what they caused, then the state of the objects they touched.
#include "host/scenarios/QuestActionsReport.h"

#include "characters/Monster.h"
#include "characters/Npc.h"
#include "characters/Player.h"
#include "core/GameEvents.h"
#include "engine/Actor.h"
#include "engine/ConnectionManager.h"
#include "engine/Coords.h"
#include "engine/DayNightManager.h"
#include "engine/Engine.h"
#include "engine/EventHandler.h"
#include "engine/FileSystem.h"
#include "engine/FilterFunction.h"
#include "engine/Jukebox.h"
#include "engine/LocalizationManager.h"
#include "engine/NetPacket.h"
#include "engine/NetPacketDescriber.h"
#include "engine/ObjectManager.h"
#include "engine/SoundPak.h"
#include "engine/Trigger.h"
#include "engine/World.h"
#include "game/GameEngine.h"
#include "host/HostOptions.h"
#include "host/HostSamples.h"
#include "host/HostUserInterface.h"
#include "host/ShownName.h"
#include "items/Item.h"
#include "multiplayer/PlayerManagerClient.h"
#include "quests/Quest.h"
#include "quests/QuestLocation.h"
#include "quests/QuestRepository.h"
#include "quests/QuestStep.h"
#include "quests/WaitingAction.h"
#include "world/FixedItem.h"
#include "world/FixedItemConfigCommands.h"
#include "world/Proxy.h"

#include <filesystem>
#include <map>
#include <ostream>
#include <set>
#include <vector>

namespace GAME {

namespace {

constexpr const char* kElder = "Records/Creatures/Npc/Townsfolk/VillageElder.dbr";
constexpr const char* kRaider = "Records/Creatures/Monster/Jackalman/JackalmanRaider.dbr";
constexpr const char* kCharm = "Records/Quests/Showcase/Charm.dbr";
constexpr const char* kChest = "Records/Quests/Showcase/Chest.dbr";
constexpr const char* kNorthGate = "Records/Quests/Showcase/NorthGate.dbr";
constexpr const char* kSouthGate = "Records/Quests/Showcase/SouthGate.dbr";
constexpr const char* kWell = "Records/Quests/Showcase/Well.dbr";
constexpr const char* kCamp = "Records/Quests/Showcase/Camp.dbr";
constexpr const char* kOutpost = "Records/Quests/Showcase/Outpost.dbr";

const char* JukeboxName(Jukebox::RequestType type)
{
    switch (type) {
    case Jukebox::PlayEventMusicRequest:
        return "PlayEventMusic";
    case Jukebox::FadeOutMusicRequest:
        return "FadeOutMusic";
    case Jukebox::LoadAmbientPlaylistRequest:
        return "LoadAmbientPlaylist";
    case Jukebox::LoadMusicPlaylistRequest:
        return "LoadMusicPlaylist";
    case Jukebox::FadeInMusicRequest:
        return "FadeInMusic";
    case Jukebox::EndEventMusicRequest:
        return "EndEventMusic";
    default:
        return "other";
    }
}

std::string Bare(const std::string& record)
{
    return record.empty() ? "-" : std::filesystem::path(record).stem().string();
}

} // namespace

class QuestActionsReport::Stage : public HostUserInterface {
public:
    explicit Stage(std::ostream& out)
        : HostUserInterface(out, true), out(out),
          fade("GameEvent_ScreenFade", &Stage::OnFade, this),
          shake("GameEvent_CameraShake", &Stage::OnShake, this),
          teleport("GameEvent_TeleportPlayer", &Stage::OnTeleport, this)
    {
        Jukebox::Instance().Reset();
        DayNightManager::Instance().Reset();
        Actor::SetCommandObserver([this](const Actor&, const ActorConfigCommand& command) {
            if (const auto* change = dynamic_cast<const FixedItemStateChangeConfigCmd*>(&command))
                effects.push_back("command FixedItemStateChangeConfigCmd on " +
                                  Name(change->GetActorId()) + ": state " +
                                  std::to_string(change->GetState()) + ", sounds " +
                                  (change->GetPlaySounds() ? "on" : "off"));
        });
        SoundPak::SetPlayObserver([this](const SoundPak& pak, const SoundPak::PlayRequest&) {
            effects.push_back("sound " + ShownName(Bare(pak.GetObjectName())) + " played");
        });
        gGameEngine->SetUI(this);
    }
    ~Stage() override
    {
        Actor::SetCommandObserver(nullptr);
        SoundPak::SetPlayObserver(nullptr);
        gGameEngine->SetUI(nullptr);
    }

    void DisplayDebugText(const std::wstring& text, const Color& colour, float x, float y) override
    {
        effects.push_back("debug text \"" + LocalizationManager::ToChar(text) + "\" at " +
                          HostSamples::OneDecimal(x) + ", " + HostSamples::OneDecimal(y) + " in " +
                          HostSamples::OneDecimal(colour.red) + ", " +
                          HostSamples::OneDecimal(colour.green) + ", " +
                          HostSamples::OneDecimal(colour.blue));
    }

    // The cast and the objects, in the world but not yet set up.
    bool Place(std::ostream& err, uint32_t seed)
    {
        gGameEngine->GetRandomGen().Seed(seed);
        auto* hero = static_cast<Player*>(ObjectManager::Instance().CreateObject("Player"));
        gGameEngine->GetPlayerManagerClient()->SetMainPlayer(hero->GetObjectId());
        Put(hero, "hero", {0, 0, 0});
        hero->GiveItemToCharacter(ObjectManager::Instance().CreateObjectFromFile<Item>(kCharm));
        const std::vector<std::tuple<const char*, const char*, Vec3>> cast = {
            {kElder, "elder", {3, 0, 0}},           {kRaider, "raider", {-6, 0, 4}},
            {kChest, "chest", {5, 0, 5}},           {kNorthGate, "north gate", {0, 0, 9}},
            {kSouthGate, "south gate", {0, 0, -9}}, {kWell, "well", {-3, 0, -3}},
            {kCamp, "camp", {-8, 0, -8}},           {kOutpost, "outpost", {8, 0, -8}}};
        for (const auto& [record, role, at] : cast) {
            Entity* entity = ObjectManager::Instance().CreateObjectFromFile<Entity>(record);
            if (entity == nullptr) {
                err << "gamehost: the record " << record << " did not load\n";
                return false;
            }
            Put(entity, role, at);
        }
        return true;
    }

    bool LoadQuest(std::ostream& err)
    {
        gEngine->GetWorld()->ClearQuestFiles();
        gEngine->GetWorld()->AddQuestFile(kQuestFile);
        QuestRepository::Destroy();
        QuestRepository::Get().Load();
        const Quest* quest = QuestRepository::Get().GetQuestByIndex(0);
        if (quest == nullptr) {
            err << "gamehost: the quest file " << kQuestFile << " did not load\n";
            return false;
        }
        trigger = quest->GetQuestStepAtIndx(0)->GetTriggerOfIdx(0);
        return trigger != nullptr;
    }

    void Start()
    {
        EventManager::Instance().Send("GameEvent_PreRun", GameEvent_PreRun());
        QuestRepository::Get().Update(0);
        for (int32_t i = 0; i < trigger->GetNumActions(); ++i) {
            TriggerAction* action = trigger->GetActionAtIdx(i);
            out << "  fired " << action->GetName() << ": " << action->GetDescription() << '\n';
        }
        Report();
    }

    // Each object sets itself up in turn, which announces it to the quest.
    void Announce(bool all)
    {
        for (const auto& [id, role] : roles) {
            Entity* entity = ObjectManager::Instance().GetObject<Entity>(id);
            if (entity == nullptr || role == "hero" || (!all && DynamicCast<Proxy>(entity)))
                continue;
            out << "  " << role << " announces itself\n";
            entity->InitialUpdate();
            Report();
        }
    }

    // Restored state fires the re-firable actions again.
    void Refire(const std::string& folder)
    {
        QuestRepository::Get().LoadQuestState(folder, kRepositoryFile);
        QuestRepository::Get().FireTriggers();
        // Only a refired action that still waits acts later.
        for (int32_t i = 0; i < trigger->GetNumActions(); ++i) {
            const TriggerAction* action = trigger->GetActionAtIdx(i);
            const auto* waiting = dynamic_cast<const WaitingAction*>(action);
            const bool pending = waiting != nullptr && waiting->IsPendingFire();
            if (action->CanReFire())
                out << "  refired " << action->GetName() << (pending ? ", waiting" : "") << '\n';
            if (!action->CanReFire() || !pending)
                applied.insert(action);
        }
        PrintEffects();
    }

    void PrintWorld()
    {
        for (const auto& [id, role] : roles) {
            const Object* object = ObjectManager::Instance().GetObject(id);
            out << "  " << role << ": ";
            if (const auto* npc = DynamicCast<Npc>(object))
                out << "keeps " << Bare(npc->GetDispenseItem(heroId)) << " for the hero, "
                    << (npc->IsInvincible() ? "invincible" : "mortal");
            else if (const auto* character = DynamicCast<Character>(object))
                out << (character->IsAlive() ? "alive" : "dead") << ", "
                    << (character->HasItem(std::string(kCharm)) ? "carries" : "without")
                    << " the charm";
            else if (const auto* fixed = DynamicCast<FixedItem>(object))
                out << "state " << fixed->GetCurrentState()
                    << (fixed->IsLocked() ? ", locked" : ", unlocked") << ", party item "
                    << ShownName(Bare(fixed->GetDropPerPartyMemberItem().baseName));
            else if (const auto* proxy = DynamicCast<Proxy>(object))
                out << (proxy->HasRun() ? "has run or is switched off" : "waiting") << ", "
                    << Placed(*proxy) << " objects placed, " << LockedAccessories(*proxy)
                    << " of them locked";
            else
                out << (object != nullptr ? "in place" : "gone");
            out << '\n';
        }
        const size_t items = CountDroppedItems();
        out << "  " << items << " quest item" << (items == 1 ? "" : "s") << " dropped\n";
    }

    void PrintPackets()
    {
        std::map<std::string, int> byClass;
        for (const auto& sent : gEngine->GetNetworkConnectionManager().TakeSentPackets()) {
            const auto packet = ConnectionManager::DecodePacket(sent.bytes);
            if (packet != nullptr)
                ++byClass[NetPacketDescriber::GetClassName(*packet)];
        }
        for (const auto& [name, count] : byClass)
            out << "  sent " << name << " x" << count << '\n';
    }

private:
    void Put(Entity* entity, const char* role, const Vec3& at)
    {
        gEngine->GetWorld()->AddEntity(entity, WorldCoords{1, Coords::FromTranslation(at)}, false);
        roles.emplace_back(entity->GetObjectId(), role);
        if (std::string(role) == "hero")
            heroId = entity->GetObjectId();
    }

    std::string Name(uint32_t id) const
    {
        for (const auto& [known, role] : roles) {
            if (known == id)
                return role;
        }
        return "object " + std::to_string(id);
    }

    void Report()
    {
        for (int32_t i = 0; i < trigger->GetNumActions(); ++i) {
            const TriggerAction* action = trigger->GetActionAtIdx(i);
            const auto* waiting = dynamic_cast<const WaitingAction*>(action);
            if (applied.count(action) != 0 || (waiting != nullptr && waiting->IsPendingFire()))
                continue;
            applied.insert(action);
            out << "  applied " << action->GetName() << '\n';
        }
        PrintEffects();
    }

    void PrintEffects()
    {
        const std::vector<Jukebox::Request>& requests = Jukebox::Instance().GetRequests();
        for (; heardRequests < requests.size(); ++heardRequests) {
            const Jukebox::Request& request = requests[heardRequests];
            effects.push_back(std::string("jukebox ") + JukeboxName(request.type) + " " +
                              Bare(request.name) + " " + std::to_string(request.milliseconds) +
                              " ms");
        }
        const DayNightManager& clock = DayNightManager::Instance();
        if (clock.GetSetStartTimeCount() != timeSettings) {
            timeSettings = clock.GetSetStartTimeCount();
            effects.push_back("time of day " + HostSamples::OneDecimal(clock.GetStartTime()) +
                              " h, clock " + (clock.IsEnabled() ? "running" : "stopped"));
        }
        for (const std::string& line : effects)
            out << "    " << line << '\n';
        effects.clear();
    }

    void OnFade(const GameEvent_ScreenFade& event)
    {
        effects.push_back("event GameEvent_ScreenFade " + std::to_string(event.fadeInOutMs) +
                          " ms, " + std::to_string(event.blackoutMs) + " ms dark");
    }
    void OnShake(const GameEvent_CameraShake& event)
    {
        effects.push_back("event GameEvent_CameraShake " + std::to_string(event.durationMs) +
                          " ms, amplitude " + HostSamples::OneDecimal(event.amplitude));
    }
    void OnTeleport(const GameEvent_TeleportPlayer& event)
    {
        effects.push_back("event GameEvent_TeleportPlayer " +
                          HostSamples::PointText(Vec3(event.x, event.y, event.z)) + " region " +
                          std::to_string(event.regionId));
    }

    static size_t Placed(const Proxy& proxy)
    {
        std::vector<uint32_t> placed;
        proxy.GetPlacedObjects(placed);
        return placed.size();
    }

    size_t LockedAccessories(const Proxy& proxy) const
    {
        std::vector<uint32_t> placed;
        proxy.GetPlacedObjects(placed);
        size_t locked = 0;
        for (uint32_t id : placed) {
            const auto* fixed = ObjectManager::Instance().GetObject<FixedItem>(id);
            locked += fixed != nullptr && fixed->IsLocked() ? 1 : 0;
        }
        return locked;
    }

    size_t CountDroppedItems() const
    {
        struct Charms : FilterFunction<Entity> {
            bool operator()(const Entity* entity) const override
            {
                return DynamicCast<Item>(entity) != nullptr && entity->GetObjectName() == kCharm;
            }
        };
        std::vector<Entity*> found;
        gEngine->GetWorld()->GetEntities(found, Charms());
        return found.size();
    }

    std::ostream& out;
    uint32_t heroId = 0;
    Trigger* trigger = nullptr;
    std::vector<std::pair<uint32_t, std::string>> roles;
    std::set<const TriggerAction*> applied;
    std::vector<std::string> effects;
    size_t heardRequests = 0;
    uint32_t timeSettings = 0;
    EventHandler<Stage, GameEvent_ScreenFade> fade;
    EventHandler<Stage, GameEvent_CameraShake> shake;
    EventHandler<Stage, GameEvent_TeleportPlayer> teleport;
};

QuestActionsReport::QuestActionsReport(const HostOptions& options, std::ostream& out,
                                       std::ostream& err)
    : options(options), out(out), err(err), stateFolder(options.questStateFolder)
{}

int QuestActionsReport::Run()
{
    if (stateFolder.empty()) {
        std::string why;
        const std::string scratch = FileSystem::TemporaryFolder(&why);
        if (scratch.empty()) {
            err << "gamehost: no scratch folder for the quest state: " << ShownName(why) << '\n';
            return 2;
        }
        stateFolder = scratch + "/gamehost-quest-actions";
    }
    std::error_code error;
    std::filesystem::create_directories(stateFolder, error);
    const bool played = HostSamples::InWorld(err, [this] { return PlaySingle(); }) &&
                        HostSamples::InNetworkWorld(true, err, [this] { return PlayClient(); });
    return played ? 0 : 2;
}

bool QuestActionsReport::PlaySingle()
{
    out << "scenario quest-actions as single player, seed " << options.seed << ":\n";
    uint32_t failed = 0;
    {
        Stage stage(out);
        if (!stage.Place(err, options.seed) || !stage.LoadQuest(err))
            return false;
        stage.Start();
        stage.Announce(true);
        stage.PrintWorld();
        QuestRepository::Get().SaveQuestState(stateFolder, kRepositoryFile, false);
        failed = QuestRepository::Get().GetFailedWrites();
        if (failed == 0)
            out << "  quest state saved\n";
    }
    QuestRepository::Destroy();
    if (failed != 0) {
        err << "gamehost: the quest state save failed: " << failed
            << " of its files could not be written to '" << stateFolder << "'\n";
        return false;
    }
    ObjectManager::Instance().DestroyAllObjects();
    out << "scenario quest-actions reloaded into a fresh session:\n";
    Stage stage(out);
    if (!stage.Place(err, options.seed) || !stage.LoadQuest(err))
        return false;
    stage.Refire(stateFolder);
    stage.Announce(false);
    stage.PrintWorld();
    QuestRepository::Destroy();
    return true;
}

bool QuestActionsReport::PlayClient()
{
    out << "scenario quest-actions as client, seed " << options.seed << ":\n";
    Stage stage(out);
    if (!stage.Place(err, options.seed) || !stage.LoadQuest(err))
        return false;
    gEngine->GetNetworkConnectionManager().ClearSentPackets();
    stage.Start();
    stage.Announce(true);
    stage.PrintPackets();
    QuestRepository::Destroy();
    return true;
}

} // namespace GAME
