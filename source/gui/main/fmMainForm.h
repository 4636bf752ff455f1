#pragma once

// The main window over the program's session: it runs the start-up sequence, carries every
// user command and keeps the program reachable from the tray.

#include "core/agenda/Agenda.h"
#include "gui/events/EventView.h"
#include "gui/session/ProgramSession.h"

#include <QIcon>
#include <QKeySequence>
#include <QMainWindow>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QMessageBox;
class QSplitter;
class QStackedWidget;
class QTimer;
class QToolBar;
class QToolButton;
class QTreeView;

namespace kelvo {

class TDrawCalendar;
class TProgramDialogs;
class TpaTips;
class TEventCommands;
class TEventFilterModel;
class TEventFilterPanel;
class TFavouritesBar;
class TTemplateTreeView;
class TTrayIcon;
class TEventListView;
class TGlobalHotKeys;
class TPageHeader;
class TPageList;
class TStatusPanel;

enum class TMessageKind { Warning, Error, Information };

class TMainForm : public QMainWindow, public IEventView, private IDataFileHost {
    Q_OBJECT
public:
    // The session is the caller's and outlives the window.
    explicit TMainForm(TProgramSession& session, QWidget* parent = nullptr);
    // Saves settings and data (as at session end) when the start-up has run.
    ~TMainForm() override;

    // Options, settings, data files, tray icon and alarm mode, in the program's start-up
    // order. arguments: the command line without the program name.
    void Startup(const QStringList& arguments);
    // Shows the window, or keeps it in the tray (or minimized) for "-tray".
    void ShowAtStart();
    bool StartsInTray() const { return startInTray_; }
    // The start-up's save of both data files (and the tray's hint) waits for the window's
    // first paint.
    bool StartupPending() const { return startupPending_; }
    // The tip of the day, when the options want one at each start.
    void ShowTipAtStart();

    // Alarm windows closed, settings saved, both data files saved; never asks anything.
    void SaveOnSessionEnd();
    void SaveSettings();

    // To the tray while a tray icon is really shown and the options say so, else minimized.
    void MinimizeWindow();
    // Shows, restores and brings the window to the front.
    void RestoreWindow() override;
    // The system clock was set: the generator goes on from the new time.
    void ClockChanged();
    void HotKeyPressed(int id);

    bool TrayIconShown() const;
    bool TrayPictureDisabled() const { return trayDisabled_; }
    TTrayIcon& Tray() const { return *tray_; }

    TProgramSession& Session() { return session_; }
    // The command of that object name (for menus built elsewhere and for tests).
    QAction* Command(const QString& name) const;
    // What a command does, for a command whose feature lives elsewhere; a command without
    // one is disabled.
    void SetCommandHandler(const QString& name, std::function<void()> run,
                           std::function<bool()> enabled = {});
    // The details view of the All Events list, over the session's rows.
    QTreeView* EventList() const;
    TEventFilterModel& EventRows() const;

    // The pages: 0 Templates, 1 Calendar, 2 Event Filter, 3 All Events.
    enum { PageCount = 4 };
    void ShowPage(int page);
    int ShownPage() const;
    TEventListView& List(int page) const { return *lists_[page]; }
    TEventListView& ActiveList() const { return *lists_[ShownPage()]; }
    TEventFilterPanel& FilterPanel() const { return *filterPanel_; }
    QWidget& CalendarGrid() const;
    TTemplateTreeView& TemplateTree() const { return *templateTree_; }
    TFavouritesBar& FavouritesBar() const { return *quickBar_; }
    TEventCommands& EventCommands() const { return *eventCommands_; }
    QSplitter& Splitter(int page) const;
    QMenu& ListMenu(int page) const { return *listMenus_[page]; }
    QMenu& SplitterMenu() const { return *splitterMenu_; }
    QLabel& NextEventPanel() const;
    void RefreshActivePage() override;
    void RefreshAllPages();
    // The tree's and the lists' fonts and colours from the options, and what the view options
    // of the Behaviour page change.
    void ApplyViewOptions();
    void UpdateStatusBar();
    void SelectEventInViews(TEvent& event);

    // IEventView: the view the event commands work on.
    QWidget& DialogParent() override { return *this; }
    std::vector<TEvent*> SelectedEvents() override;
    TEventTemplate* CurrentTemplate() override;
    TEventTemplate* SelectedTemplate() override;
    TDateTime SelectedDay() override;
    void SelectEvent(TEvent& event) override { SelectEventInViews(event); }
    TEventPage ActivePage() override { return static_cast<TEventPage>(ShownPage()); }
    void ShowPage(TEventPage page) override { ShowPage(static_cast<int>(page)); }
    std::vector<TEvent*> ListedEvents() override;
    void SetSelectedDay(TDateTime day) override;
    QMenu* TrayMenu() const { return trayMenu_; }
    QString NextEventText();
    QString CountText() const;

    // Re-evaluates every command's enabling (and checking) rule.
    void UpdateCommands();
    void RefreshViews();
    void UpdatePanels();
    // A message box of that kind (or the ShowMessage hook).
    void Message(TMessageKind kind, const std::string& text);

    // Hooks. Tests replace the dialogs and watch the arisings.
    // The chosen data file, empty on Cancel.
    std::function<QString(bool forSave, const QString& folder)> ChooseDataFile;
    std::function<bool(const QString& question)> Confirm;
    // While it answers true, Esc leaves the window alone (a search is running).
    std::function<bool()> FindInUse;
    std::function<void(TMessageKind kind, const QString& text)> ShowMessage;
    // After the event was saved and its alarm window opened; only while alarm windows are on
    // and the event wants one.
    std::function<void(TEvent& event, TWaitingAriseEntity& arisen, TDateTime when,
                       TAlarmReason reason)>
        OpenAlarmWindow;

signals:
    // "E&xit" was confirmed and the window closed: the event loop may end.
    void exitConfirmed();
    void alarmModeChanged(int mode);

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ScheduleCompleteStartup();
    // What the start-up leaves until after the first paint, when that is still to be done;
    // answers whether it was.
    bool CompleteStartup();
    struct TCommand {
        QAction* Action;
        std::function<void()> Run;
        std::function<bool()> Enabled;
        std::function<bool()> Checked;
    };

    // IDataFileHost
    bool TryReadNewerVersion(const std::string& question) override;
    void ShowRecordError(const std::string& message) override;

    QAction* AddCommand(const QString& name, const QString& caption, std::function<void()> run,
                        std::function<bool()> enabled = {}, std::function<bool()> checked = {});
    // The same with a shortcut and the hint the status bar shows.
    QAction* AddCommand(const QString& name, const QString& caption, const QKeySequence& key,
                        const QString& hint, std::function<void()> run,
                        std::function<bool()> enabled = {}, std::function<bool()> checked = {});
    TCommand* FindCommand(const QString& name);
    // Enabling rules run once the events queued now are handled.
    void ScheduleUpdateCommands();
    void CreateViewCommands();
    void CreateWorkspace();
    QWidget* CreatePage(int page, const QString& caption, QWidget* content);
    void CreateToolbars();
    void CreateContextMenus();
    QMenu* AddMenu(QMenu* parent, const QString& caption, const std::vector<const char*>& items);
    void ApplySplitters();
    void SplitterMoved(int page);
    void FlipSplitter(int page);
    void SetSplitterPercent(int percent);
    void SetViewStyle(int style);
    void SetupColumns();
    void GotoDate();
    void CalendarDayChanged();
    void UpdateDateButton();
    void RunFilter();
    void TemplateNodeChanged();
    void ShowPanels();
    void LoadWindowState();
    void SaveWindowState();
    void FitToScreen();
    void OpenWebPage(const QAction* command);
    void ConnectEventCommands();
    // The commands of the options, exchange, help, tips and about.
    void ConnectFeatures();
    // The three print preview commands.
    void ConnectPrinting();
    // The selected template when no event is selected (the entity commands' other target).
    TEventTemplate* EntityTemplate();
    // The template of the Templates list's selected row while it is still in the tree.
    TEventTemplate* ListTemplate();
    // The node of the live tree holding that template, or none.
    const TTemplateNode* NodeHolding(const TEventTemplate* t);
    // "Explore": the template's node selected and its rows listed.
    void ExploreTemplate();
    // "Back": the parent of the tree's template; from the list, with the row of the template
    // left selected there.
    void TemplateBack();
    // Runs a command; the data-file errors the user is meant to see go to an error box.
    void Run(const std::function<void()>& command);
    void CreateCommands();
    void CreateMenus();
    void CreateTrayIcon();

    void FileLoad();
    void FileSaveEvents();
    void FileDataNew();
    void FileDataOpen();
    void FileDataSaveAs();
    void FileExit();
    void ExitNow();
    QWidget* BoxParent();
    void ChooseAlarmMode(int mode);
    void AlarmModeApplied();
    QString AskDataFile(bool forSave);

    // For errors met inside an arising or a timer: shown once control is back in the loop.
    void MessageLater(TMessageKind kind, const std::string& text);
    // One box for all damaged records of the last load: how many, whether a file ended
    // early, and the copy kept of it. The log gets one line per damaged file.
    void ReportRecordErrors();
    QString DamagedFileText(const TDataLoadReport::TFile& file) const;

    void NotebookChanged(TEvent& event, TChangeKind kind);
    void Arisen(TWaitingAriseEntity& entity, TDateTime when, TAlarmReason reason);

    void ApplyTrayIcon();
    void UpdateTrayPicture();
    void ShowAlarmModeInTitle();
    // The global hot key of id as menus show it; empty where keys cannot be grabbed.
    QKeySequence HotKeyText(int id) const;
    void RegisterHotKeys();

    TProgramSession& session_;
    TAppIni& ini_;
    TMainSettings& settings_;
    TReminderNotebook& notebook_;
    TDataFileCommands& dataFiles_;
    TAlarmWindows& alarms_;
    std::unique_ptr<TGlobalHotKeys> hotKeys_;

    std::vector<TCommand> commands_;
    bool commandUpdateQueued_ = false;
    TPageList* pageList_ = nullptr;
    QWidget* mainPanel_ = nullptr;
    QStackedWidget* pages_ = nullptr;
    TEventListView* lists_[PageCount] = {};
    QMenu* listMenus_[PageCount] = {};
    QMenu* treeMenu_ = nullptr;
    QMenu* splitterMenu_ = nullptr;
    QMenu* favouritesMenu_ = nullptr;
    QSplitter* exploreSplitter_ = nullptr;
    QSplitter* calendarSplitter_ = nullptr;
    std::unique_ptr<TProgramDialogs> eventDialogs_;
    std::unique_ptr<TpaTips> tips_;
    std::unique_ptr<TEventCommands> eventCommands_;
    TTemplateTreeView* templateTree_ = nullptr;
    // The calendar page's grid; one widget, replaced whole when the month grid comes.
    TDrawCalendar* calendar_ = nullptr;
    TPageHeader* calendarHeader_ = nullptr;
    TEventFilterPanel* filterPanel_ = nullptr;
    QToolBar* standardBar_ = nullptr;
    TFavouritesBar* quickBar_ = nullptr;
    int calendarStyle_ = 0;
    // The window's bounds before it went to the tray.
    QRect trayGeometry_;
    TEvent* nextEvent_ = nullptr;
    QLabel* hintLabel_ = nullptr;
    TStatusPanel* nextLabel_ = nullptr;
    TStatusPanel* countLabel_ = nullptr;
    TTrayIcon* tray_ = nullptr;
    QMenu* trayMenu_ = nullptr;
    QIcon normalIcon_;
    QIcon disabledIcon_;
    bool trayDisabled_ = false;

    QString dialogFolder_;
    std::vector<std::string> recordErrors_; // the first few of the last load
    std::size_t recordErrorCount_ = 0;
    bool loadReportPending_ = false;
    // A failing save is told once; a save that works again ends that.
    bool saveErrorShown_ = false;
    int updateCount_ = 0;
    bool started_ = false;
    // The start-up's save waits for the first paint (ScheduleCompleteStartup).
    bool startupPending_ = false;
    bool painted_ = false;
    bool startInTray_ = false;
    bool exiting_ = false;
    QPointer<QMessageBox> exitQuestion_;
};

} // namespace kelvo
