#include "gui/editors/MemberList.h"

#include "gui/editors/EditorControls.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace kelvo {

TMemberList::TMemberList(QWidget* parent, const TNames& names, const TCaptions& captions)
    : QWidget(parent), grid_(new QGridLayout(this)),
      list_(Named(new QListWidget(this), names.List, captions.List)),
      add_(new QPushButton(captions.Add, this)), edit_(new QPushButton(captions.Edit, this)),
      delete_(new QPushButton(captions.Delete, this)) {
    add_->setObjectName(QString::fromLatin1(names.Add));
    edit_->setObjectName(QString::fromLatin1(names.Edit));
    delete_->setObjectName(QString::fromLatin1(names.Delete));
    grid_->setContentsMargins(0, 0, 0, 0);
    grid_->addWidget(list_, 0, 0, 4, 1);
    grid_->addWidget(add_, 0, 1);
    grid_->addWidget(edit_, 1, 1);
    grid_->addWidget(delete_, 2, 1);
    grid_->setRowStretch(3, 1);
    grid_->setColumnStretch(0, 1);
    connect(add_, &QPushButton::clicked, this, &TMemberList::Add);
    connect(edit_, &QPushButton::clicked, this, &TMemberList::Edit);
    connect(delete_, &QPushButton::clicked, this, &TMemberList::Delete);
    connect(list_, &QListWidget::itemDoubleClicked, this, &TMemberList::Edit);
    connect(list_, &QListWidget::itemSelectionChanged, this, &TMemberList::UpdateButtons);
    connect(list_, &QListWidget::currentRowChanged, this, &TMemberList::UpdateButtons);
    list_->installEventFilter(this);
    UpdateButtons();
}

TMemberList::TCaptions TMemberList::Captions(const QString& list) {
    return {list, tr("Add..."), tr("Edit..."), tr("Delete")};
}

void TMemberList::SetFollowsListEnabled(bool flag) {
    followsListEnabled_ = flag;
    UpdateButtons();
}

bool TMemberList::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_ && event->type() == QEvent::EnabledChange)
        UpdateButtons();
    return QWidget::eventFilter(watched, event);
}

void TMemberList::Clear() {
    list_->clear();
    UpdateButtons();
}

void TMemberList::Append(const QString& text) {
    auto* line = new QListWidgetItem(text, list_);
    // Long lines do not fit: the pointer shows the whole of one.
    line->setToolTip(text);
    UpdateButtons();
}

void TMemberList::AppendCurrent(const QString& text) {
    Append(text);
    list_->setCurrentRow(list_->count() - 1);
}

void TMemberList::SetText(int row, const QString& text) {
    if (QListWidgetItem* line = list_->item(row)) {
        line->setText(text);
        line->setToolTip(text);
    }
}

void TMemberList::UpdateButtons() {
    const bool usable = !followsListEnabled_ || list_->isEnabled();
    const bool selected = list_->currentItem() && list_->currentItem()->isSelected();
    add_->setEnabled(usable);
    edit_->setEnabled(usable && selected);
    delete_->setEnabled(usable && selected);
}

void TMemberList::Add() {
    if (add_->isEnabled() && OnAdd)
        OnAdd();
}

void TMemberList::Edit() {
    if (edit_->isEnabled() && OnEdit)
        OnEdit(list_->currentRow());
}

void TMemberList::Delete() {
    const int row = list_->currentRow();
    if (!delete_->isEnabled() || row < 0 || !OnDelete || !OnDelete(row))
        return;
    delete list_->takeItem(row);
    if (selectsAfterDelete_ && list_->count() > 0) {
        list_->setCurrentRow(std::min(row, list_->count() - 1));
    } else {
        list_->setCurrentRow(-1);
        list_->clearSelection();
    }
    UpdateButtons();
}

TMemberList& AddComplexPage(QStackedWidget& pages, const QString& hint, const QString& list) {
    auto* page = new QWidget(&pages);
    auto* layout = new QVBoxLayout(page);
    auto* text = new QLabel(hint, page);
    text->setWordWrap(true);
    layout->addWidget(text);
    auto* members =
        new TMemberList(page, {"ComplexIncludeList", "ComplexAdd", "ComplexEdit", "ComplexDelete"},
                        TMemberList::Captions(list));
    layout->addWidget(members, 1);
    pages.addWidget(page);
    return *members;
}

} // namespace kelvo
