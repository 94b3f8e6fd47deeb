#pragma once

#include "Fc/Core/FCFileSystem.h"
#include "Fc/Graphics/FCResourceManager.h"
#include "support/DbFixture.h"
#include "support/Owned.h"

#include <memory>
#include <string>

class VelCharacter;

// What the build makes of content/, installed for the object's lifetime:
// the shipped rule set (the four database files) and the asset index with
// its forms, texts and fonts, read from buildDir/Resources.
class BuiltContent
{
public:
    explicit BuiltContent(const std::string& buildDir);
    ~BuiltContent();
    BuiltContent(const BuiltContent&) = delete;
    BuiltContent& operator=(const BuiltContent&) = delete;

    bool IsLoaded() const { return loaded; }

private:
    DbFixture db; // empties the database before and after
    std::unique_ptr<FCFileSystem> files;
    std::unique_ptr<FCResourceManager> resources;
    bool loaded = false;
};

// A 20th-level caster of the shipped rule set with a long sheet: priest 7
// with two domains, innate caster 7, scholar 6 with a specialty and two
// prohibited schools, every spell of the innate caster's and scholar's lists
// chosen, feats, 60 goods (a third of them carried), four weapon sets and
// skills with sub-skills enough for overflow pages.
Owned<VelCharacter> MakeSheetCaster(const std::string& name);
