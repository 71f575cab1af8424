#include "core/LentPointer.h"
#include "core/RandomUniform.h"

#include <gtest/gtest.h>

#include <utility>

namespace GAME {
namespace {

TEST(LentPointer, HeldUntilTheLoanEnds)
{
    RandomUniform random;
    LentPointer<RandomUniform> lent;
    EXPECT_EQ(lent.Get(), nullptr);
    lent.Lend(&random);
    EXPECT_EQ(lent.Get(), &random);
    lent.EndLoan();
    EXPECT_EQ(lent.Get(), nullptr);
}

TEST(LentPointer, CopiesAndMovesStartWithoutItAndAssigningEndsTheTargetsLoan)
{
    RandomUniform random;
    RandomUniform other;
    LentPointer<RandomUniform> lent;
    lent.Lend(&random);

    LentPointer<RandomUniform> copy(lent);
    LentPointer<RandomUniform> moved(std::move(copy));
    LentPointer<RandomUniform> assigned;
    assigned.Lend(&other);
    assigned = lent;
    EXPECT_EQ(copy.Get(), nullptr);
    EXPECT_EQ(moved.Get(), nullptr);
    EXPECT_EQ(assigned.Get(), nullptr);
    EXPECT_EQ(lent.Get(), &random) << "the original keeps its loan";
}

} // namespace
} // namespace GAME
