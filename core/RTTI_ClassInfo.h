#pragma once

#include <cstdint>
#include <new>

namespace GAME {

// One static record per creatable class. The records link into a single-inheritance tree below
// the engine's `Object` record; the tree answers `IsA` and creates objects by class name.
//
// Records are built by static initialisation in whatever order the translation units run. The
// constructor therefore never touches the child count or array: a child whose initialiser runs
// first appends itself to its parent's zeroed static storage, and the parent keeps it.
class RTTI_ClassInfo {
public:
    using Factory = void* (*)();

    RTTI_ClassInfo(const char* name, RTTI_ClassInfo* parent, Factory factory);
    ~RTTI_ClassInfo();

    RTTI_ClassInfo(const RTTI_ClassInfo&) = delete;
    RTTI_ClassInfo& operator=(const RTTI_ClassInfo&) = delete;

    const char* GetName() const { return name; }
    const RTTI_ClassInfo* GetParent() const { return parent; }
    int32_t GetChildCount() const;
    const RTTI_ClassInfo* GetChild(int32_t index) const;

    void AddChild(RTTI_ClassInfo* child);
    void RemoveChild(RTTI_ClassInfo* child);

    // Same record, or same name byte for byte (a class has one name across both libraries).
    bool operator==(const RTTI_ClassInfo& other) const;
    bool IsA(const RTTI_ClassInfo& target) const;
    bool IsDerivedFrom(const RTTI_ClassInfo& target) const;

    // Depth-first search from this record in registration order; the first record whose name
    // matches ends the search with whatever its factory returns.
    void* CreateObject(const char* className) const;
    // The record of that name, searched as CreateObject does; null when none. Lets a caller
    // learn what a record would make before making it.
    const RTTI_ClassInfo* FindClass(const char* className) const;

private:
    char* name;
    // Equal names have equal hashes, so a hash mismatch settles most comparisons without
    // touching the text.
    uint32_t nameHash;
    RTTI_ClassInfo* parent;
    // Deliberately without initialisers: see the class comment.
    int32_t childCount;
    RTTI_ClassInfo** children;
    Factory factory;
};

// Null for null, the object itself when its class is `T` or derives from it, else null.
template <typename T, typename U> T* DynamicCast(U* object)
{
    if (object == nullptr)
        return nullptr;
    return object->GetClassInfo()->IsA(T::classInfo) ? static_cast<T*>(object) : nullptr;
}

template <typename T, typename U> const T* DynamicCast(const U* object)
{
    if (object == nullptr)
        return nullptr;
    return object->GetClassInfo()->IsA(T::classInfo) ? static_cast<const T*>(object) : nullptr;
}

} // namespace GAME

// In the class body of every creatable class.
#define GAME_DECLARE_CLASS(ClassName)                                                              \
public:                                                                                            \
    static ::GAME::RTTI_ClassInfo classInfo;                                                       \
    const ::GAME::RTTI_ClassInfo* GetClassInfo() const override                                    \
    {                                                                                              \
        return &classInfo;                                                                         \
    }                                                                                              \
                                                                                                   \
protected:                                                                                         \
    static void* RTTI_new();                                                                       \
                                                                                                   \
private:

// In the class's source file, at namespace scope inside GAME.
#define GAME_IMPLEMENT_CLASS(ClassName, ParentName)                                                \
    void* ClassName::RTTI_new()                                                                    \
    {                                                                                              \
        return new (std::nothrow) ClassName();                                                     \
    }                                                                                              \
    ::GAME::RTTI_ClassInfo ClassName::classInfo(#ClassName, &ParentName::classInfo,                \
                                                &ClassName::RTTI_new)

// For a class that is only ever a base: its record is in the tree, its factory makes nothing.
#define GAME_IMPLEMENT_ABSTRACT_CLASS(ClassName, ParentName)                                       \
    void* ClassName::RTTI_new()                                                                    \
    {                                                                                              \
        return nullptr;                                                                            \
    }                                                                                              \
    ::GAME::RTTI_ClassInfo ClassName::classInfo(#ClassName, &ParentName::classInfo,                \
                                                &ClassName::RTTI_new)
