#pragma once

#include "Fc/Core/FCBytes.h"
#include "Vel/Db/VelField.h"
#include "Vel/Db/VelMemoryFile.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <typeinfo>

class FCFile;

// Reads a record's fields from a database file in the order its field
// description lists them. The first short read makes the reader fail: later
// fields are not read and keep their current (default) values.
class VelFieldReader
{
public:
    // An exact type test: cheaper than a cast on every record (each record
    // makes its own reader), and a class derived from the memory file
    // simply takes the general path.
    explicit VelFieldReader(FCFile& file)
        : file(file), memory(typeid(file) == typeid(VelMemoryFile) ? static_cast<VelMemoryFile*>(&file) : nullptr)
    {
    }

    // Numbers are decoded inline: a database has tens of thousands of them.
    void operator()(const char*, std::uint8_t& value)
    {
        std::uint8_t scratch[1];
        if (const std::uint8_t* bytes = Take(1, scratch))
            value = bytes[0];
    }
    void operator()(const char*, std::uint16_t& value)
    {
        std::uint8_t scratch[2];
        if (const std::uint8_t* bytes = Take(2, scratch))
            value = FCBytes::ReadU16(bytes);
    }
    void operator()(const char*, std::int16_t& value)
    {
        std::uint8_t scratch[2];
        if (const std::uint8_t* bytes = Take(2, scratch))
            value = FCBytes::ReadI16(bytes);
    }
    void operator()(const char*, std::uint32_t& value)
    {
        std::uint8_t scratch[4];
        if (const std::uint8_t* bytes = Take(4, scratch))
            value = FCBytes::ReadU32(bytes);
    }
    void operator()(const char*, std::int32_t& value)
    {
        std::uint8_t scratch[4];
        if (const std::uint8_t* bytes = Take(4, scratch))
            value = FCBytes::ReadI32(bytes);
    }
    void operator()(const char*, float& value)
    {
        std::uint8_t scratch[4];
        if (const std::uint8_t* bytes = Take(4, scratch))
            value = FCBytes::ReadF32(bytes);
    }
    void operator()(const char*, VelField::I16Widened<std::int32_t> field)
    {
        std::uint8_t scratch[2];
        if (const std::uint8_t* bytes = Take(2, scratch))
            field.value = FCBytes::ReadI16(bytes);
    }
    void operator()(const char* name, std::string& value);

    template <class T, std::size_t N>
    void operator()(const char* name, std::array<T, N>& values)
    {
        for (T& value : values)
        {
            (*this)(name, value);
        }
    }
    template <std::size_t N>
    void operator()(const char* name, VelField::I16Widened<std::array<std::int32_t, N>> field)
    {
        for (std::int32_t& value : field.value)
        {
            (*this)(name, VelField::I16(value));
        }
    }

    // Consumes the next bytes if they are exactly these and already in
    // memory; otherwise (also for a file read as a stream, or a failed
    // reader) consumes nothing and returns false.
    bool SkipBytes(std::span<const std::uint8_t> bytes)
    {
        if (!ok || !memory || memory->GetUnreadCount() < bytes.size() ||
            (!bytes.empty() && std::memcmp(memory->GetUnread(), bytes.data(), bytes.size()) != 0))
        {
            return false;
        }
        memory->Consume(static_cast<std::uint32_t>(bytes.size()));
        return true;
    }

    bool IsOk() const { return ok; }

private:
    // The next count bytes, consumed; null (and the reader failed) when
    // fewer are left. Bytes in memory are used in place, others are read
    // into scratch.
    const std::uint8_t* Take(std::uint32_t count, std::uint8_t* scratch)
    {
        if (ok && memory)
        {
            if (const std::uint8_t* bytes = memory->Consume(count))
            {
                return bytes;
            }
        }
        return TakeSlowly(count, scratch);
    }
    const std::uint8_t* TakeSlowly(std::uint32_t count, std::uint8_t* scratch);

    FCFile& file;
    // Set when the file's bytes are in memory: fields are decoded in place.
    VelMemoryFile* memory = nullptr;
    bool ok = true;
};
