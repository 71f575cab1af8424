#include "ai/ControllerAI.h"

#include "engine/ObjectManager.h"
#include "tests/support/EngineFixture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace GAME::Test {
namespace {

class ControllerRecords : public EngineFixture {};

TEST_F(ControllerRecords, TheShippedRecordsMakeTheirControllers)
{
    const char* source = std::getenv("GAME_SOURCE_DIR");
    if (source == nullptr)
        GTEST_SKIP() << "GAME_SOURCE_DIR is not set";
    ObjectManager& objects = ObjectManager::Instance();
    objects.GetDatabase().SetRoot(std::string(source) + "/data/database");
    const std::pair<const char*, const char*> records[] = {
        {"Records/Controllers/Monster/DefaultControllerAI.dbr", "ControllerMonster"},
        {"Records/Controllers/Npc/Npc2Controller.dbr", "ControllerNpc2"},
        {"Records/Controllers/Npc/NpcHerdAnimalController.dbr", "ControllerNpcHerdAnimal"},
        {"Records/Controllers/Npc/NpcHerderController.dbr", "ControllerNpcHerder"},
        {"Records/Controllers/Player/CharacterControllerStub.dbr", "ControllerCombat"},
        {"Records/Controllers/Editor/EditorController.dbr", "ControllerBaseCharacter"}};
    for (const auto& [record, className] : records) {
        auto* controller = objects.CreateObjectFromFile<ControllerBaseCharacter>(record);
        ASSERT_NE(controller, nullptr) << record;
        EXPECT_STREQ(controller->GetClassInfo()->GetName(), className);
        EXPECT_EQ(controller->GetParentId(), 0u);
    }
    // Only a base: nothing is made of it by name.
    EXPECT_EQ(objects.CreateObject("Controller"), nullptr);
}

} // namespace
} // namespace GAME::Test
