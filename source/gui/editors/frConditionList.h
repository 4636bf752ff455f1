#pragma once

#include "core/scheduling/InitializeCondition.h"

#include <QWidget>
#include <memory>

class QListWidget;
class QPushButton;

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

    QListWidget& List() const { return *list_; }
    QPushButton& AddButton() const { return *add_; }
    QPushButton& EditButton() const { return *edit_; }
    QPushButton& DeleteButton() const { return *delete_; }

protected:
    TInitializeConditionListFrame(QWidget* parent, const QString& add, const QString& edit,
                                  const QString& remove, const QString& listName);
    // A new member with its creation defaults.
    virtual std::unique_ptr<TInitializeCondition> NewCondition() const = 0;
    // Edits member in its dialog; true for OK.
    virtual bool EditCondition(TInitializeCondition& member) = 0;
    // Whether the buttons also follow the list box's own enabling.
    virtual bool FollowsListEnabled() const { return false; }
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Refill();
    void UpdateButtons();
    void AddMember();
    void EditMember();
    void DeleteMember();

    TInitializeConditionList working_;
    QListWidget* list_;
    QPushButton* add_;
    QPushButton* edit_;
    QPushButton* delete_;
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
