#pragma once

// "Go to...": a date, or today at once.

#include "core/util/paDateUtils.h"

#include <QDialog>

class QDateEdit;

namespace kelvo {

class TGoToForm : public QDialog {
    Q_OBJECT
public:
    TGoToForm(TDateTime date, QWidget* parent);
    // The chosen date without its time.
    TDateTime Date() const;

    // The dialog, waited for without blocking the alarm windows; true on OK (date set).
    static bool AskDate(QWidget* parent, TDateTime& date);

private:
    QDateEdit* date_ = nullptr;
};

} // namespace kelvo
