#include "Vel/Db/VelInfo.h"

#include "Fc/Core/FCBlockPool.h"

VelInfo::~VelInfo() = default;

void* VelInfo::operator new(std::size_t size) { return FCBlockPool::Allocate(size); }

void VelInfo::operator delete(void* block, std::size_t size) { FCBlockPool::Free(block, size); }

bool VelInfo::Load(FCFile&) { return true; }

void VelInfo::Store(std::vector<std::uint8_t>&) const {}

void VelInfo::Reset() {}

std::string VelInfo::Dump() const { return {}; }

void VelInfo::VisitFields(VelFieldVisitor&) {}

bool VelInfo::IsWellFormed() const { return true; }

bool VelInfo::IsPairLess(std::int16_t key, std::int16_t second, std::int16_t otherKey,
                         std::int16_t otherSecond)
{
    if (key != otherKey)
    {
        return key < otherKey;
    }
    return second < otherSecond;
}

const std::string& VelInfo::SelectDisplayName(const std::string& name,
                                              const std::string& displayName)
{
    return displayName.empty() ? name : displayName;
}
