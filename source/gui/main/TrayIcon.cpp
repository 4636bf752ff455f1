#include "gui/main/TrayIcon.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QHelpEvent>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTimer>
#include <algorithm>
#include <cstdlib>

namespace kelvo {

namespace {

constexpr int RetryMs = 3000;
constexpr int MinuteMs = 60000;
constexpr int TrackMs = 50;
// How far the mouse may wander from where the hint came before it goes.
constexpr int HintSlack = 8;
// Qt's window for an icon embedded in an XEmbed tray.
constexpr const char* EmbeddedIconClass = "QSystemTrayIconSys";

} // namespace

TTrayIcon::TTrayIcon(std::function<QAction*(const QString&)> commands,
                     std::function<QKeySequence(int)> hotKey, QWidget& window)
    : QObject(&window), commands_(std::move(commands)), hotKey_(std::move(hotKey)) {
    icon_ = new QSystemTrayIcon(this);
    menu_ = std::make_unique<QMenu>();
    menu_->setObjectName(QStringLiteral("AppPopupMenu"));
    const auto add = [this](QMenu& menu, const char* name) {
        if (QAction* command = commands_(QString::fromLatin1(name)))
            menu.addAction(command);
    };

    QAction* restore = Proxy(QStringLiteral("FileRestore"), 1);
    menu_->addAction(restore);
    menu_->setDefaultAction(restore);
    // The options keep their shortcut in the window; here it would only mislead.
    menu_->addAction(Proxy(QStringLiteral("ServiceOptions"), 0));
    QMenu* alarms = menu_->addMenu(tr("&Alarm Options"));
    alarms->setObjectName(QStringLiteral("AlarmOptionsAction"));
    for (const char* name : {"ServiceAllEnabledAction", "ServiceDisableSoundAction",
                             "ServiceDisableActionsExceptWindowAction", "ServiceDisableAllAction"})
        add(*alarms, name);
    menu_->addSeparator();
    menu_->addAction(Proxy(QStringLiteral("EventNewQuick"), 2));
    QMenu* quick = menu_->addMenu(tr("Add Quick Event in..."));
    quick->setObjectName(QStringLiteral("TrayQuickEventMenu"));
    for (const char* name : {"EventNewQuick5Min", "EventNewQuick10Min", "EventNewQuick15Min",
                             "EventNewQuick30Min", "EventNewQuick1HourAction"})
        add(*quick, name);
    quick->addSeparator();
    add(*quick, "EventNewQuickTomorrow6Action");
    favourites_ = menu_->addMenu(tr("Add Event by Favorite Template"));
    favourites_->setObjectName(QStringLiteral("TrayFavouritesMenu"));
    menu_->addAction(Proxy(QStringLiteral("EventByCurrentTemplate"), 3));
    menu_->addSeparator();
    QMenu* web = menu_->addMenu(tr("On the &Web"));
    web->setObjectName(QStringLiteral("TrayWebMenu"));
    for (const char* name : std::initializer_list<const char*>{
             "HelpWebMainAction", nullptr, "HelpWebReminderAction", "HelpWebWishlistAction",
             "HelpWebNewsletterAction", nullptr, "HelpWebFAQAction", "HelpWebSupportAction"}) {
        if (name)
            add(*web, name);
        else
            web->addSeparator();
    }
    add(*menu_, "HelpAbout");
    add(*menu_, "HelpTipOnDayAction");
    add(*menu_, "HelpContents");
    menu_->addSeparator();
    // Choosing it does nothing but close the menu, which any choice does.
    QAction* close = menu_->addAction(tr("&Close this menu"));
    close->setObjectName(QStringLiteral("TrayCloseMenu"));
    add(*menu_, "FileExit");
    connect(menu_.get(), &QMenu::aboutToShow, this, [this] {
        menuOpen_ = true;
        HideHint();
        UpdateProxies();
        // While a dialog waits for an answer the menu's commands would pile up behind it.
        if (QWidget* modal = QApplication::activeModalWidget()) {
            QApplication::beep();
            modal->raise();
            modal->activateWindow();
            QTimer::singleShot(0, menu_.get(), &QMenu::close);
        }
    });
    connect(menu_.get(), &QMenu::aboutToHide, this, [this] { menuOpen_ = false; });
    icon_->setContextMenu(menu_.get());

    // A notifier host sends one activation for what an embedded icon sees as a double click;
    // a single click on an embedded icon does nothing.
    connect(icon_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                HideHint();
                if (reason == QSystemTrayIcon::DoubleClick ||
                    (reason == QSystemTrayIcon::Trigger && !Embedded()))
                    emit restoreRequested();
            });

    hint_ = std::make_unique<TTrayHintForm>();
    retry_ = new QTimer(this);
    retry_->setInterval(RetryMs);
    connect(retry_, &QTimer::timeout, this, &TTrayIcon::Apply);
    minute_ = new QTimer(this);
    minute_->setInterval(MinuteMs);
    connect(minute_, &QTimer::timeout, this, &TTrayIcon::Refresh);
    track_ = new QTimer(this);
    track_->setInterval(TrackMs);
    connect(track_, &QTimer::timeout, this, [this] {
        const QPoint moved = QCursor::pos() - hintAt_;
        if (std::abs(moved.x()) > HintSlack || std::abs(moved.y()) > HintSlack)
            HideHint();
    });
    // The hover on an icon embedded in the panel reaches the program as a tooltip request.
    qApp->installEventFilter(this);
}

TTrayIcon::~TTrayIcon() {
    qApp->removeEventFilter(this);
    icon_->hide();
    icon_->setContextMenu(nullptr);
}

QAction* TTrayIcon::Proxy(const QString& name, int hotKeyId) {
    QAction* command = commands_(name);
    auto* item = new QAction(menu_.get());
    item->setObjectName(QStringLiteral("Tray") + name);
    // Its key works only while the menu has the keyboard, where it does the same.
    item->setShortcutContext(Qt::WidgetShortcut);
    if (command)
        connect(item, &QAction::triggered, command, [command] { command->trigger(); });
    proxies_.push_back({item, command, hotKeyId});
    return item;
}

void TTrayIcon::UpdateProxies() {
    for (const TProxy& proxy : proxies_) {
        if (!proxy.Command)
            continue;
        proxy.Item->setText(proxy.Command->text());
        proxy.Item->setIcon(proxy.Command->icon());
        proxy.Item->setEnabled(proxy.Command->isEnabled());
        proxy.Item->setShortcut(proxy.HotKeyId && hotKey_ ? hotKey_(proxy.HotKeyId)
                                                          : QKeySequence());
    }
}

void TTrayIcon::SetWanted(bool wanted) {
    wanted_ = wanted;
    UpdateProxies();
    Refresh();
    Apply();
}

void TTrayIcon::Apply() {
    const bool host = QSystemTrayIcon::isSystemTrayAvailable();
    if (wanted_ && host)
        icon_->show();
    else
        icon_->hide();
    // Keep looking for a host that is not there yet or went away (a restarted panel).
    if (wanted_) {
        retry_->start();
        minute_->start();
    } else {
        retry_->stop();
        minute_->stop();
        HideHint();
    }
}

bool TTrayIcon::Shown() const {
    return icon_->isVisible() && QSystemTrayIcon::isSystemTrayAvailable();
}

void TTrayIcon::SetPicture(const QIcon& icon) {
    icon_->setIcon(icon);
}

void TTrayIcon::Refresh() {
    if (!Content)
        return;
    const TTrayHintContent content = Content();
    if (const QString tip = TrayHintText(content); tip != tip_) {
        tip_ = tip;
        icon_->setToolTip(tip);
    }
    if (hint_->isVisible())
        hint_->SetContent(content);
}

void TTrayIcon::ShowHint(const QPoint& cursor) {
    if (menuOpen_ || !Content)
        return;
    hintAt_ = cursor;
    hint_->SetContent(Content());
    hint_->ShowNear(icon_->geometry(), cursor);
    track_->start();
}

void TTrayIcon::HideHint() {
    track_->stop();
    if (hint_->isVisible())
        hint_->hide();
}

bool TTrayIcon::Embedded() {
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::any_of(windows.begin(), windows.end(), [](const QWidget* w) {
        return qstrcmp(w->metaObject()->className(), EmbeddedIconClass) == 0;
    });
}

bool TTrayIcon::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ToolTip && watched->isWidgetType() &&
        qstrcmp(watched->metaObject()->className(), EmbeddedIconClass) == 0) {
        ShowHint(static_cast<QHelpEvent*>(event)->globalPos());
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace kelvo
