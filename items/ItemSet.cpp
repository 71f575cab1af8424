#include "items/ItemSet.h"

#include <algorithm>

#include "core/StringHelpers.h"
#include "engine/Engine.h"
#include "engine/LoadTable.h"
#include "engine/LocalizationManager.h"
#include "engine/ObjectManager.h"

namespace GAME {

ItemSet::~ItemSet() = default;

void ItemSet::LoadFromDatabase(const std::string& recordName)
{
    SetRecordName(recordName);
    ObjectManager& objects = ObjectManager::Instance();
    if (!objects.LoadTableFile(recordName))
        gEngine->Log(Engine::LogData, "ItemSet: could not load record '%s'", recordName.c_str());
    // A record that failed reads as empty, so the set ends with no members and no bonus.
    const LoadTable& table = objects.GetLoadTable(recordName);
    setName = table.GetString("setName");
    setDescription = table.GetString("setDescription");

    std::vector<std::string> memberRecords;
    table.GetStringList("setMembers", memberRecords);
    members.clear();
    for (std::string& record : memberRecords) {
        Member member;
        CreateMemberDisplayName(record, member.displayName);
        NormalizeFileNameLower(record);
        member.recordName = std::move(record);
        members.push_back(std::move(member));
    }
    LoadFromTable(table);
}

void ItemSet::CreateMemberDisplayName(const std::string& memberRecord,
                                      std::wstring& displayName) const
{
    ObjectManager& objects = ObjectManager::Instance();
    objects.LoadTableFile(memberRecord);
    const std::string tag = objects.GetLoadTable(memberRecord).GetString("itemNameTag");
    displayName = LocalizationManager::Instance().Format("SimpleStringFormat", tag);
}

void ItemSet::GetUIDisplayText(const std::vector<std::string>& wornMembers,
                               std::vector<GameTextLine>& lines) const
{
    const LocalizationManager& text = LocalizationManager::Instance();
    lines.emplace_back(GameTextClass::ItemSetName, text.Format("SimpleStringFormat", setName),
                       false);
    if (!setDescription.empty())
        lines.emplace_back(GameTextClass::ItemSetDescription, text.Format(setDescription), true);
    for (const Member& member : members) {
        const bool worn = std::find(wornMembers.begin(), wornMembers.end(), member.recordName) !=
                          wornMembers.end();
        lines.emplace_back(worn ? GameTextClass::ItemSetComponentAvailable
                                : GameTextClass::ItemSetComponentNotAvailable,
                           member.displayName, false);
    }
    if (!wornMembers.empty())
        AttributePak::GetUIDisplayText(static_cast<uint32_t>(wornMembers.size()),
                                       GameTextClass::ItemSetBonuses, lines);
}

} // namespace GAME
