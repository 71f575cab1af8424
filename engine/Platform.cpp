#include "engine/Platform.h"

#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <random>
#include <thread>

#include <pthread.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace GAME::Platform {

namespace {
uint32_t gRandState = 1;
std::atomic<uint32_t> gNextThreadId{1};
} // namespace

constinit thread_local uint32_t Detail::currentThreadId __attribute__((tls_model("initial-exec"))) =
    0;

Guid CreateGuid()
{
    // Shared under a lock, not one a thread: 2.5 KB of thread-local storage would not fit the
    // reserve a library opened late (as the host opens this one) takes its initial-exec block from.
    static std::mutex lock;
    static std::mt19937_64 engine{std::random_device{}()};
    std::unique_lock<std::mutex> held(lock);
    const uint64_t high = engine();
    const uint64_t low = engine();
    held.unlock();
    Guid guid;
    guid.data1 = static_cast<uint32_t>(high >> 32);
    guid.data2 = static_cast<uint16_t>(high >> 16);
    guid.data3 = static_cast<uint16_t>((high & 0x0FFF) | 0x4000);
    for (int i = 0; i < 8; ++i)
        guid.data4[i] = static_cast<uint8_t>(low >> (56 - 8 * i));
    guid.data4[0] = static_cast<uint8_t>((guid.data4[0] & 0x3F) | 0x80);
    return guid;
}

int Rand()
{
    gRandState = gRandState * 214013u + 2531011u;
    return static_cast<int>((gRandState >> 16) & 0x7FFF);
}

void SRand(uint32_t seed)
{
    gRandState = seed;
}

uint32_t Detail::TakeThreadId()
{
    currentThreadId = gNextThreadId.fetch_add(1);
    return currentThreadId;
}

int GetSystemThreadId()
{
    return static_cast<int>(syscall(SYS_gettid));
}

void SetThreadPriority(int systemThreadId, int level)
{
    const int niceness = level == 0 ? 19 : (level == 2 ? -5 : 0);
    setpriority(PRIO_PROCESS, static_cast<id_t>(systemThreadId), niceness);
}

void SetCurrentThreadName(const char* name)
{
    if (name == nullptr)
        return;
    char shortName[16];
    snprintf(shortName, sizeof(shortName), "%s", name);
    pthread_setname_np(pthread_self(), shortName);
}

std::string IntToAscii(int32_t value, int base)
{
    if (base < 2 || base > 36)
        return std::string();
    const bool negative = base == 10 && value < 0;
    // Other bases show the two's-complement word, as the runtime does.
    uint32_t magnitude =
        negative ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
    char text[40];
    int end = sizeof(text);
    text[--end] = '\0';
    do {
        text[--end] = "0123456789abcdefghijklmnopqrstuvwxyz"[magnitude % base];
        magnitude /= base;
    } while (magnitude != 0);
    if (negative)
        text[--end] = '-';
    return std::string(text + end);
}

std::string FormatSignificant(double value, int digits)
{
    if (digits < 1)
        digits = 1;
    if (digits > 17)
        digits = 17;
    if (!std::isfinite(value)) {
        char text[16];
        snprintf(text, sizeof(text), "%g", value);
        return text;
    }
    // "%.*e" gives the rounded digits and the decimal exponent in one go.
    char scientific[64];
    snprintf(scientific, sizeof(scientific), "%.*e", digits - 1, value);
    const char* e = strchr(scientific, 'e');
    const int exponent = e != nullptr ? atoi(e + 1) : 0;

    char text[400];
    if (exponent < -1 || exponent > digits - 1) {
        std::string mantissa(scientific, static_cast<size_t>(e - scientific));
        while (!mantissa.empty() && mantissa.back() == '0')
            mantissa.pop_back();
        if (mantissa.find('.') == std::string::npos)
            mantissa.push_back('.');
        snprintf(text, sizeof(text), "%se%c%03d", mantissa.c_str(), exponent < 0 ? '-' : '+',
                 exponent < 0 ? -exponent : exponent);
        return text;
    }
    snprintf(text, sizeof(text), "%.*f", digits - 1 - exponent, value);
    std::string fixed(text);
    if (fixed.find('.') == std::string::npos)
        fixed.push_back('.');
    while (fixed.back() == '0')
        fixed.pop_back();
    return fixed;
}

} // namespace GAME::Platform
