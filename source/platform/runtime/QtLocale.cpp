#include "platform/runtime/QtLocale.h"

#include <algorithm>

namespace kelvo {

namespace {

// Qt numbers the weekdays 1 (Monday) to 7 (Sunday).
int QtDay(TDayOfWeekName day) {
    const int d = static_cast<int>(day);
    return d == 0 ? 7 : d;
}

int QtMonth(TMonthName month) {
    return static_cast<int>(month) + 1;
}

} // namespace

TQtLocale::TQtLocale(const QLocale& locale) : locale_(locale) {}

void TQtLocale::Reload(const QLocale& locale) {
    locale_ = locale;
}

std::string TQtLocale::LongDayName(TDayOfWeekName day) const {
    if (Fixed())
        return english_.LongDayName(day);
    return locale_.dayName(QtDay(day), QLocale::LongFormat).toStdString();
}

std::string TQtLocale::ShortDayName(TDayOfWeekName day) const {
    if (Fixed())
        return english_.ShortDayName(day);
    return locale_.dayName(QtDay(day), QLocale::ShortFormat).toStdString();
}

std::string TQtLocale::LongMonthName(TMonthName month) const {
    if (Fixed())
        return english_.LongMonthName(month);
    return locale_.monthName(QtMonth(month), QLocale::LongFormat).toStdString();
}

std::string TQtLocale::ShortMonthName(TMonthName month) const {
    if (Fixed())
        return english_.ShortMonthName(month);
    return locale_.monthName(QtMonth(month), QLocale::ShortFormat).toStdString();
}

std::string TQtLocale::ShortDateFormat() const {
    if (Fixed())
        return english_.ShortDateFormat();
    return FormatOfQt(locale_.dateFormat(QLocale::ShortFormat));
}

std::string TQtLocale::ShortTimeFormat() const {
    if (Fixed())
        return english_.ShortTimeFormat();
    return FormatOfQt(locale_.timeFormat(QLocale::ShortFormat));
}

std::string TQtLocale::TimeAMString() const {
    if (Fixed() || locale_.amText().isEmpty())
        return english_.TimeAMString();
    return locale_.amText().toStdString();
}

std::string TQtLocale::TimePMString() const {
    if (Fixed() || locale_.pmText().isEmpty())
        return english_.TimePMString();
    return locale_.pmText().toStdString();
}

int TQtLocale::FirstDayOfWeek() const {
    if (Fixed())
        return english_.FirstDayOfWeek();
    return static_cast<int>(locale_.firstDayOfWeek()) % 7;
}

std::string TQtLocale::FormatOfQt(const QString& qtFormat) {
    // Qt: M month, m minute, H/h hour, AP/ap/A/a the day half, t the time zone, '...'
    // literal text with '' for a quote. Ours: m month, n minute, h hour, ampm, "..." text.
    std::string out;
    const QString f = qtFormat;
    for (qsizetype i = 0; i < f.size();) {
        const QChar c = f[i];
        qsizetype run = 1;
        while (i + run < f.size() && f[i + run] == c)
            ++run;
        if (c == u'\'') {
            if (run >= 2 && run % 2 == 0) { // '' is a quote character
                out += std::string(static_cast<std::size_t>(run / 2), '\'');
                i += run;
                continue;
            }
            std::string text;
            qsizetype j = i + 1;
            while (j < f.size()) {
                if (f[j] == u'\'') {
                    if (j + 1 < f.size() && f[j + 1] == u'\'') {
                        text += '\'';
                        j += 2;
                        continue;
                    }
                    break;
                }
                text += QString(f[j]).toStdString();
                ++j;
            }
            out += '"' + text + '"';
            i = j + 1;
            continue;
        }
        switch (c.unicode()) {
        case u'd':
            out += std::string(static_cast<std::size_t>(std::min<qsizetype>(run, 4)), 'd');
            break;
        case u'M':
            out += std::string(static_cast<std::size_t>(std::min<qsizetype>(run, 4)), 'm');
            break;
        case u'y':
            out += run >= 3 ? "yyyy" : "yy";
            break;
        case u'h':
        case u'H':
            out += run >= 2 ? "hh" : "h";
            break;
        case u'm':
            out += run >= 2 ? "nn" : "n";
            break;
        case u's':
            out += run >= 2 ? "ss" : "s";
            break;
        case u'z':
            out += run >= 2 ? "zzz" : "z";
            break;
        case u'A':
        case u'a':
            if (i + run < f.size() && (f[i + run] == u'P' || f[i + run] == u'p'))
                ++run;
            out += "ampm";
            break;
        case u't':
            // No time zone in the core's formats; drop it with the blank before it.
            while (!out.empty() && out.back() == ' ')
                out.pop_back();
            break;
        default:
            if (c.isLetter())
                out += '"' + QString(f.mid(i, run)).toStdString() + '"';
            else
                out += QString(f.mid(i, run)).toStdString();
            break;
        }
        i += run;
    }
    return out;
}

TQtLocale& InstallSystemLocale() {
    static TQtLocale locale;
    static bool installed = false;
    locale.Reload();
    InstallLocale(&locale);
    // The program-wide first day starts as the locale's; a stored first day that makes no
    // sense falls back to it. Later only the option changes it.
    if (!installed)
        SetFirstDayOfWeek(locale.FirstDayOfWeek());
    installed = true;
    return locale;
}

} // namespace kelvo
