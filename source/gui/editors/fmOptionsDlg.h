#pragma once

// The page dialog: a list of page pictures on the left, the pages on the right without tabs,
// OK and Cancel. The event dialog and the options dialog build on it.

#include <QDialog>
#include <QString>
#include <vector>

class QDialogButtonBox;
class QListWidget;
class QStackedWidget;

namespace kelvo::editors {

class TOptionsDlgForm : public QDialog {
    Q_OBJECT
public:
    explicit TOptionsDlgForm(QWidget* parent = nullptr);

    // caption is the entry's text, then ":" and the name of its picture ("Date/Time:DATE");
    // without ":" the entry shows only the text. Answers the page's index.
    int AddPage(QWidget* page, const QString& caption);
    int PageCount() const { return static_cast<int>(pages_.size()); }
    QWidget* Page(int index) const { return pages_.at(static_cast<std::size_t>(index)).Widget; }
    int CurrentPage() const;
    // A disabled page has no entry in the list.
    void ShowPage(int index);
    void NextPage(int step);

    QListWidget& PageList() { return *list_; }
    QDialogButtonBox& Buttons() { return *buttons_; }

signals:
    void pageShown(int index);

protected:
    // Runs when the dialog closes with OK.
    virtual void Apply() {}
    void showEvent(QShowEvent* event) override;
    void done(int result) override;
    // The page area, for the layout of a derived dialog's own controls.
    QStackedWidget& Pages() { return *stack_; }

private:
    struct TPage {
        QWidget* Widget;
        QString Text;
        QString Picture;
    };
    void RefillList();

    std::vector<TPage> pages_;
    QListWidget* list_;
    QStackedWidget* stack_;
    QDialogButtonBox* buttons_;
};

} // namespace kelvo::editors
