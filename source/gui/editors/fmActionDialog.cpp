#include "gui/editors/fmActionDialog.h"

#include "gui/editors/frAction.h"
#include "gui/help/Help.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace kelvo {

TActionDialogForm::TActionDialogForm(TAppIni* ini, TPlatformActions* platform, QWidget* parent)
    : QDialog(parent), frame_(new TActionFrame(ini, QStringLiteral("ActionDialogForm.ActionFrame"),
                                               platform, this)) {
    setObjectName(QStringLiteral("ActionDialogForm"));
    setWindowTitle(tr("Choose action..."));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    buttons->button(QDialogButtonBox::Ok)->setAccessibleName(tr("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setAccessibleName(tr("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    setProperty(THelp::TopicProperty, 250);
    THelp::AddButton(*buttons, [this] { return this; });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame_, 1);
    layout->addWidget(buttons);
    resize(560, 340);
}

bool ChooseAction(QWidget& owner, const TEventAction* action, TAppIni* ini,
                  TPlatformActions* platform,
                  const std::function<void(const TEventAction& chosen)>& chosen) {
    TActionDialogForm dialog(ini, platform, &owner);
    dialog.setWindowModality(Qt::WindowModal);
    if (action)
        dialog.Frame().LoadAction(*action);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    dialog.Frame().SaveHistories();
    chosen(dialog.Frame().CurrentAction());
    return true;
}

} // namespace kelvo
