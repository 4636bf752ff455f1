#pragma once

#include "core/scheduling/ReminderInitializeCondition.h"
#include "gui/editors/EditorControls.h"

namespace kelvo {

class TReminderDateFrame;

// "Choose reminder condition...": one early reminder of an event.
class TReminderDateDialogForm : public TEditorDialog {
    Q_OBJECT
public:
    explicit TReminderDateDialogForm(QWidget* owner);
    TReminderDateFrame& Frame() const { return *frame_; }

private:
    TReminderDateFrame* frame_;
};

// Edits condition; it changes only on OK. True for OK.
bool ChooseReminderCondition(QWidget* owner, TReminderInitializeCondition& condition);

} // namespace kelvo
