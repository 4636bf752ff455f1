// The main window's backup, restore, export and imports, triggered from its File menu over a
// private data folder, with the file dialogs and questions answered by the test.

#include "core/entities/Reminder.h"
#include "core/persistence/EventFile.h"
#include "core/timers/ProgramFolders.h"
#include "gui/exchange/ExchangeCommands.h"
#include "gui/exchange/fmImportEvents.h"
#include "gui/main/fmMainForm.h"
#include "gui/session/ProgramSession.h"
#include "platform/settings/AppIniReg.h"
#include "support/EntitySamples.h"
#include "support/MainFormRun.h"
#include "support/TestClock.h"
#include "support/TestSupport.h"
#include "support/WindowTestMain.h"

#include <QAction>
#include <QApplication>
#include <QRadioButton>
#include <QTest>
#include <filesystem>

using namespace kelvo;
namespace fs = std::filesystem;

namespace {

test::TempDir* home = nullptr;

fs::path DataFolder() {
    return test::ProgramDataFolder(home->Path());
}

std::vector<std::string> MessagesIn(const fs::path& file) {
    TAnswerNoHost host;
    std::vector<std::string> out;
    for (auto& e : LoadEventsFile(file.string(), host))
        out.push_back(e->WindowMessage());
    return out;
}

std::unique_ptr<TEvent> Launching(const std::string& message) {
    auto e = samples::SilentEventOnceAt(EncodeDateTime(2030, 6, 1, 10, 0), message);
    auto launch = std::make_unique<TLaunchAppEventAction>();
    launch->SetFileName("/usr/bin/backup");
    e->EventAction().Actions().Add(std::move(launch));
    e->SetCreationTime(EncodeDateTime(2030, 1, 1, 0, 0));
    return e;
}

void WriteEvents(const fs::path& file, std::vector<std::unique_ptr<TEvent>> events) {
    TEventList list;
    for (auto& e : events)
        list.Add(*e);
    fs::create_directories(file.parent_path());
    SaveEventsFile(file.string(), list);
}

} // namespace

class ExchangeDialogsTest : public QObject {
    Q_OBJECT

    struct Run : test::MainFormParts {
        Run() {
            form.ShowMessage = [](TMessageKind, const QString&) {};
            form.Startup({});
            TExchangeUi& ui = ExchangeUi();
            ui.ChooseFile = [this](TExchangeFile kind, const QString&) {
                kinds.push_back(kind);
                return chosen;
            };
            ui.Confirm = [this](const QString& q) {
                questions.push_back(q);
                return answer;
            };
            ui.Inform = [this](const QString& t) { informed.push_back(t); };
            ui.Warn = [this](const QString& t) { warned.push_back(t); };
        }
        ~Run() { ExchangeUi() = {}; }
        void Trigger(const char* command) {
            QAction* action = form.Command(QString::fromLatin1(command));
            QVERIFY2(action, command);
            action->trigger();
        }
        TReminderNotebook& Notebook() { return session.Notebook(); }

        QString chosen;
        bool answer = true;
        std::vector<TExchangeFile> kinds;
        QStringList questions, informed, warned;
    };

private slots:
    void init() {
        fs::remove_all(home->Path() / "data");
        fs::remove_all(home->Path() / "config");
        fs::remove_all(home->Path() / "out");
        fs::create_directories(home->Path() / "out");
    }

    void aFailingBackupLeavesThePreviousOneWhole() {
        test::TestClock clock(EncodeDateTime(2030, 5, 1, 9, 0));
        Run run;
        run.Notebook().AddEvent(Launching("Backup job"));
        run.chosen = QString::fromStdString((home->Path() / "out").string());
        run.Trigger("FileBackupAction");
        const fs::path evn = home->Path() / "out" / "kelvo-backup.evn";
        const fs::path tpl = home->Path() / "out" / "kelvo-backup.tpl";
        QCOMPARE(MessagesIn(evn), std::vector<std::string>{"Backup job"});
        QVERIFY(fs::exists(tpl));
        QCOMPARE(run.informed.size(), 1);
        QVERIFY(run.informed[0].contains(QString::fromStdString(evn.string())));
        const std::string before = test::ReadWholeFile(evn);

        // The templates file cannot be replaced now: nothing of the first backup is lost.
        fs::remove(tpl);
        fs::create_directories(tpl / "in the way");
        run.Notebook().AddEvent(Launching("Second"));
        run.Trigger("FileBackupAction");
        QCOMPARE(run.warned.size(), 1);
        QCOMPARE(run.informed.size(), 1);
        QCOMPARE(test::ReadWholeFile(evn), before);
    }

    void restoreAsksKeepsTheCurrentPairAndShowsLaunchesFirst() {
        test::TestClock clock(EncodeDateTime(2030, 5, 1, 9, 0));
        const fs::path backup = home->Path() / "out" / "old.evn";
        std::vector<std::unique_ptr<TEvent>> old;
        old.push_back(Launching("Old backup job"));
        old.back()->InitializeCondition().SetLastAppear(EncodeDateTime(2030, 4, 1, 10, 0));
        WriteEvents(backup, std::move(old));
        Run run;
        run.Notebook().AddEvent(
            samples::SilentEventOnceAt(EncodeDateTime(2030, 7, 1, 9, 0), "Current"));
        const std::string location = run.session.DataFiles().EventsFileName();
        run.chosen = QString::fromStdString(backup.string());

        run.answer = false;
        run.Trigger("FileRestoreAction");
        QCOMPARE(run.questions.size(), 1);
        QCOMPARE(run.Notebook().Event(0).WindowMessage(), std::string("Current"));

        run.answer = true;
        run.Trigger("FileRestoreAction");
        QVERIFY2(run.warned.isEmpty(), qPrintable(run.warned.join("\n")));
        // The question, then the one list of what the arriving events launch.
        QCOMPARE(run.questions.size(), 3);
        QVERIFY(run.questions[2].contains(QStringLiteral("Old backup job")));
        QCOMPARE(run.Notebook().EventCount(), 1);
        TEvent& restored = run.Notebook().Event(0);
        QCOMPARE(restored.WindowMessage(), std::string("Old backup job"));
        QVERIFY(IsNullDate(restored.LastAppear())); // nothing of before is missed
        QCOMPARE(run.session.DataFiles().EventsFileName(), location);
        QVERIFY(run.session.Templates().DefaultTemplate() != nullptr);
        int beforePairs = 0;
        for (const auto& f : fs::directory_iterator(DataFolder()))
            if (f.path().filename().string().starts_with("before restore ") &&
                f.path().extension() == ".evn") {
                ++beforePairs;
                QCOMPARE(MessagesIn(f.path()), std::vector<std::string>{"Current"});
                QVERIFY(fs::exists(fs::path(f.path()).replace_extension(".tpl")));
            }
        QCOMPARE(beforePairs, 1);
    }

    void exportAsksAboutTheFileItReallyWrites() {
        test::TestClock clock(EncodeDateTime(2030, 5, 1, 9, 0));
        Run run;
        run.Notebook().AddEvent(
            samples::SilentEventOnceAt(EncodeDateTime(2030, 7, 1, 9, 0), "=1+1"));
        const fs::path evn = home->Path() / "out" / "list.evn";
        test::WriteWholeFile(evn, "keep me");
        run.chosen = QString::fromStdString((home->Path() / "out" / "list.txt").string());
        run.answer = false;
        run.Trigger("FileExportEventsAction");
        QCOMPARE(run.questions.size(), 1);
        QVERIFY(run.questions[0].contains(QString::fromStdString(evn.string())));
        QCOMPARE(test::ReadWholeFile(evn), std::string("keep me"));
        run.answer = true;
        run.Trigger("FileExportEventsAction");
        QCOMPARE(MessagesIn(evn), std::vector<std::string>{"=1+1"});

        // Capital letters are CSV too; the formula-like name cannot run.
        run.chosen = QString::fromStdString((home->Path() / "out" / "LIST.CSV").string());
        run.Trigger("FileExportEventsAction");
        const std::string csv = test::ReadWholeFile(home->Path() / "out" / "LIST.CSV");
        QVERIFY2(csv.starts_with("\xEF\xBB\xBF\"Name\""), csv.c_str());
        QVERIFY2(csv.find("\r\n\"'=1+1\",") != std::string::npos, csv.c_str());
    }

    void importedEventsGoToTheChosenTemplateAndLaunchNothingUnseen() {
        test::TestClock clock(EncodeDateTime(2030, 5, 1, 9, 0));
        const fs::path file = home->Path() / "out" / "other.evn";
        std::vector<std::unique_ptr<TEvent>> other;
        other.push_back(Launching("Imported job"));
        other.back()->SetTemplate("Nowhere");
        WriteEvents(file, std::move(other));
        Run run;
        bool shown = false;
        ExchangeUi().RunImportForm = [&](TImportEventsForm& form) {
            shown = true;
            form.SetFileName(QString::fromStdString(file.string()));
            return true;
        };
        run.answer = false; // the launch is not kept
        run.Trigger("FileImportEventsAction");
        QVERIFY(shown);
        QVERIFY2(run.warned.isEmpty(), qPrintable(run.warned.join("\n")));
        QCOMPARE(run.Notebook().EventCount(), 1);
        TEvent& e = run.Notebook().Event(0);
        QCOMPARE(e.Template(), std::string("Miscellaneous"));
        QCOMPARE(e.EventAction().Actions().Count(), 0);
        QCOMPARE(run.questions.size(), 1);
        QVERIFY(run.questions[0].contains(QStringLiteral("Imported job")));

        ExchangeUi().RunImportForm = [&](TImportEventsForm& form) {
            form.SetFileName(QString::fromStdString(file.string()));
            auto* all = form.findChild<QRadioButton*>();
            for (auto* r : form.findChildren<QRadioButton*>())
                if (r->text().contains(QStringLiteral("&all")))
                    all = r;
            all->setChecked(true);
            if (const QByteArray shots = qgetenv("KELVO_SHOTS"); !shots.isEmpty())
                form.grab().save(QString::fromLocal8Bit(shots) + "/import-events.png");
            return true;
        };
        run.answer = true;
        run.Trigger("FileImportEventsAction");
        QCOMPARE(run.Notebook().EventCount(), 2);
        QCOMPARE(run.Notebook().Event(1).EventAction().Actions().Count(), 1);
    }

    void holidaysComeOnceFromTheShippedFolder() {
        test::TestClock clock(EncodeDateTime(2030, 5, 1, 9, 0));
        const fs::path file = home->Path() / "out" / "few.hld";
        test::WriteWholeFile(file, "12-25 Christmas\n2030-04-19 Good Friday\nnonsense\n");
        Run run;
        run.chosen = QString::fromStdString(file.string());
        run.Trigger("FileImportHolidaysAction");
        run.Trigger("FileImportHolidaysAction");
        QCOMPARE(run.Notebook().EventCount(), 2);
        QCOMPARE(run.warned.size(), 2); // the bad line, each time
        QVERIFY(run.warned[0].contains(QStringLiteral("line 3")));
        QVERIFY(QString::fromStdString(ProgramFolders().HolidaysFolder()).endsWith("Holidays/"));
    }
};

int main(int argc, char** argv) {
    return test::WindowTestMain<ExchangeDialogsTest>(argc, argv, &home);
}

#include "ExchangeDialogsTest.moc"
