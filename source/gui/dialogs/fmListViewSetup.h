#pragma once

// "Columns settings": which columns of an event list show, in which order and how wide.

#include <QDialog>
#include <QString>
#include <vector>

class QHeaderView;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QSpinBox;

namespace kelvo {

// One column of a list, in the list's order; width 0 hides it.
struct TListColumn {
    QString Caption;
    int Width = 0;
    bool operator==(const TListColumn&) const = default;
};

// The columns of a header in their visual order: logical index by caption kept by the caller.
std::vector<TListColumn> HeaderColumns(const QHeaderView& header);
// Order and widths back onto the header; a column of width 0 is hidden.
void ApplyHeaderColumns(QHeaderView& header, const std::vector<TListColumn>& columns);

class TListViewSetupForm : public QDialog {
    Q_OBJECT
public:
    TListViewSetupForm(const std::vector<TListColumn>& columns, QWidget* parent);

    // The lines as OK leaves them: the columns reordered, unchecked ones at width 0.
    std::vector<TListColumn> Result(const std::vector<TListColumn>& columns);

    // The dialog, waited for without blocking the alarm windows; true on OK (columns set).
    static bool SetupColumns(QWidget* parent, std::vector<TListColumn>& columns);

private:
    void Selected(int row);
    void StoreWidth();
    void Move(int by);
    void SetChecked(bool checked);
    void UpdateButtons();

    QListWidget* list_ = nullptr;
    QSpinBox* width_ = nullptr;
    QPushButton* up_ = nullptr;
    QPushButton* down_ = nullptr;
    QPushButton* show_ = nullptr;
    QPushButton* hide_ = nullptr;
    int current_ = -1;
};

} // namespace kelvo
