// kelvo-cli as scripts meet it: a real process on files written by the data-file writer, its
// whole output compared.

#include "core/entities/Reminder.h"
#include "core/persistence/EventFile.h"
#include "core/scheduling/ReminderInitializeCondition.h"
#include "core/scheduling/SimpleInitializeCondition.h"
#include "support/TestSupport.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace kelvo {
namespace {

struct TRun {
    int Exit = -1;
    std::string Out;
    std::string Err;
};

std::string Quote(const std::string& s) {
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

class CliTest : public ::testing::Test {
protected:
    TRun Run(const std::vector<std::string>& args) {
        std::string command = "env HOME=" + Quote(dir.Path().string()) +
                              " XDG_CONFIG_HOME=" + Quote(dir.File("config")) +
                              " XDG_DATA_HOME=" + Quote(dir.File("data")) + " LC_ALL=C " +
                              Quote(KELVO_CLI_PATH);
        for (const auto& a : args)
            command += " " + Quote(a);
        command += " >" + Quote(dir.File("out")) + " 2>" + Quote(dir.File("err")) + " </dev/null";
        const int status = std::system(command.c_str());
        TRun run;
        run.Exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.Out = test::ReadWholeFile(dir.File("out"));
        run.Err = test::ReadWholeFile(dir.File("err"));
        return run;
    }

    // Writes the events and answers the file's name.
    std::string Save(const std::vector<TEvent*>& events, const std::string& name = "events.evn") {
        TEventList list;
        for (TEvent* e : events)
            list.Add(*e);
        SaveEventsFile(dir.File(name), list);
        return dir.File(name);
    }

    test::TempDir dir;
};

std::unique_ptr<TEvent> Event(const std::string& message) {
    auto e = std::make_unique<TEvent>();
    e->SetWindowMessage(message);
    e->InitializeCondition().SetDateOfCreate(EncodeDateTime(2024, 1, 1, 0, 0));
    return e;
}

void AddOnce(TEvent& e, TDateTime dt) {
    e.InitializeCondition().Conditions().Add(std::make_unique<TSimpleInitializeCondition>(dt));
}

void AddDaily(TEvent& e, TDateTime first) {
    auto c = std::make_unique<TSimpleInitializeCondition>(first);
    TDailyDateCondition daily;
    daily.SetStartDate(DateOf(first));
    c->SetDateCondition(&daily);
    e.InitializeCondition().Conditions().Add(std::move(c));
}

// One day before at the event's time, the reminder a new event gets.
void AddDayBeforeReminder(TEvent& e) {
    e.SetHasReminder(true);
    e.Reminder()->InitializeCondition().Conditions().Add(
        std::make_unique<TReminderInitializeCondition>());
    e.Reminder()->InitializeCondition().SetDateOfCreate(EncodeDateTime(2024, 1, 1, 0, 0));
}

TEST_F(CliTest, NextListsEveryArisingInOrder) {
    auto pills = Event("Pills\ttwice");
    AddDaily(*pills, EncodeDateTime(2024, 3, 1, 9, 0));
    auto dentist = Event("Dentist");
    AddOnce(*dentist, EncodeDateTime(2024, 3, 5, 9, 0));
    AddDayBeforeReminder(*dentist);
    const std::string file = Save({pills.get(), dentist.get()});

    const TRun run = Run({"next", "--from", "2024-03-04 09:00", "--count", "3", "--events", file});
    EXPECT_EQ(run.Exit, 0) << run.Err;
    EXPECT_EQ(run.Out, "2024-03-04 09:00:00\tevent\t0\tPills twice\n"
                       "2024-03-04 09:00:00\treminder\t1\tDentist\n"
                       "2024-03-05 09:00:00\tevent\t0\tPills twice\n"
                       "2024-03-05 09:00:00\tevent\t1\tDentist\n"
                       "2024-03-06 09:00:00\tevent\t0\tPills twice\n");
    EXPECT_EQ(run.Err, "");
}

TEST_F(CliTest, AgendaShowsTheDaysFromTheStartMomentOn) {
    auto pills = Event("Pills");
    AddDaily(*pills, EncodeDateTime(2024, 3, 1, 9, 0));
    auto dentist = Event("Dentist");
    AddOnce(*dentist, EncodeDateTime(2024, 3, 6, 8, 30));
    AddDayBeforeReminder(*dentist);
    const std::string file = Save({pills.get(), dentist.get()});

    // From 10:00 the first day's 09:00 is gone.
    const TRun run = Run({"--events", file, "agenda", "--from", "2024-03-04 10:00", "--days", "3"});
    EXPECT_EQ(run.Exit, 0) << run.Err;
    EXPECT_EQ(run.Out, "2024-03-05 08:30:00\treminder\t1\tDentist\n"
                       "2024-03-05 09:00:00\tevent\t0\tPills\n"
                       "2024-03-06 08:30:00\tevent\t1\tDentist\n"
                       "2024-03-06 09:00:00\tevent\t0\tPills\n");
    EXPECT_EQ(Run({"agenda", "--events", file, "--from", "2024-04-01", "--days", "0"}).Out, "");
}

TEST_F(CliTest, DescribeGivesStateDescriptionConditionsAndActions) {
    auto plain = Event("Water the plants");
    AddOnce(*plain, EncodeDateTime(2024, 3, 5, 9, 0));
    auto snoozed = Event("   \r\nCall Ann");
    AddOnce(*snoozed, EncodeDateTime(2024, 3, 5, 9, 0));
    AddDayBeforeReminder(*snoozed);
    snoozed->EventAction().Actions().Clear();
    snoozed->SetState(esSnoozedEvent);
    snoozed->SnoozeCondition().SetSnoozeDateTime(EncodeDateTime(2024, 3, 4, 10, 5));
    const std::string file = Save({plain.get(), snoozed.get()});

    const TRun run = Run({"describe", "--events", file});
    EXPECT_EQ(run.Exit, 0) << run.Err;
    const std::string once = plain->InitializeCondition().Description();
    const std::string reminder = snoozed->Reminder()->InitializeCondition().Description();
    EXPECT_FALSE(once.empty());
    EXPECT_EQ(run.Out, "0\tEnabled\tWater the plants\t" + once + "\t\t" +
                           plain->ActionDescription() + "\n" +
                           "1\tSnoozed on Mon 2024-03-04 10:05\tCall Ann\t" + once + "\t" +
                           reminder + "\tNone action\n");
}

TEST_F(CliTest, SimulateReportsWhatTheGeneratorWouldAndSavesTheResult) {
    auto soon = Event("Soon");
    AddOnce(*soon, EncodeDateTime(2024, 3, 4, 10, 2));
    auto missed = Event("Missed");
    AddOnce(*missed, EncodeDateTime(2024, 3, 4, 7, 0));
    const std::string file = Save({soon.get(), missed.get()});
    const std::string before = test::ReadWholeFile(file);
    const std::string saved = dir.File("after.evn");

    const TRun run = Run({"simulate", "--events", file, "--start", "2024-03-04 10:00:30", "--until",
                          "2024-03-04 10:05", "--save", saved});
    EXPECT_EQ(run.Exit, 0) << run.Err;
    EXPECT_EQ(run.Out, "2024-03-04 10:00:31\tlate\tevent\t1\t2024-03-04 07:00:00\n"
                       "2024-03-04 10:02:00\tarise\tevent\t0\t2024-03-04 10:02:00\n");
    TAnswerNoHost host;
    const TOwnedEvents after = LoadEventsFile(saved, host);
    ASSERT_EQ(after.size(), 2u);
    EXPECT_EQ(CompareDateTime(after[0]->InitializeCondition().LastAppear(),
                              EncodeDateTime(2024, 3, 4, 10, 2)),
              0);
    EXPECT_EQ(test::ReadWholeFile(file), before) << "the input stays as it was";
}

TEST_F(CliTest, BadArgumentsExit64WithWhereHelpIs) {
    auto e = Event("x");
    const std::string file = Save({e.get()});
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"agenda", "--from", "2024-02-30", "--events", file},
          {"next", "--count", "-1", "--events", file},
          {"frobnicate", "--events", file},
          {"agenda", "--week-start", "Funday", "--events", file},
          {"agenda", "--days"},
          {"describe", "--bogus", "--events", file},
          {"simulate", "--start", "2024-03-04", "--events", file}}) {
        const TRun run = Run(args);
        EXPECT_EQ(run.Exit, 64) << args.front() << " " << args.at(1);
        EXPECT_NE(run.Err.find("\nTry 'kelvo-cli --help'.\n"), std::string::npos);
        EXPECT_EQ(run.Out, "");
    }
    const TRun help = Run({"--help"});
    EXPECT_EQ(help.Exit, 0);
    for (const char* command : {"agenda", "next", "simulate", "describe"})
        EXPECT_NE(help.Out.find(command), std::string::npos) << command;
    EXPECT_EQ(Run({"--version"}).Out.rfind("kelvo-cli ", 0), 0u);
}

TEST_F(CliTest, UnreadableFilesExit2WithOneLineAndDamagedRecordsAreSkippedWith3) {
    const TRun missing = Run({"describe", "--events", dir.File("none.evn")});
    EXPECT_EQ(missing.Exit, 2);
    EXPECT_EQ(std::count(missing.Err.begin(), missing.Err.end(), '\n'), 1) << missing.Err;

    test::WriteWholeFile(dir.File("garbage.evn"), "this is no events file");
    EXPECT_EQ(Run({"describe", "--events", dir.File("garbage.evn")}).Exit, 2);

    auto a = Event("first");
    auto b = Event("second");
    auto c = Event("third");
    std::string bytes = test::ReadWholeFile(Save({a.get(), b.get(), c.get()}));
    const std::size_t marker = bytes.find("RM_BEGIN_EVENT", bytes.find("RM_BEGIN_EVENT") + 1);
    bytes[bytes.find("TEvent", marker) + 1] = 'X';
    test::WriteWholeFile(dir.File("damaged.evn"), bytes);
    const TRun damaged = Run({"describe", "--events", dir.File("damaged.evn")});
    EXPECT_EQ(damaged.Exit, 3);
    EXPECT_EQ(
        damaged.Err.rfind("kelvo-cli: " + dir.File("damaged.evn") + ": Error in event's file", 0),
        0u)
        << damaged.Err;
    EXPECT_NE(damaged.Out.find("0\tEnabled\tfirst\t"), std::string::npos);
    EXPECT_NE(damaged.Out.find("1\tEnabled\tthird\t"), std::string::npos) << damaged.Out;
}

} // namespace
} // namespace kelvo
