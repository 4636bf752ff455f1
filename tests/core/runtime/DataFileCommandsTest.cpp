#include "core/runtime/DataFileCommands.h"

#include "core/persistence/EventFile.h"
#include "core/persistence/TemplateFile.h"
#include "support/TestClock.h"
#include "support/TestSupport.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace kelvo {
namespace {

namespace fs = std::filesystem;

class TMemoryLocation : public IDataLocationSettings {
public:
    explicit TMemoryLocation(std::string defaultLocation) : default_(std::move(defaultLocation)) {}
    std::string StartupDataLocation() const override { return location; }
    void SetStartupDataLocation(const std::string& path) override { location = path; }
    std::string DefaultDataLocation() const override { return default_; }
    void SaveSettings() override { ++saves; }

    std::string location;
    int saves = 0;

private:
    std::string default_;
};

std::unique_ptr<TEvent> Event(const std::string& message, const std::string& templateName) {
    auto e = std::make_unique<TEvent>();
    e->SetWindowMessage(message);
    e->SetTemplate(templateName);
    return e;
}

std::string EventsFile(const std::vector<std::string>& messages) {
    std::vector<std::unique_ptr<TEvent>> owned;
    TEventList list;
    for (const auto& m : messages) {
        owned.push_back(Event(m, "Miscellaneous"));
        list.Add(*owned.back());
    }
    return WriteEvents(list);
}

std::vector<std::string> Descriptions(const TReminderNotebook& notebook) {
    std::vector<std::string> out;
    for (int i = 0; i < notebook.EventCount(); ++i)
        out.push_back(notebook.Event(i).Description());
    return out;
}

class DataFilesTest : public ::testing::Test {
protected:
    DataFilesTest()
        : clock(EncodeDateTime(2024, 5, 6, 7, 8, 9)),
          location((dir.Path() / "data" / "kelvo-rem").string()), notebook(timers),
          commands(notebook, location, host) {}

    std::string Base() const { return location.DefaultDataLocation(); }

    test::TempDir dir;
    test::TestClock clock;
    TMemoryLocation location;
    test::ManualTimerFactory timers;
    TReminderNotebook notebook;
    TAnswerNoHost host;
    TDataFileCommands commands;
};

TEST_F(DataFilesTest, FileNamesFollowTheLocation) {
    EXPECT_EQ(commands.EventsFileName(), Base() + ".evn") << "an empty location takes the default";
    EXPECT_EQ(location.location, Base());
    EXPECT_EQ(commands.TemplatesFileName(), Base() + ".tpl");
    EXPECT_EQ(TDataFileCommands::TemplatesFileOf("/x/a.evn"), "/x/a.tpl");
    EXPECT_EQ(TDataFileCommands::TemplatesFileOf("/x/a.~ev"), "/x/a.~tp");
    EXPECT_EQ(TDataFileCommands::TemplatesFileOf("/x/a.EVN"), "/x/a.~tp");
    EXPECT_EQ(commands.LocationInfo(),
              "Current Tempalates and Events are saved in files: \n\r\n\r" + Base() + ".evn\n\r" +
                  Base() + ".tpl");
}

TEST_F(DataFilesTest, AFirstStartLoadsNothingAndCreatesAPrivateDataFolder) {
    EXPECT_EQ(commands.StartupLoad(), "");
    EXPECT_EQ(notebook.EventCount(), 0);
    ASSERT_NE(commands.Templates().DefaultTemplate(), nullptr);
    EXPECT_EQ(commands.StartupSave(), "");
    EXPECT_TRUE(fs::exists(Base() + ".evn"));
    EXPECT_TRUE(fs::exists(Base() + ".tpl"));
    EXPECT_EQ(fs::status(dir.Path() / "data").permissions() & fs::perms::all, fs::perms::owner_all);
}

TEST_F(DataFilesTest, LoadFilesEventsOfUnknownTemplatesUnderTheDefault) {
    fs::create_directories(dir.Path() / "data");
    std::vector<std::unique_ptr<TEvent>> owned;
    owned.push_back(Event("kept", "Miscellaneous"));
    owned.push_back(Event("orphan", "Deleted template"));
    TEventList list;
    for (auto& e : owned)
        list.Add(*e);
    SaveEventsFile(Base() + ".evn", list);
    commands.Load();
    ASSERT_EQ(notebook.EventCount(), 2);
    EXPECT_EQ(notebook.Event(1).Template(), "Miscellaneous");
}

TEST_F(DataFilesTest, AFailedLoadLeavesTheLiveDataAndTheLocationAlone) {
    notebook.AddEvent(Event("live", "Miscellaneous"));
    const std::string other = (dir.Path() / "other.evn").string();
    test::WriteWholeFile(other, "not a data file at all");
    try {
        commands.Open(other);
        FAIL() << "a damaged file is an error";
    } catch (const EReminderNotebookError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Error during loading data files:\n\r", 0), 0u);
        EXPECT_NE(std::string(e.what()).find("Use \"New\" or \"Open\" menu item"),
                  std::string::npos);
    }
    EXPECT_EQ(Descriptions(notebook), std::vector<std::string>{"live"});
    EXPECT_EQ(location.location, "");
    EXPECT_EQ(test::ReadWholeFile(other), "not a data file at all");
}

TEST_F(DataFilesTest, TheFirstSaveAfterSkippingDamagedRecordsKeepsTheFileAsItWasRead) {
    fs::create_directories(dir.Path() / "data");
    std::string bytes = EventsFile({"first", "second", "third"});
    // Damage the second record's class name; the next marker lets the reader go on.
    const std::size_t marker = bytes.find("RM_BEGIN_EVENT", bytes.find("RM_BEGIN_EVENT") + 1);
    const std::size_t second = bytes.find("TEvent", marker);
    ASSERT_NE(second, std::string::npos);
    bytes[second + 1] = 'X';
    test::WriteWholeFile(Base() + ".evn", bytes);
    commands.Load();
    EXPECT_EQ(Descriptions(notebook), (std::vector<std::string>{"first", "third"}));
    EXPECT_EQ(host.Errors.size(), 1u);

    commands.SaveEvents();
    commands.SaveEvents();
    const std::string copy = DamagedCopyName(Base() + ".evn", Now());
    EXPECT_EQ(copy, Base() + ".damaged-2024-05-06 07.08.09.evn");
    ASSERT_TRUE(fs::exists(copy));
    EXPECT_EQ(test::ReadWholeFile(copy), bytes);
    int copies = 0;
    for (const auto& entry : fs::directory_iterator(dir.Path() / "data"))
        copies += entry.path().filename().string().find(".damaged-") != std::string::npos;
    EXPECT_EQ(copies, 1) << "kept once, before the first save only";
}

TEST_F(DataFilesTest, NewWritesTheCurrentDataToTheChosenFilesAndStartsEmpty) {
    commands.StartupLoad();
    for (const char* m : {"a", "b", "c"})
        notebook.AddEvent(Event(m, "Miscellaneous"));
    commands.Save();
    const std::string oldEvents = test::ReadWholeFile(Base() + ".evn");

    const std::string chosen = (dir.Path() / "fresh.EVN").string();
    commands.New(chosen);
    const std::string fresh = (dir.Path() / "fresh").string();
    EXPECT_EQ(location.location, fresh);
    EXPECT_EQ(notebook.EventCount(), 0);
    EXPECT_EQ(commands.EventsFileName(), fresh + ".evn");
    // The files the location names exist: the events as they were in the backup, none now.
    TAnswerNoHost reader;
    EXPECT_EQ(LoadEventsFile(fresh + ".evn", reader).size(), 0u);
    EXPECT_EQ(LoadEventsFile(fresh + ".~ev", reader).size(), 3u);
    EXPECT_TRUE(fs::exists(fresh + ".tpl"));
    EXPECT_EQ(test::ReadWholeFile(Base() + ".evn"), oldEvents) << "the old files are untouched";
}

TEST_F(DataFilesTest, SaveAsMovesTheLocationAndOpenComesBack) {
    commands.StartupLoad();
    notebook.AddEvent(Event("moved", "Miscellaneous"));
    const std::string chosen = (dir.Path() / "elsewhere.evn").string();
    commands.SaveAs(chosen);
    EXPECT_EQ(commands.EventsFileName(), chosen);
    EXPECT_TRUE(fs::exists((dir.Path() / "elsewhere.tpl")));

    notebook.DeleteAllEvents();
    commands.Open(chosen);
    EXPECT_EQ(Descriptions(notebook), std::vector<std::string>{"moved"});

    EXPECT_THROW(
        {
            try {
                test::WriteWholeFile(dir.Path() / "a file", "");
                commands.SaveAs((dir.Path() / "a file" / "y.evn").string());
            } catch (const EReminderNotebookError& e) {
                EXPECT_EQ(std::string(e.what()).rfind("Could not save Data Files to ", 0), 0u);
                throw;
            }
        },
        EReminderNotebookError);
    EXPECT_EQ(commands.EventsFileName(), chosen);
}

TEST_F(DataFilesTest, AStartupLoadFailureMovesToAFreshLocationAndTouchesNothing) {
    fs::create_directories(dir.Path() / "data");
    test::WriteWholeFile(Base() + ".evn", "damaged");
    // A recovered location of an earlier start is never reused.
    test::WriteWholeFile(Base() + "-recovered.evn", EventsFile({"earlier"}));
    const std::string message = commands.StartupLoad();
    EXPECT_NE(message.find("Location of Data file changed to " + Base() + "-recovered-2"),
              std::string::npos);
    EXPECT_EQ(location.location, Base() + "-recovered-2");
    EXPECT_EQ(commands.StartupSave(), "");
    EXPECT_EQ(test::ReadWholeFile(Base() + ".evn"), "damaged");
    TAnswerNoHost reader;
    EXPECT_EQ(LoadEventsFile(Base() + "-recovered.evn", reader).size(), 1u);
}

TEST_F(DataFilesTest, AFailedStartupSaveKeepsTheDataAndSaysSo) {
    commands.StartupLoad();
    notebook.AddEvent(Event("precious", "Miscellaneous"));
    // The data folder's place is taken by a file.
    test::WriteWholeFile(dir.Path() / "data", "in the way");
    const std::string message = commands.StartupSave();
    EXPECT_EQ(message.rfind("Error saving event file\n\r ", 0), 0u);
    EXPECT_EQ(location.location, Base());
    EXPECT_EQ(notebook.EventCount(), 1);
}

} // namespace
} // namespace kelvo
