#pragma once

#include "engine/IOStream.h"

#include <cstdint>
#include <string>

namespace GAME {

// Where in the quest journal an action writes: the region (0 for nowhere), the location and the
// title tags, streamed as "region", "locationTag" and "titleTag".
class QuestJournalPlace {
public:
    bool StreamPlace(IOStream* stream)
    {
        return stream->StreamInt("region", region) &&
               stream->StreamString("locationTag", locationTag) &&
               stream->StreamString("titleTag", titleTag);
    }
    void SetRegion(int32_t value) { region = value; }
    int32_t GetRegion() const { return region; }
    void SetLocationTag(const char* value) { locationTag = value != nullptr ? value : ""; }
    const char* GetLocationTag() const { return locationTag.c_str(); }
    void SetTitleTag(const char* value) { titleTag = value != nullptr ? value : ""; }
    const char* GetTitleTag() const { return titleTag.c_str(); }

protected:
    int32_t region = 1;
    std::string locationTag;
    std::string titleTag;
};

} // namespace GAME
