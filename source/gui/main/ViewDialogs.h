#pragma once

// Two small dialogs of the View commands: the date to go to, and which columns a list shows in
// which order.

#include <QDate>
#include <QDialog>
#include <vector>

class QDateEdit;
class QListWidget;
class QTreeView;

namespace kelvo {

class TGotoDateDialog : public QDialog {
    Q_OBJECT
public:
    TGotoDateDialog(const QDate& date, QWidget* parent);
    QDate Date() const;

private:
    QDateEdit* edit_;
};

// The columns of a details view in their shown order, each ticked while visible; OK applies
// the order and the ticks to the view. The first column always stays.
class TColumnSetupDialog : public QDialog {
    Q_OBJECT
public:
    TColumnSetupDialog(QTreeView& view, QWidget* parent);
    void Apply();
    QListWidget* Columns() const { return list_; }

private:
    void Move(int by);

    QTreeView& view_;
    QListWidget* list_;
};

} // namespace kelvo
