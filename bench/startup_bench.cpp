// What the program costs before it does anything: `gamehost --help` started and ended, the
// loader's work on the game library, its registrations and the exit. The time reported is the
// child's processor time (user and system), so other work on the machine weighs on it little.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

extern char** environ;

namespace {

// The processor seconds of one run, or a negative number when it could not be run.
double HelpRun()
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    char program[] = GAMEHOST_PROGRAM;
    char help[] = "--help";
    char* argv[] = {program, help, nullptr};
    pid_t pid = -1;
    const int spawned = posix_spawn(&pid, program, &actions, nullptr, argv, environ);
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

} // namespace
