#include "gui/exchange/ExchangeCommands.h"

#include "core/exchange/Arrival.h"
#include "core/exchange/CalendarItem.h"
#include "core/exchange/Csv.h"
#include "core/exchange/HolidayFile.h"
#include "core/persistence/SafeSave.h"
#include "core/persistence/TemplateFile.h"
#include "core/timers/ProgramFolders.h"
#include "core/util/paText.h"
#include "gui/boxes/NonBlockingBoxes.h"
#include "gui/exchange/fmImportEvents.h"
#include "gui/models/EventListModel.h"
#include "gui/session/ProgramSession.h"
#include "platform/ical/ICalendar.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QDateTime>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QTreeView>
#include <filesystem>

namespace kelvo {

namespace fs = std::filesystem;

namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(DisplayText(text));
}

std::string S(const QString& text) {
    return text.toStdString();
}

// The context of the commands' texts.
class TExchangeCommands {
    Q_DECLARE_TR_FUNCTIONS(TExchangeCommands)
};

void Inform(QWidget* parent, const QString& text) {
    if (ExchangeUi().Inform)
        ExchangeUi().Inform(text);
    else
        ShowBox(parent, QMessageBox::Information, QCoreApplication::applicationName(), text);
}

void Warn(QWidget* parent, const QString& text) {
    if (ExchangeUi().Warn)
        ExchangeUi().Warn(text);
    else
        ShowBox(parent, QMessageBox::Warning, QCoreApplication::applicationName(), text);
}

bool Confirm(QWidget* parent, const QString& question) {
    if (ExchangeUi().Confirm)
        return ExchangeUi().Confirm(question);
    return AskAndWait(parent, QMessageBox::Question, QCoreApplication::applicationName(), question,
                      QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

QString Choose(QWidget* parent, TExchangeFile kind, const QString& folder) {
    if (ExchangeUi().ChooseFile)
        return ExchangeUi().ChooseFile(kind, folder);
    QFileDialog dialog(parent);
    dialog.setDirectory(folder);
    dialog.setOption(QFileDialog::DontUseNativeDialog, false);
    switch (kind) {
    case TExchangeFile::BackupFolder:
        dialog.setWindowTitle(TExchangeCommands::tr("Backup.."));
        dialog.setLabelText(QFileDialog::LookIn,
                            TExchangeCommands::tr("Select directory for backup files"));
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly);
        break;
    case TExchangeFile::Export:
        dialog.setWindowTitle(TExchangeCommands::tr("Export to file..."));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setNameFilters({TExchangeCommands::tr("Events files (*.evn)"),
                               TExchangeCommands::tr("Comma Separated Values (*.csv)"),
                               TExchangeCommands::tr("iCalendar files (*.ics)")});
        dialog.setDefaultSuffix(QStringLiteral("evn"));
        // The file written may have another name than the one chosen: asked about below.
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        break;
    case TExchangeFile::Restore:
        dialog.setWindowTitle(TExchangeCommands::tr("Restore from events and templates files..."));
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setNameFilters(
            {TExchangeCommands::tr("Backup files (kelvo-backup.evn)"),
             TExchangeCommands::tr("Temporary saved files (*.~ev saving\\ of*.evn before*.evn)"),
             TExchangeCommands::tr("Tavrelon MP3 files (*.evn)")});
        break;
    case TExchangeFile::ImportEvents:
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setNameFilters({TExchangeCommands::tr("Events files (*.evn)"),
                               TExchangeCommands::tr("Holidays files (*.hld)"),
                               TExchangeCommands::tr("iCalendar files (*.ics)"),
                               TExchangeCommands::tr("Temporary saved files (*.~ev)"),
                               TExchangeCommands::tr("Backup files (kelvo-backup.evn)")});
        break;
    case TExchangeFile::ImportHolidays:
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setNameFilters({TExchangeCommands::tr("Holidays file (*.hld)"),
                               TExchangeCommands::tr("iCalendar files (*.ics)")});
        break;
    }
    if (RunAndWait(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

QString FolderOf(const std::string& file) {
    return QFileInfo(QString::fromStdString(file)).absolutePath();
}

void Save(const std::string& file, const std::string& bytes) {
    SafeSave(file, bytes, Now(), DateOrderOf(CurrentLocale().ShortDateFormat()));
}

std::vector<TEvent*> Pointers(const TOwnedEvents& events) {
    std::vector<TEvent*> out;
    for (const auto& e : events)
        out.push_back(e.get());
    return out;
}

QString KeepActionsQuestion(const std::vector<std::string>& outside) {
    QString list;
    for (const std::string& a : outside)
        list += QStringLiteral("\n") + Q(a);
    return TExchangeCommands::tr("The arriving events start programs or send mail:\n%1\n\nKeep "
                                 "these actions? \"No\" removes them from these events.")
        .arg(list);
}

// Events arriving from another file count from now; their programs and mails run only once
// the user has seen them and kept them.
void AcceptArrivals(QWidget* parent, std::vector<TEvent*> events) {
    for (TEvent* e : events)
        CountFromNow(*e);
    const std::vector<std::string> outside = OutsideActions(events);
    if (outside.empty())
        return;
    if (!Confirm(parent, KeepActionsQuestion(outside)))
        for (TEvent* e : events)
            RemoveOutsideActions(*e);
}

struct TReadEvents {
    TOwnedEvents Events;
    std::vector<std::string> Notes;
};

// An iCalendar, holiday or events file, told apart by its content.
TReadEvents ReadAnyEventsFile(const std::string& file) {
    TReadEvents read;
    const std::string bytes = ReadFileBytes(file);
    if (LooksLikeICalendar(bytes)) {
        const TCalFile parsed = ParseICalendar(bytes);
        TCalendarImport imported = ImportCalendarItems(parsed.Items, ExpandCalendarItem);
        read.Events = std::move(imported.Events);
        read.Notes = parsed.Unsupported;
        read.Notes.insert(read.Notes.end(), imported.Notes.begin(), imported.Notes.end());
    } else if (bytes.substr(0, 40).find("Reminder notebook file") != std::string::npos) {
        TAnswerNoHost host;
        read.Events = ReadEvents(bytes, host);
        read.Notes = host.Errors;
    } else {
        THolidayFile holidays = ParseHolidays(bytes);
        read.Events = NewHolidayEvents(holidays.Holidays, {});
        read.Notes = std::move(holidays.Problems);
    }
    return read;
}

void ShowNotes(QWidget* parent, const std::string& file, const std::vector<std::string>& notes) {
    if (notes.empty())
        return;
    QString text = TExchangeCommands::tr("Not everything in %1 could be imported:").arg(Q(file));
    for (const std::string& n : notes)
        text += QStringLiteral("\n") + Q(n);
    Warn(parent, text);
}

// An event with the UID of one in the notebook takes that one's place.
void AddMatchingUids(TProgramSession& session, TOwnedEvents events) {
    TReminderNotebook& notebook = session.Notebook();
    for (const auto& e : events) {
        if (e->Uid().empty())
            continue;
        for (int i = notebook.EventCount() - 1; i >= 0; --i)
            if (notebook.Event(i).Uid() == e->Uid())
                notebook.DeleteEvent(notebook.Event(i));
    }
    notebook.AddEvents(std::move(events));
    session.DataFiles().SaveEvents();
}

QString Stamp() {
    return QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh.mm.ss"));
}

} // namespace

TExchangeUi& ExchangeUi() {
    static TExchangeUi ui;
    return ui;
}

void AskToKeepArrivingActions(QWidget* parent, const std::vector<std::string>& actions,
                              std::function<void(bool keep)> answered) {
    if (ExchangeUi().Confirm) {
        answered(ExchangeUi().Confirm(KeepActionsQuestion(actions)));
        return;
    }
    ShowBox(parent, QMessageBox::Question, QCoreApplication::applicationName(),
            KeepActionsQuestion(actions), QMessageBox::Yes | QMessageBox::No, QMessageBox::No,
            [answered = std::move(answered)](QMessageBox::StandardButton button) {
                answered(button == QMessageBox::Yes);
            });
}

void BackupCommand(TProgramSession& session, QWidget* parent) {
    static QString folder;
    if (folder.isEmpty())
        folder = FolderOf(session.DataFiles().EventsFileName());
    const QString chosen = Choose(parent, TExchangeFile::BackupFolder, folder);
    if (chosen.isEmpty())
        return;
    folder = chosen;
    const std::string t = S(QDir(chosen).filePath(QStringLiteral("kelvo-backup.tpl")));
    const std::string e = S(QDir(chosen).filePath(QStringLiteral("kelvo-backup.evn")));
    try {
        session.Templates().EnsureDefaultTemplate();
        // Each through a temporary file: a backup that fails leaves the previous one whole.
        Save(t, WriteTemplates(session.Templates()));
        Save(e, WriteEvents(session.Notebook().GetEvents()));
    } catch (const std::exception& error) {
        Warn(parent, Q(error.what()));
        return;
    }
    Inform(parent, TExchangeCommands::tr(
                       "Backuping is successfull. Information saved to files:\n\r\n\r%1\n\r%2")
                       .arg(QString::fromStdString(e), QString::fromStdString(t)));
}

void RestoreCommand(TProgramSession& session, QWidget* parent) {
    TDataFileCommands& files = session.DataFiles();
    const QString chosen = Choose(parent, TExchangeFile::Restore, FolderOf(files.EventsFileName()));
    if (chosen.isEmpty())
        return;
    const QString before = QDir(FolderOf(files.EventsFileName()))
                               .filePath(QStringLiteral("before restore ") + Stamp());
    if (!Confirm(parent, TExchangeCommands::tr(
                             "Restore the templates and events from %1?\n\nThe current ones are "
                             "kept as \"%2.evn\" and \"%2.tpl\".")
                             .arg(chosen, before)))
        return;
    const std::string eventsFile = S(chosen);
    try {
        Save(S(before) + ".evn", WriteEvents(session.Notebook().GetEvents()));
        Save(S(before) + ".tpl", WriteTemplates(session.Templates()));
        // Asked before anything is loaded, so nothing can arise while the question is open.
        TAnswerNoHost host;
        const TOwnedEvents preview = LoadEventsFile(eventsFile, host);
        const std::vector<std::string> outside = OutsideActions(Pointers(preview));
        bool keepOutside = true;
        if (!outside.empty())
            keepOutside = Confirm(parent, KeepActionsQuestion(outside));
        const std::string paired = TDataFileCommands::TemplatesFileOf(eventsFile);
        // Without a templates file of its own the current templates stay.
        files.LoadFrom(eventsFile, fs::exists(paired) ? paired : S(before) + ".tpl");
        TReminderNotebook& notebook = session.Notebook();
        for (int i = 0; i < notebook.EventCount(); ++i) {
            CountFromNow(notebook.Event(i));
            if (!keepOutside)
                RemoveOutsideActions(notebook.Event(i));
        }
        notebook.RestartGenerator();
        files.Save();
    } catch (const std::exception& error) {
        Warn(parent, Q(error.what()));
    }
}

void ExportCommand(TProgramSession& session, QWidget* parent, const QAbstractItemView* list) {
    const QAbstractItemModel* model = list ? list->model() : &session.EventModel();
    std::vector<TEvent*> events;
    for (int r = 0; r < model->rowCount(); ++r)
        if (auto* e = static_cast<TEvent*>(
                model->index(r, 0).data(TEventListModel::EventRole).value<void*>()))
            events.push_back(e);
    if (events.empty()) {
        Inform(parent, TExchangeCommands::tr("Empty event list. Nothing to export."));
        return;
    }
    static QString folder;
    if (folder.isEmpty())
        folder = FolderOf(session.DataFiles().EventsFileName());
    const QString chosen = Choose(parent, TExchangeFile::Export, folder);
    if (chosen.isEmpty())
        return;
    folder = QFileInfo(chosen).absolutePath();
    const QString suffix = QFileInfo(chosen).suffix().toLower();
    QString target = chosen;
    std::string bytes;
    if (suffix == QLatin1String("csv")) {
        const auto* tree = qobject_cast<const QTreeView*>(list);
        std::vector<int> columns;
        for (int c = 0; c < model->columnCount(); ++c)
            if (!tree || tree->header()->sectionSize(c) > 3)
                if (!tree || !tree->isColumnHidden(c))
                    columns.push_back(c);
        TCsvRow header;
        for (int c : columns)
            header.push_back(S(model->headerData(c, Qt::Horizontal).toString()));
        std::vector<TCsvRow> rows;
        for (int r = 0; r < model->rowCount(); ++r) {
            TCsvRow row;
            for (int c : columns)
                row.push_back(S(model->index(r, c).data().toString()));
            rows.push_back(std::move(row));
        }
        bytes = CsvText(header, rows);
    } else if (suffix == QLatin1String("ics")) {
        bytes = WriteICalendar(CalendarItemsOf(events));
    } else {
        const QFileInfo info(chosen);
        target =
            QDir(info.absolutePath()).filePath(info.completeBaseName() + QStringLiteral(".evn"));
        if (info.suffix().isEmpty())
            target = chosen + QStringLiteral(".evn");
        bytes = WriteEvents(TEventList(events));
    }
    if (QFileInfo::exists(target) &&
        !Confirm(
            parent,
            TExchangeCommands::tr("%1 already exists.\nDo you want to replace it?").arg(target)))
        return;
    try {
        Save(S(target), bytes);
        if (suffix == QLatin1String("ics"))
            session.DataFiles().SaveEvents(); // the UIDs the export gave
    } catch (const std::exception& error) {
        Warn(parent, Q(error.what()));
    }
}

void ImportEventsCommand(TProgramSession& session, QWidget* parent) {
    TImportEventsForm form(session.Templates(), parent);
    form.ChooseFile = [parent](const QString& folder) {
        return Choose(parent, TExchangeFile::ImportEvents, folder);
    };
    if (ExchangeUi().RunImportForm ? !ExchangeUi().RunImportForm(form)
                                   : RunAndWait(form) != QDialog::Accepted)
        return;
    const std::string file = S(form.FileName());
    try {
        TReadEvents read = ReadAnyEventsFile(file);
        for (auto& e : read.Events) {
            const bool known = session.Templates().FindTemplate(e->Template()) != nullptr;
            if (form.AllToOneTemplate())
                e->SetTemplate(S(form.TargetTemplate()));
            else if (!known)
                e->SetTemplate(S(form.FallbackTemplate()));
        }
        AcceptArrivals(parent, Pointers(read.Events));
        AddMatchingUids(session, std::move(read.Events));
        ShowNotes(parent, file, read.Notes);
    } catch (const std::exception& error) {
        Warn(parent, Q(error.what()));
    }
}

void ImportHolidaysCommand(TProgramSession& session, QWidget* parent) {
    const QString chosen = Choose(parent, TExchangeFile::ImportHolidays,
                                  QString::fromStdString(ProgramFolders().HolidaysFolder()));
    if (chosen.isEmpty())
        return;
    const std::string file = S(chosen);
    try {
        const std::string bytes = ReadFileBytes(file);
        std::vector<const TEvent*> existing;
        for (int i = 0; i < session.Notebook().EventCount(); ++i)
            existing.push_back(&session.Notebook().Event(i));
        TOwnedEvents added;
        std::vector<std::string> notes;
        if (LooksLikeICalendar(bytes)) {
            TReadEvents read = ReadAnyEventsFile(file);
            notes = read.Notes;
            for (auto& e : read.Events) {
                // A holiday runs nothing and opens no window, whatever the file says.
                e->EventAction().Actions().Clear();
                e->SetHasReminder(false);
                TEventOptions o = e->Options();
                o.Exclude(eoAlarmWindowOnEvent);
                o.Exclude(eoMessageAboutComingLate);
                e->SetOptions(o);
                bool known = false;
                for (const TEvent* old : existing)
                    known = known || IsSameHoliday(*old, *e);
                if (!known)
                    added.push_back(std::move(e));
            }
        } else {
            THolidayFile holidays = ParseHolidays(bytes);
            added = NewHolidayEvents(holidays.Holidays, existing);
            notes = std::move(holidays.Problems);
        }
        for (auto& e : added)
            CountFromNow(*e);
        if (!added.empty()) {
            session.Notebook().AddEvents(std::move(added));
            session.DataFiles().SaveEvents();
        }
        ShowNotes(parent, file, notes);
    } catch (const std::exception& error) {
        Warn(parent, Q(error.what()));
    }
}

} // namespace kelvo
