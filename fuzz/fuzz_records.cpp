// Loads arbitrary bytes as one database record of a class picked by the
// first byte, then checks that what loaded stores and reloads unchanged and
// that the record operations on loaded texts stay bounded.

#include "FuzzMemoryFile.h"

#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Core/FCDebugLog.h"
#include "Vel/Db/VelAlignmentInfo.h"
#include "Vel/Db/VelFeatureInfo.h"
#include "Vel/Db/VelFormat.h"
#include "Vel/Db/VelInfo.h"
#include "Vel/Db/VelRecordClasses.h"
#include "Vel/Db/VelSpellLevelInfo.h"

#include <cstdint>
#include <vector>

namespace
{
void Check(bool condition)
{
    if (!condition)
    {
        __builtin_trap();
    }
}

void Exercise(const VelInfo& record, std::int32_t value)
{
    if (const auto* feature = dynamic_cast<const VelFeatureInfo*>(&record))
    {
        // No database is loaded: the item and enemy kinds find nothing.
        Check(feature->FormatText(value).size() <= kVelFormatLimit);
        Check(feature->FormatName(value).size() <= feature->name.size() + kVelFormatLimit);
    }
    else if (const auto* alignment = dynamic_cast<const VelAlignmentInfo*>(&record))
    {
        Check(!alignment->IsCompatible(0xFFFF));
    }
    else if (const auto* level = dynamic_cast<const VelSpellLevelInfo*>(&record))
    {
        Check(!level->IsLess(*level));
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static FCDebugLog quiet("", FCDebugLog::kOff);
    FCDebugLog::SetInstance(&quiet);
    if (size < 1)
    {
        return 0;
    }
    const char* name = kVelRecordClasses[data[0] % kVelRecordClasses.size()];
    FuzzMemoryFile file(data + 1, size - 1);
    FCObject* object = FCClassRegistry::LoadObject(name, file);
    if (object == nullptr)
    {
        return 0;
    }
    const auto& record = static_cast<const VelInfo&>(*object);

    std::vector<std::uint8_t> stored;
    record.Store(stored);
    FuzzMemoryFile again(stored.data(), stored.size());
    FCObject* reloaded = FCClassRegistry::LoadObject(name, again);
    Check(reloaded != nullptr);
    Check(again.Tell() == stored.size());
    Check(static_cast<const VelInfo*>(reloaded)->Dump() == record.Dump());

    const std::int32_t value = size > 2 ? static_cast<std::int8_t>(data[1]) * 257 : 3;
    Exercise(record, value);

    reloaded->Release();
    object->Release();
    return 0;
}
