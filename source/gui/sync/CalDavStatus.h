#pragma once

// What the desktop program's CalDAV sync did, where the user sees it: a panel in the main
// window's status bar with the last sync's outcome, and on a click the window with its lines
// (what went up and down, what failed) and a button that syncs now.

#include <QDateTime>
#include <QDialog>
#include <QLabel>
#include <QPointer>
#include <QStringList>

class QMainWindow;
class QPushButton;
class QTreeWidget;

namespace kelvo {

class TCalDavSyncRunner;

// One sync's outcome as the runner told it.
struct TCalDavSyncReport {
    QStringList Lines;  // "up|down<TAB>kind<TAB>index<TAB>description"
    QStringList Errors; // one text each
    bool Failed = false;
    QDateTime At;
    static TCalDavSyncReport FromAnswer(const QString& answer, const QDateTime& at);
};

class TCalDavSyncWindow : public QDialog {
    Q_OBJECT
public:
    TCalDavSyncWindow(TCalDavSyncRunner& runner, QWidget* parent);
    void Show(const TCalDavSyncReport& report);
    void SetSyncing(bool syncing);

    QTreeWidget* Lines() const { return lines_; }
    QLabel* Summary() const { return summary_; }
    QLabel* Errors() const { return errors_; }
    QPushButton* SyncButton() const { return sync_; }

private:
    QLabel* summary_;
    QTreeWidget* lines_;
    QLabel* errors_;
    QPushButton* sync_;
};

class TCalDavStatusPanel : public QLabel {
    Q_OBJECT
public:
    TCalDavStatusPanel(TCalDavSyncRunner& runner, QWidget* window);

    // The window of the last sync's lines, opened (window-modal to the main window).
    TCalDavSyncWindow& OpenWindow();
    const TCalDavSyncReport& Last() const { return last_; }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Finished(const QString& answer);

    TCalDavSyncRunner& runner_;
    QWidget* window_;
    TCalDavSyncReport last_;
    bool syncing_ = false;
    QPointer<TCalDavSyncWindow> dialog_;
};

// Puts the panel into the window's status bar.
TCalDavStatusPanel& InstallCalDavStatus(TCalDavSyncRunner& runner, QMainWindow& window);

} // namespace kelvo
