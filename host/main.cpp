#include "host/GameHost.h"

#include <exception>
#include <iostream>

int main(int argc, char** argv)
{
    // The library reports failures as results; this only keeps a fault from aborting the host
    // without a word (running out of memory while loading a database, say).
    try {
        std::vector<std::string> args(argv + 1, argv + argc);
        return GAME::GameHost::Run(args, std::cout, std::cerr);
    } catch (const std::exception& fault) {
        std::cerr << "gamehost: " << fault.what() << '\n';
    }
    return 2;
}
