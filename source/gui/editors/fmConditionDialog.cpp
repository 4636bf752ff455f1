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
    return EditInDialog<TConditionDialogForm>(owner, condition);
}

} // namespace kelvo
