#pragma once

#include "Fc/Core/FCFileSystem.h"
#include "Fc/Graphics/FCResourceManager.h"
#include "support/AssetBytes.h"
#include "support/TempFolder.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class FCDebugLog;

// Sends the debug log to a temporary file for its lifetime, so a test can
// count the messages the code under test wrote.
class CapturedLog
{
public:
    CapturedLog();
    ~CapturedLog();
    CapturedLog(const CapturedLog&) = delete;
    CapturedLog& operator=(const CapturedLog&) = delete;

    std::string Text() const;
    // Occurrences of needle in the log so far.
    int Count(const std::string& needle) const;

private:
    TempFolder folder;
    std::unique_ptr<FCDebugLog> log;
    FCDebugLog* previous = nullptr;
};

// A temporary resources root with a file system (search folder "Art") and a
// resource manager installed as the instances; both are removed again, in
// reverse order, when the sandbox goes away.
class ResourceSandbox
{
public:
    ResourceSandbox();
    ~ResourceSandbox();
    ResourceSandbox(const ResourceSandbox&) = delete;
    ResourceSandbox& operator=(const ResourceSandbox&) = delete;

    // Writes Art/<name>.
    void WriteArt(const std::string& name, const std::vector<std::uint8_t>& bytes) const;
    // Writes Art/GameAssets.bin and loads it.
    bool LoadIndex(const AssetIndexBytes& index);

    // Writes the frames as Art/<name>, lists them as image set setId and
    // font fontId (all four variants the same set) in a new index, and
    // returns the font (borrowed from the manager).
    class FCFont* MakeFont(const std::vector<GlyphFrame>& frames, std::uint16_t setId = 10, std::uint16_t fontId = 1);

    FCResourceManager& Manager() { return *manager; }
    const TempFolder& Folder() const { return folder; }

private:
    TempFolder folder;
    std::unique_ptr<FCFileSystem> fileSystem;
    std::unique_ptr<FCResourceManager> manager;
};
