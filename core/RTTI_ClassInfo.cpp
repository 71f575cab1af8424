#include "core/RTTI_ClassInfo.h"

#include <cstdlib>
#include <cstring>

namespace GAME {

namespace {

uint32_t HashName(const char* text)
{
    uint32_t h = 2166136261u;
    for (; *text != '\0'; ++text)
        h = (h ^ static_cast<uint8_t>(*text)) * 16777619u;
    return h;
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
    if (className == nullptr)
        return nullptr;
    if (name != nullptr && strcmp(name, className) == 0)
        return factory != nullptr ? factory() : nullptr;
    for (int32_t i = 0; i < childCount; ++i) {
        if (void* made = children[i]->CreateObject(className))
            return made;
    }
    return nullptr;
}

const RTTI_ClassInfo* RTTI_ClassInfo::FindClass(const char* className) const
{
    if (className == nullptr)
        return nullptr;
    if (name != nullptr && strcmp(name, className) == 0)
        return this;
    for (int32_t i = 0; i < childCount; ++i) {
        if (const RTTI_ClassInfo* found = children[i]->FindClass(className))
            return found;
    }
    return nullptr;
}

} // namespace GAME
