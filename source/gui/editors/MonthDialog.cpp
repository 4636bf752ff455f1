#include "gui/editors/MonthDialog.h"

#include "gui/editors/fmSelectMonths.h"

namespace kelvo {

bool TMonthDialog::Execute(QWidget* owner) {
    return SelectMonths(owner, *this);
}

} // namespace kelvo
