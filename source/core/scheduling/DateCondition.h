#pragma once

// Date conditions: on which dates an event may arise. Every answer is a whole date or
// NullDate; no answer lies after 31 December 9999.

#include "core/stream/paClasses.h"
#include "core/util/Slot.h"
#include "core/util/paDateUtils.h"
#include "core/util/paError.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kelvo {

enum TUntilType : std::uint8_t { utForever, utDate, utTimes };

template <> struct TEnumNames<TUntilType> {
    static constexpr std::array<std::string_view, 3> Names = {"utForever", "utDate", "utTimes"};
};

class EDateConditionError : public EpaError {
public:
    using EpaError::EpaError;
};

class TDateCondition : public TComponent {
    KELVO_PERSISTENT(TDateCondition)
    using TChangeHandler = TSlot<void(TDateCondition&)>;

    TDateCondition() = default;
    TDateCondition(const TDateCondition&) = delete;
    TDateCondition& operator=(const TDateCondition&) = delete;
    virtual ~TDateCondition() = default;

    virtual std::string_view ClassName() const = 0;
    // A fresh object of this class with this one's content; the change handler is not copied.
    std::unique_ptr<TDateCondition> Clone() const;
    // Raises EAssignError when source's class cannot give content to this one; this object
    // is then unchanged.
    virtual void Assign(const TDateCondition& source);

    virtual void GetDescription(std::string& text) const = 0;
    std::string Description() const;
    // Resets to defaults derived from the date d.
    virtual void SetDefault(TDateTime d);
    // The first admissible date on or after x, or NullDate.
    virtual TDateTime NextDate(TDateTime x) const = 0;
    // True when NextDate(a) is a date and b is not earlier than it.
    virtual bool IsReached(TDateTime a, TDateTime b) const;
    // Moves the start of the condition to d.
    virtual void SetStartDate(TDateTime d);

    // Change notification: called after a property changed while no update is open.
    TChangeHandler OnChange;
    void BeginUpdate() { ++updateCount_; }
    // Closing the last open update reports a change.
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }

protected:
    virtual std::unique_ptr<TDateCondition> NewInstance() const = 0;
    // Every setter calls this after a real change.
    void Changed();
    // Forgets values derived from the properties.
    virtual void PropertiesChanged() {}

private:
    int updateCount_ = 0;
};

class TOnceDateCondition : public TDateCondition {
    KELVO_PERSISTENT(TOnceDateCondition)
    TOnceDateCondition();
    std::string_view ClassName() const override { return "TOnceDateCondition"; }
    void Assign(const TDateCondition& source) override;
    void GetDescription(std::string& text) const override;
    void SetDefault(TDateTime d) override { SetDate(d); }
    TDateTime NextDate(TDateTime x) const override;
    void SetStartDate(TDateTime d) override { SetDate(d); }

    TDateTime Date() const { return date_; }
    // Keeps only the date.
    void SetDate(TDateTime value);

protected:
    std::unique_ptr<TDateCondition> NewInstance() const override;

private:
    TDateTime date_;
};

// Every Period units from FromDate, forever, until ToDate or Times times. Periods are counted
// from the one that holds FromDate; days before FromDate never count.
class TPeriodicDateCondition : public TDateCondition {
    KELVO_PERSISTENT(TPeriodicDateCondition)
    TPeriodicDateCondition();

    void Assign(const TDateCondition& source) override;
    void SetDefault(TDateTime d) override;
    TDateTime NextDate(TDateTime x) const override;
    void SetStartDate(TDateTime d) override { SetFromDate(d); }

    // The hooks of the shared search.
    virtual std::int64_t UnitsBetween(TDateTime a, TDateTime b) const = 0;
    virtual TDateTime AddUnits(std::int64_t n, TDateTime d) const = 0;
    // The first day of an aligned period (counted from FromDate's): d's own for days and
    // for a d in an aligned week, month or year, otherwise the next aligned one.
    virtual TDateTime AlignedPeriodStart(TDateTime d) const = 0;
    virtual int OccurrencesPerPeriod() const = 0;
    // The first occurrence from d to the end of d's period (some kinds look further), or
    // NullDate.
    virtual TDateTime NextInPeriod(TDateTime d) const = 0;

    // The date of the n-th occurrence counted from start (an occurrence on start is the
    // first), every occurrence counted once. A count below 1 gives the day before start, so
    // such a condition ends before it begins.
    TDateTime NthOccurrenceDate(std::int64_t n, TDateTime start) const;
    // ToDate as read is not NullDate and earlier than x (the full value of x).
    bool IsAfterEnd(TDateTime x) const;

    TDateTime FromDate() const { return fromDate_; }
    void SetFromDate(TDateTime value);
    TUntilType UntilType() const { return untilType_; }
    void SetUntilType(TUntilType value);
    // NullDate forever, the stored date until a date, the last counted occurrence for a count.
    TDateTime ToDate() const;
    void SetToDate(TDateTime value);
    // 0 forever, the stored count otherwise.
    std::int32_t Times() const;
    void SetTimes(std::int32_t value);
    std::int32_t Period() const { return period_; }
    void SetPeriod(std::int32_t value);

    // The stored values behind ToDate and Times, for storing the condition.
    TDateTime StoredToDate() const { return toDate_; }
    std::int32_t StoredTimes() const { return times_; }

    // "forever", "until <date>", "<n> times".
    std::string UntilText() const;

protected:
    // Period as the arithmetic uses it: at least 1.
    std::int64_t P() const { return period_ < 1 ? 1 : period_; }
    // "starting from <date>", with " to <date>" when there is an end.
    std::string StartText() const;
    // The first occurrence on or after the date x, ignoring the end: the search through the
    // hooks above. A kind may answer ordinary dates directly, with the same answers.
    virtual TDateTime NextOccurrence(TDateTime x) const;
    // True when x and FromDate are whole dates and the period short enough for a kind's
    // direct answer to stay far inside the calendar arithmetic.
    bool DirectlyComputable(TDateTime x) const;
    void PropertiesChanged() override { endCached_ = false; }

private:
    TDateTime fromDate_;
    TUntilType untilType_ = utForever;
    TDateTime toDate_ = NullDate;
    std::int32_t times_ = 1;
    std::int32_t period_ = 1;
    // The counted end, with the week start it was counted under.
    mutable bool endCached_ = false;
    mutable int endWeekStart_ = 0;
    mutable TDateTime endCache_ = NullDate;
};

class TDailyDateCondition : public TPeriodicDateCondition {
    KELVO_PERSISTENT(TDailyDateCondition)
    std::string_view ClassName() const override { return "TDailyDateCondition"; }
    void GetDescription(std::string& text) const override;

    std::int64_t UnitsBetween(TDateTime a, TDateTime b) const override;
    TDateTime AddUnits(std::int64_t n, TDateTime d) const override;
    TDateTime AlignedPeriodStart(TDateTime d) const override;
    int OccurrencesPerPeriod() const override { return 1; }
    TDateTime NextInPeriod(TDateTime d) const override;

protected:
    std::unique_ptr<TDateCondition> NewInstance() const override;
    TDateTime NextOccurrence(TDateTime x) const override;
};

class TWeeklyDateCondition : public TPeriodicDateCondition {
    KELVO_PERSISTENT(TWeeklyDateCondition)
    TWeeklyDateCondition();
    std::string_view ClassName() const override { return "TWeeklyDateCondition"; }
    void Assign(const TDateCondition& source) override;
    void GetDescription(std::string& text) const override;
    void SetDefault(TDateTime d) override;
    void SetStartDate(TDateTime d) override;

    std::int64_t UnitsBetween(TDateTime a, TDateTime b) const override;
    TDateTime AddUnits(std::int64_t n, TDateTime d) const override;
    TDateTime AlignedPeriodStart(TDateTime d) const override;
    int OccurrencesPerPeriod() const override { return weekDays_.Count(); }
    TDateTime NextInPeriod(TDateTime d) const override;

    TDaysOfWeek WeekDays() const { return weekDays_; }
    void SetWeekDays(TDaysOfWeek value);

protected:
    std::unique_ptr<TDateCondition> NewInstance() const override;
    TDateTime NextOccurrence(TDateTime x) const override;

private:
    TDaysOfWeek weekDays_;
};

// A day of the month: DayNumber > 0 names it (clamped to the month's length), otherwise
// SubjectNumber and SubjectKind do (the last Friday, the second day).
class TInternalDateInMonthDateCondition : public TPeriodicDateCondition {
    KELVO_PERSISTENT(TInternalDateInMonthDateCondition)
    TInternalDateInMonthDateCondition();
    void Assign(const TDateCondition& source) override;
    void SetDefault(TDateTime d) override;
    void SetStartDate(TDateTime d) override;

    // The condition's day in d's month, or NullDate when d is later than it.
    TDateTime DateInMonth(TDateTime d) const;
    // The same for the month of the date p, already decoded.
    TDateTime DateInMonth(TDateTime d, const TDateParts& p) const;

    std::int32_t DayNumber() const { return dayNumber_; }
    void SetDayNumber(std::int32_t value);
    TWeekOfMonthName SubjectNumber() const { return subjectNumber_; }
    void SetSubjectNumber(TWeekOfMonthName value);
    TMonthSubjectName SubjectKind() const { return subjectKind_; }
    void SetSubjectKind(TMonthSubjectName value);

protected:
    // "15 day" or "last Friday".
    std::string MonthDayText() const;

private:
    std::int32_t dayNumber_;
    TWeekOfMonthName subjectNumber_ = wmFirst;
    TMonthSubjectName subjectKind_ = msDay;
};

class TMonthlyDateCondition : public TInternalDateInMonthDateCondition {
    KELVO_PERSISTENT(TMonthlyDateCondition)
    std::string_view ClassName() const override { return "TMonthlyDateCondition"; }
    void GetDescription(std::string& text) const override;

    std::int64_t UnitsBetween(TDateTime a, TDateTime b) const override;
    TDateTime AddUnits(std::int64_t n, TDateTime d) const override;
    TDateTime AlignedPeriodStart(TDateTime d) const override;
    int OccurrencesPerPeriod() const override { return 1; }
    TDateTime NextInPeriod(TDateTime d) const override;

protected:
    std::unique_ptr<TDateCondition> NewInstance() const override;
    TDateTime NextOccurrence(TDateTime x) const override;
};

class TYearlyDateCondition : public TInternalDateInMonthDateCondition {
    KELVO_PERSISTENT(TYearlyDateCondition)
    TYearlyDateCondition();
    std::string_view ClassName() const override { return "TYearlyDateCondition"; }
    void Assign(const TDateCondition& source) override;
    void GetDescription(std::string& text) const override;
    void SetDefault(TDateTime d) override;
    void SetStartDate(TDateTime d) override;

    std::int64_t UnitsBetween(TDateTime a, TDateTime b) const override;
    TDateTime AddUnits(std::int64_t n, TDateTime d) const override;
    TDateTime AlignedPeriodStart(TDateTime d) const override;
    int OccurrencesPerPeriod() const override { return months_.Count(); }
    TDateTime NextInPeriod(TDateTime d) const override;

    TMonths Months() const { return months_; }
    void SetMonths(TMonths value);

protected:
    std::unique_ptr<TDateCondition> NewInstance() const override;
    TDateTime NextOccurrence(TDateTime x) const override;

private:
    // NextInPeriod past the period checks, for the date d decoded as p.
    TDateTime NextInYear(TDateTime d, const TDateParts& p) const;

    TMonths months_;
};

// Owns its members.
class TDateConditionList : public TAdvComponent {
    KELVO_PERSISTENT(TDateConditionList)
    using TAddHandler = TSlot<void(TDateConditionList&, TDateCondition&)>;

    struct TEarliest {
        TDateTime Date = NullDate;
        int Index = -1;
    };

    TDateConditionList() = default;
    TDateConditionList(const TDateConditionList&) = delete;
    TDateConditionList& operator=(const TDateConditionList&) = delete;

    std::string_view ClassName() const { return "TDateConditionList"; }

    int Count() const { return static_cast<int>(items_.size()); }
    // Raises EDateConditionError for an index out of range.
    TDateCondition& Items(int i) const;
    int IndexOf(const TDateCondition* condition) const;
    // Takes ownership, then calls OnAdd (which may remove the new member again). A null
    // condition is ignored.
    void Add(std::unique_ptr<TDateCondition> condition);
    void Remove(const TDateCondition* condition);
    void Delete(int i);
    void Clear();
    // Nothing when member i is condition itself; member i assigned from condition when the
    // classes are the same; otherwise member i replaced by a copy of condition.
    void Replace(int i, const TDateCondition& condition);
    // Clears this list, then adds (through Add) a copy of each member of other.
    void Assign(const TDateConditionList& other);

    // The earliest NextDate of the members not in skip (the first on equal dates).
    TEarliest EarliestNextDate(TDateTime x, std::span<const int> skip = {}) const;
    void SetStartDate(TDateTime d);
    // The members' descriptions joined by ", ".
    std::string JoinedDescription() const;

    TAddHandler OnAdd;

private:
    std::vector<std::unique_ptr<TDateCondition>> items_;
};

// The dates of Conditions that no member of ExcludeConditions falls on.
class TComplexDateCondition : public TDateCondition {
    KELVO_PERSISTENT(TComplexDateCondition)
    // How many excluded dates one NextDate skips before it gives up with NullDate: each once
    // condition of the exclusions can be met once, a periodic one nested in a complex
    // exclusion this many times.
    static constexpr int ExtraExcludedSkips = 4000;

    TComplexDateCondition();
    std::string_view ClassName() const override { return "TComplexDateCondition"; }
    void Assign(const TDateCondition& source) override;
    void GetDescription(std::string& text) const override;
    TDateTime NextDate(TDateTime x) const override;
    void SetStartDate(TDateTime d) override;

    TDateConditionList& Conditions() { return conditions_; }
    const TDateConditionList& Conditions() const { return conditions_; }
    void SetConditions(const TDateConditionList& list);
    // Holds no periodic condition: one offered to it is discarded.
    TDateConditionList& ExcludeConditions() { return excludeConditions_; }
    const TDateConditionList& ExcludeConditions() const { return excludeConditions_; }
    void SetExcludeConditions(const TDateConditionList& list);

protected:
    std::unique_ptr<TDateCondition> NewInstance() const override;

private:
    TDateConditionList conditions_;
    TDateConditionList excludeConditions_;
};

// The kinds in the editors' order: 0 once, 1 daily, 2 weekly, 3 monthly, 4 yearly, 5 complex.
int DateConditionKind(const TDateCondition& condition);
// A new condition of that kind; nullptr for an unknown kind.
std::unique_ptr<TDateCondition> CreateDateCondition(int kind);

} // namespace kelvo
