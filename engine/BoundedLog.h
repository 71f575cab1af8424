#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <vector>

namespace GAME {

// What a presentation service was asked, newest last. Only the latest `capacity` entries are
// kept, so a long session does not grow without end; the total still counts every one. The
// entries sit in a ring that is allocated only as it fills: every actor and sound pack carries
// logs, most of which stay empty or nearly so.
template <typename Entry> class BoundedLog {
public:
    explicit BoundedLog(size_t capacity = 256) : capacity(capacity > 0 ? capacity : 1) {}

    void Add(const Entry& entry)
    {
        if (entries.size() < capacity) {
            entries.push_back(entry);
        } else {
            entries[oldest] = entry;
            oldest = (oldest + 1) % capacity;
        }
        ++total;
    }
    void Clear()
    {
        entries.clear();
        oldest = 0;
        total = 0;
    }

    size_t GetSize() const { return entries.size(); }
    bool IsEmpty() const { return entries.empty(); }
    size_t GetCapacity() const { return capacity; }
    uint64_t GetTotalCount() const { return total; }
    // Oldest kept first; the caller checks the index against `GetSize`.
    const Entry& operator[](size_t index) const
    {
        return entries[(oldest + index) % entries.size()];
    }
    const Entry& GetLast() const { return (*this)[entries.size() - 1]; }

    class Iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = Entry;
        using difference_type = std::ptrdiff_t;
        using pointer = const Entry*;
        using reference = const Entry&;

        Iterator() = default;
        Iterator(const BoundedLog* log, size_t index) : log(log), index(index) {}
        reference operator*() const { return (*log)[index]; }
        pointer operator->() const { return &(*log)[index]; }
        Iterator& operator++()
        {
            ++index;
            return *this;
        }
        Iterator operator++(int)
        {
            Iterator before = *this;
            ++index;
            return before;
        }
        bool operator==(const Iterator& other) const { return index == other.index; }

    private:
        const BoundedLog* log = nullptr;
        size_t index = 0;
    };
    Iterator begin() const { return Iterator(this, 0); }
    Iterator end() const { return Iterator(this, entries.size()); }

private:
    size_t capacity;
    std::vector<Entry> entries;
    // Where the oldest entry sits once the ring is full.
    size_t oldest = 0;
    uint64_t total = 0;
};

} // namespace GAME
