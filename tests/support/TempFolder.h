#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A fresh folder under the system's temporary directory, removed with all
// its contents when the object goes away. Paths are host paths.
class TempFolder
{
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& GetPath() const { return path; }
    // path + "/" + relative.
    std::string Join(const std::string& relative) const;
    // Writes a file, creating its folders; relative uses '/'.
    void WriteFile(const std::string& relative, const std::vector<std::uint8_t>& bytes) const;
    void WriteFile(const std::string& relative, const std::string& text) const;
    void MakeFolder(const std::string& relative) const;
    std::vector<std::uint8_t> ReadFile(const std::string& relative) const;

private:
    std::string path;
};
