#include "gui/templates/FavouritesBar.h"

#include "core/entities/EventTemplate.h"
#include "core/options/ProgramOptions.h"
#include "core/util/paText.h"
#include "gui/boxes/NonBlockingBoxes.h"
#include "gui/events/EventCommands.h"
#include "gui/session/ProgramSession.h"
#include "gui/templates/TemplateDrag.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QMenu>
#include <QStyle>
#include <QToolButton>

namespace kelvo {

namespace {

constexpr const char* NameProperty = "templateName";

QIcon TemplateIcon() {
    return QApplication::style()->standardIcon(QStyle::SP_DirIcon);
}

} // namespace

TFavouritesBar::TFavouritesBar(TEventCommands& commands, QWidget* parent)
    : QToolBar(parent), commands_(commands) {
    setObjectName(QStringLiteral("QuickToolBar"));
    setWindowTitle(tr("Favorite Templates"));
    setAccessibleName(tr("Favorite Templates"));
    setToolTip(tr("Drag and drop template on this toolbar"));
    setStatusTip(toolTip());
    setAcceptDrops(true);
    setContextMenuPolicy(Qt::DefaultContextMenu);
    connect(&commands_, &TEventCommands::favouritesChanged, this, &TFavouritesBar::Rebuild);
    connect(&commands_, &TEventCommands::templatesChanged, this, &TFavouritesBar::Rebuild);
    ApplyCaptionMode();
    Rebuild();
}

std::vector<TEventTemplate*> TFavouritesBar::Favourites() const {
    std::vector<TEventTemplate*> list;
    for (QAction* action : actions())
        if (TEventTemplate* t = Live(action))
            list.push_back(t);
    return list;
}

QAction* TFavouritesBar::ButtonAction(int index) const {
    const QList<QAction*> all = actions();
    return index >= 0 && index < all.size() ? all[index] : nullptr;
}

TEventTemplate* TFavouritesBar::Live(const QAction* action) const {
    if (action == nullptr)
        return nullptr;
    const QVariant name = action->property(NameProperty);
    if (!name.isValid())
        return nullptr;
    TTemplateNode* node = commands_.Templates().FindTemplate(name.toString().toStdString());
    return node != nullptr && node->Template() && node->Template()->Quickly() ? node->Template()
                                                                              : nullptr;
}

void TFavouritesBar::Rebuild() {
    for (QAction* action : actions()) {
        removeAction(action);
        delete action;
    }
    std::vector<TEventTemplate*> favourites;
    commands_.Templates().ForEach([&](TTemplateNode& node) {
        if (node.Template() && node.Template()->Quickly())
            favourites.push_back(node.Template());
    });
    for (TEventTemplate* t : favourites) {
        const QString name = QString::fromStdString(DisplayText(t->Template()));
        auto* action = new QAction(TemplateIcon(), name, this);
        action->setToolTip(name);
        action->setStatusTip(name);
        action->setProperty(NameProperty, QString::fromStdString(t->Template()));
        connect(action, &QAction::triggered, this, [this, action] {
            if (WaitingForBox()) {
                QApplication::beep();
                return;
            }
            if (TEventTemplate* live = Live(action))
                commands_.NewEventByTemplate(*live);
        });
        addAction(action);
        if (auto* button = qobject_cast<QToolButton*>(widgetForAction(action)))
            button->setAccessibleName(name);
    }
    std::erase_if(menus_, [](const QPointer<QMenu>& menu) { return !menu; });
    for (const QPointer<QMenu>& menu : menus_)
        FillMenu(*menu);
    if (!pressed_.empty() && PressedTemplate() == nullptr)
        pressed_.clear();
    adjustSize();
}

void TFavouritesBar::AttachMenu(QMenu* menu) {
    if (menu == nullptr)
        return;
    menus_.emplace_back(menu);
    FillMenu(*menu);
}

void TFavouritesBar::FillMenu(QMenu& menu) {
    menu.clear();
    for (QAction* button : actions()) {
        TEventTemplate* t = Live(button);
        if (t == nullptr)
            continue;
        QAction* item = menu.addAction(button->icon(), button->text());
        item->setToolTip(button->toolTip());
        item->setStatusTip(button->statusTip());
        item->setProperty(NameProperty, button->property(NameProperty));
        connect(item, &QAction::triggered, this, [this, item] {
            if (WaitingForBox()) {
                QApplication::beep();
                return;
            }
            if (TEventTemplate* live = Live(item))
                commands_.NewEventByTemplate(*live);
        });
    }
    if (menu.isEmpty())
        menu.addAction(tr("[no templates]"))->setEnabled(false);
}

void TFavouritesBar::ApplyCaptionMode() {
    switch (commands_.Session().Settings().Options().ViewQuickBarCaption.Value()) {
    case 0:
        setToolButtonStyle(Qt::ToolButtonIconOnly);
        break;
    case 2:
        setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        break;
    default:
        setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        break;
    }
}

QMenu* TFavouritesBar::CreateCaptionMenu(const QString& title, QWidget* parent) {
    auto* menu = new QMenu(title, parent);
    auto* group = new QActionGroup(menu);
    const QString captions[] = {tr("&Hide"), tr("Show &Right"), tr("Show &Bottom")};
    // In the menu's order: right, bottom, hide.
    for (int mode : {1, 2, 0}) {
        QAction* item = menu->addAction(captions[mode]);
        item->setCheckable(true);
        group->addAction(item);
        connect(item, &QAction::triggered, this, [this, mode] {
            commands_.Session().Settings().Options().ViewQuickBarCaption.SetValue(mode);
            ApplyCaptionMode();
            adjustSize();
        });
    }
    connect(menu, &QMenu::aboutToShow, menu, [this, menu] {
        const int mode = commands_.Session().Settings().Options().ViewQuickBarCaption.Value();
        const QList<QAction*> items = menu->actions();
        const int order[] = {1, 2, 0};
        for (int i = 0; i < items.size() && i < 3; ++i)
            items[i]->setChecked(order[i] == mode);
    });
    return menu;
}

void TFavouritesBar::Pressed(const QPoint& position) {
    QAction* action = actionAt(position);
    pressed_ = action && Live(action) ? action->property(NameProperty).toString().toStdString()
                                      : std::string();
}

TEventTemplate* TFavouritesBar::PressedTemplate() const {
    if (pressed_.empty())
        return nullptr;
    TTemplateNode* node = commands_.Templates().FindTemplate(pressed_);
    return node && node->Template() && node->Template()->Quickly() ? node->Template() : nullptr;
}

void TFavouritesBar::RemovePressed() {
    if (TEventTemplate* t = PressedTemplate()) {
        pressed_.clear();
        commands_.RemoveFromFavourites(*t);
    }
}

void TFavouritesBar::mousePressEvent(QMouseEvent* event) {
    Pressed(event->position().toPoint());
    QToolBar::mousePressEvent(event);
}

void TFavouritesBar::contextMenuEvent(QContextMenuEvent* event) {
    Pressed(event->pos());
    QMenu menu(this);
    for (QAction* action : viewActions_)
        menu.addAction(action);
    if (!viewActions_.isEmpty())
        menu.addSeparator();
    menu.addMenu(CreateCaptionMenu(tr("Favorite Templates names"), &menu));
    QAction* remove = menu.addAction(tr("&Remove this Template from Favorites"));
    remove->setEnabled(PressedTemplate() != nullptr);
    connect(remove, &QAction::triggered, this, &TFavouritesBar::RemovePressed);
    menu.exec(event->globalPos());
}

void TFavouritesBar::dragEnterEvent(QDragEnterEvent* event) {
    if (DragPosition(event->mimeData(), TemplateDragMimeType))
        event->acceptProposedAction();
    else
        event->ignore();
}

void TFavouritesBar::dragMoveEvent(QDragMoveEvent* event) {
    if (DragPosition(event->mimeData(), TemplateDragMimeType))
        event->acceptProposedAction();
    else
        event->ignore();
}

void TFavouritesBar::dropEvent(QDropEvent* event) {
    const auto position = DragPosition(event->mimeData(), TemplateDragMimeType);
    TTemplateNode* node = position ? commands_.Templates().NodeAt(*position) : nullptr;
    if (node == nullptr || node->Template() == nullptr || WaitingForBox()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    try {
        commands_.AddToFavourites(*node->Template());
    } catch (const EpaError& e) {
        ShowBox(this, QMessageBox::Warning, window()->windowTitle(),
                QString::fromStdString(e.what()));
    }
}

} // namespace kelvo
