#include "gui/editors/fmDateUntilPeriod.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QRadioButton>

namespace kelvo {

TDateUntilForm::TDateUntilForm(QWidget* owner)
    : TEditorDialog(owner, tr("Repeat..."), 210),
      date_(NewDatePicker(this, "UntilDatePicker", tr("Until date"))),
      times_(Named(new TBoundedSpinBox(1, 1000, this), "TimesEdit", tr("Times"))) {
    const QString captions[3] = {tr("&Forever"), tr("&Until date"), tr("&Times")};
    const char* names[3] = {"UntilForever", "UntilDate", "UntilTimes"};
    auto* grid = new QGridLayout;
    AddChoiceRadios(*this, *grid, radios_, captions, names, [this] { UpdateEnabled(); });
    grid->addWidget(date_, 1, 1);
    grid->addWidget(times_, 2, 1);
    Body().addLayout(grid);
}

void TDateUntilForm::Load(const TPeriodicDateCondition& condition) {
    date_->setDate(ToQDate(Today()));
    const TUntilType type = condition.UntilType() <= utTimes ? condition.UntilType() : utForever;
    radios_[type]->setChecked(true);
    if (type == utDate)
        date_->setDate(ToQDate(condition.ToDate()));
    times_->SetLoaded(type == utTimes ? condition.Times() : condition.StoredTimes());
    UpdateEnabled();
}

void TDateUntilForm::Store(TPeriodicDateCondition& condition) const {
    const int checked = CheckedIndex(radios_);
    if (checked < 0)
        return;
    const auto type = static_cast<TUntilType>(checked);
    condition.BeginUpdate();
    condition.SetUntilType(type);
    if (type == utDate)
        condition.SetToDate(FromQDate(date_->date()));
    else if (type == utTimes)
        condition.SetTimes(times_->value());
    condition.EndUpdate();
}

void TDateUntilForm::UpdateEnabled() {
    date_->setEnabled(radios_[utDate]->isChecked());
    times_->setEnabled(radios_[utTimes]->isChecked());
}

bool EditDateEnd(QWidget* owner, TPeriodicDateCondition& condition) {
    return EditByForm<TDateUntilForm>(owner, condition);
}

} // namespace kelvo
