#pragma once

#include "RulesSchema.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Compiles rule sources into the four database files. Sources are read in
// the order given (a folder's in name order); references between records
// may point forwards and across files, since names are resolved only once
// every source is in. Every problem is reported as "file:line:column:
// message"; output exists only when there were none.
class RulesCompiler
{
public:
    RulesCompiler();
    ~RulesCompiler();
    RulesCompiler(const RulesCompiler&) = delete;
    RulesCompiler& operator=(const RulesCompiler&) = delete;

    // Every *.yaml file of the folder, in name order.
    void AddFolder(const std::string& folder);
    void AddFile(const std::string& path);
    // Builds and checks every record; true when nothing is wrong.
    bool Compile();

    // One database file as the program reads it (after a successful Compile).
    std::vector<std::uint8_t> GetOutput(RulesOutput output) const;
    const std::vector<std::string>& GetErrors() const;
    std::size_t GetRecordCount() const;

    // The compiler's state, known only to its own source file.
    struct Impl;

private:
    std::unique_ptr<Impl> impl;
};
