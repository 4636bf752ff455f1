// What kelvo-cli reports for reminders near the end of an event's arisings and for snoozes
// kept in the events file: the notebook and the generator as the programs run them.

#include "cli/CliProcess.h"
#include "core/entities/Reminder.h"
#include "core/scheduling/ReminderInitializeCondition.h"
#include "core/scheduling/SimpleInitializeCondition.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace kelvo {
namespace {

using test::RunCli;
using test::SaveEvents;

std::unique_ptr<TEvent> OnceEvent(const std::string& message, TDateTime at) {
    auto e = std::make_unique<TEvent>();
    e->SetWindowMessage(message);
    e->InitializeCondition().SetDateOfCreate(EncodeDateTime(2024, 1, 1, 0, 0));
    e->InitializeCondition().Conditions().Add(std::make_unique<TSimpleInitializeCondition>(at));
    return e;
}

// Every day from five days before, until the event, at the event's time.
void AddDailyCountdown(TEvent& e) {
    e.SetHasReminder(true);
    TPeriodicRelativeCondition days;
    days.SetFromSubject({5, ptDay});
    days.SetPeriodSubject({1, ptDay});
    days.SetUntilType(ruUntilEvent);
    auto c = std::make_unique<TReminderInitializeCondition>();
    c->SetRelativeCondition(&days);
    e.Reminder()->InitializeCondition().Conditions().Add(std::move(c));
    e.Reminder()->InitializeCondition().SetDateOfCreate(EncodeDateTime(2024, 1, 1, 0, 0));
}

int Lines(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

class SchedulingCliTest : public ::testing::Test {
protected:
    test::TempDir dir;
};

TEST_F(SchedulingCliTest, ACountdownReminderOfAOnceEventKeepsItsLaterDays) {
    auto exam = OnceEvent("Exam", EncodeDateTime(2024, 3, 14, 10, 0));
    AddDailyCountdown(*exam);
    const std::string file = SaveEvents(dir, {exam.get()});

    // Asked after that day's reminder: the next days' are still to come.
    const auto next =
        RunCli(dir, {"next", "--from", "2024-03-11 10:00:30", "--count", "5", "--events", file});
    EXPECT_EQ(next.Exit, 0) << next.Err;
    EXPECT_EQ(next.Out, "2024-03-12 10:00:00\treminder\t0\tExam\n"
                        "2024-03-13 10:00:00\treminder\t0\tExam\n"
                        "2024-03-14 10:00:00\tevent\t0\tExam\n");
    const auto agenda =
        RunCli(dir, {"agenda", "--from", "2024-03-11 10:00:30", "--days", "2", "--events", file});
    EXPECT_EQ(agenda.Out, "2024-03-12 10:00:00\treminder\t0\tExam\n");

    // The program last saw the reminder on the 11th, and was closed until the 13th at noon:
    // the reminders of the 12th and the 13th are one missed report, then the event arises.
    exam->Reminder()->InitializeCondition().SetLastAppear(EncodeDateTime(2024, 3, 11, 10, 0, 1));
    SaveEvents(dir, {exam.get()});
    const auto run = RunCli(dir, {"simulate", "--events", file, "--start", "2024-03-13 12:00",
                                  "--until", "2024-03-14 10:01"});
    EXPECT_EQ(run.Exit, 0) << run.Err;
    ASSERT_EQ(Lines(run.Out), 2) << run.Out;
    EXPECT_EQ(run.Out.rfind("2024-03-13 12:00:01\tlate\treminder\t0\t", 0), 0u) << run.Out;
    EXPECT_NE(run.Out.find("\n2024-03-14 10:00:00\tarise\tevent\t0\t2024-03-14 10:00:00\n"),
              std::string::npos)
        << run.Out;
}

class SnoozeCliTest : public SchedulingCliTest {
protected:
    // Arose at 10:00 and was snoozed for an hour.
    std::unique_ptr<TEvent> Snoozed(const std::string& message, TEventState state) {
        auto e = OnceEvent(message, EncodeDateTime(2024, 3, 4, 10, 0));
        e->InitializeCondition().SetLastAppear(EncodeDateTime(2024, 3, 4, 10, 0, 1));
        e->SetState(state);
        e->SnoozeCondition().SetSnoozeDateTime(EncodeDateTime(2024, 3, 4, 11, 0));
        return e;
    }
};

TEST_F(SnoozeCliTest, ASnoozeOutlivesARestartAndArisesOnce) {
    auto tea = Snoozed("Tea", esSnoozedEvent);
    auto call = Snoozed("Call", esSnoozedReminder);
    AddDailyCountdown(*call);
    call->Reminder()->InitializeCondition().SetLastAppear(EncodeDateTime(2024, 3, 3, 10, 0, 1));
    auto orphan = Snoozed("Orphan", esSnoozedReminder); // its reminder was removed meanwhile
    const std::string file = SaveEvents(dir, {tea.get(), call.get(), orphan.get()});
    const auto stored = RunCli(dir, {"describe", "--events", file});
    EXPECT_NE(stored.Out.find("0\tSnoozed on Mon 2024-03-04 11:00\tTea\t"), std::string::npos)
        << stored.Out;

    // The program runs from 10:30 to 10:40, saves, and starts again.
    const std::string mid = dir.File("mid.evn");
    const auto first = RunCli(dir, {"simulate", "--events", file, "--start", "2024-03-04 10:30",
                                    "--until", "2024-03-04 10:40", "--save", mid});
    EXPECT_EQ(first.Exit, 0) << first.Err;
    EXPECT_EQ(first.Out, "");
    EXPECT_EQ(RunCli(dir, {"describe", "--events", mid}).Out, stored.Out);

    const std::string after = dir.File("after.evn");
    const auto second = RunCli(dir, {"simulate", "--events", mid, "--start", "2024-03-04 10:40",
                                     "--until", "2024-03-04 11:30", "--save", after});
    EXPECT_EQ(second.Exit, 0) << second.Err;
    EXPECT_EQ(second.Out, "2024-03-04 11:00:00\tsnooze\tevent\t2\t2024-03-04 11:00:00\n"
                          "2024-03-04 11:00:00\tsnooze\treminder\t1\t2024-03-04 11:00:00\n"
                          "2024-03-04 11:00:00\tsnooze\tevent\t0\t2024-03-04 11:00:00\n");
    const auto done = RunCli(dir, {"describe", "--events", after}).Out;
    EXPECT_NE(done.find("0\tExecuted\tTea\t"), std::string::npos) << done;
    EXPECT_NE(done.find("1\tExecuted reminder\tCall\t"), std::string::npos) << done;
}

TEST_F(SnoozeCliTest, ASnoozeThatPassedWhileClosedIsReportedMissedOnce) {
    auto tea = Snoozed("Tea", esSnoozedEvent);
    auto plain = Snoozed("Plain", esExecutedEvent); // not snoozed: nothing to come
    const std::string file = SaveEvents(dir, {tea.get(), plain.get()});
    const auto run = RunCli(dir, {"simulate", "--events", file, "--start", "2024-03-04 12:00",
                                  "--until", "2024-03-04 14:00"});
    EXPECT_EQ(run.Exit, 0) << run.Err;
    EXPECT_EQ(run.Out, "2024-03-04 12:00:01\tlate\tevent\t0\t2024-03-04 11:00:00\n");
}

} // namespace
} // namespace kelvo
