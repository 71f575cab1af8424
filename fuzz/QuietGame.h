#pragma once

#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"

#include <cstdint>
#include <string>

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

} // namespace GAME
