// The main window's boxes against open alarm windows, with the real boxes (no message hooks):
// a start-up box over missed alarms, the exit question and an error report leave every alarm
// window answerable by mouse and stay above them; a failed start-up save is told once.

#include "core/actions/AlarmSwitches.h"
#include "core/diagnostics/paErrorReport.h"
#include "core/persistence/EventFile.h"
#include "core/scheduling/SimpleInitializeCondition.h"
#include "core/timers/ProgramFolders.h"
#include "gui/alarm/AlarmWindows.h"
#include "gui/alarm/fmAlarmMessage.h"
#include "gui/diagnostics/fmErrorReport.h"
#include "gui/main/fmMainForm.h"
#include "gui/session/ProgramSession.h"
#include "platform/runtime/FolderProvider.h"
#include "platform/settings/AppIniReg.h"
#include "support/MainFormRun.h"
#include "support/TestClock.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <filesystem>

using namespace kelvo;
namespace fs = std::filesystem;

namespace {

test::TempDir* home = nullptr;

fs::path DataFile(const char* extension) {
    return test::ProgramDataFolder(home->Path()) / (std::string("kelvo-rem") + extension);
}

const TDateTime Morning = EncodeDateTime(2030, 6, 1, 8, 0);
const TDateTime Evening = EncodeDateTime(2030, 6, 1, 20, 53);

// Events due at 08:00 that last appeared the day before: each is a missed alarm at the first
// check. The last record is damaged, so the start-up has something to say.
void WriteMissedAlarms(const std::vector<std::string>& messages, bool damageLast) {
    TOwnedEvents owned;
    TEventList list;
    for (const auto& m : messages) {
        auto e = std::make_unique<TEvent>();
        e->SetWindowMessage(m);
        e->EventAction().Actions().Clear();
        e->InitializeCondition().Conditions().Add(
            std::make_unique<TSimpleInitializeCondition>(Morning));
        e->SetCreationTime(IncDay(-2, Morning));
        e->InitializeCondition().SetLastAppear(IncDay(-1, Morning));
        owned.push_back(std::move(e));
        list.Add(*owned.back());
    }
    fs::create_directories(DataFile(".evn").parent_path());
    SaveEventsFile(DataFile(".evn").string(), list);
    if (damageLast) {
        std::string bytes = test::ReadWholeFile(DataFile(".evn"));
        const std::size_t at = bytes.rfind("TEvent");
        QVERIFY(at != std::string::npos);
        bytes[at] = 'X';
        test::WriteWholeFile(DataFile(".evn"), bytes);
    }
}

std::vector<TAlarmMessageForm*> AlarmWindows() {
    std::vector<TAlarmMessageForm*> open;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* f = qobject_cast<TAlarmMessageForm*>(w); f && f->isVisible())
            open.push_back(f);
    return open;
}

template <class T> T* VisibleWindow() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* t = qobject_cast<T*>(w); t && t->isVisible())
            return t;
    return nullptr;
}

// A click as the window system delivers it: refused while a modal window blocks the window.
void ClickAsTheUser(TAlarmMessageForm& form) {
    QPushButton* close = nullptr;
    for (auto* b : form.findChildren<QPushButton*>())
        if (b->text() == QLatin1String("&Close"))
            close = b;
    QVERIFY(close);
    QVERIFY(form.windowHandle());
    QTest::mouseClick(form.windowHandle(), Qt::LeftButton, {},
                      close->mapTo(&form, close->rect().center()));
}

// What a check saw while the box was open; the box is answered afterwards.
struct TSeen {
    bool Ran = false;
    int AlarmsBefore = 0;
    int AlarmsAfterClick = 0;
    Qt::WindowModality Modality = Qt::ApplicationModal;
    bool BoxOnTop = false;
    bool AlarmOnTop = false;
    QString Text;
};

// Runs in whichever event loop turns first: inside a modal box, or the test's own.
void CheckWhileBoxOpen(TSeen& seen, const std::function<void()>& openAlarms,
                       const std::function<QWidget*()> findBox) {
    QTimer::singleShot(0, [&seen, openAlarms, findBox] {
        openAlarms();
        const auto alarms = AlarmWindows();
        seen.AlarmsBefore = static_cast<int>(alarms.size());
        if (!alarms.empty()) {
            seen.AlarmOnTop = alarms.front()->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
            ClickAsTheUser(*alarms.front());
        }
        seen.AlarmsAfterClick = static_cast<int>(AlarmWindows().size());
        if (QWidget* box = findBox()) {
            seen.Modality = box->windowModality();
            seen.BoxOnTop = box->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
            if (auto* m = qobject_cast<QMessageBox*>(box)) {
                seen.Text = m->text();
                if (QAbstractButton* no = m->button(QMessageBox::No))
                    no->click();
                else
                    m->button(QMessageBox::Ok)->click();
            } else if (auto* d = qobject_cast<QDialog*>(box)) {
                d->reject();
            }
        }
        seen.Ran = true;
    });
}

void VerifyAnswerable(const TSeen& seen) {
    QVERIFY(seen.Ran);
    QCOMPARE(seen.AlarmsBefore, 3);
    QVERIFY(seen.AlarmOnTop);
    // The click reached the alarm window: it is answered and gone.
    QCOMPARE(seen.AlarmsAfterClick, 2);
    QCOMPARE(seen.Modality, Qt::NonModal);
    QVERIFY(seen.BoxOnTop);
}

} // namespace

class StartupBoxesTest : public QObject {
    Q_OBJECT

    struct Run : test::MainFormParts {
        void FireGenerator() {
            if (!timers.Timers().empty())
                timers.Timers().front()->Fire();
        }
    };

private slots:
    void init() {
        fs::remove_all(home->Path() / "data");
        fs::remove_all(home->Path() / "config");
        AlarmSwitches().SetAlarmMode(0);
    }
    void cleanup() {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<QMessageBox*>(w))
                delete w;
    }

    // Three missed alarms and a damaged record: the box of the start-up neither blocks the
    // alarm windows that open behind it nor hides beneath them.
    void aStartupBoxBlocksNoMissedAlarmWindow() {
        test::TestClock clock(Evening);
        WriteMissedAlarms({"Pills", "Call Ann", "Bins", "damaged"}, true);
        Run run;
        TSeen seen;
        CheckWhileBoxOpen(
            seen, [&] { run.FireGenerator(); }, [] { return VisibleWindow<QMessageBox>(); });
        run.form.Startup({});
        run.form.ShowAtStart();
        QTRY_VERIFY_WITH_TIMEOUT(seen.Ran, 5000);
        VerifyAnswerable(seen);
        if (QTest::currentTestFailed())
            return;
        QVERIFY(!seen.Text.isEmpty()); // the damaged record's box
        QVERIFY(AlarmWindows().size() == 2);
    }

    void theExitQuestionBlocksNoAlarmWindow() {
        test::TestClock clock(Evening);
        WriteMissedAlarms({"Pills", "Call Ann", "Bins"}, false);
        Run run;
        run.form.Startup({});
        run.form.ShowAtStart();
        run.FireGenerator();
        QSignalSpy exits(&run.form, &TMainForm::exitConfirmed);
        TSeen seen;
        CheckWhileBoxOpen(
            seen, [] {}, [] { return VisibleWindow<QMessageBox>(); });
        run.form.Command(QStringLiteral("FileExit"))->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(seen.Ran, 5000);
        VerifyAnswerable(seen);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(seen.Text, QStringLiteral("Do you really want to unload Tavrelon MP3 and disable "
                                           "reminders?"));
        QCOMPARE(exits.count(), 0); // answered No

        run.form.Command(QStringLiteral("FileExit"))->trigger();
        QMessageBox* box = nullptr;
        QTRY_VERIFY_WITH_TIMEOUT((box = VisibleWindow<QMessageBox>()) != nullptr, 5000);
        box->button(QMessageBox::Yes)->click();
        QTRY_COMPARE_WITH_TIMEOUT(exits.count(), 1, 5000);
    }

    void anErrorReportBlocksNoAlarmWindow() {
        test::TestClock clock(Evening);
        WriteMissedAlarms({"Pills", "Call Ann", "Bins"}, false);
        Run run;
        run.form.Startup({});
        run.FireGenerator();
        TSeen seen;
        CheckWhileBoxOpen(
            seen, [] {}, [] { return VisibleWindow<TErrorReportForm>(); });
        const EpaCritical error("went wrong");
        ShowErrorReport(&error, 0);
        QVERIFY(seen.Ran);
        VerifyAnswerable(seen);
        if (QTest::currentTestFailed())
            return;
    }

    // The data folder cannot be made (a file stands in its place): one message says that
    // changes cannot be saved; the changes after it fail in silence.
    void aFailedStartupSaveIsToldOnce() {
        test::TestClock clock(Evening);
        const fs::path blocker = home->Path() / "not-a-folder";
        test::WriteWholeFile(blocker, "a file");
        {
            TAppIniReg ini;
            ini.WriteString("Options", "StartupDataLocation", (blocker / "kelvo-rem").string());
        }
        Run run;
        std::vector<QString> messages;
        run.form.ShowMessage = [&](TMessageKind, const QString& text) { messages.push_back(text); };
        run.form.Startup({});
        // The save follows the first paint; this window is never shown.
        QTRY_COMPARE(messages.size(), std::size_t{1});
        QVERIFY(messages[0].contains(QStringLiteral("Changes cannot be saved")));
        QVERIFY(messages[0].contains(QStringLiteral("not-a-folder")));
        for (int i = 0; i < 3; ++i) {
            auto e = std::make_unique<TEvent>();
            e->SetWindowMessage("added " + std::to_string(i));
            e->InitializeCondition().Conditions().Add(
                std::make_unique<TSimpleInitializeCondition>(IncDay(1, Evening)));
            run.session.Notebook().AddEvent(std::move(e));
        }
        QTest::qWait(50);
        QCOMPARE(messages.size(), std::size_t{1});
        QCOMPARE(run.session.Notebook().EventCount(), 3);
    }
};

int main(int argc, char** argv) {
    test::TempDir dir;
    home = &dir;
    test::UsePrivateFolders(dir.Path());
    QApplication app(argc, argv);
    InstallProgramFolders(std::make_unique<TQtFolderProvider>());
    InstallErrorReportWindow();
    StartupBoxesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "StartupBoxesTest.moc"
