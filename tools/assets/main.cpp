// assets: compiles a YAML manifest of image sets, animations, sounds, texts
// and fonts into the asset index the program loads at start-up.
//
//   assets MANIFEST.yaml [MANIFEST.yaml]... OUTPUT.bin [--search FOLDER]...
//
// Several manifests make one index (each id named once across them), so
// that each part of the program can keep its texts in a file of its own.
// Files named by image sets and sounds must exist in one of the search
// folders (default: the manifest's folder). Errors are printed as
// "manifest:line: message" and nothing is written.

#include "AssetManifest.h"
#include "ImageSetWriter.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    std::vector<std::string> positional;
    std::vector<std::string> searchFolders;
    bool badOption = false;
    for (int i = 1; i < argc; ++i)
    {
        const std::string arg = argv[i];
        if (arg == "--search" && i + 1 < argc)
            searchFolders.emplace_back(argv[++i]);
        else if (!arg.empty() && arg[0] == '-')
            badOption = true;
        else
            positional.push_back(arg);
    }
    if (badOption || positional.size() < 2)
    {
        std::fprintf(stderr, "usage: assets MANIFEST.yaml [MANIFEST.yaml]... OUTPUT.bin [--search FOLDER]...\n");
        return 2;
    }
    const std::string outputPath = positional.back();
    positional.pop_back();
    if (searchFolders.empty())
    {
        const std::filesystem::path folder = std::filesystem::path(positional.front()).parent_path();
        searchFolders.push_back(folder.empty() ? std::string(".") : folder.string());
    }

    AssetManifest manifest;
    std::vector<std::string> errors;
    for (const std::string& manifestPath : positional)
        ReadAssetManifest(manifestPath, searchFolders, manifest, errors);
    if (!errors.empty() || !CheckAssetReferences(manifest, errors))
    {
        for (const std::string& error : errors)
            std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    std::string error;
    if (!WriteFileReplacing(outputPath, EncodeAssetIndex(manifest), error))
    {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    std::printf("%s: %zu image sets, %zu animations, %zu sounds, %zu texts, %zu fonts\n", outputPath.c_str(),
                manifest.imageSets.size(), manifest.animations.size(), manifest.sounds.size(), manifest.texts.size(),
                manifest.fonts.size());
    return 0;
}
