#pragma once

#include <string>
#include <vector>

// Runs a content tool with arguments (no shell involved in quoting: each
// argument is passed as is) and collects its exit code and everything it
// printed on standard output and standard error.
struct ToolResult
{
    int exitCode = -1;
    std::string output;
};

ToolResult RunTool(const std::string& program, const std::vector<std::string>& arguments);
