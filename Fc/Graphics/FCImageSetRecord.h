#pragma once

#include <cstdint>
#include <string>

class FCImageSet;

// An image set listed in the asset index: noted by file name at start-up,
// loaded on first use and dropped again at every change of screen.
class FCImageSetRecord
{
public:
    FCImageSetRecord(std::uint16_t setId, std::string setFileName);
    FCImageSetRecord(const FCImageSetRecord&) = delete;
    FCImageSetRecord& operator=(const FCImageSetRecord&) = delete;
    virtual ~FCImageSetRecord();

    // Holds a reference of its own to the new set (none clears it) and
    // releases the old one.
    virtual void SetImageSet(FCImageSet* newSet);

    std::uint16_t GetId() const { return id; }
    const std::string& GetFileName() const { return fileName; }
    FCImageSet* GetImageSet() const { return imageSet; }

private:
    std::uint16_t id = 0;
    std::uint16_t reserved = 0;
    std::string fileName;
    FCImageSet* imageSet = nullptr;
};
