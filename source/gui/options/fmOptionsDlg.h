#pragma once

#include <QDialog>
#include <QString>
#include <vector>

class QListWidget;
class QStackedWidget;
class QDialogButtonBox;
class QPushButton;

namespace kelvo {

class TAppIni;

// A dialog of pages: the pages' pictures and names in a list on the left, one page shown
// on the right without tabs, OK and Cancel below. The options dialog and the event dialog
// build on it.
class TOptionsDlgForm : public QDialog {
    Q_OBJECT
public:
    explicit TOptionsDlgForm(QWidget* parent);
    // With a store, the page shown last is shown again next time; the store outlives the dialog.
    TOptionsDlgForm(TAppIni& ini, const QString& storeName, QWidget* parent);
    ~TOptionsDlgForm() override;

    // caption: the page's name, ":" and the name of its picture ("Font:FONT"); without ":"
    // the entry has no picture. Answers the page's index.
    int AddPage(QWidget* page, const QString& caption);
    // The page last shown, once every page is added.
    void RestoreActivePage();

    int PageCount() const { return static_cast<int>(pages_.size()); }
    int ActivePage() const;
    // A disabled page has no entry in the list, but can still be shown.
    void SetActivePage(int index);
    // Ctrl+PageDown and Ctrl+PageUp: the next or previous entry, round.
    void NextPage(int step);
    QWidget* Page(int index) const;
    QListWidget* PageList() const { return list_; }
    QDialogButtonBox* Buttons() const { return buttons_; }
    // A "Help" button for the topic of the page shown (its "helpTopic", else the dialog's).
    QPushButton* AddHelpButton();

signals:
    void pageShown(int index);

protected:
    void showEvent(QShowEvent* event) override;

private:
    struct TPage {
        QWidget* Widget;
        QString Text;
        QString Picture;
    };
    void RefillList();
    void SelectEntry(int index);

    TAppIni* ini_ = nullptr;
    QString storeName_;
    std::vector<TPage> pages_;
    QListWidget* list_;
    QStackedWidget* stack_;
    QDialogButtonBox* buttons_;
};

} // namespace kelvo
