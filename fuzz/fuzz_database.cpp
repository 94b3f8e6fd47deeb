// Feeds arbitrary bytes to the rules-database reader, both from memory and
// through the general stream path, then walks whatever was loaded.

#include "Fc/Core/FCDebugLog.h"
#include "Vel/Db/VelDatabase.h"
#include "Vel/Db/VelFormat.h"
#include "Vel/Db/VelInfo.h"
#include "Vel/Db/VelMemoryFile.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace
{
// Not the exact memory-file type, so the reader takes its field-by-field path.
class StreamFile : public VelMemoryFile
{
public:
    using VelMemoryFile::VelMemoryFile;
};

void TouchEveryRecord()
{
    for (const std::uint16_t tag : VelDatabase::GetTableTags())
    {
        VelDatabase::ForEach<VelInfo>(tag, [](const VelInfo& record) { (void)record.Dump(); });
        if (FCObjectMap* map = VelDatabase::GetMap(tag))
        {
            FCObject* object = nullptr;
            FCObjectMap::Cursor walk = map->First();
            while (map->GetNext(object, &walk))
            {
                (void)static_cast<VelInfo*>(object)->Dump();
            }
        }
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static FCDebugLog quiet("", FCDebugLog::kOff);
    static const bool installed = (FCDebugLog::SetInstance(&quiet), true);
    (void)installed;

    const std::vector<std::uint8_t> bytes(data, data + size);
    {
        VelMemoryFile file(bytes);
        VelDatabase::ParseStream(file, "fuzz");
        TouchEveryRecord();
        VelDatabase::Clear();
    }
    {
        StreamFile file(bytes);
        VelDatabase::ParseStream(file, "fuzz");
        TouchEveryRecord();
        VelDatabase::Clear();
    }
    // Database texts end up as formats of the feature texts.
    const std::string text(reinterpret_cast<const char*>(data), size);
    (void)VelFormat(text, {static_cast<std::int32_t>(size), -1});
    return 0;
}
