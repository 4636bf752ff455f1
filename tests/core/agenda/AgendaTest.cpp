#include "core/agenda/Agenda.h"

#include "core/entities/Reminder.h"
#include "core/scheduling/DateCondition.h"
#include "core/scheduling/ReminderInitializeCondition.h"
#include "core/scheduling/SimpleInitializeCondition.h"

#include <gtest/gtest.h>
#include <memory>

using namespace kelvo;

namespace {

std::unique_ptr<TEvent> At(TDateTime when, bool daily = false, bool reminder = false) {
    auto e = std::make_unique<TEvent>();
    auto c = std::make_unique<TSimpleInitializeCondition>(when);
    if (daily) {
        TDailyDateCondition every;
        every.SetStartDate(DateOf(when));
        c->SetDateCondition(&every);
    }
    e->InitializeCondition().Conditions().Add(std::move(c));
    if (reminder) { // one day before, at the event's time
        e->SetHasReminder(true);
        e->Reminder()->InitializeCondition().Conditions().Add(
            std::make_unique<TReminderInitializeCondition>());
    }
    return e;
}

struct TSeen {
    TDateTime Moment;
    int Index;
    bool Reminder;
    bool operator==(const TSeen&) const = default;
};

std::vector<TSeen> Seen(const std::vector<TAgendaArising>& arisings) {
    std::vector<TSeen> out;
    for (const TAgendaArising& a : arisings)
        out.push_back({a.Moment, a.EventIndex, a.Reminder});
    return out;
}

} // namespace

TEST(Agenda, ArisingsPerDayInOrderOfMomentThenEventThenReminder) {
    auto concert = At(EncodeDateTime(2030, 6, 3, 10, 0), false, true);
    auto dentist = At(EncodeDateTime(2030, 6, 2, 10, 0));
    auto pills = At(EncodeDateTime(2030, 5, 1, 8, 0), true);
    const std::vector<TEvent*> events{concert.get(), dentist.get(), pills.get()};

    const auto week = AgendaArisings(events, EncodeDateTime(2030, 6, 1, 9, 0), 3);
    // The first day starts at from: its 08:00 is gone.
    EXPECT_EQ(Seen(week), (std::vector<TSeen>{
                              {EncodeDateTime(2030, 6, 2, 8, 0), 2, false},
                              {EncodeDateTime(2030, 6, 2, 10, 0), 0, true},
                              {EncodeDateTime(2030, 6, 2, 10, 0), 1, false},
                              {EncodeDateTime(2030, 6, 3, 8, 0), 2, false},
                              {EncodeDateTime(2030, 6, 3, 10, 0), 0, false},
                          }));
    EXPECT_EQ(week[1].Event, concert.get());

    // A day far from every single arising still gets the daily one, and nothing else.
    EXPECT_EQ(Seen(AgendaArisings(events, EncodeDateTime(2031, 1, 1, 0, 0), 2)),
              (std::vector<TSeen>{{EncodeDateTime(2031, 1, 1, 8, 0), 2, false},
                                  {EncodeDateTime(2031, 1, 2, 8, 0), 2, false}}));
    EXPECT_TRUE(AgendaArisings(events, EncodeDateTime(2030, 6, 1, 9, 0), 0).empty());
}

TEST(Agenda, ListTexts) {
    EXPECT_EQ(ListDateText(NullDate), "Never");
    EXPECT_EQ(ListDateText(EncodeDateTime(2030, 6, 1, 9, 30)), "Sat 2030-06-01 09:30");

    EXPECT_EQ(EventStateListText(esEnabled, EncodeDateTime(2030, 6, 1, 9, 30)), "Enabled");
    EXPECT_EQ(EventStateListText(esExecutedReminder, NullDate), "Executed reminder");
    EXPECT_EQ(EventStateListText(esSnoozedReminder, EncodeDateTime(2030, 6, 1, 9, 30)),
              "Snoozed on Sat 2030-06-01 09:30");
    EXPECT_EQ(EventStateListText(esSnoozedEvent, NullDate), "Snoozed on Never");

    const TDateTime today = EncodeDateTime(2030, 6, 1, 23, 59);
    EXPECT_EQ(UntilEventText(NullDate, today), "");
    // Whole days between the dates, whatever the times; never below 0.
    EXPECT_EQ(UntilEventText(EncodeDateTime(2030, 6, 2, 0, 1), today), "1 day(s)");
    EXPECT_EQ(UntilEventText(EncodeDateTime(2030, 6, 1, 0, 0), today), "0 day(s)");
    EXPECT_EQ(UntilEventText(EncodeDateTime(2030, 5, 20, 8, 0), today), "0 day(s)");
    EXPECT_EQ(UntilEventText(EncodeDateTime(2030, 7, 1, 8, 0), today), "30 day(s)");
}
