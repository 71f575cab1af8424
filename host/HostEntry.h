#pragma once

// The program is a small executable that sets its signal handlers before anything else and then
// loads the host library, whose loading (placing the game library, binding its symbols) is most of
// the start-up. These are the names the two share.
extern "C" {
// The signal the executable caught while the library was loading; 0 while none.
using GameHostCaughtFn = int (*)();
// Runs the host on the program's arguments and returns the program's exit status.
using GameHostMainFn = int (*)(int argc, char** argv, GameHostCaughtFn caughtWhileLoading);
}

namespace GAME {
constexpr const char* kHostLibrary = "libgamehost.so.0";
constexpr const char* kHostEntry = "GameHostMain";
} // namespace GAME
