#pragma once

#include "Fc/Core/FCObject.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Base of every game-database record. A record is a plain bundle of fields
// read once from a database file and never changed afterwards. Concrete
// record classes derive through VelRecord (Vel/Db/VelRecord.h), which turns
// the class's one field description into Load, Store, Reset and Dump.
class VelFieldVisitor;

class VelInfo : public FCObject
{
public:
    VelInfo() = default;
    VelInfo(const VelInfo&) = default;
    VelInfo& operator=(const VelInfo&) = default;
    ~VelInfo() override;

    // A database makes and frees its records by the thousand: they come
    // from the block pool rather than the general allocator.
    static void* operator new(std::size_t size);
    static void operator delete(void* block, std::size_t size);

    // The base reads nothing; every record class reads its own fields.
    bool Load(FCFile& file) override;

    // Appends the record's Load data (without key and class name) to out:
    // exactly the bytes that Load reads back.
    virtual void Store(std::vector<std::uint8_t>& out) const;
    // Every field back to the class's default; the key is kept.
    virtual void Reset();
    // "field=value;" for every field in file order, for diagnostics and
    // for comparing two records in tests.
    virtual std::string Dump() const;
    // Visits every field in file order, writable; the base has none.
    virtual void VisitFields(VelFieldVisitor& visitor);
    // False when the loaded values break an invariant that the record's
    // table relies on (for example a strict order); such a record is
    // dropped by the database reader.
    virtual bool IsWellFormed() const;

    // Order shared by the records kept in ordered sets: key first, then the
    // record's second key, both compared as signed 16-bit values.
    static bool IsPairLess(std::int16_t key, std::int16_t second, std::int16_t otherKey,
                           std::int16_t otherSecond);
    // The short or display form when there is one, else the name.
    static const std::string& SelectDisplayName(const std::string& name,
                                                const std::string& displayName);

    // The section key the record was read under; -1 when it has none.
    std::int16_t key = -1;
};
