#include "Fc/Core/FCFileName.h"

#include <gtest/gtest.h>

namespace
{
struct NameCase
{
    const char* path;
    const char* baseName;
    const char* extension;
};

const NameCase kNameCases[] = {
    {"portrait.jpg", "portrait", ".jpg"},
    {"Art\\Panels\\frame.v2.BMP", "frame.v2", ".BMP"},
    {"Art/Panels/frame.bmp", "frame", ".bmp"},
    {"C:backdrop.jpg", "backdrop", ".jpg"},
    {"README", "README", ""},
    // A dot in a folder name must not be taken for the file's extension.
    {"old.art\\readme", "readme", ""},
    {"old.art/readme", "readme", ""},
    {"pak.v1\\Art\\", "", ""},
    {".hidden", "", ".hidden"},
    {"name.", "name", "."},
    {"", "", ""},
};

TEST(FCFileNameTest, BaseNameAndExtension)
{
    for (const NameCase& c : kNameCases)
    {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(GetFileBaseName(c.path), c.baseName);
        EXPECT_EQ(GetFileExtension(c.path), c.extension);
    }
}
} // namespace
