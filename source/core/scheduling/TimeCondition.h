#pragma once

// Time conditions: at which times of day an event may arise on a day its date condition
// admits. Every answer is a time of day in [0, 1) or NoTime when nothing is left that day.
// Times of day are compared as whole milliseconds, so a value that was stored with a
// slightly different binary rounding still meets the same step points.

#include "core/stream/paClasses.h"
#include "core/util/paDateUtils.h"
#include "core/util/paError.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kelvo {

class ETimeConditionError : public EpaError {
public:
    using EpaError::EpaError;
};

// The time of day a time setter stores: TimeOf(value), midnight for a value that is no
// number.
inline TDateTime StoredTime(TDateTime value) {
    const TDateTime t = TimeOf(value);
    return t == t ? t : 0.0;
}

class TTimeCondition : public TComponent {
    KELVO_PERSISTENT(TTimeCondition)
    TTimeCondition() = default;
    TTimeCondition(const TTimeCondition&) = delete;
    TTimeCondition& operator=(const TTimeCondition&) = delete;
    virtual ~TTimeCondition() = default;

    virtual std::string_view ClassName() const = 0;
    // A fresh object of this class with this one's content.
    std::unique_ptr<TTimeCondition> Clone() const;
    // Raises EAssignError when source's class cannot give content to this one; this object
    // is then unchanged.
    virtual void Assign(const TTimeCondition& source);

    virtual void GetDescription(std::string& text) const = 0;
    std::string Description() const;
    // Resets to defaults derived from dt.
    virtual void SetDefault(TDateTime dt);
    // True when NextTime(a) is a time and b is not earlier than it.
    virtual bool IsReached(TDateTime a, TDateTime b) const;
    // The first admissible time of day at or after the time of day t, or NoTime.
    virtual TDateTime NextTime(TDateTime t) const = 0;

protected:
    virtual std::unique_ptr<TTimeCondition> NewInstance() const = 0;
};

class TAllTimeCondition : public TTimeCondition {
    KELVO_PERSISTENT(TAllTimeCondition)
    std::string_view ClassName() const override { return "TAllTimeCondition"; }
    void Assign(const TTimeCondition& source) override;
    void GetDescription(std::string& text) const override;
    // Every moment is admissible: t itself.
    TDateTime NextTime(TDateTime t) const override { return t; }

protected:
    std::unique_ptr<TTimeCondition> NewInstance() const override;
};

class TOnceTimeCondition : public TTimeCondition {
    KELVO_PERSISTENT(TOnceTimeCondition)
    std::string_view ClassName() const override { return "TOnceTimeCondition"; }
    void Assign(const TTimeCondition& source) override;
    void GetDescription(std::string& text) const override;
    void SetDefault(TDateTime dt) override;
    TDateTime NextTime(TDateTime t) const override;

    TDateTime Time() const { return time_; }
    // Keeps only the time of day.
    void SetTime(TDateTime value) { time_ = StoredTime(value); }

protected:
    std::unique_ptr<TTimeCondition> NewInstance() const override;

private:
    TDateTime time_ = 0;
};

// Every CountPeriod units from FromTime up to and including ToTime.
class TPeriodicTimeCondition : public TTimeCondition {
    KELVO_PERSISTENT(TPeriodicTimeCondition)
    void Assign(const TTimeCondition& source) override;
    void SetDefault(TDateTime dt) override;
    // A time strictly after a step point gives the next one; FromTime and anything earlier
    // give FromTime. A CountPeriod below 1 admits FromTime only.
    TDateTime NextTime(TDateTime t) const override;

    // The unit in days: 1/1440 or 1/24.
    virtual TDateTime UnitLength() const = 0;
    TDateTime Step() const { return UnitLength() * CountPeriod(); }
    // The step in whole milliseconds (64 bits: no count overflows it).
    std::int64_t StepMs() const { return UnitMs() * countPeriod_; }

    TDateTime FromTime() const { return fromTime_; }
    void SetFromTime(TDateTime value) { fromTime_ = StoredTime(value); }
    TDateTime ToTime() const { return toTime_; }
    void SetToTime(TDateTime value) { toTime_ = StoredTime(value); }
    std::int32_t CountPeriod() const { return countPeriod_; }
    void SetCountPeriod(std::int32_t value) { countPeriod_ = value; }

protected:
    // Starts at the current time of day and ends one unit later; call from the subclass.
    void InitDefaults();
    virtual std::int64_t UnitMs() const = 0;
    std::string RangeText() const;

private:
    TDateTime fromTime_ = 0;
    TDateTime toTime_ = 0;
    std::int32_t countPeriod_ = 1;
};

class TByMinuteTimeCondition : public TPeriodicTimeCondition {
    KELVO_PERSISTENT(TByMinuteTimeCondition)
    TByMinuteTimeCondition() { InitDefaults(); }
    std::string_view ClassName() const override { return "TByMinuteTimeCondition"; }
    void GetDescription(std::string& text) const override;
    TDateTime UnitLength() const override { return 1.0 / 1440; }

protected:
    std::unique_ptr<TTimeCondition> NewInstance() const override;
    std::int64_t UnitMs() const override { return MSecsPerMinute; }
};

class THourlyTimeCondition : public TPeriodicTimeCondition {
    KELVO_PERSISTENT(THourlyTimeCondition)
    THourlyTimeCondition() { InitDefaults(); }
    std::string_view ClassName() const override { return "THourlyTimeCondition"; }
    void GetDescription(std::string& text) const override;
    TDateTime UnitLength() const override { return 1.0 / 24; }

protected:
    std::unique_ptr<TTimeCondition> NewInstance() const override;
    std::int64_t UnitMs() const override { return MSecsPerHour; }
};

// Owns its members.
class TTimeConditionList : public TAdvComponent {
    KELVO_PERSISTENT(TTimeConditionList)
    TTimeConditionList() = default;
    TTimeConditionList(const TTimeConditionList&) = delete;
    TTimeConditionList& operator=(const TTimeConditionList&) = delete;

    std::string_view ClassName() const { return "TTimeConditionList"; }

    int Count() const { return static_cast<int>(items_.size()); }
    // Raises ETimeConditionError for an index out of range.
    TTimeCondition& Items(int i) const;
    // Takes ownership; a null condition is ignored.
    void Add(std::unique_ptr<TTimeCondition> condition);
    // Removes and destroys the member if present.
    void Remove(const TTimeCondition* condition);
    // Member i becomes a private copy of condition: assigned in place when the classes are
    // the same, otherwise replaced by a new object of condition's class.
    void Put(int i, const TTimeCondition* condition);
    void Clear();
    int IndexOf(const TTimeCondition* condition) const;
    // Clears this list and adds a copy of each member of other, in order.
    void Assign(const TTimeConditionList& other);

    // The earliest NextTime of the members (the first on equal times), or NoTime; remembers
    // the member that gave it as LastChosen.
    TDateTime EarliestNextTime(TDateTime t) const;
    // The member that gave the last answer of EarliestNextTime; nullptr after one that found
    // nothing.
    const TTimeCondition* LastChosen() const { return lastChosen_; }

private:
    std::vector<std::unique_ptr<TTimeCondition>> items_;
    mutable const TTimeCondition* lastChosen_ = nullptr;
};

class TComplexTimeCondition : public TTimeCondition {
    KELVO_PERSISTENT(TComplexTimeCondition)
    std::string_view ClassName() const override { return "TComplexTimeCondition"; }
    void Assign(const TTimeCondition& source) override;
    void GetDescription(std::string& text) const override;
    void SetDefault(TDateTime dt) override;
    TDateTime NextTime(TDateTime t) const override { return conditions_.EarliestNextTime(t); }

    TTimeConditionList& Conditions() { return conditions_; }
    const TTimeConditionList& Conditions() const { return conditions_; }
    // Copies list's members unless list is this condition's own list.
    void SetConditions(const TTimeConditionList& list);

protected:
    std::unique_ptr<TTimeCondition> NewInstance() const override;

private:
    TTimeConditionList conditions_;
};

// The kinds in the editors' order: 0 all day, 1 once, 2 by minute, 3 hourly, 4 complex.
int TimeConditionKind(const TTimeCondition& condition);
// A new condition of that kind; nullptr for an unknown kind.
std::unique_ptr<TTimeCondition> CreateTimeCondition(int kind);

} // namespace kelvo
