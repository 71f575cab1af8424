#include "host/GameHost.h"

#include <iostream>

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    return GAME::GameHost::Run(args, std::cout, std::cerr);
}
