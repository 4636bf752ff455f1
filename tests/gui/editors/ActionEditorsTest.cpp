// The action editors as the user works them: one action of every kind typed into the single
// action editor, the test buttons acting on the real player, shell and mail route, the list
// editor and its choose-action dialog, and the history lists in the settings store.

#include "core/actions/EventAction.h"
#include "core/audio/ReminderAudioPlayer.h"
#include "core/options/MailOptions.h"
#include "core/stream/paClasses.h"
#include "core/timers/ProgramFolders.h"
#include "gui/editors/fmActionDialog.h"
#include "gui/editors/frAction.h"
#include "gui/editors/frActionList.h"
#include "platform/actions/PlatformActions.h"
#include "platform/runtime/FolderProvider.h"
#include "platform/settings/AppIniReg.h"
#include "support/SmtpServer.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>

using namespace kelvo;
namespace fs = std::filesystem;

namespace {

test::TempDir* home = nullptr;

template <class T> T& Child(QWidget& parent, const char* name) {
    T* child = parent.findChild<T*>(QLatin1String(name));
    if (!child)
        qFatal("no control %s", name);
    return *child;
}

void Click(QWidget& parent, const char* name) {
    auto& button = Child<QAbstractButton>(parent, name);
    QVERIFY2(button.isEnabled(), name);
    // A check box takes clicks on its box and text only, which a wide one may not centre.
    const bool box = qobject_cast<QCheckBox*>(&button) || qobject_cast<QRadioButton*>(&button);
    QTest::mouseClick(&button, Qt::LeftButton, {},
                      box ? QPoint(6, button.height() / 2) : button.rect().center());
}

void Type(QWidget& parent, const char* name, const QString& text) {
    QWidget& w = Child<QWidget>(parent, name);
    QWidget* target = &w;
    if (auto* combo = qobject_cast<QComboBox*>(&w))
        target = combo->lineEdit();
    else if (auto* spin = qobject_cast<QSpinBox*>(&w)) {
        spin->setFocus();
        QTest::keyClick(spin, Qt::Key_A, Qt::ControlModifier);
    }
    QTest::keyClicks(target, text);
}

std::string Bytes(const TPersistent& object) {
    std::string out;
    TClassWriter writer(out);
    writer.WriteObject(object);
    return out;
}

// A sound of one second: 8 kHz, 16-bit mono silence.
fs::path WriteWave(const fs::path& file) {
    const std::uint32_t samples = 8000, dataSize = samples * 2;
    std::ofstream out(file, std::ios::binary);
    const auto u32 = [&](std::uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    const auto u16 = [&](std::uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    out.write("RIFF", 4);
    u32(36 + dataSize);
    out.write("WAVEfmt ", 8);
    u32(16);
    u16(1);
    u16(1);
    u32(8000);
    u32(16000);
    u16(2);
    u16(16);
    out.write("data", 4);
    u32(dataSize);
    out << std::string(dataSize, '\0');
    return file;
}

struct Editor {
    Editor() : frame(&ini, QStringLiteral("EventForm.ActionFrame"), nullptr) {
        frame.resize(560, 320);
        frame.show();
        if (!QTest::qWaitForWindowExposed(&frame))
            qWarning("editor not exposed");
    }
    TAppIniReg ini;
    TActionFrame frame;
};

} // namespace

class ActionEditorsTest : public QObject {
    Q_OBJECT

private slots:
    void init() { fs::remove_all(home->Path() / "config"); }

    // Every kind typed in, compared with the same action built in code, by description and
    // by the bytes the object stream writes.
    void everyKindBuiltThroughTheControls() {
        std::vector<std::unique_ptr<TEventAction>> expected;
        std::vector<std::function<void(QWidget&)>> typing;

        expected.push_back(std::make_unique<TBeepEventAction>());
        typing.push_back([](QWidget& f) {
            Click(f, "PlayCDRadio");
            Click(f, "BeepRadio");
        });

        auto media = std::make_unique<TPlayMediaEventAction>();
        media->SetFileName("Alarms/wake.PLS");
        media->SetShuffle(true);
        media->SetRepeatType(rtTimes);
        media->SetTimes(3);
        media->SetVolume(40);
        media->SetStopIfEventClose(false);
        expected.push_back(std::move(media));
        typing.push_back([](QWidget& f) {
            Click(f, "PlayMediaRadio");
            Type(f, "PlayMediaFileNameEdit", QStringLiteral("Alarms/wake.PLS"));
            Click(f, "MediaShuffleCheck");
            Click(f, "MediaRepeatCheck");
            Type(f, "MediaRepeatNumber", QStringLiteral("3"));
            Click(f, "MediaVolumeCheck");
            auto& volume = Child<QSlider>(f, "MediaVolumeTrack");
            volume.setFocus();
            QTest::keyClick(&volume, Qt::Key_Home);
            for (int i = 0; i < 4; ++i)
                QTest::keyClick(&volume, Qt::Key_PageUp);
            QCOMPARE(Child<QLabel>(f, "MediaVolumeLabel").text(), QStringLiteral("40%"));
            Click(f, "MediaStopIfCloseCheck");
        });

        auto cd = std::make_unique<TPlayCDEventAction>();
        cd->SetTrack(7);
        cd->SetRepeatType(rtMinutes);
        cd->SetMinutes(5);
        expected.push_back(std::move(cd));
        typing.push_back([](QWidget& f) {
            Click(f, "PlayCDRadio");
            Type(f, "CDTrackNumber", QStringLiteral("7"));
            Click(f, "CDRepeatCheck");
            auto& unit = Child<QComboBox>(f, "CDRepeatTypeCombo");
            unit.setFocus();
            QTest::keyClick(&unit, Qt::Key_Down);
            Type(f, "CDRepeatNumber", QStringLiteral("5"));
        });

        auto launch = std::make_unique<TLaunchAppEventAction>();
        launch->SetFileName("/usr/bin/backup-home");
        launch->SetParams("--quiet \"My Files\"");
        launch->SetDirectory("/var/tmp");
        expected.push_back(std::move(launch));
        typing.push_back([](QWidget& f) {
            Click(f, "LaunchRadio");
            Type(f, "LaunchFilenameEdit", QStringLiteral("/usr/bin/backup-home"));
            Type(f, "LaunchParamsEdit", QStringLiteral("--quiet \"My Files\""));
            Type(f, "LaunchDirectoryEdit", QStringLiteral("/var/tmp"));
        });

        auto mail = std::make_unique<TSendMailAction>();
        mail->SetSendTo("Ann <ann@example.org>");
        mail->SetSubject("Dentist");
        mail->SetBody("At ten.\nBring the card.");
        mail->SetFileName("/home/ann/card.pdf");
        expected.push_back(std::move(mail));
        typing.push_back([](QWidget& f) {
            Click(f, "SendMailRadio");
            Type(f, "SendMailToEdit", QStringLiteral("Ann <ann@example.org>"));
            Type(f, "SendMailSubjectEdit", QStringLiteral("Dentist"));
            auto& body = Child<QPlainTextEdit>(f, "SendMailBodyMemo");
            QTest::keyClicks(&body, QStringLiteral("At ten."));
            QTest::keyClick(&body, Qt::Key_Return);
            QTest::keyClicks(&body, QStringLiteral("Bring the card."));
            Type(f, "SendMailAttachEdit", QStringLiteral("/home/ann/card.pdf"));
        });

        for (std::size_t i = 0; i < expected.size(); ++i) {
            Editor editor;
            typing[i](editor.frame);
            if (QTest::currentTestFailed())
                return;
            TEventAction& built = editor.frame.CurrentAction();
            QCOMPARE(built.GetDescription(), expected[i]->GetDescription());
            QCOMPARE(Bytes(built), Bytes(*expected[i]));
        }
    }

    // Loading shows a value as stored, and what the page shows is what it gives back.
    void loadingShowsTheStoredValues() {
        Editor editor;
        TActionFrame& f = editor.frame;
        QVERIFY(Child<QRadioButton>(f, "BeepRadio").isChecked());

        TPlayMediaEventAction media;
        media.SetFileName("chime.wav");
        f.LoadAction(media);
        QVERIFY(Child<QRadioButton>(f, "PlayMediaRadio").isChecked());
        QVERIFY(!Child<QCheckBox>(f, "MediaVolumeCheck").isChecked());
        QCOMPARE(Child<QSlider>(f, "MediaVolumeTrack").value(), 100);
        QVERIFY(!Child<QSlider>(f, "MediaVolumeTrack").isEnabled());
        QVERIFY(!Child<QCheckBox>(f, "MediaShuffleCheck").isEnabled());
        Child<QComboBox>(f, "PlayMediaFileNameEdit").setEditText(QStringLiteral("list.PLS"));
        QVERIFY(Child<QCheckBox>(f, "MediaShuffleCheck").isEnabled());

        // A track beyond the editor's range, read from a file, survives untouched.
        TPlayCDEventAction cd;
        cd.SetTrack(42);
        cd.SetShuffle(true);
        f.LoadAction(cd);
        QVERIFY(!Child<QSpinBox>(f, "CDTrackNumber").isEnabled());
        QCOMPARE(Bytes(f.CurrentAction()), Bytes(cd));

        // The send-net kind has no button: none stays checked while its page shows.
        f.LoadAction(TSendNetEventAction());
        QCOMPARE(Child<QStackedWidget>(f, "ActionPages").currentWidget()->objectName(),
                 QStringLiteral("SendNetPage"));
        for (auto* radio : f.findChildren<QRadioButton*>())
            QVERIFY(!radio->isChecked());
        QCOMPARE(f.CurrentKind(), 5);

        Click(f, "SendMailRadio");
        Type(f, "SendMailSubjectEdit", QStringLiteral("Dentist"));
        Type(f, "SendMailBodyMemo", QStringLiteral("At ten"));
        QVERIFY(!Child<QPushButton>(f, "SendNowButton").isEnabled());
        Type(f, "SendMailToEdit", QStringLiteral("ann@example.org"));
        QVERIFY(Child<QPushButton>(f, "SendNowButton").isEnabled());

        // A complex action is no kind of its own and changes nothing.
        TComplexEventAction complex;
        f.LoadAction(complex);
        QCOMPARE(f.CurrentKind(), 4);
    }

    // The test buttons go through the real player, tone generator, shell and mail route.
    void theTestButtonsReallyAct() {
        TPlatformActions platform;
        platform.Install();
        Editor editor;
        TActionFrame& f = editor.frame;

        // Four tones on a sink that plays in real time: about a second.
        QElapsedTimer clock;
        clock.start();
        Click(f, "TestBeepButton");
        QVERIFY2(clock.elapsed() >= 900, qPrintable(QString::number(clock.elapsed())));

        const fs::path wave = WriteWave(home->Path() / "chime.wav");
        Click(f, "PlayMediaRadio");
        Type(f, "PlayMediaFileNameEdit", QString::fromStdString(wave.string()));
        Click(f, "MediaPlayButton");
        QVERIFY(platform.Player().IsPlaying());
        QTRY_VERIFY(Child<QPushButton>(f, "MediaStopButton").isEnabled());
        QVERIFY(!Child<QPushButton>(f, "MediaPlayButton").isEnabled());
        Click(f, "MediaStopButton");
        QVERIFY(!platform.Player().IsPlaying());
        QTRY_VERIFY(Child<QPushButton>(f, "MediaPlayButton").isEnabled());

        // An alarm's sound that plays while an editor closes plays on; the editor's own stops.
        TPlayMediaEventAction alarm;
        alarm.SetFileName(wave.string());
        alarm.SetRepeatType(rtTimes);
        alarm.SetTimes(5);
        alarm.Execute();
        QVERIFY(platform.Player().IsPlaying());
        { Editor other; }
        QVERIFY(platform.Player().IsPlaying());
        alarm.Stop();
        QTRY_VERIFY(Child<QPushButton>(f, "MediaPlayButton").isEnabled());
        Click(f, "MediaPlayButton");
        { Editor other; }
        QVERIFY(platform.Player().IsPlaying());
        f.StopOwnSound();
        QVERIFY(!platform.Player().IsPlaying());

        const fs::path script = home->Path() / "mark.sh";
        test::WriteWholeFile(script, "#!/bin/sh\necho \"$2\" > \"$1\"\n");
        fs::permissions(script, fs::perms::owner_all);
        const fs::path mark = home->Path() / "launched";
        Click(f, "LaunchRadio");
        QVERIFY(!Child<QPushButton>(f, "LaunchButton").isEnabled());
        Type(f, "LaunchFilenameEdit", QString::fromStdString(script.string()));
        Type(f, "LaunchParamsEdit",
             QString::fromStdString("\"" + mark.string() + "\" \"two words\""));
        Click(f, "LaunchButton");
        QTRY_VERIFY_WITH_TIMEOUT(fs::exists(mark) && fs::file_size(mark) > 0, 10000);
        QCOMPARE(test::ReadWholeFile(mark), std::string("two words\n"));

        test::SmtpServer server;
        QVERIFY(server.Port() > 0);
        TMailOptions mail = test::LoopbackMail(server.Port(), "secret");
        mail.SMTPOptions.ReplyTo = "Tavrelon <me@example.org>";
        platform.SetMailOptions(&mail);
        Click(f, "SendMailRadio");
        Type(f, "SendMailToEdit", QStringLiteral("ann@example.org"));
        Type(f, "SendMailSubjectEdit", QStringLiteral("Tried from the editor"));
        Click(f, "SendNowButton");
        QTRY_VERIFY_WITH_TIMEOUT(server.Messages().size() == 1, 20000);
        const std::string message = server.Messages().front();
        QVERIFY(message.find("Subject: Tried from the editor") != std::string::npos);
        QVERIFY(message.find("ann@example.org") != std::string::npos);
        platform.SetMailOptions(nullptr);
    }

    // Add, edit (a beep becomes a mail: a new object of the new kind) and delete, each
    // through the choose-action dialog, which starts on the beep page when new.
    void theListEditsThroughTheChooseActionDialog() {
        TAppIniReg ini;
        TActionListFrame list(&ini, nullptr);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QVERIFY(!Child<QPushButton>(list, "EditButton").isEnabled());

        bool sawBeepPage = false;
        const auto answer = [&](const std::function<void(TActionDialogForm&)>& work) {
            QTimer::singleShot(0, [&, work] {
                auto* dialog = qobject_cast<TActionDialogForm*>(QApplication::activeModalWidget());
                QVERIFY(dialog);
                QCOMPARE(dialog->windowModality(), Qt::WindowModal);
                work(*dialog);
            });
        };
        answer([&](TActionDialogForm& d) {
            sawBeepPage = Child<QRadioButton>(d, "BeepRadio").isChecked();
            QTest::keyClick(&d, Qt::Key_Return);
        });
        Click(list, "AddButton");
        QVERIFY(sawBeepPage);
        QCOMPARE(list.GetList().Count(), 1);
        QCOMPARE(list.ListBox().currentItem()->text(), QStringLiteral("Beep"));

        const TEventAction* before = &list.GetList().Items(0);
        answer([&](TActionDialogForm& d) {
            Click(d, "SendMailRadio");
            Type(d, "SendMailToEdit", QStringLiteral("bob@example.org"));
            QTest::keyClick(&d, Qt::Key_Return);
        });
        const QPoint entry = list.ListBox().visualItemRect(list.ListBox().item(0)).center();
        QTest::mouseClick(list.ListBox().viewport(), Qt::LeftButton, {}, entry);
        QTest::mouseDClick(list.ListBox().viewport(), Qt::LeftButton, {}, entry);
        QCOMPARE(list.ListBox().item(0)->text(), QStringLiteral("Send email to bob@example.org"));
        QVERIFY(dynamic_cast<const TSendMailAction*>(&list.GetList().Items(0)));
        QVERIFY(before != &list.GetList().Items(0));

        answer([&](TActionDialogForm& d) {
            Click(d, "LaunchRadio");
            Type(d, "LaunchFilenameEdit", QStringLiteral("notepad.exe"));
            QTest::keyClick(&d, Qt::Key_Escape);
        });
        Click(list, "AddButton");
        QCOMPARE(list.GetList().Count(), 1);

        list.ListBox().setCurrentRow(0);
        Click(list, "DeleteButton");
        QCOMPARE(list.GetList().Count(), 0);
        QCOMPARE(list.ListBox().count(), 0);
    }

    // The last value comes first, an equal older one goes, and twenty are kept, in the store.
    void historiesKeepTwentyNewestFirst() {
        {
            Editor editor;
            for (int i = 1; i <= 21; ++i) {
                auto& box = Child<QComboBox>(editor.frame, "LaunchFilenameEdit");
                box.setEditText(QStringLiteral("prog%1").arg(i));
                editor.frame.SaveHistories();
            }
            Child<QComboBox>(editor.frame, "LaunchFilenameEdit")
                .setEditText(QStringLiteral("prog5"));
            editor.frame.SaveHistories();
        }
        Editor again;
        auto& box = Child<QComboBox>(again.frame, "LaunchFilenameEdit");
        QCOMPARE(box.count(), 20);
        QCOMPARE(box.itemText(0), QStringLiteral("prog5"));
        QCOMPARE(box.itemText(1), QStringLiteral("prog21"));
        QCOMPARE(box.itemText(19), QStringLiteral("prog2"));
        QVERIFY(box.findText(QStringLiteral("prog1")) < 0);
        const std::string stored =
            again.ini.ReadString("View", "EventForm.ActionFrame.LaunchFilenameEdit.Items", "");
        QVERIFY(stored.rfind("prog5\nprog21\n", 0) == 0);
        QCOMPARE(Child<QComboBox>(again.frame, "SendMailToEdit").count(), 0);
    }
};

int main(int argc, char** argv) {
    test::TempDir dir;
    home = &dir;
    test::UsePrivateFolders(dir.Path());
    qputenv("KELVO_AUDIO_SINK", "fakesink sync=true");
    QApplication app(argc, argv);
    InstallProgramFolders(std::make_unique<TQtFolderProvider>());
    ActionEditorsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ActionEditorsTest.moc"
