#pragma once

#include "core/mail/SendMail.h"

#include <QDialog>

class QListWidget;

namespace kelvo {

// The address book of the send-mail action: the addresses already used in the program's
// events, with those of the recipients text ticked; OK gives the ticked ones in list order.
class TAddressBookDialog : public QDialog, public IAddressPicker {
    Q_OBJECT
public:
    explicit TAddressBookDialog(QWidget* parent = nullptr);

    bool Pick(const std::vector<TMailAddress>& offered, std::vector<TMailAddress>& chosen) override;

    QListWidget* List() const { return list_; }

private:
    QListWidget* list_;
    std::vector<TMailAddress> shown_;
};

} // namespace kelvo
