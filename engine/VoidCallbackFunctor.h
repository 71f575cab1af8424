#pragma once

#include <functional>
#include <utility>

namespace GAME {

// A completion callback handed between objects that outlive each other in no fixed order; the
// holder decides who deletes it.
class VoidCallbackFunctor {
public:
    VoidCallbackFunctor() = default;
    explicit VoidCallbackFunctor(std::function<void(int)> target) : target(std::move(target)) {}
    virtual ~VoidCallbackFunctor() = default;

    virtual void operator()(int value)
    {
        if (target)
            target(value);
    }

private:
    std::function<void(int)> target;
};

} // namespace GAME
