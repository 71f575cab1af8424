#pragma once

#include <atomic>
#include <memory>

namespace GAME {

// A thread of the library's own whose body is `Run`. The owner starts it, may set its
// priority, tells the body to finish by its own means and waits for it before destroying it;
// destroying a thread object does not wait.
class Thread {
public:
    Thread();
    virtual ~Thread();
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;

    virtual void Run() = 0;

    // Starts a new thread running `Run`; a previous one is let go without waiting.
    void Start();
    // 0 lowest, 2 above normal, anything else normal.
    void SetPriority(int level);
    // Waits for the thread to end; false when it was never started.
    bool WaitForExit();

private:
    struct Handle;
    static void ThreadProc(Thread* thread, std::shared_ptr<Handle> handle);

    std::shared_ptr<Handle> handle;
};

// Names the calling thread for debuggers and system tools.
void SetThreadName(const char* name);

} // namespace GAME
