#pragma once

// One event list of the main window: the eight columns of TEventListModel through a filter model
// of its own, sortable by the header, in one of four view styles. Details is a tree view; the
// icon and list styles are a list view over the same rows and the same selection.

#include <QIcon>
#include <QStackedWidget>
#include <QString>
#include <vector>

class QListView;
class QMenu;
class QTreeView;

namespace kelvo {

class TAppIni;
class TEvent;
class TEventFilterModel;
class TEventTemplate;
class TEventListModel;

class TEventListView : public QStackedWidget {
    Q_OBJECT
public:
    // The values of the store's ".ViewStyle".
    enum TStyle { LargeIcons = 0, SmallIcons = 1, List = 2, Details = 3 };

    // name: the object name and the store's component name of the list.
    TEventListView(TEventListModel& source, const QString& name, QWidget* parent = nullptr);

    QTreeView* DetailsView() const { return tree_; }
    QListView* IconsView() const { return icons_; }
    // The view the user sees in the current style.
    QWidget* ShownView() const;
    TEventFilterModel& Rows() const { return *rows_; }

    TStyle Style() const { return style_; }
    void SetStyle(TStyle style);
    int SortColumn() const;
    bool SortAscending() const;
    void SortBy(int column, bool ascending);

    // In the list's order.
    std::vector<TEvent*> SelectedEvents() const;
    TEvent* CurrentEvent() const;
    // Selects and focuses the event's row and scrolls to it; false when it is not listed.
    bool SelectEvent(const TEvent& event, bool focus);
    // The current row's template when that row is a template row (by address only: see
    // TEventListModel::TemplateRole).
    TEventTemplate* CurrentTemplate() const;
    // Selects the template's row; false when it is not listed.
    bool SelectTemplate(const TEventTemplate* t, bool focus);
    // Selects the first row when there are rows and none is selected.
    void SelectFirstWhenNone();
    // The rows of events, template rows left out.
    int EventRowCount() const;
    bool HasFocus() const;

    // Sort state, view style, column order, widths and visibility; a hidden column is kept
    // with width 0. path is the store's component path of the list.
    void SaveState(TAppIni& ini, const std::string& path) const;
    void LoadState(TAppIni& ini, const std::string& path);

    // Shown on a right click in either view.
    void SetContextMenu(QMenu* menu) { menu_ = menu; }

signals:
    // Enter or a double click on an event row, and on a template row.
    void eventActivated(kelvo::TEvent& event);
    void templateActivated();
    void deletePressed();
    void backPressed();
    void selectionChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TEventFilterModel* rows_;
    QTreeView* tree_;
    QListView* icons_;
    QMenu* menu_ = nullptr;
    TStyle style_ = Details;
};

// The event's own picture when its icon file can be read, else the standard event picture;
// each file is read once.
QIcon EventRowIcon(const TEvent& event);
// The template's own picture when it has one that can be read, else the standard template
// picture of the tree.
QIcon TemplateRowIcon(const TEventTemplate& t);

} // namespace kelvo
