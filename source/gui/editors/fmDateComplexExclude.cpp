#include "gui/editors/fmDateComplexExclude.h"

#include "gui/editors/fmDateDialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace kelvo {

TDateComplexExcludeForm::TDateComplexExcludeForm(QWidget* owner)
    : TEditorDialog(owner, tr("Exclude..."), 230),
      list_(Named(new QListWidget(this), "ComplexExcludeList", tr("Excluding dates"))),
      edit_(new QPushButton(tr("Edit..."), this)), delete_(new QPushButton(tr("Delete"), this)) {
    auto* grid = new QGridLayout;
    auto* caption = new QLabel(tr("Excluding dates"), this);
    caption->setBuddy(list_);
    grid->addWidget(caption, 0, 0, 1, 2);
    grid->addWidget(list_, 1, 0, 4, 1);
    auto* add = new QPushButton(tr("Add..."), this);
    add->setObjectName(QStringLiteral("ExcludeAdd"));
    edit_->setObjectName(QStringLiteral("ExcludeEdit"));
    delete_->setObjectName(QStringLiteral("ExcludeDelete"));
    grid->addWidget(add, 1, 1);
    grid->addWidget(edit_, 2, 1);
    grid->addWidget(delete_, 3, 1);
    grid->setRowStretch(4, 1);
    Body().addLayout(grid);
    connect(add, &QPushButton::clicked, this, &TDateComplexExcludeForm::AddLine);
    connect(edit_, &QPushButton::clicked, this, &TDateComplexExcludeForm::EditLine);
    connect(delete_, &QPushButton::clicked, this, &TDateComplexExcludeForm::DeleteLine);
    connect(list_, &QListWidget::itemSelectionChanged, this,
            &TDateComplexExcludeForm::UpdateButtons);
    connect(list_, &QListWidget::currentRowChanged, this, &TDateComplexExcludeForm::UpdateButtons);
    UpdateButtons();
}

void TDateComplexExcludeForm::Load(const TDateConditionList& exclusions) {
    lines_.clear();
    list_->clear();
    for (int i = 0; i < exclusions.Count(); ++i) {
        lines_.push_back(exclusions.Items(i).Clone());
        list_->addItem(QText(lines_.back()->Description()));
    }
    UpdateButtons();
}

void TDateComplexExcludeForm::Store(TDateConditionList& exclusions) const {
    exclusions.Clear();
    for (const auto& line : lines_)
        exclusions.Add(line->Clone());
}

void TDateComplexExcludeForm::AddLine() {
    ChooseDate(this, nullptr, true, [this](const TDateCondition& chosen) {
        lines_.push_back(chosen.Clone());
        list_->addItem(QText(lines_.back()->Description()));
    });
}

void TDateComplexExcludeForm::EditLine() {
    const int row = list_->currentRow();
    if (row < 0 || row >= static_cast<int>(lines_.size()))
        return;
    auto& line = lines_[static_cast<std::size_t>(row)];
    ChooseDate(this, line.get(), true, [&](const TDateCondition& chosen) {
        line = chosen.Clone();
        list_->item(row)->setText(QText(line->Description()));
    });
}

void TDateComplexExcludeForm::DeleteLine() {
    const int row = list_->currentRow();
    if (row < 0 || row >= static_cast<int>(lines_.size()))
        return;
    lines_.erase(lines_.begin() + row);
    delete list_->takeItem(row);
    list_->setCurrentRow(list_->count() > 0 ? std::min(row, list_->count() - 1) : -1);
    UpdateButtons();
}

void TDateComplexExcludeForm::UpdateButtons() {
    const bool selected = list_->currentItem() && list_->currentItem()->isSelected();
    edit_->setEnabled(selected);
    delete_->setEnabled(selected);
}

bool EditExclusions(QWidget* owner, TComplexDateCondition& condition) {
    TDateComplexExcludeForm dialog(owner);
    dialog.Load(condition.ExcludeConditions());
    if (!dialog.Run())
        return false;
    dialog.Store(condition.ExcludeConditions());
    return true;
}

} // namespace kelvo
