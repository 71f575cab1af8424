// What the program costs before it does anything: `gamehost --help` started and ended, the
// loader's work on the game library, its registrations and the exit. The time reported is the
// child's processor time (user and system), so other work on the machine weighs on it little.
// And how soon a signal is caught: the child is traced to its first `rt_sigaction`.
#include <benchmark/benchmark.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <fcntl.h>
#include <spawn.h>
#include <sys/ptrace.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/user.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// The program measured: the one built beside this, or another named by GAMEHOST (an older build,
// to compare in one sitting).
const char* Program()
{
    const char* named = std::getenv("GAMEHOST");
    return named != nullptr && *named != '\0' ? named : GAMEHOST_PROGRAM;
}

// The processor seconds of one run, or a negative number when it could not be run.
double HelpRun()
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    std::string program = Program();
    char help[] = "--help";
    char* argv[] = {program.data(), help, nullptr};
    pid_t pid = -1;
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    rusage usage{};
    if (spawned != 0 || wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        return -1.0;
    const auto seconds = [](const timeval& time) { return time.tv_sec + time.tv_usec * 1e-6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void BM_StartupHelp(benchmark::State& state)
{
    for (auto _ : state) {
        const double processor = HelpRun();
        if (processor < 0.0) {
            state.SkipWithError("gamehost --help did not run");
            return;
        }
        state.SetIterationTime(processor);
    }
}
BENCHMARK(BM_StartupHelp)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The tracing reads x86-64 registers.
#if defined(__x86_64__)
// The processor time the scheduler has counted for the process, in seconds.
double ScheduledSeconds(pid_t pid)
{
    const std::string path = "/proc/" + std::to_string(pid) + "/schedstat";
    FILE* file = std::fopen(path.c_str(), "r");
    unsigned long long nanoseconds = 0;
    const bool read = file != nullptr && std::fscanf(file, "%llu", &nanoseconds) == 1;
    if (file != nullptr)
        std::fclose(file);
    return read ? nanoseconds * 1e-9 : -1.0;
}

struct HandlersSet {
    double processor = -1.0; // the child's processor seconds when it set its first handler
    double wall = -1.0;      // seconds from its exec, the tracing's own cost included
};

// Runs `gamehost --help` stopped at each system call until it asks for SIGINT's handler.
HandlersSet TraceToHandlers()
{
    const pid_t pid = fork();
    if (pid == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        ptrace(PTRACE_TRACEME, 0, nullptr, nullptr);
        execl(Program(), Program(), "--help", static_cast<char*>(nullptr));
        _exit(127);
    }
    HandlersSet found;
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid || !WIFSTOPPED(status))
        return found;
    const auto exec = std::chrono::steady_clock::now();
    ptrace(PTRACE_SETOPTIONS, pid, nullptr, PTRACE_O_TRACESYSGOOD | PTRACE_O_EXITKILL);
    while (ptrace(PTRACE_SYSCALL, pid, nullptr, nullptr) == 0 && waitpid(pid, &status, 0) == pid &&
           WIFSTOPPED(status)) {
        user_regs_struct registers{};
        if (WSTOPSIG(status) != (SIGTRAP | 0x80) ||
            ptrace(PTRACE_GETREGS, pid, nullptr, &registers) != 0)
            continue;
        if (registers.orig_rax == SYS_rt_sigaction && registers.rdi == SIGINT) {
            found.wall =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - exec).count();
            found.processor = ScheduledSeconds(pid);
            break;
        }
    }
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return found;
}

void BM_HandlersSet(benchmark::State& state)
{
    double wall = 0.0;
    for (auto _ : state) {
        const HandlersSet set = TraceToHandlers();
        if (set.processor < 0.0) {
            state.SkipWithError("gamehost --help set no handler under tracing");
            return;
        }
        state.SetIterationTime(set.processor);
        wall += set.wall;
    }
    state.counters["wall_ms"] = benchmark::Counter(wall * 1e3, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_HandlersSet)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
#endif

} // namespace
