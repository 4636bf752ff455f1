#pragma once

// The File menu's backup, restore, export and the two imports, each one entry taking the
// session and the window it belongs to. What they ask the user goes through ExchangeUi(), so
// that tests can give the answers.

#include <QString>
#include <functional>
#include <string>
#include <vector>

class QAbstractItemView;
class QWidget;

namespace kelvo {

class TImportEventsForm;
class TProgramSession;

enum class TExchangeFile { BackupFolder, Export, Restore, ImportEvents, ImportHolidays };

struct TExchangeUi {
    // The file or folder chosen, or empty for Cancel; folder is where the dialog starts.
    std::function<QString(TExchangeFile kind, const QString& folder)> ChooseFile;
    std::function<bool(const QString& question)> Confirm;
    std::function<void(const QString& text)> Inform;
    std::function<void(const QString& text)> Warn;
    // Shows the "Import events..." dialog; true for OK.
    std::function<bool(TImportEventsForm& form)> RunImportForm;
};
// Empty members use the program's own non-modal dialogs and boxes.
TExchangeUi& ExchangeUi();

// The question an import asks about the programs and mails of arriving events, for the
// events a CalDAV sync brought: returns at once, answered gets true when they are kept.
void AskToKeepArrivingActions(QWidget* parent, const std::vector<std::string>& actions,
                              std::function<void(bool keep)> answered);

void BackupCommand(TProgramSession& session, QWidget* parent);
void RestoreCommand(TProgramSession& session, QWidget* parent);
// list: the list on screen, whose rows in the order shown and whose visible columns are
// exported; none exports every event.
void ExportCommand(TProgramSession& session, QWidget* parent,
                   const QAbstractItemView* list = nullptr);
void ImportEventsCommand(TProgramSession& session, QWidget* parent);
void ImportHolidaysCommand(TProgramSession& session, QWidget* parent);

} // namespace kelvo
