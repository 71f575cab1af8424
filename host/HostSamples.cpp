#include "host/HostSamples.h"
#include "engine/GraphicsAnim.h"
#include "engine/GraphicsEngine.h"
#include "engine/Name.h"

#include "characters/Character.h"
#include "characters/Monster.h"
#include "characters/Npc.h"
#include "characters/Player.h"
#include "combat/DeathHandler.h"
#include "engine/ABBox.h"
#include "engine/ConnectionManager.h"
#include "engine/Engine.h"
#include "engine/Entity.h"
#include "engine/FilterFunction.h"
#include "engine/LoadTable.h"
#include "engine/LocalizationManager.h"
#include "engine/NetPacket.h"
#include "engine/NetPacketDescriber.h"
#include "engine/Object.h"
#include "engine/ObjectManager.h"
#include "engine/Vec3.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "game/GameEngine.h"
#include "host/HostInterrupt.h"
#include "host/ShownName.h"
#include "items/HotSlotOption.h"
#include "items/PlayerHotSlotCtrl.h"
#include "quests/Dialog.h"
#include "quests/DialogPak.h"
#include "skills/Skill.h"
#include "skills/SkillManager.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <ostream>
#include <string_view>
#include <typeinfo>

namespace GAME {

namespace {

constexpr const char* kSourceFile = "Host/HostSamples";

class EveryEntity final : public FilterFunction<Entity> {
public:
    bool operator()(const Entity*) const override { return true; }
};

} // namespace

bool HostSamples::WithLibrary(std::ostream& err, const std::function<bool()>& show)
{
    InitializeObjects();
    // The library reports an engine it could not allocate by leaving the global null.
    if (gGameEngine == nullptr) {
        err << "gamehost: the game library did not start\n";
        return false;
    }
    const bool shown = show();
    ShutdownObjects();
    return shown;
}

bool HostSamples::AsSinglePlayer(std::ostream& err, const std::function<bool()>& show)
{
    gEngine->SetNetworkMode(false, false);
    return WithLibrary(err, show);
}

bool HostSamples::InNetworkWorld(bool client, std::ostream& err, const std::function<bool()>& play)
{
    gEngine->SetNetworkMode(true, client);
    const bool played = InWorld(err, [&] {
        if (client)
            gGameEngine->SetAsNetworkClient();
        else
            gGameEngine->SetAsNetworkServer();
        gEngine->GetNetworkConnectionManager().ClearSentPackets();
        return play();
    });
    gEngine->SetNetworkMode(false, false);
    return played;
}

bool HostSamples::InWorld(std::ostream& err, const std::function<bool()>& play)
{
    return WithLibrary(err, [&] {
        std::unique_ptr<World> previous = gEngine->SetWorld(std::make_unique<World>());
        gEngine->GetWorld()->CreateRegion(1, {0, 0, 0}, ABBox({-20, -10, -20}, {20, 10, 20}));
        const bool done = play();
        ClearWorld(*gEngine->GetWorld());
        ObjectManager::Instance().DestroyAllObjects();
        gEngine->GetNetworkConnectionManager().ClearSentPackets();
        gEngine->SetWorld(std::move(previous));
        return done;
    });
}

const LoadTable* HostSamples::OpenRecord(const char* record, const RTTI_ClassInfo& kind,
                                         std::ostream& err)
{
    ObjectManager& objects = ObjectManager::Instance();
    if (!objects.LoadTableFile(record)) {
        err << "gamehost: sample character record '" << ShownName(record) << "' cannot be read\n";
        return nullptr;
    }
    const LoadTable& table = objects.GetLoadTable(record);
    const std::string className = table.GetString("Class");
    if (className != kind.GetName()) {
        err << "gamehost: sample character record '" << ShownName(record) << "' names class '"
            << ShownName(className) << "', not " << kind.GetName() << '\n';
        return nullptr;
    }
    return &table;
}

bool HostSamples::Register(Object* object, const char* record, std::ostream& err, uint32_t id)
{
    if (!ObjectManager::Instance().RegisterObject(object, id)) {
        delete object;
        err << "gamehost: no object id is left for '" << ShownName(record) << "'\n";
        return false;
    }
    object->SetObjectName(record);
    return true;
}

void HostSamples::EnterWorld(Character& character, const WorldCoords& place)
{
    gEngine->GetWorld()->AddEntity(&character, place, false);
    character.InitialUpdate();
    character.GetCharacterBio().Update(character, 0);
}

bool HostSamples::PutSkillOnBar(Player& hero, const char* skill, uint32_t slot)
{
    SkillManager& skills = hero.GetSkillManager();
    const Skill* learnt = skills.GetSkill(skills.FindSkillId(skill));
    if (learnt == nullptr)
        return false;
    HotSlotOptionSkill option(learnt->GetObjectId());
    option.SetPlayer(&hero);
    hero.GetPlayerHotSlotCtrl().SetHotSlot(slot, &option);
    return true;
}

uint32_t HostSamples::StepSeed(uint32_t seed, int32_t step)
{
    uint32_t x = seed ^ (static_cast<uint32_t>(step) * 0x9E3779B9u);
    x ^= x >> 16;
    x *= 0x7FEB352Du;
    x ^= x >> 15;
    x *= 0x846CA68Bu;
    x ^= x >> 16;
    return x;
}

GraphicsAnim* HostSamples::MarkHitEvent(const char* animation, const char* event, float ms)
{
    GraphicsAnim* anim = GraphicsEngine::Instance().LoadAnimation(animation);
    if (anim == nullptr)
        return nullptr;
    const Name hit = Name::Create(event);
    for (const GraphicsAnim::Event& mark : anim->GetEvents()) {
        if (mark.name == hit)
            return anim;
    }
    anim->AddEvent(ms, hit);
    return anim;
}

void HostSamples::Destroy(Object* object)
{
    ObjectManager::Instance().DestroyObjectEx(object, kSourceFile, __LINE__);
    ObjectManager::Instance().ProcessDestroyedObjects();
}

void HostSamples::ClearWorld(World& world)
{
    std::vector<Entity*> entities;
    world.GetEntities(entities, EveryEntity());
    // A run stopped by a signal ends the program next: its objects go with the process.
    const bool ending = HostInterrupt::Caught() != 0;
    for (Entity* entity : entities) {
        world.RemoveEntity(entity);
        if (!ending)
            ObjectManager::Instance().DestroyObjectEx(entity, kSourceFile, __LINE__);
    }
    if (ending)
        ObjectManager::Instance().AbandonAllObjects();
    ObjectManager::Instance().ProcessDestroyedObjects();
}

std::string HostSamples::TwoDecimals(float value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", static_cast<double>(value));
    // "-0.00" would flicker in and out of the output with rounding noise.
    return std::strcmp(text, "-0.00") == 0 ? std::string("0.00") : std::string(text);
}

std::string HostSamples::HexWord(uint32_t value)
{
    char text[16];
    snprintf(text, sizeof(text), "0x%08x", value);
    return text;
}

std::string HostSamples::PointText(const Vec3& point)
{
    std::string text = "(";
    text += TwoDecimals(point.x) + ", " + TwoDecimals(point.y) + ", " + TwoDecimals(point.z);
    return text + ")";
}

const char* HostSamples::RouteName(ConnectionManager::Route route)
{
    switch (route) {
    case ConnectionManager::Route::Send:
        return "send";
    case ConnectionManager::Route::Broadcast:
        return "broadcast";
    case ConnectionManager::Route::ToHost:
        return "to host";
    }
    return "?";
}

void HostSamples::PrintPacket(std::ostream& out, const ConnectionManager::SentPacket& sent,
                              const std::string& prefix, const char* fieldIndent)
{
    std::unique_ptr<NetPacket> packet = ConnectionManager::DecodePacket(sent.bytes);
    out << prefix << (packet ? NetPacketDescriber::GetClassName(*packet) : "undecodable packet")
        << " (" << RouteName(sent.route) << ", " << sent.bytes.size() << " bytes)\n";
    if (!packet)
        return;
    const std::string fields = packet->GetPacketDescription(false);
    for (size_t start = 0; start < fields.size();) {
        const size_t end = std::min(fields.find('\n', start), fields.size());
        if (end > start)
            out << fieldIndent << std::string_view(fields).substr(start, end - start) << '\n';
        start = end + 1;
    }
}

HostSamples::CastView HostSamples::ViewCast(const Character& character)
{
    CastView view;
    view.teamMajor = character.GetTeam().GetTeamMajor();
    view.teamMinor = character.GetTeam().GetTeamMinor();
    if (const auto* monster = DynamicCast<const Monster>(&character)) {
        view.leader = monster->GetLeader();
        const Object* banner = ObjectManager::Instance().GetObject(monster->GetShownBanner());
        if (banner != nullptr)
            view.banner = ShownName(banner->GetObjectName());
    }
    if (const auto* npc = DynamicCast<const Npc>(&character))
        view.mark = ShownName(npc->GetPunctuationRecord());
    return view;
}

void HostSamples::PrintCastChanges(std::ostream& out, const std::string& prefix,
                                   const Character& character, CastView& last)
{
    const CastView now = ViewCast(character);
    const std::string who = prefix + ShownName(character.GetObjectName()) + " (" +
                            std::to_string(character.GetObjectId()) + "): ";
    if (now.leader != last.leader)
        out << who << "leader " << last.leader << " -> " << now.leader << '\n';
    if (now.teamMajor != last.teamMajor || now.teamMinor != last.teamMinor)
        out << who << "team " << last.teamMajor << '/' << last.teamMinor << " -> " << now.teamMajor
            << '/' << now.teamMinor << '\n';
    if (now.banner != last.banner) {
        if (!last.banner.empty())
            out << who << "banner removed " << last.banner << '\n';
        if (!now.banner.empty())
            out << who << "banner shown " << now.banner << '\n';
    }
    if (now.mark != last.mark)
        out << who << "mark " << (last.mark.empty() ? "none" : last.mark) << " -> "
            << (now.mark.empty() ? "none" : now.mark) << '\n';
    last = now;
}

std::string HostSamples::DialogLine(DialogPak* pak)
{
    Dialog* line = pak != nullptr ? pak->GetPrimaryDialog() : nullptr;
    if (line == nullptr)
        return "no line";
    return ShownName(line->GetTextTag() + " \"" + LocalizationManager::ToChar(line->GetText()) +
                     '"');
}

std::string HostSamples::OneDecimal(float value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", static_cast<double>(value));
    return text;
}

const char* HostSamples::HandlerName(const DeathHandler& handler)
{
    static const struct {
        const std::type_info& type;
        const char* name;
    } kKinds[] = {
        {typeid(DefaultDeathHandler), "Default"},
        {typeid(DissolveActorDeathHandler), "Dissolve"},
        {typeid(FadeActorDeathHandler), "Fade"},
        {typeid(PlaySoundDeathHandler), "PlaySound"},
        {typeid(SpawnActorDeathHandler), "SpawnActor"},
        {typeid(SpawnMyBonesDeathHandler), "SpawnMyBones"},
        {typeid(PlayEffectDeathHandler), "PlayEffect"},
    };
    for (const auto& kind : kKinds) {
        if (typeid(handler) == kind.type)
            return kind.name;
    }
    return "other";
}

} // namespace GAME
