#include "gui/editors/frReminderConditionList.h"

#include "core/scheduling/ReminderInitializeCondition.h"
#include "gui/editors/fmReminderDateDialog.h"

namespace kelvo {

TReminderConditionListFrame::TReminderConditionListFrame(QWidget* parent)
    : TInitializeConditionListFrame(parent, tr("&Add..."), tr("&Edit..."), tr("&Delete"),
                                    tr("Further reminders")) {
    Members().SetFollowsListEnabled(true);
}

std::unique_ptr<TInitializeCondition> TReminderConditionListFrame::NewCondition() const {
    return std::make_unique<TReminderInitializeCondition>();
}

bool TReminderConditionListFrame::EditCondition(TInitializeCondition& member) {
    auto* reminder = dynamic_cast<TReminderInitializeCondition*>(&member);
    return reminder && ChooseReminderCondition(this, *reminder);
}

} // namespace kelvo
