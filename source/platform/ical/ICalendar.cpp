#include "platform/ical/ICalendar.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <set>

extern "C" {
#include <libical/ical.h>
}

namespace kelvo {

namespace {

constexpr const char* OwnRecordProperty = "X-KELVO-EVENT";

struct TComponentFree {
    void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};
using TIcalOwner = std::unique_ptr<icalcomponent, TComponentFree>;

constexpr std::string_view Base64Digits =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

std::string ToBase64(std::string_view bytes) {
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        std::uint32_t n = static_cast<unsigned char>(bytes[i]) << 16;
        if (i + 1 < bytes.size())
            n |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        if (i + 2 < bytes.size())
            n |= static_cast<unsigned char>(bytes[i + 2]);
        out += Base64Digits[n >> 18 & 63];
        out += Base64Digits[n >> 12 & 63];
        out += i + 1 < bytes.size() ? Base64Digits[n >> 6 & 63] : '=';
        out += i + 2 < bytes.size() ? Base64Digits[n & 63] : '=';
    }
    return out;
}

// Anything but the 64 digits (folding blanks, the padding) is skipped.
std::string FromBase64(std::string_view text) {
    std::string out;
    std::uint32_t n = 0;
    int bits = 0;
    for (char c : text) {
        const std::size_t v = Base64Digits.find(c);
        if (v == std::string_view::npos)
            continue;
        n = (n << 6 | static_cast<std::uint32_t>(v)) & 0xFFFFFF;
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            out += static_cast<char>(n >> bits & 0xFF);
        }
    }
    return out;
}

// libical answers null for what it cannot name or read.
std::string Text(const char* text, const char* otherwise = "") {
    return text ? text : otherwise;
}

std::string KindName(icalcomponent_kind kind) {
    return Text(icalcomponent_kind_to_string(kind), "an unknown component");
}

std::string Take(char* text) {
    std::string s = text ? text : "";
    std::free(text);
    return s;
}

// ---------------------------------------------------------------------------------------------
// Moments.

// A moment of the file in local time: DATE values and floating times as they are, times of a
// zone or UTC converted as the clock of this computer shows them.
TDateTime Local(icaltimetype t, const icaltimezone* zone) {
    // A damaged value is no moment at all.
    if (icaltime_is_null_time(t) || t.year < 1 || !IsValidDate(t.year, t.month, t.day) ||
        t.hour < 0 || t.hour > 23 || t.minute < 0 || t.minute > 59 || t.second < 0 || t.second > 60)
        return NullDate;
    if (t.second == 60)
        t.second = 59;
    if (t.is_date)
        return EncodeDate(t.year, t.month, t.day);
    if (!zone && !icaltime_is_utc(t))
        return EncodeDateTime(t.year, t.month, t.day, t.hour, t.minute, t.second);
    const time_t u = icaltime_as_timet_with_zone(t, zone ? zone : icaltimezone_get_utc_timezone());
    std::tm lt{};
    localtime_r(&u, &lt);
    return EncodeDateTime(lt.tm_year + 1900, lt.tm_mon + 1, lt.tm_mday, lt.tm_hour, lt.tm_min,
                          lt.tm_sec);
}

icaltimetype Floating(TDateTime x, bool date) {
    icaltimetype t = icaltime_null_time();
    const TDateParts d = DecodeDate(x);
    t.year = static_cast<int>(d.Year);
    t.month = d.Month;
    t.day = d.Day;
    if (date) {
        t.is_date = 1;
    } else {
        const TTimeParts p = DecodeTime(x);
        t.hour = p.Hour;
        t.minute = p.Minute;
        t.second = p.Second;
    }
    return t;
}

class TReader {
public:
    explicit TReader(icalcomponent* calendar) : calendar_(calendar) {}

    // The zone a property's TZID names: the file's VTIMEZONE, else the one libical knows.
    const icaltimezone* ZoneOf(icalproperty* p, icaltimetype t, TCalItem& item) {
        if (t.zone)
            return t.zone;
        icalparameter* tzid = icalproperty_get_first_parameter(p, ICAL_TZID_PARAMETER);
        if (!tzid)
            return nullptr;
        const char* name = icalparameter_get_tzid(tzid);
        if (!name)
            return nullptr;
        icaltimezone* zone = calendar_ ? icalcomponent_get_timezone(calendar_, name) : nullptr;
        if (!zone)
            zone = icaltimezone_get_builtin_timezone(name);
        if (!zone)
            Note(item,
                 std::string("the time zone \"") + name + "\" is unknown: taken as local time");
        return zone;
    }

    TCalItem Item(icalcomponent* event) {
        TCalItem item;
        if (const char* uid = icalcomponent_get_uid(event))
            item.Uid = uid;
        icaltimetype end = icaltime_null_time();
        bool hasDuration = false;
        struct icaldurationtype duration = icaldurationtype_null_duration();
        for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_ANY_PROPERTY); p;
             p = icalcomponent_get_next_property(event, ICAL_ANY_PROPERTY)) {
            switch (icalproperty_isa(p)) {
            case ICAL_UID_PROPERTY:
            case ICAL_DTSTAMP_PROPERTY:
            case ICAL_CREATED_PROPERTY:
            case ICAL_LASTMODIFIED_PROPERTY:
            case ICAL_SEQUENCE_PROPERTY:
            case ICAL_TRANSP_PROPERTY:
            case ICAL_CLASS_PROPERTY:
                break;
            case ICAL_SUMMARY_PROPERTY:
                item.Summary = Text(icalproperty_get_summary(p));
                break;
            case ICAL_DESCRIPTION_PROPERTY:
                item.Description = Text(icalproperty_get_description(p));
                break;
            case ICAL_DTSTART_PROPERTY: {
                const icaltimetype t = icalproperty_get_dtstart(p);
                item.AllDay = t.is_date;
                item.Start = Local(t, ZoneOf(p, t, item));
                break;
            }
            case ICAL_DTEND_PROPERTY:
                end = icalproperty_get_dtend(p);
                endProperty_ = p;
                break;
            case ICAL_DURATION_PROPERTY:
                hasDuration = true;
                duration = icalproperty_get_duration(p);
                break;
            case ICAL_RRULE_PROPERTY:
                item.Rules.push_back(Rule(p));
                break;
            case ICAL_RDATE_PROPERTY: {
                const struct icaldatetimeperiodtype r = icalproperty_get_rdate(p);
                if (icaltime_is_null_time(r.time))
                    Note(item, "an RDATE period is not kept");
                else if (const TDateTime x = Local(r.time, ZoneOf(p, r.time, item)); !IsNullDate(x))
                    item.RDates.push_back(x);
                break;
            }
            case ICAL_EXDATE_PROPERTY: {
                const icaltimetype t = icalproperty_get_exdate(p);
                if (const TDateTime x = Local(t, ZoneOf(p, t, item)); !IsNullDate(x))
                    item.ExDates.push_back(x);
                break;
            }
            case ICAL_X_PROPERTY: {
                const char* name = icalproperty_get_x_name(p);
                if (name && std::string(name) == OwnRecordProperty) {
                    const char* value = icalproperty_get_x(p);
                    item.OwnRecord = FromBase64(value ? value : "");
                } else if (name && std::string(name) == "X-LIC-ERROR") {
                    const char* value = icalproperty_get_x(p);
                    Note(item, std::string("a damaged line: ") + (value ? value : ""));
                } else {
                    Note(item, std::string(name ? name : "an X- property") + " is not kept");
                }
                break;
            }
            case ICAL_RECURRENCEID_PROPERTY:
                Note(item, "a changed single arising (RECURRENCE-ID) is not kept");
                break;
            default:
                Note(item, Text(icalproperty_get_property_name(p), "a property") + " is not kept");
                break;
            }
        }
        if (endProperty_ && !icaltime_is_null_time(end) && !IsNullDate(item.Start)) {
            const TDateTime e = Local(end, ZoneOf(endProperty_, end, item));
            const bool plainDay = item.AllDay && DateTimeToMs(e - item.Start) == MSecsPerDay;
            if (!plainDay && DateTimeToMs(e) != DateTimeToMs(item.Start))
                Note(item, "the end (DTEND) is not kept");
        }
        endProperty_ = nullptr;
        if (hasDuration && icaldurationtype_as_int(duration) != 0 &&
            !(item.AllDay && icaldurationtype_as_int(duration) == 86400))
            Note(item, "the length (DURATION) is not kept");
        for (icalcomponent* a = icalcomponent_get_first_component(event, ICAL_ANY_COMPONENT); a;
             a = icalcomponent_get_next_component(event, ICAL_ANY_COMPONENT)) {
            if (icalcomponent_isa(a) == ICAL_VALARM_COMPONENT)
                Alarm(a, item);
            else
                Note(item, KindName(icalcomponent_isa(a)) + " inside an event is not kept");
        }
        return item;
    }

private:
    static void Note(TCalItem& item, std::string text) {
        if (std::find(item.Unsupported.begin(), item.Unsupported.end(), text) ==
            item.Unsupported.end())
            item.Unsupported.push_back(std::move(text));
    }

    static TCalRule Rule(icalproperty* p) {
        struct icalrecurrencetype r = icalproperty_get_rrule(p);
        TCalRule rule;
        rule.Text = Take(icalrecurrencetype_as_string_r(&r));
        switch (r.freq) {
        case ICAL_SECONDLY_RECURRENCE:
            rule.Frequency = TCalFrequency::Secondly;
            break;
        case ICAL_MINUTELY_RECURRENCE:
            rule.Frequency = TCalFrequency::Minutely;
            break;
        case ICAL_HOURLY_RECURRENCE:
            rule.Frequency = TCalFrequency::Hourly;
            break;
        case ICAL_WEEKLY_RECURRENCE:
            rule.Frequency = TCalFrequency::Weekly;
            break;
        case ICAL_MONTHLY_RECURRENCE:
            rule.Frequency = TCalFrequency::Monthly;
            break;
        case ICAL_YEARLY_RECURRENCE:
            rule.Frequency = TCalFrequency::Yearly;
            break;
        default:
            rule.Frequency = TCalFrequency::Daily;
            break;
        }
        rule.Interval = r.interval < 1 ? 1 : r.interval;
        rule.Count = r.count;
        if (!icaltime_is_null_time(r.until)) {
            rule.Until = Local(r.until, r.until.zone);
            if (r.until.is_date)
                rule.Until += EncodeTime(23, 59, 59);
        }
        rule.WeekStart = r.week_start >= ICAL_SUNDAY_WEEKDAY ? r.week_start - 1 : 1;
        for (int i = 0; i < ICAL_BY_DAY_SIZE && r.by_day[i] != ICAL_RECURRENCE_ARRAY_MAX; ++i)
            rule.ByDay.push_back(
                {icalrecurrencetype_day_position(r.by_day[i]),
                 static_cast<int>(icalrecurrencetype_day_day_of_week(r.by_day[i])) - 1});
        auto list = [](const short* a, int size, std::vector<int>& out) {
            for (int i = 0; i < size && a[i] != ICAL_RECURRENCE_ARRAY_MAX; ++i)
                out.push_back(a[i]);
        };
        list(r.by_month_day, ICAL_BY_MONTHDAY_SIZE, rule.ByMonthDay);
        list(r.by_month, ICAL_BY_MONTH_SIZE, rule.ByMonth);
        list(r.by_set_pos, ICAL_BY_SETPOS_SIZE, rule.BySetPos);
        list(r.by_hour, ICAL_BY_HOUR_SIZE, rule.ByHour);
        list(r.by_minute, ICAL_BY_MINUTE_SIZE, rule.ByMinute);
        list(r.by_second, ICAL_BY_SECOND_SIZE, rule.BySecond);
        list(r.by_year_day, ICAL_BY_YEARDAY_SIZE, rule.ByYearDay);
        list(r.by_week_no, ICAL_BY_WEEKNO_SIZE, rule.ByWeekNo);
        return rule;
    }

    void Alarm(icalcomponent* a, TCalItem& item) {
        TCalAlarm alarm;
        icalproperty* action = icalcomponent_get_first_property(a, ICAL_ACTION_PROPERTY);
        const icalproperty_action kind =
            action ? icalproperty_get_action(action) : ICAL_ACTION_NONE;
        if (kind != ICAL_ACTION_DISPLAY && kind != ICAL_ACTION_AUDIO) {
            Note(item, std::string("an alarm of the kind ") +
                           (action ? Text(icalproperty_get_value_as_string(action), "(unknown)")
                                   : "(none)") +
                           " is not kept");
            return;
        }
        alarm.Audio = kind == ICAL_ACTION_AUDIO;
        icalproperty* trigger = icalcomponent_get_first_property(a, ICAL_TRIGGER_PROPERTY);
        if (!trigger) {
            Note(item, "an alarm without a TRIGGER is not kept");
            return;
        }
        const struct icaltriggertype t = icalproperty_get_trigger(trigger);
        if (!icaltime_is_null_time(t.time)) {
            const TDateTime at = Local(t.time, t.time.zone);
            alarm.SecondsBefore =
                IsNullDate(item.Start) ? 0 : (DateTimeToMs(item.Start) - DateTimeToMs(at)) / 1000;
        } else {
            icalparameter* related =
                icalproperty_get_first_parameter(trigger, ICAL_RELATED_PARAMETER);
            if (related && icalparameter_get_related(related) == ICAL_RELATED_END)
                Note(item, "an alarm relative to the end is taken as relative to the start");
            alarm.SecondsBefore = -icaldurationtype_as_int(t.duration);
        }
        if (icalproperty* repeat = icalcomponent_get_first_property(a, ICAL_REPEAT_PROPERTY))
            alarm.Repeat = icalproperty_get_repeat(repeat);
        if (icalproperty* every = icalcomponent_get_first_property(a, ICAL_DURATION_PROPERTY))
            alarm.RepeatSeconds = icaldurationtype_as_int(icalproperty_get_duration(every));
        item.Alarms.push_back(alarm);
    }

    icalcomponent* calendar_;
    icalproperty* endProperty_ = nullptr;
};

std::string Upper(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

std::string DayName(int day) {
    static const char* const names[] = {"SU", "MO", "TU", "WE", "TH", "FR", "SA"};
    return names[(day % 7 + 7) % 7];
}

std::string UntilText(TDateTime x, bool date) {
    const TDateParts d = DecodeDate(x);
    const TTimeParts t = DecodeTime(x);
    char text[32];
    if (date)
        std::snprintf(text, sizeof text, "%04lld%02d%02d", static_cast<long long>(d.Year), d.Month,
                      d.Day);
    else
        std::snprintf(text, sizeof text, "%04lld%02d%02dT%02d%02d%02d",
                      static_cast<long long>(d.Year), d.Month, d.Day, t.Hour, t.Minute, t.Second);
    return text;
}

std::string RuleText(const TCalRule& rule, bool allDay) {
    static const char* const freq[] = {"SECONDLY", "MINUTELY", "HOURLY", "DAILY",
                                       "WEEKLY",   "MONTHLY",  "YEARLY"};
    std::string s = std::string("FREQ=") + freq[static_cast<int>(rule.Frequency)];
    if (rule.Interval > 1)
        s += ";INTERVAL=" + std::to_string(rule.Interval);
    if (rule.Count > 0)
        s += ";COUNT=" + std::to_string(rule.Count);
    else if (!IsNullDate(rule.Until))
        s += ";UNTIL=" + UntilText(rule.Until, allDay);
    auto list = [&s](const char* name, const std::vector<int>& v) {
        if (v.empty())
            return;
        s += std::string(";") + name + "=";
        for (std::size_t i = 0; i < v.size(); ++i)
            s += (i ? "," : "") + std::to_string(v[i]);
    };
    if (!rule.ByDay.empty()) {
        s += ";BYDAY=";
        for (std::size_t i = 0; i < rule.ByDay.size(); ++i)
            s += (i ? "," : "") +
                 (rule.ByDay[i].Ordinal ? std::to_string(rule.ByDay[i].Ordinal) : std::string()) +
                 DayName(rule.ByDay[i].Day);
    }
    list("BYMONTHDAY", rule.ByMonthDay);
    list("BYMONTH", rule.ByMonth);
    list("BYHOUR", rule.ByHour);
    list("BYMINUTE", rule.ByMinute);
    list("BYSETPOS", rule.BySetPos);
    if (rule.Frequency == TCalFrequency::Weekly)
        s += ";WKST=" + DayName(rule.WeekStart);
    return s;
}

} // namespace

bool LooksLikeICalendar(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    return Upper(text.substr(0, 15)) == "BEGIN:VCALENDAR";
}

TCalFile ParseICalendar(std::string_view text) {
    if (!LooksLikeICalendar(text))
        throw EICalendarError("not an iCalendar file (it does not begin with BEGIN:VCALENDAR)");
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    const std::string copy(text);
    TIcalOwner root(icalparser_parse_string(copy.c_str()));
    if (!root || icalcomponent_isa(root.get()) != ICAL_VCALENDAR_COMPONENT)
        throw EICalendarError("not an iCalendar file (no VCALENDAR could be read)");
    TCalFile file;
    TReader reader(root.get());
    std::set<std::string> noted;
    for (icalcomponent* c = icalcomponent_get_first_component(root.get(), ICAL_ANY_COMPONENT); c;
         c = icalcomponent_get_next_component(root.get(), ICAL_ANY_COMPONENT)) {
        const icalcomponent_kind kind = icalcomponent_isa(c);
        if (kind == ICAL_VEVENT_COMPONENT) {
            file.Items.push_back(reader.Item(c));
        } else if (kind != ICAL_VTIMEZONE_COMPONENT) {
            const std::string note = KindName(kind) + " is not imported";
            if (noted.insert(note).second)
                file.Unsupported.push_back(note);
        }
    }
    return file;
}

std::string WriteICalendar(const std::vector<TCalItem>& items) {
    TIcalOwner calendar(icalcomponent_new(ICAL_VCALENDAR_COMPONENT));
    icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar.get(),
                               icalproperty_new_prodid("-//Brennikor//Tavrelon MP3//EN"));
    const icaltimetype stamp = icaltime_current_time_with_zone(icaltimezone_get_utc_timezone());
    for (const TCalItem& item : items) {
        icalcomponent* e = icalcomponent_new(ICAL_VEVENT_COMPONENT);
        icalcomponent_add_property(e, icalproperty_new_uid(item.Uid.c_str()));
        icalcomponent_add_property(e, icalproperty_new_dtstamp(stamp));
        if (!IsNullDate(item.Start))
            icalcomponent_add_property(e,
                                       icalproperty_new_dtstart(Floating(item.Start, item.AllDay)));
        icalcomponent_add_property(e, icalproperty_new_summary(item.Summary.c_str()));
        if (!item.Description.empty())
            icalcomponent_add_property(e, icalproperty_new_description(item.Description.c_str()));
        for (const TCalRule& rule : item.Rules)
            icalcomponent_add_property(e, icalproperty_new_rrule(icalrecurrencetype_from_string(
                                              RuleText(rule, item.AllDay).c_str())));
        for (TDateTime r : item.RDates) {
            struct icaldatetimeperiodtype p {};
            p.time = Floating(r, item.AllDay);
            p.period = icalperiodtype_null_period();
            icalcomponent_add_property(e, icalproperty_new_rdate(p));
        }
        for (TDateTime x : item.ExDates)
            icalcomponent_add_property(e, icalproperty_new_exdate(Floating(x, item.AllDay)));
        for (const TCalAlarm& a : item.Alarms) {
            icalcomponent* alarm = icalcomponent_new(ICAL_VALARM_COMPONENT);
            icalcomponent_add_property(
                alarm, icalproperty_new_action(a.Audio ? ICAL_ACTION_AUDIO : ICAL_ACTION_DISPLAY));
            icalcomponent_add_property(alarm, icalproperty_new_trigger(icaltriggertype_from_int(
                                                  static_cast<int>(-a.SecondsBefore))));
            if (!a.Audio)
                icalcomponent_add_property(alarm,
                                           icalproperty_new_description(item.Summary.c_str()));
            if (a.Repeat > 0) {
                icalcomponent_add_property(alarm, icalproperty_new_repeat(a.Repeat));
                icalcomponent_add_property(
                    alarm, icalproperty_new_duration(
                               icaldurationtype_from_int(static_cast<int>(a.RepeatSeconds))));
            }
            icalcomponent_add_component(e, alarm);
        }
        if (!item.OwnRecord.empty()) {
            icalproperty* own = icalproperty_new_x(ToBase64(item.OwnRecord).c_str());
            icalproperty_set_x_name(own, OwnRecordProperty);
            icalcomponent_add_property(e, own);
        }
        icalcomponent_add_component(calendar.get(), e);
    }
    return Take(icalcomponent_as_ical_string_r(calendar.get()));
}

std::vector<TDateTime> ExpandCalendarItem(const TCalItem& item, std::size_t limit,
                                          TDateTime until) {
    std::set<std::int64_t> moments;
    if (IsNullDate(item.Start))
        return {};
    const std::int64_t last = DateTimeToMs(until);
    moments.insert(DateTimeToMs(item.Start));
    const icaltimetype start = Floating(item.Start, item.AllDay);
    for (const TCalRule& rule : item.Rules) {
        struct icalrecurrencetype r = icalrecurrencetype_from_string(rule.Text.c_str());
        if (r.freq == ICAL_NO_RECURRENCE)
            continue;
        if (!IsNullDate(rule.Until))
            r.until = Floating(rule.Until, item.AllDay);
        icalrecur_iterator* it = icalrecur_iterator_new(r, start);
        if (!it)
            continue;
        for (std::size_t n = 0; n < limit; ++n) {
            const icaltimetype t = icalrecur_iterator_next(it);
            if (icaltime_is_null_time(t))
                break;
            const std::int64_t ms = DateTimeToMs(Local(t, nullptr));
            if (ms > last)
                break;
            moments.insert(ms);
        }
        icalrecur_iterator_free(it);
    }
    for (TDateTime r : item.RDates)
        moments.insert(DateTimeToMs(r));
    for (TDateTime x : item.ExDates)
        moments.erase(DateTimeToMs(x));
    std::vector<TDateTime> out;
    for (std::int64_t ms : moments) {
        if (out.size() >= limit || ms > last)
            break;
        out.push_back(MsToDateTime(ms));
    }
    return out;
}

} // namespace kelvo
