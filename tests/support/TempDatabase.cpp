#include "tests/support/TempDatabase.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <unistd.h>

namespace GAME::Test {

TempDatabase::TempDatabase()
{
    static std::atomic<int> counter{0};
    const auto folder = std::filesystem::temp_directory_path() /
                        ("gamedb-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    root = folder.string();
}

TempDatabase::~TempDatabase()
{
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
}

void TempDatabase::WriteFile(const std::string& relativePath, const std::string& text) const
{
    const std::filesystem::path path = std::filesystem::path(root) / relativePath;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out << text;
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

void TempDatabase::WriteRecord(const std::string& recordPath,
                               const std::vector<std::string>& lines) const
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    WriteFile(recordPath, text);
}

} // namespace GAME::Test
