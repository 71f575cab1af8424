#include "core/DialogManager.h"

#include "engine/LocalizationManager.h"

#include <algorithm>
#include <utility>

namespace GAME {

DialogManager::DialogManager() = default;
DialogManager::~DialogManager() = default;

void DialogManager::SetPlayerNameSource(PlayerNameSource source)
{
    playerNames = std::move(source);
}

void DialogManager::AddDialog(DialogType type, bool option1, InterestedParty party,
                              const std::wstring& text, bool option2, bool option3)
{
    Dialog dialog;
    dialog.text = text;
    dialog.party = party;
    dialog.type = type;
    dialog.option2 = option2;
    dialog.option3 = option3;
    dialog.option1 = option1;
    const auto notice = [](const Dialog& kept) { return kept.type == DialogNotice; };
    if (type == DialogNotice &&
        static_cast<size_t>(std::count_if(dialogs.begin(), dialogs.end(), notice)) >= kMaxNotices)
        dialogs.erase(std::find_if(dialogs.begin(), dialogs.end(), notice));
    dialogs.push_back(std::move(dialog));
}

void DialogManager::AddDialog(DialogType type, bool option1, InterestedParty party,
                              const std::string& tag, bool option2, uint32_t playerId, bool option3)
{
    const LocalizationManager& texts = LocalizationManager::Instance();
    std::wstring text;
    if (playerId != 0) {
        const std::wstring name = playerNames ? playerNames(playerId) : std::wstring();
        text = texts.Format(tag, name);
    } else {
        text = texts.Format("SimpleStringFormat", tag);
    }
    AddDialog(type, option1, party, text, option2, option3);
}

const DialogManager::Dialog& DialogManager::PeekTopDialog() const
{
    // The host should check GetNumDialog first; one that does not gets a blank box, not a crash.
    static const Dialog kEmpty;
    return dialogs.empty() ? kEmpty : dialogs.front();
}

void DialogManager::RemoveTopDialog()
{
    if (!dialogs.empty())
        dialogs.erase(dialogs.begin());
}

void DialogManager::AddResponse(const YesNoResponse& response)
{
    responses.push_back(response);
}

size_t DialogManager::GetNumResponsesFor(InterestedParty party) const
{
    return static_cast<size_t>(
        std::count_if(responses.begin(), responses.end(),
                      [party](const YesNoResponse& response) { return response.party == party; }));
}

DialogManager::YesNoResponse DialogManager::GetResponseFor(InterestedParty party)
{
    auto found =
        std::find_if(responses.begin(), responses.end(),
                     [party](const YesNoResponse& response) { return response.party == party; });
    if (found == responses.end())
        return YesNoResponse{};
    const YesNoResponse response = *found;
    responses.erase(found);
    return response;
}

} // namespace GAME
