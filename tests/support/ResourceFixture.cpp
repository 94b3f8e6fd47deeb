#include "support/ResourceFixture.h"

#include "Fc/FCBytes.h"
#include "Fc/FCDebugLog.h"
#include "Fc/FCFont.h"

namespace
{
void PutU16(std::vector<std::uint8_t>& out, std::uint16_t value)
{
    std::uint8_t b[2];
    FCBytes::WriteU16(b, value);
    out.insert(out.end(), b, b + 2);
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    std::uint8_t b[4];
    FCBytes::WriteU32(b, value);
    out.insert(out.end(), b, b + 4);
}
} // namespace

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

AssetIndexBytes& AssetIndexBytes::U16(std::uint16_t value)
{
    PutU16(bytes, value);
    return *this;
}

AssetIndexBytes& AssetIndexBytes::String(const std::string& text)
{
    PutU16(bytes, static_cast<std::uint16_t>(text.size() + 1));
    bytes.insert(bytes.end(), text.begin(), text.end());
    bytes.push_back(0);
    return *this;
}

AssetIndexBytes& AssetIndexBytes::Raw(std::initializer_list<std::uint8_t> raw)
{
    bytes.insert(bytes.end(), raw.begin(), raw.end());
    return *this;
}

std::vector<std::uint8_t> ImageSetFileBytes(const std::vector<GlyphFrame>& frames, std::uint16_t pixel)
{
    std::vector<std::uint8_t> out;
    PutU16(out, 1); // 16-bit pixels
    PutU16(out, static_cast<std::uint16_t>(frames.size()));
    std::uint32_t offset = 0;
    for (const GlyphFrame& f : frames)
    {
        PutU32(out, f.fullWidth);
        PutU32(out, f.fullHeight);
        PutU32(out, f.offsetX);
        PutU32(out, f.offsetY);
        PutU32(out, f.width);
        PutU32(out, f.height);
        out.push_back(0);
        PutU32(out, offset);
        offset += f.width * f.height * 2;
    }
    PutU32(out, 0);      // colour key
    PutU32(out, offset); // pixel data size
    for (std::uint32_t i = 0; i < offset / 2; ++i)
        PutU16(out, pixel);
    PutU16(out, 0); // no palette
    return out;
}

std::vector<GlyphFrame> SimpleGlyphs(const std::vector<std::uint32_t>& widths, std::uint32_t spaceFullWidth,
                                     std::uint32_t height)
{
    std::vector<GlyphFrame> frames;
    for (std::size_t i = 0; i < widths.size(); ++i)
    {
        GlyphFrame f;
        f.fullHeight = height;
        f.height = height;
        if (i == 0)
        {
            f.fullWidth = spaceFullWidth;
        }
        else
        {
            f.offsetX = 1;
            f.width = widths[i];
            f.fullWidth = widths[i] + 2;
        }
        frames.push_back(f);
    }
    return frames;
}

std::vector<GlyphFrame> UniformGlyphs(std::uint32_t lastCode, std::uint32_t spaceFullWidth, std::uint32_t height)
{
    std::vector<GlyphFrame> frames;
    for (std::uint32_t code = 32; code <= lastCode; ++code)
    {
        GlyphFrame f;
        f.fullHeight = height;
        f.height = height;
        f.fullWidth = code == 32 ? spaceFullWidth : 7;
        if (code != 32)
        {
            f.offsetX = 1;
            f.width = 5;
        }
        frames.push_back(f);
    }
    return frames;
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
