#include "gui/editors/fmDateDialog.h"

#include "gui/editors/frDate.h"

#include <QVBoxLayout>

namespace kelvo {

TDateDialogForm::TDateDialogForm(QWidget* owner)
    : TEditorDialog(owner, tr("Choose date..."), 243), frame_(new TDateFrame(this)) {
    Body().addWidget(frame_);
}

bool ChooseDate(QWidget* owner, const TDateCondition* condition, bool onceOnly,
                const TDateAccepted& accepted) {
    TDateDialogForm dialog(owner);
    if (condition && (!onceOnly || DateConditionKind(*condition) == TDateFrame::KindOnce))
        dialog.Frame().LoadCondition(condition);
    if (onceOnly)
        dialog.Frame().OnlyOnce(true);
    return ChooseInDialog(dialog, accepted);
}

} // namespace kelvo
