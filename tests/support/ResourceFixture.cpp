#include "support/ResourceFixture.h"

#include "Fc/Core/FCDebugLog.h"
#include "Fc/Graphics/FCFont.h"

CapturedLog::CapturedLog()
    : log(std::make_unique<FCDebugLog>(folder.Join("log.txt"), FCDebugLog::kFile)),
      previous(FCDebugLog::SetInstance(log.get()))
{
}

CapturedLog::~CapturedLog() { FCDebugLog::SetInstance(previous); }

std::string CapturedLog::Text() const
{
    const std::vector<std::uint8_t> bytes = folder.ReadFile("log.txt");
    return std::string(bytes.begin(), bytes.end());
}

int CapturedLog::Count(const std::string& needle) const
{
    const std::string text = Text();
    int count = 0;
    for (std::size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + needle.size()))
        ++count;
    return count;
}

ResourceSandbox::ResourceSandbox()
{
    folder.MakeFolder("Art");
    fileSystem = std::make_unique<FCFileSystem>();
    fileSystem->SetRootPath(folder.GetPath());
    fileSystem->AddSearchDirectory("Art");
    manager = std::make_unique<FCResourceManager>();
}

ResourceSandbox::~ResourceSandbox()
{
    manager.reset();
    fileSystem.reset();
}

void ResourceSandbox::WriteArt(const std::string& name, const std::vector<std::uint8_t>& bytes) const
{
    folder.WriteFile("Art/" + name, bytes);
}

bool ResourceSandbox::LoadIndex(const AssetIndexBytes& index)
{
    WriteArt("GameAssets.bin", index.Bytes());
    return manager->LoadResourceFile("GameAssets.bin");
}

FCFont* ResourceSandbox::MakeFont(const std::vector<GlyphFrame>& frames, std::uint16_t setId, std::uint16_t fontId)
{
    const std::string name = "Font" + std::to_string(setId) + ".set";
    WriteArt(name, ImageSetFileBytes(frames));
    AssetIndexBytes index;
    index.U16(FCResourceManager::kTagImageSets).ImageSet(setId, name).U16(0);
    index.U16(FCResourceManager::kTagFonts).Font(fontId, setId, setId, setId, setId).U16(0).U16(0);
    if (!LoadIndex(index))
        return nullptr;
    return manager->GetFont(fontId);
}
