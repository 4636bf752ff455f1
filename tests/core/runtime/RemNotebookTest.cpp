#include "core/runtime/RemNotebook.h"

#include "core/entities/Reminder.h"
#include "core/scheduling/ReminderInitializeCondition.h"
#include "core/scheduling/SimpleInitializeCondition.h"
#include "support/TestClock.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kelvo {
namespace {

using test::ManualTimerFactory;
using test::TestClock;

std::unique_ptr<TEvent> SilentEvent(const std::string& message) {
    auto e = std::make_unique<TEvent>();
    e->SetWindowMessage(message);
    e->EventAction().Actions().Clear();
    return e;
}

std::unique_ptr<TEvent> EventOnceAt(TDateTime dt, const std::string& message) {
    auto e = SilentEvent(message);
    e->InitializeCondition().Conditions().Add(std::make_unique<TSimpleInitializeCondition>(dt));
    return e;
}

std::unique_ptr<TEvent> DailyEventAt(TDateTime start, const std::string& message) {
    auto e = SilentEvent(message);
    auto c = std::make_unique<TSimpleInitializeCondition>(start);
    TDailyDateCondition daily;
    daily.SetStartDate(DateOf(start));
    c->SetDateCondition(&daily);
    e->InitializeCondition().Conditions().Add(std::move(c));
    return e;
}

// A condition whose every question fails, as a damaged or buggy one would.
class TBrokenCondition : public TSimpleInitializeCondition {
public:
    TDateTime NextArise(TDateTime) override { throw std::runtime_error("broken condition"); }
};

struct Report {
    std::string Kind;
    std::string Description;
    TDateTime At;
    TDateTime Clock;
};

// A notebook on a hand-driven clock and timers, recording every callback.
class NotebookTest : public ::testing::Test {
protected:
    NotebookTest() : clock(EncodeDateTime(2024, 3, 4, 9, 59, 30)), notebook(timers) {
        notebook.OnEventArise = Recorder("arise");
        notebook.OnEventLate = Recorder("late");
        notebook.OnSnoozeArise = Recorder("snooze");
        notebook.OnChange = [this](TReminderNotebook&, TEvent&, TChangeKind kind) {
            changes.push_back(kind);
        };
        notebook.RestartGenerator();
    }

    TReminderNotebook::TEntityCallback Recorder(std::string kind) {
        return [this, kind](TWaitingAriseEntity& entity, TDateTime t) {
            TEvent* owner = TReminderNotebook::OwnerEventOf(entity);
            reports.push_back({kind + (owner == &entity ? "" : " reminder"),
                               owner ? owner->Description() : "?", t, Now()});
        };
    }

    // One second of the program: the clock moves, then the generator's timer fires.
    void RunSeconds(int seconds) {
        for (int i = 0; i < seconds; ++i) {
            clock.AdvanceSeconds(1);
            GeneratorTimer().Fire();
        }
    }
    test::ManualTimer& GeneratorTimer() { return *timers.Timers().front(); }
    test::ManualTimer& Reaper() { return *timers.Timers().at(1); }

    TestClock clock;
    ManualTimerFactory timers;
    TReminderNotebook notebook;
    std::vector<Report> reports;
    std::vector<TChangeKind> changes;
};

TEST_F(NotebookTest, AnEventDueAtTenArisesInTheFirstTickAfterTen) {
    TEvent& e = notebook.AddEvent(EventOnceAt(EncodeDateTime(2024, 3, 4, 10, 0), "Call Ann"));
    EXPECT_EQ(changes, std::vector<TChangeKind>{ckAdded});
    RunSeconds(29); // up to 09:59:59
    ASSERT_TRUE(reports.empty());
    RunSeconds(1); // the tick at 10:00:00 opens the minute
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].Kind, "arise");
    EXPECT_EQ(reports[0].Description, "Call Ann");
    EXPECT_EQ(CompareDateTime(reports[0].At, EncodeDateTime(2024, 3, 4, 10, 0)), 0);
    EXPECT_EQ(CompareDateTime(reports[0].Clock, EncodeDateTime(2024, 3, 4, 10, 0)), 0);
    EXPECT_EQ(e.State(), esExecutedEvent);
    EXPECT_EQ(changes.back(), ckRearmed);
    RunSeconds(600);
    EXPECT_EQ(reports.size(), 1u) << "a once event arises once";
}

TEST_F(NotebookTest, ADailyEventMissedForThreeDaysIsReportedLateOnceThenArisesAgain) {
    // The program was closed: the event was last seen three days ago.
    auto daily = DailyEventAt(EncodeDateTime(2024, 2, 1, 8, 0), "Pills");
    daily->InitializeCondition().SetDateOfCreate(EncodeDateTime(2024, 2, 1, 7, 0));
    daily->InitializeCondition().SetLastAppear(EncodeDateTime(2024, 3, 1, 8, 0, 1));
    notebook.AddEvent(std::move(daily));
    RunSeconds(31);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].Kind, "late");
    // The program runs on until the next morning's arising.
    RunSeconds(22 * 3600 + 60);
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[1].Kind, "arise");
    EXPECT_EQ(CompareDateTime(reports[1].At, EncodeDateTime(2024, 3, 5, 8, 0)), 0);
    EXPECT_EQ(CompareDateTime(reports[1].Clock, EncodeDateTime(2024, 3, 5, 8, 0)), 0);
}

TEST_F(NotebookTest, AnEventLeftUnregisteredIsFoundAtTheFirstTickAfterASleep) {
    // Due in an hour: far beyond the next rebuild, so it is not registered.
    notebook.AddEvent(EventOnceAt(EncodeDateTime(2024, 3, 4, 11, 0), "Later"));
    notebook.AddEvent(EventOnceAt(EncodeDateTime(2024, 3, 4, 11, 31, 30), "Just after"));
    EXPECT_EQ(notebook.Generator().ConditionCount(), 0);
    // The machine sleeps past the event's moment: the window of the first tick reaches
    // beyond what was registered, so the registrations are made for it first, and the
    // event arises with its own moment as a registered one would.
    clock.Set(EncodeDateTime(2024, 3, 4, 11, 30, 0));
    RunSeconds(1);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].Kind, "arise");
    EXPECT_EQ(reports[0].Description, "Later");
    EXPECT_EQ(CompareDateTime(reports[0].At, EncodeDateTime(2024, 3, 4, 11, 0)), 0);
    // What falls just after the jump arises on time.
    RunSeconds(90);
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[1].Kind, "arise");
    EXPECT_EQ(CompareDateTime(reports[1].Clock, EncodeDateTime(2024, 3, 4, 11, 31, 0)), 0);
    RunSeconds(notebook.Generator().MaxTimerCount() + 61);
    EXPECT_EQ(reports.size(), 2u);
}

TEST_F(NotebookTest, AnEventAddedFromAFileKeepsItsSnoozeAndStartsEnabledOtherwise) {
    auto e = EventOnceAt(EncodeDateTime(2024, 3, 10, 9, 0), "Snoozed once");
    e->SetState(esSnoozedEvent);
    e->SnoozeCondition().SetSnoozeDateTime(EncodeDateTime(2024, 3, 4, 10, 5));
    TEvent& added = notebook.AddEvent(std::move(e));
    EXPECT_EQ(added.State(), esSnoozedEvent);
    EXPECT_EQ(CompareDateTime(added.SnoozeDateTime(), EncodeDateTime(2024, 3, 4, 10, 5)), 0);

    // The reminder's snooze of an event that has no reminder is the event's.
    auto orphan = EventOnceAt(EncodeDateTime(2024, 3, 10, 9, 0), "Reminder gone");
    orphan->SetState(esSnoozedReminder);
    orphan->SnoozeCondition().SetSnoozeDateTime(EncodeDateTime(2024, 3, 4, 10, 7));
    EXPECT_EQ(notebook.AddEvent(std::move(orphan)).State(), esSnoozedEvent);

    // Snoozed without a moment, or executed: enabled, no snooze.
    auto empty = EventOnceAt(EncodeDateTime(2024, 3, 10, 9, 0), "No moment");
    empty->SetState(esSnoozedEvent);
    auto executed = EventOnceAt(EncodeDateTime(2024, 3, 10, 9, 0), "Executed");
    executed->SetState(esExecutedEvent);
    EXPECT_EQ(notebook.AddEvent(std::move(empty)).State(), esEnabled);
    EXPECT_EQ(notebook.AddEvent(std::move(executed)).State(), esEnabled);

    RunSeconds(8 * 60);
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0].Kind, "snooze");
    EXPECT_EQ(reports[0].Description, "Snoozed once");
    EXPECT_EQ(CompareDateTime(reports[0].At, EncodeDateTime(2024, 3, 4, 10, 5)), 0);
    EXPECT_EQ(reports[1].Description, "Reminder gone");
    EXPECT_EQ(added.State(), esExecutedEvent);
}

TEST_F(NotebookTest, ASnoozeThatPassedWhileClosedIsReportedLateOnce) {
    auto e = EventOnceAt(EncodeDateTime(2024, 3, 4, 8, 0), "Overslept");
    e->InitializeCondition().SetDateOfCreate(EncodeDateTime(2024, 3, 1, 0, 0));
    e->InitializeCondition().SetLastAppear(EncodeDateTime(2024, 3, 4, 8, 0, 1));
    e->SetState(esSnoozedEvent);
    e->SnoozeCondition().SetSnoozeDateTime(EncodeDateTime(2024, 3, 4, 9, 0));
    TEvent& added = notebook.AddEvent(std::move(e));
    auto quiet = EventOnceAt(EncodeDateTime(2024, 3, 4, 8, 0), "Quiet");
    quiet->InitializeCondition().SetDateOfCreate(EncodeDateTime(2024, 3, 1, 0, 0));
    quiet->InitializeCondition().SetLastAppear(EncodeDateTime(2024, 3, 4, 8, 0, 1));
    quiet->SetOptions(TEventOptions());
    quiet->SetState(esSnoozedEvent);
    quiet->SnoozeCondition().SetSnoozeDateTime(EncodeDateTime(2024, 3, 4, 9, 0));
    TEvent& dropped = notebook.AddEvent(std::move(quiet));
    RunSeconds(3600);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].Kind, "late");
    EXPECT_EQ(CompareDateTime(reports[0].At, EncodeDateTime(2024, 3, 4, 9, 0)), 0);
    EXPECT_EQ(added.State(), esExecutedEvent);
    // Without reports of missed arisings the snooze just ends.
    EXPECT_EQ(dropped.State(), esEnabled);
}

TEST_F(NotebookTest, AnEventWithoutCreationTimeCountsFromTheGeneratorsLastTime) {
    auto e = EventOnceAt(EncodeDateTime(2024, 3, 10, 9, 0), "New");
    e->SetHasReminder(true);
    e->InitializeCondition().SetDateOfCreate(NullDate);
    e->Reminder()->InitializeCondition().SetDateOfCreate(NullDate);
    TEvent& added = notebook.AddEvent(std::move(e));
    const TDateTime created = added.InitializeCondition().DateOfCreate();
    EXPECT_EQ(CompareDateTime(created, notebook.Generator().LastTime()), 0);
    EXPECT_EQ(CompareDateTime(added.Reminder()->InitializeCondition().DateOfCreate(), created), 0);
}

TEST_F(NotebookTest, ACallbackMayDeleteTheEventThatAroseAndAnotherOne) {
    TEvent& first = notebook.AddEvent(EventOnceAt(EncodeDateTime(2024, 3, 4, 10, 0), "First"));
    TEvent& second = notebook.AddEvent(EventOnceAt(EncodeDateTime(2024, 3, 4, 10, 0), "Second"));
    notebook.OnEventArise = [&](TWaitingAriseEntity& entity, TDateTime) {
        reports.push_back({"arise", TReminderNotebook::OwnerEventOf(entity)->Description(), 0, 0});
        // Whichever arises first (the last registered) takes both with it.
        notebook.DeleteEvent(first);
        notebook.DeleteEvent(second);
    };
    RunSeconds(31);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].Description, "Second");
    EXPECT_EQ(notebook.EventCount(), 0);
    EXPECT_TRUE(Reaper().IsActive()) << "the arising event waits for the event loop";
    Reaper().Fire();
    RunSeconds(120);
    EXPECT_EQ(reports.size(), 1u);
}

TEST_F(NotebookTest, AFaultyEventCostsTheOthersNothingAndIsReportedOnce) {
    auto broken = SilentEvent("Broken");
    broken->InitializeCondition().Conditions().Add(std::make_unique<TBrokenCondition>());
    notebook.AddEvent(EventOnceAt(EncodeDateTime(2024, 3, 4, 10, 1), "Healthy"));
    EXPECT_THROW(notebook.AddEvent(std::move(broken)), std::exception);
    ASSERT_EQ(notebook.EventCount(), 2);

    try {
        notebook.RebuildRegistrations();
        FAIL() << "the faulty event is reported";
    } catch (const EReminderNotebookError& e) {
        EXPECT_NE(std::string(e.what()).find("\"Broken\": broken condition"), std::string::npos);
    }
    EXPECT_TRUE(notebook.Generator().Running());
    EXPECT_NO_THROW(notebook.RebuildRegistrations()) << "once is enough";
    EXPECT_NO_THROW(notebook.RestartGenerator());
    EXPECT_TRUE(notebook.Generator().Running());
    RunSeconds(100);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].Description, "Healthy");
}

// A start-up's load: the restart that follows registers the batch in its one pass, a faulty
// event in it included, and events added later are registered at once again.
TEST_F(NotebookTest, ABatchDeferredToTheRestartIsRegisteredByItsOnePass) {
    TOwnedEvents events;
    events.push_back(EventOnceAt(EncodeDateTime(2024, 3, 4, 10, 0), "At ten"));
    events.push_back(SilentEvent("Broken"));
    events.back()->InitializeCondition().Conditions().Add(std::make_unique<TBrokenCondition>());
    events.push_back(EventOnceAt(EncodeDateTime(2024, 3, 4, 10, 1), "At one past"));
    notebook.DeferRegistrationsToNextPass();
    EXPECT_NO_THROW(notebook.AddEvents(std::move(events)));
    ASSERT_EQ(notebook.EventCount(), 3);
    EXPECT_EQ(notebook.Generator().ConditionCount(), 0);
    try {
        notebook.RestartGenerator();
        FAIL() << "the faulty event is reported";
    } catch (const EReminderNotebookError& e) {
        EXPECT_NE(std::string(e.what()).find("\"Broken\": broken condition"), std::string::npos);
    }
    EXPECT_EQ(notebook.LastRebuildVisits(), 3u);
    notebook.AddEvent(EventOnceAt(EncodeDateTime(2024, 3, 4, 10, 2), "At two past"));
    RunSeconds(160);
    ASSERT_EQ(reports.size(), 3u);
    EXPECT_EQ(reports[0].Description, "At ten");
    EXPECT_EQ(reports[1].Description, "At one past");
    EXPECT_EQ(reports[2].Description, "At two past");
}

TEST_F(NotebookTest, AReminderArisesForItsEventAndRearmsIt) {
    // A new reminder warns one day before, at the event's time.
    auto e = EventOnceAt(EncodeDateTime(2024, 3, 5, 12, 0), "Lunch");
    e->SetHasReminder(true);
    e->Reminder()->InitializeCondition().Conditions().Add(
        std::make_unique<TReminderInitializeCondition>());
    e->Reminder()->EventAction().Actions().Clear();
    TEvent& lunch = notebook.AddEvent(std::move(e));
    clock.Set(EncodeDateTime(2024, 3, 4, 11, 58, 30));
    notebook.RestartGenerator();
    changes.clear();
    RunSeconds(100);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].Kind, "arise reminder");
    EXPECT_EQ(reports[0].Description, "Lunch");
    EXPECT_EQ(CompareDateTime(reports[0].At, EncodeDateTime(2024, 3, 4, 12, 0)), 0);
    EXPECT_EQ(lunch.State(), esExecutedReminder);
    EXPECT_EQ(changes, std::vector<TChangeKind>{ckRearmed});
}

TEST_F(NotebookTest, PositionsFollowRemovalsAndBelongToTheirNotebook) {
    std::vector<TEvent*> own;
    for (const char* name : {"a", "b", "c", "d"})
        own.push_back(&notebook.AddEvent(SilentEvent(name)));
    TEvent& due = notebook.AddEvent(EventOnceAt(EncodeDateTime(2024, 3, 4, 10, 0), "Due"));
    TReminderNotebook other(timers);
    std::vector<TEvent*> others;
    for (const char* name : {"x", "y", "z"})
        others.push_back(&other.AddEvent(SilentEvent(name)));

    auto b = notebook.RemoveEvent(*own[1]);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(notebook.IndexOf(*own[0]), 0);
    EXPECT_EQ(notebook.IndexOf(*own[2]), 1);
    EXPECT_EQ(notebook.IndexOf(*own[3]), 2);
    EXPECT_EQ(notebook.IndexOf(due), 3);
    EXPECT_EQ(notebook.IndexOf(*b), -1);
    for (TEvent* e : others) // the same positions, in another notebook
        EXPECT_FALSE(notebook.Contains(*e));

    // Moved over, the event belongs to the other notebook only.
    TEvent& moved = other.AddEvent(std::move(b));
    EXPECT_EQ(other.IndexOf(moved), 3);
    EXPECT_FALSE(notebook.Contains(moved));
    other.DeleteEvent(*others[0]);
    EXPECT_EQ(other.IndexOf(moved), 2);
    EXPECT_EQ(&other.Event(other.IndexOf(*others[2])), others[2]);

    // The event that moved down still arises: its arising asks for it by position.
    notebook.DeleteEvent(*own[0]);
    EXPECT_EQ(notebook.IndexOf(due), 2);
    RunSeconds(31);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].Description, "Due");
    EXPECT_EQ(&notebook.Event(notebook.IndexOf(due)), &due);
}

TEST(NotebookQueries, FindAndDaysAndTemplates) {
    TestClock clock(EncodeDateTime(2024, 3, 4, 8, 0));
    ManualTimerFactory timers;
    TReminderNotebook notebook(timers);
    TEvent& dentist = notebook.AddEvent(EventOnceAt(EncodeDateTime(2024, 3, 6, 9, 0), "Dentist"));
    TEvent& call = notebook.AddEvent(EventOnceAt(EncodeDateTime(2024, 3, 5, 9, 0), "Call_Ann"));
    TEvent& late = notebook.AddEvent(EventOnceAt(EncodeDateTime(2024, 4, 1, 9, 0), "call ann"));
    late.SetTemplate("Work");

    EXPECT_EQ(notebook.FindByDescription("ann", 0).Count(), 2);
    EXPECT_EQ(notebook.FindByDescription("Ann", ffMatchCase).Count(), 1);
    EXPECT_EQ(notebook.FindByDescription("ann", ffWholeWord).Count(), 1)
        << "Call_Ann touches an underscore";

    const TEventList days =
        notebook.EventsInDays(EncodeDate(2024, 3, 6), EncodeDateTime(2024, 3, 4, 12, 0));
    ASSERT_EQ(days.Count(), 2);
    EXPECT_EQ(&days.Items(0), &call) << "sorted by next arising";
    EXPECT_EQ(&days.Items(1), &dentist);
    EXPECT_EQ(notebook.EventsInDays(NullDate, NullDate).Count(), 3);
    EXPECT_EQ(notebook.EventsDueBy(EncodeDate(2024, 3, 6), Now()).Count(), 1);

    EXPECT_TRUE(notebook.TemplateInUse("Work"));
    notebook.RenameTemplate("Work", "Office");
    EXPECT_FALSE(notebook.TemplateInUse("Work"));
    EXPECT_EQ(notebook.EventsOfTemplate("Office").Count(), 1);

    TDateTime when = 0;
    EXPECT_EQ(notebook.NearestEvent(when), &call);
    EXPECT_EQ(CompareDateTime(when, EncodeDateTime(2024, 3, 5, 9, 0)), 0);

    int index = -2;
    auto removed = notebook.RemoveEvent(call, &index);
    EXPECT_EQ(index, 1);
    EXPECT_EQ(notebook.IndexOf(late), 1);
    EXPECT_EQ(notebook.RemoveEvent(*removed, &index), nullptr);
    EXPECT_EQ(index, -1);
    EXPECT_THROW(notebook.Event(2), EReminderNotebookError);
}

TEST(NotebookQueries, BatchesAnnounceNothing) {
    TestClock clock;
    ManualTimerFactory timers;
    TReminderNotebook notebook(timers);
    int calls = 0;
    notebook.OnChange = [&](TReminderNotebook&, TEvent&, TChangeKind) { ++calls; };
    TOwnedEvents events;
    events.push_back(SilentEvent("a"));
    events.push_back(SilentEvent("b"));
    notebook.AddEvents(std::move(events));
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(notebook.EventCount(), 2);
    notebook.EndUpdate(); // never below zero
    notebook.AddEvent(SilentEvent("c"));
    EXPECT_EQ(calls, 1);
    int removed = 0;
    notebook.OnEventRemoved = [&](TEvent&) { ++removed; };
    notebook.DeleteAllEvents();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(removed, 3) << "windows of removed events close even in a batch";
    EXPECT_EQ(notebook.EventCount(), 0);
}

} // namespace
} // namespace kelvo
