// The queue of next arisings against rebuilds that look at every event: two notebooks with
// the same events on one clock, run side by side over simulated months of ticks, clock
// steps, sleeps, restarts, snoozes and edits, must report the same arisings in the same order.

#include "core/entities/Reminder.h"
#include "core/runtime/RemNotebook.h"
#include "core/scheduling/ReminderInitializeCondition.h"
#include "core/scheduling/SimpleInitializeCondition.h"
#include "core/scheduling/SnoozeInitializeCondition.h"
#include "support/TestClock.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace kelvo {
namespace {

using test::ManualTimerFactory;
using test::TestClock;

const TDateTime Start = EncodeDateTime(2024, 3, 1, 7, 58, 30);

class TRandom {
public:
    explicit TRandom(unsigned seed) : rng_(seed) {}
    int Pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    unsigned Seed() { return static_cast<unsigned>(rng_()); }

private:
    std::mt19937 rng_;
};

std::unique_ptr<TSimpleInitializeCondition> RandomSimple(TRandom& r) {
    auto s = std::make_unique<TSimpleInitializeCondition>();
    const TDateTime from = DateOf(Start) + r.Pick(-3, 20);
    std::unique_ptr<TDateCondition> date;
    switch (r.Pick(0, 3)) {
    case 0: {
        auto d = std::make_unique<TOnceDateCondition>();
        d->SetDate(from + r.Pick(0, 40));
        date = std::move(d);
        break;
    }
    case 1: {
        auto d = std::make_unique<TDailyDateCondition>();
        d->SetFromDate(from);
        d->SetPeriod(r.Pick(1, 4));
        date = std::move(d);
        break;
    }
    case 2: {
        auto d = std::make_unique<TWeeklyDateCondition>();
        d->SetFromDate(from);
        d->SetWeekDays(TDaysOfWeek::FromBits(static_cast<std::uint8_t>(r.Pick(1, 127))));
        date = std::move(d);
        break;
    }
    default: {
        auto d = std::make_unique<TMonthlyDateCondition>();
        d->SetFromDate(from);
        d->SetDayNumber(r.Pick(1, 31));
        date = std::move(d);
        break;
    }
    }
    std::unique_ptr<TTimeCondition> time;
    if (r.Pick(0, 3) == 0) {
        auto t = std::make_unique<TByMinuteTimeCondition>();
        t->SetFromTime(EncodeTime(r.Pick(6, 11), r.Pick(0, 59)));
        t->SetToTime(EncodeTime(r.Pick(12, 20), r.Pick(0, 59)));
        t->SetCountPeriod(r.Pick(5, 180));
        time = std::move(t);
    } else {
        auto t = std::make_unique<TOnceTimeCondition>();
        t->SetTime(EncodeTime(r.Pick(0, 23), r.Pick(0, 59)));
        time = std::move(t);
    }
    s->SetDateCondition(date.get());
    s->SetTimeCondition(time.get());
    return s;
}

// The same seed gives the same event, so both notebooks can be given one each.
std::unique_ptr<TEvent> RandomEvent(unsigned seed, int number) {
    TRandom r(seed);
    auto e = std::make_unique<TEvent>();
    e->SetWindowMessage("Event " + std::to_string(number));
    e->EventAction().Actions().Clear();
    for (int n = r.Pick(1, 2); n > 0; --n)
        e->InitializeCondition().Conditions().Add(RandomSimple(r));
    if (r.Pick(0, 2) == 0) {
        e->SetHasReminder(true);
        e->Reminder()->EventAction().Actions().Clear();
        e->Reminder()->InitializeCondition().Conditions().Add(
            std::make_unique<TReminderInitializeCondition>());
    }
    const int created = r.Pick(0, 3);
    if (created > 0)
        e->SetCreationTime(IncHour(-24 * created, Start));
    if (r.Pick(0, 4) == 0)
        e->InitializeCondition().SetLastAppear(IncHour(-r.Pick(1, 60), Start));
    e->SetDefaultSnoozePeriod(ptMinute);
    e->SetDefaultSnoozeNumber(r.Pick(1, 30));
    return e;
}

// One notebook with its own timers and a log of everything it reports.
struct TSide {
    ManualTimerFactory Timers;
    TReminderNotebook Notebook{Timers};
    std::ostringstream Log;
    std::size_t Visits = 0;

    explicit TSide(bool full) {
        Notebook.SetFullRebuilds(full);
        auto report = [this](const char* kind) {
            return [this, kind](TWaitingAriseEntity& entity, TDateTime t) {
                TEvent* owner = TReminderNotebook::OwnerEventOf(entity);
                Log << DateTimeToMs(Now()) << ' ' << kind << (owner == &entity ? " " : " r ")
                    << (owner ? owner->WindowMessage() : "?") << ' ' << DateTimeToMs(t) << '\n';
            };
        };
        Notebook.OnEventArise = report("arise");
        Notebook.OnEventLate = report("late");
        Notebook.OnSnoozeArise = report("snooze");
        Notebook.RestartGenerator();
    }
    void Tick() {
        Timers.Timers().front()->Fire();
        Visits += Notebook.LastRebuildVisits();
    }
};

class NotebookQueue : public ::testing::TestWithParam<unsigned> {};

TEST_P(NotebookQueue, ReportsWhatRebuildsOfEveryEventReport) {
    TestClock clock(Start);
    TRandom r(GetParam());
    TSide queued(false), full(true);
    TSide* sides[] = {&queued, &full};
    int made = 0;
    auto add = [&] {
        const unsigned seed = r.Seed();
        for (TSide* side : sides)
            side->Notebook.AddEvent(RandomEvent(seed, made));
        ++made;
    };
    for (int i = 0; i < 160; ++i)
        add();
    for (TSide* side : sides)
        side->Notebook.RestartGenerator();

    // Two months in steps of one to ninety minutes, with something happening between.
    const TDateTime end = IncMonth(2, Start);
    std::size_t steps = 0;
    while (clock.Now() < end) {
        for (int n = r.Pick(60, 5400); n > 0; --n) {
            clock.AdvanceSeconds(1);
            for (TSide* side : sides)
                side->Tick();
        }
        ASSERT_EQ(queued.Log.str(), full.Log.str()) << "seed " << GetParam() << ", step " << steps;
        ++steps;
        const int count = queued.Notebook.EventCount();
        const int i = count > 0 ? r.Pick(0, count - 1) : 0;
        switch (r.Pick(0, 19)) {
        case 0: // a sleep, or the clock set forward without notice
            clock.Set(IncMinute(r.Pick(3, 3000), clock.Now()));
            break;
        case 1: // the clock set back without notice (summer time ends)
            clock.Set(IncMinute(-r.Pick(1, 90), clock.Now()));
            break;
        case 2: // the clock set with notice
            clock.Set(IncMinute(r.Pick(-120, 600), clock.Now()));
            for (TSide* side : sides)
                side->Notebook.RestartGenerator();
            break;
        case 3: // an edit in place, then registered again
            if (count > 0) {
                const unsigned seed = r.Seed();
                for (TSide* side : sides) {
                    TEvent& e = side->Notebook.Event(i);
                    TRandom same(seed);
                    e.InitializeCondition().Conditions().Clear();
                    e.InitializeCondition().Conditions().Add(RandomSimple(same));
                    side->Notebook.RegisterEvent(e);
                }
            }
            break;
        case 4: // a snooze
            if (count > 0)
                for (TSide* side : sides) {
                    TEvent& e = side->Notebook.Event(i);
                    e.SnoozeEvent();
                    side->Notebook.RearmEvent(e);
                }
            break;
        case 5:
            if (count > 0)
                for (TSide* side : sides)
                    side->Notebook.DeleteEvent(side->Notebook.Event(i));
            break;
        case 6:
            add();
            break;
        default:
            break;
        }
    }
    const std::string log = full.Log.str();
    EXPECT_EQ(queued.Log.str(), log);
    EXPECT_GT(std::count(log.begin(), log.end(), '\n'), 500)
        << "the events arise often enough to compare";
    EXPECT_LT(queued.Visits * 5, full.Visits) << "the queue looks at far fewer events";
}

INSTANTIATE_TEST_SUITE_P(Seeds, NotebookQueue, ::testing::Values(1u, 2u, 3u));

// Which weeks count for every other week depends on the first day of the week: set anew while
// the program runs, an arising it makes due today is reported as a full rebuild reports it.
TEST(NotebookQueueWeekStart, ChangedFirstDayOfWeekIsSeenBeforeTheNextDay) {
    SetFirstDayOfWeek(0);
    const TDateTime saturday = EncodeDate(2024, 3, 2);
    TestClock clock(saturday + 1 + EncodeTime(9, 0));
    TSide queued(false), full(true);
    for (TSide* side : {&queued, &full}) {
        auto e = std::make_unique<TEvent>();
        e->SetWindowMessage("Fortnightly");
        e->EventAction().Actions().Clear();
        auto s = std::make_unique<TSimpleInitializeCondition>();
        TWeeklyDateCondition weekly;
        weekly.SetFromDate(saturday);
        weekly.SetPeriod(2);
        weekly.SetWeekDays({TDayOfWeekName::Sun});
        s->SetDateCondition(&weekly);
        TOnceTimeCondition at;
        at.SetTime(EncodeTime(10, 0));
        s->SetTimeCondition(&at);
        e->InitializeCondition().Conditions().Clear();
        e->InitializeCondition().Conditions().Add(std::move(s));
        side->Notebook.AddEvent(std::move(e));
        side->Notebook.RestartGenerator();
    }
    // Weeks from Sunday: the first aligned Sunday is a week later. From Monday: today.
    SetFirstDayOfWeek(1);
    for (int i = 0; i < 2 * 3600; ++i) {
        clock.AdvanceSeconds(1);
        for (TSide* side : {&queued, &full})
            side->Tick();
    }
    SetFirstDayOfWeek(0);
    EXPECT_NE(full.Log.str(), "");
    EXPECT_EQ(queued.Log.str(), full.Log.str());
}

} // namespace
} // namespace kelvo
