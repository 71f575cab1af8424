#include "host/StandardOutput.h"

#include <cerrno>
#include <cstring>

#include <unistd.h>

namespace GAME {

StandardOutput::StandardOutput(int fd) : fd(fd), byLine(isatty(fd) == 1)
{
    setp(buffer.data(), buffer.data() + buffer.size());
}

bool StandardOutput::Drain()
{
    const char* next = pbase();
    while (error == 0 && next < pptr()) {
        const ssize_t written = write(fd, next, static_cast<size_t>(pptr() - next));
        if (written < 0 && errno == EINTR)
            continue;
        // A regular file that takes no byte has no room for it.
        if (written <= 0)
            error = written < 0 ? errno : ENOSPC;
        else
            next += written;
    }
    // What could not go out is dropped, so that a failed output costs no more than its buffer.
    setp(buffer.data(), buffer.data() + buffer.size());
    return error == 0;
}

StandardOutput::int_type StandardOutput::overflow(int_type c)
{
    if (!Drain())
        return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof()))
        sputc(traits_type::to_char_type(c));
    return traits_type::not_eof(c);
}

std::streamsize StandardOutput::xsputn(const char* bytes, std::streamsize count)
{
    std::streamsize done = 0;
    while (done < count) {
        if (pptr() == epptr() && !Drain())
            return done;
        const std::streamsize room = epptr() - pptr();
        const std::streamsize part = count - done < room ? count - done : room;
        std::memcpy(pptr(), bytes + done, static_cast<size_t>(part));
        pbump(static_cast<int>(part));
        done += part;
    }
    if (byLine && std::memchr(bytes, '\n', static_cast<size_t>(count)) != nullptr && !Drain())
        return 0;
    return done;
}

int StandardOutput::sync()
{
    return Drain() ? 0 : -1;
}

} // namespace GAME
