#include "gui/mail/fmAddressBook.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace kelvo {

namespace {

bool SameAddress(const TMailAddress& a, const TMailAddress& b) {
    return QString::fromStdString(a.Address).compare(QString::fromStdString(b.Address),
                                                     Qt::CaseInsensitive) == 0;
}

} // namespace

TAddressBookDialog::TAddressBookDialog(QWidget* parent)
    : QDialog(parent), list_(new QListWidget(this)) {
    setWindowTitle(tr("Address Book"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(buttons);
    resize(360, 320);
}

bool TAddressBookDialog::Pick(const std::vector<TMailAddress>& offered,
                              std::vector<TMailAddress>& chosen) {
    // What the text already names comes first, so its order survives.
    shown_ = chosen;
    for (const TMailAddress& address : offered)
        if (std::none_of(shown_.begin(), shown_.end(),
                         [&](const TMailAddress& s) { return SameAddress(s, address); }))
            shown_.push_back(address);
    list_->clear();
    for (std::size_t i = 0; i < shown_.size(); ++i) {
        auto* item = new QListWidgetItem(QString::fromStdString(FormatRecipients({shown_[i]})));
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(i < chosen.size() ? Qt::Checked : Qt::Unchecked);
        list_->addItem(item);
    }
    if (exec() != QDialog::Accepted)
        return false;
    std::vector<TMailAddress> result;
    for (int i = 0; i < list_->count(); ++i)
        if (list_->item(i)->checkState() == Qt::Checked)
            result.push_back(shown_[static_cast<std::size_t>(i)]);
    chosen = std::move(result);
    return true;
}

} // namespace kelvo
