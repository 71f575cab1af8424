#pragma once

#include "characters/Character.h"
#include "core/GameTextLine.h"

#include <cstdint>
#include <vector>

namespace GAME {

class LoadTable;

// A harmless creature of the scenery: perhaps a stooge controller that answers hits with its
// one named skill, perhaps no controller at all.
class AmbientCharacter : public Character {
    GAME_DECLARE_CLASS(AmbientCharacter)

public:
    AmbientCharacter() = default;
    ~AmbientCharacter() override;

    void Load(const LoadTable& table) override;
    // Hands the controller made at load over to the character.
    void InitialUpdate() override;
    // Only the controller hears of it; scenery calls nobody for help.
    void UnderAttack(uint32_t attackerId) override;

    // The pet summary, always with mana, and with the hand damage while no skill is shown.
    void CreateUISummaryText(GameTextClass textClass,
                             std::vector<GameTextLine>& lines) const override;

    // The skill named by "skill1"; 0 when none.
    uint32_t GetSkillId1() const { return skillId1; }
    // The controller made at load, until `InitialUpdate` hands it over.
    uint32_t GetPendingControllerId() const { return pendingControllerId; }

private:
    uint32_t skillId1 = 0;
    // Held by id: the object manager owns it; this character destroys it if never handed over.
    uint32_t pendingControllerId = 0;
};

} // namespace GAME
