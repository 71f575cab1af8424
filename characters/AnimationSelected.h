#pragma once

#include "characters/AnimationBase.h"
#include "characters/AnimationHandle.h"
#include "engine/Name.h"

#include <map>

namespace GAME {

// A kind whose animations are chosen by a reference name (the special moves of skills).
class AnimationSelected : public AnimationBase {
public:
    AnimationSelected() = default;
    ~AnimationSelected() override;

    bool PlayAnimation(Actor& actor, const Name& reference, float speed, bool loop,
                       int32_t repeatCount) override;
    // An empty reference is logged and refused; a reference already held keeps its animation.
    void AddAnimation(const std::string& animationName, float speedScale, float weight,
                      const std::string& reference) override;
    void PreLoad(bool flag) override;
    bool IsEmpty() const override;

protected:
    AnimationHandle* GetPlayingHandle() override;

private:
    std::map<Name, AnimationHandle> handles;
    Name playingReference;
};

} // namespace GAME
