#pragma once

#include "characters/CharacterBio.h"
#include "characters/CharacterBioReplicaInfo.h"
#include "characters/Player.h"
#include "combat/CombatManager.h"
#include "core/DialogManager.h"
#include "engine/DayNightManager.h"
#include "engine/EditorFilter.h"
#include "engine/Engine.h"
#include "engine/Jukebox.h"
#include "engine/ObjectManager.h"
#include "engine/SoundManager.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "game/ActivityManager.h"
#include "game/GameEngine.h"
#include "multiplayer/PlayerManagerClient.h"
#include "multiplayer/PlayerManagerServer.h"
#include "skills/SkillManager.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace GAME {

// The game's hub started once for the whole run, its log silenced: what the inputs exercise
// lives in a running game.
inline void StartQuietGame()
{
    static const bool started = [] {
        gEngine->SetLogSink([](int, const std::string&) {});
        InitializeObjects();
        return true;
    }();
    (void)started;
}

// Destroys the object of the id, when one is still registered.
inline void DestroyIfRegistered(uint32_t id)
{
    ObjectManager& objects = ObjectManager::Instance();
    if (Object* object = objects.GetObject(id))
        objects.DestroyObjectEx(object, "fuzz", 1);
}

// What an input starts from: the objects there are, and the first id it may make.
class InputStart {
public:
    InputStart()
        : ids(ObjectManager::Instance().GetObjectIds()),
          first(ObjectManager::Instance().CreateObjectID())
    {
        std::sort(ids.begin(), ids.end());
    }
    bool Existed(uint32_t id) const { return std::binary_search(ids.begin(), ids.end(), id); }
    uint32_t First() const { return first; }

private:
    std::vector<uint32_t> ids;
    uint32_t first;
};

// Ends an input of a running game: every object it made goes, whatever id it took (a peer's
// message names its own), and so does what the game, the engine's recording services and the
// database (since the run's mark, see HoldRunRecords) kept of it, so that the next input meets
// the game this one met and libFuzzer's leak check has nothing to look into.
inline void EndInput(const InputStart& start)
{
    ObjectManager& objects = ObjectManager::Instance();
    std::vector<uint32_t> made = objects.GetObjectIds();
    std::erase_if(made, [&](uint32_t id) { return start.Existed(id); });
    for (const uint32_t id : made)
        DestroyIfRegistered(id);
    objects.ProcessDestroyedObjects();
    if (gGameEngine != nullptr) {
        // Damage done to a character that went without dying is kept for it.
        for (uint32_t id = start.First(), last = objects.CreateObjectID(); id != last; ++id)
            gGameEngine->RemoveDamageEntry(id);
        for (const uint32_t id : made)
            gGameEngine->RemoveDamageEntry(id);
        DialogManager& dialogs = gGameEngine->GetDialogManager();
        while (dialogs.GetNumDialog() > 0)
            dialogs.RemoveTopDialog();
        while (gGameEngine->GetNumNotifications() > 0)
            gGameEngine->TakeTopNotification();
        gGameEngine->ClearProxyInfo();
        gGameEngine->ClearPetList();
        ActivityManager::Get().Clear();
    }
    while (!gEngine->GetForcedUpdates().empty())
        gEngine->UnregisterForForcedUpdates(gEngine->GetForcedUpdates().front());
    Jukebox::Instance().Reset();
    SoundManager::Instance().Reset();
    DayNightManager::Instance().Reset();
    EditorFilter::Instance().Reset();
    objects.GetDatabase().ForgetSinceMark();
}

// A character of the run's world that stands at home between inputs: made once, given back its
// life and mana before each input, and made again only when an input left it gone, dead, or
// holding something it did not hold when made (a buff, a filter, an attachment), which could be
// of the input's own making. So every input meets the same character.
class StandingCharacter {
public:
    // `make` makes the character and places it at `home`.
    StandingCharacter(std::function<Character*()> make, const WorldVec3& home)
        : make(std::move(make)), home(home)
    {}

    Character& Get()
    {
        ObjectManager& objects = ObjectManager::Instance();
        Character* character = objects.GetObject<Character>(id);
        if (character == nullptr || LookOf(*character) != made) {
            DestroyIfRegistered(id);
            objects.ProcessDestroyedObjects();
            character = make();
            id = character->GetObjectId();
            character->GetCharacterBio().GetCurrentBioStats(fresh);
            made = LookOf(*character);
        }
        character->GetCharacterBio().RestoreCurrentBioStats(fresh, false);
        gEngine->GetWorld()->SetPosition(character, home);
        return *character;
    }

private:
    // What an input may leave on a character that life and mana do not tell.
    using Look = std::array<size_t, 7>;
    static Look LookOf(Character& character)
    {
        SkillManager& skills = character.GetSkillManager();
        return {character.IsAlive(),
                static_cast<size_t>(character.GetActionState()),
                skills.GetSkillBuffCount(),
                skills.GetActiveList().size(),
                character.GetCombatManager().GetCombatFilters().size(),
                character.GetNumAttachedEntities(),
                character.GetAttachedItems().size()};
    }

    std::function<Character*()> make;
    WorldVec3 home;
    uint32_t id = 0;
    Look made{};
    CharacterBioReplicaInfo fresh;
};

// The main player of a run's world, standing at home (see StandingCharacter); `controlling`:
// this machine moves him, as a played hero rather than one standing by.
inline StandingCharacter MainPlayer(const WorldVec3& home, bool controlling)
{
    return StandingCharacter(
        [home, controlling] {
            auto* player = static_cast<Player*>(ObjectManager::Instance().CreateObject("Player"));
            gGameEngine->GetPlayerManagerClient()->Clear();
            if (PlayerManagerServer* server = gGameEngine->GetPlayerManagerServer())
                server->Clear();
            gGameEngine->GetPlayerManagerClient()->SetMainPlayer(player->GetObjectId());
            player->SetIsControllingCharacter(controlling);
            gEngine->GetWorld()->AddEntity(player, WorldCoords(home), false);
            return player;
        },
        home);
}

} // namespace GAME
