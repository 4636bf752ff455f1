#pragma once

// The common base of everything that waits for its time and then arises: events, their early
// reminders and templates. It couples one initialize condition (when) with one action list
// (what), and turns the condition's two notifications into the entity's own.

#include "core/actions/EventAction.h"
#include "core/scheduling/InitializeCondition.h"
#include "core/stream/PropertyTable.h"
#include "core/util/Slot.h"
#include "core/util/paError.h"

#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>

namespace kelvo {

class EWaitingAriseEnityError : public EpaError {
public:
    using EpaError::EpaError;
};

class TWaitingAriseEntity : public TComponent {
    KELVO_PERSISTENT(TWaitingAriseEntity)
    // sender, moment
    using TAriseHandler = TSlot<void(TWaitingAriseEntity&, TDateTime)>;

    TWaitingAriseEntity();
    ~TWaitingAriseEntity() override;
    TWaitingAriseEntity(const TWaitingAriseEntity&) = delete;
    TWaitingAriseEntity& operator=(const TWaitingAriseEntity&) = delete;

    // Persisted. Never absent; the setters copy, so the entity never shares the caller's object.
    // Made when first asked for: until then the entity has its class's default actions.
    TComplexEventAction& EventAction() const;
    // None while the entity has its default actions and nobody asked for them.
    TComplexEventAction* EventActionIfAny() const { return eventAction_.get(); }
    // The actions a new entity of this class has: none (an event has one beep).
    virtual const TComplexEventAction& DefaultEventAction() const;
    // A value of another class replaces the entity's object by one of that class.
    void SetEventAction(const TComplexEventAction* value);
    void SetEventAction(const TComplexEventAction& value) { SetEventAction(&value); }
    // Takes over an object nobody else holds (one just read from a file).
    void AdoptEventAction(std::unique_ptr<TComplexEventAction> value);
    TComplexInitializeCondition& InitializeCondition() const { return *initializeCondition_; }
    void SetInitializeCondition(const TComplexInitializeCondition& value);
    // Takes over a condition nobody else holds (one just read from a file).
    void AdoptInitializeCondition(std::unique_ptr<TComplexInitializeCondition> value);

    // Copies the entity part from another entity; anything else is an assignment error.
    // Handlers and RunActionsOnArise stay as they are.
    virtual void Assign(const TPersistent& source);

    virtual void DoArise(TDateTime t);
    virtual void DoLate(TDateTime t);
    // A fresh copy of source that counts from now.
    virtual void InitFrom(const TWaitingAriseEntity& source);
    virtual void ExecuteActions();
    virtual void GetActionDescription(std::string& text) const;
    std::string ActionDescription() const;

    // LastAppear := NullDate, then DateOfCreate := Now.
    void ResetDates();

    // First: it fits in the base's padding.
    bool RunActionsOnArise = true;
    TAriseHandler OnArise;
    TAriseHandler OnLate; // receives the missed moment: the user is told when it was due

protected:
    // The entity's condition object was replaced by another one.
    virtual void ConditionReplaced() {}

private:
    void WireCondition();

    // Most entities keep their default actions: those cost nothing until asked for.
    mutable std::unique_ptr<TComplexEventAction> eventAction_;
    std::unique_ptr<TComplexInitializeCondition> initializeCondition_;
};

namespace detail {

// Declares an object property only once T takes part in the object stream, so that a table
// can name classes that are not persisted yet.
template <class T, class B, class G, class S>
B& PersistedObject(B& builder, std::string name, G get, S set) {
    if constexpr (std::is_base_of_v<TPersistent, T>)
        builder.template Object<T>(std::move(name), get, set);
    return builder;
}

} // namespace detail

} // namespace kelvo
