#include "Vel/Character/VelCharacterSpell.h"

#include "Fc/Core/FCArchive.h"
#include "Fc/Core/FCClassRegistry.h"

#include <utility>

FC_REGISTER_CLASS(VelCharacterSpell);

VelCharacterSpell::VelCharacterSpell(std::uint16_t spellId, std::uint16_t classId)
    : spellId(spellId), classId(classId)
{
}

VelCharacterSpell::~VelCharacterSpell() = default;

void VelCharacterSpell::Serialize(FCArchive& ar)
{
    FCObject::Serialize(ar);
    if (ar.IsStoring())
    {
        ar.WriteU16(spellId);
        ar.WriteU16(classId);
        ar.WriteI16(thirdKey);
        ar.WriteI16(spellLevel);
        ar.WriteU32(extra);
        return;
    }
    ar.ReadU16(spellId);
    ar.ReadU16(classId);
    ar.ReadI16(thirdKey);
    ar.ReadI16(spellLevel);
    ar.ReadU32(extra);
}

bool VelCharacterSpell::IsLess(const FCObject& other) const
{
    const auto* that = FCObjectAs<VelCharacterSpell>(other);
    if (!that)
    {
        return GetClassName() < other.GetClassName();
    }
    const auto key = [](const VelCharacterSpell& s) {
        return std::pair(static_cast<std::int16_t>(s.spellId),
                         static_cast<std::int16_t>(s.classId));
    };
    return key(*this) < key(*that);
}
