#pragma once

#include "Fc/Core/FCObject.h"
#include "Fc/Core/FCObjectVector.h"

#include <cstdint>
#include <string>
#include <vector>

// A registered object that counts its constructions and destructions and
// orders itself by value, for proving what containers do to lifetimes.
class FCCountedObject : public FCObject
{
public:
    FCCountedObject();
    explicit FCCountedObject(std::int32_t value);
    FCCountedObject(const FCCountedObject& other);
    ~FCCountedObject() override;

    void Serialize(FCArchive& ar) override;
    std::string GetClassName() const override;
    FCObject* Clone() const override;
    FCObject* CreateNew() const override;
    // An i32 value.
    bool Load(FCFile& file) override;
    bool IsLess(const FCObject& other) const override;

    // Objects alive now, and destructions since the last ResetCounts.
    static int Alive();
    static int Destroyed();
    static void ResetCounts();

    std::int32_t value = 0;
};

// A registered object that holds child objects (mode 2), for nesting.
class FCTestNode : public FCObject
{
public:
    FCTestNode() { children.SetMode(2); }
    explicit FCTestNode(std::int32_t value) : FCTestNode() { this->value = value; }

    void Serialize(FCArchive& ar) override;
    std::string GetClassName() const override;
    FCObject* CreateNew() const override;
    FCObject* Clone() const override;
    // An i32 value, an i16 child count, then each child as a class name and
    // its payload through the registry.
    bool Load(FCFile& file) override;

    std::int32_t value = 0;
    FCObjectVector children;
};

namespace FCTestFiles
{
// A fresh path in a per-process temporary folder.
std::string TempPath(const std::string& name);
void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);
std::vector<std::uint8_t> ReadBytes(const std::string& path);
} // namespace FCTestFiles
