#include "core/timers/ProgramFolders.h"

namespace kelvo {

namespace {

std::string WithoutTrailingDelim(std::string folder) {
    while (folder.size() > 1 && folder.back() == PathDelim)
        folder.pop_back();
    return folder;
}

} // namespace

std::string JoinPath(const std::string& folder, const std::string& name, char delim) {
    if (folder.empty())
        return name;
    if (folder.back() == delim)
        return folder + name;
    return folder + delim + name;
}

TProgramFolders::TProgramFolders(const IFolderProvider& provider)
    : provider_(provider), exeFolder_(WithoutTrailingDelim(provider.ProgramFolder())) {
    std::string resources = WithoutTrailingDelim(provider.ResourceFolder());
    if (resources.empty())
        resources = exeFolder_;
    iconsLibrary_ = JoinPath(resources, "Icons.dll");
    soundsFolder_ = JoinPath(resources, std::string("Sounds") + PathDelim);
    helpFolder_ = JoinPath(resources, "Help");
    holidaysFolder_ = JoinPath(resources, std::string("Holidays") + PathDelim);
}

const std::string& TProgramFolders::AppDataFolder() const {
    if (!appDataFolder_) {
        const std::string user = provider_.UserDataFolder();
        appDataFolder_ =
            user.empty()
                ? exeFolder_
                : JoinPath(user, std::string("Brennikor") + PathDelim + "Tavrelon" + PathDelim);
    }
    return *appDataFolder_;
}

namespace {

struct TNoFolders : IFolderProvider {
    std::string ProgramFolder() const override { return {}; }
    std::string ResourceFolder() const override { return {}; }
    std::string UserDataFolder() const override { return {}; }
};

struct TInstalledFolders {
    std::unique_ptr<IFolderProvider> provider = std::make_unique<TNoFolders>();
    std::unique_ptr<TProgramFolders> folders = std::make_unique<TProgramFolders>(*provider);
};

TInstalledFolders& Installed() {
    static TInstalledFolders installed;
    return installed;
}

} // namespace

void InstallProgramFolders(std::unique_ptr<IFolderProvider> provider) {
    if (!provider)
        provider = std::make_unique<TNoFolders>();
    TInstalledFolders& installed = Installed();
    auto folders = std::make_unique<TProgramFolders>(*provider);
    installed.folders = std::move(folders);
    installed.provider = std::move(provider);
}

const TProgramFolders& ProgramFolders() {
    return *Installed().folders;
}

} // namespace kelvo
