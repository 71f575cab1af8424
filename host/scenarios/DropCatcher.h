#pragma once

#include "engine/WorldCoords.h"
#include "host/HostSamples.h"
#include "items/ItemReplicaInfo.h"
#include "multiplayer/GameEngineInboundInterface.h"

#include <string>
#include <vector>

namespace GAME {

// Single player hands a drop straight to the world; the scenarios note it instead, as
// "RECORD at (x, y, z)".
class DropCatcher final : public GameEngineInboundInterface {
public:
    explicit DropCatcher(std::vector<std::string>& lines) : lines(lines) {}

    void CreateItem(uint32_t /*characterId*/, const WorldCoords& coords,
                    const ItemReplicaInfo& item, std::wstring* /*nameOut*/) override
    {
        std::string line = item.baseName;
        if (item.baseName.find("/Gold/") != std::string::npos)
            line += ", " + std::to_string(item.var1) + " gold";
        lines.push_back(line + " at " +
                        HostSamples::PointText(coords.GetPosition().GetRegionPosition()));
    }

private:
    std::vector<std::string>& lines;
};

} // namespace GAME
