#pragma once

#include "combat/CombatAttributeAccumulator.h"
#include "engine/Engine.h"
#include "engine/LoadTable.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace GAME {

// An attribute store fuzzer's input: the base, prefix and suffix records, split on NUL bytes, with
// the engine's log silenced for the whole run.
struct AttributeStoreInput {
    AttributeStoreInput(const uint8_t* data, size_t size)
    {
        static const bool quiet = [] {
            gEngine->SetLogSink([](int, const std::string&) {});
            return true;
        }();
        (void)quiet;
        const std::string_view input(reinterpret_cast<const char*>(data), size);
        size_t start = 0;
        for (LoadTable& table : tables) {
            const size_t end = std::min(input.find('\0', start), input.size());
            table.Parse(input.substr(start, end - start), "fuzz.dbr");
            start = end < input.size() ? end + 1 : end;
        }
    }

    LoadTable tables[3];
    const LoadTable& record = tables[0];
};

// A loaded store added up, described at several levels and scaled far both ways.
template <typename Store> void ExerciseStore(Store& store)
{
    using Lines = std::vector<std::wstring>;
    CombatAttributeAccumulator attack;
    attack.SetSeed(7);
    for (uint32_t level : {0u, 1u, 2u, 40u}) {
        if constexpr (requires { store.AddDamageToAccumulator(attack, level); }) {
            store.AddDamageToAccumulator(attack, level);
            store.AddModifierToAccumulator(attack, level);
            Lines first, second, third;
            store.CreateText(first, second, third, level);
            store.CreateNextText(first, second, third, level, level + 1);
        } else {
            store.AddToAccumulator(attack, level);
            Lines first, second;
            store.CreateText(first, second, level);
            store.CreateNextText(first, second, level, level + 1);
        }
    }
    store.ScaleAttributes(35.0f);
    store.ScaleAttributes(-1.0e30f);
}

} // namespace GAME
