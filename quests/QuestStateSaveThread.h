#pragma once

#include "core/Thread.h"
#include "engine/Name.h"

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace GAME {

// One save's bytes, made on the game thread at the moment of the request.
struct QuestSaveJob {
    struct File {
        std::string fileName; // within the folder
        Name quest;           // noName for the repository file
        std::vector<uint8_t> bytes;
    };
    std::string folder;
    std::vector<File> files;
};

// A file of a save that could not be written, reported back to the game thread.
struct QuestSaveFailure {
    std::string path;
    Name quest;
};

// The library's one thread of its own: writes quest state files in the background. It never
// touches a quest: the game thread hands it finished bytes, so nothing the game does while a
// save runs can tear a file, and the game thread never waits for the disk.
class QuestStateSaveThread : public Thread {
public:
    QuestStateSaveThread();
    // Finishes the save in hand and any waiting one, then ends the thread.
    ~QuestStateSaveThread() override;

    // A request the thread has not started yet is merged into: the newest bytes of each file
    // and the newest folder win, and no file of the earlier request is lost.
    void RequestSave(QuestSaveJob job);
    // Returns once no save is waiting or being written.
    void WaitDone();
    // The failures since the last call.
    std::vector<QuestSaveFailure> TakeFailures();
    void Run() override;

    // Writes each file safely; the ones that failed are appended to `failures`.
    static void Write(const QuestSaveJob& job, std::vector<QuestSaveFailure>& failures);

private:
    std::mutex lock;
    std::condition_variable wake;
    std::condition_variable idle;
    std::optional<QuestSaveJob> pending;
    std::vector<QuestSaveFailure> failures;
    bool writing = false;
    bool stop = false;
};

} // namespace GAME
