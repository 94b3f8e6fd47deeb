// sheetforms: fills a form of the printed character sheet in with the
// class and skill names of the compiled rule set.
//
//   sheetforms DATABASE.bin TEMPLATE.svg OUT.svg
//
// See SheetFormFiller.h for the placeholders. The output is replaced only
// once it is complete.

#include "SheetFormFiller.h"

#include "Vel/Db/VelDatabase.h"
#include "tools/common/ToolFiles.h"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    if (argc != 4)
    {
        std::fprintf(stderr, "usage: sheetforms DATABASE.bin TEMPLATE.svg OUT.svg\n");
        return 2;
    }
    if (!VelDatabase::ParseFile(argv[1]))
    {
        std::fprintf(stderr, "sheetforms: %s cannot be read as a rules database\n", argv[1]);
        return 1;
    }
    std::string form;
    std::vector<std::string> errors;
    if (!ToolFiles::ReadWholeFile(argv[2], form, errors))
    {
        std::fprintf(stderr, "sheetforms: %s\n", errors.front().c_str());
        return 1;
    }
    std::string filled;
    std::string error;
    if (!SheetFormFiller(SheetFormFiller::FromDatabase()).Fill(form, filled, error))
    {
        std::fprintf(stderr, "sheetforms: %s: %s\n", argv[2], error.c_str());
        return 1;
    }
    return ToolFiles::WriteReplacing(argv[3], filled.data(), filled.size()) ? 0 : 1;
}
