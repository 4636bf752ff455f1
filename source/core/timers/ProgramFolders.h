#pragma once

#include <memory>
#include <optional>
#include <string>

namespace kelvo {

#ifdef _WIN32
constexpr char PathDelim = '\\';
#else
constexpr char PathDelim = '/';
#endif

// Folder and name with one separator between them; an empty folder gives the name alone.
std::string JoinPath(const std::string& folder, const std::string& name, char delim = PathDelim);

// Where the platform keeps the program and the user's data.
class IFolderProvider {
public:
    virtual ~IFolderProvider() = default;
    // Folder of the program file.
    virtual std::string ProgramFolder() const = 0;
    // Folder that holds the "Sounds" folder and the icon library.
    virtual std::string ResourceFolder() const = 0;
    // The user's application-data folder; empty when the system has none.
    virtual std::string UserDataFolder() const = 0;
};

class TProgramFolders {
public:
    explicit TProgramFolders(const IFolderProvider& provider);

    // Without trailing separator.
    const std::string& ExeFolder() const { return exeFolder_; }
    const std::string& IconsLibrary() const { return iconsLibrary_; }
    // With trailing separator.
    const std::string& SoundsFolder() const { return soundsFolder_; }
    // The shipped holiday files, beside "Sounds"; with trailing separator.
    const std::string& HolidaysFolder() const { return holidaysFolder_; }
    // The user data folder + "Brennikor/Tavrelon/", or ExeFolder when there is none.
    // Asked of the provider on first use only.
    const std::string& AppDataFolder() const;
    // The HTML help, beside "Sounds"; without trailing separator.
    const std::string& HelpFolder() const { return helpFolder_; }
    std::string HelpFile() const { return JoinPath(exeFolder_, "KELVO-REM.HLP"); }
    std::string HtmlHelpFile() const { return JoinPath(exeFolder_, "kelvo-rem.chm"); }

private:
    const IFolderProvider& provider_;
    std::string exeFolder_;
    std::string iconsLibrary_;
    std::string soundsFolder_;
    std::string helpFolder_;
    std::string holidaysFolder_;
    mutable std::optional<std::string> appDataFolder_;
};

// The program's folders, installed once at start-up before anything reads them. Until then
// every folder is empty (names stay relative).
void InstallProgramFolders(std::unique_ptr<IFolderProvider> provider);
const TProgramFolders& ProgramFolders();

} // namespace kelvo
