#pragma once

#include "gui/editors/EditorControls.h"
#include "gui/editors/MonthDialog.h"

#include <array>

class QCheckBox;

namespace kelvo {

// Twelve month boxes, January to December.
class TSelectMonthsForm : public TEditorDialog {
    Q_OBJECT
public:
    TSelectMonthsForm(QWidget* owner, const QString& caption, int helpTopic);

    void SetMonths(TMonths months);
    TMonths Months() const;
    QCheckBox& Box(int month) const { return *boxes_[static_cast<std::size_t>(month)]; }

private:
    std::array<QCheckBox*, 12> boxes_{};
};

bool SelectMonths(QWidget* owner, TMonthDialog& months);

} // namespace kelvo
