#include "core/scheduling/ReminderInitializeCondition.h"

#include "core/scheduling/SimpleInitializeCondition.h"
#include "support/TestClock.h"

#include <chrono>
#include <cstdlib>
#include <gtest/gtest.h>
#include <random>

using namespace kelvo;
using kelvo::test::TestClock;

namespace {

TDateTime DT(int y, int m, int d, int h = 0, int mi = 0, int s = 0) {
    return EncodeDateTime(y, m, d, h, mi, s);
}

#define EXPECT_DT(expected, actual) EXPECT_EQ(DateTimeToMs(expected), DateTimeToMs(actual))

std::unique_ptr<TTimeCondition> At(int h, int m = 0) {
    auto t = std::make_unique<TOnceTimeCondition>();
    t->SetTime(EncodeTime(h, m));
    return t;
}

std::unique_ptr<TDateCondition> Daily(TDateTime from) {
    auto d = std::make_unique<TDailyDateCondition>();
    d->SetFromDate(from);
    return d;
}

std::unique_ptr<TDateCondition> Weekly(TDateTime from, TDaysOfWeek days) {
    auto d = std::make_unique<TWeeklyDateCondition>();
    d->SetFromDate(from);
    d->SetWeekDays(days);
    return d;
}

// An event's condition with one simple member, and a reminder wired to it.
struct Event {
    Event(const TDateCondition& date, const TTimeCondition& time) {
        auto s = std::make_unique<TSimpleInitializeCondition>();
        s->SetDateCondition(&date);
        s->SetTimeCondition(&time);
        condition.Conditions().Add(std::move(s));
        reminder.SetBase(&condition);
    }
    void Once(int n, TPeriodType unit) {
        TOnceRelativeCondition r;
        r.SetFromSubject({n, unit});
        reminder.SetRelativeCondition(&r);
    }
    TComplexInitializeCondition condition;
    TReminderInitializeCondition reminder;
};

} // namespace

TEST(ReminderInitializeCondition, CreatedOnceADayBeforeAtTheEventsTime) {
    TReminderInitializeCondition r;
    ASSERT_NE(nullptr, dynamic_cast<TOnceRelativeCondition*>(r.RelativeCondition()));
    EXPECT_TRUE(r.RelativeCondition()->FromSubject().SameAs({1, ptDay}));
    EXPECT_EQ(nullptr, r.TimeCondition());
    EXPECT_FALSE(r.StoredTimeAsBaseCondition());
    EXPECT_TRUE(r.TimeAsBaseCondition());
    EXPECT_FALSE(r.IsTimeConditionStored());
    EXPECT_EQ("Once on 1 day(s) before event", r.Description());
    EXPECT_EQ("at the same time as the event", r.TimeText());
    // Without an event nothing arises.
    EXPECT_TRUE(IsNullDate(r.NextArise(DT(2024, 1, 1))));

    r.SetTimeCondition(At(15).get());
    EXPECT_FALSE(r.TimeAsBaseCondition());
    EXPECT_TRUE(r.IsTimeConditionStored());
    EXPECT_EQ("Once on 1 day(s) before event, At 15:00", r.Description());
    EXPECT_EQ("At 15:00", r.TimeText());
    r.SetTimeAsBaseCondition(true);
    EXPECT_FALSE(r.IsTimeConditionStored());

    r.SetTimeAsBaseCondition(false);
    auto copy = r.Clone();
    auto& c = static_cast<TReminderInitializeCondition&>(*copy);
    EXPECT_NE(r.TimeCondition(), c.TimeCondition());
    EXPECT_EQ("Once on 1 day(s) before event, At 15:00", c.Description());
    EXPECT_EQ(nullptr, c.Base());

    r.ResetToDefault(DT(2024, 1, 1));
    EXPECT_EQ(nullptr, r.TimeCondition());
    EXPECT_TRUE(r.StoredTimeAsBaseCondition());
}

TEST(ReminderInitializeCondition, DayBeforeAWeeklyEventAtItsTime) {
    // Every Monday at 09:00; 2024-03-11 is a Monday.
    Event e(*Weekly(DT(2024, 1, 1), {TDayOfWeekName::Mon}), *At(9));
    EXPECT_DT(DT(2024, 3, 10, 9), e.reminder.NextArise(DT(2024, 3, 10, 8)));
    EXPECT_DT(DT(2024, 3, 10, 9), e.reminder.NextArise(DT(2024, 3, 4, 10)));
    // Asked after the time on the reminder day: the next week's, never an earlier moment.
    EXPECT_DT(DT(2024, 3, 17, 9), e.reminder.NextArise(DT(2024, 3, 10, 9, 0, 1)));
}

TEST(ReminderInitializeCondition, DayBeforeADailyEventIsNeverGiven) {
    Event e(*Daily(DT(2024, 1, 1)), *At(9));
    for (TDateTime x = DT(2024, 3, 10); x < DT(2024, 3, 13); x += 1.0 / 24)
        EXPECT_TRUE(IsNullDate(e.reminder.NextArise(x))) << x;
}

TEST(ReminderInitializeCondition, TakesTheEventsTimeOfThatDayOnly) {
    // Mondays at 09:00 and 18:00; a reminder one day before at the event's time. Asked on
    // Sunday at 10:00, Monday's 09:00 is gone for Sunday; its 18:00 counts.
    TComplexTimeCondition times;
    times.Conditions().Add(At(9));
    times.Conditions().Add(At(18));
    Event e(*Weekly(DT(2024, 1, 1), {TDayOfWeekName::Mon}), times);
    const TDateTime x = DT(2024, 3, 10, 10);
    const TDateTime r = e.reminder.NextArise(x);
    EXPECT_DT(DT(2024, 3, 10, 18), r);
    EXPECT_GE(r, x);
    EXPECT_DT(DT(2024, 3, 17, 9), e.reminder.NextArise(DT(2024, 3, 10, 18, 0, 1)));
}

TEST(ReminderInitializeCondition, MinutesBefore) {
    TSimpleInitializeCondition once(DT(2024, 3, 10, 10));
    TComplexInitializeCondition event;
    event.Conditions().AddCopy(once);
    TReminderInitializeCondition r;
    r.SetBase(&event);
    TOnceRelativeCondition five;
    five.SetFromSubject({5, ptMinute});
    r.SetRelativeCondition(&five);
    EXPECT_DT(DT(2024, 3, 10, 9, 55), r.NextArise(DT(2024, 3, 10, 9)));
    EXPECT_DT(DT(2024, 3, 10, 9, 55), r.NextArise(DT(2024, 3, 10, 9, 55)));
    EXPECT_TRUE(IsNullDate(r.NextArise(DT(2024, 3, 10, 9, 55, 1))));
    // Thirty seconds before: less than a minute from the event, never given.
    TOnceRelativeCondition thirty;
    thirty.SetFromSubject({30, ptSec});
    r.SetRelativeCondition(&thirty);
    EXPECT_TRUE(IsNullDate(r.NextArise(DT(2024, 3, 10, 9))));
}

TEST(ReminderInitializeCondition, DailyCountdownAfterTheLastArisingsTimeOfDay) {
    // Every day from 5 days before, at the event's time; asked after that day's moment,
    // when the event has no later arising: the countdown goes on the next day.
    TPeriodicRelativeCondition countdown;
    countdown.SetFromSubject({5, ptDay});
    countdown.SetPeriodSubject({1, ptDay});
    countdown.SetUntilType(ruUntilEvent);
    auto once = std::make_unique<TOnceDateCondition>();
    once->SetDate(DT(2024, 3, 14));
    auto lastOfTwo = Daily(DT(2024, 3, 7));
    auto& daily = static_cast<TDailyDateCondition&>(*lastOfTwo);
    daily.SetPeriod(7);
    daily.SetUntilType(utDate);
    daily.SetToDate(DT(2024, 3, 14));
    for (const TDateCondition* date : {static_cast<TDateCondition*>(once.get()), lastOfTwo.get()}) {
        Event e(*date, *At(10));
        e.reminder.SetRelativeCondition(&countdown);
        EXPECT_DT(DT(2024, 3, 12, 10), e.reminder.NextArise(DT(2024, 3, 11, 10, 0, 30)));
        EXPECT_DT(DT(2024, 3, 13, 10), e.reminder.NextArise(DT(2024, 3, 12, 23, 59)));
        // The 14th's moment is the event's own arising.
        EXPECT_TRUE(IsNullDate(e.reminder.NextArise(DT(2024, 3, 13, 10, 0, 1))));
        // In the check, after the reminder was last seen on the 11th.
        e.reminder.SetLastAppear(DT(2024, 3, 11, 10, 0, 1));
        EXPECT_DT(DT(2024, 3, 12, 10), e.reminder.NextAriseForCheck(DT(2024, 3, 11, 10, 1, 1)));
    }
}

TEST(ReminderInitializeCondition, EveryHourFromThreeHoursBefore) {
    Event e(*Daily(DT(2024, 1, 1)), *At(12));
    TPeriodicRelativeCondition p;
    p.SetFromSubject({3, ptHour});
    p.SetPeriodSubject({1, ptHour});
    e.reminder.SetRelativeCondition(&p);
    EXPECT_DT(DT(2024, 3, 10, 10), e.reminder.NextArise(DT(2024, 3, 10, 9, 30)));
    EXPECT_DT(DT(2024, 3, 11, 9), e.reminder.NextArise(DT(2024, 3, 10, 11, 30)));
    EXPECT_EQ("Every 1 hour(s) from 3 hour(s) before event", e.reminder.Description());
}

TEST(ReminderInitializeCondition, OwnTimeLaterThanTheEventsOnTheSameDay) {
    // Event daily at 09:00, a reminder every day from 3 days before at 15:00: asked at
    // 10:00, today's 15:00 still comes.
    Event e(*Daily(DT(2024, 1, 1)), *At(9));
    TPeriodicRelativeCondition p;
    p.SetFromSubject({3, ptDay});
    p.SetPeriodSubject({1, ptDay});
    e.reminder.SetRelativeCondition(&p);
    e.reminder.SetTimeCondition(At(15).get());
    EXPECT_DT(DT(2024, 3, 10, 15), e.reminder.NextArise(DT(2024, 3, 10, 10)));
    EXPECT_DT(DT(2024, 3, 11, 15), e.reminder.NextArise(DT(2024, 3, 10, 15, 0, 1)));

    TOnceRelativeCondition once;
    once.SetFromSubject({2, ptDay});
    e.reminder.SetRelativeCondition(&once);
    EXPECT_DT(DT(2024, 3, 10, 15), e.reminder.NextArise(DT(2024, 3, 10, 10)));
}

TEST(ReminderInitializeCondition, AllDayReminderTimeArisesOncePerDayWhileChecking) {
    Event e(*Daily(DT(2024, 1, 1)), *At(9));
    e.Once(1, ptDay);
    e.reminder.SetTimeCondition(std::make_unique<TAllTimeCondition>().get());
    EXPECT_DT(DT(2024, 3, 10, 10), e.reminder.NextArise(DT(2024, 3, 10, 10)));
    e.reminder.SetLastAppear(DT(2024, 3, 10, 0, 0, 20));
    EXPECT_DT(DT(2024, 3, 11), e.reminder.NextAriseForCheck(DT(2024, 3, 10, 10)));
}

TEST(ReminderInitializeCondition, LeavesTheEventsStateAsItWas) {
    Event e(*Daily(DT(2024, 1, 1)), *At(9));
    e.Once(2, ptDay);
    e.condition.SetLastAppear(DT(2024, 3, 9, 9, 0, 1));
    e.condition.SetDateOfCreate(DT(2024, 1, 1));
    e.reminder.SetLastAppear(DT(2024, 3, 8, 9, 0, 1));
    e.reminder.SetCheckMode(true);
    e.reminder.NextArise(DT(2024, 3, 10, 8));
    EXPECT_DT(DT(2024, 3, 9, 9, 0, 1), e.condition.LastAppear());
    EXPECT_DT(DT(2024, 3, 9, 9, 0, 1), e.condition.Conditions().Items(0).LastAppear());
    EXPECT_FALSE(e.condition.CheckMode());
    EXPECT_FALSE(e.condition.Conditions().Items(0).CheckMode());
    EXPECT_DT(DT(2024, 1, 1), e.condition.DateOfCreate());
}

namespace {

// Fails after a number of questions.
class Failing : public TInitializeCondition {
public:
    TDateTime NextArise(TDateTime x) override {
        if (++calls > 3)
            throw EpaError("broken");
        return DateOf(x) + 1 + 0.375;
    }
    int calls = 0;
};

} // namespace

TEST(ReminderInitializeCondition, AFailingSearchStillRestoresTheEvent) {
    TComplexInitializeCondition event;
    event.Conditions().Add(std::make_unique<Failing>());
    event.SetLastAppear(DT(2024, 3, 1));
    TReminderInitializeCondition r;
    r.SetBase(&event);
    TPeriodicRelativeCondition p;
    p.SetFromSubject({10, ptDay});
    r.SetRelativeCondition(&p);
    EXPECT_THROW(r.NextArise(DT(2024, 3, 10)), EpaError);
    EXPECT_DT(DT(2024, 3, 1), event.LastAppear());
    EXPECT_DT(DT(2024, 3, 1), event.Conditions().Items(0).LastAppear());
}

TEST(ReminderInitializeCondition, AYearBeforeAnEveryMinuteEvent) {
    // Every minute from 08:00 to 20:00 every day; a reminder one year before at 21:30.
    auto minutes = std::make_unique<TByMinuteTimeCondition>();
    minutes->SetFromTime(EncodeTime(8, 0));
    minutes->SetToTime(EncodeTime(20, 0));
    minutes->SetCountPeriod(1);
    Event e(*Daily(DT(2020, 1, 1)), *minutes);
    e.Once(1, ptYear);
    e.reminder.SetTimeCondition(At(21, 30).get());
    const auto start = std::chrono::steady_clock::now();
    EXPECT_DT(DT(2024, 3, 10, 21, 30), e.reminder.NextArise(DT(2024, 3, 10, 10, 0, 30)));
    EXPECT_DT(DT(2024, 3, 11, 21, 30), e.reminder.NextArise(DT(2024, 3, 10, 21, 30, 30)));
    // In minutes, a year and half an hour before an event every minute from 08:00 to 08:29.
    auto early = std::make_unique<TByMinuteTimeCondition>();
    early->SetFromTime(EncodeTime(8, 0));
    early->SetToTime(EncodeTime(8, 29));
    early->SetCountPeriod(1);
    Event f(*Daily(DT(2020, 1, 1)), *early);
    f.Once(366 * 1440 + 30, ptMinute);
    EXPECT_DT(DT(2024, 3, 10, 7, 40), f.reminder.NextArise(DT(2024, 3, 10, 7, 40)));
    EXPECT_DT(DT(2024, 3, 11, 7, 30), f.reminder.NextArise(DT(2024, 3, 10, 7, 59, 30)));
    const auto spent = std::chrono::steady_clock::now() - start;
    EXPECT_LT(spent, std::chrono::milliseconds(20));
}

// ---------------------------------------------------------------------------------------------
// Against the slow search: every arising of the event from x over the lead time and a few
// days more, each reminder moment computed as it is defined, the earliest not before x.

namespace {

TDateTime ReminderTime(TReminderInitializeCondition& r, TComplexInitializeCondition& base,
                       TDateTime t, TDateTime b, TDateTime s) {
    if (r.TimeAsBaseCondition()) {
        base.SetCheckMode(r.CheckMode());
        base.SetLastAppear(IsNullDate(r.LastAppear()) ? NullDate
                                                      : r.LastAppear() + DateOf(b) - DateOf(s));
        const TDateTime a = base.NextArise(DateOf(b) + TimeOf(t));
        return (IsNullDate(a) || !SameDate(a, b)) ? NoTime : a;
    }
    const TDateTime v = r.TimeCondition()->NextTime(t);
    if (!IsNoTime(v) && r.CheckMode() && SameDate(s, r.LastAppear()) &&
        GaveAllDayTime(*r.TimeCondition()))
        return NoTime;
    return v;
}

TDateTime SlowReminder(TReminderInitializeCondition& r, TComplexInitializeCondition& base,
                       TDateTime x) {
    base.SaveState();
    TRelativeCondition& rc = *r.RelativeCondition();
    TDateTime b = base.NextArise(x);
    const TDateTime first = b;
    const TDateTime horizon = x + rc.LeadSpan() * 1.1 + 10;
    TDateTime result = NullDate;
    for (int n = 0; !IsNullDate(b) && (b < horizon || n < 3); ++n) {
        rc.SetBaseDateTime(b);
        TDateTime s = rc.NextDate(x);
        if (!IsNullDate(s) && rc.IsDateOnly()) {
            TDateTime t;
            if (!SameDate(s, x)) {
                t = ReminderTime(r, base, 0, b, s);
            } else {
                t = ReminderTime(r, base, TimeOf(x), b, s);
                if (IsNoTime(t)) {
                    s = rc.NextDate(DateOf(s + 1));
                    t = IsNullDate(s) ? NoTime : ReminderTime(r, base, 0, b, s);
                }
            }
            s = (IsNullDate(t) || IsNoTime(t)) ? NullDate : DateOf(s) + TimeOf(t);
        }
        if (!IsNullDate(s) && (IsNullDate(result) || s < result))
            result = s;
        base.SetLastAppear(b);
        b = base.NextAriseForCheck(IncMinute(1, b));
    }
    base.RestoreState();
    if (!IsNullDate(result) &&
        std::llabs(DateTimeToMs(first) - DateTimeToMs(result)) < MSecsPerMinute)
        return NullDate;
    return result;
}

} // namespace

TEST(ReminderInitializeCondition, MatchesTheSlowSearch) {
    std::mt19937 rng(99);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const TPeriodType leadUnits[] = {ptMinute, ptHour, ptDay, ptWeek, ptMonth};
    int given = 0;
    for (int round = 0; round < 600; ++round) {
        // The event: every few days or some weekdays, at one to three times of day or all day.
        std::unique_ptr<TDateCondition> date;
        if (pick(0, 1) == 0) {
            auto d = std::make_unique<TDailyDateCondition>();
            d->SetFromDate(DT(2024, 1, 1) + pick(0, 60));
            d->SetPeriod(pick(1, 3));
            // Some end, so that their last arisings are asked about too.
            if (pick(0, 3) == 0) {
                d->SetUntilType(utDate);
                d->SetToDate(DT(2024, 3, 1) + pick(0, 60));
            }
            date = std::move(d);
        } else {
            date = Weekly(DT(2024, 1, 1) + pick(0, 60),
                          TDaysOfWeek::FromBits(static_cast<std::uint8_t>(pick(1, 127))));
        }
        std::unique_ptr<TTimeCondition> time;
        if (pick(0, 5) == 0) {
            time = std::make_unique<TAllTimeCondition>();
        } else {
            auto list = std::make_unique<TComplexTimeCondition>();
            for (int i = pick(1, 3); i > 0; --i)
                list->Conditions().Add(At(pick(0, 23), pick(0, 59)));
            time = std::move(list);
        }
        Event e(*date, *time);

        if (pick(0, 1) == 0) {
            e.Once(pick(1, 3), leadUnits[pick(0, 4)]);
        } else {
            TPeriodicRelativeCondition p;
            p.SetFromSubject({pick(1, 4), leadUnits[pick(0, 3)]});
            p.SetPeriodSubject({pick(1, 12), leadUnits[pick(0, 3)]});
            p.SetUntilType(static_cast<TRelativeUntilType>(pick(0, 2)));
            p.SetUntilSubject({pick(1, 3), leadUnits[pick(0, 2)]});
            p.SetUntilTimes(pick(1, 5));
            e.reminder.SetRelativeCondition(&p);
        }
        switch (pick(0, 2)) {
        case 0:
            e.reminder.SetTimeCondition(At(pick(0, 23), pick(0, 59)).get());
            break;
        case 1:
            e.reminder.SetTimeCondition(std::make_unique<TAllTimeCondition>().get());
            break;
        default:
            break;
        }
        const bool checking = pick(0, 1) == 1;
        for (int q = 0; q < 5; ++q) {
            const TDateTime x = DT(2024, 3, 1) + pick(0, 60) + pick(0, 1439) / 1440.0;
            e.reminder.SetLastAppear(pick(0, 1) ? NullDate : x - pick(0, 2000) / 1440.0);
            e.reminder.SetCheckMode(checking);
            const TDateTime expected = SlowReminder(e.reminder, e.condition, x);
            const TDateTime actual = e.reminder.NextArise(x);
            ASSERT_EQ(DateTimeToMs(expected), DateTimeToMs(actual))
                << e.reminder.Description() << " / " << e.condition.Description() << " x " << x
                << " last " << e.reminder.LastAppear() << " checking " << checking;
            if (!IsNullDate(actual)) {
                ASSERT_GE(DateTimeToMs(actual), DateTimeToMs(x));
                ++given;
            }
        }
    }
    EXPECT_GT(given, 600);
}
