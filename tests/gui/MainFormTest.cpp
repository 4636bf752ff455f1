// The main window on a private data and settings folder: start-up, the file commands, the
// alarm modes, arisings on a hand-driven clock, and the close button.

#include "core/actions/AlarmSwitches.h"
#include "core/persistence/EventFile.h"
#include "core/scheduling/SimpleInitializeCondition.h"
#include "gui/alarm/AlarmWindows.h"
#include "gui/alarm/fmAlarmMessage.h"
#include "gui/main/fmMainForm.h"
#include "gui/models/EventListModel.h"
#include "gui/session/ProgramSession.h"
#include "platform/settings/AppIniReg.h"
#include "support/EntitySamples.h"
#include "support/MainFormRun.h"
#include "support/ShownRows.h"
#include "support/TestClock.h"
#include "support/TestSupport.h"
#include "support/WindowTestMain.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <filesystem>
#include <memory>
#include <optional>

using namespace kelvo;
namespace fs = std::filesystem;

namespace {

test::TempDir* home = nullptr;

fs::path DataFolder() {
    return test::ProgramDataFolder(home->Path());
}
fs::path DataFile(const char* extension) {
    return DataFolder() / (std::string("kelvo-rem") + extension);
}

void WriteEventsFile(const fs::path& file, const std::vector<std::string>& messages,
                     TDateTime when) {
    TOwnedEvents owned;
    TEventList list;
    for (const auto& m : messages) {
        owned.push_back(samples::SilentEventOnceAt(when, m));
        list.Add(*owned.back());
    }
    fs::create_directories(file.parent_path());
    SaveEventsFile(file.string(), list);
}

std::vector<std::string> MessagesInFile(const fs::path& file) {
    TAnswerNoHost host;
    std::vector<std::string> out;
    for (auto& e : LoadEventsFile(file.string(), host))
        out.push_back(e->WindowMessage());
    return out;
}

} // namespace

class MainFormTest : public QObject {
    Q_OBJECT

    // One program run: the window over the real settings store and data folder.
    struct Run : test::MainFormParts {
        explicit Run(const QStringList& arguments = {}) {
            form.ShowMessage = [this](TMessageKind kind, const QString& text) {
                messages.push_back({kind, text});
            };
            form.Confirm = [this](const QString& question) {
                questions.push_back(question);
                return answer;
            };
            form.Startup(arguments);
        }
        test::ManualTimer& Generator() { return *timers.Timers().front(); }

        std::vector<std::pair<TMessageKind, QString>> messages;
        std::vector<QString> questions;
        bool answer = true;
    };

    void Trigger(Run& run, const char* command) {
        QAction* action = run.form.Command(QString::fromLatin1(command));
        QVERIFY2(action, command);
        action->trigger();
    }

private slots:
    void init() {
        fs::remove_all(home->Path() / "data");
        fs::remove_all(home->Path() / "config");
        AlarmSwitches().SetAlarmMode(0);
    }

    void firstStartCreatesDataFolderDataFilesAndSettings() {
        {
            Run run;
            QVERIFY(run.messages.empty());
            // The start-up's save follows the first paint, or the first pass of the loop.
            QTRY_VERIFY(fs::exists(DataFile(".evn")));
            QVERIFY(fs::exists(DataFile(".tpl")));
            QCOMPARE(fs::status(DataFolder()).permissions() & fs::perms::all, fs::perms::owner_all);
            QCOMPARE(run.ini.ReadInteger("", "FirstRun", 1), 0);
            QCOMPARE(run.form.windowTitle(), QStringLiteral("Tavrelon MP3"));
            QCOMPARE(run.form.NextEventText(), QStringLiteral("No sheduled event"));
            QCOMPARE(run.form.CountText(), QStringLiteral(" 0 event(s), 0 listed"));
        }
        QVERIFY(fs::exists(home->Path() / "config" / "Brennikor" / "Tavrelon MP3.conf"));
    }

    void menuCommandsCarryTheirCaptions() {
        Run run;
        const std::pair<const char*, const char*> captions[] = {
            {"FileLoadAction", "Load"},
            {"FileSaveAction", "Save"},
            {"FileSaveEventAction", "Save Events"},
            {"FileSaveTemplateAction", "Save Templates"},
            {"FileDataNewAction", "&New..."},
            {"FileDataOpenAction", "&Open..."},
            {"FileDataSaveAsAction", "Save &As..."},
            {"FileDataInfoAction", "Current Location..."},
            {"FileMinimize", "&Minimize"},
            {"FileSaveAndMinimize", "Save && Minimize"},
            {"FileExit", "E&xit"},
            {"ServiceAllEnabledAction", "&Enable All"},
            {"ServiceDisableSoundAction", "Disable &Sound Actions"},
            {"ServiceDisableActionsExceptWindowAction", "Disable All Actions &except Alarm Window"},
            {"ServiceDisableAllAction", "Disable &All Actions"},
        };
        for (const auto& [name, caption] : captions) {
            QAction* action = run.form.Command(QString::fromLatin1(name));
            QVERIFY2(action, name);
            QCOMPARE(action->text(), QString::fromLatin1(caption));
        }
        QStringList tray;
        for (QAction* a : run.form.TrayMenu()->actions())
            if (!a->isSeparator())
                tray << a->text();
        QCOMPARE(
            tray,
            (QStringList{"Show &Main window", "Options...", "&Alarm Options", "Add &Quick Event...",
                         "Add Quick Event in...", "Add Event by Favorite Template",
                         "Add Event by the selected &Template...", "On the &Web", "&About...",
                         "Tip of the Day...", "&Help Topics", "&Close this menu", "E&xit"}));
    }

    void everyNotebookChangeIsSavedAndListed() {
        test::TestClock clock(EncodeDateTime(2030, 6, 1, 9, 0));
        Run run;
        run.session.Notebook().AddEvent(
            samples::SilentEventOnceAt(EncodeDateTime(2030, 6, 1, 9, 30), "Dentist"));
        QCOMPARE(MessagesInFile(DataFile(".evn")), std::vector<std::string>{"Dentist"});
        QTreeView* list = run.form.EventList();
        QCOMPARE(test::ShownRowCount(list), 1);
        QCOMPARE(test::ShownText(list, 0, 0), QStringLiteral("Dentist"));
        QCOMPARE(test::ShownText(list, 0, TEventListModel::ColNextEvent),
                 QStringLiteral("Sat 2030-06-01 09:30"));
        QCOMPARE(test::ShownText(list, 0, TEventListModel::ColState), QStringLiteral("Enabled"));
        QCOMPARE(run.form.NextEventText(),
                 QStringLiteral("Next event: \"Dentist\" at Sat 2030-06-01 09:30"));
        QCOMPARE(run.form.CountText(), QStringLiteral(" 1 event(s), 1 listed"));

        run.session.Notebook().DeleteEvent(run.session.Notebook().Event(0));
        QVERIFY(MessagesInFile(DataFile(".evn")).empty());
        QCOMPARE(test::ShownRowCount(list), 0);
    }

    void anArisingIsSavedBeforeItsAlarmWindowOpens() {
        test::TestClock clock(EncodeDateTime(2030, 6, 1, 9, 59, 30));
        Run run;
        run.session.Notebook().AddEvent(
            samples::SilentEventOnceAt(EncodeDateTime(2030, 6, 1, 10, 0), "Standup"));
        std::vector<std::string> seen;
        TDateTime savedAppear = NullDate;
        run.form.OpenAlarmWindow = [&](TEvent& event, TWaitingAriseEntity& arisen, TDateTime,
                                       TAlarmReason reason) {
            QCOMPARE(&arisen, static_cast<TWaitingAriseEntity*>(&event));
            QVERIFY(reason == TAlarmReason::Arise);
            seen.push_back(event.WindowMessage());
            TAlarmMessageForm* window = run.session.AlarmWindows().FindAlarmWindow(event);
            QVERIFY(window && window->isVisible());
            // KELVO_SHOTS=folder keeps a picture of the window for a look by eye.
            if (const QByteArray shots = qgetenv("KELVO_SHOTS"); !shots.isEmpty())
                window->grab().save(QString::fromLocal8Bit(shots) + "/alarm-window.png");
            TAnswerNoHost host;
            auto onDisk = LoadEventsFile(DataFile(".evn").string(), host);
            QCOMPARE(onDisk.size(), std::size_t{1});
            savedAppear = onDisk[0]->InitializeCondition().LastAppear();
        };
        for (int i = 0; i < 29; ++i) {
            clock.AdvanceSeconds(1);
            run.Generator().Fire();
        }
        QVERIFY(seen.empty());
        clock.AdvanceSeconds(1);
        run.Generator().Fire();
        QCOMPARE(seen, std::vector<std::string>{"Standup"});
        QVERIFY(!IsNullDate(savedAppear));
        QCOMPARE(test::ShownText(run.form.EventList(), 0, TEventListModel::ColState),
                 QStringLiteral("Executed"));
    }

    void snoozingForOneMinuteBringsTheWindowBackAMinuteLater() {
        test::TestClock clock(EncodeDateTime(2030, 6, 1, 9, 59, 30));
        Run run;
        auto event = samples::SilentEventOnceAt(EncodeDateTime(2030, 6, 1, 10, 0), "Tea");
        event->SetDefaultSnoozeNumber(1);
        event->SetDefaultSnoozePeriod(ptMinute);
        TEvent& tea = run.session.Notebook().AddEvent(std::move(event));
        std::vector<TAlarmReason> alarms;
        run.form.OpenAlarmWindow = [&](TEvent&, TWaitingAriseEntity&, TDateTime,
                                       TAlarmReason reason) { alarms.push_back(reason); };
        const auto seconds = [&](int n) {
            for (int i = 0; i < n; ++i) {
                clock.AdvanceSeconds(1);
                run.Generator().Fire();
            }
        };
        seconds(30); // 10:00:00
        QCOMPARE(alarms.size(), std::size_t{1});
        TAlarmMessageForm* window = run.session.AlarmWindows().FindAlarmWindow(tea);
        QVERIFY(window);
        window->SnoozeAlarm();
        QCOMPARE(test::ShownText(run.form.EventList(), 0, TEventListModel::ColState),
                 QStringLiteral("Snoozed on Sat 2030-06-01 10:01"));
        seconds(59);
        QCOMPARE(alarms.size(), std::size_t{1});
        seconds(1); // 10:01:00
        QCOMPARE(alarms.size(), std::size_t{2});
        QVERIFY(alarms[1] == TAlarmReason::Snooze);
        QVERIFY(run.session.AlarmWindows().FindAlarmWindow(tea));
    }

    void aSetClockRestartsTheGeneratorFromTheNewTime() {
        test::TestClock clock(EncodeDateTime(2030, 6, 1, 9, 0));
        Run run;
        clock.Set(EncodeDateTime(2030, 6, 3, 18, 30));
        run.form.ClockChanged();
        QCOMPARE(run.session.Notebook().Generator().LastTime(), EncodeDateTime(2030, 6, 3, 18, 30));
        QVERIFY(run.Generator().IsActive());
    }

    void noAlarmWindowWhileAlarmWindowsAreOff() {
        test::TestClock clock(EncodeDateTime(2030, 6, 1, 9, 59, 30));
        Run run;
        run.session.Notebook().AddEvent(
            samples::SilentEventOnceAt(EncodeDateTime(2030, 6, 1, 10, 0), "Quiet"));
        int windows = 0;
        run.form.OpenAlarmWindow = [&](TEvent&, TWaitingAriseEntity&, TDateTime, TAlarmReason) {
            ++windows;
        };
        Trigger(run, "ServiceDisableAllAction");
        const std::string before = test::ReadWholeFile(DataFile(".evn"));
        clock.AdvanceSeconds(31);
        run.Generator().Fire();
        QCOMPARE(windows, 0);
        QVERIFY(test::ReadWholeFile(DataFile(".evn")) != before); // still saved
    }

    void alarmModesToggleCheckAndPersist() {
        {
            Run run;
            QVERIFY(run.form.Command("ServiceAllEnabledAction")->isChecked());
            QVERIFY(!run.form.TrayPictureDisabled());
            Trigger(run, "ServiceDisableSoundAction");
            QCOMPARE(AlarmSwitches().AlarmMode(), 1);
            QVERIFY(run.form.Command("ServiceDisableSoundAction")->isChecked());
            QVERIFY(!run.form.Command("ServiceAllEnabledAction")->isChecked());
            QVERIFY(run.form.TrayPictureDisabled());
            Trigger(run, "ServiceDisableSoundAction");
            QCOMPARE(AlarmSwitches().AlarmMode(), 0);
            QCOMPARE(run.session.Settings().AlarmOption(), 0);
            QVERIFY(!run.form.TrayPictureDisabled());
            Trigger(run, "ServiceDisableActionsExceptWindowAction");
        }
        AlarmSwitches().SetAlarmMode(0); // a new process starts with everything on
        Run again;
        QCOMPARE(AlarmSwitches().AlarmMode(), 2);
        QVERIFY(!AlarmSwitches().SoundActionsEnabled());
        QVERIFY(!AlarmSwitches().ActionsEnabled());
        QVERIFY(AlarmSwitches().AlarmWindowsEnabled());
        QVERIFY(again.form.Command("ServiceDisableActionsExceptWindowAction")->isChecked());
        QVERIFY(again.form.TrayPictureDisabled());
    }

    void newOpenAndSaveAsFollowTheChosenFiles() {
        test::TestClock clock(EncodeDateTime(2030, 6, 1, 9, 0));
        Run run;
        TReminderNotebook& notebook = run.session.Notebook();
        for (const char* m : {"one", "two", "three"})
            notebook.AddEvent(samples::SilentEventOnceAt(EncodeDateTime(2030, 7, 1, 9, 0), m));
        const fs::path other = home->Path() / "other";
        fs::create_directories(other);
        QString chosen;
        std::vector<std::pair<bool, QString>> dialogs;
        run.form.ChooseDataFile = [&](bool forSave, const QString& folder) {
            dialogs.push_back({forSave, folder});
            return chosen;
        };

        chosen = QString::fromStdString((other / "copy.evn").string());
        Trigger(run, "FileDataSaveAsAction");
        QCOMPARE(dialogs.back().first, true);
        QCOMPARE(dialogs.back().second, QString::fromStdString(DataFolder().string()));
        QCOMPARE(MessagesInFile(other / "copy.evn"),
                 (std::vector<std::string>{"one", "two", "three"}));
        QVERIFY(fs::exists(other / "copy.tpl"));
        Trigger(run, "FileDataInfoAction");
        QCOMPARE(run.messages.back().first, TMessageKind::Information);
        QVERIFY(run.messages.back().second.contains(QStringLiteral("copy.evn")));

        chosen = QString::fromStdString((other / "fresh.evn").string());
        Trigger(run, "FileDataNewAction");
        QCOMPARE(dialogs.back().second, QString::fromStdString(other.string()));
        QCOMPARE(notebook.EventCount(), 0);
        QVERIFY(MessagesInFile(other / "fresh.evn").empty());
        QCOMPARE(test::ShownRowCount(run.form.EventList()), 0);

        chosen = QString::fromStdString((other / "copy.evn").string());
        Trigger(run, "FileDataOpenAction");
        QCOMPARE(dialogs.back().first, false);
        QCOMPARE(notebook.EventCount(), 3);
        QCOMPARE(test::ShownRowCount(run.form.EventList()), 3);
        QCOMPARE(run.session.Settings().DataLocation(), (other / "copy").string());

        // A damaged file: the error is shown and the previous data stays.
        test::WriteWholeFile(other / "bad.evn", "not a data file");
        chosen = QString::fromStdString((other / "bad.evn").string());
        const std::size_t before = run.messages.size();
        Trigger(run, "FileDataOpenAction");
        QCOMPARE(run.messages.size(), before + 1);
        QCOMPARE(run.messages.back().first, TMessageKind::Error);
        QCOMPARE(notebook.EventCount(), 3);
        QCOMPARE(test::ReadWholeFile(other / "bad.evn"), std::string("not a data file"));

        // Cancel changes nothing.
        chosen.clear();
        Trigger(run, "FileDataNewAction");
        QCOMPARE(notebook.EventCount(), 3);
    }

    void aDamagedDataFileStartsOnTheFallbackAndStaysUntouched() {
        fs::create_directories(DataFolder());
        test::WriteWholeFile(DataFile(".evn"), "garbage that is no events file");
        {
            Run run;
            QCOMPARE(run.messages.size(), std::size_t{1});
            QCOMPARE(run.messages[0].first, TMessageKind::Error);
            QVERIFY(run.messages[0].second.contains(
                QStringLiteral("Location of Data file changed to")));
            const std::string location = run.session.Settings().DataLocation();
            QVERIFY(location != (DataFolder() / "kelvo-rem").string());
            QCOMPARE(fs::path(location).parent_path(), DataFolder());
            QTRY_VERIFY(fs::exists(location + ".evn"));
        }
        QCOMPARE(test::ReadWholeFile(DataFile(".evn")),
                 std::string("garbage that is no events file"));
    }

    void manyDamagedRecordsGiveOneMessage() {
        test::TestClock clock(EncodeDateTime(2030, 6, 1, 9, 0));
        WriteEventsFile(DataFile(".evn"), {"a", "b", "c", "d", "e", "f", "g", "h"},
                        EncodeDateTime(2030, 7, 1, 9, 0));
        // Break every record after its marker: the reader skips each one.
        std::string bytes = test::ReadWholeFile(DataFile(".evn"));
        const std::string name = "TEvent";
        int broken = 0;
        for (std::size_t at = bytes.find(name); at != std::string::npos;
             at = bytes.find(name, at + 1)) {
            bytes[at] = 'X';
            ++broken;
        }
        QVERIFY(broken >= 8);
        test::WriteWholeFile(DataFile(".evn"), bytes);
        Run run;
        QCOMPARE(run.messages.size(), std::size_t{1});
        QVERIFY(run.messages[0].second.startsWith(QStringLiteral("8 damaged record(s)")));
        QVERIFY(run.messages[0].second.contains(QStringLiteral("...")));
    }

    void exitAsksAndOnlyYesEnds() {
        Run run;
        QSignalSpy exits(&run.form, &TMainForm::exitConfirmed);
        run.answer = false;
        Trigger(run, "FileExit");
        QCOMPARE(
            run.questions.back(),
            QStringLiteral("Do you really want to unload Tavrelon MP3 and disable reminders?"));
        QCOMPARE(exits.count(), 0);
        run.answer = true;
        Trigger(run, "FileExit");
        QCOMPARE(exits.count(), 1);
    }

    void closeButtonMinimizesAndNeverHidesWithoutATray() {
        Run run;
        run.form.ShowAtStart();
        QVERIFY(run.form.isVisible());
        QVERIFY(!run.form.TrayIconShown()); // no tray host offscreen
        QVERIFY(!run.form.close());
        QVERIFY(run.form.isVisible()); // minimized, not hidden: still reachable
        Trigger(run, "FileMinimize");
        QVERIFY(run.form.isVisible());
        run.form.RestoreWindow();
        QVERIFY(!run.form.isMinimized());
    }

    void trayArgumentIsCaseSensitive() {
        {
            Run run({QStringLiteral("-TRAY")});
            QVERIFY(!run.form.StartsInTray());
        }
        Run run({QStringLiteral("-tray")});
        QVERIFY(run.form.StartsInTray());
        run.form.ShowAtStart();
        // Without a tray host the window is minimized instead of hidden.
        QVERIFY(run.form.isVisible());
    }
};

int main(int argc, char** argv) {
    return test::WindowTestMain<MainFormTest>(argc, argv, &home);
}

#include "MainFormTest.moc"
