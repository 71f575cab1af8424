#include "core/OwnedList.h"
#include "core/LentPointer.h"
#include "core/RandomUniform.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

namespace GAME {
namespace {

// A counter whose clone can be made to fail, as a kind that cannot copy itself would.
struct Counter {
    explicit Counter(int start, bool clones = true) : value(start), clonable(clones) {}
    std::unique_ptr<Counter> Clone() const
    {
        return clonable ? std::make_unique<Counter>(value) : nullptr;
    }
    int value;
    bool clonable;
};

OwnedList<Counter> ListOf(std::vector<int> values)
{
    OwnedList<Counter> list;
    for (int value : values)
        list.Add(std::make_unique<Counter>(value));
    return list;
}

std::vector<int> Values(const OwnedList<Counter>& list)
{
    std::vector<int> values;
    for (const auto& item : list)
        values.push_back(item->value);
    return values;
}

TEST(OwnedList, CopiesHoldClonesSoNeitherSideSeesTheOthersChanges)
{
    auto original = std::make_unique<OwnedList<Counter>>(ListOf({1, 2, 3}));
    OwnedList<Counter> copy(*original);
    OwnedList<Counter> assigned = ListOf({9});
    assigned = *original;
    const OwnedList<Counter>& itself = assigned;
    assigned = itself;

    copy[0]->value = 10;
    EXPECT_EQ(Values(*original), (std::vector<int>{1, 2, 3}));
    original.reset();
    EXPECT_EQ(Values(copy), (std::vector<int>{10, 2, 3}));
    EXPECT_EQ(Values(assigned), (std::vector<int>{1, 2, 3})) << "assigning replaces the contents";
}

TEST(OwnedList, NullItemsAndFailedClonesLeaveNoHole)
{
    OwnedList<Counter> list;
    list.Add(nullptr);
    list.Add(std::make_unique<Counter>(1));
    list.Add(std::make_unique<Counter>(2, false));
    list.Add(std::make_unique<Counter>(3));
    EXPECT_EQ(list.size(), 3u);
    EXPECT_EQ(Values(OwnedList<Counter>(list)), (std::vector<int>{1, 3}));

    list.RemoveIf([](const std::unique_ptr<Counter>& item) { return item->value != 2; });
    EXPECT_EQ(Values(list), std::vector<int>{2});
}

TEST(LentPointer, HeldUntilTheLoanEndsAndCopiesStartWithoutIt)
{
    RandomUniform random, other;
    LentPointer<RandomUniform> lent, assigned;
    lent.Lend(&random);
    EXPECT_EQ(lent.Get(), &random);
    LentPointer<RandomUniform> copy(lent);
    LentPointer<RandomUniform> moved(std::move(copy));
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
