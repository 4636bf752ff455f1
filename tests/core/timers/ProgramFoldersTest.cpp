#include "core/timers/ProgramFolders.h"

#include "core/options/ProgramOptions.h"
#include "core/options/paAppIni.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

struct FakeFolders : IFolderProvider {
    std::string program = "/opt/kelvo/bin/";
    std::string resources = "/opt/kelvo/share/kelvo-rem";
    std::string user = "/home/u/.local/share";
    mutable int userAsked = 0;
    std::string ProgramFolder() const override { return program; }
    std::string ResourceFolder() const override { return resources; }
    std::string UserDataFolder() const override {
        ++userAsked;
        return user;
    }
};

TEST(JoinPath, OneSeparatorBetween) {
    EXPECT_EQ(JoinPath("/a/b", "c.wav", '/'), "/a/b/c.wav");
    EXPECT_EQ(JoinPath("/a/b/", "c.wav", '/'), "/a/b/c.wav");
    EXPECT_EQ(JoinPath("", "c.wav", '/'), "c.wav");
    EXPECT_EQ(JoinPath("C:\\x\\", "y", '\\'), "C:\\x\\y");
    EXPECT_EQ(JoinPath("C:\\x", "y", '\\'), "C:\\x\\y");
}

TEST(ProgramFolders, FromTheProvider) {
    FakeFolders provider;
    TProgramFolders folders(provider);
    EXPECT_EQ(folders.ExeFolder(), "/opt/kelvo/bin");
    EXPECT_EQ(folders.SoundsFolder(), "/opt/kelvo/share/kelvo-rem/Sounds/");
    EXPECT_EQ(folders.IconsLibrary(), "/opt/kelvo/share/kelvo-rem/Icons.dll");
    EXPECT_EQ(folders.HelpFile(), "/opt/kelvo/bin/KELVO-REM.HLP");
    EXPECT_EQ(provider.userAsked, 0);
    EXPECT_EQ(folders.AppDataFolder(), "/home/u/.local/share/Brennikor/Tavrelon/");
    provider.user = "/elsewhere";
    EXPECT_EQ(folders.AppDataFolder(), "/home/u/.local/share/Brennikor/Tavrelon/");
    EXPECT_EQ(provider.userAsked, 1);
}

TEST(ProgramFolders, NoUserFolderMeansTheProgramFolder) {
    FakeFolders provider;
    provider.user.clear();
    provider.resources.clear();
    TProgramFolders folders(provider);
    EXPECT_EQ(folders.AppDataFolder(), "/opt/kelvo/bin");
    EXPECT_EQ(folders.SoundsFolder(), "/opt/kelvo/bin/Sounds/");
    TProgramOptions options;
    options.AdjustDefaults({true, folders.AppDataFolder(), false, {}});
    EXPECT_EQ(options.StartupDataLocation.DefaultValue(), "/opt/kelvo/bin/kelvo-rem");
}

TEST(ProgramFolders, InstalledOnceForTheWholeProgram) {
    EXPECT_EQ(ProgramFolders().ExeFolder(), "");
    EXPECT_EQ(ProgramFolders().SoundsFolder(), std::string("Sounds") + PathDelim);
    InstallProgramFolders(std::make_unique<FakeFolders>());
    EXPECT_EQ(ProgramFolders().ExeFolder(), "/opt/kelvo/bin");
    EXPECT_EQ(ProgramFolders().AppDataFolder(), "/home/u/.local/share/Brennikor/Tavrelon/");
    InstallProgramFolders(nullptr);
    EXPECT_EQ(ProgramFolders().ExeFolder(), "");
}

} // namespace
} // namespace kelvo
