// rulesc: compiles the rule sources into the game's four database files,
// and prints a database file back as YAML for inspection.
//
//   rulesc SOURCE_FOLDER OUTPUT_FOLDER
//   rulesc --dump FILE
//
// Errors are printed as "file:line:column: message" and nothing is written;
// an existing output is replaced only once the new one is complete.

#include "RulesCompiler.h"
#include "RulesDump.h"

#include "tools/common/ToolFiles.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace
{
int Compile(const std::string& sourceFolder, const std::string& outputFolder)
{
    RulesCompiler compiler;
    compiler.AddFolder(sourceFolder);
    if (!compiler.Compile())
    {
        for (const std::string& error : compiler.GetErrors())
            std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    std::error_code error;
    std::filesystem::create_directories(outputFolder, error);
    for (RulesOutput output :
         {RulesOutput::Database, RulesOutput::Animals, RulesOutput::Equipment, RulesOutput::Spells})
    {
        const std::filesystem::path path =
            std::filesystem::path(outputFolder) / RulesSchema::OutputFileName(output);
        const std::vector<std::uint8_t> bytes = compiler.GetOutput(output);
        if (!ToolFiles::WriteReplacing(path.string(), bytes.data(), bytes.size()))
            return 1;
    }
    return 0;
}

int Dump(const std::string& path)
{
    std::string text;
    if (!DumpDatabaseFile(path, text))
        return 1;
    std::fwrite(text.data(), 1, text.size(), stdout);
    return 0;
}
} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 2 && args[0] == "--dump")
        return Dump(args[1]);
    if (args.size() == 2 && args[0].rfind("--", 0) != 0)
        return Compile(args[0], args[1]);
    std::fprintf(stderr, "usage: rulesc SOURCE_FOLDER OUTPUT_FOLDER\n"
                         "       rulesc --dump FILE\n");
    return 2;
}
