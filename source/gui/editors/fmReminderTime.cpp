#include "gui/editors/fmReminderTime.h"

#include "gui/editors/frTime.h"

#include <QCheckBox>
#include <QVBoxLayout>

namespace kelvo {

TReminderTimeForm::TReminderTimeForm(QWidget* owner)
    : TEditorDialog(owner, tr("Time of reminder..."), 260),
      distinct_(new QCheckBox(tr("Distinct from the time of event"), this)),
      frame_(new TTimeFrame(this)) {
    distinct_->setObjectName(QStringLiteral("Distinct"));
    QFont bold = distinct_->font();
    bold.setBold(true);
    distinct_->setFont(bold);
    Body().addWidget(distinct_);
    Body().addWidget(frame_);
    connect(distinct_, &QCheckBox::toggled, this, [this](bool on) { frame_->SetEditable(on); });
    frame_->SetEditable(false);
}

void TReminderTimeForm::Load(const TReminderInitializeCondition& condition) {
    const bool distinct = !condition.TimeAsBaseCondition();
    if (distinct)
        frame_->LoadCondition(condition.TimeCondition());
    distinct_->setChecked(distinct);
    frame_->SetEditable(distinct);
}

void TReminderTimeForm::Store(TReminderInitializeCondition& condition) const {
    const bool distinct = distinct_->isChecked();
    condition.SetTimeAsBaseCondition(!distinct);
    // A cleared box keeps the old time stored, unused.
    if (distinct)
        condition.SetTimeCondition(&frame_->BuildCondition());
}

bool EditReminderTime(QWidget* owner, TReminderInitializeCondition& condition) {
    return EditByForm<TReminderTimeForm>(owner, condition);
}

} // namespace kelvo
