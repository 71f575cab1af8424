#include "engine/TriggerToken.h"

#include "engine/IOStream.h"

namespace GAME {

bool TriggerToken::StreamProperties(IOStream* stream)
{
    if (stream == nullptr)
        return false;
    return stream->StreamString("tokenName", name);
}

} // namespace GAME
