#pragma once

// A notebook with one event of every kind of condition: once, daily with a count, weekly every
// other week until a date, monthly on the 31st and on the last Friday (all day), yearly in two
// months, dates with an exclusion, hourly, by minute and listed times, and an early reminder.

#include "core/entities/Event.h"
#include "core/entities/Reminder.h"
#include "core/scheduling/ReminderInitializeCondition.h"
#include "core/scheduling/SimpleInitializeCondition.h"

#include <memory>
#include <string>
#include <vector>

namespace kelvo::samples {

struct TKindSample {
    std::unique_ptr<TEvent> Event;
};

inline std::unique_ptr<TEvent> KindEvent(const std::string& name, std::unique_ptr<TDateCondition> d,
                                         std::unique_ptr<TTimeCondition> t) {
    auto e = std::make_unique<TEvent>();
    e->SetWindowMessage(name + "\r\nthe second line");
    auto c = std::make_unique<TSimpleInitializeCondition>();
    c->SetDateCondition(d.get());
    c->SetTimeCondition(t.get());
    e->InitializeCondition().Conditions().Add(std::move(c));
    e->SetCreationTime(EncodeDateTime(2026, 12, 1, 0, 0));
    return e;
}

inline std::unique_ptr<TOnceTimeCondition> At(int h, int m) {
    auto t = std::make_unique<TOnceTimeCondition>();
    t->SetTime(EncodeTime(h, m));
    return t;
}

inline std::vector<TKindSample> EveryConditionKind() {
    std::vector<TKindSample> all;
    const TDateTime from = EncodeDate(2027, 1, 4);
    auto once = std::make_unique<TOnceDateCondition>();
    once->SetDate(EncodeDate(2027, 5, 17));
    all.push_back({KindEvent("Once", std::move(once), At(9, 45))});

    auto daily = std::make_unique<TDailyDateCondition>();
    daily->SetFromDate(from);
    daily->SetPeriod(2);
    daily->SetUntilType(utTimes);
    daily->SetTimes(5);
    all.push_back({KindEvent("Daily", std::move(daily), At(8, 30))});

    auto weekly = std::make_unique<TWeeklyDateCondition>();
    weekly->SetFromDate(from);
    weekly->SetWeekDays({TDayOfWeekName::Mon, TDayOfWeekName::Wed, TDayOfWeekName::Fri});
    weekly->SetPeriod(2);
    weekly->SetUntilType(utDate);
    weekly->SetToDate(EncodeDate(2027, 6, 30));
    all.push_back({KindEvent("Weekly", std::move(weekly), At(7, 15))});

    auto monthly = std::make_unique<TMonthlyDateCondition>();
    monthly->SetFromDate(from);
    monthly->SetDayNumber(31);
    all.push_back({KindEvent("Monthly 31", std::move(monthly), At(12, 0))});

    auto lastFriday = std::make_unique<TMonthlyDateCondition>();
    lastFriday->SetFromDate(from);
    lastFriday->SetDayNumber(0);
    lastFriday->SetSubjectNumber(wmLast);
    lastFriday->SetSubjectKind(msFri);
    all.push_back(
        {KindEvent("Last Friday", std::move(lastFriday), std::make_unique<TAllTimeCondition>())});

    auto yearly = std::make_unique<TYearlyDateCondition>();
    yearly->SetFromDate(from);
    yearly->SetMonths({TMonthName::Mar, TMonthName::Sep});
    yearly->SetDayNumber(0);
    yearly->SetSubjectNumber(wmSecond);
    yearly->SetSubjectKind(msTue);
    all.push_back({KindEvent("Yearly", std::move(yearly), At(18, 0))});

    auto complex = std::make_unique<TComplexDateCondition>();
    auto days = std::make_unique<TDailyDateCondition>();
    days->SetFromDate(from);
    days->SetPeriod(3);
    complex->Conditions().Add(std::move(days));
    auto skipped = std::make_unique<TOnceDateCondition>();
    skipped->SetDate(EncodeDate(2027, 1, 10));
    complex->ExcludeConditions().Add(std::move(skipped));
    all.push_back({KindEvent("Excluded", std::move(complex), At(10, 0))});

    auto hourly = std::make_unique<THourlyTimeCondition>();
    hourly->SetFromTime(EncodeTime(8, 0));
    hourly->SetToTime(EncodeTime(12, 0));
    hourly->SetCountPeriod(2);
    auto everyDay = std::make_unique<TDailyDateCondition>();
    everyDay->SetFromDate(from);
    all.push_back({KindEvent("Hourly", std::move(everyDay), std::move(hourly))});

    auto byMinute = std::make_unique<TByMinuteTimeCondition>();
    byMinute->SetFromTime(EncodeTime(9, 0));
    byMinute->SetToTime(EncodeTime(11, 0));
    byMinute->SetCountPeriod(30);
    auto mondays = std::make_unique<TWeeklyDateCondition>();
    mondays->SetFromDate(from);
    mondays->SetWeekDays({TDayOfWeekName::Mon});
    all.push_back({KindEvent("By minute", std::move(mondays), std::move(byMinute))});

    auto twice = std::make_unique<TComplexTimeCondition>();
    twice->Conditions().Add(At(7, 0));
    twice->Conditions().Add(At(19, 0));
    auto fromDay = std::make_unique<TDailyDateCondition>();
    fromDay->SetFromDate(from);
    all.push_back({KindEvent("Twice a day", std::move(fromDay), std::move(twice))});

    auto birthday = std::make_unique<TYearlyDateCondition>();
    birthday->SetFromDate(from);
    birthday->SetMonths({TMonthName::Apr});
    birthday->SetDayNumber(12);
    auto withReminder = KindEvent("Birthday", std::move(birthday), At(9, 0));
    withReminder->SetHasReminder(true);
    withReminder->Reminder()->InitializeCondition().Conditions().Add(
        std::make_unique<TReminderInitializeCondition>());
    withReminder->SetCreationTime(EncodeDateTime(2026, 12, 1, 0, 0));
    all.push_back({std::move(withReminder)});
    return all;
}

// The arisings of an event and of its reminder from from on for days days, in milliseconds.
inline std::vector<std::int64_t> ArisingsOver(TEvent& e, TDateTime from, int days) {
    std::vector<std::int64_t> out;
    const TDateTime end = from + days;
    for (int reminder = 0; reminder < 2; ++reminder) {
        TDateTime x = from;
        while (out.size() < 5000) {
            const TDateTime a =
                reminder ? e.ReminderNextArise(x) : e.InitializeCondition().NextArise(x);
            if (IsNullDate(a) || a > end)
                break;
            out.push_back(DateTimeToMs(a) * 2 + reminder);
            x = IncMinute(1, a);
        }
    }
    return out;
}

} // namespace kelvo::samples
