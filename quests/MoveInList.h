#pragma once

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace GAME {

// The index of an owned element, -1 when absent.
template <typename T>
int32_t IndexInList(const std::vector<std::unique_ptr<T>>& list, const T* item)
{
    for (size_t i = 0; i < list.size(); ++i) {
        if (list[i].get() == item)
            return static_cast<int32_t>(i);
    }
    return -1;
}

// One place towards the front (-1) or the back (+1); the ends stay where they are.
template <typename T>
void MoveInList(std::vector<std::unique_ptr<T>>& list, const T* item, int step)
{
    const int32_t index = IndexInList(list, item);
    const int32_t other = index + step;
    if (index < 0 || other < 0 || other >= static_cast<int32_t>(list.size()))
        return;
    std::swap(list[size_t(index)], list[size_t(other)]);
}

} // namespace GAME
