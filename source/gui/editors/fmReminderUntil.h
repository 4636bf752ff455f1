#pragma once

#include "core/scheduling/RelativeCondition.h"
#include "gui/editors/EditorControls.h"

class QComboBox;
class QLabel;
class QRadioButton;

namespace kelvo {

// "Reminder repeat...": until the event, until some time before it, or a number of times.
class TReminderUntilForm : public TEditorDialog {
    Q_OBJECT
public:
    explicit TReminderUntilForm(QWidget* owner);

    void Load(const TPeriodicRelativeCondition& condition);
    void Store(TPeriodicRelativeCondition& condition) const;

    QRadioButton& Kind(TRelativeUntilType type) const { return *radios_[type]; }
    TBoundedSpinBox& RepeatUntilNumber() const { return *number_; }
    QComboBox& RepeatUntilSubject() const { return *unit_; }
    TBoundedSpinBox& RepeatUntilTimes() const { return *times_; }

private:
    void UpdateEnabled();

    QRadioButton* radios_[3] = {};
    TBoundedSpinBox* number_;
    QComboBox* unit_;
    QLabel* before_;
    TBoundedSpinBox* times_;
};

// Writes the chosen end into condition on OK; true for OK.
bool EditReminderEnd(QWidget* owner, TPeriodicRelativeCondition& condition);

} // namespace kelvo
