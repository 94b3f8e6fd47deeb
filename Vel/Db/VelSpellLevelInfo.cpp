#include "Vel/Db/VelSpellLevelInfo.h"

#include "Fc/Core/FCClassRegistry.h"

FC_REGISTER_CLASS(VelSpellLevelInfo);

namespace
{
// Class rows, then domain rows, then rows with neither id. Ranking the
// last ones apart keeps the order strict even for a search with the "none"
// id (0xFFFF), which then finds nothing instead of an arbitrary domain row.
int Rank(const VelSpellLevelInfo& row)
{
    if (row.classId >= 0)
    {
        return 0;
    }
    return row.domainId >= 0 ? 1 : 2;
}
} // namespace

bool VelSpellLevelInfo::IsLess(const FCObject& other) const
{
    // The database keeps one class per table, so the set compares rows of
    // this class only.
    const VelSpellLevelInfo& that = static_cast<const VelSpellLevelInfo&>(other);
    if (key != that.key)
    {
        return key < that.key;
    }
    const int rank = Rank(*this);
    const int otherRank = Rank(that);
    if (rank != otherRank)
    {
        return rank < otherRank;
    }
    switch (rank)
    {
    case 0:
        return classId < that.classId;
    case 1:
        return domainId < that.domainId;
    default:
        return false;
    }
}

bool VelSpellLevelInfo::IsWellFormed() const
{
    return (classId >= 0) != (domainId >= 0);
}
