#pragma once

// When an entity that waits to arise (an event, its early reminder, its snooze) arises.
//
// TInitializeCondition holds what every kind shares: the two persisted moments, the two
// notifications and the per-minute Check of the reminders generator. The list and the complex
// condition (the one every entity holds) live here too; the simple, reminder and snooze kinds
// have modules of their own.

#include "core/stream/paClasses.h"
#include "core/util/Slot.h"
#include "core/util/paDateUtils.h"
#include "core/util/paError.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kelvo {

class EInitializeConditionError : public EpaError {
public:
    using EpaError::EpaError;
};

class TInitializeCondition : public TComponent {
    KELVO_PERSISTENT(TInitializeCondition)
    using TAriseHandler = TSlot<void(TDateTime)>;

private:
    // First: it fits in the base's padding.
    bool checkMode_ = false;

public:
    TInitializeCondition() = default;
    TInitializeCondition(const TInitializeCondition&) = delete;
    TInitializeCondition& operator=(const TInitializeCondition&) = delete;
    virtual ~TInitializeCondition() = default;

    virtual std::string_view ClassName() const { return "TInitializeCondition"; }
    // A fresh object of this class with this one's content (Assign); handlers are not copied.
    std::unique_ptr<TInitializeCondition> Clone() const;
    // Copies LastAppear and DateOfCreate through this object's setters, then what the class
    // adds when source is of the same class.
    virtual void Assign(const TInitializeCondition& source);

    // Persisted.
    TDateTime DateOfCreate() const { return dateOfCreate_; }
    virtual void SetDateOfCreate(TDateTime dt);
    TDateTime LastAppear() const { return lastAppear_; }
    virtual void SetLastAppear(TDateTime dt);

    bool CheckMode() const { return checkMode_; }
    virtual void SetCheckMode(bool flag);

    // The later of LastAppear and DateOfCreate.
    TDateTime BaseTime() const;

    // The condition that gave the last answer.
    virtual TInitializeCondition* ActiveCondition() { return this; }
    virtual void GetDescription(std::string& text) const;
    std::string Description() const;
    virtual void ResetToDefault(TDateTime dt);
    // The first arising at or after x, or NullDate.
    virtual TDateTime NextArise(TDateTime x);
    virtual void SaveState();
    virtual void RestoreState();
    virtual void SetStartDate(TDateTime d);

    // NextArise with CheckMode on; CheckMode is off again afterwards, also on failure.
    TDateTime NextAriseForCheck(TDateTime x);

    // The missed half of Check without reporting: whether an arising after BaseTime plus one
    // minute and up to from was missed, and which.
    bool IsLate(TDateTime from, TDateTime* found = nullptr);
    // The due half of Check without reporting.
    bool ArisesWithin(TDateTime from, TDateTime to, TDateTime* found = nullptr);
    // The generator's per-minute check over the window [from, to]: reports at most one missed
    // arising through OnLate, then the arising inside the window through OnArise.
    void Check(TDateTime from, TDateTime to);

    // The last arising at or before x, or NullDate.
    TDateTime PreviousArise(TDateTime x);
    // Years, months and days from the first arising ever to x ("35 year(s), 1 month(s), ...").
    std::string ElapsedText(TDateTime x);

    TAriseHandler OnArise;
    TAriseHandler OnLate;

protected:
    // Copies what this class adds over its parent; source has this object's class.
    virtual void AssignOwn(const TInitializeCondition& source);
    virtual std::unique_ptr<TInitializeCondition> NewInstance() const;

    // Sets LastAppear to Now and calls the handler; what Check does for each report.
    void ReportArise(TDateTime t);
    void ReportLate(TDateTime t);

private:
    TDateTime DueArising(TDateTime from, TDateTime to, TDateTime lastAppear);
    TDateTime MissedArising(TDateTime from);

    TDateTime dateOfCreate_ = NullDate;
    TDateTime lastAppear_ = NullDate;
};

// An owning list of initialize conditions.
class TInitializeConditionList : public TAdvComponent {
    KELVO_PERSISTENT(TInitializeConditionList)
    using TAddHandler = TSlot<void(TInitializeConditionList&, TInitializeCondition&)>;

    TInitializeConditionList() = default;
    TInitializeConditionList(const TInitializeConditionList&) = delete;
    TInitializeConditionList& operator=(const TInitializeConditionList&) = delete;

    // Raises EInitializeConditionError "Attemp add null condition" for a null condition.
    TInitializeCondition& Add(std::unique_ptr<TInitializeCondition> condition);
    TInitializeCondition& AddCopy(const TInitializeCondition& condition);
    void AddCopies(const TInitializeConditionList& other);
    void Remove(TInitializeCondition* condition);
    void Delete(int i);
    void Clear();
    int Count() const { return static_cast<int>(items_.size()); }
    TInitializeCondition& Items(int i) const;
    int IndexOf(const TInitializeCondition* condition) const;
    void ForEachReverse(
        const std::function<void(TInitializeConditionList&, TInitializeCondition&)>& action);

    // The earliest NextArise of the members; on equal answers the earlier member is chosen.
    TDateTime EarliestNextArise(TDateTime x);
    TInitializeCondition* LastChosen() const { return lastChosen_; }

    std::string JoinedDescription() const;
    // Clears this list, then adds a copy of every member of other.
    void Assign(const TInitializeConditionList& other);

    TAddHandler OnAdd;

private:
    std::vector<std::unique_ptr<TInitializeCondition>> items_;
    TInitializeCondition* lastChosen_ = nullptr;
};

// A list of conditions of which the earliest arising counts. Every change of the base fields
// is handed on to the members.
class TComplexInitializeCondition : public TInitializeCondition {
    KELVO_PERSISTENT(TComplexInitializeCondition)
    using TConditionAddedHandler = TSlot<void(TInitializeConditionList&, TInitializeCondition&)>;

    TComplexInitializeCondition();

    std::string_view ClassName() const override { return "TComplexInitializeCondition"; }

    // Persisted.
    TInitializeConditionList& Conditions() { return conditions_; }
    const TInitializeConditionList& Conditions() const { return conditions_; }
    void SetConditions(const TInitializeConditionList& list);

    void SetDateOfCreate(TDateTime dt) override;
    void SetLastAppear(TDateTime dt) override;
    void SetCheckMode(bool flag) override;
    TInitializeCondition* ActiveCondition() override;
    void GetDescription(std::string& text) const override;
    void ResetToDefault(TDateTime dt) override;
    TDateTime NextArise(TDateTime x) override;
    void SaveState() override;
    void RestoreState() override;
    void SetStartDate(TDateTime d) override;

    // NextArise and the member that gave it (nullptr with NullDate).
    std::pair<TDateTime, TInitializeCondition*> NextAriseWithSource(TDateTime x);

    TConditionAddedHandler OnConditionAdded;

protected:
    void AssignOwn(const TInitializeCondition& source) override;
    std::unique_ptr<TInitializeCondition> NewInstance() const override;

private:
    void Wire(TInitializeCondition& member);

    TInitializeConditionList conditions_;
};

// Makes every condition class readable by its name: initialize, time, date and relative
// conditions, their lists and the subject record.
void RegisterConditionClasses(TClassRegistry& registry = TClassRegistry::Global());

} // namespace kelvo
