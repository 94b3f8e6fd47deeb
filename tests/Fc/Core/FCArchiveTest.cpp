#include "Fc/Core/FCArchive.h"
#include "Fc/Core/FCDebugLog.h"
#include "Fc/Core/FCFile.h"
#include "Fc/Core/FCObjectMap.h"
#include "Fc/Core/FCObjectSet.h"
#include "Fc/Core/FCObjectVector.h"
#include "support/ArchiveBytes.h"
#include "support/FCTestObjects.h"
#include "support/QuietLog.h"
#include "support/ResourceFixture.h"

#include <gtest/gtest.h>

#include <functional>

namespace
{
using Bytes = std::vector<std::uint8_t>;

Bytes operator+(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes U16(std::uint16_t v) { return ArchiveBytes().U16(v).bytes; }
Bytes I32(std::int32_t v) { return ArchiveBytes().U32(static_cast<std::uint32_t>(v)).bytes; }
Bytes Str(const std::string& text) { return ArchiveBytes().Str(text).bytes; }

// A stored counted object with the default words.
Bytes Counted(std::int32_t value) { return U16(0xFFFF) + Str("FCCountedObject") + U16(1) + U16(0) + I32(value); }

// A stored node: words, value, then its child vector head.
Bytes NodeHead(std::int32_t value, std::uint16_t mode, std::uint16_t count)
{
    return U16(0xFFFF) + Str("FCTestNode") + U16(1) + U16(0) + I32(value) + U16(mode) + U16(count);
}

Bytes Store(const std::function<void(FCArchive&)>& write)
{
    const std::string path = FCTestFiles::TempPath("archive-store.bin");
    {
        FCArchive ar(path, FCArchive::kStore);
        EXPECT_TRUE(ar.IsOpen());
        write(ar);
        EXPECT_FALSE(ar.HasFailed());
    }
    return FCTestFiles::ReadBytes(path);
}

std::string LoadPath(const Bytes& bytes)
{
    const std::string path = FCTestFiles::TempPath("archive-load.bin");
    FCTestFiles::WriteBytes(path, bytes);
    return path;
}

std::vector<std::int32_t> Values(FCObjectVector& vector)
{
    std::vector<std::int32_t> values;
    FCObjectVectorCursor walk;
    FCObject* object = nullptr;
    while (vector.GetNext(object, &walk))
        values.push_back(object ? static_cast<FCCountedObject*>(object)->value : -999);
    return values;
}
} // namespace

TEST(FCArchiveTest, StoredFormsAreByteExact)
{
    struct Case
    {
        const char* name;
        std::function<void(FCArchive&)> write;
        Bytes expected;
    };
    const std::vector<Case> cases = {
        {"empty string", [](FCArchive& ar) { FCArchive::WriteString(ar, ""); }, {0x01, 0x00, 0x00}},
        {"short string", [](FCArchive& ar) { ar.WriteString("abc"); }, {0x04, 0x00, 0x61, 0x62, 0x63, 0x00}},
        {"null object", [](FCArchive& ar) { ar.WriteObject(nullptr); }, {0x00, 0x00}},
        {"plain object",
         [](FCArchive& ar) {
             FCObject object;
             ar.WriteObject(&object);
         },
         Bytes{0xFF, 0xFF, 0x09, 0x00} + Bytes{'F', 'C', 'O', 'b', 'j', 'e', 'c', 't', 0} + Bytes{1, 0, 0, 0}},
        {"empty vector",
         [](FCArchive& ar) {
             FCObjectVector vector(0);
             vector.Serialize(ar);
         },
         {0x00, 0x00, 0x00, 0x00}},
        {"vector with a null element",
         [](FCArchive& ar) {
             FCObjectVector vector(1);
             vector.Append(new FCCountedObject(1));
             vector.Append(nullptr);
             vector.Serialize(ar);
         },
         U16(1) + U16(2) + Counted(1) + U16(0)},
        {"set in element order",
         [](FCArchive& ar) {
             FCObjectSet set(1);
             set.Insert(new FCCountedObject(3));
             set.Insert(new FCCountedObject(-2));
             set.Serialize(ar);
         },
         U16(1) + U16(2) + Counted(-2) + Counted(3)},
        {"map in signed key order",
         [](FCArchive& ar) {
             FCObjectMap map(1);
             map.Insert(new FCCountedObject(5), 3);
             map.Insert(new FCCountedObject(4), -1);
             map.Serialize(ar);
         },
         U16(1) + U16(2) + U16(0xFFFF) + Counted(4) + U16(3) + Counted(5)},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Store(c.write), c.expected);
    }
}

TEST(FCArchiveTest, ReadStringKeepsTextBeforeTheFirstNulAndRefusesBadCounts)
{
    struct Case
    {
        Bytes bytes;
        bool ok;
        std::string text;
    };
    const std::vector<Case> cases = {
        {{0x04, 0x00, 'a', 'b', 'c', 0x00}, true, "abc"},
        {{0x04, 0x00, 'a', 0x00, 'b', 'c'}, true, "a"},
        {{0x03, 0x00, 'a', 'b', 'c'}, true, "abc"}, // no NUL within the count
        {{0x01, 0x00, 0x00}, true, ""},
        {{0x00, 0x00}, true, ""},
        {{0x05, 0x00, 'a', 'b'}, false, ""},       // short
        {{0x04}, false, ""},                       // short count
        {{}, false, ""},                           // nothing at all
        {{0x00, 0x80, 'a', 0x00}, false, ""},      // negative as signed
        {{0xFF, 0xFF, 'a', 0x00}, false, ""},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(::testing::PrintToString(c.bytes));
        const std::string path = LoadPath(c.bytes);
        FCFile file;
        ASSERT_TRUE(file.Open(path.c_str(), FCFile::kAccessRead, FCFile::kOpenExisting, FCFile::kShareRead));
        std::string text = "stale";
        EXPECT_EQ(FCArchive::ReadString(file, text), c.ok);
        EXPECT_EQ(text, c.text);
    }
}

TEST(FCArchiveTest, LongTextsAreCutToWhatAReaderCanTake)
{
    for (std::size_t length : {std::size_t{32766}, std::size_t{32767}, std::size_t{70000}})
    {
        SCOPED_TRACE(length);
        const std::string text(length, 'x');
        const Bytes bytes = Store([&](FCArchive& ar) { ar.WriteString(text); });
        ASSERT_EQ(bytes.size(), 2u + 32767u);
        EXPECT_EQ(bytes[0], 0xFF);
        EXPECT_EQ(bytes[1], 0x7F);
        EXPECT_EQ(bytes.back(), 0x00);

        FCArchive ar(LoadPath(bytes), FCArchive::kLoad);
        std::string back;
        EXPECT_TRUE(ar.ReadString(back));
        EXPECT_EQ(back, text.substr(0, 32766));
    }
}

TEST(FCArchiveTest, ObjectMarkers)
{
    {
        FCArchive ar(LoadPath({0x00, 0x00, 0x07, 0x00}), FCArchive::kLoad);
        EXPECT_EQ(ar.ReadObject(), nullptr);
        EXPECT_FALSE(ar.HasFailed()) << "a stored null is not a failure";
        EXPECT_EQ(ar.GetFile()->Tell(), 2u);
    }
    {
        CapturedLog log;
        FCArchive ar(LoadPath({0x01, 0x00, 0x09, 0x00}), FCArchive::kLoad);
        EXPECT_EQ(ar.ReadObject(), nullptr);
        EXPECT_EQ(ar.GetFile()->Tell(), 2u) << "nothing is read past a bad marker";
        EXPECT_TRUE(ar.HasFailed());
        std::uint16_t next = 0;
        EXPECT_FALSE(ar.ReadU16(next)) << "the failure is sticky";
        EXPECT_EQ(next, 0);
    }
}

TEST(FCArchiveTest, CorruptArchivesFailCleanly)
{
    auto nested = [](int levels) {
        Bytes bytes;
        for (int i = 0; i < levels; ++i)
            bytes = bytes + NodeHead(i, 2, i + 1 < levels ? 1 : 0);
        return bytes;
    };
    struct Case
    {
        const char* name;
        Bytes bytes;
    };
    const std::vector<Case> cases = {
        {"empty file", {}},
        {"marker only", U16(0xFFFF)},
        {"name cut short", U16(0xFFFF) + U16(16) + Bytes{'F', 'C', 'C'}},
        {"payload cut short", U16(0xFFFF) + Str("FCCountedObject") + U16(1) + U16(0) + Bytes{1, 2}},
        {"name length negative", U16(0xFFFF) + U16(0x8000) + Bytes(40, 'A')},
        {"name length all ones", U16(0xFFFF) + U16(0xFFFF) + Bytes(40, 'A')},
        {"unknown class", U16(0xFFFF) + Str("NoSuchClass") + I32(0)},
        {"empty class name", U16(0xFFFF) + Str("") + I32(0)},
        {"negative element count", NodeHead(1, 2, 0xFFFF) + Counted(1)},
        {"element count beyond the data", NodeHead(1, 2, 0x7FFF) + Counted(1) + Counted(2)},
        {"bad ownership mode", NodeHead(1, 3, 1) + Counted(1)},
        {"second element cut short", NodeHead(1, 2, 2) + Counted(1) + U16(0xFFFF) + Str("FCCountedObject")},
        {"bad marker inside a container", NodeHead(1, 2, 2) + Counted(1) + U16(0x0001) + Counted(2)},
        {"nesting one level too deep", nested(FCArchive::kMaxDepth + 1)},
        {"nesting far too deep", nested(3000)},
    };
    QuietLog quiet;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        const int alive = FCCountedObject::Alive();
        FCArchive ar(LoadPath(c.bytes), FCArchive::kLoad);
        ASSERT_TRUE(ar.IsOpen());
        FCObject* object = ar.ReadObject();
        EXPECT_EQ(object, nullptr);
        EXPECT_TRUE(ar.HasFailed());
        EXPECT_EQ(FCCountedObject::Alive(), alive) << "everything loaded before the failure is gone";
    }

    // The deepest nesting that is allowed still loads.
    FCArchive ar(LoadPath(nested(FCArchive::kMaxDepth)), FCArchive::kLoad);
    FCObject* root = ar.ReadObject();
    ASSERT_NE(root, nullptr);
    EXPECT_FALSE(ar.HasFailed());
    root->Release();
}

TEST(FCArchiveTest, NestedContainersRoundTrip)
{
    const std::string path = FCTestFiles::TempPath("archive-roundtrip.bin");
    {
        auto* root = new FCTestNode(1);
        auto* inner = new FCTestNode(2);
        inner->SetSecondWord(0x0A0B);
        FCObject* leaf = new FCCountedObject(20);
        inner->children.Append(leaf);
        leaf->Release();
        FCObject* first = new FCCountedObject(10);
        root->children.Append(first);
        first->Release();
        root->children.Append(inner);
        inner->Release();
        root->children.Append(nullptr);

        FCObjectSet set(2);
        FCObject* element = new FCCountedObject(7);
        set.Insert(element);
        element->Release();
        FCObjectMap map(1);
        map.Insert(new FCTestNode(30), -4);
        map.Insert(new FCCountedObject(31), 9);

        FCArchive ar(path, FCArchive::kStore);
        ar.WriteObject(root);
        set.Serialize(ar);
        map.Serialize(ar);
        ar.WriteString("end");
        EXPECT_FALSE(ar.HasFailed());
        root->Release();
    }

    const int alive = FCCountedObject::Alive();
    {
        FCArchive ar(path, FCArchive::kLoad);
        FCObject* loaded = ar.ReadObject();
        ASSERT_NE(loaded, nullptr);
        ASSERT_EQ(loaded->GetClassName(), "FCTestNode");
        auto* root = static_cast<FCTestNode*>(loaded);
        EXPECT_EQ(root->value, 1);
        ASSERT_EQ(root->children.GetCount(), 2u) << "a stored null element loads as nothing";
        EXPECT_EQ(static_cast<FCCountedObject*>(root->children.GetAt(0))->value, 10);
        ASSERT_EQ(root->children.GetAt(1)->GetClassName(), "FCTestNode");
        auto* inner = static_cast<FCTestNode*>(root->children.GetAt(1));
        EXPECT_EQ(inner->value, 2);
        EXPECT_EQ(inner->GetSecondWord(), 0x0A0B);
        EXPECT_EQ(Values(inner->children), std::vector<std::int32_t>{20});
        EXPECT_EQ(inner->GetRefCount(), 1) << "the container holds the only reference";

        FCObjectSet set(2);
        set.Serialize(ar);
        EXPECT_TRUE(set.Contains(FCCountedObject(7)));
        FCObjectMap map(2);
        map.Serialize(ar);
        ASSERT_NE(map.Find(-4), nullptr);
        EXPECT_EQ(map.Find(-4)->GetClassName(), "FCTestNode");
        EXPECT_EQ(static_cast<FCCountedObject*>(map.Find(9))->value, 31);
        std::string tail;
        EXPECT_TRUE(ar.ReadString(tail));
        EXPECT_EQ(tail, "end");
        EXPECT_FALSE(ar.HasFailed());
        EXPECT_EQ(ar.GetRemaining(), 0u);
        loaded->Release();
    }
    EXPECT_EQ(FCCountedObject::Alive(), alive);
}

TEST(FCArchiveTest, LoadingKeepsTheHoldersModeAndDisposesRefusedDuplicates)
{
    const Bytes stored = U16(1) + U16(3) + Counted(4) + Counted(5) + Counted(4) + Str("next");
    for (std::uint16_t mode : {0, 1, 2})
    {
        SCOPED_TRACE(mode);
        const int alive = FCCountedObject::Alive();
        std::vector<FCObject*> loaded;
        {
            FCArchive ar(LoadPath(stored), FCArchive::kLoad);
            FCObjectSet set(mode);
            set.Serialize(ar);
            EXPECT_EQ(set.GetMode(), mode) << "the stored mode is not adopted";
            EXPECT_EQ(set.GetCount(), 2u);
            EXPECT_EQ(FCCountedObject::Alive(), alive + 2) << "the duplicate is destroyed";
            FCObject* object = nullptr;
            set.ResetCursor();
            while (set.GetNext(object))
            {
                EXPECT_EQ(object->GetRefCount(), 1);
                loaded.push_back(object);
            }
            std::string next;
            EXPECT_TRUE(ar.ReadString(next));
            EXPECT_EQ(next, "next");
        }
        // A holder without ownership leaves the loaded objects to its owner.
        if (mode == 0)
        {
            EXPECT_EQ(FCCountedObject::Alive(), alive + 2);
            for (FCObject* object : loaded)
                object->Release();
        }
        EXPECT_EQ(FCCountedObject::Alive(), alive);
    }
}

TEST(FCArchiveTest, AStoredSetOfMixedClassesFailsBeforeAnyComparison)
{
    const Bytes plain = U16(0xFFFF) + Str("FCObject") + U16(1) + U16(0);
    QuietLog quiet;
    const int alive = FCCountedObject::Alive();
    {
        FCArchive ar(LoadPath(U16(2) + U16(2) + Counted(1) + plain), FCArchive::kLoad);
        FCObjectSet set(2);
        set.Serialize(ar);
        EXPECT_TRUE(ar.HasFailed());
        EXPECT_EQ(set.GetCount(), 1u);
    }
    EXPECT_EQ(FCCountedObject::Alive(), alive);
}

TEST(FCArchiveTest, LoadingAppendsToPresentContentsAndReadsNothingForCountZero)
{
    FCArchive ar(LoadPath(U16(2) + U16(0) + U16(1) + U16(1) + Counted(8) + Str("x")), FCArchive::kLoad);
    FCObjectVector vector(1);
    vector.Append(new FCCountedObject(3));
    vector.Serialize(ar);
    EXPECT_EQ(vector.GetCount(), 1u);
    vector.Serialize(ar);
    EXPECT_EQ(Values(vector), (std::vector<std::int32_t>{3, 8}));
    EXPECT_EQ(vector.GetMode(), 1);
    std::string x;
    EXPECT_TRUE(ar.ReadString(x));
    EXPECT_EQ(x, "x");
}

TEST(FCArchiveTest, AContainerTooLargeToReadBackFailsTheStore)
{
    const std::string path = FCTestFiles::TempPath("archive-large.bin");
    QuietLog quiet;
    {
        FCObjectVector vector(0);
        for (int i = 0; i < 32768; ++i)
            vector.Append(nullptr);
        FCArchive ar(path, FCArchive::kStore);
        vector.Serialize(ar);
        EXPECT_TRUE(ar.HasFailed());
    }
    const Bytes bytes = FCTestFiles::ReadBytes(path);
    ASSERT_EQ(bytes.size(), 4u + 2u * 32767u) << "the stored form stays readable";
    EXPECT_EQ(bytes[2], 0xFF);
    EXPECT_EQ(bytes[3], 0x7F);
}

TEST(FCArchiveTest, OpeningAndModes)
{
    {
        CapturedLog log;
        FCArchive ar(FCTestFiles::TempPath("archive-mode2.bin"), 2);
        EXPECT_FALSE(ar.IsOpen());
        const std::string text = log.Text();
        EXPECT_NE(text.find("FCArchive.cpp["), std::string::npos);
        EXPECT_TRUE(text.ends_with("]: Invalid mode!\n")) << text;
    }
    EXPECT_FALSE(FCArchive(FCTestFiles::TempPath("no-such-file.bin"), FCArchive::kLoad).IsOpen());
    EXPECT_FALSE(FCArchive("", FCArchive::kLoad).IsOpen());
    EXPECT_FALSE(FCArchive("", FCArchive::kStore).IsOpen());

    const std::string path = LoadPath(Bytes(10, 0xAB));
    {
        FCArchive ar(path, FCArchive::kStore);
        EXPECT_TRUE(ar.IsOpen());
        EXPECT_EQ(ar.GetVersion(), 1);
    }
    EXPECT_TRUE(FCTestFiles::ReadBytes(path).empty()) << "storing starts a new empty file";

    QuietLog quiet;
    FCArchive closed(FCTestFiles::TempPath("no-such-file.bin"), FCArchive::kLoad);
    EXPECT_EQ(closed.ReadObject(), nullptr);
    EXPECT_TRUE(closed.HasFailed());
    FCArchive unwritable("", FCArchive::kStore);
    unwritable.WriteString("lost");
    EXPECT_TRUE(unwritable.HasFailed()) << "a write that went nowhere is reported";
}
