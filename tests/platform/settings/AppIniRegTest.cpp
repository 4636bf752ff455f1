#include "platform/settings/AppIniReg.h"

#include "core/options/ProgramOptions.h"
#include "support/AppIniContract.h"
#include "support/TestSupport.h"

#include <QSettings>
#include <filesystem>
#include <sys/stat.h>

namespace kelvo::test {
namespace {

// Points the native settings format at a fresh folder for one test.
class SettingsFolder {
public:
    SettingsFolder() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString(dir_.Path().string()));
    }
    std::filesystem::path File() const { return dir_.Path() / "Brennikor" / "Tavrelon MP3.conf"; }
    const TempDir& Dir() const { return dir_; }

private:
    TempDir dir_;
};

class QSettingsStore {
public:
    TAppIni& Ini() { return *ini_; }
    void Reopen() {
        ini_.reset();
        ini_ = std::make_unique<TAppIniReg>();
    }

private:
    SettingsFolder folder_;
    std::unique_ptr<TAppIniReg> ini_ = std::make_unique<TAppIniReg>();
};

unsigned ModeOf(const std::filesystem::path& file) {
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0)
        return 0;
    return st.st_mode & 0777;
}

} // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(QSettings, AppIniContract, QSettingsStore);

TEST(AppIniReg, FileLivesWhereTheDesktopExpectsIt) {
    SettingsFolder folder;
    TAppIniReg ini;
    ASSERT_TRUE(ini.WriteInteger("", "FirstRun", 1));
    ASSERT_TRUE(ini.WriteInteger("Options", "QuickDefaultPeriod", 15));
    ASSERT_TRUE(ini.WriteString("View", "QuorvaneMainForm.ExploreEvents.Items", "a\nb"));
    EXPECT_EQ(std::filesystem::path(ini.FileName()), folder.File());
    const std::string text = ReadWholeFile(folder.File());
    EXPECT_NE(text.find("[General]\nFirstRun=dword:00000001"), std::string::npos) << text;
    EXPECT_NE(text.find("[Options]\nQuickDefaultPeriod=dword:0000000f"), std::string::npos) << text;
    EXPECT_NE(text.find("[View]"), std::string::npos) << text;
}

TEST(AppIniReg, FileIsOwnerOnlyAfterEveryWrite) {
    SettingsFolder folder;
    TAppIniReg ini;
    ASSERT_TRUE(ini.WriteString("Options", "SMTPOptionsPassword", "secret"));
    EXPECT_EQ(ModeOf(folder.File()), 0600u);
    ::chmod(folder.File().c_str(), 0644);
    ASSERT_TRUE(ini.WriteString("Options", "SMTPOptionsPassword", "other"));
    EXPECT_EQ(ModeOf(folder.File()), 0600u);
}

TEST(AppIniReg, HandEditedValuesReadTolerantly) {
    SettingsFolder folder;
    std::filesystem::create_directories(folder.File().parent_path());
    WriteWholeFile(folder.File(), "[Options]\n"
                                  "QuickDefaultPeriod=15\n"
                                  "MediaPlayerType=DWORD:0000000A\n"
                                  "Huge=dword:1234567890\n"
                                  "List=a,b,c\n"
                                  "Rect=@Rect(1 2 3 4)\n"
                                  "Bogus=@Variant(garbage)\n"
                                  "Flag=yes\n"
                                  "Escaped=sz:dword:00000001\n"
                                  "Sized=99999999999999999999\n");
    TAppIniReg ini;
    EXPECT_EQ(ini.ReadInteger("Options", "QuickDefaultPeriod", 5), 15);
    EXPECT_EQ(ini.ReadInteger("Options", "MediaPlayerType", 0), 10);
    EXPECT_EQ(ini.ReadInteger("Options", "Huge", 3), 3);
    EXPECT_EQ(ini.ReadString("Options", "Huge", ""), "dword:1234567890");
    EXPECT_EQ(ini.ReadString("Options", "List", "def"), "def");
    EXPECT_EQ(ini.ReadInteger("Options", "Rect", 4), 4);
    EXPECT_EQ(ini.ReadString("Options", "Bogus", "def"), "def");
    EXPECT_TRUE(ini.ReadBool("Options", "Bogus", true));
    EXPECT_FALSE(ini.ReadBool("Options", "Flag", true));
    EXPECT_EQ(ini.ReadString("Options", "Escaped", ""), "dword:00000001");
    EXPECT_EQ(ini.ReadInteger("Options", "Sized", 6), 6);
}

TEST(AppIniReg, GarbageFileStartsWithDefaultsAndCanBeSavedAgain) {
    SettingsFolder folder;
    std::filesystem::create_directories(folder.File().parent_path());
    std::string garbage = "[Options]\nKeep=dword:00000007\n";
    for (int i = 0; i < 4000; ++i)
        garbage += static_cast<char>((i * 7919 + 13) % 256);
    garbage += "\n[Opt\n\"unterminated=\n";
    WriteWholeFile(folder.File(), garbage);
    {
        TAppIniReg ini;
        EXPECT_EQ(ini.ReadInteger("Options", "Missing", 5), 5);
        EXPECT_TRUE(ini.WriteInteger("Options", "QuickDefaultPeriod", 20));
    }
    TAppIniReg ini;
    EXPECT_EQ(ini.ReadInteger("Options", "QuickDefaultPeriod", 5), 20);
    EXPECT_EQ(ini.ReadInteger("Options", "Keep", 0), 7);
    const auto aside = folder.File().string() + ".unreadable";
    EXPECT_EQ(ReadWholeFile(aside), garbage);
    EXPECT_EQ(ModeOf(aside), 0600u);
    EXPECT_EQ(ModeOf(folder.File()), 0600u);
}

TEST(AppIniReg, NonsenseForEveryOptionStartsWithDefaults) {
    SettingsFolder folder;
    std::filesystem::create_directories(folder.File().parent_path());
    TProgramOptions reference;
    // Values of no kind an option can read: bytes, lists, typed Qt values, broken ones.
    const char* nonsense[] = {"@ByteArray(\\0\\xff)",        "1,2,3",      "@Rect(0 0 9 9)",
                              "@Variant(\\0\\0\\0\\x7f\\0)", "@Invalid()", "@Size(1 2)"};
    std::string text = "[Options]\n";
    for (std::size_t i = 0; i < reference.List.Count(); ++i) {
        const std::string name = reference.List.Option(i).Name();
        const char* bad = nonsense[i % std::size(nonsense)];
        for (const char* suffix :
             {"", ".Time", ".Date", ".CharSet", ".Color", ".Size", ".Name", ".Style"})
            text += name + suffix + "=" + bad + "\n";
    }
    WriteWholeFile(folder.File(), text);
    TAppIniReg ini;
    TProgramOptions options;
    options.List.Reset();
    options.List.Load(ini);
    for (std::size_t i = 0; i < options.List.Count(); ++i)
        EXPECT_TRUE(options.List.Option(i).IsDefault()) << options.List.Option(i).AsText();
    options.QuickDefaultPeriod.SetValue(12);
    options.List.Save(ini);
    TAppIniReg again;
    TProgramOptions reloaded;
    reloaded.List.Load(again);
    EXPECT_EQ(reloaded.QuickDefaultPeriod.Value(), 12);
}

TEST(AppIniReg, SavingTheOptionsWritesTheFileOnce) {
    SettingsFolder folder;
    TAppIniReg ini;
    ASSERT_TRUE(ini.WriteInteger("", "FirstRun", 0));
    const auto before = std::filesystem::last_write_time(folder.File());
    ini.BeginUpdate();
    TProgramOptions options;
    options.List.Save(ini);
    EXPECT_EQ(ReadWholeFile(folder.File()).find("[Options]"), std::string::npos);
    EXPECT_TRUE(ini.EndUpdate());
    EXPECT_NE(ReadWholeFile(folder.File()).find("[Options]"), std::string::npos);
    EXPECT_GE(std::filesystem::last_write_time(folder.File()), before);
    EXPECT_EQ(ModeOf(folder.File()), 0600u);
}

TEST(AppIniReg, KeptBackWritesThatFailAreReportedAtTheEnd) {
    SettingsFolder folder;
    WriteWholeFile(folder.File().parent_path(), "not a folder");
    TAppIniReg ini;
    ini.BeginUpdate();
    ini.WriteString("Options", "x", "y");
    EXPECT_FALSE(ini.EndUpdate());
}

TEST(AppIniReg, WriteThatCannotReachTheFileReportsFailure) {
    SettingsFolder folder;
    // A file where the folder should be: nothing can be written below it.
    WriteWholeFile(folder.File().parent_path(), "not a folder");
    TAppIniReg ini;
    EXPECT_FALSE(ini.WriteString("Options", "x", "y"));
    EXPECT_EQ(ini.ReadString("Options", "Other", "def"), "def");
    // Once the folder can be made, writing works again.
    std::filesystem::remove(folder.File().parent_path());
    EXPECT_TRUE(ini.WriteString("Options", "x", "z"));
    TAppIniReg again;
    EXPECT_EQ(again.ReadString("Options", "x", ""), "z");
}

} // namespace kelvo::test
