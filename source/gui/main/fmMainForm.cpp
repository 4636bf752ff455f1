#include "gui/main/fmMainForm.h"

#include "core/actions/AlarmSwitches.h"
#include "core/diagnostics/paLogUtils.h"
#include "core/options/paAppIni.h"
#include "core/util/paFormat.h"
#include "core/util/paText.h"
#include "core/util/paTranslate.h"
#include "gui/alarm/AlarmWindows.h"
#include "gui/boxes/NonBlockingBoxes.h"
#include "gui/exchange/ExchangeCommands.h"
#include "gui/models/EventFilterModel.h"
#include "gui/models/EventListModel.h"
#include "gui/options/fmOption.h"
#include "platform/hotkeys/paHotKeys.h"
#include "platform/runtime/QtLocale.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QTreeView>

namespace kelvo {

namespace {

const char* const ApplicationTitle = QT_TRANSLATE_NOOP("kelvo::TMainForm", "Tavrelon MP3");
const char* const ExitQuestion = QT_TRANSLATE_NOOP(
    "kelvo::TMainForm", "Do you really want to unload Tavrelon MP3 and disable reminders?");
// Damaged records named in the one message of a load; the log has all of them.
constexpr std::size_t RecordErrorsShown = 5;
// How often a wanted tray icon looks for a tray host that was not there (or went away).
constexpr int TrayRetryMs = 3000;

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

} // namespace

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
        UpdatePanels();
    });
    connect(&session_, &TProgramSession::eventArisen, this, &TMainForm::Arisen);
    connect(&session_, &TProgramSession::eventsChanged, this, &TMainForm::NotebookChanged);
    // Alarm windows of events without eoStayOnTop are kept above this window.
    alarms_.SetParentWindow(this);
    alarms_.OnFindEvent = [this](TEvent&) { RestoreWindow(); };

    // The columns it showed before the other pages came: name, next event, state.
    rows_ = new TEventFilterModel(this);
    rows_->setSourceModel(&session_.EventModel());
    eventList_ = new QTreeView(this);
    eventList_->setObjectName(QStringLiteral("AllEventsList"));
    eventList_->setRootIsDecorated(false);
    eventList_->setUniformRowHeights(true);
    eventList_->setModel(rows_);
    for (int column = 0; column < TEventListModel::ColumnCount; ++column)
        eventList_->setColumnHidden(column, column != TEventListModel::ColName &&
                                                column != TEventListModel::ColNextEvent &&
                                                column != TEventListModel::ColState);
    eventList_->header()->resizeSection(TEventListModel::ColName, 220);
    eventList_->header()->resizeSection(TEventListModel::ColNextEvent, 160);
    // Unsorted (the notebook's order) until a header is clicked.
    eventList_->header()->setSortIndicator(-1, Qt::AscendingOrder);
    eventList_->setSortingEnabled(true);
    setCentralWidget(eventList_);
    hintLabel_ = new QLabel(this);
    nextLabel_ = new QLabel(this);
    nextLabel_->setObjectName(QStringLiteral("NextEventPanel"));
    countLabel_ = new QLabel(this);
    countLabel_->setObjectName(QStringLiteral("CountPanel"));
    statusBar()->addWidget(hintLabel_, 1);
    statusBar()->addPermanentWidget(nextLabel_);
    statusBar()->addPermanentWidget(countLabel_);

    CreateCommands();
    CreateMenus();
    CreateTrayIcon();
    RefreshViews();
}

TMainForm::~TMainForm() {
    if (started_) {
        try {
            SaveOnSessionEnd();
        } catch (...) {
            DispatchError(this);
        }
    }
    if (tray_)
        tray_->hide();
    hotKeys_.reset();
    // The session outlives the window.
    settings_.OnShowTrayIconChanged({});
    alarms_.OnFindEvent = {};
    alarms_.SetParentWindow(nullptr);
    session_.SetDataFileHost(nullptr);
}

// ---------------------------------------------------------------------------------------------
// Start-up

void TMainForm::Startup(const QStringList& arguments) {
    // Nothing arises before the program is complete; the restart below catches up.
    session_.LoadSettings();
    const std::string loadText = session_.LoadData();
    ReportRecordErrors();
    if (!loadText.empty())
        Message(TMessageKind::Error, loadText);
    if (const std::string saveText = dataFiles_.StartupSave(); !saveText.empty()) {
        // Every later change would fail the same way; this one message says so.
        saveErrorShown_ = true;
        Message(TMessageKind::Error,
                saveText + "\n\r\n\r" +
                    tr("Changes cannot be saved until the data files can be written. Use "
                       "\"File|Data Files|Save As...\" to save them elsewhere.")
                        .toStdString());
    }
    notebook_.RestartGenerator();
    RefreshViews();

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

void TMainForm::ShowAtStart() {
    if (!startInTray_) {
        show();
        return;
    }
    if (settings_.HideFromTaskbar() && TrayIconShown())
        return; // stays hidden; the tray icon brings it back
    showMinimized();
}

void TMainForm::SaveSettings() {
    session_.SaveSettings();
}

void TMainForm::SaveOnSessionEnd() {
    alarms_.CloseAllAlarmWindows();
    SaveSettings();
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
    auto* action = new QAction(caption, this);
    action->setObjectName(name);
    action->setCheckable(static_cast<bool>(checked));
    connect(action, &QAction::triggered, this, [this, run = std::move(run)] {
        Run(run);
        UpdateCommands();
    });
    commands_.push_back({action, std::move(enabled), std::move(checked)});
    return action;
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
        if (c.Enabled)
            c.Action->setEnabled(c.Enabled());
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
    // Import, export, backup and restore (gui/exchange/).
    AddCommand("FileImportHolidaysAction", tr("Holidays..."), [this] {
        ImportHolidaysCommand(session_, this);
    })->setStatusTip(tr("Import holidays from file"));
    AddCommand("FileImportEventsAction", tr("Events..."), [this] {
        ImportEventsCommand(session_, this);
    })->setStatusTip(tr("Import events from file"));
    AddCommand("FileExportEventsAction", tr("Export event list..."), [this] {
        ExportCommand(session_, this, EventList());
    })->setStatusTip(tr("Export events from selected event list to file"));
    AddCommand("FileBackupAction", tr("Backup.."), [this] {
        BackupCommand(session_, this);
    })->setStatusTip(tr("Backup current templates and events"));
    AddCommand("FileRestoreAction", tr("Restore.."), [this] { RestoreCommand(session_, this); })
        ->setStatusTip(tr("Restore templates and events from previous backuping files, previous "
                          "program version and temporary saved files"));
    AddCommand("FileMinimize", tr("&Minimize"), [this] { MinimizeWindow(); });
    AddCommand("FileSaveAndMinimize", tr("Save && Minimize"), [this] {
        dataFiles_.Save();
        MinimizeWindow();
    });
    AddCommand("FileRestore", tr("Show &Main window"), [this] { RestoreWindow(); });
    AddCommand("FileExit", tr("E&xit"), [this] { FileExit(); });

    AddCommand("ServiceOptionsAction", tr("Options..."),
               [this] { ShowOptionsDialog(session_, this); });
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

void TMainForm::CreateMenus() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    for (const char* name :
         {"FileLoadAction", "FileSaveAction", "FileSaveEventAction", "FileSaveTemplateAction"})
        file->addAction(Command(name));
    file->addSeparator();
    QMenu* data = file->addMenu(tr("&Data Files"));
    data->addAction(Command("FileDataNewAction"));
    data->addAction(Command("FileDataOpenAction"));
    data->addAction(Command("FileDataSaveAsAction"));
    data->addSeparator();
    data->addAction(Command("FileDataInfoAction"));
    file->addSeparator();
    QMenu* import = file->addMenu(tr("Import"));
    import->addAction(Command("FileImportHolidaysAction"));
    import->addAction(Command("FileImportEventsAction"));
    file->addAction(Command("FileExportEventsAction"));
    file->addSeparator();
    file->addAction(Command("FileBackupAction"));
    file->addAction(Command("FileRestoreAction"));
    file->addSeparator();
    file->addAction(Command("FileMinimize"));
    file->addAction(Command("FileSaveAndMinimize"));
    file->addAction(Command("FileExit"));

    QMenu* service = menuBar()->addMenu(tr("&Service"));
    for (const char* name : {"ServiceAllEnabledAction", "ServiceDisableSoundAction",
                             "ServiceDisableActionsExceptWindowAction", "ServiceDisableAllAction"})
        service->addAction(Command(name));
    service->addAction(Command("ServiceOptionsAction"));

    // Enabling rules are evaluated when the user is about to see the commands.
    for (QMenu* menu : {file, data, service})
        connect(menu, &QMenu::aboutToShow, this, &TMainForm::UpdateCommands);
}

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
void TMainForm::NotebookChanged() {
    if (updateCount_ > 0)
        return;
    UpdatePanels(); // the rows follow the notebook themselves
    if (!started_)
        return; // the start-up saves once itself
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
    nextLabel_->setText(NextEventText());
    countLabel_->setText(CountText());
}

QString TMainForm::NextEventText() const {
    TDateTime when = NullDate;
    TEvent* next = nullptr;
    try {
        next = notebook_.NearestEvent(when);
    } catch (const std::exception&) {
        next = nullptr;
    }
    if (!next)
        return tr("No sheduled event");
    return Q(Format(tr("Next event: \"%s\" at %s").toStdString(),
                    {next->Description(), ListDateText(when)}));
}

QString TMainForm::CountText() const {
    return Q(" " +
             Format(tr("%s event(s), %s listed").toStdString(),
                    {std::to_string(notebook_.EventCount()), std::to_string(rows_->rowCount())}));
}

void TMainForm::ClockChanged() {
    notebook_.Generator().Stop();
    notebook_.RestartGenerator();
    RefreshViews();
}

// ---------------------------------------------------------------------------------------------
// Window, tray and hot keys

void TMainForm::CreateTrayIcon() {
    tray_ = new QSystemTrayIcon(normalIcon_, this);
    tray_->setToolTip(tr(ApplicationTitle));
    trayMenu_ = new QMenu(this);
    trayMenu_->addAction(Command("FileRestore"));
    trayMenu_->addSeparator();
    for (const char* name : {"ServiceAllEnabledAction", "ServiceDisableSoundAction",
                             "ServiceDisableActionsExceptWindowAction", "ServiceDisableAllAction"})
        trayMenu_->addAction(Command(name));
    trayMenu_->addSeparator();
    trayMenu_->addAction(Command("FileExit"));
    connect(trayMenu_, &QMenu::aboutToShow, this, &TMainForm::UpdateCommands);
    tray_->setContextMenu(trayMenu_);
    // Many tray hosts send a single activation where others send a double click.
    connect(tray_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::DoubleClick || reason == QSystemTrayIcon::Trigger)
                    RestoreWindow();
            });
    trayWatch_ = new QTimer(this);
    trayWatch_->setInterval(TrayRetryMs);
    connect(trayWatch_, &QTimer::timeout, this, &TMainForm::ApplyTrayIcon);
}

void TMainForm::ApplyTrayIcon() {
    const bool wanted = settings_.ShowTrayIcon();
    const bool host = QSystemTrayIcon::isSystemTrayAvailable();
    if (wanted && host)
        tray_->show();
    else
        tray_->hide();
    // Keep looking for a tray host that is not there yet or went away (a restarted panel).
    if (wanted)
        trayWatch_->start();
    else
        trayWatch_->stop();
    // Never leave the window unreachable: hidden only while a tray icon can bring it back.
    if (started_ && !isVisible() && !TrayIconShown() && !exiting_)
        showMinimized();
}

bool TMainForm::TrayIconShown() const {
    return tray_ && tray_->isVisible() && QSystemTrayIcon::isSystemTrayAvailable();
}

void TMainForm::UpdateTrayPicture() {
    trayDisabled_ = AlarmSwitches().AlarmMode() != 0;
    tray_->setIcon(trayDisabled_ ? disabledIcon_ : normalIcon_);
}

void TMainForm::MinimizeWindow() {
    if (settings_.HideFromTaskbar() && TrayIconShown())
        hide();
    else
        showMinimized();
}

void TMainForm::RestoreWindow() {
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
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
    // Quick events and events by template come with the event commands; until then the
    // keys only say that nothing happens.
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
