#pragma once

#include <cstddef>

// The sanitizers' hooks see every allocation, so a count trusted before it was checked shows up
// as one allocation out of proportion to the input. `Start` installs the hooks on first use.
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*mallocHook)(const volatile void*,
                                                                            size_t),
                                                         void (*freeHook)(const volatile void*))
    __attribute__((weak));

namespace AllocationWatch {

inline bool watching = false;
inline size_t largest = 0;

inline void OnMalloc(const volatile void*, size_t size)
{
    if (watching && size > largest)
        largest = size;
}

inline void OnFree(const volatile void*) {}

inline void Start()
{
    static const bool installed = [] {
        if (__sanitizer_install_malloc_and_free_hooks != nullptr)
            __sanitizer_install_malloc_and_free_hooks(OnMalloc, OnFree);
        return true;
    }();
    (void)installed;
    largest = 0;
    watching = true;
}

// The largest single allocation since `Start`.
inline size_t Stop()
{
    watching = false;
    return largest;
}

} // namespace AllocationWatch
