// Conditions through the object stream: what each class writes, what it leaves out and what
// reads back, and whole events with reminders and snoozes through the events file.

#include "core/entities/Reminder.h"
#include "core/persistence/EventFile.h"
#include "core/scheduling/DateCondition.h"
#include "core/scheduling/InitializeCondition.h"
#include "core/scheduling/RelativeCondition.h"
#include "core/scheduling/ReminderInitializeCondition.h"
#include "core/scheduling/SimpleInitializeCondition.h"
#include "core/scheduling/SnoozeInitializeCondition.h"
#include "core/scheduling/TimeCondition.h"
#include "core/stream/PropertyTable.h"
#include "support/RecordingDataFileHost.h"
#include "support/TestClock.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

using namespace kelvo;

namespace {

std::string Write(const TPersistent& obj) {
    std::string out;
    TClassWriter w(out);
    w.WriteObject(obj);
    return out;
}

// The raw string of the stream: length, then the bytes.
std::string Raw(std::string_view s) {
    std::string out;
    TClassWriter w(out);
    w.WriteRawString(s);
    return out;
}

std::string Renamed(std::string bytes, std::string_view from, std::string_view to) {
    const std::string a = Raw(from), b = Raw(to);
    for (std::size_t at = bytes.find(a); at != std::string::npos; at = bytes.find(a, at + 1))
        bytes.replace(at, a.size(), b);
    return bytes;
}

class ConditionStream : public ::testing::Test {
protected:
    ConditionStream() { RegisterConditionClasses(registry); }

    template <class T> std::unique_ptr<T> Read(std::string_view bytes) {
        TStreamView stream{bytes};
        TClassReader reader(stream, false, registry);
        std::unique_ptr<T> obj;
        EXPECT_TRUE(reader.ReadObjectAs(obj, false)) << reader.LastError();
        EXPECT_TRUE(reader.AtEnd());
        return obj;
    }

    // The reader's error for a stream that must not read, "" when it read.
    template <class T> std::string ReadError(std::string_view bytes) {
        TStreamView stream{bytes};
        TClassReader reader(stream, false, registry);
        std::unique_ptr<T> obj;
        try {
            if (reader.ReadObjectAs(obj, false))
                return "";
        } catch (const EClassReadingError& e) {
            return e.what();
        }
        return reader.LastError().empty() ? "failed" : reader.LastError();
    }

    // The names of the properties written at the top level of one object.
    std::vector<std::string> Props(std::string_view bytes) {
        TStreamView stream{bytes};
        TClassReader reader(stream, false, registry);
        std::vector<std::string> names;
        EXPECT_EQ(reader.ReadTag(), TIdentType::itObjectBegin);
        reader.ReadRawString();
        while (reader.PeekTag() == TIdentType::itPropName) {
            reader.ReadTag();
            names.push_back(reader.ReadRawString());
            reader.SkipValue();
        }
        return names;
    }

    // Writes, reads back, and checks that the copy writes the same bytes.
    template <class T> std::unique_ptr<T> RoundTrip(const T& obj) {
        const std::string bytes = Write(obj);
        auto read = Read<T>(bytes);
        if (read) {
            EXPECT_EQ(read->ClassType().Name(), obj.ClassType().Name());
            EXPECT_TRUE(Write(*read) == bytes) << "written again differently";
        }
        return read;
    }

    using TNames = std::vector<std::string>;
    // A clock away from midnight, so that constructor defaults differ from 0.0.
    test::TestClock clock{EncodeDateTime(2024, 5, 14, 12, 34)};
    TClassRegistry registry;
};

// ---- registry ---------------------------------------------------------------------------

TEST_F(ConditionStream, EveryConcreteClassIsCreatedByItsName) {
    const char* names[] = {
        "TInitializeCondition",       "TComplexInitializeCondition",  "TInitializeConditionList",
        "TSimpleInitializeCondition", "TReminderInitializeCondition", "TSnoozeInitializeCondition",
        "TAllTimeCondition",          "TOnceTimeCondition",           "TByMinuteTimeCondition",
        "THourlyTimeCondition",       "TComplexTimeCondition",        "TTimeConditionList",
        "TOnceDateCondition",         "TDailyDateCondition",          "TWeeklyDateCondition",
        "TMonthlyDateCondition",      "TYearlyDateCondition",         "TComplexDateCondition",
        "TDateConditionList",         "TOnceRelativeCondition",       "TPeriodicRelativeCondition",
        "TRelativeSubjectRecord"};
    TClassRegistry entities;
    RegisterEntityClasses(entities);
    for (const char* name : names) {
        SCOPED_TRACE(name);
        for (const TClassRegistry* r : {&registry, &entities, &TClassRegistry::Global()}) {
            const TClassInfo* info = r->Find(name);
            ASSERT_NE(info, nullptr);
            ASSERT_TRUE(info->CanCreate());
            EXPECT_EQ(info->Create()->ClassName(), name);
        }
    }
    // The abstract bases are no file's classes.
    for (const char* name : {"TTimeCondition", "TDateCondition", "TPeriodicDateCondition",
                             "TRelativeCondition", "TPeriodicTimeCondition"})
        EXPECT_EQ(registry.Find(name), nullptr) << name;
    // The stream names agree with the names the conditions give themselves.
    EXPECT_EQ(TWeeklyDateCondition().ClassName(), TWeeklyDateCondition::StaticClass().Name());
    EXPECT_EQ(THourlyTimeCondition().ClassName(), THourlyTimeCondition::StaticClass().Name());
    EXPECT_EQ(TReminderInitializeCondition().ClassName(),
              TReminderInitializeCondition::StaticClass().Name());
}

// ---- time conditions --------------------------------------------------------------------

TEST_F(ConditionStream, ComplexTimeConditionIsTheKnown205Bytes) {
    TComplexTimeCondition complex;
    auto once = std::make_unique<TOnceTimeCondition>();
    once->SetTime(0.5);
    complex.Conditions().Add(std::move(once));
    const std::string expected =
        "\x08" + Raw("TComplexTimeCondition") + "\x0A" + Raw("Conditions") + "\x08" +
        Raw("TTimeConditionList") + "\x0A" + Raw("Items") + "\x0B" +
        std::string("\x02\x01\x00\x00\x00", 5) + "\x08" + Raw("TOnceTimeCondition") + "\x0A" +
        Raw("Time") + std::string("\x04\x00\x00\x00\x00\x00\x00\x00\x80\xFE\x3F", 11) + "\x09" +
        Raw("TOnceTimeCondition") + "\x0C" + Raw("Items") + "\x09" + Raw("TTimeConditionList") +
        "\x09" + Raw("TComplexTimeCondition");
    const std::string bytes = Write(complex);
    EXPECT_EQ(bytes.size(), 205u);
    EXPECT_TRUE(bytes == expected);
    auto read = RoundTrip(complex);
    ASSERT_EQ(read->Conditions().Count(), 1);
    EXPECT_EQ(static_cast<TOnceTimeCondition&>(read->Conditions().Items(0)).Time(), 0.5);

    // An empty list is its begin and end only.
    EXPECT_EQ(Props(Write(TTimeConditionList{})), TNames{});
    EXPECT_EQ(RoundTrip(TComplexTimeCondition{})->Conditions().Count(), 0);
}

TEST_F(ConditionStream, MidnightIsLeftOutAndReadsBackAsMidnight) {
    EXPECT_EQ(Props(Write(TAllTimeCondition{})), TNames{});
    TOnceTimeCondition once;
    EXPECT_EQ(Props(Write(once)), TNames{});
    once.SetTime(EncodeTime(9, 30, 0, 0));
    EXPECT_EQ(Props(Write(once)), TNames{"Time"});
    EXPECT_EQ(RoundTrip(once)->Time(), once.Time());

    // Every 15 minutes from 00:00: the constructor would start at 12:34.
    TByMinuteTimeCondition minutes;
    ASSERT_NE(minutes.FromTime(), 0.0);
    minutes.SetFromTime(0.0);
    minutes.SetToTime(EncodeTime(6, 0, 0, 0));
    minutes.SetCountPeriod(15);
    EXPECT_EQ(Props(Write(minutes)), (TNames{"ToTime", "CountPeriod"}));
    auto read = RoundTrip(minutes);
    EXPECT_EQ(read->FromTime(), 0.0);
    EXPECT_EQ(read->ToTime(), minutes.ToTime());
    EXPECT_EQ(read->CountPeriod(), 15);
    for (int m = 0; m < 24 * 60; m += 7)
        EXPECT_EQ(read->NextTime(m / 1440.0), minutes.NextTime(m / 1440.0)) << m;

    THourlyTimeCondition hours;
    hours.SetFromTime(EncodeTime(8, 0, 0, 0));
    hours.SetToTime(EncodeTime(17, 0, 0, 0));
    hours.SetCountPeriod(1);
    EXPECT_EQ(Props(Write(hours)), (TNames{"FromTime", "ToTime", "CountPeriod"}));
    EXPECT_EQ(RoundTrip(hours)->Description(), hours.Description());
}

TEST_F(ConditionStream, CountPeriodBelowOneReadsAsOne) {
    TByMinuteTimeCondition minutes;
    minutes.SetCountPeriod(0);
    EXPECT_EQ(Read<TByMinuteTimeCondition>(Write(minutes))->CountPeriod(), 1);
    minutes.SetCountPeriod(-40);
    EXPECT_EQ(Read<TByMinuteTimeCondition>(Write(minutes))->CountPeriod(), 1);
}

TEST_F(ConditionStream, ComplexTimeConditionKeepsItsMembersInOrder) {
    TComplexTimeCondition complex;
    complex.Conditions().Add(std::make_unique<TAllTimeCondition>());
    auto hourly = std::make_unique<THourlyTimeCondition>();
    hourly->SetFromTime(EncodeTime(7, 15, 0, 0));
    hourly->SetToTime(EncodeTime(19, 15, 0, 0));
    hourly->SetCountPeriod(3);
    complex.Conditions().Add(std::move(hourly));
    complex.Conditions().Add(std::make_unique<TOnceTimeCondition>());
    auto read = RoundTrip(complex);
    ASSERT_EQ(read->Conditions().Count(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(read->Conditions().Items(i).ClassName(),
                  complex.Conditions().Items(i).ClassName());
    EXPECT_EQ(read->Description(), complex.Description());
}

// ---- date conditions --------------------------------------------------------------------

TEST_F(ConditionStream, OnceDateOnDayZeroReadsBackAsDayZero) {
    TOnceDateCondition once;
    ASSERT_EQ(once.Date(), Today());
    EXPECT_EQ(Props(Write(once)), TNames{"Date"});
    EXPECT_EQ(RoundTrip(once)->Date(), Today());
    once.SetDate(0.0);
    EXPECT_EQ(Props(Write(once)), TNames{});
    EXPECT_EQ(RoundTrip(once)->Date(), 0.0);
}

TEST_F(ConditionStream, PeriodicDateStoresTheEndItUses) {
    TDailyDateCondition daily;
    daily.SetFromDate(EncodeDate(2024, 3, 1));
    daily.SetPeriod(2);
    EXPECT_EQ(Props(Write(daily)), (TNames{"FromDate", "Period"}));

    daily.SetUntilType(utDate);
    daily.SetToDate(EncodeDate(2024, 3, 20));
    daily.SetTimes(7); // not stored under utDate
    EXPECT_EQ(Props(Write(daily)), (TNames{"FromDate", "UntilType", "ToDate", "Period"}));
    auto read = RoundTrip(daily);
    EXPECT_EQ(read->UntilType(), utDate);
    EXPECT_EQ(read->ToDate(), EncodeDate(2024, 3, 20));
    EXPECT_EQ(read->StoredTimes(), 1);

    daily.SetUntilType(utTimes);
    daily.SetTimes(1);
    EXPECT_EQ(Props(Write(daily)), (TNames{"FromDate", "UntilType", "Period"}));
    EXPECT_EQ(RoundTrip(daily)->Times(), 1);
    daily.SetTimes(3);
    EXPECT_EQ(Props(Write(daily)), (TNames{"FromDate", "UntilType", "Times", "Period"}));
    read = RoundTrip(daily);
    EXPECT_EQ(read->Times(), 3);
    EXPECT_EQ(read->ToDate(), EncodeDate(2024, 3, 5));
    for (TDateTime x = EncodeDate(2024, 2, 25); x < EncodeDate(2024, 3, 10); x += 1)
        EXPECT_EQ(read->NextDate(x), daily.NextDate(x));

    // An end on day zero is left out and still read as day zero, not as no end.
    daily.SetUntilType(utDate);
    daily.SetToDate(0.0);
    EXPECT_EQ(Props(Write(daily)), (TNames{"FromDate", "UntilType", "Period"}));
    EXPECT_EQ(Read<TDailyDateCondition>(Write(daily))->ToDate(), 0.0);
}

TEST_F(ConditionStream, PeriodAndTimesBelowOneReadAsOne) {
    TWeeklyDateCondition weekly;
    weekly.SetPeriod(0);
    weekly.SetUntilType(utTimes);
    weekly.SetTimes(-2);
    auto read = Read<TWeeklyDateCondition>(Write(weekly));
    EXPECT_EQ(read->Period(), 1);
    EXPECT_EQ(read->Times(), 1);
}

TEST_F(ConditionStream, WeeklyMonthlyAndYearlyKeepTheirDays) {
    TWeeklyDateCondition weekly;
    weekly.SetFromDate(EncodeDate(2024, 1, 3));
    weekly.SetWeekDays(TDaysOfWeek{TDayOfWeekName::Mon, TDayOfWeekName::Fri});
    EXPECT_EQ(Props(Write(weekly)), (TNames{"FromDate", "Period", "WeekDays"}));
    auto w = RoundTrip(weekly);
    EXPECT_EQ(w->WeekDays(), weekly.WeekDays());
    // The empty set is written too.
    weekly.SetWeekDays(TDaysOfWeek{});
    EXPECT_EQ(Props(Write(weekly)), (TNames{"FromDate", "Period", "WeekDays"}));
    EXPECT_TRUE(RoundTrip(weekly)->WeekDays().Empty());

    TMonthlyDateCondition monthly;
    monthly.SetFromDate(EncodeDate(2024, 1, 1));
    monthly.SetDayNumber(0);
    monthly.SetSubjectNumber(wmLast);
    monthly.SetSubjectKind(msFri);
    EXPECT_EQ(Props(Write(monthly)),
              (TNames{"FromDate", "Period", "DayNumber", "SubjectNumber", "SubjectKind"}));
    auto m = RoundTrip(monthly);
    EXPECT_EQ(m->SubjectNumber(), wmLast);
    EXPECT_EQ(m->SubjectKind(), msFri);
    EXPECT_EQ(m->NextDate(EncodeDate(2024, 2, 1)), EncodeDate(2024, 2, 23));

    TYearlyDateCondition yearly;
    yearly.SetFromDate(EncodeDate(2005, 6, 1));
    yearly.SetDayNumber(10);
    yearly.SetMonths(TMonths{TMonthName::Mar, TMonthName::Oct});
    EXPECT_EQ(Props(Write(yearly)).back(), "Months");
    auto y = RoundTrip(yearly);
    EXPECT_EQ(y->Months(), yearly.Months());
    EXPECT_EQ(y->NextDate(EncodeDate(2005, 6, 1)), EncodeDate(2005, 10, 10));
    EXPECT_EQ(y->NextDate(EncodeDate(2005, 10, 11)), EncodeDate(2006, 3, 10));
}

TEST_F(ConditionStream, ComplexDateConditionKeepsBothLists) {
    TComplexDateCondition complex;
    auto daily = std::make_unique<TDailyDateCondition>();
    daily->SetFromDate(EncodeDate(2024, 3, 1));
    complex.Conditions().Add(std::move(daily));
    auto excluded = std::make_unique<TOnceDateCondition>();
    excluded->SetDate(EncodeDate(2024, 3, 10));
    complex.ExcludeConditions().Add(std::move(excluded));
    EXPECT_EQ(Props(Write(complex)), (TNames{"Conditions", "ExcludeConditions"}));
    auto read = RoundTrip(complex);
    ASSERT_EQ(read->Conditions().Count(), 1);
    ASSERT_EQ(read->ExcludeConditions().Count(), 1);
    EXPECT_EQ(read->NextDate(EncodeDate(2024, 3, 10)), EncodeDate(2024, 3, 11));
    EXPECT_EQ(read->Description(), complex.Description());

    // A periodic condition where an exclusion belongs is discarded, as everywhere else.
    TDateConditionList periodic;
    periodic.Add(std::make_unique<TDailyDateCondition>());
    const std::string list = Write(periodic);
    TComplexDateCondition empty;
    std::string bytes = Write(empty);
    const std::string end = "\x09" + Raw("TComplexDateCondition");
    bytes.insert(bytes.size() - end.size(), "\x0A" + Raw("ExcludeConditions") + list);
    auto withPeriodic = Read<TComplexDateCondition>(bytes);
    ASSERT_TRUE(withPeriodic);
    EXPECT_EQ(withPeriodic->ExcludeConditions().Count(), 0);
}

// ---- relative conditions ----------------------------------------------------------------

TEST_F(ConditionStream, SubjectRecordsAndRelativeConditions) {
    const TRelativeSubjectRecord record(3, ptHour);
    EXPECT_EQ(Props(Write(record)), (TNames{"Number", "Subject"}));
    auto r = RoundTrip(record);
    EXPECT_EQ(r->Number(), 3);
    EXPECT_EQ(r->Subject(), ptHour);

    // A number below 1 reads as 1.
    std::string bytes;
    TClassWriter w(bytes);
    w.WriteObjectBegin(record);
    w.WritePropName("Number");
    w.WriteInteger(-3);
    w.WritePropName("Subject");
    w.WriteEnum(ptWeek, EnumNames<TPeriodType>());
    w.WriteObjectEnd(record);
    auto low = Read<TRelativeSubjectRecord>(bytes);
    EXPECT_EQ(low->StoredNumber(), 1);
    EXPECT_EQ(low->Subject(), ptWeek);

    TOnceRelativeCondition once;
    once.SetFromSubject(TRelativeSubjectRecord(30, ptMinute));
    EXPECT_EQ(Props(Write(once)), TNames{"FromSubject"});
    EXPECT_EQ(RoundTrip(once)->Description(), once.Description());

    TPeriodicRelativeCondition periodic;
    EXPECT_EQ(Props(Write(periodic)),
              (TNames{"FromSubject", "PeriodSubject", "UntilType", "UntilSubject", "UntilTimes"}));
    periodic.SetFromSubject(TRelativeSubjectRecord(1, ptDay));
    periodic.SetPeriodSubject(TRelativeSubjectRecord(2, ptHour));
    periodic.SetUntilType(ruUntilTimes);
    periodic.SetUntilTimes(3);
    auto p = RoundTrip(periodic);
    EXPECT_EQ(p->Description(), periodic.Description());
    const TDateTime event = EncodeDateTime(2024, 3, 10, 12, 0);
    p->SetBaseDateTime(event);
    periodic.SetBaseDateTime(event);
    for (int h = 0; h < 30; ++h) {
        const TDateTime x = IncHour(h, EncodeDateTime(2024, 3, 9, 6, 0));
        EXPECT_EQ(p->NextDate(x), periodic.NextDate(x)) << h;
    }
}

// ---- initialize conditions --------------------------------------------------------------

TEST_F(ConditionStream, BaseMomentsAreAlwaysWritten) {
    TSnoozeInitializeCondition snooze;
    EXPECT_EQ(Props(Write(snooze)), (TNames{"DateOfCreate", "LastAppear", "SnoozeDateTime"}));
    auto read = RoundTrip(snooze);
    EXPECT_TRUE(IsNullDate(read->SnoozeDateTime()));
    EXPECT_TRUE(IsNullDate(read->DateOfCreate()));
    EXPECT_TRUE(IsNullDate(read->LastAppear()));

    snooze.SetDateOfCreate(EncodeDateTime(2024, 5, 1, 8, 0));
    snooze.SetLastAppear(EncodeDateTime(2024, 5, 2, 9, 1));
    snooze.SetSnoozeDateTime(EncodeDateTime(2024, 5, 2, 9, 6));
    read = RoundTrip(snooze);
    EXPECT_EQ(read->DateOfCreate(), snooze.DateOfCreate());
    EXPECT_EQ(read->LastAppear(), snooze.LastAppear());
    EXPECT_EQ(read->NextArise(EncodeDateTime(2024, 5, 2, 9, 0)), snooze.SnoozeDateTime());

    EXPECT_EQ(Props(Write(TInitializeCondition{})), (TNames{"DateOfCreate", "LastAppear"}));
}

TEST_F(ConditionStream, SimpleConditionKeepsDateAndTime) {
    TSimpleInitializeCondition simple;
    auto daily = std::make_unique<TDailyDateCondition>();
    daily->SetFromDate(EncodeDate(2024, 3, 1));
    simple.SetDateCondition(daily.get());
    TByMinuteTimeCondition minutes;
    minutes.SetFromTime(EncodeTime(8, 0, 0, 0));
    minutes.SetToTime(EncodeTime(10, 0, 0, 0));
    minutes.SetCountPeriod(30);
    simple.SetTimeCondition(&minutes);
    simple.SetDateOfCreate(EncodeDateTime(2024, 2, 1, 0, 0));
    EXPECT_EQ(Props(Write(simple)),
              (TNames{"DateOfCreate", "LastAppear", "DateCondition", "TimeCondition"}));
    auto read = RoundTrip(simple);
    EXPECT_EQ(read->Description(), simple.Description());
    for (int i = 0; i < 200; ++i) {
        const TDateTime x = IncMinute(i * 37, EncodeDateTime(2024, 2, 29, 7, 0));
        EXPECT_EQ(read->NextArise(x), simple.NextArise(x)) << i;
    }

    // Once today at midnight: the date is written, the midnight left out and read as such.
    TSimpleInitializeCondition fresh;
    auto again = RoundTrip(fresh);
    EXPECT_EQ(again->NextArise(Today()), Today());
}

TEST_F(ConditionStream, ReminderStoresItsTimeOnlyWhereItGivesTheTime) {
    TReminderInitializeCondition asEvent;
    EXPECT_EQ(Props(Write(asEvent)),
              (TNames{"DateOfCreate", "LastAppear", "RelativeCondition", "TimeAsBaseCondition"}));
    auto read = RoundTrip(asEvent);
    EXPECT_TRUE(read->TimeAsBaseCondition());
    EXPECT_EQ(read->TimeCondition(), nullptr);
    EXPECT_EQ(read->Description(), asEvent.Description());

    TReminderInitializeCondition ownTime;
    TOnceTimeCondition evening;
    evening.SetTime(EncodeTime(18, 0, 0, 0));
    ownTime.SetTimeCondition(&evening);
    ownTime.SetTimeAsBaseCondition(false);
    EXPECT_EQ(Props(Write(ownTime)), (TNames{"DateOfCreate", "LastAppear", "RelativeCondition",
                                             "TimeCondition", "TimeAsBaseCondition"}));
    read = RoundTrip(ownTime);
    EXPECT_FALSE(read->TimeAsBaseCondition());
    ASSERT_NE(read->TimeCondition(), nullptr);
    EXPECT_EQ(read->TimeText(), ownTime.TimeText());

    // The flag set: the time condition is not the reminder's time and stays out.
    ownTime.SetTimeAsBaseCondition(true);
    EXPECT_EQ(Props(Write(ownTime)).size(), 4u);
    EXPECT_EQ(Read<TReminderInitializeCondition>(Write(ownTime))->TimeCondition(), nullptr);

    // Minutes before the event: the moments keep the event's time.
    ownTime.SetTimeAsBaseCondition(false);
    TOnceRelativeCondition minutes;
    minutes.SetFromSubject(TRelativeSubjectRecord(5, ptMinute));
    ownTime.SetRelativeCondition(&minutes);
    EXPECT_EQ(Props(Write(ownTime)).size(), 4u);
    read = Read<TReminderInitializeCondition>(Write(ownTime));
    EXPECT_EQ(read->RelativeCondition()->ClassName(), "TOnceRelativeCondition");
    EXPECT_EQ(read->RelativeCondition()->FromSubject().Number(), 5);
}

TEST_F(ConditionStream, ComplexConditionListsEveryKind) {
    TComplexInitializeCondition complex;
    complex.Conditions().Add(
        std::make_unique<TSimpleInitializeCondition>(EncodeDateTime(2024, 6, 1, 9, 0)));
    auto snooze = std::make_unique<TSnoozeInitializeCondition>();
    snooze->SetSnoozeDateTime(EncodeDateTime(2024, 5, 20, 7, 45));
    complex.Conditions().Add(std::move(snooze));
    complex.SetDateOfCreate(EncodeDateTime(2024, 5, 1, 0, 0));
    EXPECT_EQ(Props(Write(complex)), (TNames{"DateOfCreate", "LastAppear", "Conditions"}));
    auto read = RoundTrip(complex);
    ASSERT_EQ(read->Conditions().Count(), 2);
    EXPECT_EQ(read->Conditions().Items(1).ClassName(), "TSnoozeInitializeCondition");
    EXPECT_EQ(read->Conditions().Items(0).DateOfCreate(), complex.DateOfCreate());
    for (TDateTime x : {EncodeDateTime(2024, 5, 1, 0, 0), EncodeDateTime(2024, 5, 20, 7, 46),
                        EncodeDateTime(2024, 6, 1, 9, 0), EncodeDateTime(2024, 6, 1, 9, 1)})
        EXPECT_EQ(read->NextArise(x), complex.NextArise(x));
    EXPECT_EQ(read->Description(), complex.Description());
}

// ---- objects of the wrong class ---------------------------------------------------------

TEST_F(ConditionStream, AnObjectOfAnotherClassFailsWhereAConditionBelongs) {
    // Same name lengths, so that only the class changes.
    TSimpleInitializeCondition simple;
    const std::string good = Write(simple);
    ASSERT_NE(Read<TSimpleInitializeCondition>(good), nullptr);
    const std::string timeForDate = Renamed(good, "TOnceDateCondition", "TOnceTimeCondition");
    ASSERT_NE(timeForDate, good);
    EXPECT_NE(ReadError<TSimpleInitializeCondition>(timeForDate), "");

    // Inside an "Items" list as well.
    TComplexDateCondition complex;
    complex.Conditions().Add(std::make_unique<TOnceDateCondition>());
    const std::string inList = Renamed(Write(complex), "TOnceDateCondition", "TOnceTimeCondition");
    EXPECT_NE(ReadError<TComplexDateCondition>(inList), "");

    // A date condition where the initialize conditions are listed.
    TComplexInitializeCondition conditions;
    conditions.Conditions().Add(std::make_unique<TSnoozeInitializeCondition>());
    const std::string foreign =
        Renamed(Write(conditions), "TSnoozeInitializeCondition", "TSimpleInitializeCondition");
    EXPECT_EQ(ReadError<TComplexInitializeCondition>(foreign), "")
        << "another initialize condition is welcome";
    TComplexDateCondition dates;
    const std::string wrongList = Renamed(Write(dates), "TDateConditionList", "TTimeConditionList");
    EXPECT_NE(ReadError<TComplexDateCondition>(wrongList), "");
}

// ---- whole events through the events file -----------------------------------------------

std::unique_ptr<TEvent> EventWithReminderAndSnooze() {
    auto e = std::make_unique<TEvent>();
    auto simple = std::make_unique<TSimpleInitializeCondition>();
    auto weekly = std::make_unique<TWeeklyDateCondition>();
    weekly->SetFromDate(EncodeDate(2024, 5, 1));
    weekly->SetWeekDays(TDaysOfWeek{TDayOfWeekName::Mon, TDayOfWeekName::Thu});
    simple->SetDateCondition(weekly.get());
    TOnceTimeCondition nine;
    nine.SetTime(EncodeTime(9, 0, 0, 0));
    simple->SetTimeCondition(&nine);
    e->InitializeCondition().Conditions().Add(std::move(simple));
    e->SetCreationTime(EncodeDateTime(2024, 5, 1, 8, 0));

    e->SetHasReminder(true);
    auto reminder = std::make_unique<TReminderInitializeCondition>();
    TOnceTimeCondition evening;
    evening.SetTime(EncodeTime(18, 30, 0, 0));
    reminder->SetTimeCondition(&evening);
    reminder->SetTimeAsBaseCondition(false);
    e->Reminder()->InitializeCondition().Conditions().Add(std::move(reminder));
    auto periodic = std::make_unique<TReminderInitializeCondition>();
    TPeriodicRelativeCondition hourly;
    hourly.SetFromSubject(TRelativeSubjectRecord(3, ptHour));
    hourly.SetPeriodSubject(TRelativeSubjectRecord(1, ptHour));
    periodic->SetRelativeCondition(&hourly);
    e->Reminder()->InitializeCondition().Conditions().Add(std::move(periodic));

    e->SetState(esExecutedEvent);
    e->SetDefaultSnoozeNumber(10);
    e->SnoozeEvent();
    return e;
}

TEST_F(ConditionStream, EventWithReminderAndSnoozeArisesAlikeAfterReading) {
    clock.Set(EncodeDateTime(2024, 5, 13, 9, 2));
    std::vector<std::unique_ptr<TEvent>> events;
    events.push_back(EventWithReminderAndSnooze());
    events.push_back(std::make_unique<TEvent>());
    TEventList list;
    for (const auto& e : events)
        list.Add(*e);
    const std::string bytes = WriteEvents(list);
    test::RecordingDataFileHost host;
    const TOwnedEvents read = ReadEvents(bytes, host);
    EXPECT_TRUE(host.Errors.empty());
    ASSERT_EQ(read.size(), 2u);
    TEventList again;
    for (const auto& e : read)
        again.Add(*e);
    EXPECT_TRUE(WriteEvents(again) == bytes);

    TEvent& a = *events[0];
    TEvent& b = *read[0];
    EXPECT_EQ(b.State(), esSnoozedEvent);
    EXPECT_EQ(b.SnoozeDateTime(), EncodeDateTime(2024, 5, 13, 9, 12));
    EXPECT_EQ(b.Description(), a.Description());
    ASSERT_TRUE(b.HasReminder());
    EXPECT_EQ(b.Reminder()->InitializeCondition().Description(),
              a.Reminder()->InitializeCondition().Description());
    EXPECT_EQ(b.InitializeCondition().DateOfCreate(), a.InitializeCondition().DateOfCreate());
    int reminders = 0;
    for (int i = 0; i < 21 * 24; ++i) {
        const TDateTime x = IncMinute(i * 60 + 17, EncodeDateTime(2024, 5, 1, 0, 0));
        SCOPED_TRACE(i);
        EXPECT_EQ(b.InitializeCondition().NextArise(x), a.InitializeCondition().NextArise(x));
        const TDateTime r = a.ReminderNextArise(x);
        EXPECT_EQ(b.ReminderNextArise(x), r);
        EXPECT_EQ(b.NextAriseWithReminder(x), a.NextAriseWithReminder(x));
        EXPECT_EQ(b.SnoozeCondition().NextArise(x), a.SnoozeCondition().NextArise(x));
        reminders += IsNullDate(r) ? 0 : 1;
    }
    EXPECT_GT(reminders, 0) << "the reminder must be found through its event";
    EXPECT_EQ(read[1]->InitializeCondition().Conditions().Count(), 0);
}

TEST_F(ConditionStream, WrongConditionClassFailsOnlyItsRecord) {
    std::vector<std::unique_ptr<TEvent>> events;
    for (int i = 0; i < 3; ++i) {
        events.push_back(std::make_unique<TEvent>());
        events.back()->SetWindowMessage("event " + std::to_string(i));
    }
    events[1]->InitializeCondition().Conditions().Add(
        std::make_unique<TSimpleInitializeCondition>(EncodeDateTime(2024, 6, 1, 9, 0)));
    TEventList list;
    for (const auto& e : events)
        list.Add(*e);
    const std::string bytes =
        Renamed(WriteEvents(list), "TOnceDateCondition", "TOnceTimeCondition");
    test::RecordingDataFileHost host;
    const TOwnedEvents read = ReadEvents(bytes, host);
    EXPECT_EQ(host.Errors.size(), 1u);
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0]->WindowMessage(), "event 0");
    EXPECT_EQ(read[1]->WindowMessage(), "event 2");
}

} // namespace
