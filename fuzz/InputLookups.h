#pragma once

#include "engine/Database.h"
#include "engine/ObjectManager.h"

namespace GAME {

// The record look-ups of one input, forgotten when it ends. The database keeps every answer, a
// missing record's too, and hostile bytes name records without end: kept for the whole run,
// the answers would grow until one table's room outweighs any input. The first input marks what
// the run had read before it; make one after the run's own start-up.
class InputLookups {
public:
    InputLookups()
    {
        static const bool marked = (Records().MarkCached(), true);
        (void)marked;
    }
    ~InputLookups() { Records().ForgetSinceMark(); }
    InputLookups(const InputLookups&) = delete;
    InputLookups& operator=(const InputLookups&) = delete;

private:
    static Database& Records() { return ObjectManager::Instance().GetDatabase(); }
};

} // namespace GAME
