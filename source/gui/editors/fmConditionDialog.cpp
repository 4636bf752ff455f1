#include "gui/editors/fmConditionDialog.h"

#include "gui/editors/frInitializeCondition.h"

#include <QVBoxLayout>

namespace kelvo {

TConditionDialogForm::TConditionDialogForm(QWidget* owner)
    : TEditorDialog(owner, tr("Choose Date/Time..."), 240),
      frame_(new TSimpleConditionFrame(this)) {
    Body().addWidget(frame_);
}

bool ChooseCondition(QWidget* owner, TSimpleInitializeCondition& condition) {
    TConditionDialogForm dialog(owner);
    dialog.Frame().LoadCondition(condition);
    if (!dialog.Run())
        return false;
    condition.Assign(dialog.Frame().BuildCondition());
    return true;
}

} // namespace kelvo
