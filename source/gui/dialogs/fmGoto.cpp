#include "gui/dialogs/fmGoto.h"

#include "gui/boxes/NonBlockingBoxes.h"
#include "gui/editors/EditorControls.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

namespace kelvo {

TGoToForm::TGoToForm(TDateTime date, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("GoToForm"));
    setWindowTitle(tr("Go to..."));
    date_ = new QDateEdit(ToQDate(date), this);
    date_->setObjectName(QStringLiteral("GoToDate"));
    date_->setCalendarPopup(true);
    date_->setDisplayFormat(QLocale().dateFormat(QLocale::LongFormat));
    date_->setAccessibleName(tr("Date"));
    date_->setMinimumWidth(220);

    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Horizontal, this);
    auto* today = buttons->addButton(tr("Go to Toda&y"), QDialogButtonBox::ActionRole);
    today->setObjectName(QStringLiteral("GoToToday"));
    today->setAutoDefault(false);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(today, &QPushButton::clicked, this, [this] {
        date_->setDate(ToQDate(Now()));
        accept();
    });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(date_);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

TDateTime TGoToForm::Date() const {
    return FromQDate(date_->date());
}

bool TGoToForm::AskDate(QWidget* parent, TDateTime& date) {
    TGoToForm form(date, parent);
    if (RunAndWait(form) != QDialog::Accepted)
        return false;
    date = form.Date();
    return true;
}

} // namespace kelvo
