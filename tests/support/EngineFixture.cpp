#include "tests/support/EngineFixture.h"

#include "engine/ObjectManager.h"

namespace GAME::Test {

void EngineFixture::SetUp()
{
    ObjectManager& objects = ObjectManager::Instance();
    objects.DestroyAllObjects();
    objects.SetHostIndex(0);
    objects.GetDatabase().SetRoot(database.GetRoot());
}

void EngineFixture::TearDown()
{
    ObjectManager& objects = ObjectManager::Instance();
    objects.DestroyAllObjects();
    objects.GetDatabase().SetRoot("");
}

} // namespace GAME::Test
