#include "core/Thread.h"

#include "engine/Platform.h"

#include <thread>

namespace GAME {

struct Thread::Handle {
    static constexpr int kUnset = -1;
    std::thread thread;
    // The system id, once the thread runs; priorities set before then are applied at start.
    std::atomic<int> systemId{0};
    std::atomic<int> priority{kUnset};
};

Thread::Thread() = default;

Thread::~Thread()
{
    if (handle && handle->thread.joinable())
        handle->thread.detach();
}

void Thread::ThreadProc(Thread* thread, std::shared_ptr<Handle> handle)
{
    handle->systemId = Platform::GetSystemThreadId();
    if (const int level = handle->priority; level != Handle::kUnset)
        Platform::SetThreadPriority(handle->systemId, level);
    thread->Run();
}

void Thread::Start()
{
    if (handle && handle->thread.joinable())
        handle->thread.detach();
    handle = std::make_shared<Handle>();
    handle->thread = std::thread(&Thread::ThreadProc, this, handle);
}

void Thread::SetPriority(int level)
{
    if (!handle)
        return;
    handle->priority = level;
    if (const int id = handle->systemId)
        Platform::SetThreadPriority(id, level);
}

bool Thread::WaitForExit()
{
    if (!handle || !handle->thread.joinable())
        return false;
    if (handle->thread.get_id() == std::this_thread::get_id())
        return false; // a thread cannot wait for itself
    handle->thread.join();
    return true;
}

void SetThreadName(const char* name)
{
    Platform::SetCurrentThreadName(name);
}

} // namespace GAME
