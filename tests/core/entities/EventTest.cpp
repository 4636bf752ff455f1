#include "core/entities/Event.h"

#include "EntityTestSupport.h"
#include "core/entities/Reminder.h"
#include "core/scheduling/ReminderInitializeCondition.h"
#include "core/scheduling/SimpleInitializeCondition.h"
#include "core/util/paAssign.h"
#include "support/TestClock.h"

#include <gtest/gtest.h>

using namespace kelvo;
using kelvo::test::CountActions;
using kelvo::test::TCountingAction;

namespace {

// A complex action of a class of its own, to see the entity replace its object.
class TOtherComplexAction : public TComplexEventAction {
    KELVO_PERSISTENT(TOtherComplexAction)
};
const TClassInfo& TOtherComplexAction::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TOtherComplexAction, TComplexEventAction>("TOtherComplexAction").Build();
    return info;
}

const TDateTime At = EncodeDateTime(2024, 3, 10, 10, 0);

void ArisesOnceAt(TWaitingAriseEntity& entity, TDateTime dt) {
    entity.InitializeCondition().Conditions().Clear();
    entity.InitializeCondition().Conditions().Add(std::make_unique<TSimpleInitializeCondition>(dt));
}

// The generator's check of the minute that holds dt.
void CheckMinuteOf(TInitializeCondition& c, TDateTime dt) {
    c.Check(IncMinute(-1, dt), IncSecond(30, dt));
}

struct Recorded {
    std::vector<std::string> calls;
    TWaitingAriseEntity::TAriseHandler Handler(const std::string& name) {
        return [this, name](TWaitingAriseEntity& sender, TDateTime t) {
            calls.push_back(name + " " + sender.ClassName() + " " + std::to_string(t));
        };
    }
};

} // namespace

TEST(WaitingAriseEntity, StartsEmptyAndDescribesNoActionsAsNoneAction) {
    TReminder r;
    EXPECT_EQ(r.EventAction().Actions().Count(), 0);
    EXPECT_EQ(r.InitializeCondition().Conditions().Count(), 0);
    EXPECT_TRUE(r.RunActionsOnArise);
    EXPECT_EQ(r.ActionDescription(), "None action");
    r.EventAction().Actions().Add(std::make_unique<TSendNetEventAction>());
    EXPECT_EQ(r.ActionDescription(), "Empty action. Set action params please...");
}

TEST(WaitingAriseEntity, EventActionSetterCopiesAndReplacesByClass) {
    TEvent e;
    TComplexEventAction* before = &e.EventAction();
    EXPECT_THROW(
        {
            try {
                e.SetEventAction(nullptr);
            } catch (const EWaitingAriseEnityError& err) {
                EXPECT_STREQ(err.what(), "Illeagal assign to property EventAction. Action must "
                                         "be TComplexEventAction and not null");
                throw;
            }
        },
        EWaitingAriseEnityError);
    EXPECT_EQ(&e.EventAction(), before);
    EXPECT_EQ(e.EventAction().Actions().Count(), 1); // the beep stays

    TComplexEventAction same;
    same.Actions().Add(std::make_unique<TLaunchAppEventAction>());
    same.Actions().Add(std::make_unique<TBeepEventAction>());
    e.SetEventAction(same);
    EXPECT_EQ(&e.EventAction(), before);
    EXPECT_EQ(e.EventAction().Actions().Count(), 2);
    EXPECT_NE(&e.EventAction().Actions().Items(0), &same.Actions().Items(0));

    TOtherComplexAction other;
    other.Actions().Add(std::make_unique<TSendNetEventAction>());
    e.SetEventAction(other);
    EXPECT_NE(&e.EventAction(), &other);
    EXPECT_EQ(e.EventAction().ClassName(), "TOtherComplexAction");
    ASSERT_EQ(e.EventAction().Actions().Count(), 1);
    EXPECT_EQ(e.EventAction().Actions().Items(0).ClassName(), "TSendNetEventAction");
}

TEST(WaitingAriseEntity, ConditionAssignedFromElsewhereStillReportsToTheEntity) {
    test::TestClock clock(At);
    TReminder r;
    auto& action = CountActions(r);
    Recorded rec;
    r.OnArise = rec.Handler("arise");

    TComplexInitializeCondition other;
    other.Conditions().Add(std::make_unique<TSimpleInitializeCondition>(At));
    bool otherHeard = false;
    other.OnArise = [&](TDateTime) { otherHeard = true; };
    r.SetInitializeCondition(other);

    CheckMinuteOf(r.InitializeCondition(), At);
    EXPECT_FALSE(otherHeard);
    ASSERT_EQ(rec.calls.size(), 1u);
    EXPECT_EQ(rec.calls[0], "arise TReminder " + std::to_string(At));
    EXPECT_EQ(action.executed, 1);
}

TEST(WaitingAriseEntity, LateHandsOverTheMissedMomentAndTheGateStopsOnlyTheActions) {
    test::TestClock clock(At + 3);
    TReminder r;
    auto& action = CountActions(r);
    Recorded rec;
    r.OnLate = rec.Handler("late");
    r.OnArise = rec.Handler("arise");
    r.DoLate(At);
    ASSERT_EQ(rec.calls.size(), 1u);
    EXPECT_EQ(rec.calls[0], "late TReminder " + std::to_string(At));
    EXPECT_EQ(action.executed, 1);

    r.RunActionsOnArise = false;
    r.DoArise(At);
    EXPECT_EQ(rec.calls.size(), 2u);
    EXPECT_EQ(action.executed, 1);
}

TEST(WaitingAriseEntity, AssignRejectsOtherClassesAndInitFromCountsFromNow) {
    test::TestClock clock(At);
    TEvent e;
    TBeepEventAction beep;
    EXPECT_THROW(e.Assign(beep), EAssignError);
    try {
        e.Assign(beep);
    } catch (const EAssignError& err) {
        EXPECT_STREQ(err.what(), "Cannot assign a TBeepEventAction to a TEvent");
    }

    TEvent source;
    ArisesOnceAt(source, At + 1);
    source.InitializeCondition().SetLastAppear(At - 5);
    source.InitializeCondition().SetDateOfCreate(At - 9);
    source.SetHasReminder(true);
    source.Reminder()->InitializeCondition().SetLastAppear(At - 5);
    bool heard = false;
    source.OnArise = [&](TWaitingAriseEntity&, TDateTime) { heard = true; };
    e.InitFrom(source);
    EXPECT_EQ(e.InitializeCondition().Conditions().Count(), 1);
    EXPECT_EQ(e.LastAppear(), NullDate);
    EXPECT_EQ(e.InitializeCondition().DateOfCreate(), At);
    ASSERT_TRUE(e.HasReminder());
    EXPECT_EQ(e.Reminder()->InitializeCondition().LastAppear(), NullDate);
    EXPECT_FALSE(e.OnArise); // handlers are not copied
    EXPECT_FALSE(heard);
}

TEST(Event, Defaults) {
    TEvent e;
    EXPECT_EQ(e.Options(), (TEventOptions{eoMessageAboutComingLate, eoAlarmWindowOnEvent,
                                          eoAlarmWindowOnReminder, eoStayOnTop}));
    EXPECT_EQ(e.WindowMessage(), "Don't forget about");
    EXPECT_EQ(e.Template(), "Miscellaneous");
    ASSERT_EQ(e.EventAction().Actions().Count(), 1);
    EXPECT_EQ(e.EventAction().Actions().Items(0).ClassName(), "TBeepEventAction");
    EXPECT_EQ(e.DefaultSnoozeNumber(), 5);
    EXPECT_EQ(e.DefaultSnoozePeriod(), ptMinute);
    EXPECT_EQ(e.State(), esEnabled);
    EXPECT_EQ(e.SnoozeDateTime(), NullDate);
    EXPECT_FALSE(e.HasReminder());
    EXPECT_EQ(e.MessageColor(), -16777201);
    EXPECT_EQ(e.WindowColor(), -16777201);
    EXPECT_EQ(e.IconFileId(), 0);
    EXPECT_TRUE(e.IconFileName().empty());
}

TEST(Event, OptionsAlwaysStayOnTopAndIconIdNeverNegative) {
    TEvent e;
    e.SetOptions({});
    EXPECT_EQ(e.Options(), TEventOptions{eoStayOnTop});
    e.SetCachedIconIndex(4);
    e.SetIconFileId(-3);
    EXPECT_EQ(e.IconFileId(), 0);
    EXPECT_EQ(e.CachedIconIndex(), 4); // unchanged value, the cached icon stays
    e.SetIconFileId(2);
    EXPECT_EQ(e.CachedIconIndex(), -1);
    e.SetCachedIconIndex(4);
    e.SetIconFileName("icons.dll");
    EXPECT_EQ(e.CachedIconIndex(), -1);
    e.SetCachedIconIndex(32767);
    EXPECT_EQ(e.CachedIconIndex(), 32767);
    e.SetCachedIconIndex(40000);
    EXPECT_EQ(e.CachedIconIndex(), -1) << "an index it can not hold is not cached at all";
}

TEST(Event, DescriptionTakesTheFirstLineThatIsNotBlank) {
    TEvent e;
    e.SetWindowMessage(" \r\n\t  \n\x01\x1f \n");
    EXPECT_EQ(e.Description(), e.InitializeCondition().Description());
    e.SetWindowMessage("   \nText");
    EXPECT_EQ(e.Description(), "Text");
    e.SetWindowMessage("\r\n\t  Birthday of Ann \x7f \r\nsecond line");
    EXPECT_EQ(e.Description(), "Birthday of Ann \x7f");
    e.SetWindowMessage("  Pay rent\t\r");
    EXPECT_EQ(e.Description(), "Pay rent");
}

TEST(Event, SettingTheDescriptionReplacesTheFirstOccurrenceOnly) {
    TEvent e;
    e.SetWindowMessage("  Call Bob\nCall Bob about the car");
    e.SetDescription("Ring Rob");
    EXPECT_EQ(e.WindowMessage(), "  Ring Rob\nCall Bob about the car");
    e.SetWindowMessage("");
    e.SetDescription("Anything");
    EXPECT_EQ(e.WindowMessage(), "");
    e.SetWindowMessage("call bob");
    e.SetDescription("x"); // the description is "call bob" itself
    EXPECT_EQ(e.WindowMessage(), "x");
}

TEST(Event, SnoozingTheReminderAndLosingItMeanwhile) {
    test::TestClock clock(At);
    TEvent e;
    auto& own = CountActions(e, "event");
    e.SetHasReminder(true);
    auto& early = CountActions(*e.Reminder(), "reminder");
    e.SetState(esExecutedReminder);
    e.SetDefaultSnoozeNumber(10);
    e.SnoozeReminder();
    EXPECT_EQ(e.State(), esSnoozedReminder);
    EXPECT_EQ(e.SnoozeDateTime(), IncMinute(10, At));

    std::vector<std::string> senders;
    e.OnSnoozeArise = [&](TWaitingAriseEntity& s, TDateTime) { senders.push_back(s.ClassName()); };
    e.SnoozeCondition().OnArise(IncMinute(10, At));
    EXPECT_EQ(e.State(), esExecutedReminder);
    EXPECT_EQ(senders, std::vector<std::string>{"TReminder"});
    EXPECT_EQ(early.executed, 1);
    EXPECT_EQ(own.executed, 0);

    e.SnoozeReminder();
    e.SetHasReminder(false);
    // A missed snooze is reported as missed, with the moment it was due.
    std::vector<TDateTime> late;
    e.OnLate = [&](TWaitingAriseEntity& s, TDateTime t) {
        senders.push_back(s.ClassName());
        late.push_back(t);
    };
    e.SnoozeCondition().OnLate(IncMinute(10, At));
    EXPECT_EQ(e.State(), esExecutedEvent);
    EXPECT_EQ(senders.back(), "TEvent");
    EXPECT_EQ(late, std::vector<TDateTime>{IncMinute(10, At)});
    EXPECT_EQ(own.executed, 1);
    EXPECT_EQ(e.SnoozeDateTime(), NullDate);
}

TEST(Event, StateSetterClearsTheSnoozeMomentOutsideSnoozedStates) {
    test::TestClock clock(At);
    TEvent e;
    e.SnoozeEvent();
    const TDateTime moment = IncMinute(5, At);
    EXPECT_EQ(e.SnoozeDateTime(), moment);
    e.SetState(esSnoozedReminder);
    EXPECT_EQ(e.SnoozeDateTime(), moment);
    e.SetState(esExecutedEvent);
    EXPECT_EQ(e.SnoozeDateTime(), NullDate);
    e.SetDefaultSnoozePeriod(ptDay);
    e.SetDefaultSnoozeNumber(2);
    e.SnoozeEvent();
    EXPECT_EQ(e.SnoozeDateTime(), At + 2);
    e.Enable();
    EXPECT_EQ(e.State(), esEnabled);
    EXPECT_EQ(e.SnoozeDateTime(), NullDate);
}

TEST(Event, LeavingAnExecutedStateClosesTheListThatRan) {
    TEvent e;
    auto& own = CountActions(e);
    e.SetHasReminder(true);
    auto& early = CountActions(*e.Reminder());
    e.SetState(esExecutedEvent);
    e.SetState(esExecutedEvent);
    EXPECT_EQ(own.closed, 0);
    e.SetState(esExecutedReminder);
    EXPECT_EQ(own.closed, 1);
    e.SetState(esEnabled);
    EXPECT_EQ(early.closed, 1);
    e.Reminder()->SetActionAsOwner(true);
    e.SetState(esExecutedReminder);
    e.SnoozeReminder();
    EXPECT_EQ(own.closed, 2); // the event's actions were the ones playing
    EXPECT_EQ(early.closed, 1);
    e.SetHasReminder(false);
    e.SetState(esExecutedReminder);
    e.Enable(); // nothing to tell without a reminder
    EXPECT_EQ(own.closed, 2);
}

TEST(Event, ArisingAndMissedArisings) {
    test::TestClock clock(At);
    TEvent e;
    auto& action = CountActions(e);
    ArisesOnceAt(e, At);
    Recorded rec;
    e.OnArise = rec.Handler("arise");
    e.OnLate = rec.Handler("late");
    CheckMinuteOf(e.InitializeCondition(), At);
    EXPECT_EQ(e.State(), esExecutedEvent);
    EXPECT_EQ(rec.calls, std::vector<std::string>{"arise TEvent " + std::to_string(At)});
    EXPECT_EQ(action.executed, 1);

    e.Enable();
    e.SetOptions({});
    e.DoLate(At);
    EXPECT_EQ(e.State(), esEnabled);
    EXPECT_EQ(rec.calls.size(), 1u);
    EXPECT_EQ(action.executed, 1);

    e.SetOptions({eoMessageAboutComingLate});
    clock.Set(At + 1);
    e.DoLate(At);
    EXPECT_EQ(e.State(), esExecutedEvent);
    EXPECT_EQ(rec.calls.back(), "late TEvent " + std::to_string(At));
    EXPECT_EQ(action.executed, 2);
}

TEST(Event, ReminderArisesThroughTheEvent) {
    test::TestClock clock(At);
    TEvent e;
    auto& own = CountActions(e, "event");
    e.SetHasReminder(true);
    TReminder& r = *e.Reminder();
    EXPECT_EQ(r.OwnerEvent(), &e);
    auto& early = CountActions(r, "reminder");
    Recorded rec;
    e.OnArise = rec.Handler("arise");
    e.OnLate = rec.Handler("late");

    r.DoArise(At);
    EXPECT_EQ(e.State(), esExecutedReminder);
    EXPECT_EQ(rec.calls, std::vector<std::string>{"arise TReminder " + std::to_string(At)});
    EXPECT_EQ(early.executed, 1);

    r.SetActionAsOwner(true);
    EXPECT_EQ(r.ActionDescription(), "Action of event");
    r.DoArise(At);
    EXPECT_EQ(own.executed, 1);
    EXPECT_EQ(early.executed, 1);

    e.Enable();
    e.SetOptions({});
    r.DoLate(At);
    EXPECT_EQ(e.State(), esEnabled);
    EXPECT_EQ(rec.calls.size(), 2u);
    EXPECT_EQ(own.executed, 1);

    e.SetOptions({eoMessageAboutComingLate});
    r.DoLate(At);
    EXPECT_EQ(e.State(), esExecutedReminder);
    EXPECT_EQ(rec.calls.back(), "late TReminder " + std::to_string(At));
    EXPECT_EQ(own.executed, 2);
}

TEST(Event, ReminderConditionsCountFromTheirOwnEvent) {
    TEvent e;
    TReminder source;
    source.InitializeCondition().Conditions().Add(std::make_unique<TReminderInitializeCondition>());
    e.SetReminder(&source);
    ASSERT_TRUE(e.HasReminder());
    auto& conditions = e.Reminder()->InitializeCondition().Conditions();
    ASSERT_EQ(conditions.Count(), 1);
    EXPECT_EQ(static_cast<TReminderInitializeCondition&>(conditions.Items(0)).Base(),
              &e.InitializeCondition());
    // Conditions added later get the base as well.
    conditions.Add(std::make_unique<TReminderInitializeCondition>());
    EXPECT_EQ(static_cast<TReminderInitializeCondition&>(conditions.Items(1)).Base(),
              &e.InitializeCondition());

    TEvent copy;
    copy.Assign(e);
    ASSERT_TRUE(copy.HasReminder());
    EXPECT_EQ(copy.Reminder()->OwnerEvent(), &copy);
    auto& copied = copy.Reminder()->InitializeCondition().Conditions();
    ASSERT_EQ(copied.Count(), 2);
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(static_cast<TReminderInitializeCondition&>(copied.Items(i)).Base(),
                  &copy.InitializeCondition());
    e.SetReminder(nullptr);
    EXPECT_FALSE(e.HasReminder());
}

TEST(Event, AssignCopiesEveryPartAndLeavesTheSourceAlone) {
    test::TestClock clock(At);
    TEvent e;
    e.SetTemplate("Work");
    e.SetWindowMessage("Meeting");
    e.SetWindowColor(clRed);
    e.SetMessageColor(0x123456);
    e.SetOptions({eoComputeCount, eoEraseAfterComing});
    e.SetHasReminder(true);
    e.Reminder()->SetActionAsOwner(true);
    e.SetDefaultSnoozeNumber(3);
    e.SetDefaultSnoozePeriod(ptHour);
    e.SnoozeEvent();
    e.SetIconFileName("a.ico");
    e.SetIconFileId(7);
    ArisesOnceAt(e, At + 1);

    TEvent c;
    c.Assign(e);
    EXPECT_EQ(c.Template(), "Work");
    EXPECT_EQ(c.WindowMessage(), "Meeting");
    EXPECT_EQ(c.WindowColor(), clRed);
    EXPECT_EQ(c.MessageColor(), 0x123456);
    EXPECT_EQ(c.Options(), (TEventOptions{eoComputeCount, eoEraseAfterComing, eoStayOnTop}));
    ASSERT_TRUE(c.HasReminder());
    EXPECT_NE(c.Reminder(), e.Reminder());
    EXPECT_TRUE(c.Reminder()->ActionAsOwner());
    EXPECT_EQ(c.DefaultSnoozeNumber(), 3);
    EXPECT_EQ(c.DefaultSnoozePeriod(), ptHour);
    EXPECT_EQ(c.State(), esSnoozedEvent);
    EXPECT_EQ(c.SnoozeDateTime(), IncHour(3, At));
    EXPECT_EQ(c.IconFileName(), "a.ico");
    EXPECT_EQ(c.IconFileId(), 7);
    EXPECT_EQ(c.InitializeCondition().Conditions().Count(), 1);
    EXPECT_EQ(c.InitializeCondition().NextArise(At), At + 1);

    TEvent plain;
    c.Assign(plain);
    EXPECT_FALSE(c.HasReminder());
    EXPECT_EQ(c.State(), esEnabled);
}

TEST(Event, QueriesOverEventReminderAndSnooze) {
    test::TestClock clock(At - 10);
    TEvent e;
    ArisesOnceAt(e, At);
    EXPECT_EQ(e.NextAriseWithReminder(At - 10), At);
    EXPECT_EQ(e.ReminderNextArise(At - 10), NullDate);
    e.SetHasReminder(true);
    ArisesOnceAt(*e.Reminder(), At - 1);
    EXPECT_EQ(e.NextAriseWithReminder(At - 10), At - 1);
    EXPECT_EQ(e.ReminderNextArise(At - 10), At - 1);
    ArisesOnceAt(*e.Reminder(), At + 1);
    EXPECT_EQ(e.NextAriseWithReminder(At - 10), At);
    // Without a further arising of the event, the event's NullDate wins.
    EXPECT_EQ(e.NextAriseWithReminder(At + 0.5), NullDate);

    e.SetCreationTime(At - 20);
    EXPECT_EQ(e.InitializeCondition().DateOfCreate(), At - 20);
    EXPECT_EQ(e.Reminder()->InitializeCondition().DateOfCreate(), At - 20);

    EXPECT_TRUE(e.IsDueBetween(IncMinute(-1, At), At));
    EXPECT_FALSE(e.IsDueBetween(At - 5, At - 4));
    e.SnoozeCondition().SetSnoozeDateTime(At - 4.5);
    EXPECT_TRUE(e.IsDueBetween(At - 5, At - 4));
}

TEST(Event, DescriptionWithCountAddsTheElapsedTime) {
    test::TestClock clock(At);
    TEvent e;
    ArisesOnceAt(e, EncodeDateTime(2020, 1, 5, 9, 0));
    e.SetWindowMessage("Wedding");
    const TDateTime x = EncodeDateTime(2024, 3, 10, 9, 0);
    EXPECT_EQ(e.DescriptionWithCount(x), "Wedding");
    e.SetOptions({eoComputeCount});
    EXPECT_EQ(e.DescriptionWithCount(x),
              "Wedding (" + e.InitializeCondition().ElapsedText(x) + ")");
    EXPECT_NE(e.DescriptionWithCount(x), "Wedding");
    // Before the first arising there is nothing to count.
    EXPECT_EQ(e.DescriptionWithCount(EncodeDateTime(2019, 1, 1, 0, 0)), "Wedding");
}

TEST(Event, StateTexts) {
    EXPECT_EQ(EventStateText(esEnabled), "Enabled");
    EXPECT_EQ(EventStateText(esDisabled), "Disabled");
    EXPECT_EQ(EventStateText(esSnoozedReminder), "Snoozed on %s");
    EXPECT_EQ(EventStateText(esExecutedEvent), "Executed");
    EXPECT_EQ(EventStateText(esExecutedReminder), "Executed reminder");
}
