#pragma once

// The action list editor: the descriptions of a list of actions, with "Add...", "Edit..." and
// "Delete". It edits a working copy; the owner reads it back only when it keeps the edit.

#include "core/actions/EventAction.h"

#include <QWidget>

class QListWidget;
class QPushButton;

namespace kelvo {

class TAppIni;
class TPlatformActions;

class TActionListFrame : public QWidget {
    Q_OBJECT
public:
    TActionListFrame(TAppIni* ini, TPlatformActions* platform, QWidget* parent = nullptr);

    // The working list becomes a copy of list.
    void LoadList(const TEventActionList& list);
    void ClearList();
    const TEventActionList& GetList() const { return list_; }

    QListWidget& ListBox() { return *box_; }

    void Add();
    void Edit();
    void Delete();

protected:
    void changeEvent(QEvent* event) override;

private:
    void Refill();
    void UpdateButtons();

    TAppIni* ini_;
    TPlatformActions* platform_;
    TEventActionList list_;
    QListWidget* box_;
    QPushButton* add_;
    QPushButton* edit_;
    QPushButton* delete_;
};

} // namespace kelvo
