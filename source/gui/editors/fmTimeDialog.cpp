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
    dialog.Frame().ShowComplexKind(false);
    if (!dialog.Run())
        return false;
    if (accepted)
        accepted(dialog.Frame().BuildCondition());
    return true;
}

} // namespace kelvo
