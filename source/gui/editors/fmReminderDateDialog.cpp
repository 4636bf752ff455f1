#include "gui/editors/fmReminderDateDialog.h"

#include "gui/editors/frReminderDate.h"

#include <QVBoxLayout>

namespace kelvo {

TReminderDateDialogForm::TReminderDateDialogForm(QWidget* owner)
    : TEditorDialog(owner, tr("Choose reminder condition..."), 280),
      frame_(new TReminderDateFrame(this)) {
    Body().addWidget(frame_);
}

bool ChooseReminderCondition(QWidget* owner, TReminderInitializeCondition& condition) {
    return EditInDialog<TReminderDateDialogForm>(owner, condition);
}

} // namespace kelvo
