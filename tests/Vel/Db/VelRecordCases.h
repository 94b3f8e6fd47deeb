#pragma once

// Table-driven checks shared by the record test suites. A case describes a
// record class by its stored layout, one field at a time with the value the
// fixture loads and the class's default, and by the record the loaded bytes
// must give, built member by member. From that the checks prove field order,
// widths, signedness and defaults, and a round trip through the real
// database reader into the class's table.

#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Core/FCDebugLog.h"
#include "Fc/Core/FCObjectVector.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelInfo.h"
#include "support/DbFixture.h"
#include "support/DbMemoryFile.h"
#include "support/Owned.h"
#include "support/QuietLog.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace VelRecordCases
{
using Bytes = std::vector<std::uint8_t>;

using RecordPtr = Owned<VelInfo>;
using ObjectPtr = Owned<FCObject>;

// Builds the loaded and the default bytes of a record side by side.
class Layout
{
public:
    Layout& U8(std::uint8_t value, std::uint8_t byDefault) { return Put(value, byDefault, 1); }
    Layout& U16(std::uint16_t value, std::uint16_t byDefault) { return Put(value, byDefault, 2); }
    Layout& I16(std::int16_t value, std::int16_t byDefault)
    {
        return U16(static_cast<std::uint16_t>(value), static_cast<std::uint16_t>(byDefault));
    }
    Layout& U32(std::uint32_t value, std::uint32_t byDefault) { return Put(value, byDefault, 4); }
    Layout& F32(float value, float byDefault)
    {
        std::uint32_t bits = 0;
        std::uint32_t defaultBits = 0;
        std::memcpy(&bits, &value, 4);
        std::memcpy(&defaultBits, &byDefault, 4);
        return Put(bits, defaultBits, 4);
    }
    // Texts always default to empty.
    Layout& Text(const std::string& value)
    {
        AppendText(loaded, value);
        AppendText(defaults, "");
        return *this;
    }

    Bytes loaded;
    Bytes defaults;

private:
    Layout& Put(std::uint32_t value, std::uint32_t byDefault, int width)
    {
        for (int i = 0; i < width; ++i)
        {
            loaded.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
            defaults.push_back(static_cast<std::uint8_t>(byDefault >> (8 * i)));
        }
        return *this;
    }
    static void AppendText(Bytes& out, const std::string& text)
    {
        const std::uint16_t count = static_cast<std::uint16_t>(text.size() + 1);
        out.push_back(static_cast<std::uint8_t>(count));
        out.push_back(static_cast<std::uint8_t>(count >> 8));
        out.insert(out.end(), text.begin(), text.end());
        out.push_back(0);
    }
};

enum class Table
{
    kNone, // not stored in any table on its own
    kMap,
    kSet,
    kList,
    kPairMap,
};

struct Case
{
    const char* className;
    void (*layout)(Layout&);
    // The record the loaded bytes describe, set member by member.
    VelInfo* (*expected)();
    Table table;
    std::vector<std::uint16_t> tags;
    // For the set classes: the lookup their users call, with the expected
    // record's second key built in; it goes through the search constructor.
    const VelInfo* (*find)(std::uint16_t tag, std::uint16_t key) = nullptr;
};

inline Bytes StoreOf(const VelInfo& record)
{
    Bytes out;
    record.Store(out);
    return out;
}

// A record made by name is at its defaults; loading the fixture bytes uses
// every byte, gives the expected members and stores the same bytes back; a
// byte short fails; a clone copies key and fields.
inline void CheckLayout(const Case& c)
{
    SCOPED_TRACE(c.className);
    Layout layout;
    c.layout(layout);
    const RecordPtr expected(c.expected());
    ASSERT_NE(expected, nullptr);
    EXPECT_EQ(expected->GetClassName(), c.className);

    ObjectPtr created(FCClassRegistry::CreateByName(c.className));
    ASSERT_NE(created, nullptr) << "not registered";
    auto* fresh = dynamic_cast<VelInfo*>(created.get());
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(fresh->GetClassName(), c.className);
    EXPECT_EQ(fresh->GetTypeName(), c.className);
    EXPECT_EQ(fresh->key, -1);
    EXPECT_EQ(StoreOf(*fresh), layout.defaults) << "defaults";

    DbMemoryFile file(layout.loaded);
    ObjectPtr loadedObject(FCClassRegistry::LoadObject(c.className, file));
    ASSERT_NE(loadedObject, nullptr) << "load failed";
    auto* loaded = static_cast<VelInfo*>(loadedObject.get());
    EXPECT_EQ(file.Tell(), layout.loaded.size()) << "bytes left over";
    EXPECT_EQ(loaded->Dump(), expected->Dump());
    EXPECT_EQ(loaded->GetTypeCode(), expected->GetTypeCode());
    EXPECT_EQ(StoreOf(*loaded), layout.loaded);

    Bytes shortBytes = layout.loaded;
    shortBytes.pop_back();
    DbMemoryFile shortFile(shortBytes);
    RecordPtr shortRecord(static_cast<VelInfo*>(fresh->CreateNew()));
    EXPECT_FALSE(shortRecord->Load(shortFile)) << "a short record must fail";

    loaded->key = 7;
    ObjectPtr clone(loaded->Clone());
    auto* copy = dynamic_cast<VelInfo*>(clone.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy, loaded);
    EXPECT_EQ(copy->GetClassName(), c.className);
    EXPECT_EQ(copy->key, 7);
    EXPECT_EQ(copy->Dump(), expected->Dump());

    // Reset brings the fields back to the defaults and keeps the key.
    copy->Reset();
    EXPECT_EQ(StoreOf(*copy), layout.defaults) << "reset";
}

// The expected record, written to a database file and read back by
// VelDatabase::ParseStream, lands in each of the class's tables unchanged.
inline void CheckTableRoundTrip(const Case& c)
{
    SCOPED_TRACE(c.className);
    constexpr std::int16_t kKey = 5;
    constexpr std::int16_t kSecond = 1;
    for (const std::uint16_t tag : c.tags)
    {
        SCOPED_TRACE(tag);
        const RecordPtr expected(c.expected());
        DbFixture db;
        db.Section(tag);
        if (c.table == Table::kPairMap)
        {
            db.AddPair(kKey, kSecond, *expected);
        }
        else
        {
            db.Add(kKey, *expected);
        }
        ASSERT_TRUE(db.Load());

        const VelInfo* found = nullptr;
        switch (c.table)
        {
        case Table::kMap:
            found = VelDatabase::FindInMap(tag, kKey);
            break;
        case Table::kSet:
            expected->key = kKey;
            found = VelDatabase::FindInSet(tag, *expected);
            break;
        case Table::kList:
        {
            const FCObjectVector* list = VelDatabase::GetList(tag);
            ASSERT_NE(list, nullptr);
            ASSERT_EQ(list->GetCount(), 1u);
            found = static_cast<const VelInfo*>(list->GetAt(0));
            break;
        }
        case Table::kPairMap:
            found = VelDatabase::FindInPairMap(tag, kKey, kSecond);
            break;
        case Table::kNone:
            break;
        }
        ASSERT_NE(found, nullptr);
        if (c.find != nullptr)
        {
            EXPECT_EQ(c.find(tag, kKey), found) << "lookup by search record";
            EXPECT_EQ(c.find(tag, kKey + 1), nullptr) << "lookup of another key";
        }
        EXPECT_EQ(found->GetClassName(), c.className);
        EXPECT_EQ(found->Dump(), expected->Dump());
        // The pair map keeps the record's own key untouched.
        EXPECT_EQ(found->key, c.table == Table::kPairMap ? -1 : kKey);
    }
}

inline void CheckAll(const std::vector<Case>& cases)
{
    const QuietLog quiet;
    for (const Case& c : cases)
    {
        CheckLayout(c);
        if (c.table != Table::kNone)
        {
            CheckTableRoundTrip(c);
        }
    }
}
} // namespace VelRecordCases
