#pragma once

#include <mutex>

namespace GAME {

// A recursive lock: the owning thread may enter again.
class CriticalSection {
public:
    void Enter() { mutex.lock(); }
    void Exit() { mutex.unlock(); }

private:
    std::recursive_mutex mutex;
};

// Holds a critical section for the scope.
class CriticalSectionLock {
public:
    explicit CriticalSectionLock(CriticalSection& section) : section(section) { section.Enter(); }
    ~CriticalSectionLock() { section.Exit(); }
    CriticalSectionLock(const CriticalSectionLock&) = delete;
    CriticalSectionLock& operator=(const CriticalSectionLock&) = delete;

private:
    CriticalSection& section;
};

} // namespace GAME
