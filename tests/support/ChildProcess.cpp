#include "tests/support/ChildProcess.h"

#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace GAME::Test {

std::string ChildProcess::ReadAll(const std::string& path)
{
    std::ifstream file(path);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& args,
                           const std::string& scratch, const std::string& output)
    : outPath(output.empty() ? scratch + ".out" : output), errPath(scratch + ".err")
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
}

ChildProcess::~ChildProcess()
{
    Kill();
}

bool ChildProcess::Ended()
{
    int raw = 0;
    if (pid <= 0)
        return true;
    rusage usage{};
    if (wait4(pid, &raw, WNOHANG, &usage) != pid)
        return false;
    peakMemoryMb = int64_t(usage.ru_maxrss) / 1024;
    pid = -1;
    status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
    return true;
}

int ChildProcess::Wait(Clock::time_point deadline)
{
    while (!Ended()) {
        if (Clock::now() >= deadline) {
            Kill();
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return status;
}

void ChildProcess::Signal(int signal) const
{
    if (pid > 0)
        kill(pid, signal);
}

bool ChildProcess::Pending(int signal) const
{
    // The process's and its threads' pending sets, as the kernel shows them in hexadecimal.
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    const uint64_t bit = uint64_t(1) << (signal - 1);
    for (std::string line; std::getline(status, line);)
        if ((line.rfind("SigPnd:", 0) == 0 || line.rfind("ShdPnd:", 0) == 0) &&
            (std::stoull(line.substr(7), nullptr, 16) & bit) != 0)
            return true;
    return false;
}

void ChildProcess::Kill()
{
    if (pid <= 0)
        return;
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    pid = -1;
    status = -1;
}

std::string ChildProcess::WaitForLine(const std::string& prefix, Clock::time_point deadline)
{
    while (Clock::now() < deadline) {
        std::istringstream lines(Output());
        for (std::string line; std::getline(lines, line);)
            if (line.rfind(prefix, 0) == 0)
                return line;
        if (Ended())
            return {};
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return {};
}

} // namespace GAME::Test
