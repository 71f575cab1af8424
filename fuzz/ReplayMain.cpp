// Runs a fuzz target over every file of its corpus folder, so that the corpus is checked in
// every build, with or without libFuzzer.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: %s CORPUS_DIR\n", argv[0]);
        return 2;
    }
    std::error_code error;
    // In name order: a seed that needs the inputs before it in the same process (state left by
    // one game and met by the next) replays the same way on every file system.
    std::vector<std::filesystem::path> paths;
    for (const auto& entry : std::filesystem::directory_iterator(argv[1], error)) {
        if (entry.is_regular_file())
            paths.push_back(entry.path());
    }
    std::sort(paths.begin(), paths.end());
    int replayed = 0;
    for (const std::filesystem::path& path : paths) {
        std::ifstream in(path, std::ios::binary);
        std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                   std::istreambuf_iterator<char>());
        LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
        ++replayed;
    }
    if (error || replayed == 0) {
        fprintf(stderr, "no corpus in %s\n", argv[1]);
        return 1;
    }
    printf("replayed %d inputs\n", replayed);
    return 0;
}
