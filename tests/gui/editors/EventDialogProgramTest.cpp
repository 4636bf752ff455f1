// The event dialog as the main window opens it on the program's own data file: OK without an
// edit writes back the very bytes that were read, fine bits of stored times included; its Help
// button, its editors' and F1 show the shipped help of what is on screen.

#include "core/entities/Event.h"
#include "core/persistence/EventFile.h"
#include "core/scheduling/DateCondition.h"
#include "core/scheduling/SimpleInitializeCondition.h"
#include "core/scheduling/TimeCondition.h"
#include "core/timers/ProgramFolders.h"
#include "gui/editors/fmConditionDialog.h"
#include "gui/editors/fmEventForm.h"
#include "gui/help/Help.h"
#include "gui/main/fmMainForm.h"
#include "gui/session/ProgramSession.h"
#include "platform/runtime/FolderProvider.h"
#include "platform/settings/AppIniReg.h"
#include "support/TestClock.h"
#include "support/TestSupport.h"
#include "support/WhenShown.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>

using namespace kelvo;
namespace fs = std::filesystem;

namespace {

test::TempDir* home = nullptr;

fs::path EventsFile() {
    return test::ProgramDataFolder(home->Path()) / "kelvo-rem.evn";
}

// A time of day a picker cannot show exactly: whole minutes plus a few microseconds.
TDateTime FineTime(int hour, int minute) {
    return EncodeTime(hour, minute) + 3.7e-11;
}

std::unique_ptr<TEvent> EventWithTime(const std::string& message,
                                      std::unique_ptr<TTimeCondition> time, TDateTime created) {
    auto e = std::make_unique<TEvent>();
    e->SetWindowMessage(message);
    e->EventAction().Actions().Clear();
    auto condition = std::make_unique<TSimpleInitializeCondition>(EncodeDate(2031, 3, 4));
    condition->SetTimeCondition(time.get());
    e->InitializeCondition().Conditions().Add(std::move(condition));
    // As the program stores it: the snooze condition dated when the event was.
    e->SetCreationTime(created);
    e->SnoozeCondition().SetDateOfCreate(created);
    return e;
}

void OkWhenShown() {
    test::WhenShown<TEventForm>(
        [](TEventForm& form) { form.Buttons()->button(QDialogButtonBox::Ok)->click(); });
}

QStringList opened;

// The topic pages the help opened since the last call.
QStringList Opened() {
    QStringList pages;
    for (const QString& file : std::exchange(opened, {}))
        pages << QFileInfo(file).fileName();
    return pages;
}

// F1 with the focus on w, in its active dialog.
void F1In(QWidget& dialog, QWidget& w) {
    dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    w.setFocus();
    QTRY_VERIFY(w.hasFocus());
    QTest::keyClick(&w, Qt::Key_F1);
}

void PressHelp(QWidget& dialog) {
    auto* help = dialog.findChild<QPushButton*>(QStringLiteral("Help"));
    QVERIFY(help && help->isEnabled());
    help->click();
}

} // namespace

class EventDialogProgramTest : public QObject {
    Q_OBJECT

private slots:
    void okWithoutEditsKeepsTheFileByteForByte() {
        const TDateTime created = EncodeDateTime(2030, 5, 6, 7, 8);
        test::TestClock clock(created);
        TOwnedEvents owned;
        auto once = std::make_unique<TOnceTimeCondition>();
        once->SetTime(FineTime(9, 7));
        owned.push_back(EventWithTime("once", std::move(once), created));
        auto hourly = std::make_unique<THourlyTimeCondition>();
        hourly->SetFromTime(FineTime(8, 13));
        hourly->SetToTime(FineTime(17, 47));
        hourly->SetCountPeriod(2);
        owned.push_back(EventWithTime("hourly", std::move(hourly), created));
        TEventList list;
        for (auto& e : owned)
            list.Add(*e);
        const std::string bytes = WriteEvents(list);
        fs::create_directories(EventsFile().parent_path());
        test::WriteWholeFile(EventsFile(), bytes);

        TAppIniReg ini;
        test::ManualTimerFactory timers;
        TProgramSession session(ini, timers);
        TMainForm form(session);
        form.ShowMessage = [](TMessageKind, const QString& text) { QFAIL(qPrintable(text)); };
        form.Confirm = [](const QString&) { return false; };
        form.Startup({});
        form.show();
        QCOMPARE(session.Notebook().EventCount(), 2);
        form.ShowPage(3); // all events
        QAction* properties = form.Command(QStringLiteral("EntityProperty"));
        for (int i = 0; i < session.Notebook().EventCount(); ++i) {
            form.SelectEventInViews(session.Notebook().Event(i));
            QTRY_VERIFY(properties->isEnabled());
            const auto written = fs::last_write_time(EventsFile());
            OkWhenShown();
            properties->trigger();
            QVERIFY(fs::last_write_time(EventsFile()) != written); // saved again
            QVERIFY(test::ReadWholeFile(EventsFile()) == bytes);
        }
    }

    void helpShowsTheTopicOfThePageOrDialogShown() {
        fs::remove_all(EventsFile().parent_path());
        TAppIniReg ini;
        test::ManualTimerFactory timers;
        TProgramSession session(ini, timers);
        TMainForm form(session);
        form.ShowMessage = [](TMessageKind, const QString&) {};
        form.Startup({});
        form.show();
        Opened();
        QStringList seen;
        test::WhenShown<TEventForm>([&seen](TEventForm& dialog) {
            PressHelp(dialog);
            dialog.SetActivePage(TEventForm::OptionsPage);
            PressHelp(dialog);
            dialog.SetActivePage(TEventForm::ActionPage);
            F1In(dialog, *dialog.Page(TEventForm::ActionPage)->nextInFocusChain());
            seen << Opened();
            // An editor opened from the event dialog: its button and F1 alike.
            test::WhenShown<TConditionDialogForm>([&seen](TConditionDialogForm& editor) {
                PressHelp(editor);
                F1In(editor, *editor.findChild<QPushButton*>(QStringLiteral("Help")));
                seen << Opened();
                editor.reject();
            });
            dialog.SetActivePage(TEventForm::InitializePage);
            dialog.findChild<QWidget*>(QStringLiteral("frConditions"))
                ->findChild<QPushButton*>(QStringLiteral("AddCondition"))
                ->click();
            dialog.reject();
        });
        form.Command(QStringLiteral("EntityInsert"))->trigger();
        QCOMPARE(seen, QStringList({"topic-201.html", "topic-204.html", "topic-202.html",
                                    "topic-240.html", "topic-240.html"}));
    }
};

int main(int argc, char** argv) {
    test::TempDir dir;
    home = &dir;
    test::UsePrivateFolders(dir.Path());
    QApplication app(argc, argv);
    // The help the build ships beside kelvo-rem; the browser is recorded.
    InstallProgramFolders(std::make_unique<TQtFolderProvider>(
        QFileInfo(QStringLiteral(KELVO_REM_PATH)).absolutePath().toStdString()));
    THelp::InstallF1(app);
    THelp::Opener() = [](const QUrl& url) {
        opened << url.toLocalFile();
        return true;
    };
    EventDialogProgramTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "EventDialogProgramTest.moc"
