#pragma once

#include "core/scheduling/InitializeCondition.h"
#include "gui/editors/MemberList.h"

#include <QWidget>
#include <memory>

namespace kelvo {

// A list of further conditions, one line per member; members are edited in a dialog and the
// working list changes only after its OK.
class TInitializeConditionListFrame : public QWidget {
    Q_OBJECT
public:
    ~TInitializeConditionListFrame() override;

    // The working list becomes a copy of list.
    void LoadList(const TInitializeConditionList& list);
    // The working list; the frame keeps owning it.
    TInitializeConditionList& GetList() { return working_; }
    void ClearList();

    QListWidget& List() const { return members_->List(); }
    QPushButton& AddButton() const { return members_->AddButton(); }
    QPushButton& EditButton() const { return members_->EditButton(); }
    QPushButton& DeleteButton() const { return members_->DeleteButton(); }

protected:
    TInitializeConditionListFrame(QWidget* parent, const QString& add, const QString& edit,
                                  const QString& remove, const QString& listName);
    // A new member with its creation defaults.
    virtual std::unique_ptr<TInitializeCondition> NewCondition() const = 0;
    // Edits member in its dialog; true for OK.
    virtual bool EditCondition(TInitializeCondition& member) = 0;
    TMemberList& Members() const { return *members_; }

private:
    void Refill();
    void AddMember();
    void EditMember(int row);

    TInitializeConditionList working_;
    TMemberList* members_;
};

// The event's further conditions, each a date and a time.
class TConditionListFrame : public TInitializeConditionListFrame {
    Q_OBJECT
public:
    explicit TConditionListFrame(QWidget* parent = nullptr);

protected:
    std::unique_ptr<TInitializeCondition> NewCondition() const override;
    bool EditCondition(TInitializeCondition& member) override;
};

} // namespace kelvo
