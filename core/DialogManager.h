#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace GAME {

// The mailbox between game code and the host's dialog boxes: game code queues dialogs, the host
// shows them in order and queues the player's answers, each addressed to the component that
// asked, which polls for it. Both queues are first in, first out; nothing is ever dropped.
class DialogManager {
public:
    enum DialogType : int32_t {
        DialogNotice = 0,  // nobody answers
        DialogQuestion = 1 // a component polls for the answer
    };
    enum InterestedParty : int32_t {
        PartyTeleportConfirm = 0,
        PartyMarket = 1,
        PartyRelicCombine = 2,
        PartyTradeInvitation = 3,
        PartyBanPlayer = 4,
        PartyFixedItemTeleport = 5,
        PartyInvitation = 6,
        PartyPortalUse = 7,
        PartyNotice = 12
    };

    struct Dialog {
        std::wstring text;
        InterestedParty party = PartyTeleportConfirm;
        DialogType type = DialogNotice;
        // The host's options, in their original order: the fifth, the last and the second
        // argument of `AddDialog`.
        bool option2 = false;
        bool option3 = false;
        bool option1 = false;
    };

    struct YesNoResponse {
        InterestedParty party = PartyTeleportConfirm;
        bool answer = false; // true for yes
    };

    // The wide name of a player by object id; "" when unknown.
    using PlayerNameSource = std::function<std::wstring(uint32_t playerId)>;

    // Notices kept for a host that has not shown them: a further one puts out the oldest.
    // Questions are never put out; each waits for its answer.
    static constexpr size_t kMaxNotices = 64;

    DialogManager();
    ~DialogManager();

    // Where the tag form of `AddDialog` finds player names (the game engine's list of players).
    void SetPlayerNameSource(PlayerNameSource source);

    void AddDialog(DialogType type, bool option1, InterestedParty party, const std::wstring& text,
                   bool option2, bool option3);
    // With a player id the tag is formatted with that player's name; without one (0) the tag
    // itself fills "SimpleStringFormat".
    void AddDialog(DialogType type, bool option1, InterestedParty party, const std::string& tag,
                   bool option2, uint32_t playerId, bool option3);

    size_t GetNumDialog() const { return dialogs.size(); }
    // The oldest dialog; an empty one when none is queued.
    const Dialog& PeekTopDialog() const;
    void RemoveTopDialog();

    void AddResponse(const YesNoResponse& response);
    size_t GetNumResponsesFor(InterestedParty party) const;
    // Takes the party's oldest response; (0, false) and nothing taken when there is none.
    YesNoResponse GetResponseFor(InterestedParty party);

private:
    std::vector<Dialog> dialogs;
    std::vector<YesNoResponse> responses;
    PlayerNameSource playerNames;
};

} // namespace GAME
