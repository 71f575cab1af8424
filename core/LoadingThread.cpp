#include "core/LoadingThread.h"

#include "engine/Platform.h"

namespace GAME {

const uint32_t gLoadingThreadId = Platform::GetCurrentThreadId();

bool IsLoadingThread()
{
    return Platform::GetCurrentThreadId() == gLoadingThreadId;
}

} // namespace GAME
