#pragma once

#include <QDialog>
#include <QString>

class QListWidget;
class QStackedWidget;
class QDialogButtonBox;

namespace kelvo {

class TAppIni;

// A dialog of pages: the pages' pictures and names in a list on the left, one page shown
// on the right, OK and Cancel below. The page shown last is shown again next time.
class TOptionsDlgForm : public QDialog {
    Q_OBJECT
public:
    // The store keeps the last page; it outlives the dialog.
    TOptionsDlgForm(TAppIni& ini, const QString& storeName, QWidget* parent);
    ~TOptionsDlgForm() override;

    // caption: the page's name, ":" and the name of its picture ("Font:FONT").
    void AddPage(QWidget* page, const QString& caption);
    // The page last shown, once every page is added.
    void RestoreActivePage();

    int PageCount() const;
    int ActivePage() const;
    void SetActivePage(int index);
    QWidget* Page(int index) const;
    QListWidget* PageList() const { return list_; }
    QDialogButtonBox* Buttons() const { return buttons_; }

private:
    TAppIni& ini_;
    QString storeName_;
    QListWidget* list_;
    QStackedWidget* pages_;
    QDialogButtonBox* buttons_;
};

} // namespace kelvo
