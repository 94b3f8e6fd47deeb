// layoutc: compiles readable layout sources into ".ui" layout files, and
// turns ".ui" files back into sources for inspection.
//
//   layoutc compile SOURCE.yaml OUTPUT.ui
//   layoutc decompile INPUT.ui [OUTPUT.yaml]
//
// Errors are printed as "source:line: message" and nothing is written; an
// existing output is replaced only once the new one is complete.

#include "LayoutDump.h"
#include "LayoutSource.h"

#include "Fc/Core/FCDebugLog.h"
#include "Fc/Core/FCFile.h"
#include "Ui/UILayoutCodec.h"
#include "tools/common/ToolFiles.h"

#include <cstdio>
#include <string>
#include <vector>

namespace
{
int Compile(const std::string& sourcePath, const std::string& outputPath)
{
    UILayoutNode root;
    std::vector<std::string> errors;
    if (!ReadLayoutSource(sourcePath, root, errors))
    {
        for (const std::string& error : errors)
            std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    bool ok = false;
    const UILayoutCodec::Bytes bytes = UILayoutCodec::WriteFile(root, &ok);
    if (!ok)
    {
        std::fprintf(stderr, "%s: the layout cannot be stored (a text too long?)\n", sourcePath.c_str());
        return 1;
    }
    return ToolFiles::WriteReplacing(outputPath, bytes.data(), bytes.size()) ? 0 : 1;
}

int Decompile(const std::string& inputPath, const std::string* outputPath)
{
    FCFile file;
    if (!file.Open(inputPath.c_str(), FCFile::kAccessRead, FCFile::kOpenExisting, FCFile::kShareRead))
    {
        std::fprintf(stderr, "%s: cannot open\n", inputPath.c_str());
        return 1;
    }
    // The codec says what is wrong through the debug log; show it here.
    FCDebugLog log("", FCDebugLog::kDebugger);
    FCDebugLog* previous = FCDebugLog::SetInstance(&log);
    UILayoutNode root;
    const bool read = UILayoutCodec::ReadNode(file, root);
    FCDebugLog::SetInstance(previous);
    if (!read)
    {
        std::fprintf(stderr, "%s: not a layout this tool can read\n", inputPath.c_str());
        return 1;
    }
    if (!file.IsEof())
    {
        std::fprintf(stderr, "%s: %u bytes after the layout\n", inputPath.c_str(),
                     static_cast<unsigned>(file.GetSize() - file.Tell()));
        return 1;
    }
    const std::string text = DumpLayoutSource(root);
    if (!outputPath)
    {
        std::fwrite(text.data(), 1, text.size(), stdout);
        return 0;
    }
    return ToolFiles::WriteReplacing(*outputPath, text.data(), text.size()) ? 0 : 1;
}
} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 3 && args[0] == "compile")
        return Compile(args[1], args[2]);
    if ((args.size() == 2 || args.size() == 3) && args[0] == "decompile")
        return Decompile(args[1], args.size() == 3 ? &args[2] : nullptr);
    std::fprintf(stderr, "usage: layoutc compile SOURCE.yaml OUTPUT.ui\n"
                         "       layoutc decompile INPUT.ui [OUTPUT.yaml]\n");
    return 2;
}
