#pragma once

// The favourite-templates bar: one button per favourite template in tree order, which makes
// a new event by it. Templates dropped on it become favourites. The bar and every favourite
// menu attached to it are rebuilt from the live tree on each change of the favourites or of
// the tree and on each load, so that no button or item outlives its template.

#include <QList>
#include <QPointer>
#include <QToolBar>
#include <string>
#include <vector>

class QActionGroup;
#include <QMenu>

namespace kelvo {

class TEventCommands;
class TEventTemplate;

class TFavouritesBar : public QToolBar {
    Q_OBJECT
public:
    explicit TFavouritesBar(TEventCommands& commands, QWidget* parent = nullptr);

    // "Add Event by Favorite Template" submenus: filled now and with every rebuild.
    void AttachMenu(QMenu* menu);
    // The caption mode of ViewQuickBarCaption: 0 icons only, 1 caption right, 2 below.
    void ApplyCaptionMode();
    // The submenu "Show &Right", "Show &Bottom", "&Hide", for the toolbars' context menus.
    QMenu* CreateCaptionMenu(const QString& title, QWidget* parent);
    // The window's commands shown first in the bar's context menu.
    void SetViewActions(const QList<QAction*>& actions) { viewActions_ = actions; }

    // The template of the button under the last mouse press or context menu, else none.
    TEventTemplate* PressedTemplate() const;
    // "&Remove Template from Favorites" for that button.
    void RemovePressed();
    void Rebuild();

    // The buttons' templates in bar order.
    std::vector<TEventTemplate*> Favourites() const;
    QAction* ButtonAction(int index) const;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void FillMenu(QMenu& menu);
    // The live template a button or item was made for; none when it is no longer there.
    TEventTemplate* Live(const QAction* action) const;
    void Pressed(const QPoint& position);

    TEventCommands& commands_;
    std::vector<QPointer<QMenu>> menus_;
    QList<QAction*> viewActions_;
    std::string pressed_;
};

} // namespace kelvo
