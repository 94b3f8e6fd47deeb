#pragma once

#include "Fc/Core/FCBlockPool.h"
#include "Vel/Db/VelFieldDump.h"
#include "Vel/Db/VelFieldReader.h"
#include "Vel/Db/VelFieldVisitor.h"
#include "Vel/Db/VelFieldWriter.h"
#include "Vel/Db/VelInfo.h"

#include <cstdint>
#include <string>
#include <vector>

// The boilerplate of a record class, generated from its one field list.
// A record class derives as
//
//     class VelSkillInfo : public VelRecord<VelSkillInfo>
//     {
//     public:
//         static constexpr const char* kClassName = "VelSkillInfo";
//         template <class V> void Fields(V& v) { v("name", name); ... }
//         std::string name;
//         ...
//     };
//
// and registers itself with FC_REGISTER_CLASS(VelSkillInfo) in its .cpp.
// Optional members picked up when present:
//   - `std::uint16_t GetSecondKey() const` makes the class ordered by the
//     shared pair order (key, then that value, both signed) for sets; such
//     a class also has a search constructor (u16 key, u16 second);
//   - `void AfterLoad()` runs once the fields have been read;
//   - an override of IsWellFormed() lets the reader drop a bad record.
// Base is VelInfo, or another record class (the item kinds derive from
// VelItemInfo); a derived class's Fields lists the base's fields too, in
// file order.
template <class Derived, class Base = VelInfo>
class VelRecord : public Base
{
public:
    std::string GetClassName() const override { return Derived::kClassName; }
    std::string GetTypeName() const override { return Derived::kClassName; }
    FCObject* Clone() const override
    {
        // Records come from the block pool (VelInfo::operator new).
        static_assert(alignof(Derived) <= FCBlockPool::kGranule);
        return new Derived(Self());
    }
    FCObject* CreateNew() const override { return new Derived(); }

    bool Load(FCFile& file) override
    {
        VelFieldReader reader(file);
        Self().Fields(reader);
        if (!reader.IsOk())
        {
            return false;
        }
        if constexpr (requires(Derived& record) { record.AfterLoad(); })
        {
            Self().AfterLoad();
        }
        return true;
    }

    void Store(std::vector<std::uint8_t>& out) const override
    {
        VelFieldWriter writer(out);
        // The writer only reads the members; Fields is one template for all
        // visitors, hence not const.
        const_cast<Derived&>(Self()).Fields(writer);
    }

    std::string Dump() const override
    {
        std::string out;
        VelFieldDump dump(out);
        const_cast<Derived&>(Self()).Fields(dump);
        return out;
    }

    void VisitFields(VelFieldVisitor& visitor) override { Self().Fields(visitor); }

    void Reset() override
    {
        const std::int16_t key = this->key;
        Self() = Derived();
        this->key = key;
    }

    bool IsLess(const FCObject& other) const override
    {
        if constexpr (requires(const Derived& record) { record.GetSecondKey(); })
        {
            // The database keeps one class per table, so a set only ever
            // compares records of its own class.
            const Derived& that = static_cast<const Derived&>(other);
            return VelInfo::IsPairLess(this->key, static_cast<std::int16_t>(Self().GetSecondKey()),
                                       that.key, static_cast<std::int16_t>(that.GetSecondKey()));
        }
        else
        {
            return Base::IsLess(other);
        }
    }

protected:
    Derived& Self() { return static_cast<Derived&>(*this); }
    const Derived& Self() const { return static_cast<const Derived&>(*this); }
};
