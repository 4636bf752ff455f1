#pragma once

#include "core/scheduling/SimpleInitializeCondition.h"
#include "gui/editors/EditorControls.h"

namespace kelvo {

class TSimpleConditionFrame;

// "Choose Date/Time...": one condition of an event.
class TConditionDialogForm : public TEditorDialog {
    Q_OBJECT
public:
    explicit TConditionDialogForm(QWidget* owner);
    TSimpleConditionFrame& Frame() const { return *frame_; }

private:
    TSimpleConditionFrame* frame_;
};

// Edits condition; it changes only on OK. True for OK.
bool ChooseCondition(QWidget* owner, TSimpleInitializeCondition& condition);

} // namespace kelvo
