// CSV cells as spreadsheets read them, and holiday files into events.

#include "core/exchange/Csv.h"
#include "core/exchange/HolidayFile.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

TEST(Csv, QuotesAreDoubledAndFormulasCannotRun) {
    EXPECT_EQ(CsvCell("Say \"hi\", Ann"), "\"Say \"\"hi\"\", Ann\"");
    for (const char* formula : {"=1+2", "+1", "-1", "@SUM(A1)", "\tx"})
        EXPECT_EQ(CsvCell(formula), std::string("\"'") + formula + "\"") << formula;
    EXPECT_EQ(CsvCell("a=b"), "\"a=b\"");
    EXPECT_EQ(CsvCell(""), "\"\"");
    EXPECT_EQ(CsvText({"A", "B"}, {{"1", "x\r\ny"}}),
              "\xEF\xBB\xBF\"A\",\"B\"\r\n\"1\",\"x\r\ny\"\r\n");
}

TEST(HolidayFile, ReadsBothFormsAndNamesBadLines) {
    const THolidayFile file = ParseHolidays("\xEF\xBB\xBF# comment\r\n01-01 New Year\r\n\r\n"
                                            "2027-03-26  Good Friday \r\n02-29 Leap day\n"
                                            "02-30 No day\n2027-02-29 No leap\n12-25\n; other\n"
                                            "1-5 Short\n");
    ASSERT_EQ(file.Holidays.size(), 3u);
    EXPECT_EQ(file.Holidays[0].Year, 0);
    EXPECT_EQ(file.Holidays[0].Name, "New Year");
    EXPECT_EQ(file.Holidays[1].Year, 2027);
    EXPECT_EQ(file.Holidays[1].Day, 26);
    EXPECT_EQ(file.Holidays[1].Name, "Good Friday");
    EXPECT_EQ(file.Holidays[2].Month, 2);
    ASSERT_EQ(file.Problems.size(), 4u);
    EXPECT_TRUE(file.Problems[0].starts_with("line 6:")) << file.Problems[0];
    EXPECT_TRUE(file.Problems[2].starts_with("line 8:")) << file.Problems[2];
}

TEST(HolidayFile, AHolidayIsASilentAllDayEventAddedOnce) {
    const THolidayFile file = ParseHolidays("12-25 Christmas\n2027-03-26 Good Friday\n");
    auto christmas = HolidayEvent(file.Holidays[0]);
    EXPECT_EQ(christmas->EventAction().Actions().Count(), 0);
    EXPECT_FALSE(christmas->HasOption(eoAlarmWindowOnEvent));
    EXPECT_FALSE(christmas->HasOption(eoMessageAboutComingLate));
    EXPECT_FALSE(christmas->HasReminder());
    TDateTime x = EncodeDate(2027, 1, 1);
    for (int year : {2027, 2028}) {
        const TDateTime a = christmas->InitializeCondition().NextArise(x);
        EXPECT_EQ(DateTimeToMs(a), DateTimeToMs(EncodeDate(year, 12, 25)));
        x = EncodeDate(year, 12, 26);
    }
    auto goodFriday = HolidayEvent(file.Holidays[1]);
    EXPECT_TRUE(IsNullDate(goodFriday->InitializeCondition().NextArise(EncodeDate(2027, 3, 27))));

    // Imported again, into a notebook that has one of them: only the other comes.
    const TOwnedEvents again =
        NewHolidayEvents({file.Holidays[0], file.Holidays[1], file.Holidays[1]}, {christmas.get()});
    ASSERT_EQ(again.size(), 1u);
    EXPECT_EQ(again[0]->Description(), "Good Friday");
}

} // namespace
} // namespace kelvo
