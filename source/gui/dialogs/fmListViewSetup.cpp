#include "gui/dialogs/fmListViewSetup.h"

#include "gui/boxes/NonBlockingBoxes.h"

#include <QAbstractItemModel>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace kelvo {

namespace {

constexpr int WidthRole = Qt::UserRole + 1;
// A hidden column shown again gets this unless it had a width of its own.
constexpr int ShownAgainWidth = 150;

} // namespace

std::vector<TListColumn> HeaderColumns(const QHeaderView& header) {
    std::vector<TListColumn> out;
    const QAbstractItemModel* model = header.model();
    for (int visual = 0; visual < header.count(); ++visual) {
        const int logical = header.logicalIndex(visual);
        const QString caption =
            model ? model->headerData(logical, header.orientation()).toString() : QString();
        out.push_back({caption, header.isSectionHidden(logical) ? 0 : header.sectionSize(logical)});
    }
    return out;
}

void ApplyHeaderColumns(QHeaderView& header, const std::vector<TListColumn>& columns) {
    const QAbstractItemModel* model = header.model();
    if (!model)
        return;
    for (int to = 0; to < static_cast<int>(columns.size()); ++to) {
        for (int logical = 0; logical < header.count(); ++logical) {
            const QString caption = model->headerData(logical, header.orientation()).toString();
            if (caption.compare(columns[static_cast<std::size_t>(to)].Caption,
                                Qt::CaseInsensitive) != 0)
                continue;
            header.moveSection(header.visualIndex(logical), to);
            const int width = columns[static_cast<std::size_t>(to)].Width;
            header.setSectionHidden(logical, width <= 0);
            if (width > 0)
                header.resizeSection(logical, width);
            break;
        }
    }
}

TListViewSetupForm::TListViewSetupForm(const std::vector<TListColumn>& columns, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("ListViewSetupForm"));
    setWindowTitle(tr("Columns settings"));
    setMinimumWidth(320);

    auto* text = new QLabel(tr("Check the columns that you would like to make visible. Use Move "
                               "Up and Move Down buttons to reorder the columns."),
                            this);
    text->setWordWrap(true);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("ColumnList"));
    list_->setAccessibleName(tr("Columns"));
    for (const TListColumn& c : columns) {
        auto* item = new QListWidgetItem(c.Caption, list_);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        const bool shown = c.Width > 3;
        item->setCheckState(shown ? Qt::Checked : Qt::Unchecked);
        item->setData(WidthRole, shown || c.Width >= 3 ? c.Width : ShownAgainWidth);
    }

    auto* widthLabel = new QLabel(tr("&Width of selected column (in pixels): "), this);
    width_ = new QSpinBox(this);
    width_->setObjectName(QStringLiteral("ColumnWidth"));
    width_->setRange(0, 1000);
    width_->setAccessibleName(tr("Width of selected column (in pixels)"));
    widthLabel->setBuddy(width_);

    up_ = new QPushButton(tr("Move &Up"), this);
    up_->setObjectName(QStringLiteral("ColumnUp"));
    down_ = new QPushButton(tr("Move &Down"), this);
    down_->setObjectName(QStringLiteral("ColumnDown"));
    show_ = new QPushButton(tr("&Show"), this);
    show_->setObjectName(QStringLiteral("ColumnShow"));
    hide_ = new QPushButton(tr("&Hide"), this);
    hide_->setObjectName(QStringLiteral("ColumnHide"));
    for (QPushButton* b : {up_, down_, show_, hide_})
        b->setAutoDefault(false);

    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Horizontal, this);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        StoreWidth();
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* side = new QVBoxLayout;
    for (QPushButton* b : {up_, down_, show_, hide_})
        side->addWidget(b);
    side->addStretch(1);
    auto* widthRow = new QHBoxLayout;
    widthRow->addWidget(widthLabel);
    widthRow->addWidget(width_);
    widthRow->addStretch(1);
    auto* grid = new QGridLayout(this);
    grid->addWidget(text, 0, 0, 1, 2);
    grid->addWidget(list_, 1, 0);
    grid->addLayout(side, 1, 1);
    grid->addLayout(widthRow, 2, 0, 1, 2);
    grid->addWidget(buttons, 3, 0, 1, 2);

    connect(list_, &QListWidget::currentRowChanged, this, &TListViewSetupForm::Selected);
    connect(list_, &QListWidget::itemChanged, this, [this] { UpdateButtons(); });
    connect(up_, &QPushButton::clicked, this, [this] { Move(-1); });
    connect(down_, &QPushButton::clicked, this, [this] { Move(1); });
    connect(show_, &QPushButton::clicked, this, [this] { SetChecked(true); });
    connect(hide_, &QPushButton::clicked, this, [this] { SetChecked(false); });
    if (list_->count() > 0)
        list_->setCurrentRow(0);
    UpdateButtons();
}

void TListViewSetupForm::Selected(int row) {
    StoreWidth();
    current_ = row;
    if (QListWidgetItem* item = list_->item(row))
        width_->setValue(item->data(WidthRole).toInt());
    UpdateButtons();
}

void TListViewSetupForm::StoreWidth() {
    if (QListWidgetItem* item = list_->item(current_))
        item->setData(WidthRole, width_->value());
}

void TListViewSetupForm::Move(int by) {
    const int row = list_->currentRow();
    const int to = row + by;
    if (row < 0 || to < 0 || to >= list_->count())
        return;
    StoreWidth();
    current_ = -1; // the width is stored; the row changes under the selection
    QListWidgetItem* item = list_->takeItem(row);
    list_->insertItem(to, item);
    list_->setCurrentRow(to);
}

void TListViewSetupForm::SetChecked(bool checked) {
    if (QListWidgetItem* item = list_->currentItem())
        item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    UpdateButtons();
}

void TListViewSetupForm::UpdateButtons() {
    const int row = list_->currentRow();
    const QListWidgetItem* item = list_->item(row);
    up_->setEnabled(item && row > 0);
    down_->setEnabled(item && row < list_->count() - 1);
    show_->setEnabled(item && item->checkState() != Qt::Checked);
    hide_->setEnabled(item && item->checkState() == Qt::Checked);
}

std::vector<TListColumn> TListViewSetupForm::Result(const std::vector<TListColumn>& columns) {
    StoreWidth();
    std::vector<TListColumn> out;
    for (int row = 0; row < list_->count(); ++row) {
        const QListWidgetItem* item = list_->item(row);
        for (const TListColumn& c : columns) {
            if (c.Caption.compare(item->text(), Qt::CaseInsensitive) != 0)
                continue;
            out.push_back(
                {c.Caption, item->checkState() == Qt::Checked ? item->data(WidthRole).toInt() : 0});
            break;
        }
    }
    return out;
}

bool TListViewSetupForm::SetupColumns(QWidget* parent, std::vector<TListColumn>& columns) {
    TListViewSetupForm form(columns, parent);
    if (RunAndWait(form) != QDialog::Accepted)
        return false;
    columns = form.Result(columns);
    return true;
}

} // namespace kelvo
