#include "gui/events/DefaultEventDialogs.h"

#include "gui/boxes/NonBlockingBoxes.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPointer>
#include <QSpinBox>

namespace kelvo {

namespace {

QString Tr(const char* text) {
    return QCoreApplication::translate("TDefaultEventDialogs", text);
}

} // namespace

bool TDefaultEventDialogs::ShowEventDialog(TEvent&, const QString&, TDateTime, int) {
    return true;
}

bool TDefaultEventDialogs::AskQuickEvent(QString& message, int& delayMinutes) {
    // Owned here, but the parent may go first (the program ends while it is open).
    QPointer<QDialog> owner = new QDialog(&parent_);
    QDialog& dialog = *owner;
    dialog.setObjectName(QStringLiteral("QuickEventDialog"));
    dialog.setWindowTitle(Tr("Add Quick Event"));
    dialog.setMinimumWidth(320);
    auto* layout = new QFormLayout(&dialog);
    auto* text = new QLineEdit(message, &dialog);
    text->setObjectName(QStringLiteral("QuickEventText"));
    text->setAccessibleName(Tr("Message"));
    text->selectAll();
    auto* delay = new QSpinBox(&dialog);
    delay->setObjectName(QStringLiteral("QuickEventDelay"));
    delay->setAccessibleName(Tr("Delay in minutes"));
    delay->setRange(0, 60 * 24 * 366);
    delay->setValue(delayMinutes);
    delay->setSuffix(Tr(" min"));
    layout->addRow(Tr("&Message:"), text);
    layout->addRow(Tr("&In:"), delay);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    layout->addRow(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    const bool accepted = RunAndWait(dialog) == QDialog::Accepted && owner;
    if (accepted) {
        message = text->text();
        delayMinutes = delay->value();
    }
    delete owner.data();
    return accepted;
}

} // namespace kelvo
