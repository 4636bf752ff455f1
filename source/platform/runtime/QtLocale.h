#pragma once

#include "core/util/paDateUtils.h"

#include <QLocale>

namespace kelvo {

// The user's regional settings as the core reads them: names, short formats and the first
// day of the week of QLocale::system(). The "C" locale keeps the fixed English texts, so
// that output does not depend on the machine there.
class TQtLocale : public ILocale {
public:
    explicit TQtLocale(const QLocale& locale = QLocale::system());

    // Takes the system locale again (after the user changed it).
    void Reload(const QLocale& locale = QLocale::system());

    std::string LongDayName(TDayOfWeekName day) const override;
    std::string ShortDayName(TDayOfWeekName day) const override;
    std::string LongMonthName(TMonthName month) const override;
    std::string ShortMonthName(TMonthName month) const override;
    std::string ShortDateFormat() const override;
    std::string ShortTimeFormat() const override;
    std::string TimeAMString() const override;
    std::string TimePMString() const override;
    int FirstDayOfWeek() const override;

    // A Qt date or time format in the core's format letters.
    static std::string FormatOfQt(const QString& qtFormat);

private:
    bool Fixed() const { return locale_.language() == QLocale::C; }

    QLocale locale_;
    TEnglishLocale english_;
};

// Installs the locale over the system's, or takes the system's again when it is installed
// already (after a locale change). Kept for the process's lifetime. The first install also
// sets the program-wide first day of the week to the locale's.
TQtLocale& InstallSystemLocale();

} // namespace kelvo
