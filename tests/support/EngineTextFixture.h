#pragma once

#include "engine/LocalizationManager.h"
#include "tests/support/EngineFixture.h"

namespace GAME::Test {

// An engine fixture whose localized texts start empty and are emptied again afterwards.
class EngineTextFixture : public EngineFixture {
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        texts.Clear();
    }
    void TearDown() override
    {
        texts.Clear();
        EngineFixture::TearDown();
    }

    LocalizationManager& texts = LocalizationManager::Instance();
};

} // namespace GAME::Test
