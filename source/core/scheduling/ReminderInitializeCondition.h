#pragma once

#include "core/scheduling/InitializeCondition.h"
#include "core/scheduling/RelativeCondition.h"
#include "core/scheduling/TimeCondition.h"

#include <memory>

namespace kelvo {

// An early reminder: its moments are placed by a relative condition before the arisings of
// the event's own condition (Base).
class TReminderInitializeCondition : public TInitializeCondition {
    KELVO_PERSISTENT(TReminderInitializeCondition)
    // Once one day before, at the event's time.
    TReminderInitializeCondition();

    std::string_view ClassName() const override { return "TReminderInitializeCondition"; }

    // Persisted. The setters keep a private copy (or nothing, for nullptr).
    TRelativeCondition* RelativeCondition() const { return relativeCondition_.get(); }
    void SetRelativeCondition(const TRelativeCondition* value);
    TTimeCondition* TimeCondition() const { return timeCondition_.get(); }
    void SetTimeCondition(const TTimeCondition* value);
    // True when set so or when there is no time condition: the reminder then takes the
    // event's own time of day.
    bool TimeAsBaseCondition() const { return timeAsBase_ || !timeCondition_; }
    bool StoredTimeAsBaseCondition() const { return timeAsBase_; }
    void SetTimeAsBaseCondition(bool value) { timeAsBase_ = value; }
    // Whether the time condition is stored with the reminder: only when it gives the time.
    bool IsTimeConditionStored() const;

    // The event's complex condition; not owned.
    TInitializeCondition* Base() const { return base_; }
    void SetBase(TInitializeCondition* base) { base_ = base; }

    void GetDescription(std::string& text) const override;
    // "at the same time as the event", or the time condition's description.
    std::string TimeText() const;
    void ResetToDefault(TDateTime dt) override;
    // The earliest reminder moment at or after x over the event's arisings; never less than
    // a minute away from the event's next arising. Base's state is put back afterwards.
    TDateTime NextArise(TDateTime x) override;

protected:
    void AssignOwn(const TInitializeCondition& source) override;
    std::unique_ptr<TInitializeCondition> NewInstance() const override;

private:
    TDateTime Search(TDateTime x);
    // The reminder moment for the event arising b, at or after x, or NullDate.
    TDateTime MomentFor(TDateTime b, TDateTime x);
    TDateTime ReminderTimeFor(TDateTime t, TDateTime b, TDateTime s);
    // The event's next arising from `from` as a check sees it after appearing at lastAppear.
    TDateTime BaseArising(TDateTime from, TDateTime lastAppear);

    std::unique_ptr<TRelativeCondition> relativeCondition_;
    std::unique_ptr<TTimeCondition> timeCondition_;
    bool timeAsBase_ = false;
    TInitializeCondition* base_ = nullptr;
};

} // namespace kelvo
