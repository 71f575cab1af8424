#include "engine/StatisticGraph.h"

namespace GAME {

void StatisticGraph::Add(const std::string& name, float value, const Color& color)
{
    bars.push_back(Bar{name, value, color});
}

} // namespace GAME
