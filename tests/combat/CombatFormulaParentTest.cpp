#include "characters/Character.h"
#include "combat/CombatManager.h"
#include "engine/ObjectManager.h"
#include "tests/support/GameEngineFixture.h"
#include "tests/support/Records.h"

#include <gtest/gtest.h>

#include <string>

namespace GAME::Test {
namespace {

class CombatFormulaParentTest : public GameEngineFixture {
protected:
    static constexpr const char* kCombatRecord = "Records/Game/CombatParent.dbr";

    Character* LoadCharacter(const std::string& numbers)
    {
        auto* character =
            static_cast<Character*>(ObjectManager::Instance().CreateObject("Character"));
        character->Load(Record(numbers + "\ncombatManagerRecord = " + kCombatRecord));
        character->InitialUpdate();
        return character;
    }
};

// A formula keeps the inputs' places in its manager, but reads the character's numbers from
// whichever character is the manager's parent when it runs.
TEST_F(CombatFormulaParentTest, FormulasBuiltForOneParentReadTheNextOne)
{
    database.WriteRecord(kCombatRecord,
                         {"physicalDamageEquation = (physicalDamageDV*(1+(strengthDV*0.01)))",
                          "elementalDamageEquation = ((elementalDamageDV*(1+(intelligenceDV*0.01)))"
                          "+characterLevelDV)"});
    Start();
    Character* first = LoadCharacter("characterStrength = 50\ncharacterIntelligence = 20\n"
                                     "charLevel = 3");
    Character* second = LoadCharacter("characterStrength = 80\ncharacterIntelligence = 60\n"
                                      "charLevel = 9");
    CombatManager& combat = first->GetCombatManager();
    const struct {
        Character* parent;
        float physical, elemental;
    } rows[] = {{first, 150.0f, 123.0f},
                {second, 180.0f, 169.0f},
                {nullptr, 100.0f, 100.0f},
                {first, 150.0f, 123.0f}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.parent ? row.parent->GetObjectId() : 0u);
        combat.AssignParent(row.parent);
        EXPECT_FLOAT_EQ(combat.DesignerCalculatePhysicalDamage(100.0f), row.physical);
        EXPECT_FLOAT_EQ(combat.DesignerCalculateElementalDamage(100.0f), row.elemental);
    }
}

} // namespace
} // namespace GAME::Test
