#include "Vel/Db/VelDatabase.h"

#include "Fc/Core/FCBytes.h"
#include "Fc/Core/FCClassRegistry.h"
#include "Fc/Core/FCDebugLog.h"
#include "Fc/Core/FCFile.h"
#include "Fc/Core/FCOwnership.h"
#include "Vel/Db/VelFieldReader.h"
#include "Vel/Db/VelMemoryFile.h"

#include <array>
#include <cstring>
#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

namespace
{
using Kind = VelDatabase::TableKind;

struct TagEntry
{
    std::uint16_t tag;
    Kind kind;
    // The one record class the table holds; null for the item table, which
    // holds the item kinds.
    const char* className;
};

// In teardown order.
constexpr std::array<TagEntry, 43> kTags = {{
    {100, Kind::kMap, "VelClassInfo"},
    {105, Kind::kMap, "VelRaceInfo"},
    {110, Kind::kMap, "VelAlignmentInfo"},
    {111, Kind::kSet, "VelClassAlignmentInfo"},
    {115, Kind::kPairMap, "VelHeightWeightInfo"},
    {120, Kind::kMap, "VelAgeInfo"},
    {125, Kind::kMap, "VelClassLevelInfo"},
    {130, Kind::kMap, "VelCarryInfo"},
    {135, Kind::kMap, "VelSizeInfo"},
    {140, Kind::kList, "VelRaceFeatureInfo"},
    {142, Kind::kSet, "VelRaceSkillInfo"},
    {145, Kind::kMap, "VelSkillInfo"},
    {146, Kind::kSet, "VelSubSkillInfo"},
    {150, Kind::kMap, "VelFeatInfo"},
    {205, Kind::kList, "VelFeatDependInfo"},
    {155, Kind::kMap, "VelLanguageInfo"},
    {160, Kind::kList, "VelSpokenLanguageInfo"},
    {165, Kind::kMap, "VelGodInfo"},
    {170, Kind::kMap, "VelDomainInfo"},
    {175, Kind::kSet, "VelGodDomainInfo"},
    {176, Kind::kSet, "VelGodRaceInfo"},
    {180, Kind::kMap, "VelSchoolInfo"},
    {185, Kind::kMap, nullptr},
    {210, Kind::kMap, "VelSpellInfo"},
    {215, Kind::kSet, "VelSpellsPerInfo"},
    {220, Kind::kSet, "VelSpellsPerInfo"},
    {225, Kind::kSet, "VelSpellLevelInfo"},
    {240, Kind::kList, "VelProfWeaponInfo"},
    {250, Kind::kMap, "VelAnimalInfo"},
    {255, Kind::kSet, "VelAnimalAttackInfo"},
    {260, Kind::kSet, "VelAnimalSkillInfo"},
    {265, Kind::kList, "VelAnimalFeatureInfo"},
    {270, Kind::kList, "VelNameInfo"},
    {275, Kind::kMap, "VelFeatureInfo"},
    {280, Kind::kList, "VelClassFeatureInfo"},
    {285, Kind::kMap, "VelEnemyInfo"},
    {290, Kind::kList, "VelMountInfo"},
    {295, Kind::kList, "VelMountInfo"},
    {300, Kind::kList, "VelFamiliarFeatureInfo"},
    {305, Kind::kSet, "VelDomainSkillInfo"},
    {310, Kind::kList, "VelGodDomainFeatInfo"},
    {315, Kind::kSet, "VelSpecialCostInfo"},
    {320, Kind::kSet, "VelSpecialCostInfo"},
}};

constexpr std::array<const char*, 5> kItemClasses = {
    "VelWeaponInfo", "VelArmorInfo", "VelShieldInfo", "VelGoodsInfo", "VelMagicItemInfo",
};

constexpr std::array<std::uint16_t, 47> kAllTags = {
    100, 105, 110, 111, 115, 120, 125, 130, 135, 140, 142, 145, 146, 150, 205, 155,
    160, 165, 170, 175, 176, 180, 185, 190, 195, 200, 202, 210, 215, 220, 225, 240,
    250, 255, 260, 265, 270, 275, 280, 285, 290, 295, 300, 305, 310, 315, 320,
};

constexpr std::uint16_t kFirstTag = 100;
constexpr std::uint16_t kLastTag = 320;
constexpr std::int8_t kNoSlot = -1;

bool IsItemSectionTag(std::uint16_t tag)
{
    return tag == VelDatabase::kTagItem || tag == VelDatabase::kTagItem190 ||
           tag == VelDatabase::kTagItem195 || tag == VelDatabase::kTagItem200 ||
           tag == VelDatabase::kTagItem202;
}

// Slot index by tag, for constant-time lookups; the item sections all share
// the slot of tag 185.
constexpr std::array<std::int8_t, kLastTag - kFirstTag + 1> MakeSlotIndex()
{
    std::array<std::int8_t, kLastTag - kFirstTag + 1> index{};
    for (auto& slot : index)
    {
        slot = kNoSlot;
    }
    std::int8_t itemSlot = kNoSlot;
    for (std::size_t i = 0; i < kTags.size(); ++i)
    {
        index[kTags[i].tag - kFirstTag] = static_cast<std::int8_t>(i);
        if (kTags[i].tag == VelDatabase::kTagItem)
        {
            itemSlot = static_cast<std::int8_t>(i);
        }
    }
    for (std::uint16_t tag : {VelDatabase::kTagItem190, VelDatabase::kTagItem195,
                              VelDatabase::kTagItem200, VelDatabase::kTagItem202})
    {
        index[tag - kFirstTag] = itemSlot;
    }
    return index;
}
constexpr auto kSlotIndex = MakeSlotIndex();

int SlotOf(std::uint16_t tag)
{
    if (tag < kFirstTag || tag > kLastTag)
    {
        return kNoSlot;
    }
    return kSlotIndex[tag - kFirstTag];
}

// One table: only the container of the slot's kind is ever set.
struct Table
{
    std::unique_ptr<FCObjectMap> map;
    std::unique_ptr<FCObjectSet> set;
    std::unique_ptr<FCObjectVector> list;
    std::unique_ptr<FCObjectPairMap> pairs;

    bool Exists() const { return map || set || list || pairs; }
    void Reset()
    {
        map.reset();
        set.reset();
        list.reset();
        pairs.reset();
    }
    // A fresh, empty table of the kind; the table it replaces releases its
    // records.
    void Create(Kind kind)
    {
        Reset();
        switch (kind)
        {
        case Kind::kMap: map = std::make_unique<FCObjectMap>(FCOwnership::kRefCounted); break;
        case Kind::kSet: set = std::make_unique<FCObjectSet>(FCOwnership::kRefCounted); break;
        case Kind::kList: list = std::make_unique<FCObjectVector>(FCOwnership::kRefCounted); break;
        case Kind::kPairMap: pairs = std::make_unique<FCObjectPairMap>(FCOwnership::kRefCounted); break;
        }
    }
};

std::array<Table, kTags.size()> g_tables;

bool IsClassOfTable(const TagEntry& entry, const std::string& className)
{
    if (entry.className)
    {
        return className == entry.className;
    }
    for (const char* itemClass : kItemClasses)
    {
        if (className == itemClass)
        {
            return true;
        }
    }
    return false;
}

enum class RecordResult : std::uint8_t
{
    kRead,    // a record of the table's class, ready to store
    kDropped, // read completely but not storable; the section goes on
    kFailed,  // the file cannot be read any further
};

// The class last met in a section: records of a section nearly always share
// one class, so its name is compared instead of looked up again.
struct ClassCache
{
    std::string lastName;
    // lastName as a file stores it: count, text, NUL. Any bytes equal to
    // these read back as lastName.
    std::vector<std::uint8_t> storedName;
    const VelInfo* prototype = nullptr;
    bool belongsToTable = false;
    std::string name; // read buffer, reused so that reading a name allocates nothing

    void Remember(const std::string& className)
    {
        lastName = className;
        // A name that was read back is never longer than the 16-bit count allows.
        storedName.resize(2);
        FCBytes::WriteU16(storedName.data(), static_cast<std::uint16_t>(className.size() + 1));
        storedName.insert(storedName.end(), className.begin(), className.end());
        storedName.push_back(0);
    }
};

// Reads one record object: the class name, then the clone's Load data.
RecordResult ReadRecord(FCFile& file, VelFieldReader& reader, const TagEntry& entry, ClassCache& cache,
                        VelInfo*& record)
{
    record = nullptr;
    // The usual case, the class of the record before, is recognised in
    // place without reading the name.
    const bool sameClass = cache.prototype && reader.SkipBytes(cache.storedName);
    if (!sameClass)
    {
        reader("className", cache.name);
        if (!reader.IsOk())
        {
            FC_LOG("Table %u: short record class name\n", static_cast<unsigned>(entry.tag));
            return RecordResult::kFailed;
        }
    }
    if (!sameClass && (!cache.prototype || cache.name != cache.lastName))
    {
        cache.prototype = dynamic_cast<const VelInfo*>(FCClassRegistry::Find(cache.name));
        if (!cache.prototype)
        {
            // Records carry no length: the rest of the file cannot be found.
            FC_LOG("Table %u: unknown record class \"%.64s\"\n", static_cast<unsigned>(entry.tag),
                   cache.name.c_str());
            return RecordResult::kFailed;
        }
        cache.Remember(cache.name);
        cache.belongsToTable = IsClassOfTable(entry, cache.name);
    }
    const std::string& className = cache.lastName;
    VelInfo* loaded = static_cast<VelInfo*>(cache.prototype->Clone());
    if (!loaded->Load(file))
    {
        FC_LOG("Table %u: short %s record\n", static_cast<unsigned>(entry.tag), className.c_str());
        loaded->Release();
        return RecordResult::kFailed;
    }
    if (!cache.belongsToTable)
    {
        FC_LOG("Table %u: %s record does not belong here, dropped\n", static_cast<unsigned>(entry.tag),
               className.c_str());
        loaded->Release();
        return RecordResult::kDropped;
    }
    if (!loaded->IsWellFormed())
    {
        FC_LOG("Table %u: malformed %s record, dropped\n", static_cast<unsigned>(entry.tag),
               className.c_str());
        loaded->Release();
        return RecordResult::kDropped;
    }
    record = loaded;
    return RecordResult::kRead;
}

void Store(Table& table, VelInfo* record, std::int16_t key, std::int16_t second)
{
    if (table.pairs)
    {
        table.pairs->Insert(record, FCObjectKeyPair{key, second});
    }
    else
    {
        record->key = key;
        if (table.map)
        {
            table.map->Insert(record, key);
        }
        else if (table.set)
        {
            // An equal record already stored wins; the refused one goes with
            // the reader's reference below.
            table.set->Insert(record);
        }
        else
        {
            table.list->Append(record);
        }
    }
    record->Release();
}
} // namespace

namespace VelDatabase
{
namespace
{
bool ParseSections(FCFile& file, std::string_view fileName)
{
    const std::string name(fileName.substr(0, 200));
    for (;;)
    {
        std::uint8_t tagBytes[2];
        if (file.ReadSome(tagBytes, sizeof tagBytes) != sizeof tagBytes)
        {
            FC_LOG("Database %s ends without its end mark\n", name.c_str());
            return false;
        }
        const std::uint16_t tag = FCBytes::ReadU16(tagBytes);
        if (tag == 0)
        {
            return true;
        }
        if (!ReadTable(file, tag))
        {
            FC_LOG("Database %s: reading stopped in table %u\n", name.c_str(), static_cast<unsigned>(tag));
            return false;
        }
    }
}

// Database files are read whole when they are no larger than this, so the
// records decode from memory; a larger one is read as a stream.
constexpr std::uint32_t kMaxInMemory = 64u << 20;
} // namespace

bool ParseStream(FCFile& file, std::string_view fileName)
{
    if (typeid(file) == typeid(VelMemoryFile))
    {
        return ParseSections(file, fileName);
    }
    const std::uint32_t start = file.Tell();
    const std::uint32_t size = file.GetSize();
    if (size == FCFile::kInvalidPosition || size < start || size - start > kMaxInMemory)
    {
        return ParseSections(file, fileName);
    }
    // Not zeroed first: the read fills it, and only what it read is used.
    auto bytes = std::make_unique_for_overwrite<std::uint8_t[]>(size - start);
    const std::uint32_t count = file.ReadSome(bytes.get(), size - start);
    VelMemoryFile memory(std::move(bytes), count);
    const bool complete = ParseSections(memory, fileName);
    // Leave the file where the reading stopped, as a stream reader would.
    file.SeekTo(start + memory.Tell());
    return complete;
}

bool ParseFile(const std::string& path)
{
    FCFile file;
    if (!file.Open(path.c_str(), FCFile::kAccessRead, FCFile::kOpenExisting, FCFile::kShareRead))
    {
        return false;
    }
    const bool complete = ParseStream(file, path);
    file.Close();
    return complete;
}

bool ReadTable(FCFile& file, std::uint16_t tag)
{
    const int slot = SlotOf(tag);
    if (slot == kNoSlot)
    {
        FC_LOG("Unknown table %u\n", static_cast<unsigned>(tag));
        return false;
    }
    const TagEntry& entry = kTags[static_cast<std::size_t>(slot)];
    Table& table = g_tables[static_cast<std::size_t>(slot)];
    // All item sections fill the one item table, whatever their order; any
    // other table read again starts afresh.
    if (!IsItemSectionTag(tag) || !table.Exists())
    {
        table.Create(entry.kind);
    }
    ClassCache cache;
    VelFieldReader reader(file);
    for (;;)
    {
        std::int16_t key = 0;
        reader("key", key);
        if (!reader.IsOk())
        {
            FC_LOG("Table %u ends without its end mark\n", static_cast<unsigned>(tag));
            return false;
        }
        if (key < 0)
        {
            return true;
        }
        std::int16_t second = 0;
        if (entry.kind == Kind::kPairMap)
        {
            reader("second", second);
        }
        if (!reader.IsOk())
        {
            FC_LOG("Table %u: short pair key\n", static_cast<unsigned>(tag));
            return false;
        }
        VelInfo* record = nullptr;
        switch (ReadRecord(file, reader, entry, cache, record))
        {
        case RecordResult::kFailed: return false;
        case RecordResult::kDropped: continue;
        case RecordResult::kRead: Store(table, record, key, second); break;
        }
    }
}

void Clear()
{
    for (Table& table : g_tables)
    {
        table.Reset();
    }
}

const char* GetTableClassName(std::uint16_t tag)
{
    const int slot = SlotOf(tag);
    return slot == kNoSlot ? nullptr : kTags[static_cast<std::size_t>(slot)].className;
}

std::span<const char* const> GetItemClassNames() { return kItemClasses; }

bool GetTableKind(std::uint16_t tag, TableKind& kind)
{
    const int slot = SlotOf(tag);
    if (slot == kNoSlot)
    {
        return false;
    }
    kind = kTags[static_cast<std::size_t>(slot)].kind;
    return true;
}

std::span<const std::uint16_t> GetTableTags() { return kAllTags; }

FCObjectMap* GetMap(std::uint16_t tag)
{
    const int slot = SlotOf(tag);
    return slot == kNoSlot ? nullptr : g_tables[static_cast<std::size_t>(slot)].map.get();
}

FCObjectSet* GetSet(std::uint16_t tag)
{
    const int slot = SlotOf(tag);
    return slot == kNoSlot ? nullptr : g_tables[static_cast<std::size_t>(slot)].set.get();
}

FCObjectVector* GetList(std::uint16_t tag)
{
    const int slot = SlotOf(tag);
    return slot == kNoSlot ? nullptr : g_tables[static_cast<std::size_t>(slot)].list.get();
}

FCObjectPairMap* GetPairMap(std::uint16_t tag)
{
    const int slot = SlotOf(tag);
    return slot == kNoSlot ? nullptr : g_tables[static_cast<std::size_t>(slot)].pairs.get();
}

VelInfo* FindInMap(std::uint16_t tag, std::uint16_t key)
{
    const FCObjectMap* map = GetMap(tag);
    return map ? static_cast<VelInfo*>(map->Find(static_cast<std::int16_t>(key))) : nullptr;
}

VelInfo* FindInSet(std::uint16_t tag, const VelInfo& probe)
{
    const FCObjectSet* set = GetSet(tag);
    return set ? static_cast<VelInfo*>(set->Find(probe)) : nullptr;
}

VelInfo* FindInPairMap(std::uint16_t tag, std::uint16_t key, std::uint16_t second)
{
    const FCObjectPairMap* pairs = GetPairMap(tag);
    return pairs ? static_cast<VelInfo*>(pairs->Find(FCObjectKeyPair{static_cast<std::int16_t>(key),
                                                                      static_cast<std::int16_t>(second)}))
                 : nullptr;
}
} // namespace VelDatabase
