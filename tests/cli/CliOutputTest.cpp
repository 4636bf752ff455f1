// What kelvo-cli prints of stored texts and how it ends on damaged files and bad arguments:
// a real process on files written by the data-file writer.

#include "core/actions/EventAction.h"
#include "core/entities/Event.h"
#include "core/persistence/EventFile.h"
#include "core/scheduling/SimpleInitializeCondition.h"
#include "support/TestSupport.h"

#include <algorithm>
#include <cstdlib>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

namespace kelvo {
namespace {

using ::testing::HasSubstr;

struct TOutput {
    int Exit = -1;
    std::string Out;
    std::string Err;
};

std::string Quoted(const std::string& s) {
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

std::size_t Lines(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

class CliOutputTest : public ::testing::Test {
protected:
    TOutput Run(const std::vector<std::string>& args) {
        std::string command = "env HOME=" + Quoted(dir.Path().string()) +
                              " XDG_CONFIG_HOME=" + Quoted(dir.File("config")) +
                              " XDG_DATA_HOME=" + Quoted(dir.File("data")) + " LC_ALL=C " +
                              Quoted(KELVO_CLI_PATH);
        for (const auto& a : args)
            command += " " + Quoted(a);
        command += " >" + Quoted(dir.File("out")) + " 2>" + Quoted(dir.File("err")) + " </dev/null";
        const int status = std::system(command.c_str());
        TOutput run;
        run.Exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.Out = test::ReadWholeFile(dir.File("out"));
        run.Err = test::ReadWholeFile(dir.File("err"));
        return run;
    }

    std::string Save(const std::vector<std::unique_ptr<TEvent>>& events) {
        TEventList list;
        for (const auto& e : events)
            list.Add(*e);
        SaveEventsFile(dir.File("events.evn"), list);
        return dir.File("events.evn");
    }

    static std::unique_ptr<TEvent> Event(const std::string& message) {
        auto e = std::make_unique<TEvent>();
        e->SetWindowMessage(message);
        e->InitializeCondition().SetDateOfCreate(EncodeDateTime(2024, 1, 1, 0, 0));
        e->InitializeCondition().Conditions().Add(
            std::make_unique<TSimpleInitializeCondition>(EncodeDateTime(2024, 3, 5, 9, 0)));
        e->EventAction().Actions().Clear();
        return e;
    }

    test::TempDir dir;
};

TEST_F(CliOutputTest, StoredTextsPrintAsUtf8) {
    std::vector<std::unique_ptr<TEvent>> events;
    events.push_back(Event("Dr. M\xFCller \x80 \x81"));  // written on Windows
    events.push_back(Event("Caf\xC3\xA9 \xE2\x82\xAC")); // UTF-8 already
    const std::string file = Save(events);

    const TOutput next = Run({"next", "--from", "2024-03-01", "--events", file});
    EXPECT_EQ(next.Exit, 0) << next.Err;
    EXPECT_EQ(next.Out, "2024-03-05 09:00:00\tevent\t0\tDr. M\xC3\xBCller \xE2\x82\xAC \xC2\x81\n"
                        "2024-03-05 09:00:00\tevent\t1\tCaf\xC3\xA9 \xE2\x82\xAC\n");
    const TOutput describe = Run({"describe", "--events", file});
    EXPECT_THAT(describe.Out, HasSubstr("\tDr. M\xC3\xBCller \xE2\x82\xAC \xC2\x81\t"));
}

TEST_F(CliOutputTest, LineBreaksInStoredTextsStayOnTheEventsLine) {
    std::vector<std::unique_ptr<TEvent>> events;
    events.push_back(Event("Call\tAnn"));
    auto mail = std::make_unique<TSendMailAction>();
    mail->SetSendTo("ann@example.org,\r\nbob@example.org\rcid@example.org\n");
    events[0]->EventAction().Actions().Add(std::move(mail));
    auto launch = std::make_unique<TLaunchAppEventAction>();
    launch->SetFileName(dir.File("first\nsecond"));
    events[0]->EventAction().Actions().Add(std::move(launch));
    const std::string file = Save(events);

    const TOutput describe = Run({"describe", "--events", file});
    EXPECT_EQ(describe.Exit, 0) << describe.Err;
    EXPECT_EQ(Lines(describe.Out), 1u) << describe.Out;
    EXPECT_THAT(describe.Out, HasSubstr("\tCall Ann\t"));
    EXPECT_THAT(describe.Out, HasSubstr("ann@example.org, bob@example.org cid@example.org "));
    EXPECT_THAT(describe.Out, HasSubstr(dir.File("first second")));

    // execute names each action and its error on one line each.
    const TOutput execute = Run({"execute", "0", "--events", file});
    EXPECT_EQ(Lines(execute.Out), 2u) << execute.Out;
    EXPECT_THAT(execute.Out, HasSubstr("cannot open \"" + dir.File("first second") + "\"\n"));
}

TEST_F(CliOutputTest, SkippedRecordsExit3AndErrorsNameTheFile) {
    std::vector<std::unique_ptr<TEvent>> events;
    for (const char* name : {"first", "second", "third"})
        events.push_back(Event(name));
    std::string bytes = test::ReadWholeFile(Save(events));
    const std::size_t marker = bytes.find("RM_BEGIN_EVENT", bytes.find("RM_BEGIN_EVENT") + 1);
    bytes[bytes.find("TEvent", marker) + 1] = 'X';
    const std::string damaged = dir.File("damaged.evn");
    test::WriteWholeFile(damaged, bytes);

    for (const char* command : {"next", "agenda"}) {
        const TOutput run = Run({command, "--from", "2024-03-05", "--events", damaged});
        EXPECT_EQ(run.Exit, 3) << command << run.Err;
        EXPECT_EQ(run.Err.rfind("kelvo-cli: " + damaged + ": Error in event's file", 0), 0u)
            << run.Err;
        EXPECT_EQ(Lines(run.Err), 1u) << run.Err;
        EXPECT_THAT(run.Out, HasSubstr("\tfirst\n"));
        EXPECT_THAT(run.Out, HasSubstr("\tthird\n"));
    }
    const TOutput describe = Run({"describe", "--events", damaged});
    EXPECT_EQ(describe.Exit, 3);
    EXPECT_EQ(Lines(describe.Out), 2u);

    const TOutput missing = Run({"describe", "--events", dir.File("none.evn")});
    EXPECT_EQ(missing.Exit, 2);
    EXPECT_EQ(missing.Err.rfind("kelvo-cli: ", 0), 0u);
    EXPECT_THAT(missing.Err, HasSubstr(dir.File("none.evn")));
    EXPECT_EQ(Lines(missing.Err), 1u);
    EXPECT_THAT(Run({"--help"}).Out, HasSubstr("  3   the events file was read but damaged"));
}

TEST_F(CliOutputTest, AUsageErrorIsOneLineAndWhereHelpIs) {
    const TOutput unknown = Run({"frobnicate"});
    EXPECT_EQ(unknown.Exit, 64);
    EXPECT_EQ(unknown.Err, "kelvo-cli: unknown command \"frobnicate\"\n"
                           "Try 'kelvo-cli --help'.\n");
    const TOutput none = Run({});
    EXPECT_EQ(none.Exit, 64);
    EXPECT_EQ(none.Err, "kelvo-cli: no command given\nTry 'kelvo-cli --help'.\n");
    EXPECT_EQ(Run({"next", "--count", "many"}).Err,
              "kelvo-cli: option --count needs a whole number of at least 0, not \"many\"\n"
              "Try 'kelvo-cli --help'.\n");
}

} // namespace
} // namespace kelvo
