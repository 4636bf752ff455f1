#include "core/entities/WaitingAriseEntity.h"

#include "core/util/paAssign.h"

namespace kelvo {

namespace {

bool SameComponent(const TComponent& a, const TComponent& b) {
    return &a.ClassType() == &b.ClassType() && a.Tag() == b.Tag() && a.Name() == b.Name();
}

// Whether actions read from a file are the class's defaults, which need no object of their
// own. Only actions without properties of their own (the beep) are compared.
bool SameAsDefault(const TComplexEventAction& read, const TComplexEventAction& defaults) {
    if (!SameComponent(read, defaults) || !SameComponent(read.Actions(), defaults.Actions()) ||
        read.Actions().Count() != defaults.Actions().Count())
        return false;
    for (int i = 0; i < read.Actions().Count(); ++i) {
        const TEventAction& a = read.Actions().Items(i);
        if (!SameComponent(a, defaults.Actions().Items(i)) ||
            &a.ClassType() != &TBeepEventAction::StaticClass())
            return false;
    }
    return true;
}

} // namespace

const TClassInfo& TWaitingAriseEntity::StaticClass() {
    using C = TWaitingAriseEntity;
    static const TClassInfo info = [] {
        TClassBuilder<C, TComponent> b("TWaitingAriseEntity");
        // A new entity's condition is a new one: read into it.
        b.Object<TComplexInitializeCondition>(
             "InitializeCondition",
             [](const C& e) -> const TComplexInitializeCondition& {
                 return e.InitializeCondition();
             },
             [](C& e, std::unique_ptr<TComplexInitializeCondition> v) {
                 e.AdoptInitializeCondition(std::move(v));
             })
            .ReadInPlace();
        b.Object<TComplexEventAction>(
            "EventAction",
            [](const C& e) -> const TComplexEventAction& {
                const TComplexEventAction* a = e.EventActionIfAny();
                return a ? *a : e.DefaultEventAction();
            },
            [](C& e, std::unique_ptr<TComplexEventAction> v) {
                if (e.EventActionIfAny() || !v || !SameAsDefault(*v, e.DefaultEventAction()))
                    e.AdoptEventAction(std::move(v));
            });
        return b.Build();
    }();
    return info;
}

TWaitingAriseEntity::TWaitingAriseEntity()
    : initializeCondition_(std::make_unique<TComplexInitializeCondition>()) {
    WireCondition();
}

const TComplexEventAction& TWaitingAriseEntity::DefaultEventAction() const {
    static const TComplexEventAction none;
    return none;
}

TComplexEventAction& TWaitingAriseEntity::EventAction() const {
    if (!eventAction_) {
        auto made = std::make_unique<TComplexEventAction>();
        made->Assign(DefaultEventAction());
        eventAction_ = std::move(made);
    }
    return *eventAction_;
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
    if (&value->ClassType() != &EventAction().ClassType()) {
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
    const TComplexEventAction* actions = entity->EventActionIfAny();
    SetEventAction(actions ? actions : &entity->DefaultEventAction());
    SetInitializeCondition(entity->InitializeCondition());
}

void TWaitingAriseEntity::DoArise(TDateTime t) {
    if (OnArise)
        OnArise(*this, t);
    if (RunActionsOnArise)
        ExecuteActions();
}

void TWaitingAriseEntity::DoLate(TDateTime t) {
    if (OnLate)
        OnLate(*this, t);
    if (RunActionsOnArise)
        ExecuteActions();
}

void TWaitingAriseEntity::InitFrom(const TWaitingAriseEntity& source) {
    Assign(source);
    ResetDates();
}

void TWaitingAriseEntity::ExecuteActions() {
    EventAction().ExecuteIfEnabled();
}

void TWaitingAriseEntity::GetActionDescription(std::string& text) const {
    const TComplexEventAction* actions = EventActionIfAny();
    text = (actions ? *actions : DefaultEventAction()).GetDescription();
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
