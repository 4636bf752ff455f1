// The desktop's services the options meet, on a private session bus (run by
// support/with-secret-service.sh): the mail password in a real Secret Service, where both
// programs find it, and the MPRIS players "Auto &Detect" offers.

#include "core/actions/EventAction.h"
#include "core/entities/Event.h"
#include "core/options/MailOptions.h"
#include "core/persistence/EventFile.h"
#include "gui/options/frOptionsMail.h"
#include "platform/settings/SecretServiceStore.h"
#include "support/DesktopProgram.h"
#include "support/OptionsDialogRun.h"
#include "support/SmtpServer.h"
#include "support/TestSupport.h"
#include "support/WindowTestMain.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QRadioButton>
#include <filesystem>

using namespace kelvo;
using test::OptionsRun;
namespace fs = std::filesystem;

namespace {

test::TempDir* home = nullptr;

fs::path SettingsFile() {
    return home->Path() / "config" / "Brennikor" / "Tavrelon MP3.conf";
}

std::optional<QString> StoredSecret() {
    return test::StoredSecret(QString::fromLatin1(TMailOptions::PasswordName));
}

void WriteMailSettings(int port, const std::string& password) {
    TAppIniReg ini;
    // As an older run left it: the password in the file.
    test::LoopbackMail(port, password).SaveToStore(ini, "Options");
}

// kelvo-cli execute of one event that mails; answers its output.
QString ExecuteMailEvent(const test::TempDir& dir) {
    TEvent event;
    event.SetWindowMessage("mail");
    event.EventAction().Actions().Clear();
    auto mail = std::make_unique<TSendMailAction>();
    mail->SetSendTo("ann@example.org");
    mail->SetSubject("From the keyring");
    mail->SetBody("Starts at ten.");
    event.EventAction().Actions().Add(std::move(mail));
    TEventList list;
    list.Add(event);
    SaveEventsFile(dir.File("events.evn"), list);
    QProcess cli;
    cli.start(QStringLiteral(KELVO_CLI_PATH),
              {QStringLiteral("execute"), QStringLiteral("0"), QStringLiteral("--events"),
               QString::fromStdString(dir.File("events.evn"))});
    cli.waitForFinished(60000);
    return QString::fromUtf8(cli.readAllStandardOutput() + cli.readAllStandardError());
}

} // namespace

class DesktopServicesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY2(TSecretServiceStore().Available(), "no Secret Service on the private bus");
    }

    void init() {
        fs::remove_all(home->Path() / "config");
        fs::remove_all(home->Path() / "data");
    }

    void aPasswordInTheFileMovesToTheSecretStoreWhereTheCliFindsIt() {
        test::SmtpServer server;
        QVERIFY(server.Port() > 0);
        WriteMailSettings(server.Port(), "secret");
        QVERIFY(test::ReadWholeFile(SettingsFile()).find("SMTPOptionsPassword=secret") !=
                std::string::npos);
        {
            OptionsRun run;
            // Known at once from the file; it leaves the file once the store has taken it.
            QCOMPARE(run.session.Settings().Mail().SMTPOptions.Login.Password().Value(),
                     std::string("secret"));
            QTRY_VERIFY(test::ReadWholeFile(SettingsFile()).find("SMTPOptionsPassword") ==
                        std::string::npos);
            QCOMPARE(StoredSecret(), std::optional<QString>(QStringLiteral("secret")));
            QCOMPARE(run.session.Settings().Mail().SMTPOptions.Login.Password().Value(),
                     std::string("secret"));
            run.Open();
            QVERIFY(run.dialog->MailFrame().PasswordPlaceLabel()->text().contains(
                QStringLiteral("secret store")));
        }
        test::TempDir dir;
        const QString out = ExecuteMailEvent(dir);
        QVERIFY2(out.contains(QStringLiteral("Send email to ann@example.org\tok")),
                 qPrintable(out));
        QCOMPARE(server.Messages().size(), std::size_t(1));
        QVERIFY(server.Commands().find("AUTH LOGIN") != std::string::npos);
    }

    void aPasswordEditedInTheDialogGoesToTheSecretStoreOnly() {
        OptionsRun run;
        QVERIFY(run.OpenPage(OptionsRun::Mail));
        run.Control<QLineEdit>("PasswordEdit")->setText(QStringLiteral("n3w pass"));
        run.Press(QDialogButtonBox::Ok);
        QTRY_COMPARE(StoredSecret(), std::optional<QString>(QStringLiteral("n3w pass")));
        QVERIFY(test::ReadWholeFile(SettingsFile()).find("n3w pass") == std::string::npos);
        {
            OptionsRun again; // a second start reads it back from the store
            QTRY_COMPARE(again.session.Settings().Mail().SMTPOptions.Login.Password().Value(),
                         std::string("n3w pass"));
        }
        run.Open();
        run.Control<QLineEdit>("PasswordEdit")->clear();
        run.Press(QDialogButtonBox::Ok);
        QTRY_COMPARE(StoredSecret(), std::nullopt);
    }

    void autoDetectOffersTheMprisPlayersAndFillsInTheOnePicked() {
        QProcess player;
        player.start(QStringLiteral(KELVO_FAKE_MPRIS_PATH),
                     {QStringLiteral("--name"), QStringLiteral("org.mpris.MediaPlayer2.kelvotest"),
                      QStringLiteral("--log"), QString::fromStdString(home->File("mpris.log"))});
        QVERIFY(player.waitForReadyRead(10000));
        const fs::path applications = home->Path() / "data" / "applications";
        fs::create_directories(applications);
        test::WriteWholeFile(applications / "desk-player.desktop",
                             "[Desktop Entry]\nType=Application\nName=Desk Player\n"
                             "Exec=cat %U\nCategories=AudioVideo;Audio;Player;\n");
        test::WriteWholeFile(applications / "editor.desktop",
                             "[Desktop Entry]\nType=Application\nName=Editor\n"
                             "Exec=ls %F\nCategories=Utility;TextEditor;\n");

        OptionsRun run;
        QVERIFY(run.OpenPage(OptionsRun::Media));
        run.Control<QRadioButton>("MediaPlayerExternal")->click();
        run.Control<QPushButton>("MediaFromRegistry")->click();
        auto* choice = run.dialog->findChild<QInputDialog*>(QStringLiteral("DetectPlayerDialog"));
        QVERIFY(choice);
        QCOMPARE(choice->windowModality(), Qt::WindowModal);
        const QStringList offered = choice->comboBoxItems();
        const QString fake = QFileInfo(QStringLiteral(KELVO_FAKE_MPRIS_PATH)).canonicalFilePath();
        QVERIFY2(offered.size() >= 2, qPrintable(offered.join(QLatin1Char('\n'))));
        QVERIFY(offered.at(0).endsWith(QStringLiteral("(%1)").arg(fake)));
        QVERIFY(!offered.filter(QStringLiteral("Desk Player (")).isEmpty());
        QVERIFY(offered.filter(QStringLiteral("Editor")).isEmpty());
        choice->setTextValue(offered.at(0));
        choice->accept();
        QCOMPARE(run.Control<QLineEdit>("MediaWinAmpPathEdit")->text(), fake);
        run.Press(QDialogButtonBox::Ok);
        QCOMPARE(QString::fromStdString(run.session.Settings().ExternalPlayerPath()), fake);
        player.kill();
        player.waitForFinished();
    }
};

int main(int argc, char** argv) {
    return test::WindowTestMain<DesktopServicesTest>(argc, argv, &home);
}

#include "DesktopServicesTest.moc"
