#pragma once

#include <array>
#include <streambuf>

namespace GAME {

// The program's standard output as a stream buffer of its own, which keeps the reason the first
// failed write gave: the standard one forgets it, so that output failing long before its last
// bytes could only be told as failed, not why. A terminal is written a line at a time.
class StandardOutput : public std::streambuf {
public:
    explicit StandardOutput(int fd);
    // The error of the first write that failed; 0 while every byte has gone out.
    int GetError() const { return error; }

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* bytes, std::streamsize count) override;
    int sync() override;

private:
    // Writes out what the buffer holds; false once a write has failed.
    bool Drain();

    int fd;
    bool byLine;
    int error = 0;
    std::array<char, 8192> buffer{};
};

} // namespace GAME
