#include "platform/runtime/QtLocale.h"

#include <QDate>
#include <QTime>
#include <gtest/gtest.h>

namespace kelvo {
namespace {

// Installs a locale for one test and restores the English default afterwards.
class ScopedLocale {
public:
    explicit ScopedLocale(const QLocale& locale) : locale_(locale) { InstallLocale(&locale_); }
    ~ScopedLocale() { InstallLocale(nullptr); }
    TQtLocale& Locale() { return locale_; }

private:
    TQtLocale locale_;
};

TEST(QtLocale, QtFormatsBecomeTheCoreLetters) {
    EXPECT_EQ(TQtLocale::FormatOfQt("dd/MM/yyyy"), "dd/mm/yyyy");
    EXPECT_EQ(TQtLocale::FormatOfQt("d.M.yy"), "d.m.yy");
    EXPECT_EQ(TQtLocale::FormatOfQt("HH:mm:ss"), "hh:nn:ss");
    EXPECT_EQ(TQtLocale::FormatOfQt("h:mm AP"), "h:nn ampm");
    EXPECT_EQ(TQtLocale::FormatOfQt("h:mm ap t"), "h:nn ampm") << "no time zone in our formats";
    EXPECT_EQ(TQtLocale::FormatOfQt("d 'de' MMMM 'o''clock'"), "d \"de\" mmmm \"o'clock\"");
    EXPECT_EQ(TQtLocale::FormatOfQt("yyyy''MM"), "yyyy'mm");
}

TEST(QtLocale, TheCLocaleKeepsTheFixedEnglishTexts) {
    ScopedLocale c(QLocale::c());
    EXPECT_EQ(CurrentLocale().ShortDateFormat(), "yyyy-mm-dd");
    EXPECT_EQ(CurrentLocale().ShortTimeFormat(), "hh:nn");
    EXPECT_EQ(CurrentLocale().LongDayName(TDayOfWeekName::Sun), "Sunday");
    EXPECT_EQ(CurrentLocale().FirstDayOfWeek(), 0);
}

// Our texts of a date and a time read as Qt writes them for the same locale.
TEST(QtLocale, DatesAndTimesReadAsTheLocaleWritesThem) {
    const QDate date(2031, 11, 3);
    const QTime time(21, 5);
    const TDateTime x = EncodeDateTime(2031, 11, 3, 21, 5);
    for (const char* name : {"de_DE", "en_US", "fr_FR", "en_GB", "ru_RU", "nl_NL"}) {
        const QLocale qt(QString::fromLatin1(name));
        ScopedLocale locale(qt);
        EXPECT_EQ(ShortDateText(x), qt.toString(date, QLocale::ShortFormat).toStdString()) << name;
        QString qtTime = qt.toString(time, QLocale::ShortFormat);
        EXPECT_EQ(ShortTimeText(x), qtTime.toStdString()) << name;
        EXPECT_EQ(CurrentLocale().LongDayName(TDayOfWeekName::Mon),
                  qt.dayName(1, QLocale::LongFormat).toStdString())
            << name;
        EXPECT_EQ(CurrentLocale().ShortMonthName(TMonthName::Nov),
                  qt.monthName(11, QLocale::ShortFormat).toStdString())
            << name;
    }
}

TEST(QtLocale, FirstDayOfWeekCountsFromSunday) {
    EXPECT_EQ(TQtLocale(QLocale("de_DE")).FirstDayOfWeek(), 1);
    EXPECT_EQ(TQtLocale(QLocale("en_US")).FirstDayOfWeek(), 0);
}

} // namespace
} // namespace kelvo
