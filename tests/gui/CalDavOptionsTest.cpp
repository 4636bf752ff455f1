// The CalDAV page of the options against a real server (Radicale on the loopback address):
// the calendars the server lists fill the calendar box without the window waiting, the one
// chosen is what OK keeps, and a wrong password is said in words.

#include "gui/options/frOptionsCalDav.h"
#include "support/CalDavServer.h"
#include "support/OptionsDialogRun.h"
#include "support/WindowTestMain.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSpinBox>
#include <QtTest>

using namespace kelvo;

namespace {
test::TempDir* home = nullptr;
}

class CalDavOptionsTest : public QObject {
    Q_OBJECT
private slots:
    void findsTheServersCalendarsAndOkKeepsTheChosenOne() {
        test::CalDavServer server;
        QVERIFY(server.Up());
        test::OptionsRun run;
        QVERIFY(run.OpenPage(test::OptionsRun::CalDav));
        const std::string base = server.Url().substr(0, server.Url().find("/reminder/"));
        run.Control<QLineEdit>("CalDavServer")
            ->setText(QString::fromStdString(base + "/reminder/"));
        run.Control<QLineEdit>("CalDavUser")->setText(QStringLiteral("reminder"));
        auto* password = run.Control<QLineEdit>("CalDavPassword");
        password->setText(QStringLiteral("wrong"));
        TCalDavOptionsFrame& frame = run.dialog->CalDavFrame();
        QSignalSpy found(&frame, &TCalDavOptionsFrame::calendarsFound);
        run.Control<QPushButton>("CalDavFind")->click();
        // The window goes on while the server is asked.
        QVERIFY(found.isEmpty());
        QVERIFY(found.wait(10000));
        QVERIFY2(frame.Status()->text().contains(QStringLiteral("refused")),
                 qPrintable(frame.Status()->text()));

        password->setText(QStringLiteral("secret"));
        run.Control<QPushButton>("CalDavFind")->click();
        QVERIFY(found.wait(10000));
        QComboBox* calendars = frame.CalendarBox();
        QCOMPARE(calendars->count(), 1);
        QCOMPARE(calendars->itemData(0).toString(), QString::fromStdString(server.Url()));
        run.Control<QSpinBox>("CalDavInterval")->setValue(15);
        run.Press(QDialogButtonBox::Ok);
        QCOMPARE(run.ini.ReadString("CalDAV", "Url", ""), server.Url());
        QCOMPARE(run.ini.ReadString("CalDAV", "User", ""), std::string("reminder"));
        QCOMPARE(run.ini.ReadInteger("CalDAV", "Interval", 0), 15);
        // No secret store runs here: the password is never put in the settings file.
        const std::string settings =
            test::ReadWholeFile(home->Path() / "config" / "Brennikor" / "Tavrelon MP3.conf");
        QVERIFY(settings.find("secret") == std::string::npos);
    }
};

int main(int argc, char** argv) {
    return test::WindowTestMain<CalDavOptionsTest>(argc, argv, &home, test::TDesktop::Without);
}

#include "CalDavOptionsTest.moc"
