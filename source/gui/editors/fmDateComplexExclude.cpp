#include "gui/editors/fmDateComplexExclude.h"

#include "gui/editors/MemberList.h"
#include "gui/editors/fmDateDialog.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace kelvo {

TDateComplexExcludeForm::TDateComplexExcludeForm(QWidget* owner)
    : TEditorDialog(owner, tr("Exclude..."), 230),
      members_(new TMemberList(this,
                               {"ComplexExcludeList", "ExcludeAdd", "ExcludeEdit", "ExcludeDelete"},
                               TMemberList::Captions(tr("Excluding dates")))) {
    auto* caption = new QLabel(tr("Excluding dates"), this);
    caption->setBuddy(&members_->List());
    Body().addWidget(caption);
    Body().addWidget(members_);
    members_->OnAdd = [this] { AddLine(); };
    members_->OnEdit = [this](int row) { EditLine(row); };
    members_->OnDelete = [this](int row) {
        if (row >= static_cast<int>(lines_.size()))
            return false;
        lines_.erase(lines_.begin() + row);
        return true;
    };
}

QListWidget& TDateComplexExcludeForm::ComplexExcludeList() const {
    return members_->List();
}

void TDateComplexExcludeForm::Load(const TDateConditionList& exclusions) {
    lines_.clear();
    members_->Clear();
    for (int i = 0; i < exclusions.Count(); ++i) {
        lines_.push_back(exclusions.Items(i).Clone());
        members_->Append(QText(lines_.back()->Description()));
    }
}

void TDateComplexExcludeForm::Store(TDateConditionList& exclusions) const {
    exclusions.Clear();
    for (const auto& line : lines_)
        exclusions.Add(line->Clone());
}

void TDateComplexExcludeForm::AddLine() {
    ChooseDate(this, nullptr, true, [this](const TDateCondition& chosen) {
        lines_.push_back(chosen.Clone());
        members_->Append(QText(lines_.back()->Description()));
    });
}

void TDateComplexExcludeForm::EditLine(int row) {
    if (row < 0 || row >= static_cast<int>(lines_.size()))
        return;
    auto& line = lines_[static_cast<std::size_t>(row)];
    ChooseDate(this, line.get(), true, [&](const TDateCondition& chosen) {
        line = chosen.Clone();
        members_->SetText(row, QText(line->Description()));
    });
}

bool EditExclusions(QWidget* owner, TComplexDateCondition& condition) {
    return EditByForm<TDateComplexExcludeForm>(owner, condition.ExcludeConditions());
}

} // namespace kelvo
