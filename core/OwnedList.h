#pragma once

#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

namespace GAME {

// A list that owns its items, in the order they were added. A copy holds clones of the items
// (`T::Clone` answers an owning pointer), so two lists never share one and either may die
// first; a move hands the items over and leaves the source empty.
template <typename T> class OwnedList {
public:
    using Item = std::unique_ptr<T>;

    OwnedList() = default;
    OwnedList(const OwnedList& other)
    {
        items.reserve(other.items.size());
        for (const Item& item : other.items)
            Add(item->Clone());
    }
    OwnedList(OwnedList&& other) noexcept : items(std::move(other.items)) { other.items.clear(); }
    OwnedList& operator=(const OwnedList& other)
    {
        if (this != &other) {
            OwnedList copy(other);
            items.swap(copy.items);
        }
        return *this;
    }
    OwnedList& operator=(OwnedList&& other) noexcept
    {
        if (this != &other) {
            items = std::move(other.items);
            other.items.clear();
        }
        return *this;
    }

    // A null item is ignored, so a failed clone or load leaves no hole to step on.
    void Add(Item item)
    {
        if (item)
            items.push_back(std::move(item));
    }
    void Reserve(size_t count) { items.reserve(count); }
    void Clear() { items.clear(); }
    template <typename Predicate> void RemoveIf(Predicate predicate)
    {
        std::erase_if(items, predicate);
    }

    bool empty() const { return items.empty(); }
    size_t size() const { return items.size(); }
    const Item& operator[](size_t index) const { return items[index]; }
    auto begin() const { return items.begin(); }
    auto end() const { return items.end(); }

private:
    std::vector<Item> items;
};

} // namespace GAME
