#include "gui/editors/fmTimeDialog.h"

#include "gui/editors/frTime.h"

#include <QVBoxLayout>

namespace kelvo {

TTimeDialogForm::TTimeDialogForm(QWidget* owner)
    : TEditorDialog(owner, tr("Choose time..."), 247), frame_(new TTimeFrame(this)) {
    Body().addWidget(frame_);
}

bool ChooseTime(QWidget* owner, const TTimeCondition* condition, const TTimeAccepted& accepted) {
    TTimeDialogForm dialog(owner);
    if (condition)
        dialog.Frame().LoadCondition(condition);
    return ChooseInDialog(dialog, accepted);
}

} // namespace kelvo
