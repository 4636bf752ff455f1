#pragma once

#include "core/util/paDateUtils.h"

#include <QString>

class QWidget;

namespace kelvo {

// The months of a yearly date, with the caption and help topic of the dialog that edits them.
struct TMonthDialog {
    QString Caption;
    int HelpContext = 0;
    TMonths Months;

    // Runs "Select months"; true for OK, Months then holds the ticked months (maybe none).
    bool Execute(QWidget* owner);
};

} // namespace kelvo
