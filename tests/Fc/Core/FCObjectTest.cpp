#include "Fc/Core/FCArchive.h"
#include "Fc/Core/FCObject.h"
#include "support/FCTestObjects.h"

#include <gtest/gtest.h>

TEST(FCObjectTest, NewAndCopiedObjectsStartWithOneReference)
{
    FCObject* source = new FCObject();
    EXPECT_EQ(source->GetRefCount(), 1);
    source->SetTypeCode(0x1234);
    source->SetSecondWord(0xBEEF);
    source->AddRef();
    source->AddRef();
    FCObject* copy = source->Clone();
    EXPECT_EQ(copy->GetRefCount(), 1) << "a copy must not share the source's references";
    EXPECT_EQ(copy->GetTypeCode(), 0x1234);
    EXPECT_EQ(copy->GetSecondWord(), 0xBEEF);
    EXPECT_NE(copy, source);

    FCObject* fresh = source->CreateNew();
    EXPECT_EQ(fresh->GetTypeCode(), 1) << "CreateNew starts from the default constructor";
    fresh->Release();
    copy->Release();
    source->Release();
    source->Release();
    source->Release();
}

TEST(FCObjectTest, LastReleaseDestroysTheMostDerivedObject)
{
    const int aliveBefore = FCCountedObject::Alive();
    FCObject* object = new FCCountedObject(5);
    object->AddRef();
    object->Release();
    EXPECT_EQ(FCCountedObject::Alive(), aliveBefore + 1);
    EXPECT_EQ(object->GetRefCount(), 1);
    object->Release();
    EXPECT_EQ(FCCountedObject::Alive(), aliveBefore);
}

TEST(FCObjectTest, SerializeStoresBothWordsAndLoadReplacesThem)
{
    const std::string path = FCTestFiles::TempPath("object-words.bin");
    {
        FCArchive ar(path, FCArchive::kStore);
        FCObject object;
        object.SetTypeCode(0x0302);
        object.SetSecondWord(0x0504);
        object.Serialize(ar);
    }
    EXPECT_EQ(FCTestFiles::ReadBytes(path), (std::vector<std::uint8_t>{0x02, 0x03, 0x04, 0x05}));

    FCArchive ar(path, FCArchive::kLoad);
    FCObject loaded;
    loaded.Serialize(ar);
    EXPECT_EQ(loaded.GetTypeCode(), 0x0302) << "the stored type code replaces the constructor's";
    EXPECT_EQ(loaded.GetSecondWord(), 0x0504);
    EXPECT_FALSE(ar.HasFailed());
}

TEST(FCObjectTest, ObjectAsFindsExactAndDerivedTypesOnly)
{
    struct Derived : FCCountedObject
    {
        Derived() : FCCountedObject(1) {}
    };
    const FCCountedObject exact(2);
    const Derived derived;
    const FCTestNode other;
    const FCObject plain;

    EXPECT_EQ(FCObjectAs<FCCountedObject>(exact), &exact);
    EXPECT_EQ(FCObjectAs<FCCountedObject>(derived), static_cast<const FCCountedObject*>(&derived))
        << "a derived object is still one";
    EXPECT_EQ(FCObjectAs<FCCountedObject>(other), nullptr);
    EXPECT_EQ(FCObjectAs<FCCountedObject>(plain), nullptr);
    EXPECT_EQ(FCObjectAs<FCObject>(other), &other);
}
