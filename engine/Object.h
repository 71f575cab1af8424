#pragma once

#include "core/RTTI_ClassInfo.h"

#include <cstdint>
#include <string>

namespace GAME {

class LoadTable;

// The root of every object the object manager knows: a class record, a 32-bit object id and
// the name of the record it was made from.
class Object {
public:
    static RTTI_ClassInfo classInfo;
    virtual const RTTI_ClassInfo* GetClassInfo() const { return &classInfo; }
    virtual void Load(const LoadTable& table);
    virtual ~Object();
    // Asks for the object's resources ahead of their first use; a plain object has none.
    virtual void PreLoad(bool /*flag*/) {}

    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    uint32_t GetObjectId() const { return objectId; }
    const std::string& GetObjectName() const { return objectName; }
    void SetObjectName(const std::string& name) { objectName = name; }

protected:
    Object() = default;
    static void* RTTI_new();

private:
    friend class ObjectManager;
    uint32_t objectId = 0;
    std::string objectName;
};

} // namespace GAME
