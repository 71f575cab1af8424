#pragma once

#include "tests/support/LogCapture.h"
#include "tests/support/TempDatabase.h"

#include <gtest/gtest.h>

namespace GAME::Test {

// Inside a TEST body `Test` names the GoogleTest base class: spell these `GAME::Test::...`.
// Each test starts with an empty object manager rooted at a database of its own and a log
// capture; whatever the test left behind is destroyed afterwards.
class EngineFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    TempDatabase database;
    LogCapture log;
};

} // namespace GAME::Test
