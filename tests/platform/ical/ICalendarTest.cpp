// The recurrence examples of RFC 5545 (section 3.8.5.3) imported into events: each arises
// exactly where libical's own expansion of the rule says, and what has no condition of its own
// says so.

#include "platform/ical/ICalendar.h"

#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>

namespace kelvo {
namespace {

struct TExample {
    const char* Name;
    const char* Lines; // inside the VEVENT, after its UID
    bool Mapped;       // a condition says it without a note
};

const TExample Examples[] = {
    {"daily for 10", "DTSTART;TZID=America/New_York:19970902T090000\r\nRRULE:FREQ=DAILY;COUNT=10",
     true},
    {"daily until",
     "DTSTART;TZID=America/New_York:19970902T090000\r\nRRULE:FREQ=DAILY;UNTIL=19971224T000000Z",
     true},
    {"every other day",
     "DTSTART;TZID=America/New_York:19970902T090000\r\nRRULE:FREQ=DAILY;INTERVAL=2", true},
    {"every 10 days 5 times",
     "DTSTART;TZID=America/New_York:19970902T090000\r\nRRULE:FREQ=DAILY;INTERVAL=10;COUNT=5", true},
    {"weekly for 10", "DTSTART;TZID=America/New_York:19970902T090000\r\nRRULE:FREQ=WEEKLY;COUNT=10",
     true},
    {"every other week MO WE FR",
     "DTSTART;TZID=America/New_York:19970901T090000\r\n"
     "RRULE:FREQ=WEEKLY;INTERVAL=2;UNTIL=19971224T000000Z;WKST=SU;BYDAY=MO,WE,FR",
     false},
    {"weekly TU TH for 5 weeks",
     "DTSTART;TZID=America/"
     "New_York:19970902T090000\r\nRRULE:FREQ=WEEKLY;COUNT=10;WKST=SU;BYDAY=TU,TH",
     true},
    {"first Friday 10 times",
     "DTSTART;TZID=America/New_York:19970905T090000\r\nRRULE:FREQ=MONTHLY;COUNT=10;BYDAY=1FR",
     true},
    {"second-to-last Monday",
     "DTSTART;TZID=America/New_York:19970922T090000\r\nRRULE:FREQ=MONTHLY;COUNT=6;BYDAY=-2MO",
     false},
    {"third-to-last day",
     "DTSTART;TZID=America/New_York:19970928T090000\r\nRRULE:FREQ=MONTHLY;BYMONTHDAY=-3", false},
    {"June and July 10 times",
     "DTSTART;TZID=America/New_York:19970610T090000\r\nRRULE:FREQ=YEARLY;COUNT=10;BYMONTH=6,7",
     true},
    {"every Friday the 13th",
     "DTSTART;TZID=America/New_York:19970902T090000\r\n"
     "EXDATE;TZID=America/New_York:19970902T090000\r\nRRULE:FREQ=MONTHLY;BYDAY=FR;BYMONTHDAY=13",
     false},
    {"last work day",
     "DTSTART;TZID=America/New_York:19970929T090000\r\n"
     "RRULE:FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=-1",
     false},
    {"every 3 hours",
     "DTSTART;TZID=America/New_York:19970902T090000\r\n"
     "RRULE:FREQ=HOURLY;INTERVAL=3;UNTIL=19970902T170000Z",
     false},
    {"every 20 minutes 9 to 16:40",
     "DTSTART;TZID=America/New_York:19970902T090000\r\n"
     "RRULE:FREQ=DAILY;BYHOUR=9,10,11,12,13,14,15,16;BYMINUTE=0,20,40",
     true},
    {"yearly all day", "DTSTART;VALUE=DATE:19970714\r\nRRULE:FREQ=YEARLY", true},
    {"dates",
     "DTSTART;TZID=America/New_York:19970714T083000\r\n"
     "RDATE;TZID=America/New_York:19970801T083000,19970915T083000",
     true},
    {"yearly with an exception",
     "DTSTART:19970105T083000\r\nRRULE:FREQ=YEARLY;BYMONTH=1\r\n"
     "EXDATE:19990105T083000",
     true},
};

std::string Calendar(const std::string& inside) {
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\nBEGIN:VEVENT\r\nUID:x@test\r\n"
           "SUMMARY:Example\r\n" +
           inside + "\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
}

class ICalendarTest : public ::testing::Test {
protected:
    // The examples' own zone is local time: the moments compare as written.
    void SetUp() override {
        setenv("TZ", "America/New_York", 1);
        tzset();
        SetFirstDayOfWeek(1);
    }
};

TEST_F(ICalendarTest, RfcExamplesAriseWhereLibicalExpandsThem) {
    const TDateTime until = EncodeDate(2001, 1, 1);
    for (const TExample& example : Examples) {
        SCOPED_TRACE(example.Name);
        const TCalFile file = ParseICalendar(Calendar(example.Lines));
        ASSERT_EQ(file.Items.size(), 1u);
        const TCalItem& item = file.Items.front();
        TImportedEvent imported = EventOfCalendarItem(item, ExpandCalendarItem);
        EXPECT_EQ(imported.Notes.empty(), example.Mapped)
            << (imported.Notes.empty() ? "" : imported.Notes.front());
        const auto want = ExpandCalendarItem(item, 400, until);
        ASSERT_GE(want.size(), 2u);
        std::vector<std::int64_t> wanted, got;
        for (TDateTime w : want)
            wanted.push_back(DateTimeToMs(w));
        TDateTime x = EncodeDate(1997, 1, 1);
        // One more than libical gives, unless its list was cut at 400.
        const std::size_t enough = wanted.size() == 400 ? 400 : wanted.size() + 1;
        while (got.size() < enough) {
            const TDateTime a = imported.Event->InitializeCondition().NextArise(x);
            if (IsNullDate(a) || a > until)
                break;
            got.push_back(DateTimeToMs(a));
            // An all-day event arises at every moment of its days.
            x = item.AllDay ? DateOf(a) + 1 : IncMinute(1, a);
        }
        EXPECT_EQ(got, wanted);
    }
}

TEST_F(ICalendarTest, AlarmsBecomeTheReminderAndWhatIsLostIsNamed) {
    const TCalFile file = ParseICalendar(Calendar(
        "DTSTART:19970317T133000\r\nDTEND:19970317T143000\r\nLOCATION:Room 1\r\n"
        "BEGIN:VALARM\r\nTRIGGER:-PT30M\r\nREPEAT:2\r\nDURATION:PT15M\r\nACTION:AUDIO\r\nEND:"
        "VALARM\r\n"
        "BEGIN:VALARM\r\nTRIGGER:PT0S\r\nACTION:DISPLAY\r\nDESCRIPTION:Now\r\nEND:VALARM\r\n"
        "BEGIN:VALARM\r\nTRIGGER:-P1D\r\nACTION:EMAIL\r\nSUMMARY:x\r\nEND:VALARM"));
    ASSERT_EQ(file.Items.size(), 1u);
    TImportedEvent imported = EventOfCalendarItem(file.Items.front(), ExpandCalendarItem);
    TEvent& e = *imported.Event;
    EXPECT_TRUE(e.HasOption(eoAlarmWindowOnEvent));
    EXPECT_FALSE(e.HasOption(eoAlarmWindowOnReminder));
    EXPECT_EQ(DateTimeToMs(e.ReminderNextArise(EncodeDate(1997, 3, 1))),
              DateTimeToMs(EncodeDateTime(1997, 3, 17, 13, 0)));
    std::string notes;
    for (const std::string& n : imported.Notes)
        notes += n + "\n";
    for (const char* lost : {"LOCATION", "DTEND", "EMAIL", "repetitions"})
        EXPECT_NE(notes.find(lost), std::string::npos) << lost << " in\n" << notes;
}

TEST_F(ICalendarTest, WhatIsNoCalendarIsRefused) {
    EXPECT_FALSE(LooksLikeICalendar("01-01 New Year\n"));
    EXPECT_TRUE(LooksLikeICalendar("\xEF\xBB\xBF\r\n begin:vcalendar\r\n"));
    EXPECT_THROW(ParseICalendar("Reminder notebook file"), EICalendarError);
}

} // namespace
} // namespace kelvo
