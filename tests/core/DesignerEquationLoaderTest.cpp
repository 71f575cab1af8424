#include "core/DesignerEquationLoader.h"

#include "core/DesignerEquation_Algebra.h"
#include "engine/LoadTable.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/LogCapture.h"

#include <gtest/gtest.h>

namespace GAME::Test {
namespace {

class DesignerEquationLoaderTest : public EngineFixture {};

TEST_F(DesignerEquationLoaderTest, ABrokenFormulaIsLoggedWithItsRecordAndText)
{
    LoadTable record;
    record.Parse("good = 2 * 3\nbroken = (2*5)+\n", "Records/Game/Broken.dbr");
    LogCapture log;

    EXPECT_EQ(LoadDesignerEquation(record, "absent", nullptr, "failed : %s"), nullptr);
    const auto good = LoadDesignerEquation(record, "good", nullptr, "failed : %s");
    ASSERT_NE(good, nullptr);
    EXPECT_FLOAT_EQ((*good)(), 6.0f);
    EXPECT_TRUE(log.GetLines().empty());

    EXPECT_EQ(LoadDesignerEquation(record, "broken", nullptr, "failed : %s "), nullptr);
    EXPECT_EQ(log.Count(1, "failed : broken "), 1u);
    EXPECT_EQ(log.Count(1, "Records/Game/Broken.dbr: \"broken\" does not parse: (2*5)+"), 1u);
}

} // namespace
} // namespace GAME::Test
