#pragma once

// Early reminders placed relative to one arising of an event: once a lead time before it, or
// every period from a lead time before it until the event, until a second lead time before
// it, or a number of times.

#include "core/stream/paClasses.h"
#include "core/util/paDateUtils.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace kelvo {

// A number of units.
class TRelativeSubjectRecord : public TPersistent {
    KELVO_PERSISTENT(TRelativeSubjectRecord)
    TRelativeSubjectRecord(std::int32_t number = 1, TPeriodType subject = ptDay)
        : number_(number), subject_(subject) {}

    // Persisted. Reads 1 when the stored value is 0 or negative.
    std::int32_t Number() const { return number_ > 0 ? number_ : 1; }
    std::int32_t StoredNumber() const { return number_; }
    void SetNumber(std::int32_t n) { number_ = n; }
    TPeriodType Subject() const { return subject_; }
    void SetSubject(TPeriodType s) { subject_ = s; }

    void Assign(const TRelativeSubjectRecord& source);
    // Same number as read and same unit.
    bool SameAs(const TRelativeSubjectRecord& other) const;

    // "%d day(s)" and the like; empty for seconds.
    std::string SubjectText() const;
    // dt moved back by this many units (one month before 31 March is the end of February).
    TDateTime SubtractFrom(TDateTime dt) const;
    // dt moved forward by this many units.
    TDateTime AddTo(TDateTime dt) const;

private:
    std::int32_t number_;
    TPeriodType subject_;
};

enum TRelativeUntilType : std::uint8_t { ruUntilEvent, ruUntilSubject, ruUntilTimes };

template <> struct TEnumNames<TRelativeUntilType> {
    static constexpr std::array<std::string_view, 3> Names = {"ruUntilEvent", "ruUntilSubject",
                                                              "ruUntilTimes"};
};

class TRelativeCondition : public TComponent {
    KELVO_PERSISTENT(TRelativeCondition)
    TRelativeCondition();
    TRelativeCondition(const TRelativeCondition&) = delete;
    TRelativeCondition& operator=(const TRelativeCondition&) = delete;
    virtual ~TRelativeCondition() = default;

    virtual std::string_view ClassName() const = 0;
    std::unique_ptr<TRelativeCondition> Clone() const;
    // Copies FromSubject; a periodic source also copies its own properties into a periodic
    // target.
    virtual void Assign(const TRelativeCondition& source);

    // Persisted: the lead time before the event.
    const TRelativeSubjectRecord& FromSubject() const { return fromSubject_; }
    void SetFromSubject(const TRelativeSubjectRecord& value);

    // The event arising the condition is placed before; set by the owner before every question.
    TDateTime BaseDateTime() const { return baseDateTime_; }
    void SetBaseDateTime(TDateTime dt) { baseDateTime_ = dt; }

    virtual void GetDescription(std::string& text) const = 0;
    std::string Description() const;
    virtual void SetDefault();
    // The first reminder moment on or after x for the current BaseDateTime, or NullDate.
    virtual TDateTime NextDate(TDateTime x) const = 0;
    // True when the moments are whole days whose time of day is decided by the owner.
    virtual bool IsDateOnly() const = 0;

    // FromSubject as a date-time offset (1 month gives 31.0).
    TDateTime LeadSpan() const;
    // The first (earliest) reminder moment for the current BaseDateTime.
    TDateTime FirstMoment() const { return fromSubject_.SubtractFrom(baseDateTime_); }
    // No moment at or after x can come from a BaseDateTime earlier than this.
    virtual TDateTime EarliestUsefulBase(TDateTime x) const;

protected:
    virtual std::unique_ptr<TRelativeCondition> NewInstance() const = 0;

private:
    TRelativeSubjectRecord fromSubject_{1, ptDay};
    TDateTime baseDateTime_;
};

class TOnceRelativeCondition : public TRelativeCondition {
    KELVO_PERSISTENT(TOnceRelativeCondition)
    std::string_view ClassName() const override { return "TOnceRelativeCondition"; }
    void GetDescription(std::string& text) const override;
    TDateTime NextDate(TDateTime x) const override;
    bool IsDateOnly() const override;

protected:
    std::unique_ptr<TRelativeCondition> NewInstance() const override;
};

class TPeriodicRelativeCondition : public TRelativeCondition {
    KELVO_PERSISTENT(TPeriodicRelativeCondition)
    TPeriodicRelativeCondition();

    std::string_view ClassName() const override { return "TPeriodicRelativeCondition"; }
    void Assign(const TRelativeCondition& source) override;

    // Persisted.
    const TRelativeSubjectRecord& PeriodSubject() const { return periodSubject_; }
    void SetPeriodSubject(const TRelativeSubjectRecord& value);
    TRelativeUntilType UntilType() const { return untilType_; }
    void SetUntilType(TRelativeUntilType t) { untilType_ = t; }
    const TRelativeSubjectRecord& UntilSubject() const { return untilSubject_; }
    void SetUntilSubject(const TRelativeSubjectRecord& value);
    std::int32_t UntilTimes() const { return untilTimes_; }
    void SetUntilTimes(std::int32_t n) { untilTimes_ = n; }

    void GetDescription(std::string& text) const override;
    // "until event", "until %s before event", "%d times".
    std::string UntilText() const;
    void SetDefault() override;
    TDateTime NextDate(TDateTime x) const override;
    bool IsDateOnly() const override;
    TDateTime EarliestUsefulBase(TDateTime x) const override;

protected:
    std::unique_ptr<TRelativeCondition> NewInstance() const override;

private:
    // The limit the moments stay before, for the first moment a.
    TDateTime Limit(TDateTime a) const;
    std::string Describe() const;

    TRelativeSubjectRecord periodSubject_{1, ptDay};
    TRelativeUntilType untilType_ = ruUntilEvent;
    TRelativeSubjectRecord untilSubject_{0, ptDay};
    std::int32_t untilTimes_ = 1;
};

} // namespace kelvo
