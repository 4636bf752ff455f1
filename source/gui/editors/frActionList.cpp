#include "gui/editors/frActionList.h"

#include "gui/alarm/fmAlarmMessage.h"
#include "gui/editors/fmActionDialog.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace kelvo {

TActionListFrame::TActionListFrame(TAppIni* ini, TPlatformActions* platform, QWidget* parent)
    : QWidget(parent), ini_(ini), platform_(platform), box_(new QListWidget(this)),
      add_(new QPushButton(tr("Add..."), this)), edit_(new QPushButton(tr("Edit..."), this)),
      delete_(new QPushButton(tr("Delete"), this)) {
    box_->setObjectName(QStringLiteral("ActionsListBox"));
    box_->setAccessibleName(tr("Actions"));
    add_->setObjectName(QStringLiteral("AddButton"));
    add_->setAccessibleName(tr("Add action"));
    edit_->setObjectName(QStringLiteral("EditButton"));
    edit_->setAccessibleName(tr("Edit action"));
    delete_->setObjectName(QStringLiteral("DeleteButton"));
    delete_->setAccessibleName(tr("Delete action"));
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(add_);
    buttons->addWidget(edit_);
    buttons->addWidget(delete_);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(box_, 1);
    layout->addLayout(buttons);

    connect(add_, &QPushButton::clicked, this, &TActionListFrame::Add);
    connect(edit_, &QPushButton::clicked, this, &TActionListFrame::Edit);
    connect(delete_, &QPushButton::clicked, this, &TActionListFrame::Delete);
    connect(box_, &QListWidget::itemDoubleClicked, this, &TActionListFrame::Edit);
    connect(box_, &QListWidget::currentRowChanged, this, &TActionListFrame::UpdateButtons);
    UpdateButtons();
}

void TActionListFrame::LoadList(const TEventActionList& list) {
    list_.Assign(list);
    Refill();
}

void TActionListFrame::ClearList() {
    list_.Clear();
    Refill();
}

void TActionListFrame::Refill() {
    box_->clear();
    for (int i = 0; i < list_.Count(); ++i)
        box_->addItem(TextFromCore(list_.Items(i).GetDescription()));
    UpdateButtons();
}

void TActionListFrame::UpdateButtons() {
    const bool on = box_->isEnabled();
    add_->setEnabled(on);
    const bool selected =
        on && box_->currentRow() >= 0 && box_->currentItem() && box_->currentItem()->isSelected();
    edit_->setEnabled(selected);
    delete_->setEnabled(selected);
}

void TActionListFrame::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        UpdateButtons();
}

void TActionListFrame::Add() {
    ChooseAction(*this, nullptr, ini_, platform_, [this](const TEventAction& chosen) {
        list_.Add(chosen.Clone());
        box_->addItem(TextFromCore(list_.Items(list_.Count() - 1).GetDescription()));
        box_->setCurrentRow(box_->count() - 1);
    });
    UpdateButtons();
}

void TActionListFrame::Edit() {
    const int row = box_->currentRow();
    if (row < 0 || row >= list_.Count())
        return;
    ChooseAction(*this, &list_.Items(row), ini_, platform_,
                 [this, row](const TEventAction& chosen) {
                     list_.Replace(row, chosen);
                     box_->item(row)->setText(TextFromCore(list_.Items(row).GetDescription()));
                 });
    UpdateButtons();
}

void TActionListFrame::Delete() {
    const int row = box_->currentRow();
    if (row < 0 || row >= list_.Count())
        return;
    list_.Remove(&list_.Items(row));
    delete box_->takeItem(row);
    UpdateButtons();
}

} // namespace kelvo
