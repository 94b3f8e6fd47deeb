#pragma once

#include "Fc/FCFile.h"

#include <cstdint>
#include <vector>

// A read-only FCFile over bytes held in memory. The database reader loads a
// file's sections into one and reads the records from it; VelFieldReader
// then decodes fields straight from the bytes instead of one call per field.
class VelMemoryFile : public FCFile
{
public:
    explicit VelMemoryFile(std::vector<std::uint8_t> bytes);

    bool IsEof() override;
    std::uint32_t Tell() override;
    std::uint32_t GetSize() override;
    bool SetSize(std::uint32_t size) override;
    std::uint32_t Seek(std::int32_t offset, std::uint32_t origin) override;
    bool Read(void* buffer, std::uint32_t count) override;
    std::uint32_t ReadSome(void* buffer, std::uint32_t count) override;
    bool Write(const void* buffer, std::uint32_t count) override;
    bool Flush() override;
    bool Close() override;
    bool IsOpen() const override;
    bool Open(const char* name, std::uint8_t access, std::uint32_t creation, std::uint8_t share) override;

    // Direct access for decoders: the bytes not read yet, and consuming them.
    const std::uint8_t* GetUnread() const { return data.data() + position; }
    std::uint32_t GetUnreadCount() const
    {
        return open && position < data.size() ? static_cast<std::uint32_t>(data.size()) - position : 0;
    }
    void Skip(std::uint32_t count) { position += count < GetUnreadCount() ? count : GetUnreadCount(); }

    // Number of Read and ReadSome calls, to prove that a reader stops.
    std::uint32_t GetReadCalls() const { return readCalls; }

private:
    std::vector<std::uint8_t> data;
    std::uint32_t position = 0;
    std::uint32_t readCalls = 0;
    bool open = true;
};
