#pragma once

#include <cstdint>
#include <string>

namespace GAME {

// One chat line received for the local player's chat window.
struct ChatMessage {
    std::wstring sender;
    std::wstring text;
    uint8_t channel = 0;
};

} // namespace GAME
