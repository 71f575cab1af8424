#pragma once

#include "engine/Engine.h"
#include "game/GameEngine.h"

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

} // namespace GAME
