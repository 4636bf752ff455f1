#include "gui/editors/frInitializeCondition.h"

#include "gui/editors/frDate.h"
#include "gui/editors/frTime.h"

#include <QGroupBox>
#include <QVBoxLayout>

namespace kelvo {

TSimpleConditionFrame::TSimpleConditionFrame(QWidget* parent)
    : QWidget(parent), date_(nullptr), time_(nullptr) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* dateBox = new QGroupBox(tr("Date"), this);
    date_ = new TDateFrame(dateBox);
    (new QVBoxLayout(dateBox))->addWidget(date_);
    auto* timeBox = new QGroupBox(tr("Time"), this);
    time_ = new TTimeFrame(timeBox);
    (new QVBoxLayout(timeBox))->addWidget(time_);
    layout->addWidget(dateBox);
    layout->addWidget(timeBox);
    // "In" past midnight moves the single date as well.
    time_->SetOnceDateBeside(&date_->OnceDate());
    SetDefault(Now());
}

TSimpleConditionFrame::~TSimpleConditionFrame() = default;

void TSimpleConditionFrame::LoadCondition(const TSimpleInitializeCondition& c) {
    working_.Assign(c);
    date_->LoadCondition(working_.DateCondition());
    time_->LoadCondition(working_.TimeCondition());
}

TSimpleInitializeCondition& TSimpleConditionFrame::BuildCondition() {
    working_.SetDateCondition(&date_->BuildCondition());
    working_.SetTimeCondition(&time_->BuildCondition());
    return working_;
}

void TSimpleConditionFrame::SetDefault(TDateTime x) {
    date_->SetDefault(x);
    time_->SetDefault(x);
}

} // namespace kelvo
