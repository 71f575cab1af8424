#pragma once

#include "engine/IOStream.h"

#include <string>

namespace GAME {

// A quest action or condition that names a trigger token under "tokenName". Removing a token
// from the quest data empties the name of every such child that names it.
template <typename Base> class TokenNamed : public Base {
public:
    using Base::Base;

    bool ContainsToken(const char* name) const override
    {
        return name != nullptr && tokenName == name;
    }
    void RemoveTokenReferences(const char* name) override
    {
        if (ContainsToken(name))
            tokenName.clear();
    }
    bool SerializeChildProperties(IOStream* stream) override
    {
        return stream->StreamString("tokenName", tokenName);
    }
    void SetTokenName(const char* value) { tokenName = value != nullptr ? value : ""; }
    const char* GetTokenName() const { return tokenName.c_str(); }

protected:
    std::string tokenName;
};

} // namespace GAME
