#pragma once

#include "characters/CharacterBio.h"
#include "characters/CharacterBioReplicaInfo.h"
#include "characters/Player.h"
#include "combat/CombatManager.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "fuzz/QuietGame.h"
#include "game/GameEngine.h"
#include "multiplayer/PlayerManagerClient.h"
#include "multiplayer/PlayerManagerServer.h"
#include "skills/SkillManager.h"

#include <array>
#include <cstdint>
#include <functional>
#include <utility>

namespace GAME {

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
