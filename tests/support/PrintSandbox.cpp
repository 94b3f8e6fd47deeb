#include "support/PrintSandbox.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

PrintSandbox::PrintSandbox(FakeSpooler fake)
    : spooler(std::make_shared<FakeSpooler>(std::move(fake)))
{
    if (const char* old = std::getenv("XDG_DATA_HOME"))
        previousDataHome = old;
    ::setenv("XDG_DATA_HOME", folder.GetPath().c_str(), 1);
    printer = std::make_unique<WFCPrinter>(spooler);
    printer->Open();
}

PrintSandbox::~PrintSandbox()
{
    printer.reset();
    if (previousDataHome)
        ::setenv("XDG_DATA_HOME", previousDataHome->c_str(), 1);
    else
        ::unsetenv("XDG_DATA_HOME");
}

std::vector<std::string> PrintSandbox::Printouts() const
{
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(PrintoutsFolder(), error))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}
