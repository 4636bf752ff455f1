#include "gui/editors/frConditionList.h"

#include "core/scheduling/SimpleInitializeCondition.h"
#include "gui/editors/EditorControls.h"
#include "gui/editors/fmConditionDialog.h"

#include <QVBoxLayout>

namespace kelvo {

TInitializeConditionListFrame::TInitializeConditionListFrame(QWidget* parent, const QString& add,
                                                             const QString& edit,
                                                             const QString& remove,
                                                             const QString& listName)
    : QWidget(parent),
      members_(new TMemberList(
          this, {"ConditionList", "AddCondition", "EditCondition", "DeleteCondition"},
          {listName, add, edit, remove})) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(members_);
    members_->SetSelectsAfterDelete(false);
    members_->OnAdd = [this] { AddMember(); };
    members_->OnEdit = [this](int row) { EditMember(row); };
    members_->OnDelete = [this](int row) {
        if (row >= working_.Count())
            return false;
        working_.Delete(row);
        return true;
    };
}

TInitializeConditionListFrame::~TInitializeConditionListFrame() = default;

void TInitializeConditionListFrame::LoadList(const TInitializeConditionList& list) {
    working_.Assign(list);
    Refill();
}

void TInitializeConditionListFrame::ClearList() {
    working_.Clear();
    Refill();
}

void TInitializeConditionListFrame::Refill() {
    members_->Clear();
    for (int i = 0; i < working_.Count(); ++i)
        members_->Append(QText(working_.Items(i).Description()));
}

void TInitializeConditionListFrame::AddMember() {
    std::unique_ptr<TInitializeCondition> member = NewCondition();
    if (!EditCondition(*member))
        return;
    members_->AppendCurrent(QText(working_.Add(std::move(member)).Description()));
}

void TInitializeConditionListFrame::EditMember(int row) {
    if (row < 0 || row >= working_.Count())
        return;
    TInitializeCondition& member = working_.Items(row);
    if (EditCondition(member))
        members_->SetText(row, QText(member.Description()));
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
