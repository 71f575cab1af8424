#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <sys/types.h>
#include <vector>

namespace GAME::Test {

// A program started for a test, its output and errors going to files of their own. The test
// waits for it under a deadline; whatever still runs when the object goes is killed, so no
// process outlives its test.
class ChildProcess {
public:
    using Clock = std::chrono::steady_clock;

    // Starts `program` with `args`; output to `<scratch>.out` (or to `output` when given),
    // errors to `<scratch>.err`.
    ChildProcess(const std::string& program, const std::vector<std::string>& args,
                 const std::string& scratch, const std::string& output = "");
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // The exit status, or -1 when it did not end by the deadline (it is then killed).
    int Wait(Clock::time_point deadline);
    void Kill();
    // Sends `signal` to the program while it runs.
    void Signal(int signal) const;
    // True while a `signal` sent is still waiting for the program to take it.
    bool Pending(int signal) const;
    // The most memory the program held, in MB, once it has ended.
    int64_t PeakMemoryMb() const { return peakMemoryMb; }
    std::string Output() const { return ReadAll(outPath); }
    std::string Errors() const { return ReadAll(errPath); }
    // Waits until the output holds a line starting with `prefix` and answers that line; empty
    // when the deadline passes or the program ends first.
    std::string WaitForLine(const std::string& prefix, Clock::time_point deadline);

private:
    static std::string ReadAll(const std::string& path);
    // True once the program has ended; its status is then kept.
    bool Ended();

    pid_t pid = -1;
    int status = -1;
    int64_t peakMemoryMb = 0;
    std::string outPath;
    std::string errPath;
};

} // namespace GAME::Test
