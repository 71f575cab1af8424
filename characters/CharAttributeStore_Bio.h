#pragma once

#include "characters/CharAttributeStore.h"

namespace GAME {

// A character's own base attributes. The stats a player raises are always present, even when
// the record leaves them out, so that their base values can be set.
class CharAttributeStore_Bio : public CharAttributeStore {
public:
    virtual void Load(const LoadTable& record);
    virtual void SetBaseValue(CharAttributeType type, float value);
    virtual float GetBaseValue(CharAttributeType type) const;

private:
    CharAttribute* Find(CharAttributeType type) const;
};

} // namespace GAME
