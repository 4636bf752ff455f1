#include "gui/editors/frConditionList.h"

#include "core/scheduling/SimpleInitializeCondition.h"
#include "gui/editors/EditorControls.h"
#include "gui/editors/fmConditionDialog.h"

#include <QEvent>
#include <QGridLayout>
#include <QListWidget>
#include <QPushButton>

namespace kelvo {

namespace {

constexpr int MemberRole = Qt::UserRole;

void SetMember(QListWidgetItem& line, const TInitializeCondition& member) {
    line.setText(QText(member.Description()));
    line.setData(MemberRole, QVariant::fromValue(reinterpret_cast<quintptr>(&member)));
}

const TInitializeCondition* MemberOf(const QListWidgetItem* line) {
    return line ? reinterpret_cast<const TInitializeCondition*>(
                      line->data(MemberRole).value<quintptr>())
                : nullptr;
}

} // namespace

TInitializeConditionListFrame::TInitializeConditionListFrame(QWidget* parent, const QString& add,
                                                             const QString& edit,
                                                             const QString& remove,
                                                             const QString& listName)
    : QWidget(parent), list_(Named(new QListWidget(this), "ConditionList", listName)),
      add_(new QPushButton(add, this)), edit_(new QPushButton(edit, this)),
      delete_(new QPushButton(remove, this)) {
    add_->setObjectName(QStringLiteral("AddCondition"));
    edit_->setObjectName(QStringLiteral("EditCondition"));
    delete_->setObjectName(QStringLiteral("DeleteCondition"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(list_, 0, 0, 4, 1);
    grid->addWidget(add_, 0, 1);
    grid->addWidget(edit_, 1, 1);
    grid->addWidget(delete_, 2, 1);
    grid->setRowStretch(3, 1);
    grid->setColumnStretch(0, 1);
    connect(add_, &QPushButton::clicked, this, &TInitializeConditionListFrame::AddMember);
    connect(edit_, &QPushButton::clicked, this, &TInitializeConditionListFrame::EditMember);
    connect(delete_, &QPushButton::clicked, this, &TInitializeConditionListFrame::DeleteMember);
    connect(list_, &QListWidget::itemDoubleClicked, this, [this] {
        if (edit_->isEnabled())
            EditMember();
    });
    connect(list_, &QListWidget::itemSelectionChanged, this,
            &TInitializeConditionListFrame::UpdateButtons);
    connect(list_, &QListWidget::currentRowChanged, this,
            &TInitializeConditionListFrame::UpdateButtons);
    list_->installEventFilter(this);
    UpdateButtons();
}

TInitializeConditionListFrame::~TInitializeConditionListFrame() = default;

bool TInitializeConditionListFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_ && event->type() == QEvent::EnabledChange)
        UpdateButtons();
    return QWidget::eventFilter(watched, event);
}

void TInitializeConditionListFrame::LoadList(const TInitializeConditionList& list) {
    working_.Assign(list);
    Refill();
}

void TInitializeConditionListFrame::ClearList() {
    working_.Clear();
    Refill();
}

void TInitializeConditionListFrame::Refill() {
    list_->clear();
    for (int i = 0; i < working_.Count(); ++i)
        SetMember(*new QListWidgetItem(list_), working_.Items(i));
    UpdateButtons();
}

void TInitializeConditionListFrame::UpdateButtons() {
    const bool usable = !FollowsListEnabled() || list_->isEnabled();
    const bool selected = list_->currentItem() && list_->currentItem()->isSelected();
    add_->setEnabled(usable);
    edit_->setEnabled(usable && selected);
    delete_->setEnabled(usable && selected);
}

void TInitializeConditionListFrame::AddMember() {
    if (!add_->isEnabled())
        return;
    std::unique_ptr<TInitializeCondition> member = NewCondition();
    if (!EditCondition(*member))
        return;
    TInitializeCondition& added = working_.Add(std::move(member));
    auto* line = new QListWidgetItem(list_);
    SetMember(*line, added);
    list_->setCurrentItem(line);
}

void TInitializeConditionListFrame::EditMember() {
    QListWidgetItem* line = list_->currentItem();
    const int i = working_.IndexOf(MemberOf(line));
    if (!edit_->isEnabled() || i < 0)
        return;
    TInitializeCondition& member = working_.Items(i);
    if (EditCondition(member))
        SetMember(*line, member);
}

void TInitializeConditionListFrame::DeleteMember() {
    QListWidgetItem* line = list_->currentItem();
    const int i = working_.IndexOf(MemberOf(line));
    if (!delete_->isEnabled() || i < 0)
        return;
    working_.Delete(i);
    delete list_->takeItem(list_->row(line));
    list_->setCurrentRow(-1);
    list_->clearSelection();
    UpdateButtons();
}

TConditionListFrame::TConditionListFrame(QWidget* parent)
    : TInitializeConditionListFrame(parent, tr("Add..."), tr("Edit..."), tr("Delete"),
                                    tr("Further conditions")) {}

std::unique_ptr<TInitializeCondition> TConditionListFrame::NewCondition() const {
    return std::make_unique<TSimpleInitializeCondition>();
}

bool TConditionListFrame::EditCondition(TInitializeCondition& member) {
    auto* simple = dynamic_cast<TSimpleInitializeCondition*>(&member);
    return simple && ChooseCondition(this, *simple);
}

} // namespace kelvo
