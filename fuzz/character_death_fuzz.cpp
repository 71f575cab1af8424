// A hostile character record and the records it names (see fuzz/CharacterInput.h), made a
// character that dies in a world of its own: wounded, it enters the world and its death runs
// through its updates and every callback (the dissolve, the actor its record spawns, the rag
// doll) to its end, over a bounded number of frames, then hears the late callbacks a finished
// death may still hear. Nothing may crash or hang, and nothing the death made (the body, the
// spawned actor and what it wears) may outlive the input.
#include "characters/Character.h"
#include "combat/DeathManager.h"
#include "core/PlayStatsDamageType.h"
#include "engine/Coords.h"
#include "engine/Engine.h"
#include "engine/Name.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "fuzz/CharacterInput.h"

#include <array>
#include <cstdint>
#include <iterator>

namespace {

using namespace GAME;
using namespace GAME::CharacterInput;

// Enough frames for every callback and a few updates on each side of them; a death that is
// still running after them (a fade of years) is simply left.
constexpr int32_t kDeathFrameMs[] = {0, 16, 1, 1000, 33, 1 << 30, 16, 250, 2000, 16};
constexpr const char* kCallbacks[] = {"dissolve", "spawnDeathActor", "ragDoll", "End"};

// The death's part of the character's frame, with the animation's callbacks and the rag doll's
// rest spread over the frames; then the late callbacks a finished death may still hear.
void Die(Character& character)
{
    static const auto names = [] {
        std::array<Name, std::size(kCallbacks)> made;
        for (size_t i = 0; i < made.size(); ++i)
            made[i] = Name::Create(kCallbacks[i]);
        return made;
    }();
    static const Name physicsComplete = Name::Create("PhysicsComplete");
    character.PreLoad(true);
    character.InitialUpdate();
    character.SubtractLife(character.GetCurrentLife() * 0.5f + 1.0f, PlayStatsDamageType{});
    DeathManager* deaths = character.GetDeathManager();
    if (deaths == nullptr)
        return;
    gEngine->GetWorld()->AddEntity(&character, {kRegion, Coords::Identity()}, false);
    deaths->SetObjectIds(deaths->CreateObjectIds());
    deaths->Execute();
    deaths->PreLoad();
    size_t frame = 0;
    for (const int32_t ms : kDeathFrameMs) {
        if (frame < std::size(kCallbacks))
            deaths->AnimationCallback(names[frame]);
        else if (frame == std::size(kCallbacks))
            deaths->ExternalEvent(physicsComplete);
        ++frame;
        character.UpdateSelf(ms);
        deaths->Update(ms);
        if (deaths->IsFinished()) {
            deaths->PostProcess();
            break;
        }
    }
    for (const Name& callback : names)
        deaths->AnimationCallback(callback);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    WithFuzzCharacter(data, size, Die);
    return 0;
}
