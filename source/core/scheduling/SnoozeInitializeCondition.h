#pragma once

#include "core/scheduling/InitializeCondition.h"

namespace kelvo {

// Arises once at a fixed moment: the snooze of an event or a reminder.
class TSnoozeInitializeCondition : public TInitializeCondition {
    KELVO_PERSISTENT(TSnoozeInitializeCondition)
    std::string_view ClassName() const override { return "TSnoozeInitializeCondition"; }

    // Persisted.
    TDateTime SnoozeDateTime() const { return snoozeDateTime_; }
    void SetSnoozeDateTime(TDateTime dt) { snoozeDateTime_ = dt; }

    TDateTime NextArise(TDateTime x) override;

protected:
    void AssignOwn(const TInitializeCondition& source) override;
    std::unique_ptr<TInitializeCondition> NewInstance() const override;

private:
    TDateTime snoozeDateTime_ = NullDate;
};

} // namespace kelvo
