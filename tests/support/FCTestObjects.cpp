#include "support/FCTestObjects.h"

#include "Fc/Core/FCArchive.h"
#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Core/FCFile.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

FC_REGISTER_CLASS(FCCountedObject);
FC_REGISTER_CLASS(FCTestNode);

namespace
{
int g_alive = 0;
int g_destroyed = 0;
} // namespace

FCCountedObject::FCCountedObject() { ++g_alive; }
FCCountedObject::FCCountedObject(std::int32_t v) : value(v) { ++g_alive; }
FCCountedObject::FCCountedObject(const FCCountedObject& other) : FCObject(other), value(other.value)
{
    ++g_alive;
}
FCCountedObject::~FCCountedObject()
{
    --g_alive;
    ++g_destroyed;
}

void FCCountedObject::Serialize(FCArchive& ar)
{
    FCObject::Serialize(ar);
    if (ar.IsStoring())
        ar.WriteI32(value);
    else
        ar.ReadI32(value);
}

std::string FCCountedObject::GetClassName() const { return "FCCountedObject"; }
FCObject* FCCountedObject::Clone() const { return new FCCountedObject(*this); }
FCObject* FCCountedObject::CreateNew() const { return new FCCountedObject(); }
bool FCCountedObject::Load(FCFile& file) { return file.ReadI32(value); }

bool FCCountedObject::IsLess(const FCObject& other) const
{
    return value < static_cast<const FCCountedObject&>(other).value;
}

int FCCountedObject::Alive() { return g_alive; }
int FCCountedObject::Destroyed() { return g_destroyed; }
void FCCountedObject::ResetCounts() { g_destroyed = 0; }

void FCTestNode::Serialize(FCArchive& ar)
{
    FCObject::Serialize(ar);
    if (ar.IsStoring())
        ar.WriteI32(value);
    else
        ar.ReadI32(value);
    children.Serialize(ar);
}

std::string FCTestNode::GetClassName() const { return "FCTestNode"; }
FCObject* FCTestNode::CreateNew() const { return new FCTestNode(); }

FCObject* FCTestNode::Clone() const
{
    // The prototype has no children; a clone starts with none.
    auto* copy = new FCTestNode(value);
    copy->typeCode = typeCode;
    copy->secondWord = secondWord;
    return copy;
}

bool FCTestNode::Load(FCFile& file)
{
    std::int16_t count = 0;
    if (!file.ReadI32(value) || !file.ReadI16(count) || count < 0)
        return false;
    for (std::int16_t i = 0; i < count; ++i)
    {
        FCObject* child = FCClassRegistry::ReadObject(file);
        if (!child)
            return false;
        children.Append(child);
        child->Release();
    }
    return true;
}

namespace FCTestFiles
{
namespace
{
// Removes this process's folder at exit; a forked child (death tests) has
// a folder of its own and leaves its parent's alone.
struct TempFolder
{
    std::filesystem::path path;
    pid_t owner = 0;
    ~TempFolder()
    {
        if (owner == ::getpid())
        {
            std::error_code ignored;
            std::filesystem::remove_all(path, ignored);
        }
    }
};
} // namespace

std::string TempPath(const std::string& name)
{
    static TempFolder folder;
    if (folder.owner != ::getpid())
    {
        folder.path = std::filesystem::temp_directory_path() / ("stavelorn-test-" + std::to_string(::getpid()));
        folder.owner = ::getpid();
        std::filesystem::create_directories(folder.path);
    }
    return (folder.path / name).string();
}

void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::uint8_t> ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
} // namespace FCTestFiles
