#include "host/scenarios/CastReport.h"

#include "characters/AmbientCharacter.h"
#include "characters/Character.h"
#include "characters/Guard.h"
#include "characters/Monster.h"
#include "characters/Npc.h"
#include "characters/Player.h"
#include "core/BinaryWriter.h"
#include "engine/ABBox.h"
#include "engine/BinaryReader.h"
#include "engine/Coords.h"
#include "engine/Engine.h"
#include "engine/Object.h"
#include "engine/ObjectManager.h"
#include "engine/Vec3.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "game/GameEngine.h"
#include "host/HostOptions.h"
#include "host/HostUserInterface.h"
#include "multiplayer/PlayerManagerClient.h"

#include <memory>
#include <ostream>

namespace GAME {

namespace {

constexpr uint32_t kCastRegion = 1;

const char* YesNo(bool value)
{
    return value ? "yes" : "no";
}

std::string DescribeMonster(const Monster& monster)
{
    return std::string("monster: life ") + monster.GetLifeStateAsText() + ", leader " +
           std::to_string(monster.GetLeader()) + ", team " +
           std::to_string(monster.GetTeam().GetTeamMajor()) + '/' +
           std::to_string(monster.GetTeam().GetTeamMinor()) + ", proxy parent '" +
           monster.GetProxyParent() + "', siblings " +
           std::to_string(monster.GetProxyNumSiblings()) + ", popped out " +
           YesNo(monster.GetPoppedOut());
}

std::string DescribeNpc(const Npc& npc)
{
    return "npc: keeps state " + std::string(YesNo(npc.ShouldSaveState())) + ", dialog type " +
           std::to_string(npc.GetDialogType()) + ", dialog timer " +
           std::to_string(npc.GetDialogTimer()) + " ms, dialog " + YesNo(npc.HasDialog());
}

std::string ControllerName(uint32_t id)
{
    const Object* controller = ObjectManager::Instance().GetObject(id);
    return controller != nullptr ? controller->GetClassInfo()->GetName() : "none";
}

} // namespace

CastReport::CastReport(const HostOptions& options, std::ostream& out, std::ostream& err)
    : options(options), out(out), err(err)
{}

bool CastReport::Run()
{
    return HostSamples::AsSinglePlayer(err, [this] { return Play(); });
}

bool CastReport::Play()
{
    out << "scenario cast as single player, seed " << options.seed << ":\n";
    GameEngine& game = GameEngine::Get();
    game.SetGameLoading(false);
    HostUserInterface ui(out, true);
    game.SetUI(&ui);
    std::unique_ptr<World> previousWorld = gEngine->SetWorld(std::make_unique<World>());
    World& world = *gEngine->GetWorld();
    world.CreateRegion(kCastRegion, {0, 0, 0}, ABBox({-20, -10, -20}, {20, 10, 20}));
    startTime = gEngine->GetGameTime();

    Player* player = HostSamples::Make<Player>(kPlayer, err);
    Monster* monster = HostSamples::Make<Monster>(kMonster, err);
    Npc* npc = HostSamples::Make<Npc>(kNpc, err);
    Guard* guard = HostSamples::Make<Guard>(kGuard, err);
    AmbientCharacter* deer = HostSamples::Make<AmbientCharacter>(kAmbient, err);
    bool done = player != nullptr && monster != nullptr && npc != nullptr && guard != nullptr &&
                deer != nullptr;
    if (done) {
        game.GetPlayerManagerClient()->SetMainPlayer(player->GetObjectId());
        Place(*player, 0.0f);
        watched.clear();
        out << "  hero " << player->GetObjectId() << ", monster " << monster->GetObjectId()
            << ", elder " << npc->GetObjectId() << ", guard " << guard->GetObjectId() << ", deer "
            << deer->GetObjectId() << '\n';
        Place(*guard, -4.0f);
        Place(*deer, -6.0f);
        ShowGuardAndAmbient();
        watched.clear();
        Place(*monster, 2.0f);
        Place(*npc, 1.0f);
        ShowPet(*monster, player->GetObjectId());
        ShowConversation(*npc, player->GetObjectId());
        done = ShowLevelState(monster, npc);
    } else {
        // What was made is not in the world yet.
        for (Character* made : {static_cast<Character*>(player), static_cast<Character*>(monster),
                                static_cast<Character*>(npc), static_cast<Character*>(guard),
                                static_cast<Character*>(deer)})
            HostSamples::Destroy(made);
    }
    watched.clear();
    HostSamples::ClearWorld(world);
    gEngine->SetWorld(std::move(previousWorld));
    game.SetUI(nullptr);
    return done;
}

void CastReport::Place(Character& character, float x)
{
    gEngine->GetWorld()->AddEntity(
        &character, WorldCoords{kCastRegion, Coords::FromTranslation(Vec3(x, 0.0f, 2.0f))}, false);
    character.InitialUpdate();
    watched.push_back({character.GetObjectId(), {}});
    PrintChanges();
}

void CastReport::ShowGuardAndAmbient()
{
    const auto* guard = ObjectManager::Instance().GetObject<Guard>(watched.at(0).id);
    const auto* deer = ObjectManager::Instance().GetObject<AmbientCharacter>(watched.at(1).id);
    if (guard == nullptr || deer == nullptr)
        return;
    out << "guard: team " << guard->GetTeam().GetTeamMajor() << '/'
        << guard->GetTeam().GetTeamMinor() << ", invincible " << YesNo(guard->IsInvincible())
        << '\n'
        << "ambient: controller " << ControllerName(deer->GetControllerId()) << ", skill "
        << (deer->GetSkillId1() != 0 ? "set" : "none") << '\n';
}

void CastReport::ShowPet(Monster& monster, uint32_t playerId)
{
    out << "pet:\n  " << Time() << ": the monster joins the hero for " << kPetMilliseconds
        << " ms\n";
    monster.JoinMe(playerId, kPetMilliseconds, true);
    PrintChanges();
    RunFor(kPetMilliseconds + 2 * kFrameMilliseconds);
}

void CastReport::ShowConversation(Npc& npc, uint32_t playerId)
{
    out << "conversation:\n  " << Time() << ": the hero talks to the elder\n";
    npc.Converse(playerId);
    out << "  " << Time() << ": dialog line " << HostSamples::DialogLine(npc.GetDialogPak())
        << '\n';
    PrintChanges();
    RunFor(4 * kFrameMilliseconds);
}

bool CastReport::ShowLevelState(Monster*& monster, Npc*& npc)
{
    out << "level state:\n";
    BinaryWriter monsterState = BinaryWriter::ToMemory(64);
    BinaryWriter npcState = BinaryWriter::ToMemory(64);
    monster->SaveState(monsterState);
    npc->SaveState(npcState);
    out << "  saved " << monsterState.GetPosition() << " bytes of monster, "
        << npcState.GetPosition() << " bytes of npc\n"
        << "  before: " << DescribeMonster(*monster) << "\n  before: " << DescribeNpc(*npc) << '\n';
    watched.clear();
    HostSamples::ClearWorld(*gEngine->GetWorld());
    monster = nullptr;
    npc = nullptr;
    out << "  world cleared: " << gEngine->GetWorld()->GetEntityCount() << " entities\n";

    monster = HostSamples::Make<Monster>(kMonster, err);
    npc = HostSamples::Make<Npc>(kNpc, err);
    if (monster == nullptr || npc == nullptr) {
        HostSamples::Destroy(monster);
        HostSamples::Destroy(npc);
        return false;
    }
    BinaryReader monsterReader(monsterState.GetData(), monsterState.GetPosition());
    BinaryReader npcReader(npcState.GetData(), npcState.GetPosition());
    const bool monsterRestored = monster->RestoreState(monsterReader);
    const bool npcRestored = npc->RestoreState(npcReader);
    // Placed as a level brings them back: restored first, then started in the world.
    Place(*monster, 2.0f);
    Place(*npc, 1.0f);
    out << "  restored into monster " << monster->GetObjectId() << " (" << YesNo(monsterRestored)
        << ") and npc " << npc->GetObjectId() << " (" << YesNo(npcRestored) << ")\n"
        << "  after:  " << DescribeMonster(*monster) << "\n  after:  " << DescribeNpc(*npc) << '\n';
    return true;
}

void CastReport::RunFor(int32_t milliseconds)
{
    for (int32_t run = 0; run < milliseconds; run += kFrameMilliseconds) {
        gEngine->RunFrame(kFrameMilliseconds);
        gGameEngine->Update(kFrameMilliseconds);
        PrintChanges();
    }
}

void CastReport::PrintChanges()
{
    for (Watched& one : watched) {
        if (const auto* character = ObjectManager::Instance().GetObject<Character>(one.id))
            HostSamples::PrintCastChanges(out, "  " + Time() + ": ", *character, one.view);
    }
}

std::string CastReport::Time() const
{
    return "t=" + std::to_string(gEngine->GetGameTime() - startTime) + " ms";
}

} // namespace GAME
