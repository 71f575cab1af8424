#pragma once

#include "characters/AttributePak.h"

#include "core/GameTextLine.h"

#include <string>
#include <vector>

namespace GAME {

// Equipment records grouped under one name: wearing several members gives the set's bonus
// attributes at a level equal to the number worn.
class ItemSet : public AttributePak {
public:
    struct Member {
        std::string recordName; // normalised: lower case, backslashes
        std::wstring displayName;
    };

    ItemSet() = default;
    ~ItemSet() override;

    // The set's own keys, then the bonus attributes from the same record.
    void LoadFromDatabase(const std::string& recordName) override;

    const std::string& GetSetName() const { return setName; }
    const std::string& GetSetDescription() const { return setDescription; }
    const std::vector<Member>& GetMembers() const { return members; }

    using AttributePak::GetUIDisplayText;
    // The set's name, description and members, each marked worn or not by its exact record
    // name in `wornMembers`, then the bonuses at the number worn.
    virtual void GetUIDisplayText(const std::vector<std::string>& wornMembers,
                                  std::vector<GameTextLine>& lines) const;

protected:
    virtual void CreateMemberDisplayName(const std::string& memberRecord,
                                         std::wstring& displayName) const;

private:
    std::string setName;
    std::string setDescription;
    std::vector<Member> members;
};

} // namespace GAME
