#include "core/RTTI_ClassInfo.h"

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>

namespace GAME {

namespace {

uint32_t HashName(const char* text)
{
    uint32_t h = 2166136261u;
    for (; *text != '\0'; ++text)
        h = (h ^ static_cast<uint8_t>(*text)) * 16777619u;
    return h;
}

struct NameHash {
    using is_transparent = void;
    size_t operator()(std::string_view text) const { return std::hash<std::string_view>()(text); }
};

// The records found by name below each record searched from. Every object made by name asks,
// and the walk through a few hundred records costs far more than one look-up. A change to the
// tree forgets them all; names that find nothing are not kept, so hostile ones cannot grow it.
struct FoundClasses {
    std::mutex lock;
    std::unordered_map<const RTTI_ClassInfo*, std::unordered_map<std::string, const RTTI_ClassInfo*,
                                                                 NameHash, std::equal_to<>>>
        byRoot;
};

// Made on first use, during static initialisation as records link up, and never destroyed:
// records unlink from the tree at exit after other statics are gone.
FoundClasses& Found()
{
    static FoundClasses* found = new FoundClasses;
    return *found;
}

void ForgetFound()
{
    FoundClasses& found = Found();
    std::lock_guard<std::mutex> guard(found.lock);
    found.byRoot.clear();
}

} // namespace

RTTI_ClassInfo::RTTI_ClassInfo(const char* className, RTTI_ClassInfo* parentInfo, Factory make)
    : name(strdup(className != nullptr ? className : "")),
      nameHash(name != nullptr ? HashName(name) : 0), parent(parentInfo), factory(make)
{
    if (parent != nullptr)
        parent->AddChild(this);
}

RTTI_ClassInfo::~RTTI_ClassInfo()
{
    free(name);
    name = nullptr;
    if (parent != nullptr)
        parent->RemoveChild(this);
}

int32_t RTTI_ClassInfo::GetChildCount() const
{
    return childCount;
}

const RTTI_ClassInfo* RTTI_ClassInfo::GetChild(int32_t index) const
{
    return index >= 0 && index < childCount ? children[index] : nullptr;
}

void RTTI_ClassInfo::AddChild(RTTI_ClassInfo* child)
{
    ForgetFound();
    // Exactly one more entry per child: the tree is built once and never grows afterwards.
    auto grown = static_cast<RTTI_ClassInfo**>(malloc(sizeof(RTTI_ClassInfo*) * (childCount + 1)));
    if (grown == nullptr)
        return;
    if (childCount > 0)
        memcpy(grown, children, sizeof(RTTI_ClassInfo*) * childCount);
    grown[childCount] = child;
    free(children);
    children = grown;
    ++childCount;
}

void RTTI_ClassInfo::RemoveChild(RTTI_ClassInfo* child)
{
    ForgetFound();
    for (int32_t i = 0; i < childCount; ++i) {
        if (children[i] != child)
            continue;
        for (int32_t j = i + 1; j < childCount; ++j)
            children[j - 1] = children[j];
        if (--childCount == 0) {
            free(children);
            children = nullptr;
        }
        return;
    }
}

bool RTTI_ClassInfo::operator==(const RTTI_ClassInfo& other) const
{
    if (this == &other)
        return true;
    if (nameHash != other.nameHash)
        return false;
    return name != nullptr && other.name != nullptr && strcmp(name, other.name) == 0;
}

bool RTTI_ClassInfo::IsA(const RTTI_ClassInfo& target) const
{
    return *this == target || IsDerivedFrom(target);
}

bool RTTI_ClassInfo::IsDerivedFrom(const RTTI_ClassInfo& target) const
{
    for (const RTTI_ClassInfo* p = parent; p != nullptr; p = p->parent) {
        if (*p == target)
            return true;
    }
    return false;
}

void* RTTI_ClassInfo::CreateObject(const char* className) const
{
    const RTTI_ClassInfo* found = FindClass(className);
    return found != nullptr && found->factory != nullptr ? found->factory() : nullptr;
}

const RTTI_ClassInfo* RTTI_ClassInfo::FindClass(const char* className) const
{
    if (className == nullptr)
        return nullptr;
    FoundClasses& found = Found();
    std::lock_guard<std::mutex> guard(found.lock);
    auto& byName = found.byRoot[this];
    if (const auto known = byName.find(std::string_view(className)); known != byName.end())
        return known->second;
    const uint32_t hash = HashName(className);
    auto find = [&](const RTTI_ClassInfo& info, auto& self) -> const RTTI_ClassInfo* {
        if (info.name != nullptr && info.nameHash == hash && strcmp(info.name, className) == 0)
            return &info;
        for (int32_t i = 0; i < info.childCount; ++i) {
            if (const RTTI_ClassInfo* match = self(*info.children[i], self))
                return match;
        }
        return nullptr;
    };
    const RTTI_ClassInfo* match = find(*this, find);
    if (match != nullptr)
        byName.emplace(className, match);
    return match;
}

} // namespace GAME
