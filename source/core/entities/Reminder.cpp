#include "core/entities/Reminder.h"

#include "core/entities/Event.h"
#include "core/scheduling/ReminderInitializeCondition.h"

namespace kelvo {

const TClassInfo& TReminder::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TReminder, TWaitingAriseEntity>("TReminder")
            .Boolean("ActionAsOwner", &TReminder::ActionAsOwner, &TReminder::SetActionAsOwner)
            .Build();
    return info;
}

TReminder::TReminder() {
    HookConditions();
}

void TReminder::HookConditions() {
    InitializeCondition().OnConditionAdded =
        [this](TInitializeConditionList&, TInitializeCondition& added) { GiveBase(added); };
}

void TReminder::ConditionReplaced() {
    HookConditions();
    auto& conditions = InitializeCondition().Conditions();
    for (int i = 0; i < conditions.Count(); ++i)
        GiveBase(conditions.Items(i));
}

void TReminder::GiveBase(TInitializeCondition& condition) const {
    if (auto* relative = dynamic_cast<TReminderInitializeCondition*>(&condition))
        relative->SetBase(ownerEvent_ ? &ownerEvent_->InitializeCondition() : nullptr);
}

void TReminder::SetOwnerEvent(TEvent* event) {
    if (event == ownerEvent_)
        return;
    ownerEvent_ = event;
    auto& conditions = InitializeCondition().Conditions();
    for (int i = 0; i < conditions.Count(); ++i)
        GiveBase(conditions.Items(i));
}

TComplexEventAction& TReminder::RunningAction() const {
    return actionAsOwner_ && ownerEvent_ ? ownerEvent_->EventAction() : EventAction();
}

void TReminder::Assign(const TPersistent& source) {
    TWaitingAriseEntity::Assign(source);
    if (const auto* reminder = dynamic_cast<const TReminder*>(&source))
        actionAsOwner_ = reminder->actionAsOwner_;
    // Conditions copied in were added through the list, which gave them their base.
}

void TReminder::ExecuteActions() {
    RunningAction().ExecuteIfEnabled();
}

void TReminder::GetActionDescription(std::string& text) const {
    if (actionAsOwner_)
        text = "Action of event";
    else
        TWaitingAriseEntity::GetActionDescription(text);
}

} // namespace kelvo
