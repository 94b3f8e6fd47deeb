#include "Fc/Core/FCArchive.h"
#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Core/FCDebugLog.h"
#include "Fc/Core/FCFile.h"
#include "Fc/Core/FCFileSystem.h"
#include "Fc/Core/FCObject.h"
#include "support/ArchiveBytes.h"
#include "support/FCTestObjects.h"
#include "support/QuietLog.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>


// Catches a class registered under a name other than its own, or one whose
// CreateNew or Clone builds the wrong class.
TEST(FCClassRegistryTest, EveryRegisteredClassCanBeCreatedByName)
{
    const std::vector<std::string> names = FCClassRegistry::GetRegisteredNames();
    ASSERT_FALSE(names.empty());
    for (const std::string& name : names)
    {
        SCOPED_TRACE(name);
        FCObject* prototype = FCClassRegistry::Find(name);
        ASSERT_NE(prototype, nullptr);
        EXPECT_EQ(prototype->GetRefCount(), 1) << "the registry holds the only reference";
        EXPECT_EQ(prototype->GetClassName(), name);
        EXPECT_EQ(prototype->GetTypeName(), name);

        FCObject* created = FCClassRegistry::CreateByName(name);
        ASSERT_NE(created, nullptr);
        EXPECT_NE(created, prototype);
        EXPECT_EQ(created->GetRefCount(), 1);
        EXPECT_EQ(created->GetClassName(), name);
        FCObject* clone = prototype->Clone();
        ASSERT_NE(clone, nullptr);
        EXPECT_EQ(clone->GetClassName(), name);
        clone->Release();
        created->Release();
    }
}

TEST(FCClassRegistryTest, FindIsExactAndUnknownNamesGiveNull)
{
    EXPECT_NE(FCClassRegistry::Find("FCObject"), nullptr);
    for (const char* name : {"", "fcobject", "FCObject ", "FCObj", "NoSuchClass"})
    {
        SCOPED_TRACE(name);
        EXPECT_EQ(FCClassRegistry::Find(name), nullptr);
        EXPECT_EQ(FCClassRegistry::CreateByName(name), nullptr);
    }
    FCObject* object = FCClassRegistry::CreateByName("FCObject");
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->GetTypeCode(), 1);
    object->Release();
}

// Registration is for good; probe it in a child so the names stay out of
// the other tests.
TEST(FCClassRegistryTest, RegisterTakesOverTheReferenceAndReplacesByName)
{
    EXPECT_EXIT(
        {
            QuietLog quiet;
            const int aliveBefore = FCCountedObject::Alive();
            FCObject* first = FCClassRegistry::Register("RegistryTestPrototype", new FCCountedObject(1));
            bool ok = first->GetRefCount() == 1 && FCClassRegistry::Find("RegistryTestPrototype") == first;
            FCObject* second = FCClassRegistry::Register("RegistryTestPrototype", new FCCountedObject(2));
            ok = ok && FCClassRegistry::Find("RegistryTestPrototype") == second &&
                 FCCountedObject::Alive() == aliveBefore + 1; // the replaced one is released
            ok = ok && FCClassRegistry::Register("Nothing", nullptr) == nullptr &&
                 FCClassRegistry::Find("Nothing") == nullptr;
            std::exit(ok ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(FCClassRegistryTest, LoadObjectClonesThePrototypeAndReadsItsPayload)
{
    const std::vector<std::uint8_t> bytes = ArchiveBytes()
                                                .Str("FCCountedObject")
                                                .U32(static_cast<std::uint32_t>(-7))
                                                .Str("Unknown")
                                                .U32(99)
                                                .Str("FCCountedObject")
                                                .U8(1) // a payload cut short
                                                .bytes;
    const std::string path = FCTestFiles::TempPath("registry-load.bin");
    FCTestFiles::WriteBytes(path, bytes);

    QuietLog quiet;
    const int aliveBefore = FCCountedObject::Alive();
    FCFile file;
    ASSERT_TRUE(file.Open(path.c_str(), FCFile::kAccessRead, FCFile::kOpenExisting, FCFile::kShareRead));
    FCObject* loaded = FCClassRegistry::ReadObject(file);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(static_cast<FCCountedObject*>(loaded)->value, -7);
    EXPECT_EQ(loaded->GetRefCount(), 1);
    loaded->Release();

    const std::uint32_t firstRecord = 2 + 16 + 4;
    EXPECT_EQ(FCClassRegistry::ReadObject(file), nullptr);
    EXPECT_EQ(file.Tell(), firstRecord + 2 + 8) << "an unknown class reads nothing past its name";
    file.SeekRelative(4);
    EXPECT_EQ(FCClassRegistry::ReadObject(file), nullptr) << "a short payload gives no object";
    EXPECT_EQ(FCCountedObject::Alive(), aliveBefore) << "the half-loaded clone is destroyed";
}

TEST(FCClassRegistryTest, NestingDeeperThanTheLimitIsRefused)
{
    auto nested = [](int levels) {
        ArchiveBytes bytes;
        for (int i = 0; i < levels; ++i)
            bytes.Str("FCTestNode").U32(static_cast<std::uint32_t>(i)).U16(i + 1 < levels ? 1 : 0);
        return bytes.bytes;
    };
    QuietLog quiet;
    for (const auto& [levels, loads] : {std::pair{FCClassRegistry::kMaxDepth, true},
                                        std::pair{FCClassRegistry::kMaxDepth + 1, false},
                                        std::pair{5000, false}})
    {
        SCOPED_TRACE(levels);
        const std::string path = FCTestFiles::TempPath("registry-nested.bin");
        FCTestFiles::WriteBytes(path, nested(levels));
        FCFile file;
        ASSERT_TRUE(file.Open(path.c_str(), FCFile::kAccessRead, FCFile::kOpenExisting, FCFile::kShareRead));
        FCObject* root = FCClassRegistry::ReadObject(file);
        EXPECT_EQ(root != nullptr, loads);
        if (root)
            root->Release();
    }
}

// The instance's destruction disposes of every prototype, which would leave
// this process without classes; run it in a child.
TEST(FCClassRegistryTest, DestroyingTheInstanceDisposesOfThePrototypes)
{
    EXPECT_EXIT(
        {
            FCClassRegistry::Register("DisposalProbe", new FCCountedObject(3));
            const int alive = FCCountedObject::Alive();
            auto* registry = new FCClassRegistry();
            const bool recorded = FCClassRegistry::GetInstance() == registry;
            registry->Release();
            const bool ok = recorded && FCClassRegistry::GetInstance() == nullptr &&
                            FCCountedObject::Alive() < alive &&
                            FCClassRegistry::Find("FCObject") == nullptr &&
                            FCClassRegistry::GetRegisteredNames().empty();
            std::exit(ok ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(FCClassRegistryTest, LoadObjectFromFileFindsDataFilesThroughTheFileSystem)
{
    const std::filesystem::path root = FCTestFiles::TempPath("registry-root");
    std::filesystem::create_directories(root / "UI");
    FCTestFiles::WriteBytes((root / "UI" / "good.ui").string(), ArchiveBytes().Str("FCCountedObject").U32(42).bytes);
    FCTestFiles::WriteBytes((root / "UI" / "unknown.ui").string(), ArchiveBytes().Str("NoSuchClass").U32(1).bytes);

    QuietLog quiet;
    EXPECT_EQ(FCClassRegistry::LoadObjectFromFile("good.ui"), nullptr) << "no file system yet";
    {
        FCFileSystem fileSystem;
        fileSystem.SetSearchMode(FCFileSystem::kLooseOnly);
        fileSystem.SetRootPath(root.string());
        fileSystem.AddSearchDirectory("UI");

        FCObject* loaded = FCClassRegistry::LoadObjectFromFile("good.ui");
        ASSERT_NE(loaded, nullptr);
        EXPECT_EQ(static_cast<FCCountedObject*>(loaded)->value, 42);
        loaded->Release();
        EXPECT_EQ(FCClassRegistry::LoadObjectFromFile("missing.ui"), nullptr);
        EXPECT_EQ(FCClassRegistry::LoadObjectFromFile("unknown.ui"), nullptr);
    }
}
