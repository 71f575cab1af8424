#pragma once

#include <cstddef>
#include <cstdint>
#include <map>

namespace GAME {

// What the level editor shows by kind of object: 1 volumes, 2 sound objects, 5 patrol points,
// 6 wander points. Only kept here, so callers can be checked.
class EditorFilter {
public:
    static EditorFilter& Instance();

    void AddFilterObject(uint32_t objectId, int32_t type) { objects[objectId] = type; }
    void RemoveFilterObject(uint32_t objectId) { objects.erase(objectId); }
    // -1 for an object not in the filter.
    int32_t GetFilterType(uint32_t objectId) const;
    size_t GetObjectCount() const { return objects.size(); }
    void Reset() { objects.clear(); }

private:
    std::map<uint32_t, int32_t> objects;
};

} // namespace GAME
