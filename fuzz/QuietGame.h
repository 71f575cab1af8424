#pragma once

#include "engine/Engine.h"
#include "game/GameEngine.h"

#include <string>

namespace GAME {

// The log silenced once for the whole run: hostile input is meant to be refused with lines.
inline void SilenceLog()
{
    static const bool silenced = [] {
        gEngine->SetLogSink([](int, const std::string&) {});
        return true;
    }();
    (void)silenced;
}

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
