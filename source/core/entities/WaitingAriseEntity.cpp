#include "core/entities/WaitingAriseEntity.h"

#include "core/util/paAssign.h"

namespace kelvo {

const TClassInfo& TWaitingAriseEntity::StaticClass() {
    using C = TWaitingAriseEntity;
    static const TClassInfo info = [] {
        TClassBuilder<C, TComponent> b("TWaitingAriseEntity");
        detail::PersistedObject<TComplexInitializeCondition>(
            b, "InitializeCondition",
            [](const C& e) -> const TComplexInitializeCondition& {
                return e.InitializeCondition();
            },
            [](C& e, std::unique_ptr<TComplexInitializeCondition> v) {
                e.AdoptInitializeCondition(std::move(v));
            });
        b.Object<TComplexEventAction>(
            "EventAction", [](const C& e) -> const TComplexEventAction& { return e.EventAction(); },
            [](C& e, std::unique_ptr<TComplexEventAction> v) { e.AdoptEventAction(std::move(v)); });
        return b.Build();
    }();
    return info;
}

TWaitingAriseEntity::TWaitingAriseEntity()
    : eventAction_(std::make_unique<TComplexEventAction>()),
      initializeCondition_(std::make_unique<TComplexInitializeCondition>()) {
    WireCondition();
}

TWaitingAriseEntity::~TWaitingAriseEntity() = default;

void TWaitingAriseEntity::WireCondition() {
    initializeCondition_->OnArise = [this](TDateTime t) { DoArise(t); };
    initializeCondition_->OnLate = [this](TDateTime t) { DoLate(t); };
}

void TWaitingAriseEntity::SetEventAction(const TComplexEventAction* value) {
    if (value == nullptr)
        throw EWaitingAriseEnityError("Illeagal assign to property EventAction. Action must be "
                                      "TComplexEventAction and not null");
    if (value == eventAction_.get())
        return;
    if (&value->ClassType() != &eventAction_->ClassType()) {
        std::unique_ptr<TPersistent> fresh = value->ClassType().Create();
        auto* typed = dynamic_cast<TComplexEventAction*>(fresh.get());
        if (typed == nullptr)
            throw EWaitingAriseEnityError("Illeagal assign to property EventAction. Action must "
                                          "be TComplexEventAction and not null");
        fresh.release();
        std::unique_ptr<TComplexEventAction> replacement(typed);
        replacement->Assign(*value);
        eventAction_ = std::move(replacement);
        return;
    }
    eventAction_->Assign(*value);
}

void TWaitingAriseEntity::AdoptEventAction(std::unique_ptr<TComplexEventAction> value) {
    if (value == nullptr)
        throw EWaitingAriseEnityError("Illeagal assign to property EventAction. Action must be "
                                      "TComplexEventAction and not null");
    eventAction_ = std::move(value);
}

void TWaitingAriseEntity::SetInitializeCondition(const TComplexInitializeCondition& value) {
    initializeCondition_->Assign(value);
    WireCondition();
}

void TWaitingAriseEntity::AdoptInitializeCondition(
    std::unique_ptr<TComplexInitializeCondition> value) {
    if (value == nullptr || value == initializeCondition_)
        return;
    initializeCondition_ = std::move(value);
    WireCondition();
    ConditionReplaced();
}

void TWaitingAriseEntity::Assign(const TPersistent& source) {
    const auto* entity = dynamic_cast<const TWaitingAriseEntity*>(&source);
    if (entity == nullptr)
        RaiseAssignError(source.ClassName(), ClassName());
    if (entity == this)
        return;
    SetEventAction(&entity->EventAction());
    SetInitializeCondition(entity->InitializeCondition());
}

void TWaitingAriseEntity::DoArise(TDateTime t) {
    if (OnArise)
        OnArise(*this, t);
    if (RunActionsOnArise && eventAction_)
        ExecuteActions();
}

void TWaitingAriseEntity::DoLate(TDateTime t) {
    if (OnLate)
        OnLate(*this, t);
    if (RunActionsOnArise && eventAction_)
        ExecuteActions();
}

void TWaitingAriseEntity::InitFrom(const TWaitingAriseEntity& source) {
    Assign(source);
    ResetDates();
}

void TWaitingAriseEntity::ExecuteActions() {
    eventAction_->ExecuteIfEnabled();
}

void TWaitingAriseEntity::GetActionDescription(std::string& text) const {
    text = eventAction_->GetDescription();
}

std::string TWaitingAriseEntity::ActionDescription() const {
    std::string text;
    GetActionDescription(text);
    return text;
}

void TWaitingAriseEntity::ResetDates() {
    initializeCondition_->SetLastAppear(NullDate);
    initializeCondition_->SetDateOfCreate(Now());
}

} // namespace kelvo
