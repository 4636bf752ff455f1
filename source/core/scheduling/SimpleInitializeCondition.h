#pragma once

#include "core/scheduling/DateCondition.h"
#include "core/scheduling/InitializeCondition.h"
#include "core/scheduling/TimeCondition.h"

#include <memory>

namespace kelvo {

// A date condition combined with a time condition: the admitted times of the admitted days.
class TSimpleInitializeCondition : public TInitializeCondition {
    KELVO_PERSISTENT(TSimpleInitializeCondition)
    // Once on Today at 00:00.
    TSimpleInitializeCondition();
    // Once on the date of dt at its time of day.
    explicit TSimpleInitializeCondition(TDateTime dt);

    std::string_view ClassName() const override { return "TSimpleInitializeCondition"; }

    // Persisted. The setters keep a private copy (or nothing, for nullptr); a condition
    // without either part never arises.
    TDateCondition* DateCondition() const { return dateCondition_.get(); }
    void SetDateCondition(const TDateCondition* value);
    TTimeCondition* TimeCondition() const { return timeCondition_.get(); }
    void SetTimeCondition(const TTimeCondition* value);

    void GetDescription(std::string& text) const override;
    void ResetToDefault(TDateTime dt) override;
    TDateTime NextArise(TDateTime x) override;
    void SetStartDate(TDateTime d) override;

protected:
    void AssignOwn(const TInitializeCondition& source) override;
    std::unique_ptr<TInitializeCondition> NewInstance() const override;

private:
    // The time condition's answer for the date d; NoTime on the day of the last appearance
    // for an all-day time while checking, so an all-day event arises once a day.
    TDateTime TimeFor(TDateTime t, TDateTime d) const;
    bool SuppressedAllDay(TDateTime d) const;

    std::unique_ptr<TDateCondition> dateCondition_;
    std::unique_ptr<TTimeCondition> timeCondition_;
};

// True for an all-day time, or a list whose last answer came from an all-day member.
bool GaveAllDayTime(const TTimeCondition& condition);

} // namespace kelvo
