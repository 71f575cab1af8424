#include <gtest/gtest.h>

// Run only by tests/HarnessCheck.sh: a failing assertion must fail its program and name itself.
TEST(Harness, DISABLED_AFailingAssertionNamesItsTest)
{
    EXPECT_EQ(1, 2) << "deliberate failure";
}
