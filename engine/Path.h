#pragma once

namespace GAME {

// A route through the regions, as the world's path finder hands it out; whoever asked for it
// owns it.
class Path {
public:
    Path() = default;
    virtual ~Path() = default;
    Path(const Path&) = delete;
    Path& operator=(const Path&) = delete;
};

} // namespace GAME
