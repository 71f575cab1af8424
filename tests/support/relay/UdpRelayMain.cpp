// udp_relay: the tests' bad network, for sessions run by hand.
//   udp_relay --target PORT [--port PORT] [--delay MIN-MAX] [--loss PERCENT]
//             [--duplicate PERCENT] [--seed N] [--cut AT-LENGTH] [--cut-way both|up|down]
//             [--rate KIB_PER_S] [--queue KIB]
// `--cut` loses everything either way for LENGTH ms from AT ms after the start, an outage;
// `--cut-way up` loses only what the clients send, `down` only what the server sends. `--rate`
// caps each way at so many KiB a second, in front of a queue of `--queue` KiB each way.
// Prints "relay on 127.0.0.1:PORT" and carries datagrams until SIGINT or SIGTERM, then prints
// its counts.
#include "tests/support/UdpRelay.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace {
volatile std::sig_atomic_t stopped = 0;

void OnSignal(int)
{
    stopped = 1;
}

bool Number(const char* text, uint32_t& value)
{
    char* end = nullptr;
    const unsigned long read = std::strtoul(text, &end, 10);
    value = static_cast<uint32_t>(read);
    return end != text && *end == '\0' && read <= 0xffffffffUL;
}

struct Outage {
    uint32_t at = 0;
    uint32_t length = 0;
    bool up = true;
    bool down = true;
};

bool Range(const char* value, uint32_t& low, uint32_t& high)
{
    const char* dash = std::strchr(value, '-');
    return dash != nullptr && Number(std::string(value, dash).c_str(), low) &&
           Number(dash + 1, high);
}

bool Parse(int argc, char** argv, GAME::Test::UdpRelay::Options& options, Outage& outage)
{
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        const char* value = argv[i + 1];
        uint32_t number = 0;
        uint32_t high = 0;
        bool good = Number(value, number);
        if (name == "--delay") {
            good = Range(value, number, high) && number <= high;
            options.minDelayMs = number;
            options.maxDelayMs = high;
        } else if (name == "--cut") {
            good = Range(value, outage.at, outage.length);
        } else if (name == "--cut-way") {
            const std::string way = value;
            good = way == "both" || way == "up" || way == "down";
            outage.up = way != "down";
            outage.down = way != "up";
        } else if (name == "--target" || name == "--port") {
            good = good && number <= 65535;
            (name == "--target" ? options.targetPort : options.listenPort) = uint16_t(number);
        } else if (name == "--loss" || name == "--duplicate") {
            good = good && number <= 100;
            (name == "--loss" ? options.lossPercent : options.duplicatePercent) = number;
        } else if (name == "--seed") {
            options.seed = number;
        } else if (name == "--rate" || name == "--queue") {
            good = good && number <= 4u * 1024 * 1024;
            (name == "--rate" ? options.rateBytesPerSecond : options.queueBytes) = number * 1024;
        } else {
            good = false;
        }
        if (!good) {
            std::fprintf(stderr, "udp_relay: bad option %s %s\n", argv[i], value);
            return false;
        }
    }
    return argc % 2 == 1 && options.targetPort != 0;
}
} // namespace

int main(int argc, char** argv)
{
    GAME::Test::UdpRelay::Options options;
    Outage outage;
    if (!Parse(argc, argv, options, outage)) {
        std::fprintf(stderr, "usage: udp_relay --target PORT [--port PORT] [--delay MIN-MAX] "
                             "[--loss PERCENT] [--duplicate PERCENT] [--seed N] "
                             "[--cut AT-LENGTH] [--cut-way both|up|down] [--rate KIB_PER_S] "
                             "[--queue KIB]\n");
        return 2;
    }
    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    GAME::Test::UdpRelay relay(options);
    if (!relay.IsRunning()) {
        std::fprintf(stderr, "udp_relay: cannot listen on 127.0.0.1:%u\n", options.listenPort);
        return 2;
    }
    std::printf("relay on 127.0.0.1:%u\n", relay.GetPort());
    std::fflush(stdout);
    const auto start = std::chrono::steady_clock::now();
    const auto since = [start](uint32_t ms) {
        return std::chrono::steady_clock::now() - start >= std::chrono::milliseconds(ms);
    };
    while (stopped == 0) {
        const bool out = outage.length > 0 && since(outage.at) && !since(outage.at + outage.length);
        relay.SetCut(out && outage.up, out && outage.down);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    relay.Stop();
    const GAME::Test::UdpRelay::Counts counts = relay.GetCounts();
    std::printf(
        "relay: %llu forwarded, %llu lost, %llu duplicated, %llu clients, %llu queue dropped\n",
        static_cast<unsigned long long>(counts.forwarded),
        static_cast<unsigned long long>(counts.lost),
        static_cast<unsigned long long>(counts.duplicated),
        static_cast<unsigned long long>(counts.clients),
        static_cast<unsigned long long>(counts.queueDropped));
    return 0;
}
