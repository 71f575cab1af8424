#pragma once

#include "engine/IOStreamWrite.h"
#include "items/ItemReplicaInfo.h"

#include <cstdint>
#include <vector>

namespace GAME::Test {

// A bag save written key by key, so that a test can hold counts and entries no bag would write.
class BagStream {
public:
    explicit BagStream(uint32_t sacks, uint32_t focus = 0)
    {
        bool grid = true;
        uint32_t selected = 0;
        writer.BeginBlock();
        writer.StreamBool("itemPositionsSavedAsGridCoords", grid);
        writer.StreamUInt("numberOfSacks", sacks);
        writer.StreamUInt("currentlyFocusedSackNumber", focus);
        writer.StreamUInt("currentlySelectedSackNumber", selected);
    }
    BagStream& Sack(uint32_t size)
    {
        bool flag = false;
        writer.BeginBlock();
        writer.StreamBool("tempBool", flag);
        writer.StreamUInt("size", size);
        return *this;
    }
    BagStream& Entry(ItemReplicaInfo info, int32_t x, int32_t y)
    {
        writer.BeginBlock();
        info.StreamProperties(&writer);
        writer.StreamInt("pointX", x);
        writer.StreamInt("pointY", y);
        writer.EndBlock();
        return *this;
    }
    BagStream& EndSack()
    {
        writer.EndBlock();
        return *this;
    }
    std::vector<uint8_t> Bytes()
    {
        writer.EndBlock();
        return writer.GetBytes();
    }

private:
    IOStreamWrite writer;
};

} // namespace GAME::Test
