#pragma once

#include <QString>
#include <QWidget>
#include <functional>

class QGridLayout;
class QListWidget;
class QPushButton;
class QStackedWidget;

namespace kelvo {

// The members of a compound condition, one line each, with Add, Edit and Delete beside them.
// Lines follow the owner's members by position; the owner keeps the members and runs the
// dialogs, and tells the list what changed.
class TMemberList : public QWidget {
    Q_OBJECT
public:
    // Object names, for tests, of the list and its three buttons.
    struct TNames {
        const char* List;
        const char* Add;
        const char* Edit;
        const char* Delete;
    };
    struct TCaptions {
        QString List;
        QString Add;
        QString Edit;
        QString Delete;
    };

    TMemberList(QWidget* parent, const TNames& names, const TCaptions& captions);
    // The captions most lists use.
    static TCaptions Captions(const QString& list);

    // What the buttons do; Edit and Delete get the current line's row. Delete takes the
    // member out, the list then drops the line.
    std::function<void()> OnAdd;
    std::function<void(int row)> OnEdit;
    std::function<bool(int row)> OnDelete;
    // The buttons also follow the list box's own enabling: a disabled list offers nothing.
    void SetFollowsListEnabled(bool flag);
    // After a delete the next line is selected, so a run of deletes needs no clicks between
    // them; without, nothing is.
    void SetSelectsAfterDelete(bool flag) { selectsAfterDelete_ = flag; }

    void Clear();
    void Append(const QString& text);
    // A member just added: its line becomes the current one.
    void AppendCurrent(const QString& text);
    void SetText(int row, const QString& text);

    QListWidget& List() const { return *list_; }
    QPushButton& AddButton() const { return *add_; }
    QPushButton& EditButton() const { return *edit_; }
    QPushButton& DeleteButton() const { return *delete_; }
    // The list spans rows 0 to 3 and the buttons stand in column 1; an owner may add rows
    // below.
    QGridLayout& Grid() const { return *grid_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void UpdateButtons();
    void Add();
    void Edit();
    void Delete();

    QGridLayout* grid_;
    QListWidget* list_;
    QPushButton* add_;
    QPushButton* edit_;
    QPushButton* delete_;
    bool followsListEnabled_ = false;
    bool selectsAfterDelete_ = true;
};

// The last page of a date or time frame: a hint over the list of the simple members.
TMemberList& AddComplexPage(QStackedWidget& pages, const QString& hint, const QString& list);

} // namespace kelvo
