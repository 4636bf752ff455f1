// The options dialog in the running program: each page changed, applied (its effect seen in
// the program) and reset; the SMTP port and a test message through the real mailer; the
// password in the settings file where no secret store runs.

#include "core/actions/EventAction.h"
#include "core/audio/ReminderAudioPlayer.h"
#include "core/options/MailOptions.h"
#include "core/options/ProgramOptions.h"
#include "core/timers/ProgramFolders.h"
#include "core/util/paDateUtils.h"
#include "gui/help/Help.h"
#include "gui/options/frOptionsMail.h"
#include "gui/options/paColorButton.h"
#include "platform/actions/PlatformActions.h"
#include "platform/runtime/FolderProvider.h"
#include "platform/session/paAutostart.h"
#include "support/OptionsDialogRun.h"
#include "support/SmtpServer.h"
#include "support/TestSupport.h"
#include "support/WindowTestMain.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTimer>
#include <filesystem>

using namespace kelvo;
using test::OptionsRun;
namespace fs = std::filesystem;

namespace {

test::TempDir* home = nullptr;

fs::path SettingsFile() {
    return home->Path() / "config" / "Brennikor" / "Tavrelon MP3.conf";
}

QStringList Names(const QSignalSpy& spy) {
    QStringList names;
    for (const QList<QVariant>& call : spy)
        names << call.at(0).toString();
    return names;
}

// The main window's retry of a wanted tray icon: running exactly while the icon is wanted.
bool TrayWanted(TMainForm& form) {
    for (QTimer* timer : form.findChildren<QTimer*>())
        if (timer->interval() == 3000)
            return timer->isActive();
    return false;
}

void Choose(QFileDialog* dialog, const QString& file) {
    QVERIFY(dialog);
    QCOMPARE(dialog->windowModality(), Qt::WindowModal);
    dialog->selectFile(file);
    static_cast<QDialog*>(dialog)->accept();
}

} // namespace

class OptionsDialogTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        fs::remove_all(home->Path() / "config");
        fs::remove_all(home->Path() / "data");
    }

    void opensModalToTheMainWindowAndCancelChangesNothing() {
        OptionsRun run;
        TOptionsForm* dialog = run.Open();
        QVERIFY(dialog);
        QCOMPARE(dialog->parentWidget(), &run.form);
        QCOMPARE(dialog->windowModality(), Qt::WindowModal);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Options..."));
        QCOMPARE(dialog->PageCount(), 8);
        auto* hide = run.Control<QCheckBox>("BehaviourHideFromTaskbarCheckBox");
        const bool before = run.session.Settings().HideFromTaskbar();
        hide->click();
        run.Press(QDialogButtonBox::Cancel);
        QVERIFY(!run.dialog);
        QCOMPARE(run.session.Settings().HideFromTaskbar(), before);
    }

    void reopensOnThePageLastShownAndPagesWrap() {
        {
            OptionsRun run;
            QVERIFY(run.OpenPage(OptionsRun::Startup));
            run.Press(QDialogButtonBox::Cancel);
        }
        OptionsRun run;
        TOptionsForm* dialog = run.Open();
        QCOMPARE(dialog->ActivePage(), int(OptionsRun::Startup));
        dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        dialog->SetActivePage(7);
        QTest::keyClick(dialog, Qt::Key_PageDown, Qt::ControlModifier);
        QCOMPARE(dialog->ActivePage(), 0);
        QCOMPARE(dialog->PageList()->currentRow(), 0);
        QTest::keyClick(dialog, Qt::Key_PageUp, Qt::ControlModifier);
        QCOMPARE(dialog->ActivePage(), 7);
    }

    void fontPageRunsOnlyTheChangedFontsHandler() {
        OptionsRun run;
        QSignalSpy changed(&run.session, &TProgramSession::optionChanged);
        run.Open();
        auto* label = run.Control<QLabel>("FontCalendarLabel");
        QVERIFY(!label->font().bold());
        QVERIFY(!run.dialog->ResetButton("Font")->isEnabled());
        run.Control<QPushButton>("FontCalendarButton")->click();
        auto* fonts = run.dialog->findChild<QFontDialog*>();
        QVERIFY(fonts);
        QCOMPARE(fonts->windowModality(), Qt::WindowModal);
        QFont chosen(QStringLiteral("DejaVu Sans"), 14);
        chosen.setBold(true);
        fonts->setCurrentFont(chosen);
        fonts->accept();
        QVERIFY(label->text().endsWith(QStringLiteral(", 14 Bold ")));
        QVERIFY(label->font().bold()); // differs from its default
        QVERIFY(run.dialog->ResetButton("Font")->isEnabled());
        run.Press(QDialogButtonBox::Ok);
        QCOMPARE(Names(changed), QStringList{QStringLiteral("FontCalendar")});
        const TFont& font = run.session.Settings().Options().FontCalendar.Font();
        QCOMPARE(font.Size, 14);
        QCOMPARE(font.Style, TFontStyles(fsBold));

        run.Open();
        run.dialog->ResetButton("Font")->click();
        QVERIFY(!run.Control<QLabel>("FontCalendarLabel")->font().bold());
        QVERIFY(!run.dialog->ResetButton("Font")->isEnabled());
        run.Press(QDialogButtonBox::Ok);
        QVERIFY(run.session.Settings().Options().FontCalendar.IsDefault());
    }

    void colorPageTellsTheCalendarAndResetsOnlyColors() {
        OptionsRun run;
        QSignalSpy changed(&run.session, &TProgramSession::optionChanged);
        run.Open();
        QVERIFY(!run.dialog->ResetButton("Color")->isEnabled());
        auto* today = run.Control<TpaColorButton>("ColorCalendarTodayButton");
        today->click();
        QFrame* popup = today->Popup();
        QVERIFY(popup && popup->isVisible());
        const QList<QPushButton*> cells = popup->findChildren<QPushButton*>();
        QCOMPARE(cells.size(), 21); // 20 colours and "&Other..."
        cells.at(4)->click();       // red
        QVERIFY(!today->Popup());
        QCOMPARE(today->Value(), TColor(0x0000FF));
        // A colour outside the palette gets a cell of its own.
        auto* odd = run.Control<TpaColorButton>("ColorCalendarOddMonthButton");
        odd->SetValue(0x123456);
        odd->ShowPopup();
        QVERIFY(odd->Popup()->findChild<QWidget*>(QStringLiteral("CurrentColorCell")));
        odd->Popup()->close();
        run.Control<QCheckBox>("BehaviourHideFromTaskbarCheckBox")->click();
        run.Press(QDialogButtonBox::Ok);
        TProgramOptions& options = run.session.Settings().Options();
        QCOMPARE(options.ColorCalendarToday.Value(), TColor(0x0000FF));
        QCOMPARE(options.ColorCalendarOddMonth.Value(), TColor(0x123456));
        QVERIFY(Names(changed).contains(QStringLiteral("ColorCalendarToday")));
        QVERIFY(Names(changed).contains(QStringLiteral("ColorCalendarOddMonth")));

        run.Open();
        run.dialog->ResetButton("Color")->click();
        QVERIFY(!run.dialog->ResetButton("Color")->isEnabled());
        QVERIFY(run.Control<QCheckBox>("BehaviourHideFromTaskbarCheckBox")->isChecked() !=
                options.BehaviourHideFromTaskbar.DefaultValue());
        run.Press(QDialogButtonBox::Ok);
        QVERIFY(options.ColorCalendarToday.IsDefault());
        QVERIFY(!options.BehaviourHideFromTaskbar.IsDefault()); // not a colour
    }

    void behaviourPageMovesTheTrayIconAndTheFirstDayAtOnce() {
        OptionsRun run;
        TProgramOptions& options = run.session.Settings().Options();
        QVERIFY(TrayWanted(run.form));
        const int localeDay = FirstDayOfWeek();
        const int other = (localeDay + 3) % 7;
        run.Open();
        run.Control<QCheckBox>("BehaviourShowTrayIconCheckBox")->click();
        run.Control<QComboBox>("BehaviourFirstDayOfWeekComboBox")->setCurrentIndex(other);
        run.Press(QDialogButtonBox::Ok);
        QVERIFY(!TrayWanted(run.form));
        QCOMPARE(FirstDayOfWeek(), other);
        QCOMPARE(options.BehaviourFirstDayOfWeek.Value(), other);

        run.Open();
        QCOMPARE(run.Control<QComboBox>("BehaviourFirstDayOfWeekComboBox")->currentIndex(), other);
        run.dialog->ResetButton("Behaviour")->click();
        QVERIFY(run.Control<QCheckBox>("BehaviourShowTrayIconCheckBox")->isChecked());
        QCOMPARE(run.Control<QComboBox>("BehaviourFirstDayOfWeekComboBox")->currentIndex(),
                 localeDay);
        run.Press(QDialogButtonBox::Ok);
        QVERIFY(TrayWanted(run.form));
        QCOMPARE(FirstDayOfWeek(), localeDay);
    }

    void mediaPageHandsPlayerAndBeepToTheActions() {
        OptionsRun run;
        test::TempDir files;
        const QString player = QString::fromStdString(files.File("player"));
        test::WriteWholeFile(player.toStdString(), "#!/bin/sh\n");
        fs::permissions(player.toStdString(), fs::perms::owner_all);
        const QString text = QString::fromStdString(files.File("notes.txt"));
        test::WriteWholeFile(text.toStdString(), "not a program");
        const QString beep = QString::fromStdString(files.File("beep.wav"));
        test::WriteWholeFile(beep.toStdString(), "RIFF");

        run.Open();
        auto* browse = run.Control<QPushButton>("MediaBrowseWinAmp");
        QVERIFY(!browse->isEnabled());
        run.Control<QRadioButton>("MediaPlayerExternal")->click();
        QVERIFY(browse->isEnabled());
        browse->click();
        auto* dialog = run.dialog->findChild<QFileDialog*>(QStringLiteral("PlayerDialog"));
        QVERIFY(dialog->filter() & QDir::Executable);
        Choose(dialog, text); // not a program: not taken
        QCOMPARE(run.Control<QLineEdit>("MediaWinAmpPathEdit")->text(), QString());
        browse->click();
        Choose(run.dialog->findChild<QFileDialog*>(QStringLiteral("PlayerDialog")), player);
        QCOMPARE(run.Control<QLineEdit>("MediaWinAmpPathEdit")->text(), player);

        run.Control<QCheckBox>("MediaUseWavForBeepCheckBox")->setChecked(true);
        QVERIFY(run.Control<QPushButton>("MediaBeepBrowseAction")->isEnabled());
        run.Control<QPushButton>("MediaBeepBrowseAction")->click();
        Choose(run.dialog->findChild<QFileDialog*>(QStringLiteral("BeepDialog")), beep);
        QCOMPARE(run.Control<QLineEdit>("MediaBeepFileNameEdit")->text(), beep);
        QVERIFY(run.Control<QPushButton>("MediaBeepPlayAction")->isEnabled());
        run.Press(QDialogButtonBox::Ok);

        TReminderAudioPlayer& audio = run.session.Actions()->Player();
        QVERIFY(audio.UseWinAmp);
        QCOMPARE(QString::fromStdString(audio.WinAmpPath), player);
        QVERIFY(ActionContext().UseWavForBeep);
        QCOMPARE(QString::fromStdString(ActionContext().BeepFileName), beep);

        run.Open();
        run.Control<QRadioButton>("MediaPlayerTypeRadioButton")->click();
        run.Control<QCheckBox>("MediaUseWavForBeepCheckBox")->setChecked(false);
        run.Press(QDialogButtonBox::Ok);
        QVERIFY(!audio.UseWinAmp);
        QVERIFY(!ActionContext().UseWavForBeep);
    }

    void startupPageWritesTheLogonEntry() {
        test::TempDir autostart;
        const TStartupShortcut shortcut(QString::fromStdString(autostart.File("kelvo.desktop")),
                                        QStringLiteral("/usr/bin/kelvo-rem"));
        OptionsRun run;
        run.session.SetStartupShortcut(&shortcut);
        run.Open();
        auto* runAtStartup = run.Control<QCheckBox>("StartupRunAtStartupCheckBox");
        auto* intoTray = run.Control<QCheckBox>("StartupDirectlyIntoTrayCheckBox");
        QVERIFY(!runAtStartup->isChecked()); // as the missing entry says, not as the defaults
        runAtStartup->setChecked(false);
        QVERIFY(!intoTray->isEnabled());
        runAtStartup->setChecked(true);
        QVERIFY(intoTray->isEnabled());
        intoTray->setChecked(false);
        run.Press(QDialogButtonBox::Ok);
        const std::string entry = test::ReadWholeFile(autostart.File("kelvo.desktop"));
        QVERIFY(entry.find("Exec=") != std::string::npos);
        QVERIFY(entry.find("-tray") == std::string::npos);

        run.Open();
        QVERIFY(run.dialog->ResetButton("Startup")->isEnabled());
        run.dialog->ResetButton("Startup")->click();
        QVERIFY(run.Control<QCheckBox>("StartupDirectlyIntoTrayCheckBox")->isChecked());
        QVERIFY(!run.dialog->ResetButton("Startup")->isEnabled());
        run.Press(QDialogButtonBox::Ok);
        QVERIFY(test::ReadWholeFile(autostart.File("kelvo.desktop")).find("-tray") !=
                std::string::npos);
    }

    void keyboardPageTakesOneKeyAndSaysWhenKeysCannotBeHad() {
        OptionsRun run;
        run.Open();
        // Offscreen, as under Wayland, no program can take keys for itself.
        auto* note = run.Control<QLabel>("HotKeysUnavailableNote");
        QVERIFY(note);
        QVERIFY(note->text().contains(QStringLiteral("Wayland")));
        auto* key = run.Control<THotKeyEdit>("KeyboardActivateKeyHotKey");
        QTest::keyClick(key, Qt::Key_F5);
        QCOMPARE(key->text(), QStringLiteral("F5"));
        QTest::keyClick(key, Qt::Key_Shift);
        QCOMPARE(key->Key(), 0);
        QTest::keyClick(key, Qt::Key_K);
        run.Control<QCheckBox>("KeyboardActivateCtrlCheckBox")->setChecked(true);
        run.Control<QCheckBox>("KeyboardActivateAltCheckBox")->setChecked(false);
        run.Press(QDialogButtonBox::Ok);
        TProgramOptions& options = run.session.Settings().Options();
        QCOMPARE(options.KeyboardActivateKey.Value(), int('K'));
        QVERIFY(options.KeyboardActivateCtrl.Value());
        {
            TAppIniReg stored;
            QCOMPARE(stored.ReadInteger("Options", "KeyboardActivateKey", 0), int('K'));
        }

        run.Open();
        run.dialog->ResetButton("Keyboard")->click();
        QCOMPARE(run.Control<THotKeyEdit>("KeyboardActivateKeyHotKey")->Key(),
                 options.KeyboardActivateKey.DefaultValue());
        run.Press(QDialogButtonBox::Ok);
        QVERIFY(options.List.IsDefault(true, "Keyboard"));
    }

    void mailPageTakesAnyPortAndKeepsThePasswordInTheFileWithoutASecretStore() {
        OptionsRun run;
        QVERIFY(run.OpenPage(OptionsRun::Mail));
        auto& frame = run.dialog->MailFrame();
        QSpinBox* port = frame.PortBox();
        QCOMPARE(port->minimum(), 1);
        QCOMPARE(port->maximum(), 65535);
        port->setValue(0);
        QCOMPARE(port->value(), 1);
        port->clear();
        QTest::keyClicks(port, QStringLiteral("70000"));
        QVERIFY(port->value() <= 65535);
        // Once the secret store has said that there is none.
        QTRY_VERIFY(frame.PasswordPlaceLabel()->text().contains(QStringLiteral("settings file")));
        run.Control<QComboBox>("ConnectionTypeComboBox")->setCurrentIndex(1);
        run.Control<QLineEdit>("ServerEdit")->setText(QStringLiteral("127.0.0.1"));
        port->setValue(2525);
        run.Control<QCheckBox>("AuthentificationCheckBox")->setChecked(true);
        run.Control<QLineEdit>("UserNameEdit")->setText(QStringLiteral("reminder"));
        run.Control<QLineEdit>("PasswordEdit")->setText(QStringLiteral("secret"));
        QVERIFY(run.Control<QCheckBox>("AllowInsecureAuthCheckBox")->isVisibleTo(run.dialog));
        run.Control<QCheckBox>("AllowInsecureAuthCheckBox")->setChecked(true);
        run.Press(QDialogButtonBox::Ok);

        QCOMPARE(run.session.Settings().Mail().SMTPOptions.Port, 2525);
        QVERIFY(run.session.Settings().Mail().SMTPOptions.AllowInsecureAuth);
        QTRY_VERIFY(test::ReadWholeFile(SettingsFile()).find("SMTPOptionsPassword=secret") !=
                    std::string::npos);
        QCOMPARE(fs::status(SettingsFile()).permissions() & fs::perms::all,
                 fs::perms::owner_read | fs::perms::owner_write);
        const std::string stored = test::ReadWholeFile(SettingsFile());
        QVERIFY(stored.find("SMTPOptionsPort=dword:000009dd") != std::string::npos);
        // The next start reads the port back as it is.
        OptionsRun again;
        QCOMPARE(again.session.Settings().Mail().SMTPOptions.Port, 2525);
    }

    void testMessageGoesThroughTheRealMailerAndShowsItsOutcome() {
        test::SmtpServer server;
        QVERIFY(server.Port() > 0);
        OptionsRun run;
        run.Open();
        auto& frame = run.dialog->MailFrame();
        run.Control<QComboBox>("ConnectionTypeComboBox")->setCurrentIndex(1);
        run.Control<QLineEdit>("ServerEdit")->setText(QStringLiteral("127.0.0.1"));
        frame.PortBox()->setValue(server.Port());
        run.Control<QLineEdit>("ReplyToEdit")->setText(QStringLiteral("me@example.org"));
        run.Control<QCheckBox>("AuthentificationCheckBox")->setChecked(true);
        run.Control<QLineEdit>("UserNameEdit")->setText(QStringLiteral("reminder"));
        run.Control<QLineEdit>("PasswordEdit")->setText(QStringLiteral("secret"));

        QSignalSpy finished(&frame, &TMailOptionsFrame::testFinished);
        QSignalSpy progress(frame.TestProgress(), &QProgressBar::valueChanged);
        frame.TestButton()->click();
        QVERIFY(!frame.TestButton()->isEnabled());
        QVERIFY(finished.wait(20000));
        QCOMPARE(finished.at(0).at(0).toString(), QString());
        QVERIFY(!progress.isEmpty());
        QVERIFY(frame.TestStatus()->text().contains(QStringLiteral("was sent to me@example.org")));
        const auto messages = server.Messages();
        QCOMPARE(messages.size(), std::size_t(1));
        QVERIFY(messages[0].find("Subject: Tavrelon MP3 test message") != std::string::npos);
        QVERIFY(server.Commands().find("AUTH LOGIN") != std::string::npos);

        // A wrong password: the server's refusal is shown in the page, nothing in a box.
        run.Control<QLineEdit>("PasswordEdit")->setText(QStringLiteral("wrong"));
        frame.TestButton()->click();
        QVERIFY(finished.wait(20000));
        QVERIFY(!finished.at(1).at(0).toString().isEmpty());
        QVERIFY(frame.TestStatus()->text().startsWith(
            QStringLiteral("The test message could not be sent: ")));
        QVERIFY(run.messages.isEmpty());
        QCOMPARE(server.Messages().size(), std::size_t(1));
        // Testing is not saving.
        run.Press(QDialogButtonBox::Cancel);
        QCOMPARE(run.session.Settings().Mail().SMTPOptions.Server, std::string());
    }

    // "Help" opens the topic of the page shown; a page without one, the dialog's.
    void helpOpensTheTopicOfThePageShown() {
        InstallProgramFolders(std::make_unique<TQtFolderProvider>(
            QFileInfo(QStringLiteral(KELVO_REM_PATH)).absolutePath().toStdString()));
        QStringList opened;
        const auto desktop = THelp::Opener();
        THelp::Opener() = [&opened](const QUrl& url) {
            opened << url.fileName();
            return true;
        };
        {
            OptionsRun run;
            QVERIFY(run.Open());
            auto* help = run.dialog->Buttons()->findChild<QPushButton*>(QStringLiteral("Help"));
            QVERIFY(help);
            for (int page : {OptionsRun::Font, OptionsRun::Mail, OptionsRun::CalDav}) {
                run.dialog->SetActivePage(page);
                help->click();
            }
            run.Press(QDialogButtonBox::Cancel);
        }
        THelp::Opener() = desktop;
        InstallProgramFolders(std::make_unique<TQtFolderProvider>());
        QCOMPARE(opened, (QStringList{"topic-330.html", "topic-385.html", "topic-320.html"}));
    }

    // Pictures of every page for the eye, at the scale the run is given (QT_SCALE_FACTOR).
    void screenshotsOfEveryPage() {
        const QByteArray folder = qgetenv("KELVO_SCREENSHOT_DIR");
        if (folder.isEmpty())
            QSKIP("KELVO_SCREENSHOT_DIR names no folder");
        OptionsRun run;
        run.Open();
        run.Control<QComboBox>("ConnectionTypeComboBox")->setCurrentIndex(1);
        run.Control<QCheckBox>("AuthentificationCheckBox")->setChecked(true);
        run.dialog->resize(run.dialog->sizeHint());
        for (int page = 0; page < run.dialog->PageCount(); ++page) {
            run.dialog->SetActivePage(page);
            QTest::qWait(20);
            const QString file =
                QStringLiteral("%1/options-%2-%3x.png")
                    .arg(QString::fromLocal8Bit(folder))
                    .arg(page)
                    .arg(qgetenv("QT_SCALE_FACTOR").isEmpty() ? QByteArray("1")
                                                              : qgetenv("QT_SCALE_FACTOR"));
            QVERIFY(run.dialog->grab().save(file));
        }
    }
};

int main(int argc, char** argv) {
    // No desktop secret store here: the password's place is the settings file.
    return test::WindowTestMain<OptionsDialogTest>(argc, argv, &home, test::TDesktop::Without);
}

#include "OptionsDialogTest.moc"
