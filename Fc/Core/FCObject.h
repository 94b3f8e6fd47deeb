#pragma once

#include "Fc/Core/FCRefCounted.h"

#include <cstdint>
#include <string>
#include <typeinfo>

class FCArchive;
class FCFile;

// Base of every object that can be created by class name, stored in an
// ownership container, loaded from a data file or saved in an archive.
// A new object (also from Clone and CreateNew) has one reference, the caller's.
class FCObject : public FCRefCounted
{
public:
    FCObject() = default;
    FCObject(const FCObject& other);
    FCObject& operator=(const FCObject& other);
    ~FCObject() override;

    virtual void HandleMessage(std::int16_t messageId, void* data);
    // Stores or loads the object by the archive's mode. Derived classes call
    // the base first and then add their own fields.
    virtual void Serialize(FCArchive& ar);
    virtual std::string GetClassName() const;
    virtual std::string GetTypeName() const;
    virtual FCObject* Clone() const;
    virtual FCObject* CreateNew() const;
    // Reads the payload that follows the class name in a read-only data file.
    // False when the payload is short or malformed; the caller then discards
    // the object.
    virtual bool Load(FCFile& file);
    // Order of sorted containers; equal when neither is less than the other.
    virtual bool IsLess(const FCObject& other) const;

    std::uint16_t GetTypeCode() const { return typeCode; }
    void SetTypeCode(std::uint16_t code) { typeCode = code; }
    std::uint16_t GetSecondWord() const { return secondWord; }
    void SetSecondWord(std::uint16_t word) { secondWord = word; }

protected:
    std::uint16_t typeCode = 1;
    std::uint16_t secondWord = 0;
};

// The object as a T, or null. Sorted sets compare objects of one class many
// times per lookup: an exact type match is a pointer compare, where a
// dynamic_cast walks the class hierarchy every time.
template <class T> const T* FCObjectAs(const FCObject& object)
{
    if (typeid(object) == typeid(T))
        return static_cast<const T*>(&object);
    return dynamic_cast<const T*>(&object);
}
