#include "gui/main/fmMainForm.h"

#include "core/actions/AlarmSwitches.h"
#include "core/diagnostics/paLogUtils.h"
#include "core/options/ProgramOptions.h"
#include "core/options/paAppIni.h"
#include "core/options/paConfigUtils.h"
#include "core/util/paFormat.h"
#include "core/util/paText.h"
#include "core/util/paTranslate.h"
#include "gui/alarm/AlarmWindows.h"
#include "gui/boxes/NonBlockingBoxes.h"
#include "gui/calendar/DrawCalendar.h"
#include "gui/dialogs/fmAbout.h"
#include "gui/dialogs/paTips.h"
#include "gui/editors/EditorControls.h"
#include "gui/events/EventCommands.h"
#include "gui/events/EventListView.h"
#include "gui/events/ProgramDialogs.h"
#include "gui/exchange/ExchangeCommands.h"
#include "gui/help/Help.h"
#include "gui/main/CommandIcons.h"
#include "gui/main/EventFilterPanel.h"
#include "gui/main/MainPanel.h"
#include "gui/main/TrayIcon.h"
#include "gui/main/ViewDialogs.h"
#include "gui/main/ViewLook.h"
#include "gui/models/EventFilterModel.h"
#include "gui/models/EventListModel.h"
#include "gui/models/TemplateTreeModel.h"
#include "gui/options/fmOption.h"
#include "gui/print/PrintPreview.h"
#include "gui/templates/FavouritesBar.h"
#include "gui/templates/TemplateChoiceForm.h"
#include "gui/templates/TemplateDrag.h"
#include "gui/templates/TemplateTreeView.h"
#include "platform/hotkeys/paHotKeyOptions.h"
#include "platform/hotkeys/paHotKeys.h"
#include "platform/runtime/QtLocale.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QUrl>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>
#include <cmath>

namespace kelvo {

namespace {

const char* const ApplicationTitle = QT_TRANSLATE_NOOP("kelvo::TMainForm", "Tavrelon MP3");
const char* const ExitQuestion = QT_TRANSLATE_NOOP(
    "kelvo::TMainForm", "Do you really want to unload Tavrelon MP3 and disable reminders?");
// Damaged records named in the one message of a load; the log has all of them.
constexpr std::size_t RecordErrorsShown = 5;
// How often a wanted tray icon looks for a tray host that was not there (or went away).

QString Q(const std::string& text) {
    return QString::fromStdString(DisplayText(text));
}

// The program's picture, drawn so that no image file is needed: a clock face; the
// "disabled" one is grey and struck through.
QIcon ProgramIcon(bool disabled) {
    QIcon icon;
    for (int size : {16, 22, 32, 48, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        const qreal s = size;
        const QColor face = disabled ? QColor(170, 170, 170) : QColor(255, 196, 40);
        const QColor rim = disabled ? QColor(90, 90, 90) : QColor(160, 80, 0);
        p.setPen(QPen(rim, s / 12.0));
        p.setBrush(face);
        p.drawEllipse(QRectF(s * 0.08, s * 0.08, s * 0.84, s * 0.84));
        p.setPen(QPen(Qt::black, s / 14.0, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(s / 2, s / 2), QPointF(s / 2, s * 0.22));
        p.drawLine(QPointF(s / 2, s / 2), QPointF(s * 0.72, s / 2));
        if (disabled) {
            p.setPen(QPen(QColor(200, 0, 0), s / 8.0, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(s * 0.15, s * 0.85), QPointF(s * 0.85, s * 0.15));
        }
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

// The session's rows stay empty while this is alive and are made once at its end.
struct THeldRows {
    explicit THeldRows(TEventListModel& rows) : Rows(rows) { Rows.Hold(); }
    ~THeldRows() { Rows.Release(); }
    THeldRows(const THeldRows&) = delete;
    THeldRows& operator=(const THeldRows&) = delete;
    TEventListModel& Rows;
};

// A panel of the status bar, sunken, so that the panels stand apart at any scale.
QLabel* StatusPanel(QLabel* panel, const char* name) {
    panel->setObjectName(QLatin1String(name));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    return panel;
}

} // namespace

// A panel as wide as its text and the room around it, split evenly between both sides. One
// that yields is cut with an ellipsis in a window too narrow for it, its whole text the tooltip.
class TStatusPanel : public QLabel {
public:
    TStatusPanel(QWidget* parent, const char* name, int room, bool yields)
        : QLabel(parent), room_(room), yields_(yields) {
        StatusPanel(this, name);
        setAlignment(Qt::AlignCenter);
        setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
    }
    void SetWholeText(const QString& text) {
        if (text == whole_)
            return;
        whole_ = text;
        // A panel that keeps its text takes its width at once, as one that yields does where it
        // shrinks; where that one may grow, the status bar's layout widens it a moment later.
        if (yields_)
            setMaximumWidth(Needed(whole_));
        else
            setFixedWidth(Needed(whole_));
        Fit();
    }
    QSize sizeHint() const override { return {Needed(whole_), QLabel::sizeHint().height()}; }
    QSize minimumSizeHint() const override {
        return {Needed(QStringLiteral("\u2026")), QLabel::minimumSizeHint().height()};
    }

protected:
    void resizeEvent(QResizeEvent* event) override {
        QLabel::resizeEvent(event);
        Fit();
    }

private:
    int Needed(const QString& text) const {
        return fontMetrics().horizontalAdvance(text) + room_ + 2 * frameWidth();
    }
    void Fit() {
        // The same measure as the width: an exact fit is never cut for rounding.
        const bool fits = !yields_ || Needed(whole_) <= width();
        const QString shown = fits ? whole_
                                   : fontMetrics().elidedText(whole_, Qt::ElideRight,
                                                              width() - room_ - 2 * frameWidth());
        if (shown != text())
            setText(shown);
        setToolTip(shown == whole_ ? QString() : whole_);
    }

    int room_;
    bool yields_;
    QString whole_;
};

QLabel& TMainForm::NextEventPanel() const {
    return *nextLabel_;
}

TMainForm::TMainForm(TProgramSession& session, QWidget* parent)
    : QMainWindow(parent), session_(session), ini_(session.Ini()), settings_(session.Settings()),
      notebook_(session.Notebook()), dataFiles_(session.DataFiles()),
      alarms_(session.AlarmWindows()) {
    setWindowTitle(tr(ApplicationTitle));
    setObjectName(QStringLiteral("MainForm"));
    setMinimumSize(470, 220);
    resize(760, 480);
    normalIcon_ = ProgramIcon(false);
    disabledIcon_ = ProgramIcon(true);
    setWindowIcon(normalIcon_);

    session_.SetDataFileHost(this);
    // The session's rows follow the notebook and a load before any listener here runs.
    connect(&session_, &TProgramSession::dataReplaced, this, [this] {
        loadReportPending_ = true;
        if (started_) // the start-up fills the panels once, after its load
            UpdatePanels();
    });
    connect(&session_, &TProgramSession::eventArisen, this, &TMainForm::Arisen);
    connect(&session_, &TProgramSession::eventsChanged, this, &TMainForm::NotebookChanged);
    // Alarm windows of events without eoStayOnTop are kept above this window.
    alarms_.SetParentWindow(this);
    alarms_.OnFindEvent = [this](TEvent&) { RestoreWindow(); };

    session_.EventModel().Icon = [](const TEvent& event) { return EventRowIcon(event); };
    session_.EventModel().TemplateIcon = [](const TEventTemplate& t) { return TemplateRowIcon(t); };
    // A template row is dragged as the tree drags its node.
    session_.EventModel().TemplateDragData = [this](const TEventTemplate* t) -> QMimeData* {
        const TTemplateNode* node = NodeHolding(t);
        if (!node)
            return nullptr;
        auto* data = new QMimeData;
        SetDragPosition(*data, TemplateDragMimeType, session_.Templates().AbsoluteIndex(*node));
        data->setText(Q(node->Text()));
        return data;
    };
    connect(&session_, &TProgramSession::dataReplaced, this, [this] {
        session_.TemplateModel().Refresh();
        if (started_)
            RefreshAllPages();
    });

    hintLabel_ = StatusPanel(new QLabel(this), "HintPanel");
    nextLabel_ = new TStatusPanel(this, "NextEventPanel", 20, true);
    nextLabel_->setAccessibleName(tr("Next event"));
    nextLabel_->setCursor(Qt::PointingHandCursor);
    nextLabel_->installEventFilter(this);
    countLabel_ = new TStatusPanel(this, "CountPanel", 25, false);
    countLabel_->setAccessibleName(tr("Events"));
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    statusBar()->addWidget(hintLabel_, 1);
    statusBar()->addPermanentWidget(nextLabel_);
    statusBar()->addPermanentWidget(countLabel_);

    eventDialogs_ = std::make_unique<TProgramDialogs>(session_, *this);
    eventCommands_ = std::make_unique<TEventCommands>(session_, *this, *eventDialogs_);
    CreateCommands();
    CreateViewCommands();
    CreateWorkspace();
    CreateMenus();
    CreateToolbars();
    CreateContextMenus();
    templateTree_->SetContextMenu(treeMenu_);
    ConnectEventCommands();
    ConnectFeatures();
    CreateTrayIcon();
    // The button that shows what does not fit is named for screen readers too.
    for (QToolBar* bar : findChildren<QToolBar*>())
        for (QToolButton* more : bar->findChildren<QToolButton*>(
                 QStringLiteral("qt_toolbar_ext_button"), Qt::FindDirectChildrenOnly))
            more->setAccessibleName(tr("More commands"));
    connect(qApp, &QApplication::focusChanged, this, &TMainForm::ScheduleUpdateCommands);
    // Any template tree in the window, including one a test docks into it.
    qApp->installEventFilter(this);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setObjectName(QStringLiteral("EscapeKey"));
    connect(escape, &QShortcut::activated, this, [this] {
        if (settings_.Options().KeyboardEscMinimizes.Value() && !(FindInUse && FindInUse()))
            MinimizeWindow();
    });
    ShowPage(3);
    ApplyViewOptions();
    RefreshViews();
}

TMainForm::~TMainForm() {
    qApp->removeEventFilter(this);
    if (started_) {
        try {
            SaveOnSessionEnd();
        } catch (...) {
            DispatchError(this);
        }
    }
    if (tray_)
        tray_->SetWanted(false);
    hotKeys_.reset();
    // The widgets over the event commands go before them.
    delete templateTree_;
    delete quickBar_;
    eventCommands_.reset();
    // The session outlives the window.
    settings_.OnShowTrayIconChanged({});
    alarms_.OnFindEvent = {};
    alarms_.IsEventEdited = {};
    alarms_.SetParentWindow(nullptr);
    session_.SetDataFileHost(nullptr);
}

// ---------------------------------------------------------------------------------------------
// Start-up

void TMainForm::Startup(const QStringList& arguments) {
    // Nothing arises before the program is complete; the restart below catches up.
    session_.LoadSettings();
    {
        // The rows are laid into the lists once, after the load, the generator's restart and
        // the lists' own sort orders.
        const THeldRows held(session_.EventModel());
        // The restart registers what the load added, in one pass over the events, before
        // any box of the start-up waits for the user.
        notebook_.DeferRegistrationsToNextPass();
        const std::string loadText = session_.LoadData();
        std::string registerText;
        try {
            notebook_.RestartGenerator();
        } catch (const EReminderNotebookError& e) {
            registerText = e.what(); // the other events arise all the same
        }
        ReportRecordErrors();
        for (const std::string& text : {loadText, registerText})
            if (!text.empty())
                Message(TMessageKind::Error, text);
        RefreshAllPages();
        LoadWindowState();
    }
    if (ShownPage() <= 1)
        ActiveList().SelectFirstWhenNone();
    UpdatePanels();
    ScheduleCompleteStartup();

    startInTray_ = !arguments.isEmpty() && arguments.first() == QLatin1String("-tray");

    if (ini_.ReadInteger("", "FirstRun", 1) == 1)
        ini_.WriteInteger("", "FirstRun", 0);

    settings_.OnShowTrayIconChanged([this] { ApplyTrayIcon(); });
    ApplyTrayIcon();

    settings_.BindAlarmSwitches(true);
    const int saved = settings_.AlarmOption();
    if (saved != AlarmSwitches().AlarmMode())
        AlarmSwitches().SetAlarmMode(saved);
    AlarmModeApplied();

    RegisterHotKeys();
    started_ = true;
    UpdateCommands();
}

void TMainForm::ScheduleCompleteStartup() {
    startupPending_ = true;
    // After the window's first paint (see eventFilter), at once when it is not shown, within a
    // second when it is not painted, and in any case before a change is saved.
    QTimer::singleShot(0, this, [this] {
        if (!isVisible() || painted_)
            CompleteStartup();
    });
    QTimer::singleShot(1000, this, [this] { CompleteStartup(); });
}

bool TMainForm::CompleteStartup() {
    if (!startupPending_)
        return false;
    startupPending_ = false;
    if (tray_)
        tray_->Refresh();
    if (const std::string saveText = dataFiles_.StartupSave(); !saveText.empty()) {
        // Every later change would fail the same way; this one message says so.
        saveErrorShown_ = true;
        MessageLater(TMessageKind::Error,
                     saveText + "\n\r\n\r" +
                         tr("Changes cannot be saved until the data files can be written. Use "
                            "\"File|Data Files|Save As...\" to save them elsewhere.")
                             .toStdString());
    }
    return true;
}

void TMainForm::ShowAtStart() {
    if (!startInTray_) {
        show();
        FitToScreen();
        return;
    }
    if (settings_.HideFromTaskbar() && TrayIconShown())
        return; // stays hidden; the tray icon brings it back
    showMinimized();
}

void TMainForm::ShowTipAtStart() {
    if (!settings_.Options().ShowTipsAtStartup.Value())
        return;
    // Once the loop runs, as a command of the window, after whatever the start-up showed.
    QTimer::singleShot(0, this, [this] {
        if (QAction* tip = Command(QStringLiteral("HelpTipOnDayAction")))
            tip->trigger();
    });
}

void TMainForm::SaveSettings() {
    SaveWindowState();
    session_.SaveSettings();
}

void TMainForm::SaveOnSessionEnd() {
    alarms_.CloseAllAlarmWindows();
    SaveSettings();
    startupPending_ = false; // the save below is the start-up's too
    try {
        dataFiles_.Save();
    } catch (const std::exception& e) {
        // Nobody is asked at the session's end; the log keeps what went wrong.
        if (TLogFile* log = ProgramLog())
            log->AddLine(e.what());
    }
}

// ---------------------------------------------------------------------------------------------
// Data location and the data files' questions

bool TMainForm::TryReadNewerVersion(const std::string& question) {
    if (Confirm)
        return Confirm(Q(question));
    // The file is being read and needs the answer now; the alarm windows stay answerable.
    return AskAndWait(BoxParent(), QMessageBox::Question, tr("Confirmation"), Q(question),
                      QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                      QMessageBox::No) == QMessageBox::Yes;
}

void TMainForm::ShowRecordError(const std::string& message) {
    // A file may hold a hundred thousand damaged records: the report keeps the first few.
    ++recordErrorCount_;
    if (recordErrors_.size() < RecordErrorsShown)
        recordErrors_.push_back(message);
}

QString TMainForm::DamagedFileText(const TDataLoadReport::TFile& file) const {
    const QString name = Q(file.FileName);
    QStringList lines;
    if (file.Read.RecordsSkipped > 0)
        lines << tr("%1 damaged record(s) could not be read and were left out of %2.")
                     .arg(file.Read.RecordsSkipped)
                     .arg(name);
    if (file.Read.EndedEarly)
        lines << tr("The file %1 ended early: it was cut short, and what followed is missing.")
                     .arg(name);
    if (!file.KeptCopy.empty())
        lines << tr("The file as it was read is kept as %1.").arg(Q(file.KeptCopy));
    else if (!file.CopyError.empty())
        lines << tr("No copy of the file as it was read could be kept, so it is not saved "
                    "over until one can be made:\n\r%1")
                     .arg(Q(file.CopyError));
    return lines.join(QStringLiteral("\n\r"));
}

void TMainForm::ReportRecordErrors() {
    QStringList parts;
    if (loadReportPending_) {
        const TDataLoadReport& load = dataFiles_.LastLoad();
        for (const TDataLoadReport::TFile* file : {&load.Events, &load.Templates}) {
            if (!file->Read.Damaged())
                continue;
            parts << DamagedFileText(*file);
            if (TLogFile* log = ProgramLog())
                log->AddLine(Format("%s: %s damaged record(s) skipped%s%s",
                                    {file->FileName, std::to_string(file->Read.RecordsSkipped),
                                     file->Read.EndedEarly ? ", the file ended early" : "",
                                     file->KeptCopy.empty() ? "" : ", kept as " + file->KeptCopy}));
        }
    } else if (recordErrorCount_ > 0) {
        // A load that failed after some damaged records: nothing of it was kept.
        parts << tr("%1 damaged record(s) could not be read and were left out.")
                     .arg(recordErrorCount_);
    }
    loadReportPending_ = false;
    if (!parts.isEmpty()) {
        QString text = parts.join(QStringLiteral("\n\r\n\r"));
        if (!recordErrors_.empty())
            text += QStringLiteral("\n\r");
        for (const std::string& error : recordErrors_)
            text += QStringLiteral("\n\r") + Q(error);
        if (recordErrorCount_ > recordErrors_.size())
            text += QStringLiteral("\n\r...");
        Message(TMessageKind::Error, text.toStdString());
    }
    recordErrors_.clear();
    recordErrorCount_ = 0;
}

// ---------------------------------------------------------------------------------------------
// Commands

QAction* TMainForm::AddCommand(const QString& name, const QString& caption,
                               std::function<void()> run, std::function<bool()> enabled,
                               std::function<bool()> checked) {
    return AddCommand(name, caption, {}, {}, std::move(run), std::move(enabled),
                      std::move(checked));
}

QAction* TMainForm::AddCommand(const QString& name, const QString& caption, const QKeySequence& key,
                               const QString& hint, std::function<void()> run,
                               std::function<bool()> enabled, std::function<bool()> checked) {
    auto* action = new QAction(caption, this);
    action->setObjectName(name);
    action->setCheckable(static_cast<bool>(checked));
    if (!key.isEmpty()) {
        action->setShortcut(key);
        // The window's keys work while any of its controls has the focus.
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
    }
    const QString plain = QString(caption).remove(QLatin1Char('&'));
    action->setStatusTip(hint.isEmpty() ? plain : hint);
    action->setToolTip(plain);
    if (const QIcon icon = CommandIcon(name); !icon.isNull())
        action->setIcon(icon);
    connect(action, &QAction::triggered, this, [this, name] {
        TCommand* command = FindCommand(name);
        if (!command || !command->Run)
            return;
        // A copy: the command may replace its own handler.
        const std::function<void()> run = command->Run;
        Run(run);
        UpdateCommands();
    });
    commands_.push_back({action, std::move(run), std::move(enabled), std::move(checked)});
    return action;
}

TMainForm::TCommand* TMainForm::FindCommand(const QString& name) {
    for (TCommand& c : commands_)
        if (c.Action->objectName() == name)
            return &c;
    return nullptr;
}

void TMainForm::SetCommandHandler(const QString& name, std::function<void()> run,
                                  std::function<bool()> enabled) {
    if (TCommand* command = FindCommand(name)) {
        command->Run = std::move(run);
        command->Enabled = std::move(enabled);
        UpdateCommands();
    }
}

void TMainForm::ScheduleUpdateCommands() {
    if (commandUpdateQueued_)
        return;
    commandUpdateQueued_ = true;
    QTimer::singleShot(0, this, [this] {
        commandUpdateQueued_ = false;
        UpdateCommands();
    });
}

void TMainForm::Run(const std::function<void()>& command) {
    if (WaitingForBox()) {
        // A command is waiting for its answer; another one would run inside it.
        QApplication::beep();
        return;
    }
    try {
        command();
    } catch (const EReminderNotebookError& e) {
        Message(TMessageKind::Error, e.what());
    }
}

QAction* TMainForm::Command(const QString& name) const {
    for (const TCommand& c : commands_)
        if (c.Action->objectName() == name)
            return c.Action;
    return nullptr;
}

void TMainForm::UpdateCommands() {
    for (const TCommand& c : commands_) {
        if (!c.Run)
            c.Action->setEnabled(false);
        else if (c.Enabled)
            c.Action->setEnabled(c.Enabled());
        else
            c.Action->setEnabled(true);
        if (c.Checked)
            c.Action->setChecked(c.Checked());
    }
}

void TMainForm::CreateCommands() {
    AddCommand("FileLoadAction", tr("Load"), [this] { FileLoad(); });
    AddCommand("FileSaveAction", tr("Save"), [this] { dataFiles_.Save(); });
    AddCommand("FileSaveEventAction", tr("Save Events"), [this] { dataFiles_.SaveEvents(); });
    AddCommand("FileSaveTemplateAction", tr("Save Templates"),
               [this] { dataFiles_.SaveTemplates(); });
    AddCommand("FileDataNewAction", tr("&New..."), [this] { FileDataNew(); });
    AddCommand("FileDataOpenAction", tr("&Open..."), [this] { FileDataOpen(); });
    AddCommand("FileDataSaveAsAction", tr("Save &As..."), [this] { FileDataSaveAs(); });
    AddCommand("FileDataInfoAction", tr("Current Location..."),
               [this] { Message(TMessageKind::Information, dataFiles_.LocationInfo()); });
    AddCommand("FileMinimize", tr("&Minimize"), [this] { MinimizeWindow(); });
    AddCommand("FileSaveAndMinimize", tr("Save && Minimize"), [this] {
        dataFiles_.Save();
        MinimizeWindow();
    });
    AddCommand("FileRestore", tr("Show &Main window"), [this] { RestoreWindow(); });
    AddCommand("FileExit", tr("E&xit"), [this] { FileExit(); });

    const auto mode = [](int m) { return [m] { return AlarmSwitches().AlarmMode() == m; }; };
    AddCommand(
        "ServiceAllEnabledAction", tr("&Enable All"), [this] { ChooseAlarmMode(0); }, {}, mode(0));
    AddCommand(
        "ServiceDisableSoundAction", tr("Disable &Sound Actions"), [this] { ChooseAlarmMode(1); },
        {}, mode(1));
    AddCommand(
        "ServiceDisableActionsExceptWindowAction", tr("Disable All Actions &except Alarm Window"),
        [this] { ChooseAlarmMode(2); }, {}, mode(2));
    AddCommand(
        "ServiceDisableAllAction", tr("Disable &All Actions"), [this] { ChooseAlarmMode(3); }, {},
        mode(3));
}

void TMainForm::CreateViewCommands() {
    const auto page = [this](int p) {
        return std::pair<std::function<void()>, std::function<bool()>>(
            [this, p] { ShowPage(p); }, [this, p] { return ShownPage() == p; });
    };
    const auto addPage = [&](const char* name, const QString& caption, const char* key,
                             const QString& hint, int p) {
        auto [run, checked] = page(p);
        QAction* a = AddCommand(name, caption, QKeySequence(QString::fromLatin1(key)), hint, run,
                                {}, checked);
        return a;
    };
    addPage("ViewExplore", tr("&Templates"), "Alt+1", tr("Show the templates and their events"), 0);
    addPage("ViewCalendar", tr("&Calendar"), "Alt+2", tr("Show the calendar"), 1);
    addPage("ViewFilter", tr("Event Fi&lter"), "Alt+3", tr("Show the events of a period"), 2);
    addPage("ViewAllEvents", tr("&All Events"), "Alt+4", tr("Show all events"), 3);
    auto* pagesGroup = new QActionGroup(this);
    for (const char* name : {"ViewExplore", "ViewCalendar", "ViewFilter", "ViewAllEvents"})
        pagesGroup->addAction(Command(name));

    auto& options = settings_.Options();
    AddCommand(
        "ViewMainPanelAction", tr("Main Panel"), {}, tr("Show or hide the main panel"),
        [this, &options] {
            options.ViewMainPanel.SetValue(!options.ViewMainPanel.Value());
            ShowPanels();
        },
        {}, [&options] { return options.ViewMainPanel.Value(); });
    AddCommand(
        "ViewPanelsStandart", tr("Standard &Toolbar"), {}, tr("Show or hide the standard toolbar"),
        [this, &options] {
            options.ViewToolbarStandart.SetValue(!options.ViewToolbarStandart.Value());
            ShowPanels();
        },
        {}, [this] { return standardBar_ && standardBar_->isVisibleTo(this); });
    AddCommand(
        "ViewPanelsQuick", tr("&Favorite Templates bar"), {},
        tr("Show or hide the favorite templates bar"),
        [this, &options] {
            options.ViewToolbarQuick.SetValue(!options.ViewToolbarQuick.Value());
            ShowPanels();
        },
        {}, [this] { return quickBar_ && quickBar_->isVisibleTo(this); });
    AddCommand("ViewExploreSplitterHorAction", tr("&Vertical"), {},
               tr("Change the split of the Templates page"), [this] { FlipSplitter(0); });
    AddCommand("ViewCalendarSplitterHorAction", tr("&Vertical"), {},
               tr("Change the split of the Calendar page"), [this] { FlipSplitter(1); });
    const std::pair<const char*, QString> styles[] = {{"ViewStyleLarge", tr("L&arge icons")},
                                                      {"ViewStyleSmall", tr("&Small icons")},
                                                      {"ViewStyleList", tr("&List")},
                                                      {"ViewStyleReport", tr("&Details")}};
    auto* stylesGroup = new QActionGroup(this);
    for (int style = 0; style < 4; ++style)
        stylesGroup->addAction(AddCommand(
            styles[style].first, styles[style].second, {}, tr("Change the look of the list"),
            [this, style] { SetViewStyle(style); }, {},
            [this, style] { return ActiveList().Style() == style; }));
    AddCommand(
        "ViewListColumnSetup", tr("Setup columns..."), {},
        tr("Choose the columns of the list and their order"), [this] { SetupColumns(); },
        [this] { return ActiveList().Style() == TEventListView::Details; });
    AddCommand(
        "ViewCalendarStyleIcon", tr("&Icon"), {}, tr("Show the events in the calendar as icons"),
        [this] { calendarStyle_ = 0; }, {}, [this] { return calendarStyle_ == 0; });
    AddCommand(
        "ViewCalendarStyleList", tr("&List"), {}, tr("Show the events in the calendar as lines"),
        [this] { calendarStyle_ = 1; }, {}, [this] { return calendarStyle_ == 1; });
    AddCommand("CalendarCurrentDate", tr("Go to Toda&y"), QKeySequence(tr("Ctrl+Y")),
               tr("Show today in the calendar"), [this] {
                   calendar_->SetDate(DateOf(Now()));
                   ShowPage(1);
               });
    AddCommand("CalendarGotoDateAction", tr("&Go to Date..."), QKeySequence(tr("Ctrl+G")),
               tr("Show a date in the calendar"), [this] { GotoDate(); });
    AddCommand("ServiceOptions", tr("Options..."), QKeySequence(tr("Alt+O")),
               tr("Change the program's options"), {});

    // The event and template commands; their handlers come with the commands themselves.
    const auto eventSelected = [this] { return !SelectedEvents().empty(); };
    const struct {
        const char* Name;
        QString Caption;
        const char* Key;
        QString Hint;
    } entity[] = {
        {"EntityInsert", tr("&New..."), "Insert", tr("Add a new event")},
        {"EntityRename", tr("&Rename..."), "F2", tr("Rename the selected event or template")},
        {"EntityDelete", tr("&Delete..."), "", tr("Delete the selected event or template")},
        {"EntityProperty", tr("&Properties..."), "Alt+Return",
         tr("Change the selected event or template")},
        {"EditCutAction", tr("Cu&t"), "Shift+Del", tr("Move the selected event to the clipboard")},
        {"EditCopyAction", tr("&Copy"), "Ctrl+Ins", tr("Copy the selected event")},
        {"EditPasteAction", tr("&Paste"), "Shift+Ins", tr("Paste the copied event")},
        {"EditDuplicateAlarm", tr("&Add copy of selected Event..."), "Ctrl+D",
         tr("Add a copy of the selected event")},
        {"EventReset", tr("Re&set Event"), "", tr("Enable the snoozed or executed event again")},
        {"EventExecute", tr("&Execute event"), "F9", tr("Run the selected event's actions now")},
        {"EditFindEvent", tr("&Find Event"), "Ctrl+F", tr("Find an event by its name")},
        {"EditFindNextEvent", tr("Find &Next"), "F3", tr("Find the next matching event")},
        {"EventDeleteAllAction", tr("Delete all events"), "", tr("Delete every event of the list")},
        {"EventSelectOnExplorePage", tr("&Select this Event on the Templates view"), "",
         tr("Show the selected event with its template")},
        {"EventSelectOnCalendarPage", tr("Select this Event on &Calendar view"), "",
         tr("Show the selected event in the calendar")},
        {"EventNewQuick", tr("Add &Quick Event..."), "", tr("Add an event that arises soon")},
        {"EventNewQuick5Min", tr("&5 minutes..."), "", tr("Add an event in 5 minutes")},
        {"EventNewQuick10Min", tr("1&0 minutes..."), "", tr("Add an event in 10 minutes")},
        {"EventNewQuick15Min", tr("&15 minutes..."), "", tr("Add an event in 15 minutes")},
        {"EventNewQuick30Min", tr("&30 minutes..."), "", tr("Add an event in 30 minutes")},
        {"EventNewQuick1HourAction", tr("1 &hour..."), "", tr("Add an event in one hour")},
        {"EventNewQuickTomorrow6Action", tr("&Tomorrow morning..."), "",
         tr("Add an event for tomorrow morning")},
        {"EventByCurrentTemplate", tr("Add Event by the selected &Template..."), "",
         tr("Add an event by the selected template")},
        {"TemplateNew", tr("Add Tem&plate"), "", tr("Add a new template")},
        {"TemplateOpen", tr("Explore"), "", tr("Show the template's events")},
        {"TemplateUp", tr("Back"), "", tr("Show the template above")},
        {"TemplateAddToQuickToolbar", tr("Add To &Favorite Templates"), "",
         tr("Put the selected template on the favorite templates bar")},
        {"EditTemplateMoveUp", tr("&Up"), "Alt+Up", tr("Move the template up")},
        {"EditTemplateMoveDown", tr("&Down"), "Alt+Down", tr("Move the template down")},
        {"EditTemplateMoveLeft", tr("&Left"), "Alt+Left", tr("Move the template one level up")},
        {"EditTemplateMoveRight", tr("&Rigth"), "Alt+Right",
         tr("Move the template under the one above it")},
        {"QuickToolbarRemoveButton", tr("&Remove Template from Favorites"), "",
         tr("Remove the template from the favorite templates bar")},
        {"CalendarQuickEvent", tr("Add &Quick Event in the selected day"), "",
         tr("Add a quick event on the selected day")},
        {"CalendarAddEventByDate", tr("Add Event in the selected &day"), "",
         tr("Add an event on the selected day")},
        {"CalendarSelectNextEvent", tr("Select &Next date of this Event"), "",
         tr("Show the event's next date")},
        {"CalendarSelectFirstEvent", tr("Select &First date of this Event"), "",
         tr("Show the event's first date")},
        {"CalendarProperty", tr("Properties"), "", tr("Change the selected event")},
        {"FilePreviewAction", tr("Preview..."), "", tr("Preview the calendar or the list")},
        {"FilePreviewCalendarAction", tr("&Calendar Preview..."), "",
         tr("Preview the calendar for printing")},
        {"FilePreviewListAction", tr("&Event List Preview..."), "",
         tr("Preview the event list for printing")},
        {"FileImportHolidaysAction", tr("Holidays..."), "", tr("Import holidays")},
        {"FileImportEventsAction", tr("Events..."), "", tr("Import events")},
        {"FileExportEventsAction", tr("Export event list..."), "", tr("Export the events")},
        {"FileBackupAction", tr("Backup.."), "", tr("Back up the data files")},
        {"FileRestoreAction", tr("Restore.."), "", tr("Restore the data files from a backup")},
        {"HelpContents", tr("&Help Topics"), "", tr("Show the help")},
        {"HelpTutorial", tr("Quick &Tutorial"), "", tr("Show the tutorial")},
        {"HelpTipOnDayAction", tr("Tip of the Day..."), "", tr("Show a tip")},
        {"HelpAbout", tr("&About..."), "", tr("Show the program's version")},
    };
    for (const auto& c : entity)
        AddCommand(c.Name, c.Caption, QKeySequence(QString::fromLatin1(c.Key)), c.Hint, {});
    (void)eventSelected;
    // Delete, Enter and Backspace belong to the lists and the tree, which pass them on.
    Command("EntityDelete")->setShortcut(QKeySequence(Qt::Key_Delete));
    Command("EntityDelete")->setShortcutContext(Qt::WidgetShortcut);
    Command("FileMinimize")->setShortcut(QKeySequence(tr("Shift+Esc")));
    Command("FileMinimize")->setShortcutContext(Qt::WindowShortcut);
    addAction(Command("FileMinimize"));

    AddCommand("actHelpWhatsNew", tr("What's new..."), {}, tr("What is new in this version"), [] {
        QDesktopServices::openUrl(QUrl::fromLocalFile(QCoreApplication::applicationDirPath() +
                                                      QStringLiteral("/whatsnew.txt")));
    });
    const struct {
        const char* Name;
        QString Caption;
        const char* Address;
    } web[] = {
        {"HelpWebMainAction", tr("Other products from Brennikor"), "https://www.brennikor.com/"},
        {"HelpWebReminderAction", tr("Tavrelon MP3 page"), "https://www.brennikor.com/tavrelon/"},
        {"HelpWebFAQAction", tr("FAQ - Frequently Asked Questions"),
         "https://www.brennikor.com/tavrelon/faq/"},
        {"HelpWebSupportAction", tr("Support - Contact us to get support or give suggestions"),
         "https://www.brennikor.com/support/"},
        {"HelpWebWishlistAction", tr("Wish list - request new feature of Tavrelon MP3"),
         "https://www.brennikor.com/tavrelon/wishlist/"},
        {"HelpWebNewsletterAction",
         tr("Newsletter - join our mailing list get announcements of new product"),
         "https://www.brennikor.com/newsletter/"},
    };
    for (const auto& w : web) {
        const QString name = QString::fromLatin1(w.Name);
        // The hint holds the address the command opens.
        AddCommand(name, w.Caption, {}, QString::fromLatin1(w.Address),
                   [this, name] { OpenWebPage(Command(name)); });
    }

    const auto filter = [this](const char* name, const QString& caption, const QString& hint,
                               TEventFilterPanel::TPeriod period) {
        AddCommand(
            name, caption, {}, hint, [this, period] { filterPanel_->ApplyPeriod(period); }, {},
            [this, period] { return filterPanel_ && filterPanel_->ShownPeriod() == period; });
    };
    filter("FilterByCurrentDay", tr("Current &day"), tr("Events of today"),
           TEventFilterPanel::CurrentDay);
    filter("FilterByCurrentWeek", tr("Current &week"), tr("Events of this week"),
           TEventFilterPanel::CurrentWeek);
    filter("FilterByCurrentMonth", tr("Current &month"), tr("Events of this month"),
           TEventFilterPanel::CurrentMonth);
    filter("FilterAllPeriodAction", tr("&All events"), tr("Don't filter events by time period"),
           TEventFilterPanel::AllPeriod);
    AddCommand("FilterByPeriod", tr("&Refresh"), {}, tr("Filter the events again"),
               [this] { RunFilter(); });

    const std::pair<const char*, QString> captions[] = {
        {"QuickToolbarHideCaption", tr("&Hide")},
        {"QuickToolbarRightCaption", tr("Show &Right")},
        {"QuickToolbarBottomCaption", tr("Show &Bottom")}};
    auto* captionGroup = new QActionGroup(this);
    for (int mode = 0; mode < 3; ++mode)
        captionGroup->addAction(AddCommand(
            captions[mode].first, captions[mode].second, {},
            tr("Where the favorite templates bar shows the templates' names"),
            [&options, mode] { options.ViewQuickBarCaption.SetValue(mode); },
            [this] { return quickBar_ && quickBar_->isVisibleTo(this); },
            [&options, mode] { return options.ViewQuickBarCaption.Value() == mode; }));
}

void TMainForm::OpenWebPage(const QAction* command) {
    if (command)
        QDesktopServices::openUrl(QUrl(command->statusTip()));
}

QMenu* TMainForm::AddMenu(QMenu* parent, const QString& caption,
                          const std::vector<const char*>& items) {
    QMenu* menu = parent ? parent->addMenu(caption) : menuBar()->addMenu(caption);
    for (const char* item : items) {
        if (!item) {
            menu->addSeparator();
        } else if (QAction* action = Command(QString::fromLatin1(item))) {
            menu->addAction(action);
        }
    }
    // Enabling rules are evaluated when the user is about to see the commands.
    connect(menu, &QMenu::aboutToShow, this, &TMainForm::UpdateCommands);
    return menu;
}

void TMainForm::CreateMenus() {
    QMenu* file = AddMenu(nullptr, tr("&File"), {});
    AddMenu(file, tr("&Data Files"),
            {"FileDataNewAction", "FileDataOpenAction", "FileDataSaveAsAction", nullptr,
             "FileDataInfoAction"});
    file->addSeparator();
    AddMenu(file, tr("Import"), {"FileImportHolidaysAction", "FileImportEventsAction"});
    for (const char* name :
         {"FileExportEventsAction", "", "FileBackupAction", "FileRestoreAction", "",
          "FileLoadAction", "FileSaveAction", "FileSaveEventAction", "FileSaveTemplateAction", "",
          "FilePreviewListAction", "FilePreviewCalendarAction", "", "FileMinimize",
          "FileSaveAndMinimize", "FileExit"}) {
        if (!*name)
            file->addSeparator();
        else
            file->addAction(Command(QString::fromLatin1(name)));
    }

    AddMenu(nullptr, tr("&Edit"),
            {"EditCutAction", "EditCopyAction", "EditPasteAction", nullptr, "EntityRename",
             "EntityDelete", "EntityProperty", nullptr, "EventReset", "EventExecute", nullptr,
             "EditFindEvent", "EditFindNextEvent"});
    AddMenu(nullptr, tr("&View"),
            {"CalendarCurrentDate", "CalendarGotoDateAction", nullptr, "ViewMainPanelAction",
             "ViewPanelsStandart", "ViewPanelsQuick", nullptr, "ViewExplore", "ViewCalendar",
             "ViewFilter", "ViewAllEvents", nullptr, "ServiceOptions"});
    QMenu* insert = AddMenu(nullptr, tr("&Insert"), {"EventNewQuick"});
    AddMenu(insert, tr("Add Quick Event In"),
            {"EventNewQuick5Min", "EventNewQuick10Min", "EventNewQuick15Min", "EventNewQuick30Min",
             "EventNewQuick1HourAction", nullptr, "EventNewQuickTomorrow6Action"});
    favouritesMenu_ = insert->addMenu(tr("Add Event by Favorite Template"));
    favouritesMenu_->setObjectName(QStringLiteral("FavouriteTemplatesMenu"));
    for (const char* name :
         {"EventByCurrentTemplate", "", "EditDuplicateAlarm", "", "TemplateNew"}) {
        if (!*name)
            insert->addSeparator();
        else
            insert->addAction(Command(QString::fromLatin1(name)));
    }
    QMenu* service =
        AddMenu(nullptr, tr("&Service"),
                {"ServiceAllEnabledAction", "ServiceDisableSoundAction",
                 "ServiceDisableActionsExceptWindowAction", "ServiceDisableAllAction"});
    service->setObjectName(QStringLiteral("ServiceMenu"));
    QMenu* help =
        AddMenu(nullptr, tr("&Help"),
                {"HelpContents", "HelpTutorial", "actHelpWhatsNew", "HelpTipOnDayAction", nullptr});
    AddMenu(help, tr("On the Web"),
            {"HelpWebMainAction", nullptr, "HelpWebReminderAction", "HelpWebWishlistAction",
             "HelpWebNewsletterAction", nullptr, "HelpWebFAQAction", "HelpWebSupportAction"});
    help->addSeparator();
    help->addAction(Command("HelpAbout"));
}

void TMainForm::CreateToolbars() {
    standardBar_ = new QToolBar(tr("Standard Toolbar"), this);
    standardBar_->setObjectName(QStringLiteral("StandartToolBar"));
    standardBar_->setAccessibleName(tr("Standard Toolbar"));
    standardBar_->setMovable(false);
    standardBar_->setIconSize(QSize(16, 16));
    for (const char* name : {"FileMinimize",
                             "",
                             "FilePreviewAction",
                             "",
                             "EditCutAction",
                             "EditCopyAction",
                             "EditPasteAction",
                             "",
                             "EventNewQuick",
                             "EventByCurrentTemplate",
                             "EditDuplicateAlarm",
                             "",
                             "TemplateNew",
                             "",
                             "EntityDelete",
                             "EntityProperty",
                             "",
                             "CalendarCurrentDate",
                             "",
                             "ServiceOptions",
                             "",
                             "HelpContents",
                             "HelpAbout"}) {
        if (!*name)
            standardBar_->addSeparator();
        else
            standardBar_->addAction(Command(QString::fromLatin1(name)));
    }
    for (QAction* action : standardBar_->actions())
        if (QWidget* button = standardBar_->widgetForAction(action))
            button->setAccessibleName(action->toolTip());
    addToolBar(Qt::TopToolBarArea, standardBar_);
    addToolBarBreak(Qt::TopToolBarArea);

    quickBar_ = new TFavouritesBar(*eventCommands_, this);
    quickBar_->setObjectName(QStringLiteral("QuickToolBar"));
    quickBar_->setAccessibleName(tr("Favorite Templates"));
    quickBar_->setMovable(false);
    quickBar_->SetViewActions({Command("ViewPanelsStandart"), Command("ViewPanelsQuick")});
    quickBar_->AttachMenu(favouritesMenu_);
    addToolBar(Qt::TopToolBarArea, quickBar_);

    for (QToolBar* bar : {static_cast<QToolBar*>(standardBar_)}) {
        bar->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(bar, &QToolBar::customContextMenuRequested, this, [this, bar](const QPoint& at) {
            QMenu menu(this);
            menu.addAction(Command("ViewPanelsStandart"));
            menu.addAction(Command("ViewPanelsQuick"));
            menu.addSeparator();
            QMenu* captions = menu.addMenu(bar == standardBar_ ? tr("Favorite Template's caption")
                                                               : tr("Favorite Templates names"));
            for (const char* name : {"QuickToolbarRightCaption", "QuickToolbarBottomCaption",
                                     "QuickToolbarHideCaption"})
                if (QAction* a = Command(QString::fromLatin1(name)))
                    captions->addAction(a);
            UpdateCommands();
            menu.exec(bar->mapToGlobal(at));
        });
    }
}

void TMainForm::CreateContextMenus() {
    treeMenu_ = new QMenu(this);
    treeMenu_->setObjectName(QStringLiteral("TemplateTreeMenu"));
    for (const char* name :
         {"EventByCurrentTemplate", "", "EntityInsert", "EntityRename", "EntityDelete"})
        if (!*name)
            treeMenu_->addSeparator();
        else
            treeMenu_->addAction(Command(QString::fromLatin1(name)));
    QMenu* move = treeMenu_->addMenu(tr("&Move"));
    for (const char* name : {"EditTemplateMoveUp", "EditTemplateMoveDown", "EditTemplateMoveLeft",
                             "EditTemplateMoveRight"})
        move->addAction(Command(QString::fromLatin1(name)));
    treeMenu_->addSeparator();
    treeMenu_->addAction(Command("TemplateAddToQuickToolbar"));
    treeMenu_->addSeparator();
    treeMenu_->addAction(Command("EntityProperty"));
    connect(treeMenu_, &QMenu::aboutToShow, this, [this, move] {
        UpdateCommands();
        bool any = false;
        for (QAction* a : move->actions())
            any = any || a->isEnabled();
        move->menuAction()->setEnabled(any);
    });

    for (int p = 0; p < PageCount; ++p) {
        QMenu* menu = new QMenu(this);
        menu->setObjectName(lists_[p]->objectName() + QStringLiteral("Menu"));
        QMenu* view = menu->addMenu(tr("&View"));
        for (const char* name :
             {"ViewStyleLarge", "ViewStyleSmall", "ViewStyleList", "ViewStyleReport"})
            view->addAction(Command(QString::fromLatin1(name)));
        menu->addAction(Command("ViewListColumnSetup"));
        menu->addSeparator();
        if (p != 0)
            menu->addAction(Command("EventByCurrentTemplate"));
        for (const char* name :
             {"EntityInsert", "EntityRename", "EntityDelete", "EventDeleteAllAction", "",
              "EditCutAction", "EditCopyAction", "EditPasteAction", ""}) {
            if (!*name)
                menu->addSeparator();
            else
                menu->addAction(Command(QString::fromLatin1(name)));
        }
        if (p != 1)
            menu->addAction(Command("EventSelectOnCalendarPage"));
        if (p != 0)
            menu->addAction(Command("EventSelectOnExplorePage"));
        menu->addSeparator();
        menu->addAction(Command("EntityProperty"));
        connect(menu, &QMenu::aboutToShow, this, [this] {
            UpdateCommands();
            // Only the details view has columns to set up.
            Command("ViewListColumnSetup")
                ->setVisible(ActiveList().Style() == TEventListView::Details);
        });
        listMenus_[p] = menu;
        lists_[p]->SetContextMenu(menu);
    }

    splitterMenu_ = new QMenu(this);
    splitterMenu_->setObjectName(QStringLiteral("SplitterMenu"));
    for (int percent = 20; percent <= 80; percent += 10) {
        QAction* preset =
            splitterMenu_->addAction(QStringLiteral("&%1/%2").arg(percent).arg(100 - percent));
        preset->setObjectName(QStringLiteral("SplitterPreset%1").arg(percent));
        connect(preset, &QAction::triggered, this,
                [this, percent] { SetSplitterPercent(percent); });
    }
    splitterMenu_->insertActions(
        splitterMenu_->actions().value(0),
        {Command("ViewExploreSplitterHorAction"), Command("ViewCalendarSplitterHorAction")});
    connect(splitterMenu_, &QMenu::aboutToShow, this, [this] {
        // The orientation command of the page the menu was opened on.
        Command("ViewExploreSplitterHorAction")->setVisible(ShownPage() != 1);
        Command("ViewCalendarSplitterHorAction")->setVisible(ShownPage() == 1);
    });
    for (QSplitter* splitter : {exploreSplitter_, calendarSplitter_}) {
        QSplitterHandle* handle = splitter->handle(1);
        handle->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(
            handle, &QWidget::customContextMenuRequested, this,
            [this, handle](const QPoint& at) { splitterMenu_->popup(handle->mapToGlobal(at)); });
    }
}

// ---------------------------------------------------------------------------------------------
// The workspace: main panel, pages, splits

namespace {

// The store's component path of the window and of its parts.
const std::string FormPath = "QuorvaneMainForm";
const char* const ListNames[TMainForm::PageCount] = {"ExploreEvents", "CalendarEvents",
                                                     "FilterEvents", "AllEvents"};

} // namespace

QWidget* TMainForm::CreatePage(int page, const QString& caption, QWidget* content) {
    static const char* const Names[] = {"ExploreSheet", "CalendarSheet", "FilterSheet", "AllSheet"};
    auto* sheet = new QWidget(pages_);
    sheet->setObjectName(QString::fromLatin1(Names[page]));
    sheet->setAccessibleName(caption.trimmed());
    auto* header = new TPageHeader(caption, sheet);
    header->setObjectName(sheet->objectName() + QStringLiteral("Header"));
    if (page == 1)
        calendarHeader_ = header;
    auto* layout = new QVBoxLayout(sheet);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(header);
    layout->addWidget(content, 1);
    pages_->addWidget(sheet);
    return sheet;
}

void TMainForm::CreateWorkspace() {
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("Workspace"));
    auto* row = new QHBoxLayout(central);
    row->setContentsMargins(0, 2, 0, 0);
    row->setSpacing(2);

    mainPanel_ = new QWidget(central);
    mainPanel_->setObjectName(QStringLiteral("MainPanel"));
    mainPanel_->setAccessibleName(tr("Main panel"));
    mainPanel_->setFixedWidth(101);
    auto* panelLayout = new QVBoxLayout(mainPanel_);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->setSpacing(0);
    auto* panelHeader = new QWidget(mainPanel_);
    auto* panelHeaderRow = new QHBoxLayout(panelHeader);
    panelHeaderRow->setContentsMargins(2, 0, 0, 0);
    auto* panelCaption = new QLabel(tr("Main panel"), panelHeader);
    panelHeaderRow->addWidget(panelCaption, 1);
    auto* hide = new QToolButton(panelHeader);
    hide->setObjectName(QStringLiteral("MainPanelHideButton"));
    hide->setAutoRaise(true);
    hide->setDefaultAction(Command("ViewMainPanelAction"));
    hide->setToolButtonStyle(Qt::ToolButtonIconOnly);
    hide->setIconSize(QSize(10, 10));
    hide->setAccessibleName(tr("Hide the main panel"));
    panelHeaderRow->addWidget(hide);
    panelLayout->addWidget(panelHeader);
    // Wider than 101 pixels only when a translated caption needs it.
    mainPanel_->setFixedWidth(std::max(101, panelHeader->sizeHint().width()));
    pageList_ = new TPageList(mainPanel_);
    pageList_->AddPage(tr("Templates"), PagePicture(0));
    pageList_->AddPage(tr("Calendar"), PagePicture(1));
    pageList_->AddPage(tr("Event Filter"), PagePicture(2));
    pageList_->AddPage(tr("All Events"), PagePicture(3));
    panelLayout->addWidget(pageList_, 1);
    connect(pageList_, &QListWidget::currentRowChanged, this, [this](int p) {
        if (p >= 0 && p != ShownPage())
            ShowPage(p);
    });
    row->addWidget(mainPanel_);

    pages_ = new QStackedWidget(central);
    pages_->setObjectName(QStringLiteral("WorkspacePages"));
    row->addWidget(pages_, 1);
    setCentralWidget(central);

    TEventListModel& model = session_.EventModel();
    for (int p = 0; p < PageCount; ++p) {
        lists_[p] = new TEventListView(model, QString::fromLatin1(ListNames[p]), pages_);
        TEventListView* list = lists_[p];
        connect(list, &TEventListView::selectionChanged, this, &TMainForm::ScheduleUpdateCommands);
        connect(list, &TEventListView::eventActivated, this, [this] {
            if (QAction* properties = Command("EntityProperty"); properties->isEnabled())
                properties->trigger();
        });
        connect(list, &TEventListView::templateActivated, this, [this] {
            UpdateCommands();
            if (QAction* open = Command("TemplateOpen"); open->isEnabled())
                open->trigger();
        });
        connect(list, &TEventListView::deletePressed, this, [this] {
            UpdateCommands();
            if (QAction* remove = Command("EntityDelete"); remove->isEnabled())
                remove->trigger();
        });
        connect(list, &TEventListView::backPressed, this, [this] {
            UpdateCommands();
            if (QAction* back = Command("TemplateUp"); back && back->isEnabled())
                back->trigger();
        });
        // The status bar counts the rows of the list shown.
        connect(&list->Rows(), &QAbstractItemModel::modelReset, this, [this, p] {
            if (p == ShownPage())
                UpdateStatusBar();
        });
    }

    lists_[0]->Rows().SetShowTemplates(true);

    // Templates: the tree above (or beside) the template's events.
    templateTree_ = new TTemplateTreeView(*eventCommands_, pages_);
    templateTree_->setObjectName(QStringLiteral("TemplatesView"));
    templateTree_->setAccessibleName(tr("Templates"));
    connect(templateTree_, &TTemplateTreeView::selectedNodeChanged, this,
            &TMainForm::TemplateNodeChanged);
    exploreSplitter_ = new QSplitter(pages_);
    exploreSplitter_->setObjectName(QStringLiteral("ExploreSplitter"));
    exploreSplitter_->addWidget(templateTree_);
    exploreSplitter_->addWidget(lists_[0]);
    CreatePage(0, tr(" Templates"), exploreSplitter_);

    // Calendar: a date picker until the month grid comes, and the day's events.
    calendar_ = new TDrawCalendar(session_, pages_);
    calendar_->setObjectName(QStringLiteral("Calendar"));
    calendar_->setMinimumHeight(120);
    calendar_->SetDate(DateOf(Now()));
    connect(calendar_, &TDrawCalendar::selectedDateChanged, this, &TMainForm::CalendarDayChanged);
    calendar_->EditEvent = [this](TEvent& e, const QString& caption, TDateTime day) {
        return eventDialogs_->ShowEventDialog(e, caption, day, 0);
    };
    calendar_->RenameEvent = [this](TEvent& e) {
        SelectEvent(e);
        eventCommands_->Rename();
    };
    calendar_->DeleteEvent = [this](TEvent& e) {
        SelectEvent(e);
        eventCommands_->Delete();
    };
    calendar_->SelectOnTemplates = [this](TEvent& e) {
        ShowPage(0);
        SelectEvent(e);
    };
    calendar_->ShowInformation = [this](const QString& text) {
        Message(TMessageKind::Information, text.toStdString());
    };
    connect(calendar_, &TDrawCalendar::eventActivated, this, [this](TEvent& e) {
        SelectEvent(e);
        eventCommands_->Properties();
    });
    connect(&session_, &TProgramSession::optionChanged, calendar_,
            [this] { calendar_->ApplyOptions(); });
    connect(&session_, &TProgramSession::optionChanged, this, [this](const QString& name) {
        ApplyViewOptions();
        if (name.startsWith(QLatin1String("Behaviour")))
            RefreshActivePage();
    });
    connect(&session_, &TProgramSession::settingsLoaded, this, &TMainForm::ApplyViewOptions);
    calendarSplitter_ = new QSplitter(pages_);
    calendarSplitter_->setObjectName(QStringLiteral("CalendarSplitter"));
    calendarSplitter_->addWidget(calendar_);
    calendarSplitter_->addWidget(lists_[1]);
    CreatePage(1, tr(" Calendar"), calendarSplitter_);
    QToolButton* dateButton = calendarHeader_->Button();
    dateButton->setObjectName(QStringLiteral("CalendarDateButton"));
    dateButton->setAccessibleName(tr("Selected date"));
    connect(dateButton, &QToolButton::clicked, this,
            [this] { Command("CalendarGotoDateAction")->trigger(); });

    // Event Filter: the filter's controls above its result.
    auto* filterPage = new QWidget(pages_);
    auto* filterLayout = new QVBoxLayout(filterPage);
    filterLayout->setContentsMargins(0, 0, 0, 0);
    filterLayout->setSpacing(0);
    filterPanel_ =
        new TEventFilterPanel({Command("FilterByCurrentDay"), Command("FilterByCurrentWeek"),
                               Command("FilterByCurrentMonth"), Command("FilterAllPeriodAction"),
                               Command("FilterByPeriod")},
                              filterPage);
    filterLayout->addWidget(filterPanel_);
    filterLayout->addWidget(lists_[2], 1);
    connect(filterPanel_, &TEventFilterPanel::filterChanged, this, [this] {
        RunFilter();
        UpdateCommands();
    });
    CreatePage(2, tr(" Event Filter"), filterPage);

    CreatePage(3, tr(" All Events"), lists_[3]);

    for (QSplitter* splitter : {exploreSplitter_, calendarSplitter_}) {
        splitter->setChildrenCollapsible(false);
        connect(splitter, &QSplitter::splitterMoved, this,
                [this, splitter] { SplitterMoved(splitter == calendarSplitter_ ? 1 : 0); });
    }
    ApplySplitters();
    UpdateDateButton();
    filterPanel_->ApplyPeriod(TEventFilterPanel::CurrentDay);
}

QWidget& TMainForm::CalendarGrid() const {
    return *calendar_;
}

QSplitter& TMainForm::Splitter(int page) const {
    return page == 1 ? *calendarSplitter_ : *exploreSplitter_;
}

QTreeView* TMainForm::EventList() const {
    return lists_[3]->DetailsView();
}

TEventFilterModel& TMainForm::EventRows() const {
    return lists_[3]->Rows();
}

int TMainForm::ShownPage() const {
    return pages_ ? std::max(0, pages_->currentIndex()) : 3;
}

void TMainForm::ShowPage(int page) {
    page = std::clamp(page, 0, PageCount - 1);
    pages_->setCurrentIndex(page);
    {
        const QSignalBlocker quiet(pageList_);
        pageList_->setCurrentRow(page);
    }
    RefreshActivePage();
    ScheduleUpdateCommands();
}

void TMainForm::ApplySplitters() {
    const auto& options = settings_.Options();
    const auto apply = [](QSplitter* splitter, bool horizontal, double firstPercent) {
        splitter->setOrientation(horizontal ? Qt::Vertical : Qt::Horizontal);
        const int whole = 1000;
        const int first = static_cast<int>(std::lround(whole * firstPercent / 100.0));
        splitter->setSizes({first, whole - first});
    };
    apply(exploreSplitter_, options.ViewExploreSplitterHor.Value(),
          options.ViewExploreSplitterPercent.Value());
    apply(calendarSplitter_, options.ViewCalendarSplitterHor.Value(),
          options.ViewCalendarSplitterPercent.Value());
    Command("ViewExploreSplitterHorAction")
        ->setText(options.ViewExploreSplitterHor.Value() ? tr("&Vertical") : tr("&Horizontal"));
    Command("ViewCalendarSplitterHorAction")
        ->setText(options.ViewCalendarSplitterHor.Value() ? tr("&Vertical") : tr("&Horizontal"));
}

void TMainForm::SplitterMoved(int page) {
    QSplitter& splitter = Splitter(page);
    const QList<int> sizes = splitter.sizes();
    const int whole = sizes.value(0) + sizes.value(1);
    if (whole <= 0)
        return;
    const double percent = sizes.value(0) * 100.0 / whole;
    auto& options = settings_.Options();
    (page == 1 ? options.ViewCalendarSplitterPercent : options.ViewExploreSplitterPercent)
        .SetValue(percent);
}

void TMainForm::FlipSplitter(int page) {
    auto& option = page == 1 ? settings_.Options().ViewCalendarSplitterHor
                             : settings_.Options().ViewExploreSplitterHor;
    option.SetValue(!option.Value());
    ApplySplitters();
}

void TMainForm::SetSplitterPercent(int percent) {
    auto& options = settings_.Options();
    (ShownPage() == 1 ? options.ViewCalendarSplitterPercent : options.ViewExploreSplitterPercent)
        .SetValue(percent);
    ApplySplitters();
}

void TMainForm::SetViewStyle(int style) {
    ActiveList().SetStyle(static_cast<TEventListView::TStyle>(style));
}

void TMainForm::SetupColumns() {
    TColumnSetupDialog dialog(*ActiveList().DetailsView(), this);
    RunAndWait(dialog);
}

void TMainForm::GotoDate() {
    TGotoDateDialog dialog(ToQDate(calendar_->SelectedDate()), this);
    if (RunAndWait(dialog) != QDialog::Accepted)
        return;
    calendar_->SetDate(FromQDate(dialog.Date()));
    ShowPage(1);
}

void TMainForm::CalendarDayChanged() {
    UpdateDateButton();
    if (ShownPage() == 1)
        RefreshActivePage();
}

void TMainForm::UpdateDateButton() {
    QToolButton* button = calendarHeader_->Button();
    button->setText(QLocale().toString(ToQDate(calendar_->SelectedDate()), QLocale::LongFormat));
    const int width = button->fontMetrics().horizontalAdvance(button->text());
    button->setFixedWidth(
        width > 0 ? width + 10 + 2 * button->style()->pixelMetric(QStyle::PM_ButtonMargin) : 200);
}

void TMainForm::RunFilter() {
    // A hidden page is filtered when it is shown.
    lists_[2]->Rows().SetEvents(ShownPage() == 2 ? filterPanel_->Filter(notebook_)
                                                 : std::vector<TEvent*>{});
    if (ShownPage() == 2)
        UpdateStatusBar();
}

void TMainForm::TemplateNodeChanged() {
    if (ShownPage() == 0)
        RefreshActivePage();
    ScheduleUpdateCommands();
}

void TMainForm::RefreshActivePage() {
    const int page = ShownPage();
    TEventListView& list = *lists_[page];
    const std::vector<TEvent*> selected = list.SelectedEvents();
    const TEventTemplate* selectedTemplate = list.CurrentTemplate();
    switch (page) {
    case 0: {
        const TTemplateNode* node = templateTree_->SelectedNode();
        // Nothing selected in the tree is its root, whose children are the first level.
        const TTemplateNode& shown = node ? *node : session_.Templates().Root();
        std::vector<TEventTemplate*> children;
        if (settings_.Options().BehaviourShowTemplateInList.Value())
            for (int i = 0; i < shown.ChildCount(); ++i)
                children.push_back(shown.Child(i).Template());
        session_.EventModel().SetTemplateRows(children);
        list.Rows().SetEvents(shown.Template() ? notebook_.EventsOfTemplate(shown.Text()).Events()
                                               : std::vector<TEvent*>{});
        break;
    }
    case 1: {
        const TDateTime day = calendar_->SelectedDate();
        std::vector<TEvent*> events = notebook_.EventsInDays(day, day).Events();
        const TEventList reminders = settings_.Options().BehaviourShowReminderInCalendar.Value()
                                         ? notebook_.RemindersInDays(day, day)
                                         : TEventList();
        for (TEvent* e : reminders.Events())
            if (std::find(events.begin(), events.end(), e) == events.end())
                events.push_back(e);
        // A birthday's age on the day shown, not today.
        list.Rows().SetCountDate(day);
        list.Rows().SetEvents(events);
        break;
    }
    case 2:
        list.Rows().SetEvents(filterPanel_->Filter(notebook_));
        break;
    default:
        break;
    }
    if (page <= 1)
        list.SelectFirstWhenNone();
    if (!selected.empty())
        list.SelectEvent(*selected.front(), false);
    else if (selectedTemplate)
        list.SelectTemplate(selectedTemplate, false);
    UpdateStatusBar();
}

void TMainForm::RefreshAllPages() {
    // A hidden page gets its rows when it is shown; until then it holds none of the old ones.
    for (int p = 0; p < PageCount; ++p)
        if (p != ShownPage() && p != 3)
            lists_[p]->Rows().Hide();
    RefreshActivePage();
}

void TMainForm::ApplyViewOptions() {
    const auto& options = settings_.Options();
    ApplyViewLook(*templateTree_, options.FontTemplatesTree.Font(),
                  options.ColorTemplatesTree.Value());
    const TColorOption* backgrounds[PageCount] = {
        &options.ColorExploreEvents, &options.ColorCalendarEvents, &options.ColorFilterEvents,
        &options.ColorAllEvents};
    for (int p = 0; p < PageCount; ++p)
        ApplyViewLook(*lists_[p], options.FontEventsView.Font(), backgrounds[p]->Value());
    templateTree_->viewport()->update();
}

void TMainForm::ShowPanels() {
    const auto& options = settings_.Options();
    mainPanel_->setVisible(options.ViewMainPanel.Value());
    standardBar_->setVisible(options.ViewToolbarStandart.Value());
    quickBar_->setVisible(options.ViewToolbarQuick.Value());
    UpdateCommands();
}

std::vector<TEvent*> TMainForm::SelectedEvents() {
    if (ShownPage() == 0 && templateTree_->hasFocus())
        return {};
    return ActiveList().SelectedEvents();
}

TEventTemplate* TMainForm::CurrentTemplate() {
    if (ShownPage() != 0)
        return nullptr;
    return templateTree_->SelectedTemplate();
}

TEventTemplate* TMainForm::SelectedTemplate() {
    if (TEventTemplate* row = ListTemplate())
        return row;
    return CurrentTemplate();
}

TDateTime TMainForm::SelectedDay() {
    return ShownPage() == 1 ? calendar_->SelectedDate() : DateOf(Now());
}

void TMainForm::SelectEventInViews(TEvent& event) {
    int page = ShownPage();
    if (page == 1) {
        const TDateTime from = calendar_->SelectedDate();
        TDateTime next = NullDate;
        try {
            next = event.InitializeCondition().NextArise(from);
        } catch (const std::exception&) {
            next = NullDate;
        }
        if (IsNullDate(next))
            next = event.LastAppear();
        if (!IsNullDate(next))
            calendar_->SetDate(next);
    } else if (page == 0) {
        if (TTemplateNode* node = session_.Templates().FindTemplate(event.Template()))
            templateTree_->SelectNode(node);
    }
    RefreshActivePage();
    if (!lists_[page]->SelectEvent(event, isVisible())) {
        ShowPage(3);
        page = 3;
        lists_[page]->SelectEvent(event, isVisible());
    }
    ScheduleUpdateCommands();
}

void TMainForm::UpdateStatusBar() {
    // The next event changes with the notebook only (UpdatePanels); the count with the page.
    countLabel_->SetWholeText(CountText());
}

// ---------------------------------------------------------------------------------------------
// The window's state in the store

void TMainForm::LoadWindowState() {
    calendar_->SetDate(DateOf(Now()));
    TFormPlacement placement{x(), y(), width(), height(), false};
    LoadFormPlacement(ini_, "View", FormPath, placement);
    setGeometry(placement.Left, placement.Top, std::max(placement.Width, minimumWidth()),
                std::max(placement.Height, minimumHeight()));
    FitToScreen();
    if (placement.Maximized)
        QTimer::singleShot(0, this,
                           [this] { setWindowState(windowState() | Qt::WindowMaximized); });
    const int page =
        LoadActivePage(ini_, "View", ComponentPath(FormPath, "WorkspacePages"), 3, PageCount);
    for (int p = 0; p < PageCount; ++p)
        lists_[p]->LoadState(ini_, ComponentPath(FormPath, ListNames[p]));
    calendarStyle_ = ini_.ReadEnum("View", "CalendarView", calendarStyle_, 0, 1);
    const int filter = ini_.ReadEnum("View", "FilterType", 1, 0, 3);
    if (filter != TEventFilterPanel::Custom)
        filterPanel_->ApplyPeriod(static_cast<TEventFilterPanel::TPeriod>(filter));
    ShowPanels();
    ApplySplitters();
    ShowPage(page);
}

void TMainForm::SaveWindowState() {
    const QRect normal = isVisible() ? normalGeometry() : trayGeometry_;
    const QRect bounds = normal.isValid() ? normal : geometry();
    SaveFormPlacement(ini_, "View", FormPath,
                      {bounds.x(), bounds.y(), bounds.width(), bounds.height(), isMaximized()});
    SaveActivePage(ini_, "View", ComponentPath(FormPath, "WorkspacePages"), ShownPage());
    for (int p = 0; p < PageCount; ++p)
        lists_[p]->SaveState(ini_, ComponentPath(FormPath, ListNames[p]));
    ini_.WriteInteger("View", "CalendarView", calendarStyle_);
    const int filter = filterPanel_->ShownPeriod();
    ini_.WriteInteger("View", "FilterType", filter == TEventFilterPanel::AllPeriod ? 0 : filter);
}

void TMainForm::FitToScreen() {
    const QScreen* shown = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!shown || isMaximized())
        return;
    const QRect available = shown->availableGeometry();
    // Before the window is shown the frame the window manager adds is not known: room for a
    // title bar is kept.
    const QRect frame = frameGeometry();
    const QMargins margins =
        isVisible()
            ? QMargins(geometry().left() - frame.left(), geometry().top() - frame.top(),
                       frame.right() - geometry().right(), frame.bottom() - geometry().bottom())
            : QMargins(0, 32, 0, 0);
    const QRect room = available.marginsRemoved(margins);
    QRect bounds = geometry();
    bounds.setWidth(std::min(bounds.width(), room.width()));
    bounds.setHeight(std::min(bounds.height(), room.height()));
    bounds.moveTo(std::clamp(bounds.x(), room.left(), room.right() + 1 - bounds.width()),
                  std::clamp(bounds.y(), room.top(), room.bottom() + 1 - bounds.height()));
    if (bounds != geometry())
        setGeometry(bounds);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride && qobject_cast<TTemplateTreeView*>(watched)) {
        // The tree's own keys (Insert, F2, Delete, Enter, the moves) reach the tree before the
        // window's shortcuts of the same keys.
        auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
        const int k = key->key();
        const bool move = modifiers == Qt::AltModifier && (k == Qt::Key_Up || k == Qt::Key_Down ||
                                                           k == Qt::Key_Left || k == Qt::Key_Right);
        const bool own = modifiers == Qt::NoModifier &&
                         (k == Qt::Key_Insert || k == Qt::Key_F2 || k == Qt::Key_Delete ||
                          k == Qt::Key_Return || k == Qt::Key_Enter);
        if (move || own) {
            event->accept();
            return true;
        }
    }
    if (event->type() == QEvent::Expose && !painted_ && windowHandle() &&
        watched == static_cast<QObject*>(windowHandle()) && windowHandle()->isExposed()) {
        // The window paints while it handles this; the rest of the start-up follows.
        painted_ = true;
        if (startupPending_)
            QTimer::singleShot(0, this, [this] { CompleteStartup(); });
    }
    if (watched == nextLabel_ && event->type() == QEvent::MouseButtonRelease) {
        if (nextEvent_ && notebook_.Contains(*nextEvent_))
            SelectEventInViews(*nextEvent_);
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------------
// The event and template commands

TEventTemplate* TMainForm::EntityTemplate() {
    if (ShownPage() != 0)
        return nullptr;
    if (!templateTree_->hasFocus()) {
        if (TEventTemplate* t = ListTemplate())
            return t;
        if (!SelectedEvents().empty())
            return nullptr;
    }
    return templateTree_->SelectedTemplate();
}

TEventTemplate* TMainForm::ListTemplate() {
    const TEventTemplate* row = lists_[0]->CurrentTemplate();
    if (!row || ShownPage() != 0 || templateTree_->hasFocus())
        return nullptr;
    const TTemplateNode* node = NodeHolding(row);
    return node ? node->Template() : nullptr;
}

const TTemplateNode* TMainForm::NodeHolding(const TEventTemplate* t) {
    // A row holds its template by address: it counts only while the tree still holds it.
    const std::function<const TTemplateNode*(const TTemplateNode&)> find =
        [&](const TTemplateNode& node) -> const TTemplateNode* {
        if (node.Template() == t)
            return &node;
        for (int i = 0; i < node.ChildCount(); ++i)
            if (const TTemplateNode* found = find(node.Child(i)))
                return found;
        return nullptr;
    };
    return t ? find(session_.Templates().Root()) : nullptr;
}

void TMainForm::TemplateBack() {
    const TTemplateNode* node = templateTree_->SelectedNode();
    if (ShownPage() != 0 || !node || !node->Template())
        return;
    const bool fromList = lists_[0]->HasFocus();
    const TEventTemplate* left = node->Template();
    // The root stands for nothing selected: the first level is listed.
    templateTree_->SelectNode(node->Parent());
    if (fromList) {
        lists_[0]->SelectTemplate(left, true);
        lists_[0]->ShownView()->setFocus();
    }
}

void TMainForm::ExploreTemplate() {
    TEventTemplate* t = EntityTemplate();
    if (!t)
        return;
    const TTemplateNode* node = session_.Templates().FindTemplate(t->Template());
    ShowPage(0);
    if (node && node != templateTree_->SelectedNode())
        templateTree_->SelectNode(const_cast<TTemplateNode*>(node));
    else
        RefreshActivePage();
    lists_[0]->SelectFirstWhenNone();
    lists_[0]->ShownView()->setFocus();
}

std::vector<TEvent*> TMainForm::ListedEvents() {
    const TEventFilterModel& rows = ActiveList().Rows();
    std::vector<TEvent*> events;
    events.reserve(static_cast<std::size_t>(rows.rowCount()));
    for (int row = 0; row < rows.rowCount(); ++row)
        if (TEvent* event = rows.EventAt(row))
            events.push_back(event);
    return events;
}

void TMainForm::SetSelectedDay(TDateTime day) {
    calendar_->SetDate(day);
}

void TMainForm::ConnectPrinting() {
    const auto calendar = [this] {
        std::vector<TEvent*> events;
        for (int i = 0; i < notebook_.EventCount(); ++i)
            events.push_back(&notebook_.Event(i));
        ShowCalendarPreview(this, calendar_->FirstShownDate(), events);
    };
    SetCommandHandler(QStringLiteral("FilePreviewCalendarAction"), calendar,
                      [this] { return ShownPage() == 1; });
    SetCommandHandler(QStringLiteral("FilePreviewListAction"),
                      [this] { ShowListPreview(this, ActiveList()); }, {});
    SetCommandHandler(QStringLiteral("FilePreviewAction"),
                      [this, calendar] {
                          ShownPage() == 1 ? calendar() : (void)ShowListPreview(this, ActiveList());
                      },
                      {});
}

void TMainForm::ConnectFeatures() {
    const auto handle = [this](const char* name, std::function<void()> run) {
        SetCommandHandler(QString::fromLatin1(name), std::move(run), {});
    };
    handle("ServiceOptions", [this] { ShowOptionsDialog(session_, this); });
    handle("FileImportHolidaysAction", [this] { ImportHolidaysCommand(session_, this); });
    handle("FileImportEventsAction", [this] { ImportEventsCommand(session_, this); });
    handle("FileExportEventsAction",
           [this] { ExportCommand(session_, this, ActiveList().DetailsView()); });
    handle("FileBackupAction", [this] { BackupCommand(session_, this); });
    ConnectPrinting();
    handle("FileRestoreAction", [this] { RestoreCommand(session_, this); });
    handle("HelpContents", [] { THelp::ShowTopic(1); });
    handle("HelpTutorial", [] { THelp::ShowTopic(10000); });
    handle("HelpAbout", [this] { TAboutForm::ShowAbout(this); });
    handle("HelpTipOnDayAction", [this] {
        if (!tips_) {
            tips_ = std::make_unique<TpaTips>();
            tips_->Tips = TpaTips::Load(TpaTips::Folder(), QLocale());
        }
        TProgramOptions& options = session_.Settings().Options();
        tips_->ShowAtStartup = options.ShowTipsAtStartup.Value();
        tips_->OnClose = [&options](TpaTips& tips) {
            options.ShowTipsAtStartup.SetValue(tips.ShowAtStartup);
        };
        tips_->Execute(this);
    });
    // F1 shows the topic of the window and of its pages.
    setProperty(THelp::TopicProperty, 100);
    for (int page = 0; page < 4; ++page)
        if (QWidget* w = pages_->widget(page))
            w->setProperty(THelp::TopicProperty, 110 + 10 * page);
}

void TMainForm::ConnectEventCommands() {
    TEventCommands& c = *eventCommands_;
    TTemplateTreeView& tree = *templateTree_;
    const auto event = [this] { return !SelectedEvents().empty(); };
    const auto handle = [this](const char* name, std::function<void()> run,
                               std::function<bool()> enabled = {}) {
        SetCommandHandler(QString::fromLatin1(name), std::move(run), std::move(enabled));
    };
    const auto isDefault = [this](const TEventTemplate* t) {
        return t == session_.Templates().DefaultTemplate();
    };

    handle("EntityInsert", [this, &c, &tree] {
        switch (ShownPage()) {
        case 0:
            if (tree.hasFocus())
                tree.NewTemplate();
            else
                c.NewByCurrentTemplateInTree();
            break;
        case 1:
            c.NewEventByDate();
            break;
        default:
            c.NewByCurrentTemplateInTree();
            break;
        }
    });
    handle(
        "EntityRename",
        [this, &c, &tree] {
            if (TEventTemplate* t = ListTemplate())
                c.TemplateProperties(*t); // the list has no in-place edit
            else if (EntityTemplate())
                tree.Rename();
            else
                c.Rename();
        },
        [this, event, &tree, isDefault] {
            if (const TEventTemplate* t = ListTemplate())
                return !isDefault(t);
            return EntityTemplate() ? tree.CanRename() : event();
        });
    handle(
        "EntityDelete",
        [this, &c, &tree] {
            if (TEventTemplate* t = ListTemplate())
                c.DeleteTemplate(*t);
            else if (EntityTemplate())
                tree.Delete();
            else
                c.Delete();
        },
        [this, event, isDefault] {
            const TEventTemplate* t = EntityTemplate();
            return t ? !isDefault(t) : event();
        });
    handle(
        "EntityProperty",
        [this, &c, &tree] {
            if (TEventTemplate* t = ListTemplate())
                c.TemplateProperties(*t);
            else if (EntityTemplate())
                tree.Properties();
            else
                c.Properties();
        },
        [this, event] { return EntityTemplate() || event(); });
    handle(
        "EditCutAction", [&c] { c.Cut(); }, event);
    handle(
        "EditCopyAction", [&c] { c.Copy(); }, event);
    handle(
        "EditPasteAction", [&c] { c.Paste(); }, [&c] { return c.CanPaste(); });
    handle(
        "EditDuplicateAlarm", [&c] { c.Duplicate(); }, event);
    handle(
        "EventReset", [&c] { c.Reset(); },
        [this, &c] { return !SelectedEvents().empty() && c.CanReset(); });
    handle(
        "EventExecute", [&c] { c.Execute(); }, event);
    handle("EditFindEvent", [&c] { c.Find(); });
    handle(
        "EditFindNextEvent", [&c] { c.FindNext(); }, [&c] { return c.CanFindNext(); });
    handle(
        "EventDeleteAllAction", [&c] { c.DeleteAll(); }, [&c] { return c.CanDeleteAll(); });
    handle(
        "EventSelectOnExplorePage", [&c] { c.SelectOnTemplatesPage(); }, event);
    handle(
        "EventSelectOnCalendarPage", [&c] { c.SelectOnCalendarPage(); }, event);
    handle("EventNewQuick", [this, &c] {
        // The delay the quick event's dialog proposes: the one last used there.
        const auto& options = settings_.Options();
        const int amount = std::max(1, options.QuickDefaultPeriod.Value());
        switch (options.QuickDefaultPeriodType.Value()) {
        case 2:
            c.AskQuickEvent(amount, TEventCommands::TDelayUnit::Hours);
            break;
        case 3:
            c.AskQuickEvent(amount * 24, TEventCommands::TDelayUnit::Hours);
            break;
        default:
            c.AskQuickEvent(amount, TEventCommands::TDelayUnit::Minutes);
            break;
        }
    });
    const std::pair<const char*, int> quick[] = {{"EventNewQuick5Min", 5},
                                                 {"EventNewQuick10Min", 10},
                                                 {"EventNewQuick15Min", 15},
                                                 {"EventNewQuick30Min", 30}};
    for (const auto& [name, minutes] : quick)
        handle(name,
               [&c, minutes] { c.AskQuickEvent(minutes, TEventCommands::TDelayUnit::Minutes); });
    handle("EventNewQuick1HourAction",
           [&c] { c.AskQuickEvent(1, TEventCommands::TDelayUnit::Hours); });
    handle("EventNewQuickTomorrow6Action", [&c] { c.QuickTomorrowMorning(); });
    handle("EventByCurrentTemplate", [&c] { c.NewByCurrentTemplate(); });
    handle("CalendarAddEventByDate", [&c] { c.NewEventByDate(); });
    handle(
        "TemplateNew", [&tree] { tree.NewTemplate(); }, [this] { return ShownPage() == 0; });
    handle(
        "TemplateOpen", [this] { ExploreTemplate(); }, [this] { return EntityTemplate(); });
    handle(
        "TemplateUp", [this] { TemplateBack(); },
        [this, &tree] { return ShownPage() == 0 && tree.SelectedTemplate(); });
    handle(
        "TemplateAddToQuickToolbar",
        [this, &c] {
            if (TEventTemplate* t = SelectedTemplate())
                c.AddToFavourites(*t);
        },
        [this, isDefault] {
            const TEventTemplate* t = SelectedTemplate();
            return t && !isDefault(t) && !t->Quickly();
        });
    handle(
        "EditTemplateMoveUp", [&tree] { tree.MoveUp(); },
        [this, &tree] { return ShownPage() == 0 && tree.CanMoveUp(); });
    handle(
        "EditTemplateMoveDown", [&tree] { tree.MoveDown(); },
        [this, &tree] { return ShownPage() == 0 && tree.CanMoveDown(); });
    handle(
        "EditTemplateMoveLeft", [&tree] { tree.MoveLeft(); },
        [this, &tree] { return ShownPage() == 0 && tree.CanMoveLeft(); });
    handle(
        "EditTemplateMoveRight", [&tree] { tree.MoveRight(); },
        [this, &tree] { return ShownPage() == 0 && tree.CanMoveRight(); });
    handle(
        "QuickToolbarRemoveButton", [this] { quickBar_->RemovePressed(); },
        [this] { return quickBar_->PressedTemplate() != nullptr; });
    for (const char* name :
         {"QuickToolbarHideCaption", "QuickToolbarRightCaption", "QuickToolbarBottomCaption"})
        connect(Command(QString::fromLatin1(name)), &QAction::triggered, quickBar_,
                &TFavouritesBar::ApplyCaptionMode);

    filterPanel_->ChooseTemplate = [this](QString& name) {
        std::string chosen = name.toStdString();
        if (!TTemplateChoiceForm::ChooseTemplate(*this, session_.Templates(), chosen, true))
            return false;
        name = QString::fromStdString(DisplayText(chosen));
        return true;
    };
    FindInUse = [&c] { return !c.CanFindNext(); };
    connect(&c, &TEventCommands::templatesChanged, this, [this] {
        if (ShownPage() == 0)
            RefreshActivePage();
    });
    c.ConnectAlarmWindows();
}

// ---------------------------------------------------------------------------------------------
// The data files

void TMainForm::FileLoad() {
    try {
        dataFiles_.Load();
    } catch (...) {
        ReportRecordErrors();
        throw;
    }
    ReportRecordErrors();
}

void TMainForm::FileDataNew() {
    const QString chosen = AskDataFile(true);
    if (!chosen.isEmpty())
        dataFiles_.New(chosen.toStdString());
}

void TMainForm::FileDataOpen() {
    const QString chosen = AskDataFile(false);
    if (chosen.isEmpty())
        return;
    try {
        dataFiles_.Open(chosen.toStdString());
    } catch (...) {
        ReportRecordErrors();
        throw;
    }
    ReportRecordErrors();
}

void TMainForm::FileDataSaveAs() {
    const QString chosen = AskDataFile(true);
    if (!chosen.isEmpty())
        dataFiles_.SaveAs(chosen.toStdString());
}

QString TMainForm::AskDataFile(bool forSave) {
    if (dialogFolder_.isEmpty())
        dialogFolder_ = QFileInfo(Q(dataFiles_.EventsFileName())).absolutePath();
    QString chosen;
    if (ChooseDataFile) {
        chosen = ChooseDataFile(forSave, dialogFolder_);
    } else {
        QFileDialog dialog(this,
                           forSave ? tr("Save Data Files as")
                                   : tr("Open existing data files with events and "
                                        "templates..."),
                           dialogFolder_, tr("Tavrelon MP3 files (*.evn)"));
        if (forSave) {
            dialog.setAcceptMode(QFileDialog::AcceptSave);
            dialog.setFileMode(QFileDialog::AnyFile);
            dialog.setDefaultSuffix(QStringLiteral("evn"));
            dialog.selectFile(QStringLiteral("kelvo-rem"));
        } else {
            dialog.setAcceptMode(QFileDialog::AcceptOpen);
            dialog.setFileMode(QFileDialog::ExistingFile);
        }
        if (RunAndWait(dialog) == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
            chosen = dialog.selectedFiles().first();
    }
    if (!chosen.isEmpty())
        dialogFolder_ = QFileInfo(chosen).absolutePath();
    return chosen;
}

void TMainForm::FileExit() {
    const QString question = tr(ExitQuestion);
    if (Confirm) {
        if (Confirm(question))
            ExitNow();
        return;
    }
    if (exitQuestion_) {
        exitQuestion_->raise();
        exitQuestion_->activateWindow();
        return;
    }
    exitQuestion_ = ShowBox(BoxParent(), QMessageBox::Question, tr("Confirmation"), question,
                            QMessageBox::Yes | QMessageBox::No, QMessageBox::No,
                            [self = QPointer<TMainForm>(this)](QMessageBox::StandardButton answer) {
                                if (self && answer == QMessageBox::Yes)
                                    self->ExitNow();
                            });
}

void TMainForm::ExitNow() {
    exiting_ = true;
    close();
    emit exitConfirmed();
}

void TMainForm::ChooseAlarmMode(int mode) {
    AlarmSwitches().SetAlarmMode(mode);
    AlarmModeApplied();
}

void TMainForm::AlarmModeApplied() {
    UpdateCommands();
    UpdateTrayPicture();
    emit alarmModeChanged(AlarmSwitches().AlarmMode());
}

// ---------------------------------------------------------------------------------------------
// Messages

void TMainForm::Message(TMessageKind kind, const std::string& text) {
    if (ShowMessage) {
        ShowMessage(kind, Q(text));
        return;
    }
    switch (kind) {
    case TMessageKind::Warning:
        ShowBox(BoxParent(), QMessageBox::Warning, tr("Warning"), Q(text));
        break;
    case TMessageKind::Error:
        ShowBox(BoxParent(), QMessageBox::Critical, tr("Error"), Q(text));
        break;
    case TMessageKind::Information:
        ShowBox(BoxParent(), QMessageBox::Information, tr("Information"), Q(text));
        break;
    }
}

QWidget* TMainForm::BoxParent() {
    // A box owned by a hidden or minimized window would go out of sight with it.
    return isVisible() && !isMinimized() ? this : nullptr;
}

void TMainForm::MessageLater(TMessageKind kind, const std::string& text) {
    QTimer::singleShot(0, this, [this, kind, text] { Message(kind, text); });
}

// ---------------------------------------------------------------------------------------------
// The notebook

// A removed event's alarm window closes on the notebook's removal notice.
void TMainForm::NotebookChanged(TEvent& event, TChangeKind kind) {
    if (updateCount_ > 0)
        return;
    // The rows follow the notebook themselves; the pages' choices of rows are made here.
    RefreshActivePage();
    // Nothing moves under a question that is open: its answer is about what it showed.
    if (kind != ckRemoved && started_ && !WaitingForBox() && !QApplication::activeModalWidget() &&
        notebook_.Contains(event))
        SelectEventInViews(event);
    ScheduleUpdateCommands();
    UpdatePanels();
    if (!started_)
        return; // the start-up saves once itself
    if (CompleteStartup())
        return; // both files, this change with them
    try {
        dataFiles_.SaveEvents();
        saveErrorShown_ = false;
    } catch (const EReminderNotebookError& e) {
        // A full disk fails every change: told once, until a save works again.
        if (saveErrorShown_) {
            if (TLogFile* log = ProgramLog())
                log->AddLine(e.what());
            return;
        }
        saveErrorShown_ = true;
        // Often inside an arising: the box waits until the arising is over.
        MessageLater(TMessageKind::Error, e.what());
    }
}

void TMainForm::Arisen(TWaitingAriseEntity& entity, TDateTime when, TAlarmReason reason) {
    TEvent* event = TReminderNotebook::OwnerEventOf(entity);
    if (!event || !AlarmSwitches().AlarmWindowsEnabled())
        return;
    // A box open before this alarm window must not end up beneath it.
    RaiseOpenBoxes();
    const bool reminder = event != &entity;
    if (!event->Options().Contains(reminder ? eoAlarmWindowOnReminder : eoAlarmWindowOnEvent))
        return;
    if (OpenAlarmWindow)
        OpenAlarmWindow(*event, entity, when, reason);
}

void TMainForm::RefreshViews() {
    session_.EventModel().Refresh();
    UpdatePanels();
}

void TMainForm::UpdatePanels() {
    nextLabel_->SetWholeText(NextEventText());
    UpdateStatusBar();
}

QString TMainForm::NextEventText() {
    TDateTime when = NullDate;
    TEvent* next = nullptr;
    try {
        next = notebook_.NearestEvent(when);
    } catch (const std::exception&) {
        next = nullptr;
    }
    nextEvent_ = next;
    if (!next)
        return tr("No sheduled event");
    return Q(Format(tr("Next event: \"%s\" at %s").toStdString(),
                    {next->Description(), ListDateText(when)}));
}

QString TMainForm::CountText() const {
    return Q(" " + Format(tr("%s event(s), %s listed").toStdString(),
                          {std::to_string(notebook_.EventCount()),
                           std::to_string(ActiveList().EventRowCount())}));
}

void TMainForm::ClockChanged() {
    notebook_.Generator().Stop();
    notebook_.RestartGenerator();
    RefreshViews();
}

// ---------------------------------------------------------------------------------------------
// Window, tray and hot keys

void TMainForm::CreateTrayIcon() {
    tray_ = new TTrayIcon([this](const QString& name) { return Command(name); },
                          [this](int id) { return HotKeyText(id); }, *this);
    tray_->Content = [this] { return TrayHintContent(notebook_, Now()); };
    tray_->SetPicture(normalIcon_);
    trayMenu_ = &tray_->Menu();
    connect(trayMenu_, &QMenu::aboutToShow, this, &TMainForm::UpdateCommands);
    quickBar_->AttachMenu(&tray_->FavouritesMenu());
    connect(tray_, &TTrayIcon::restoreRequested, this, &TMainForm::RestoreWindow);
    // The hint follows the notebook: its tooltip copy is all some hosts ever show.
    connect(&session_, &TProgramSession::eventsChanged, tray_, [this] { tray_->Refresh(); });
    // The start-up's hint is made after the first paint (CompleteStartup).
    connect(&session_, &TProgramSession::dataReplaced, tray_, [this] {
        if (started_)
            tray_->Refresh();
    });
}

QKeySequence TMainForm::HotKeyText(int id) const {
    // Where no key can be grabbed, a key shown would be a promise not kept.
    if (!TOptionsForm::HotKeysAvailable())
        return {};
    const THotKey key = HotKeyOfOptions(settings_.Options(), id);
    if (key.key == 0)
        return {};
    int qtKey = 0;
    if ((key.key >= 'A' && key.key <= 'Z') || (key.key >= '0' && key.key <= '9'))
        qtKey = key.key;
    else if (key.key >= 0x70 && key.key <= 0x87)
        qtKey = Qt::Key_F1 + (key.key - 0x70);
    else
        for (int k = Qt::Key_Escape; k <= Qt::Key_PageDown && !qtKey; ++k)
            if (THotKeyEdit::VirtualKeyOf(k) == key.key)
                qtKey = k;
    if (!qtKey && key.key == 0x20)
        qtKey = Qt::Key_Space;
    if (!qtKey)
        return {};
    int modifiers = 0;
    if (key.modifiers & TGlobalHotKeys::hkCtrl)
        modifiers |= Qt::CTRL;
    if (key.modifiers & TGlobalHotKeys::hkAlt)
        modifiers |= Qt::ALT;
    if (key.modifiers & TGlobalHotKeys::hkShift)
        modifiers |= Qt::SHIFT;
    if (key.modifiers & TGlobalHotKeys::hkWin)
        modifiers |= Qt::META;
    return QKeySequence(modifiers | qtKey);
}

void TMainForm::ApplyTrayIcon() {
    tray_->SetWanted(settings_.ShowTrayIcon());
    ShowAlarmModeInTitle();
    // Never leave the window unreachable: hidden only while a tray icon can bring it back.
    if (started_ && !isVisible() && !TrayIconShown() && !exiting_)
        showMinimized();
}

bool TMainForm::TrayIconShown() const {
    return tray_ && tray_->Shown();
}

void TMainForm::UpdateTrayPicture() {
    trayDisabled_ = AlarmSwitches().AlarmMode() != 0;
    tray_->SetPicture(trayDisabled_ ? disabledIcon_ : normalIcon_);
    ShowAlarmModeInTitle();
}

void TMainForm::ShowAlarmModeInTitle() {
    // Without an icon the limited alarms would go unseen: the title says so instead.
    const int mode = AlarmSwitches().AlarmMode();
    static const char* const modes[] = {"ServiceAllEnabledAction", "ServiceDisableSoundAction",
                                        "ServiceDisableActionsExceptWindowAction",
                                        "ServiceDisableAllAction"};
    QString title = tr(ApplicationTitle);
    if (mode > 0 && mode < 4 && !TrayIconShown())
        if (const QAction* command = Command(QString::fromLatin1(modes[mode])))
            title += QStringLiteral(" - ") + QString(command->text()).remove(QLatin1Char('&'));
    setWindowTitle(title);
}

void TMainForm::MinimizeWindow() {
    if (settings_.HideFromTaskbar() && TrayIconShown()) {
        // The window comes back where it was, whatever the window manager does with a hidden one.
        trayGeometry_ = normalGeometry();
        hide();
    } else {
        showMinimized();
    }
}

void TMainForm::RestoreWindow() {
    const bool fromTray = !isVisible() && trayGeometry_.isValid();
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    if (fromTray && !isMaximized())
        setGeometry(trayGeometry_);
    show();
    raise();
    activateWindow();
}

void TMainForm::RegisterHotKeys() {
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return; // key grabs exist on X11 only
    if (!hotKeys_) {
        hotKeys_ = std::make_unique<TGlobalHotKeys>();
        connect(hotKeys_.get(), &TGlobalHotKeys::hotKeyPressed, this, &TMainForm::HotKeyPressed);
    }
    settings_.RegisterHotKeys(*hotKeys_);
}

void TMainForm::HotKeyPressed(int id) {
    if (id == 1) {
        if (QWidget* active = QApplication::activeModalWidget()) {
            active->raise();
            active->activateWindow();
        } else {
            RestoreWindow();
        }
        return;
    }
    if (QAction* command = Command(id == 2 ? "EventNewQuick" : "EventByCurrentTemplate");
        command && id <= 3) {
        RestoreWindow();
        command->trigger();
        return;
    }
    QApplication::beep();
}

void TMainForm::closeEvent(QCloseEvent* event) {
    if (exiting_) {
        event->accept();
        return;
    }
    // The close button and Alt+F4 only minimize; the program ends through "E&xit".
    event->ignore();
    MinimizeWindow();
}

void TMainForm::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LocaleChange) {
        InstallSystemLocale();
        RefreshViews();
    } else if (event->type() == QEvent::WindowStateChange) {
        // The title bar's minimize button takes the window to the tray as the command does.
        if (isMinimized() && settings_.HideFromTaskbar() && TrayIconShown())
            QTimer::singleShot(0, this, [this] {
                if (isMinimized() && TrayIconShown())
                    hide();
            });
    }
    QMainWindow::changeEvent(event);
}

} // namespace kelvo
