#pragma once

// The program's icon in the desktop's notification area: its two pictures, its menu of the
// main window's commands, and the hint of the day's events (a window where the host lets the
// program see the mouse rest on the icon, else the icon's tooltip).

#include "gui/main/fmTrayHint.h"

#include <QIcon>
#include <QKeySequence>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <functional>
#include <memory>

class QAction;
class QMenu;
class QSystemTrayIcon;
class QTimer;

namespace kelvo {

class TTrayIcon : public QObject {
    Q_OBJECT
public:
    // commands: the main window's command of an object name. hotKey: the global hot key of
    // id 1 to 3, empty when there is none or the desktop cannot grab keys.
    TTrayIcon(std::function<QAction*(const QString&)> commands,
              std::function<QKeySequence(int)> hotKey, QWidget& window);
    ~TTrayIcon() override;

    // What the hint shows; asked each time it is shown or refreshed.
    std::function<TTrayHintContent()> Content;

    // Shown while wanted and a host is there; looks for a host that comes (back) later.
    void SetWanted(bool wanted);
    bool Shown() const;
    void SetPicture(const QIcon& icon);
    // The tooltip follows the notebook; an open hint window too.
    void Refresh();

    QMenu& Menu() const { return *menu_; }
    QMenu& FavouritesMenu() const { return *favourites_; }
    TTrayHintForm& Hint() const { return *hint_; }
    // Shows the hint window for the icon as a hover on it would.
    void ShowHint(const QPoint& cursor);
    void HideHint();

signals:
    void restoreRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* Proxy(const QString& name, int hotKeyId);
    void UpdateProxies();
    void Apply();
    // Whether the icon sits in an XEmbed tray (which reports double clicks).
    static bool Embedded();

    std::function<QAction*(const QString&)> commands_;
    std::function<QKeySequence(int)> hotKey_;
    QSystemTrayIcon* icon_ = nullptr;
    std::unique_ptr<QMenu> menu_;
    QMenu* favourites_ = nullptr;
    std::unique_ptr<TTrayHintForm> hint_;
    // The tray's own items stand for commands whose shortcut text differs here.
    struct TProxy {
        QAction* Item;
        QPointer<QAction> Command;
        int HotKeyId;
    };
    std::vector<TProxy> proxies_;
    QTimer* retry_ = nullptr;
    QTimer* minute_ = nullptr;
    QTimer* track_ = nullptr;
    QPoint hintAt_;
    bool wanted_ = false;
    bool menuOpen_ = false;
    QString tip_;

public:
    // The text the icon gives a host for its tooltip.
    const QString& ToolTip() const { return tip_; }
};

} // namespace kelvo
