// Quest state: one file per quest ("<handle>.que") and the repository file with the fired
// triggers and the rewards, in a folder the host names.
//
// A background save costs the game thread only the making of bytes: at the request it streams
// each dirty quest and the repository into memory and clears the dirty flags of exactly those
// quests, then hands the bytes to the save thread. The thread never reads a quest, so the game
// goes on changing state while it writes, and every file holds the state of its request. Each
// file goes to a temporary file beside it, synced and renamed over the old one; a failure keeps
// the old file, and the game thread, on its next look, logs it and marks the quest dirty again.
//
// Every stored file closes with a digest of its bytes, so that a state changed since it was
// written, by a single bit even, is refused rather than restored into another game; a file
// written before digests were kept is still read when it ends with its blocks.
//
// Reading trusts nothing: a missing, damaged or stale state file (its design checksum differs)
// leaves the quest with its design state, marked for rewriting, and drops its repository
// entries; a damaged repository file is not read at all; counts stop at the first value that
// fails.
#include "quests/QuestRepository.h"

#include "core/StringHelpers.h"
#include "engine/Engine.h"
#include "engine/IOStreamRead.h"
#include "engine/IOStreamWrite.h"
#include "quests/Quest.h"
#include "quests/QuestStateSaveThread.h"

#include <cstdio>

namespace GAME {

namespace {

constexpr const char* kDigestKey = "stateCrc";

// A file older than digests must hold its blocks and nothing after them: a digest damaged out of
// recognition is not taken for an older file.
bool IsWhole(IOStreamRead& stream, size_t blocks)
{
    const IOStreamRead::Digest digest = stream.TakeDigest(kDigestKey);
    return digest == IOStreamRead::Digest::Matches ||
           (digest == IOStreamRead::Digest::Absent && stream.HoldsBlocksOnly(blocks));
}

// The bytes stored for one file: what the streaming wrote, closed with its digest.
template <typename Streaming> std::vector<uint8_t> Sealed(Streaming streaming)
{
    IOStreamWrite stream;
    streaming(&stream);
    stream.AppendDigest(kDigestKey);
    return stream.GetBytes();
}

std::vector<uint8_t> StoredQuestState(QuestRepository& quests, Quest* quest)
{
    return Sealed([&](IOStream* out) { quests.StreamQuestState(out, quest); });
}

} // namespace

namespace {

std::string StateFileOf(const Name& handle)
{
    char text[40];
    snprintf(text, sizeof(text), "%08x%08x%08x%08x.que", handle.GetWord(0), handle.GetWord(1),
             handle.GetWord(2), handle.GetWord(3));
    return text;
}

} // namespace

std::string QuestRepository::StateFileName(const Quest& quest)
{
    return StateFileOf(quest.GetHandle());
}

std::string QuestRepository::StateFileName(const std::string& questFile)
{
    return StateFileOf(Name::Create(NormalizeFileName(questFile)));
}

void QuestRepository::StreamQuestState(IOStream* stream, Quest* quest)
{
    if (quest == nullptr)
        return;
    const bool reading = stream != nullptr && stream->IsReading();
    uint32_t checksum = quest->GetCRC();
    if (stream != nullptr && !stream->HasFailed() && stream->BeginBlock() &&
        stream->StreamUInt("crcFile", checksum) && checksum == quest->GetCRC()) {
        stream->BeginBlock();
        quest->StreamProperties(stream);
        stream->EndBlock();
        if (stream->EndBlock() || !reading)
            return;
    }
    BadQuestState(quest);
}

void QuestRepository::ReadQuestState(IOStreamRead& stream, Quest* quest)
{
    if (quest == nullptr)
        return;
    if (IsWhole(stream, 1))
        StreamQuestState(&stream, quest);
    else
        BadQuestState(quest);
}

bool QuestRepository::ReadProperties(IOStreamRead& stream)
{
    if (!stream.IsOpen() || !IsWhole(stream, 2))
        return false;
    StreamProperties(&stream);
    return !stream.HasFailed();
}

void QuestRepository::StreamQuestProperties(const std::string& folder, ReadWrite mode)
{
    for (const auto& quest : quests) {
        if (mode == Write && !quest->IsDirty())
            continue;
        const std::string path = folder + "/" + StateFileName(*quest);
        if (mode == Read) {
            IOStreamRead stream(path, IOStream::TypeState);
            ReadQuestState(stream, quest.get());
        } else if (!IOStreamWrite::SaveBytesToFile(path, StoredQuestState(*this, quest.get()))) {
            NoteSaveFailures({{path, quest->GetHandle()}});
        }
    }
}

namespace {

// The count as stored; a negative one counts as none.
int32_t StreamCount(IOStream* stream, const char* key, int32_t count)
{
    if (!stream->StreamInt(key, count) || count < 0)
        return 0;
    return count;
}

} // namespace

void QuestRepository::StreamFiredTriggers(IOStream* stream)
{
    const bool reading = stream->IsReading();
    const int32_t count = StreamCount(stream, "numberOfTriggers", int32_t(firedTriggers.size()));
    if (reading)
        firedTriggers.clear();
    for (int32_t i = 0; i < count; ++i) {
        QuestTriggerEntry entry = reading ? QuestTriggerEntry() : firedTriggers[size_t(i)];
        if (!stream->StreamName("questName", entry.questName) ||
            !stream->StreamInt("stepIdx", entry.stepIndex) ||
            !stream->StreamInt("triggerIdx", entry.triggerIndex) ||
            !stream->StreamUInt("target", entry.target))
            break;
        if (reading && !IsBadQuest(entry.questName))
            firedTriggers.push_back(entry);
    }
}

void QuestRepository::StreamRewards(IOStream* stream)
{
    const bool reading = stream->IsReading();
    const int32_t count = StreamCount(stream, "numRewards", int32_t(rewards.size()));
    if (reading)
        rewards.clear();
    for (int32_t i = 0; i < count; ++i) {
        QuestRewardEntry entry = reading ? QuestRewardEntry() : rewards[size_t(i)];
        if (!stream->StreamName("questName", entry.questName) ||
            !stream->StreamInt("region", entry.region) ||
            !stream->StreamString("locationTag", entry.locationTag) ||
            !stream->StreamString("titleTag", entry.titleTag) ||
            !stream->StreamWideString("text", entry.text))
            break;
        if (reading && !IsBadQuest(entry.questName))
            rewards.push_back(std::move(entry));
    }
}

void QuestRepository::StreamProperties(IOStream* stream)
{
    if (stream != nullptr) {
        stream->BeginBlock();
        StreamFiredTriggers(stream);
        stream->EndBlock();
        stream->BeginBlock();
        StreamRewards(stream);
        stream->EndBlock();
    }
    RebuildActiveTriggers();
}

bool QuestRepository::LoadQuestState(const std::string& folder, const std::string& name)
{
    WaitDone();
    const size_t badBefore = badQuests.size();
    StreamQuestProperties(folder, Read);
    IOStreamRead stream(folder + "/" + name, IOStream::TypeState);
    const bool whole = ReadProperties(stream) && badQuests.size() == badBefore;
    stream.Shutdown();
    // Without a repository file the triggers must still be armed, or a fresh game never
    // evaluates a polled condition.
    RebuildActiveTriggers();
    return whole;
}

QuestSaveJob QuestRepository::MakeSaveJob(const std::string& folder, const std::string& name)
{
    QuestSaveJob job;
    job.folder = folder;
    for (const auto& quest : quests) {
        if (!quest->IsDirty())
            continue;
        job.files.push_back(
            {StateFileName(*quest), quest->GetHandle(), StoredQuestState(*this, quest.get())});
    }
    if (!name.empty())
        job.files.push_back(
            {name, Name::noName, Sealed([this](IOStream* out) { StreamProperties(out); })});
    return job;
}

void QuestRepository::SaveQuestState(const std::string& folder, const std::string& name,
                                     bool inBackground)
{
    if (inBackground) {
        // Nowhere to write: the dirty flags stay for a save that has a folder.
        if (saveThread != nullptr && !folder.empty())
            saveThread->RequestSave(MakeSaveJob(folder, name));
        return;
    }
    WaitDone();
    std::vector<QuestSaveFailure> failures;
    QuestStateSaveThread::Write(MakeSaveJob(folder, name), failures);
    NoteSaveFailures(failures);
}

void QuestRepository::WaitDone()
{
    if (saveThread == nullptr)
        return;
    saveThread->WaitDone();
    CollectSaveFailures();
}

void QuestRepository::CollectSaveFailures()
{
    if (saveThread != nullptr)
        NoteSaveFailures(saveThread->TakeFailures());
}

void QuestRepository::NoteSaveFailures(const std::vector<QuestSaveFailure>& failures)
{
    for (const QuestSaveFailure& failure : failures) {
        ++failedWrites;
        gEngine->Log(Engine::LogRuntime, "Quest state file %s could not be written",
                     failure.path.c_str());
        if (Quest* quest = GetQuest(failure.quest))
            quest->SetDirty();
    }
}

} // namespace GAME
