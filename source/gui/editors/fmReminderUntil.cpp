#include "gui/editors/fmReminderUntil.h"

#include "gui/editors/frReminderDate.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>

namespace kelvo {

TReminderUntilForm::TReminderUntilForm(QWidget* owner)
    : TEditorDialog(owner, tr("Reminder repeat..."), 270),
      number_(Named(new TBoundedSpinBox(1, 100, this), "RepeatUntilNumber", tr("Until"))),
      unit_(Named(new QComboBox(this), "RepeatUntilSubject", tr("Until unit"))),
      before_(new QLabel(tr("before event"), this)),
      times_(Named(new TBoundedSpinBox(1, 999, this), "RepeatUntilTimes", tr("Times"))) {
    FillPeriodUnits(*unit_);
    unit_->setCurrentIndex(-1);
    const QString captions[3] = {tr("Until &event"), tr("&Until"), tr("&Times")};
    const char* names[3] = {"ruUntilEvent", "ruUntilSubject", "ruUntilTimes"};
    auto* grid = new QGridLayout;
    AddChoiceRadios(*this, *grid, radios_, captions, names, [this] { UpdateEnabled(); });
    grid->addWidget(number_, 1, 1);
    grid->addWidget(unit_, 1, 2);
    grid->addWidget(before_, 1, 3);
    grid->addWidget(times_, 2, 1);
    Body().addLayout(grid);
}

void TReminderUntilForm::Load(const TPeriodicRelativeCondition& condition) {
    const TRelativeUntilType type =
        condition.UntilType() <= ruUntilTimes ? condition.UntilType() : ruUntilEvent;
    radios_[type]->setChecked(true);
    if (type == ruUntilSubject) {
        number_->SetLoaded(condition.UntilSubject().Number());
        unit_->setCurrentIndex(static_cast<int>(condition.UntilSubject().Subject()) - 1);
    } else if (type == ruUntilTimes) {
        times_->SetLoaded(condition.UntilTimes());
    }
    UpdateEnabled();
}

void TReminderUntilForm::Store(TPeriodicRelativeCondition& condition) const {
    const int checked = CheckedIndex(radios_);
    if (checked < 0)
        return;
    const auto type = static_cast<TRelativeUntilType>(checked);
    condition.SetUntilType(type);
    if (type == ruUntilSubject)
        condition.SetUntilSubject(TRelativeSubjectRecord(
            number_->value(), static_cast<TPeriodType>(unit_->currentIndex() + 1)));
    else if (type == ruUntilTimes)
        condition.SetUntilTimes(times_->value());
}

void TReminderUntilForm::UpdateEnabled() {
    const bool subject = radios_[ruUntilSubject]->isChecked();
    number_->setEnabled(subject);
    unit_->setEnabled(subject);
    before_->setEnabled(subject);
    times_->setEnabled(radios_[ruUntilTimes]->isChecked());
    if (unit_->currentIndex() < 0)
        unit_->setCurrentIndex(0);
}

bool EditReminderEnd(QWidget* owner, TPeriodicRelativeCondition& condition) {
    return EditByForm<TReminderUntilForm>(owner, condition);
}

} // namespace kelvo
