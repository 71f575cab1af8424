#pragma once

#include "engine/Object.h"

#include <cstdint>

namespace GAME {

class CharAttributeAccumulator;

// The base of every skill object. So far only what a character's skill manager asks of its
// skills; the skill kinds fill it in.
class Skill : public Object {
public:
    ~Skill() override;

    // 0 while the skill is not learnt.
    virtual uint32_t GetCurrentLevel() const = 0;
    // What a passive skill adds to its owner's attributes.
    virtual void CollectPassiveCharAttributes(CharAttributeAccumulator& accumulator) const = 0;
};

} // namespace GAME
