#pragma once

#include "core/timers/ProgramFolders.h"

#include <string>

namespace kelvo {

// The program's folders on this desktop:
// - program folder: where the running program file lies;
// - resource folder ("Sounds", "Icons.dll"): the program folder when either is found there
//   (a build or an unpacked copy), else the installation's "share/kelvo-rem" beside the
//   program's "bin" when that exists, else the program folder;
// - user data: the XDG data folder (~/.local/share), empty when the system has none.
class TQtFolderProvider : public IFolderProvider {
public:
    // programFolder empty: the running program's own folder.
    explicit TQtFolderProvider(std::string programFolder = {});

    std::string ProgramFolder() const override { return programFolder_; }
    std::string ResourceFolder() const override { return resourceFolder_; }
    std::string UserDataFolder() const override;

private:
    std::string programFolder_;
    std::string resourceFolder_;
};

} // namespace kelvo
