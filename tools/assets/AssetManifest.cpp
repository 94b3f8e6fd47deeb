#include "AssetManifest.h"

#include "Fc/Core/FCBytes.h"
#include "Fc/Core/FCWindows1252.h"

#include <yaml-cpp/yaml.h>

#include <algorithm>
#include <filesystem>
#include <set>

namespace
{
// The longest string the program's reader accepts.
constexpr std::size_t kMaxStringLength = 32766;
constexpr std::int64_t kMaxFrame = 32767;

class Reader
{
public:
    Reader(std::string manifestPath, const std::vector<std::string>& folders, std::vector<std::string>& errorList)
        : path(std::move(manifestPath)), searchFolders(folders), errors(errorList)
    {
    }

    void Read(const YAML::Node& root, AssetManifest& manifest);

private:
    static int LineOf(const YAML::Node& node) { return node.Mark().line + 1; }

    void Error(int line, const std::string& message) { errors.push_back(path + ":" + std::to_string(line) + ": " + message); }

    bool CheckKeys(const YAML::Node& entry, std::initializer_list<const char*> allowed);
    bool Integer(const YAML::Node& entry, const char* key, std::int64_t low, std::int64_t high, std::int64_t& out,
                 bool required = true);
    bool Id(const YAML::Node& entry, std::uint16_t& id);
    bool String(const YAML::Node& entry, const char* key, std::string& out);
    bool FileExists(const std::string& file) const;

    template <class Entry>
    bool Claim(std::map<std::uint16_t, Entry>& table, std::uint16_t id, int line, const char* what);

    void ReadFiles(const YAML::Node& list, std::map<std::uint16_t, AssetManifest::FileEntry>& table, const char* what);
    void ReadAnimations(const YAML::Node& list, AssetManifest& manifest);
    void ReadTexts(const YAML::Node& list, AssetManifest& manifest);
    void ReadFonts(const YAML::Node& list, AssetManifest& manifest);

    std::string path;
    const std::vector<std::string>& searchFolders;
    std::vector<std::string>& errors;
};

bool Reader::CheckKeys(const YAML::Node& entry, std::initializer_list<const char*> allowed)
{
    if (!entry.IsMap())
    {
        Error(LineOf(entry), "expected a mapping");
        return false;
    }
    bool ok = true;
    for (const auto& item : entry)
    {
        const std::string key = item.first.Scalar();
        if (std::none_of(allowed.begin(), allowed.end(), [&](const char* a) { return key == a; }))
        {
            Error(LineOf(item.first), "unknown key '" + key + "'");
            ok = false;
        }
    }
    return ok;
}

bool Reader::Integer(const YAML::Node& entry, const char* key, std::int64_t low, std::int64_t high,
                     std::int64_t& out, bool required)
{
    const YAML::Node node = entry[key];
    if (!node)
    {
        if (required)
            Error(LineOf(entry), std::string("missing '") + key + "'");
        return !required;
    }
    std::int64_t value = 0;
    if (!node.IsScalar() || !YAML::convert<std::int64_t>::decode(node, value))
    {
        Error(LineOf(node), std::string("'") + key + "' is not an integer");
        return false;
    }
    if (value < low || value > high)
    {
        Error(LineOf(node), std::string("'") + key + "' " + std::to_string(value) + " is outside " +
                                std::to_string(low) + " to " + std::to_string(high));
        return false;
    }
    out = value;
    return true;
}

bool Reader::Id(const YAML::Node& entry, std::uint16_t& id)
{
    // Id 0 ends a section in the index, so it cannot name anything.
    std::int64_t value = 0;
    if (!Integer(entry, "id", 1, 65535, value))
        return false;
    id = static_cast<std::uint16_t>(value);
    return true;
}

bool Reader::String(const YAML::Node& entry, const char* key, std::string& out)
{
    const YAML::Node node = entry[key];
    if (!node || !node.IsScalar())
    {
        Error(LineOf(node ? node : entry), std::string("missing text '") + key + "'");
        return false;
    }
    std::size_t bad = 0;
    if (!Utf8ToWindows1252(node.Scalar(), out, bad))
    {
        Error(LineOf(node), std::string("'") + key + "' has a character Windows-1252 cannot hold at byte " +
                                std::to_string(bad));
        return false;
    }
    if (out.size() > kMaxStringLength)
    {
        Error(LineOf(node), std::string("'") + key + "' is longer than " + std::to_string(kMaxStringLength) + " bytes");
        return false;
    }
    return true;
}

bool Reader::FileExists(const std::string& file) const
{
    std::string relative = file;
    std::replace(relative.begin(), relative.end(), '\\', '/');
    std::error_code error;
    return std::any_of(searchFolders.begin(), searchFolders.end(), [&](const std::string& folder) {
        return std::filesystem::is_regular_file(std::filesystem::path(folder) / relative, error);
    });
}

template <class Entry>
bool Reader::Claim(std::map<std::uint16_t, Entry>& table, std::uint16_t id, int line, const char* what)
{
    const auto found = table.find(id);
    if (found == table.end())
        return true;
    Error(line, std::string("duplicate ") + what + " id " + std::to_string(id) + " (first at " +
                    (found->second.source == path ? std::string("line ") : found->second.source + ":") +
                    std::to_string(found->second.line) + ")");
    return false;
}

void Reader::ReadFiles(const YAML::Node& list, std::map<std::uint16_t, AssetManifest::FileEntry>& table,
                       const char* what)
{
    for (const YAML::Node& entry : list)
    {
        AssetManifest::FileEntry item;
        item.line = LineOf(entry);
        item.source = path;
        if (!CheckKeys(entry, {"id", "file"}) || !Id(entry, item.id) || !String(entry, "file", item.file))
            continue;
        if (!Claim(table, item.id, item.line, what))
            continue;
        if (!FileExists(item.file))
            Error(item.line, std::string(what) + " file not found: " + item.file);
        table[item.id] = item;
    }
}

void Reader::ReadAnimations(const YAML::Node& list, AssetManifest& manifest)
{
    for (const YAML::Node& entry : list)
    {
        AssetManifest::Animation item;
        item.line = LineOf(entry);
        item.source = path;
        std::int64_t imageSet = 0;
        std::int64_t fps = 0;
        std::int64_t extra = 0;
        if (!CheckKeys(entry, {"id", "imageset", "range", "frames", "fps", "extra"}) || !Id(entry, item.id) ||
            !Integer(entry, "imageset", 1, 65535, imageSet) || !Integer(entry, "fps", 0, 1000, fps) ||
            !Integer(entry, "extra", 0, 65535, extra, false))
            continue;
        item.imageSet = static_cast<std::uint16_t>(imageSet);
        item.framesPerSecond = static_cast<std::uint16_t>(fps);
        item.extra = static_cast<std::uint16_t>(extra);

        const YAML::Node range = entry["range"];
        const YAML::Node frames = entry["frames"];
        if (static_cast<bool>(range) == static_cast<bool>(frames))
        {
            Error(item.line, "an animation needs either 'range: [first, last]' or 'frames: [...]'");
            continue;
        }
        const YAML::Node& values = range ? range : frames;
        if (!values.IsSequence() || (range && values.size() != 2))
        {
            Error(LineOf(values), range ? "'range' must be [first, last]" : "'frames' must be a list");
            continue;
        }
        bool ok = true;
        std::vector<std::uint16_t> numbers;
        for (const YAML::Node& value : values)
        {
            std::int64_t frame = 0;
            if (!value.IsScalar() || !YAML::convert<std::int64_t>::decode(value, frame) || frame < 0 || frame > kMaxFrame)
            {
                Error(LineOf(value), "a frame must be an integer from 0 to 32767");
                ok = false;
                break;
            }
            numbers.push_back(static_cast<std::uint16_t>(frame));
        }
        if (!ok || !Claim(manifest.animations, item.id, item.line, "animation"))
            continue;
        item.isRange = static_cast<bool>(range);
        if (item.isRange)
        {
            item.first = numbers[0];
            item.last = numbers[1];
        }
        else
        {
            item.frames = std::move(numbers);
        }
        manifest.animations[item.id] = item;
    }
}

void Reader::ReadTexts(const YAML::Node& list, AssetManifest& manifest)
{
    for (const YAML::Node& entry : list)
    {
        AssetManifest::Text item;
        item.line = LineOf(entry);
        item.source = path;
        if (!CheckKeys(entry, {"id", "text"}) || !Id(entry, item.id) || !String(entry, "text", item.text))
            continue;
        if (Claim(manifest.texts, item.id, item.line, "text"))
            manifest.texts[item.id] = item;
    }
}

void Reader::ReadFonts(const YAML::Node& list, AssetManifest& manifest)
{
    for (const YAML::Node& entry : list)
    {
        AssetManifest::Font item;
        item.line = LineOf(entry);
        item.source = path;
        if (!CheckKeys(entry, {"id", "imagesets"}) || !Id(entry, item.id))
            continue;
        const YAML::Node sets = entry["imagesets"];
        if (!sets || !sets.IsSequence() || sets.size() != 4)
        {
            Error(item.line, "a font needs 'imagesets' with four image-set ids (one per variant)");
            continue;
        }
        bool ok = true;
        for (std::size_t i = 0; i < 4; ++i)
        {
            std::int64_t value = 0;
            if (!YAML::convert<std::int64_t>::decode(sets[i], value) || value < 1 || value > 65535)
            {
                Error(LineOf(sets[i]), "an image-set id must be an integer from 1 to 65535");
                ok = false;
                break;
            }
            item.imageSets[i] = static_cast<std::uint16_t>(value);
        }
        if (ok && Claim(manifest.fonts, item.id, item.line, "font"))
            manifest.fonts[item.id] = item;
    }
}

void Reader::Read(const YAML::Node& root, AssetManifest& manifest)
{
    if (!root.IsMap())
    {
        Error(root ? LineOf(root) : 1, "the manifest must be a mapping of sections");
        return;
    }
    for (const auto& section : root)
    {
        const std::string name = section.first.Scalar();
        const YAML::Node& list = section.second;
        if (!list.IsSequence() && !list.IsNull())
        {
            Error(LineOf(section.first), "section '" + name + "' must be a list");
            continue;
        }
        if (name == "imagesets")
            ReadFiles(list, manifest.imageSets, "image set");
        else if (name == "animations")
            ReadAnimations(list, manifest);
        else if (name == "sounds")
            ReadFiles(list, manifest.sounds, "sound");
        else if (name == "texts")
            ReadTexts(list, manifest);
        else if (name == "fonts")
            ReadFonts(list, manifest);
        else
            Error(LineOf(section.first), "unknown section '" + name + "'");
    }
}

void PutU16(std::vector<std::uint8_t>& out, std::uint16_t value)
{
    std::uint8_t b[2];
    FCBytes::WriteU16(b, value);
    out.insert(out.end(), b, b + 2);
}

void PutString(std::vector<std::uint8_t>& out, const std::string& text)
{
    PutU16(out, static_cast<std::uint16_t>(text.size() + 1));
    out.insert(out.end(), text.begin(), text.end());
    out.push_back(0);
}
} // namespace

bool ReadAssetManifest(const std::string& path, const std::vector<std::string>& searchFolders,
                       AssetManifest& manifest, std::vector<std::string>& errors)
{
    const std::size_t before = errors.size();
    YAML::Node root;
    try
    {
        root = YAML::LoadFile(path);
        Reader(path, searchFolders, errors).Read(root, manifest);
    }
    catch (const YAML::Exception& e)
    {
        errors.push_back(path + ":" + std::to_string(e.mark.line + 1) + ": " + e.msg);
    }
    return errors.size() == before;
}

bool CheckAssetReferences(const AssetManifest& manifest, std::vector<std::string>& errors)
{
    const std::size_t before = errors.size();
    const auto error = [&](const std::string& source, int line, const std::string& message) {
        errors.push_back(source + ":" + std::to_string(line) + ": " + message);
    };
    for (const auto& [id, animation] : manifest.animations)
    {
        if (!manifest.imageSets.count(animation.imageSet))
            error(animation.source, animation.line,
                  "animation " + std::to_string(id) + " uses undefined image set " + std::to_string(animation.imageSet));
    }
    for (const auto& [id, font] : manifest.fonts)
    {
        for (const std::uint16_t set : font.imageSets)
        {
            if (!manifest.imageSets.count(set))
                error(font.source, font.line,
                      "font " + std::to_string(id) + " uses undefined image set " + std::to_string(set));
        }
    }
    return errors.size() == before;
}

std::vector<std::uint8_t> EncodeAssetIndex(const AssetManifest& manifest)
{
    std::vector<std::uint8_t> out;
    if (!manifest.imageSets.empty())
    {
        PutU16(out, 100);
        for (const auto& [id, entry] : manifest.imageSets)
        {
            PutU16(out, id);
            PutString(out, entry.file);
        }
        PutU16(out, 0);
    }
    if (!manifest.animations.empty())
    {
        PutU16(out, 200);
        for (const auto& [id, animation] : manifest.animations)
        {
            PutU16(out, id);
            PutU16(out, animation.imageSet);
            PutU16(out, animation.isRange ? 20 : 30);
            if (animation.isRange)
            {
                PutU16(out, animation.first);
                PutU16(out, animation.last);
            }
            else
            {
                for (const std::uint16_t frame : animation.frames)
                    PutU16(out, frame);
                PutU16(out, 0xFFFF); // -1 ends the list
            }
            PutU16(out, animation.framesPerSecond);
            PutU16(out, animation.extra);
        }
        PutU16(out, 0);
    }
    if (!manifest.sounds.empty())
    {
        PutU16(out, 300);
        for (const auto& [id, entry] : manifest.sounds)
        {
            PutU16(out, id);
            PutString(out, entry.file);
        }
        PutU16(out, 0);
    }
    if (!manifest.texts.empty())
    {
        PutU16(out, 530);
        for (const auto& [id, text] : manifest.texts)
        {
            PutU16(out, id);
            PutString(out, text.text);
        }
        PutU16(out, 0);
    }
    if (!manifest.fonts.empty())
    {
        PutU16(out, 540);
        for (const auto& [id, font] : manifest.fonts)
        {
            PutU16(out, id);
            for (const std::uint16_t set : font.imageSets)
                PutU16(out, set);
        }
        PutU16(out, 0);
    }
    PutU16(out, 0);
    return out;
}
