#include "tests/support/EngineFixture.h"

#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "engine/SoundManager.h"

namespace GAME::Test {

void EngineFixture::SetUp()
{
    ObjectManager& objects = ObjectManager::Instance();
    objects.DestroyAllObjects();
    objects.SetHostIndex(0);
    objects.GetDatabase().SetRoot(database.GetRoot());
    // The engine's records and switches outlive a test; each starts from none and off.
    gEngine->GetPhysicsEngine().Reset();
    gEngine->GetDebugRenderManager().Reset();
    SoundManager::Instance().Reset();
    gEngine->SetCharacterDataLogEnabled(false);
    gEngine->SetPositionUpdateSuppressed(false);
}

void EngineFixture::TearDown()
{
    ObjectManager& objects = ObjectManager::Instance();
    objects.DestroyAllObjects();
    objects.GetDatabase().SetRoot("");
}

} // namespace GAME::Test
