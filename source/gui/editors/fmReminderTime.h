#pragma once

#include "core/scheduling/ReminderInitializeCondition.h"
#include "gui/editors/EditorControls.h"

class QCheckBox;

namespace kelvo {

class TTimeFrame;

// "Time of reminder...": the event's own time, or a time of its own.
class TReminderTimeForm : public TEditorDialog {
    Q_OBJECT
public:
    explicit TReminderTimeForm(QWidget* owner);

    void Load(const TReminderInitializeCondition& condition);
    void Store(TReminderInitializeCondition& condition) const;

    QCheckBox& Distinct() const { return *distinct_; }
    TTimeFrame& Frame() const { return *frame_; }

private:
    QCheckBox* distinct_;
    TTimeFrame* frame_;
};

// Writes the time choice into condition on OK; true for OK.
bool EditReminderTime(QWidget* owner, TReminderInitializeCondition& condition);

} // namespace kelvo
