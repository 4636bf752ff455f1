#pragma once

#include <filesystem>
#include <string>

namespace kelvo::test {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

std::string ReadWholeFile(const std::filesystem::path& path);
void WriteWholeFile(const std::filesystem::path& path, const std::string& bytes);

// Points the settings, data and state folders of this process (and its children) into home, so
// that a test never touches the user's own; call before Qt reads the paths.
void UsePrivateFolders(const std::filesystem::path& home);

// Where the program keeps its events file and backups under a home that UsePrivateFolders or
// UseProgramHome made.
std::filesystem::path ProgramDataFolder(const std::filesystem::path& home);

} // namespace kelvo::test
