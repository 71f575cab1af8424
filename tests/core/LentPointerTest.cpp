#include "core/LentPointer.h"
#include "core/RandomUniform.h"

#include <gtest/gtest.h>

#include <utility>

namespace GAME {
namespace {

TEST(LentPointer, HeldUntilTheLoanEndsAndCopiesStartWithoutIt)
{
    RandomUniform random;
    RandomUniform other;
    LentPointer<RandomUniform> lent;
    lent.Lend(&random);
    EXPECT_EQ(lent.Get(), &random);
    LentPointer<RandomUniform> copy(lent);
    LentPointer<RandomUniform> moved(std::move(copy));
    LentPointer<RandomUniform> assigned;
    assigned.Lend(&other);
    assigned = lent; // ends the target's own loan too
    EXPECT_EQ(copy.Get(), nullptr);
    EXPECT_EQ(moved.Get(), nullptr);
    EXPECT_EQ(assigned.Get(), nullptr);
    EXPECT_EQ(lent.Get(), &random) << "the original keeps its loan";
    lent.EndLoan();
    EXPECT_EQ(lent.Get(), nullptr);
}

} // namespace
} // namespace GAME
