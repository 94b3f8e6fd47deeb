// Loads arbitrary bytes as an object archive: objects by class name, nested
// objects and all three container kinds.

#include "Fc/Core/FCArchive.h"
#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Core/FCDebugLog.h"
#include "Fc/Core/FCFile.h"
#include "Fc/Core/FCObject.h"
#include "Fc/Core/FCObjectMap.h"
#include "Fc/Core/FCObjectSet.h"
#include "Fc/Core/FCObjectVector.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace
{
// An object holding one container of each kind, so the inputs can nest.
class FuzzNode : public FCObject
{
public:
    FuzzNode()
    {
        list.SetMode(2);
        ordered.SetMode(1);
        keyed.SetMode(2);
    }
    void Serialize(FCArchive& ar) override
    {
        FCObject::Serialize(ar);
        if (ar.IsStoring())
            ar.WriteI32(value);
        else
            ar.ReadI32(value);
        list.Serialize(ar);
        ordered.Serialize(ar);
        keyed.Serialize(ar);
    }
    std::string GetClassName() const override { return "FuzzNode"; }
    FCObject* Clone() const override { return new FuzzNode(); }
    FCObject* CreateNew() const override { return new FuzzNode(); }
    bool IsLess(const FCObject& other) const override
    {
        return value < static_cast<const FuzzNode&>(other).value;
    }

    std::int32_t value = 0;
    FCObjectVector list;
    FCObjectSet ordered;
    FCObjectMap keyed;
};

std::string InputPath()
{
    static const std::string path =
        (std::filesystem::temp_directory_path() / ("fuzz-archive-" + std::to_string(::getpid()) + ".bin")).string();
    static const struct Remover
    {
        ~Remover() { std::remove(path.c_str()); }
    } remover;
    return path;
}
} // namespace

FC_REGISTER_CLASS(FuzzNode);

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static FCDebugLog quiet("", FCDebugLog::kOff);
    FCDebugLog::SetInstance(&quiet);

    {
        std::FILE* out = std::fopen(InputPath().c_str(), "wb");
        if (!out)
            return 0;
        std::fwrite(data, 1, size, out);
        std::fclose(out);
    }
    FCArchive ar(InputPath(), FCArchive::kLoad);
    if (!ar.IsOpen())
        return 0;
    if (FCObject* object = ar.ReadObject())
        object->Release();
    // Whatever follows the first object, as bare containers.
    FCObjectSet set(2);
    set.Serialize(ar);
    FCObjectMap map(1);
    map.Serialize(ar);
    std::string text;
    ar.ReadString(text);
    return 0;
}
