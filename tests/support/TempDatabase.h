#pragma once

#include <string>
#include <vector>

namespace GAME::Test {

// A database folder of its own under the system's temporary folder, removed on destruction.
// Records are written as text so that each test states the data it reads.
class TempDatabase {
public:
    TempDatabase();
    ~TempDatabase();
    TempDatabase(const TempDatabase&) = delete;
    TempDatabase& operator=(const TempDatabase&) = delete;

    const std::string& GetRoot() const { return root; }

    // Writes a file at the relative path, creating its folders; the text is written as given.
    void WriteFile(const std::string& relativePath, const std::string& text) const;
    // Writes a record from "key = value" lines, one string per line.
    void WriteRecord(const std::string& recordPath, const std::vector<std::string>& lines) const;

private:
    std::string root;
};

} // namespace GAME::Test
