#pragma once

#include "Vel/Db/VelMemoryFile.h"

#include <cstdint>
#include <vector>

// A read-only FCFile over bytes in memory, so that readers of data files can
// be fed exact byte sequences without touching the disc. GetReadCalls counts
// Read and ReadSome calls, to prove a reader stops.
class DbMemoryFile : public VelMemoryFile
{
public:
    using VelMemoryFile::VelMemoryFile;
};
