// Stands for someone else's library in the folder the program is started from, under the name of
// one the program needs: loaded, it ends the run at once with a status and a line of its own.
#include <unistd.h>

[[gnu::constructor]] static void Decoy()
{
    static const char line[] = "decoy library loaded\n";
    [[maybe_unused]] const ssize_t written = write(STDERR_FILENO, line, sizeof line - 1);
    _exit(97);
}
