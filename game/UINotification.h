#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

// The kinds of message the host's user interface knows how to show; the values are the host's.
using UINotificationType = int32_t;

// The kinds the game raises itself; the host's others pass through by number.
enum UINotificationKind : UINotificationType {
    // A line over the game: a message from another machine, or a party rule's refusal.
    UINotificationKind_Message = 6,
};

// One message waiting for the user interface: text tags to localise, or ready wide texts.
struct UINotification {
    std::vector<std::string> tags;
    std::vector<std::wstring> texts;
    UINotificationType type = 0;

    bool operator==(const UINotification& other) const
    {
        return type == other.type && tags == other.tags && texts == other.texts;
    }
    bool operator!=(const UINotification& other) const { return !(*this == other); }
};

} // namespace GAME
