#include "gui/main/ViewDialogs.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QListWidget>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace kelvo {

TGotoDateDialog::TGotoDateDialog(const QDate& date, QWidget* parent)
    : QDialog(parent), edit_(new QDateEdit(date, this)) {
    setObjectName(QStringLiteral("GotoDateDialog"));
    setWindowTitle(tr("Go to Date"));
    setWindowModality(Qt::WindowModal);
    edit_->setObjectName(QStringLiteral("GotoDateEdit"));
    edit_->setAccessibleName(tr("Date"));
    edit_->setCalendarPopup(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* form = new QFormLayout(this);
    form->addRow(tr("&Date:"), edit_);
    form->addRow(buttons);
}

QDate TGotoDateDialog::Date() const {
    return edit_->date();
}

TColumnSetupDialog::TColumnSetupDialog(QTreeView& view, QWidget* parent)
    : QDialog(parent), view_(view), list_(new QListWidget(this)) {
    setObjectName(QStringLiteral("ColumnSetupDialog"));
    setWindowTitle(tr("Setup columns"));
    setWindowModality(Qt::WindowModal);
    list_->setObjectName(QStringLiteral("ColumnSetupList"));
    list_->setAccessibleName(tr("Columns"));
    const QHeaderView* header = view.header();
    for (int visual = 0; visual < header->count(); ++visual) {
        const int logical = header->logicalIndex(visual);
        auto* item = new QListWidgetItem(
            view.model()->headerData(logical, Qt::Horizontal).toString(), list_);
        item->setData(Qt::UserRole, logical);
        Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        if (logical != 0)
            flags |= Qt::ItemIsUserCheckable;
        item->setFlags(flags);
        item->setCheckState(header->isSectionHidden(logical) ? Qt::Unchecked : Qt::Checked);
    }
    list_->setCurrentRow(0);
    auto* up = new QPushButton(tr("Move &Up"), this);
    auto* down = new QPushButton(tr("Move &Down"), this);
    up->setObjectName(QStringLiteral("ColumnUpButton"));
    down->setObjectName(QStringLiteral("ColumnDownButton"));
    connect(up, &QPushButton::clicked, this, [this] { Move(-1); });
    connect(down, &QPushButton::clicked, this, [this] { Move(1); });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        Apply();
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* side = new QVBoxLayout;
    side->addWidget(up);
    side->addWidget(down);
    side->addStretch(1);
    auto* row = new QHBoxLayout;
    row->addWidget(list_, 1);
    row->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
}

void TColumnSetupDialog::Move(int by) {
    const int row = list_->currentRow();
    const int to = row + by;
    if (row < 0 || to < 0 || to >= list_->count())
        return;
    QListWidgetItem* item = list_->takeItem(row);
    list_->insertItem(to, item);
    list_->setCurrentRow(to);
}

void TColumnSetupDialog::Apply() {
    QHeaderView* header = view_.header();
    for (int visual = 0; visual < list_->count(); ++visual) {
        const QListWidgetItem* item = list_->item(visual);
        const int logical = item->data(Qt::UserRole).toInt();
        header->moveSection(header->visualIndex(logical), visual);
        header->setSectionHidden(logical, logical != 0 && item->checkState() != Qt::Checked);
    }
}

} // namespace kelvo
