#include "gui/events/FindEventDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kelvo {

TFindEventDialog::TFindEventDialog(QWidget* parent)
    : QDialog(parent), text_(new QLineEdit(this)),
      matchCase_(new QCheckBox(tr("Match &case"), this)),
      wholeWords_(new QCheckBox(tr("Match &whole word only"), this)) {
    setObjectName(QStringLiteral("FindEventDialog"));
    setWindowTitle(tr("Find"));
    setModal(false);
    text_->setObjectName(QStringLiteral("FindText"));
    text_->setMinimumWidth(220);
    text_->setAccessibleName(tr("Find what"));
    matchCase_->setAccessibleName(matchCase_->text().remove(QLatin1Char('&')));
    wholeWords_->setAccessibleName(wholeWords_->text().remove(QLatin1Char('&')));
    auto* buttons = new QDialogButtonBox(this);
    find_ = buttons->addButton(tr("&Find Next"), QDialogButtonBox::ActionRole);
    find_->setObjectName(QStringLiteral("FindNextButton"));
    find_->setDefault(true);
    find_->setEnabled(false);
    QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
    connect(text_, &QLineEdit::textChanged, this,
            [this](const QString& text) { find_->setEnabled(!text.isEmpty()); });
    connect(find_, &QPushButton::clicked, this, &TFindEventDialog::findNext);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* form = new QFormLayout;
    form->addRow(tr("Fi&nd what:"), text_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(matchCase_);
    layout->addWidget(wholeWords_);
    layout->addWidget(buttons);
}

QString TFindEventDialog::Text() const {
    return text_->text();
}

bool TFindEventDialog::MatchCase() const {
    return matchCase_->isChecked();
}

bool TFindEventDialog::WholeWords() const {
    return wholeWords_->isChecked();
}

} // namespace kelvo
