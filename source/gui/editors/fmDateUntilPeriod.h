#pragma once

#include "core/scheduling/DateCondition.h"
#include "gui/editors/EditorControls.h"

class QDateEdit;
class QRadioButton;

namespace kelvo {

// "Repeat...": how a periodic date ends: never, on a date, after a number of times.
class TDateUntilForm : public TEditorDialog {
    Q_OBJECT
public:
    explicit TDateUntilForm(QWidget* owner);

    void Load(const TPeriodicDateCondition& condition);
    void Store(TPeriodicDateCondition& condition) const;

    QRadioButton& Kind(TUntilType type) const { return *radios_[type]; }
    QDateEdit& UntilDatePicker() const { return *date_; }
    TBoundedSpinBox& TimesEdit() const { return *times_; }

private:
    void UpdateEnabled();

    QRadioButton* radios_[3] = {};
    QDateEdit* date_;
    TBoundedSpinBox* times_;
};

// Writes the chosen end into condition on OK; true for OK.
bool EditDateEnd(QWidget* owner, TPeriodicDateCondition& condition);

} // namespace kelvo
