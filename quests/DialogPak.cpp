#include "quests/DialogPak.h"

#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "engine/VoidCallbackFunctor.h"
#include "quests/Dialog.h"

namespace GAME {

DialogPak::DialogPak(int32_t idlePlaybackTime) : idlePlaybackTime(idlePlaybackTime) {}

DialogPak::~DialogPak() = default;

void DialogPak::DestroyFunctor(VoidCallbackFunctor* functor)
{
    // The own callback may be held by the line being said; it goes with the pack.
    if (functor != completionCallback.get())
        delete functor;
}

bool DialogPak::LoadFromRecord(const std::string& recordName)
{
    ObjectManager& objects = ObjectManager::Instance();
    if (recordName.empty() || !objects.LoadTableFile(recordName))
        return false;
    Load(objects.GetLoadTable(recordName));
    return true;
}

Dialog* DialogPak::LoadDialog(const LoadTable& table, const std::string& tagKey,
                              const std::string& fileKey, const std::string& volumeKey)
{
    const std::string tag = table.GetString(tagKey.c_str());
    const std::string file = table.GetString(fileKey.c_str());
    if (tag.empty() && file.empty())
        return nullptr;
    Dialog* dialog = new Dialog;
    dialog->SetTextTag(tag);
    dialog->SetAudioFile(file);
    dialog->SetVolume(table.GetFloat(volumeKey.c_str()));
    return dialog;
}

void DialogPak::BeginSpeaking(VoidCallbackFunctor* onComplete)
{
    callerCallback = onComplete;
    // Every callback made here runs the same handler, so one serves all lines; replacing it
    // while a line's completion is running it would free the running functor.
    if (!completionCallback)
        completionCallback =
            std::make_unique<VoidCallbackFunctor>([this](int value) { OnDialogComplete(value); });
}

void DialogPak::SayLine(Dialog* line)
{
    currentDialog = line;
    inUse = true;
    line->Speak(completionCallback.get());
}

void DialogPak::OnDialogComplete(int /*value*/)
{
    currentDialog = nullptr;
    VoidCallbackFunctor* callback = callerCallback;
    callerCallback = nullptr;
    if (callback != nullptr)
        (*callback)(0);
}

void DialogPak::Update(int ms)
{
    if (currentDialog != nullptr)
        currentDialog->Update(ms);
}

void DialogPak::Stop()
{
    if (currentDialog != nullptr)
        currentDialog->Stop();
}

void DialogPak::SetVolumeFade(float fade)
{
    if (currentDialog != nullptr)
        currentDialog->SetVolumeFade(fade);
}

std::wstring DialogPak::GetText()
{
    return currentDialog != nullptr ? currentDialog->GetText() : std::wstring();
}

int32_t DialogPak::GetPlaybackTime()
{
    return currentDialog != nullptr ? currentDialog->GetPlaybackTime() : idlePlaybackTime;
}

bool DialogPak::IsSpeaking()
{
    return currentDialog != nullptr && currentDialog->IsSpeaking();
}

} // namespace GAME
