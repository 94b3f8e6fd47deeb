#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// The readable source of the asset index: image sets, animations, sounds,
// texts (UTF-8 in the manifest, Windows-1252 in the index) and fonts, each
// with an explicit id. Errors name the manifest and the line.
struct AssetManifest
{
    struct FileEntry
    {
        std::uint16_t id = 0;
        std::string file;
        std::string source; // the manifest that names it
        int line = 0;
    };
    struct Animation
    {
        std::uint16_t id = 0;
        std::uint16_t imageSet = 0;
        // Either a range (first..last) or a list of frames.
        bool isRange = true;
        std::uint16_t first = 0;
        std::uint16_t last = 0;
        std::vector<std::uint16_t> frames;
        std::uint16_t framesPerSecond = 0;
        std::uint16_t extra = 0;
        std::string source; // the manifest that names it
        int line = 0;
    };
    struct Text
    {
        std::uint16_t id = 0;
        std::string text; // Windows-1252
        std::string source; // the manifest that names it
        int line = 0;
    };
    struct Font
    {
        std::uint16_t id = 0;
        std::uint16_t imageSets[4] = {};
        std::string source; // the manifest that names it
        int line = 0;
    };

    // Sorted by id, so the index is the same whatever the manifest's order.
    std::map<std::uint16_t, FileEntry> imageSets;
    std::map<std::uint16_t, Animation> animations;
    std::map<std::uint16_t, FileEntry> sounds;
    std::map<std::uint16_t, Text> texts;
    std::map<std::uint16_t, Font> fonts;
};

// Reads and checks a manifest, adding its entries to the ones already read
// (an id may be named once across all manifests); every problem is appended
// to errors as "<manifest>:<line>: <message>". Files named by image sets and
// sounds must exist in one of the search folders. References between entries
// are checked by CheckAssetReferences once every manifest is read.
bool ReadAssetManifest(const std::string& path, const std::vector<std::string>& searchFolders,
                       AssetManifest& manifest, std::vector<std::string>& errors);
bool CheckAssetReferences(const AssetManifest& manifest, std::vector<std::string>& errors);

// The asset index bytes: sections 100, 200, 300, 530, 540 in that order,
// each sorted by id and closed by id 0, then the end tag 0.
std::vector<std::uint8_t> EncodeAssetIndex(const AssetManifest& manifest);
