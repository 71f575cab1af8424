#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>

namespace GAME {

// What a presentation service was asked, newest last. Only the latest `capacity` entries are
// kept, so a long session does not grow without end; the total still counts every one.
template <typename Entry> class BoundedLog {
public:
    explicit BoundedLog(size_t capacity = 256) : capacity(capacity > 0 ? capacity : 1) {}

    void Add(const Entry& entry)
    {
        if (entries.size() == capacity)
            entries.pop_front();
        entries.push_back(entry);
        ++total;
    }
    void Clear()
    {
        entries.clear();
        total = 0;
    }

    size_t GetSize() const { return entries.size(); }
    bool IsEmpty() const { return entries.empty(); }
    size_t GetCapacity() const { return capacity; }
    uint64_t GetTotalCount() const { return total; }
    // Oldest kept first; the caller checks the index against `GetSize`.
    const Entry& operator[](size_t index) const { return entries[index]; }
    const Entry& GetLast() const { return entries.back(); }
    typename std::deque<Entry>::const_iterator begin() const { return entries.begin(); }
    typename std::deque<Entry>::const_iterator end() const { return entries.end(); }

private:
    size_t capacity;
    std::deque<Entry> entries;
    uint64_t total = 0;
};

} // namespace GAME
