#include "host/scenarios/DeathReport.h"

#include "characters/Character.h"
#include "characters/Monster.h"
#include "characters/Player.h"
#include "combat/AngerManager.h"
#include "combat/AuraManager.h"
#include "combat/DeathHandler.h"
#include "combat/DeathManager.h"
#include "engine/ABBox.h"
#include "engine/AnimationChannel.h"
#include "engine/Color.h"
#include "engine/Coords.h"
#include "engine/Engine.h"
#include "engine/GraphicsAnim.h"
#include "engine/Light.h"
#include "engine/Name.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "host/HostSamples.h"
#include "host/ShownName.h"
#include "host/scenarios/CharacterReport.h"

#include <algorithm>
#include <iterator>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace GAME {

namespace {

constexpr uint32_t kDeathRegion = 1;
constexpr float kTargetThreshold = 10.0f;
constexpr int32_t kAuraSeconds = 1;

bool Exists(uint32_t id)
{
    return ObjectManager::Instance().GetObject(id) != nullptr;
}

std::string ColorText(const Color& color)
{
    return HostSamples::OneDecimal(color.red) + " " + HostSamples::OneDecimal(color.green) + " " +
           HostSamples::OneDecimal(color.blue);
}

const Light* AttachedLight(const Character& character)
{
    for (const Entity* child : character.GetAttachedChildren()) {
        if (const auto* light = DynamicCast<const Light>(child))
            return light;
    }
    return nullptr;
}

// What one dying monster had asked of the engine when last looked at, so that a frame prints
// only what changed.
class DeathWatch {
public:
    DeathWatch(const Character& body, std::vector<uint32_t> spawnIds)
        : bodyId(body.GetObjectId()), spawnIds(std::move(spawnIds)),
          spawnStates(this->spawnIds.size())
    {
        Look(body, nullptr);
    }

    // The body may be gone (destroyed, but not yet deleted): it is read only while it exists.
    void Look(const Character& body, std::vector<std::string>* changes)
    {
        const auto note = [changes](const std::string& change) {
            if (changes != nullptr)
                changes->push_back(change);
        };
        if (!bodyGone) {
            if (!Exists(bodyId)) {
                bodyGone = true;
                note("body removed");
            } else {
                LookAtBody(body, note);
            }
        }
        for (size_t i = 0; i < spawnIds.size(); ++i) {
            const auto* spawned = ObjectManager::Instance().GetObject<Character>(spawnIds[i]);
            const SpawnState state = spawned == nullptr     ? SpawnState::None
                                     : spawned->IsInWorld() ? SpawnState::InWorld
                                                            : SpawnState::OnBody;
            if (state == spawnStates[i])
                continue;
            spawnStates[i] = state;
            if (state == SpawnState::None)
                continue;
            note("spawned " + ShownName(spawned->GetObjectName()) +
                 (state == SpawnState::InWorld ? " in the world" : " on the body"));
        }
    }

private:
    enum class SpawnState { None, OnBody, InWorld };

    template <class Note> void LookAtBody(const Character& body, const Note& note)
    {
        if (const AnimationChannel* channel = body.GetAnimationChannel(0)) {
            // The log keeps the latest requests only: the first kept is number total - kept.
            const BoundedLog<AnimationChannel::PlayRequest>& plays = channel->playRequests;
            const uint64_t first = plays.GetTotalCount() - plays.GetSize();
            for (uint64_t i = std::max(animations, first); i < plays.GetTotalCount(); ++i) {
                const GraphicsAnim* animation = plays[static_cast<size_t>(i - first)].animation;
                note("animation " + (animation != nullptr ? animation->GetName() : "none"));
            }
            animations = plays.GetTotalCount();
        }
        if (body.GetTintColorSetCount() != tints) {
            tints = body.GetTintColorSetCount();
            note("tint " + ColorText(body.GetTintColor()));
        }
        for (size_t i = dissolves; i < body.GetDissolveRequests().size(); ++i) {
            const Actor::DissolveRequest& request = body.GetDissolveRequests()[i];
            note("dissolve over " + HostSamples::OneDecimal(request.seconds) + " s");
        }
        dissolves = body.GetDissolveRequests().size();
        const Light* light = AttachedLight(body);
        const float radius = light != nullptr ? light->GetRadius() : -1.0f;
        if (radius != lightRadius) {
            note(light != nullptr ? "light radius " + HostSamples::OneDecimal(radius)
                                  : std::string("light gone"));
            lightRadius = radius;
        }
    }

    uint32_t bodyId;
    bool bodyGone = false;
    uint64_t animations = 0;
    uint32_t tints = 0;
    size_t dissolves = 0;
    float lightRadius = -1.0f; // no light
    std::vector<uint32_t> spawnIds;
    std::vector<SpawnState> spawnStates;
};

void PrintFrame(std::ostream& out, int32_t ms, const std::vector<std::string>& changes)
{
    if (changes.empty())
        return;
    out << "  " << ms << " ms:";
    const char* separator = " ";
    for (const std::string& change : changes) {
        out << separator << change;
        separator = "; ";
    }
    out << '\n';
}

// In the host's world as a level puts its characters, with its first update; null when the
// record does not make one.
template <class Kind> Kind* Place(const char* record, float x, std::ostream& err)
{
    Kind* character = HostSamples::Make<Kind>(record, err);
    if (character == nullptr)
        return nullptr;
    const WorldCoords place{kDeathRegion, Coords::FromTranslation(Vec3(x, 0, 0))};
    HostSamples::EnterWorld(*character, place);
    return character;
}

} // namespace

DeathReport::DeathReport(std::ostream& out, std::ostream& err) : out(out), err(err) {}

bool DeathReport::Run()
{
    return HostSamples::WithLibrary(err, [this] { return ShowDeaths(); });
}

bool DeathReport::ShowDeaths()
{
    std::unique_ptr<World> previousWorld = gEngine->SetWorld(std::make_unique<World>());
    World& world = *gEngine->GetWorld();
    world.CreateRegion(kDeathRegion, {0, 0, 0}, ABBox({-100, -10, -100}, {100, 10, 100}));
    bool shown = true;
    for (const char* record : {kDissolvingMonster, kFadingMonster, kSpawningMonster}) {
        shown = shown && ShowDeath(record);
        HostSamples::ClearWorld(world);
    }
    shown = shown && ShowAura();
    HostSamples::ClearWorld(world);
    shown = shown && ShowTarget();
    HostSamples::ClearWorld(world);
    gEngine->SetWorld(std::move(previousWorld));
    return shown;
}

// The death's part of the monster's frame: the body, then the handlers, then the end of the
// death once every handler is done; deleted objects go when the frame ends.
bool DeathReport::ShowDeath(const char* record)
{
    Monster* monster = Place<Monster>(record, 0.0f, err);
    if (monster == nullptr)
        return false;
    DeathManager& deaths = *monster->GetDeathManager();
    out << "death of " << record << " (handlers:";
    const char* separator = " ";
    for (const auto& handler : deaths.GetHandlers()) {
        out << separator << HostSamples::HandlerName(*handler);
        separator = ", ";
    }
    out << "):\n";

    const std::vector<uint32_t> ids = deaths.CreateObjectIds();
    deaths.SetObjectIds(ids);
    DeathWatch watch(*monster, ids);
    static const Name end = Name::Create("End");
    for (int32_t ms = 0; ms <= kMaxDeathMs; ms += kFrameMs) {
        std::vector<std::string> changes;
        bool finished = false;
        if (ms == 0) {
            deaths.Execute();
        } else {
            if (ms == kAnimationEndMs) {
                deaths.AnimationCallback(end);
                changes.push_back("\"End\"");
            }
            monster->Actor::UpdateSelf(kFrameMs);
            deaths.Update(kFrameMs);
            finished = deaths.IsFinished();
            if (finished)
                deaths.PostProcess();
        }
        watch.Look(*monster, &changes);
        if (finished)
            changes.push_back("death over");
        ObjectManager::Instance().ProcessDestroyedObjects();
        PrintFrame(out, ms, changes);
        if (finished)
            return true;
    }
    err << "gamehost: the death of '" << record << "' did not end within " << kMaxDeathMs
        << " ms\n";
    return false;
}

bool DeathReport::ShowAura()
{
    Monster* monster = Place<Monster>(kFadingMonster, 0.0f, err);
    if (monster == nullptr)
        return false;
    AuraManager auras;
    const uint32_t aura = auras.AddAura(*monster, kAura, false, kAuraSeconds);
    out << "aura " << kAura << " on " << kFadingMonster << " for " << kAuraSeconds << " s:\n";
    for (int32_t ms = kFrameMs; aura != 0 && ms <= kMaxDeathMs; ms += kFrameMs) {
        auras.Update(*monster, kFrameMs);
        ObjectManager::Instance().ProcessDestroyedObjects();
        if (!Exists(aura)) {
            out << "  " << ms << " ms: aura gone\n";
            return true;
        }
    }
    auras.Clear(*monster);
    err << "gamehost: the aura '" << kAura << "' did not time out\n";
    return false;
}

bool DeathReport::ShowTarget()
{
    Monster* monster = Place<Monster>(kFadingMonster, 0.0f, err);
    if (monster == nullptr)
        return false;
    static constexpr float kAnger[] = {20.0f, 45.0f, 30.0f};
    AngerManager anger;
    std::vector<uint32_t> attackers;
    out << "hate list of " << kFadingMonster << ":\n";
    for (size_t i = 0; i < std::size(kAnger); ++i) {
        Player* attacker =
            Place<Player>(CharacterReport::kSamplePlayer, 5.0f * static_cast<float>(i + 1), err);
        if (attacker == nullptr)
            return false;
        attackers.push_back(attacker->GetObjectId());
        anger.AddAnger(attackers.back(), kAnger[i]);
        out << "  attacker " << i + 1 << " adds anger " << HostSamples::OneDecimal(kAnger[i])
            << '\n';
    }
    const Character* target = anger.GetNewTarget(kTargetThreshold);
    const auto chosen = std::find(attackers.begin(), attackers.end(),
                                  target != nullptr ? target->GetObjectId() : 0);
    out << "  target: ";
    if (chosen != attackers.end())
        out << "attacker " << chosen - attackers.begin() + 1 << '\n';
    else
        out << "none\n";
    return true;
}

} // namespace GAME
