#include "quests/QuestStateSaveThread.h"

#include "engine/IOStreamWrite.h"

#include <algorithm>

namespace GAME {

QuestStateSaveThread::QuestStateSaveThread()
{
    Start();
    SetPriority(0);
}

QuestStateSaveThread::~QuestStateSaveThread()
{
    {
        std::lock_guard<std::mutex> guard(lock);
        stop = true;
    }
    wake.notify_all();
    WaitForExit();
}

void QuestStateSaveThread::RequestSave(QuestSaveJob job)
{
    {
        std::lock_guard<std::mutex> guard(lock);
        if (pending) {
            for (QuestSaveJob::File& older : pending->files) {
                const bool replaced = std::any_of(job.files.begin(), job.files.end(),
                                                  [&](const QuestSaveJob::File& file) {
                                                      return file.fileName == older.fileName;
                                                  });
                if (!replaced && !older.quest.IsEmpty())
                    job.files.push_back(std::move(older));
            }
        }
        pending = std::move(job);
    }
    wake.notify_one();
}

void QuestStateSaveThread::WaitDone()
{
    std::unique_lock<std::mutex> guard(lock);
    idle.wait(guard, [this] { return !pending && !writing; });
}

std::vector<QuestSaveFailure> QuestStateSaveThread::TakeFailures()
{
    std::lock_guard<std::mutex> guard(lock);
    return std::move(failures);
}

void QuestStateSaveThread::Run()
{
    SetThreadName("QuestStateSaveThread");
    std::unique_lock<std::mutex> guard(lock);
    for (;;) {
        wake.wait(guard, [this] { return stop || pending; });
        if (!pending)
            return;
        const QuestSaveJob job = std::move(*pending);
        pending.reset();
        writing = true;
        guard.unlock();
        std::vector<QuestSaveFailure> failed;
        Write(job, failed);
        guard.lock();
        writing = false;
        failures.insert(failures.end(), failed.begin(), failed.end());
        idle.notify_all();
    }
}

void QuestStateSaveThread::Write(const QuestSaveJob& job, std::vector<QuestSaveFailure>& failed)
{
    for (const QuestSaveJob::File& file : job.files) {
        const std::string path = job.folder + "/" + file.fileName;
        if (!IOStreamWrite::SaveBytesToFile(path, file.bytes))
            failed.push_back({path, file.quest});
    }
}

} // namespace GAME
