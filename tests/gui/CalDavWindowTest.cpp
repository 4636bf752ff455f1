// The desktop program's CalDAV sync as the user meets it in the main window, against a real
// server (Radicale on the loopback address, one for the whole program): the programs of
// arriving events wait for the user's answer in the window's own box, Yes gives them back,
// No leaves them out here and on the server as they are, through edits made here.

#include "core/exchange/Arrival.h"
#include "core/sync/CalDavSync.h"
#include "gui/session/CalDavSyncRunner.h"
#include "gui/sync/CalDavStatus.h"
#include "platform/caldav/CalDavClient.h"
#include "support/CalDavServer.h"
#include "support/EntitySamples.h"
#include "support/MainFormRun.h"
#include "support/WhenShown.h"
#include "support/WindowTestMain.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTreeWidget>
#include <QtTest>

using namespace kelvo;

namespace {

test::TempDir* home = nullptr;

std::unique_ptr<TEvent> WithProgram(const std::string& message, const std::string& program) {
    auto e = samples::SilentEventOnceAt(EncodeDateTime(2030, 3, 5, 10, 0), message);
    e->SetTemplate("CalDAV");
    auto launch = std::make_unique<TLaunchAppEventAction>();
    launch->SetFileName(program);
    e->EventAction().Actions().Add(std::move(launch));
    return e;
}

} // namespace

class CalDavWindowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<test::CalDavServer> server;
    std::unique_ptr<test::MainFormRun> run;
    std::unique_ptr<TCalDavSyncRunner> runner;
    TCalDavStatusPanel* panel = nullptr;

    // Another computer puts an event on the server.
    void PutFromElsewhere(std::unique_ptr<TEvent> e, const std::string& file) {
        TCalDavClient client({server->Url(), "", ""});
        client.Put(client.HrefFor(file), PlatformCalCodec().Write(CalendarItemOf(*e)), "");
    }

    std::string SyncNow() {
        std::string answer;
        runner->SyncNow([&](const std::string& a) { answer = a; });
        for (int i = 0; i < 1000 && answer.empty(); ++i)
            QTest::qWait(10);
        return answer;
    }

    TEvent* Local(const std::string& message) {
        TReminderNotebook& notebook = run->session.Notebook();
        for (int i = 0; i < notebook.EventCount(); ++i)
            if (notebook.Event(i).Description() == message)
                return &notebook.Event(i);
        return nullptr;
    }

    TSyncState State() {
        return ParseSyncState(
            test::ReadWholeFile(SyncStateFileName(run->session.DataFiles().EventsFileName())));
    }

    // Syncs and answers the box that asks about the arrived programs; answers its text.
    QString SyncAndAnswer(QMessageBox::StandardButton button) {
        QString text;
        QWidget* parent = nullptr;
        test::WhenShown<QMessageBox>([&](QMessageBox& box) {
            text = box.text();
            parent = box.parentWidget();
            box.button(button)->click();
        });
        const std::string answer = SyncNow();
        if (answer.find("exit 0") == std::string::npos)
            return QString::fromStdString("sync failed: " + answer);
        for (int i = 0; i < 500 && text.isEmpty(); ++i)
            QTest::qWait(10);
        if (parent != &run->form)
            return QStringLiteral("not the main window's box: ") + text;
        return text;
    }

private slots:
    void initTestCase() {
        server = std::make_unique<test::CalDavServer>(QStringList{"--open"});
        QVERIFY(server->Up());
        run = std::make_unique<test::MainFormRun>();
        run->ini.WriteString("CalDAV", "Url", server->Url());
        runner = std::make_unique<TCalDavSyncRunner>(run->session, run->ini);
        runner->SetConfirmParent(&run->form);
        panel = &InstallCalDavStatus(*runner, run->form);
        run->form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&run->form));
        // With an account the panel is there before any sync, so that its window can sync.
        QVERIFY(panel->isVisible());
        QVERIFY2(panel->text().contains(QStringLiteral("not synced")), qPrintable(panel->text()));
    }

    void arrivingProgramsWaitForTheUsersAnswer() {
        PutFromElsewhere(WithProgram("Backup", "/usr/bin/backup"), "backup.ics");
        QString asked = SyncAndAnswer(QMessageBox::Yes);
        QVERIFY2(asked.contains(QStringLiteral("Backup: Open /usr/bin/backup")), qPrintable(asked));
        TEvent* backup = Local("Backup");
        QVERIFY(backup);
        QCOMPARE(OutsideActions({backup}).size(), std::size_t{1});
        QVERIFY(State().Held.empty());
        // Kept as the server has it: nothing goes up, nothing is asked again.
        QCOMPARE(QString::fromStdString(SyncNow()), QStringLiteral("exit 0\n"));
        QVERIFY(!test::Shown<QMessageBox>());

        PutFromElsewhere(WithProgram("Cleanup", "/usr/bin/cleanup"), "cleanup.ics");
        asked = SyncAndAnswer(QMessageBox::No);
        QVERIFY2(asked.contains(QStringLiteral("Cleanup: Open /usr/bin/cleanup")),
                 qPrintable(asked));
        QVERIFY(!asked.contains(QStringLiteral("Backup")));
        TEvent* cleanup = Local("Cleanup");
        QVERIFY(cleanup);
        QCOMPARE(OutsideActions({cleanup}).size(), std::size_t{0});
        QVERIFY(State().Held.empty());
        QCOMPARE(QString::fromStdString(SyncNow()), QStringLiteral("exit 0\n"));
        // Edited here, it goes up with the program it left out, and is not asked about again.
        cleanup->SetWindowMessage("Cleanup\r\nand sweep");
        QCOMPARE(QString::fromStdString(SyncNow()),
                 QStringLiteral("up\tchanged\t1\tCleanup\nexit 0\n"));
        QTest::qWait(50);
        QVERIFY(!test::Shown<QMessageBox>());
        QCOMPARE(OutsideActions({Local("Cleanup")}).size(), std::size_t{0});
        // The server keeps the program for the computers that keep it.
        TCalDavClient client({server->Url(), "", ""});
        const std::vector<TFetchedResource> fetched = client.Fetch({client.HrefFor("cleanup.ics")});
        QCOMPARE(fetched.size(), std::size_t{1});
        const TCalCodec codec = PlatformCalCodec();
        const std::vector<TCalItem> items = codec.Parse(fetched[0].Body);
        QCOMPARE(items.size(), std::size_t{1});
        TImportedEvent there = EventOfCalendarItem(items[0], codec.Expand);
        QVERIFY(there.Event);
        QCOMPARE(OutsideActions({there.Event.get()}).size(), std::size_t{1});
        QCOMPARE(there.Event->WindowMessage(), std::string("Cleanup\r\nand sweep"));
    }

    void whatARunLeftHeldIsAskedAboutAtTheNextStart() {
        runner->SetConfirmParent(nullptr);
        PutFromElsewhere(WithProgram("Nightly", "/usr/bin/nightly"), "nightly.ics");
        QCOMPARE(QString::fromStdString(SyncNow()), QStringLiteral("down\tadded\t2\tNightly\n"
                                                                   "error\theld until confirmed "
                                                                   "in the program: Nightly: Open "
                                                                   "/usr/bin/nightly\nexit 0\n"));
        QTest::qWait(50);
        QVERIFY(!test::Shown<QMessageBox>());
        QCOMPARE(State().Held.size(), std::size_t{1});

        // As the next start wires it: asked without a sync.
        QString text;
        test::WhenShown<QMessageBox>([&](QMessageBox& box) {
            text = box.text();
            box.button(QMessageBox::Yes)->click();
        });
        runner->SetConfirmParent(&run->form);
        QTRY_VERIFY_WITH_TIMEOUT(!text.isEmpty(), 5000);
        QVERIFY2(text.contains(QStringLiteral("Nightly: Open /usr/bin/nightly")), qPrintable(text));
        QCOMPARE(OutsideActions({Local("Nightly")}).size(), std::size_t{1});
        QVERIFY(State().Held.empty());
    }

    void theStatusBarTellsTheOutcomeAndItsWindowTheLines() {
        QVERIFY(
            run->form.statusBar()->findChild<TCalDavStatusPanel*>(QStringLiteral("CalDavPanel")));
        PutFromElsewhere(samples::SilentEventOnceAt(EncodeDateTime(2030, 3, 6, 9, 0), "Dentist"),
                         "dentist.ics");
        QCOMPARE(QString::fromStdString(SyncNow()),
                 QStringLiteral("down\tadded\t3\tDentist\nexit 0\n"));
        QVERIFY(panel->isVisible());
        QVERIFY2(panel->text().contains(QStringLiteral("synced")), qPrintable(panel->text()));

        // A click opens the lines, over the main window only.
        QTest::mouseClick(panel, Qt::LeftButton);
        auto* window = run->form.findChild<TCalDavSyncWindow*>();
        QVERIFY(window);
        QVERIFY(window->isVisible());
        QCOMPARE(window->windowModality(), Qt::WindowModal);
        QCOMPARE(window->parentWidget(), &run->form);
        QCOMPARE(window->Lines()->topLevelItemCount(), 1);
        QTreeWidgetItem* row = window->Lines()->topLevelItem(0);
        QCOMPARE(row->text(0), QStringLiteral("from the server"));
        QCOMPARE(row->text(1), QStringLiteral("added"));
        QCOMPARE(row->text(2), QStringLiteral("Dentist"));
        QVERIFY2(window->Summary()->text().endsWith(QStringLiteral("changes: 1")),
                 qPrintable(window->Summary()->text()));
        QVERIFY(!window->Errors()->isVisible());
        window->grab().save(QStringLiteral("/tmp/caldav-window.png"));

        // Its button syncs now; a server gone is said in the window and the panel.
        run->ini.WriteString("CalDAV", "Url", "http://127.0.0.1:9/reminder/work/");
        window->SyncButton()->click();
        QVERIFY(!window->SyncButton()->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(window->SyncButton()->isEnabled(), 10000);
        run->ini.WriteString("CalDAV", "Url", server->Url());
        QVERIFY2(panel->text().contains(QStringLiteral("failed")), qPrintable(panel->text()));
        QVERIFY2(window->Summary()->text().contains(QStringLiteral("failed")),
                 qPrintable(window->Summary()->text()));
        QCOMPARE(window->Lines()->topLevelItemCount(), 0);
        QVERIFY(window->Errors()->isVisible());
        QVERIFY2(window->Errors()->text().contains(QStringLiteral("127.0.0.1:9/reminder/work/: ")),
                 qPrintable(window->Errors()->text()));
        window->grab().save(QStringLiteral("/tmp/caldav-window-failed.png"));
        run->form.statusBar()->grab().save(QStringLiteral("/tmp/caldav-statusbar.png"));
        window->close();
    }

    void cleanupTestCase() {
        runner.reset();
        run.reset();
        server.reset();
    }
};

int main(int argc, char** argv) {
    return test::WindowTestMain<CalDavWindowTest>(argc, argv, &home, test::TDesktop::Without);
}

#include "CalDavWindowTest.moc"
