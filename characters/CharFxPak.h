#pragma once

#include "engine/Color.h"

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

class Character;

// A designer-made package of effects for one character, read from a record: particle effects
// at attach points, mesh effects, a tint and start, stop and active sounds. Skills, auras and
// monsters switch it on and off with `Enable`; its effects live on the parent character, which
// the pack finds by object id, so a pack outliving its character simply does nothing.
class CharFxPak {
public:
    CharFxPak() = default;
    virtual ~CharFxPak();
    CharFxPak(const CharFxPak&) = delete;
    CharFxPak& operator=(const CharFxPak&) = delete;

    void SetParent(uint32_t characterId) { parent = characterId; }

    // Nothing for an empty name. A record that does not load reads as an empty pack (logged).
    virtual void LoadFromDatabase(const std::string& record);
    // Creates the record's effects on the parent, once: the names are spent doing so.
    virtual void InitializeFxPak();
    virtual void UnLoad();
    virtual void PreLoad();
    virtual void Enable(bool on);
    virtual void Start();
    virtual void Stop();

    bool IsActive() const { return active; }
    const std::vector<uint32_t>& GetParticleEffectIds() const { return particleEffectIds; }
    const std::vector<uint32_t>& GetMeshEffectIds() const { return meshEffectIds; }

private:
    // Null once the parent is gone.
    Character* FindParent() const;
    void DestroySounds();

    std::vector<std::string> particleEffectNames;
    std::vector<std::string> particleAttachPoints;
    std::vector<std::string> meshEffectNames;
    uint32_t parent = 0;
    std::vector<uint32_t> particleEffectIds;
    std::vector<uint32_t> meshEffectIds;
    bool active = false;
    bool useTint = false;
    Color tintColor;
    Color savedTintColor;
    // Object ids of the owned sound packs (0: none); an id that stops resolving is simply
    // skipped, where a kept pointer would dangle.
    uint32_t startSoundId = 0;
    uint32_t stopSoundId = 0;
    uint32_t activeSoundId = 0;
    uint32_t soundFadeTime = 10;
};

} // namespace GAME
