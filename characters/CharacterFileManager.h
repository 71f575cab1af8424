#pragma once

#include <string>
#include <vector>

namespace GAME {

// The names of the saved character files. The folder is read once, on the first add or
// listing; after that the list only changes through its own calls.
class CharacterFileManager {
public:
    static CharacterFileManager& Get();

    // A name already listed is listed again.
    void AddCharacterFile(const std::string& name);
    // The first equal name only; never reads the folder.
    void RemoveCharacterFile(const std::string& name);
    void GetCharacterFiles(std::vector<std::string>& files);

private:
    CharacterFileManager() = default;
    void ScanOnce();

    std::vector<std::string> files;
    bool scanned = false;
};

} // namespace GAME
