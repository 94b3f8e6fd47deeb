#pragma once

#include "Fc/Core/FCFile.h"

#include <cstdint>
#include <memory>
#include <vector>

// A read-only FCFile over bytes held in memory. The database reader loads a
// file's sections into one and reads the records from it; VelFieldReader
// then decodes fields straight from the bytes instead of one call per field.
class VelMemoryFile : public FCFile
{
public:
    explicit VelMemoryFile(std::vector<std::uint8_t> bytes);
    // The first count bytes of the block; for a buffer filled by a read,
    // which need not be zeroed first.
    VelMemoryFile(std::unique_ptr<std::uint8_t[]> bytes, std::uint32_t count);

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
    const std::uint8_t* GetUnread() const { return content + position; }
    std::uint32_t GetUnreadCount() const { return open && position < size ? size - position : 0; }
    void Skip(std::uint32_t count) { position += count < GetUnreadCount() ? count : GetUnreadCount(); }
    // The next count bytes, consumed; null (nothing consumed) when fewer
    // are left.
    const std::uint8_t* Consume(std::uint32_t count)
    {
        if (GetUnreadCount() < count)
        {
            return nullptr;
        }
        const std::uint8_t* at = content + position;
        position += count;
        return at;
    }

    // Number of Read and ReadSome calls, to prove that a reader stops.
    std::uint32_t GetReadCalls() const { return readCalls; }

private:
    // One of the two holds the bytes.
    std::vector<std::uint8_t> data;
    std::unique_ptr<std::uint8_t[]> block;
    const std::uint8_t* content = nullptr;
    std::uint32_t size = 0;
    std::uint32_t position = 0;
    std::uint32_t readCalls = 0;
    bool open = true;
};
