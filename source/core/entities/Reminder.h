#pragma once

// The early warning of one event: an entity of its own whose reminder conditions place their
// moments relative to the event's arisings.

#include "core/entities/WaitingAriseEntity.h"

namespace kelvo {

class TEvent;

class TReminder : public TWaitingAriseEntity {
    KELVO_PERSISTENT(TReminder)
    // An empty action list and an empty condition.
    TReminder();

    // Persisted: run the event's action list instead of the reminder's own.
    bool ActionAsOwner() const { return actionAsOwner_; }
    void SetActionAsOwner(bool flag) { actionAsOwner_ = flag; }

    // The event it belongs to; not owned. Gives every reminder condition the event's
    // initialize condition as its base, and so do conditions added later.
    TEvent* OwnerEvent() const { return ownerEvent_; }
    void SetOwnerEvent(TEvent* event);

    // The action list that runs when the reminder arises.
    TComplexEventAction& RunningAction() const;

    void Assign(const TPersistent& source) override;
    void ExecuteActions() override;
    void GetActionDescription(std::string& text) const override;

protected:
    void ConditionReplaced() override;

private:
    void HookConditions();
    void GiveBase(TInitializeCondition& condition) const;

    bool actionAsOwner_ = false;
    TEvent* ownerEvent_ = nullptr;
};

} // namespace kelvo
