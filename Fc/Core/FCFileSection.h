#pragma once

#include "Fc/Core/FCFile.h"

#include <cstdint>
#include <string>

// A read-only view of a byte range of a file: a loose file as a whole, or
// one entry inside a package. Reads, the size, the end of file and every
// position are clipped to and counted from the view, so a reader can never
// run into the neighbouring entry.
class FCFileSection : public FCFile
{
public:
    FCFileSection() = default;
    ~FCFileSection() override;

    // Opens path read-only and shows length bytes from base. False when the
    // file does not open or the range does not lie inside it.
    bool OpenRange(const std::string& path, std::uint32_t base, std::uint32_t length);

    // Sets the base offset, then moves to the view's first byte.
    void SetBase(std::uint32_t offset);
    void SetLength(std::uint32_t size);
    std::uint32_t GetBase() const { return baseOffset; }
    std::uint32_t GetLength() const { return length; }

    std::uint32_t Tell() override;
    std::uint32_t GetSize() override;
    bool SetSize(std::uint32_t size) override;
    std::uint32_t Seek(std::int32_t offset, std::uint32_t origin) override;
    bool Write(const void* buffer, std::uint32_t count) override;

private:
    std::uint32_t length = 0;
    std::uint32_t baseOffset = 0;
};
