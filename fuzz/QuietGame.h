#pragma once

#include "engine/Engine.h"
#include "game/GameEngine.h"

#include <string>

// Game objects live in a running game: one hub for the whole run, its log silenced so that a
// hostile input's load errors do not drown the fuzzer's own output.
inline void StartQuietGame()
{
    static const bool started = [] {
        GAME::gEngine->SetLogSink([](int, const std::string&) {});
        InitializeObjects();
        return true;
    }();
    (void)started;
}
