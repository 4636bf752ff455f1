// kelvo-rem itself on a virtual X display with each kind of tray a desktop offers: a
// StatusNotifierItem host (a test watcher on a private session bus, read over D-Bus as a
// panel reads it), an XEmbed tray (trayer), and none.

#include "core/options/ProgramOptions.h"
#include "core/persistence/EventFile.h"
#include "platform/settings/AppIniReg.h"
#include "support/DesktopProgram.h"
#include "support/EntitySamples.h"
#include "support/PrivateBus.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <filesystem>
#include <memory>
#include <optional>

using namespace kelvo;
namespace fs = std::filesystem;

namespace {

test::TempDir* home = nullptr;
const QString Watcher = QStringLiteral(KELVO_TESTS_DIR "/helpers/sni_watcher.py");
QString display;

QString Output(const QString& program, const QStringList& arguments) {
    QProcess p;
    p.start(program, arguments);
    p.waitForFinished(10000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// A mapped window of exactly that name (Qt's hidden leader window has the program's too).
bool Viewable(const QString& name) {
    return !Output("xdotool", {"search", "--onlyvisible", "--name",
                               '^' + QRegularExpression::escape(name) + '$'})
                .trimmed()
                .isEmpty();
}

// Fresh settings and data: two events due soon, one tomorrow. kelvo-rem started into the tray,
// on the private bus or (bus false) on none.
void Start(QProcess& program, bool tips, int alarmMode, bool bus) {
    fs::remove_all(home->Path() / "data");
    fs::remove_all(home->Path() / "config");
    {
        TAppIniReg ini;
        TProgramOptions options;
        options.ShowTipsAtStartup.SetValue(tips);
        options.AlarmOption.SetValue(alarmMode);
        options.List.Save(ini);
    }
    TOwnedEvents owned;
    TEventList list;
    for (const auto& [name, when] :
         {std::pair{"Dentist", IncMinute(20, Now())}, std::pair{"Call Ann", IncMinute(40, Now())},
          std::pair{"Train", IncDay(1, Now())}}) {
        owned.push_back(samples::SilentEventOnceAt(when, name));
        owned.back()->SetDescription(name);
        list.Add(*owned.back());
    }
    const fs::path data = test::ProgramDataFolder(home->Path());
    fs::create_directories(data);
    SaveEventsFile((data / "kelvo-rem.evn").string(), list);
    fs::create_directories(home->Path() / "run");
    fs::permissions(home->Path() / "run", fs::perms::owner_all);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("HOME", QString::fromStdString(home->Path().string()));
    env.insert("XDG_RUNTIME_DIR", QString::fromStdString((home->Path() / "run").string()));
    env.insert("KELVO_AUDIO_SINK", "fakesink sync=true");
    if (!bus)
        env.insert("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent");
    if (env.contains("ASAN_OPTIONS")) // libxkbcommon-x11 hands strndup unterminated buffers
        env.insert("ASAN_OPTIONS", env.value("ASAN_OPTIONS") + ":strict_string_checks=0");
    program.setProcessEnvironment(env);
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    program.start(QStringLiteral(KELVO_REM_PATH), {"-tray"});
}

// A panel's side of the tray: items register with it.
struct TWatcher {
    QProcess process;
    QStringList item; // service and path

    bool Start() {
        process.start("/usr/bin/python3", {Watcher});
        return process.waitForReadyRead(5000) && process.readLine().startsWith("ready");
    }
    bool WaitForItem() {
        return QTest::qWaitFor(
            [this] {
                const QStringList words = QString::fromUtf8(process.readLine()).split(' ');
                if (words.size() == 3 && words[0] == "registered")
                    item = {words[1], words[2].trimmed()};
                return !item.isEmpty();
            },
            8000);
    }
    QString Ask(const QStringList& what) const {
        return Output("/usr/bin/python3", QStringList{Watcher, what[0]} + item + what.mid(1));
    }
    ~TWatcher() {
        process.closeWriteChannel();
        if (!process.waitForFinished(3000))
            process.kill();
    }
};

} // namespace

class DesktopTrayTest : public QObject {
    Q_OBJECT

    std::optional<test::TVirtualDisplay> xvfb;
    QProcess program;

private slots:
    void init() {
        if (!test::TVirtualDisplay::ToolsInstalled(
                {"Xvfb", "xwininfo", "xdotool", "trayer", "import"}) ||
            !QFile::exists("/usr/bin/python3"))
            QSKIP("no virtual X display, trayer or python3 here");
        if (DecodeTime(Now()).Hour == 23)
            QSKIP("today's events would fall on tomorrow");
        xvfb.emplace(QStringLiteral("800x600x24"));
        display = xvfb->Name();
        QVERIFY2(!display.isEmpty(), "the virtual display did not come up");
        qputenv("DISPLAY", display.toLatin1());
    }
    void cleanup() {
        program.kill();
        program.waitForFinished(5000);
        xvfb.reset();
    }

    void notifierHostGetsTheIconItsMenuAndTheDaysEvents() {
        QVERIFY(!test::TPrivateBus::Instance().Address().isEmpty());
        auto watcher = std::make_unique<TWatcher>();
        QVERIFY2(watcher->Start(), "the watcher did not start (python3-dbus, python3-gi?)");
        Start(program, false, 0, true);
        QVERIFY2(watcher->WaitForItem(), "the icon never registered");

        const QStringList shown = watcher->Ask({"--show"}).split('\n');
        const int menu = shown.indexOf("menu:");
        // Tomorrow's train is not among today's.
        static const QRegularExpression tip(
            "Next event: Dentist \\(\\d+:\\d+\\)\nToday's upcoming events:\n"
            "\\d+:\\d+  Dentist\n\\d+:\\d+  Call Ann");
        QVERIFY2(tip.match(shown.mid(0, menu).join('\n')).hasMatch(), qPrintable(shown.join('\n')));
        QStringList top;
        for (const QString& line : shown.mid(menu + 1))
            if (!line.isEmpty() && !line.startsWith(' '))
                top << line;
        // The three items with a global hot key show it; the options item shows no key.
        QCOMPARE(top, (QStringList{"Show _Main window [Control+Alt+R]", "Options...",
                                   "_Alarm Options", "-", "Add _Quick Event... [Control+Alt+Q]",
                                   "Add Quick Event in...", "Add Event by Favorite Template",
                                   "Add Event by the selected _Template... [Control+Shift+T]", "-",
                                   "On the _Web", "_About...", "Tip of the Day...", "_Help Topics",
                                   "-", "_Close this menu", "E_xit"}));
        const int alarms = shown.indexOf("_Alarm Options");
        QCOMPARE(
            shown.mid(alarms + 1, 4),
            (QStringList{"  _Enable All", "  Disable _Sound Actions",
                         "  Disable All Actions _except Alarm Window", "  Disable _All Actions"}));

        // Started into the tray, the window waits hidden for the menu's first item.
        QVERIFY(!Viewable("Tavrelon MP3"));
        QVERIFY(!Viewable("Tip of the Day"));
        watcher->Ask({"--click", "Show _Main window"});
        QVERIFY(QTest::qWaitFor([] { return Viewable("Tavrelon MP3"); }, 5000));

        // The panel restarts: the icon comes back to the new one.
        watcher.reset();
        watcher = std::make_unique<TWatcher>();
        QVERIFY(watcher->Start());
        QVERIFY2(watcher->WaitForItem(), "the icon did not come back to a restarted panel");
        QVERIFY(watcher->Ask({"--show"}).startsWith("Next event: Dentist ("));
    }

    void embeddedTrayShowsTheHintWindowAndTheMenu() {
        QProcess trayer;
        trayer.start("trayer", {"--edge", "bottom", "--align", "right", "--widthtype", "request"});
        QVERIFY(QTest::qWaitFor([] { return Viewable("panel"); }, 15000));
        Start(program, false, 0, false);
        // The mouse rests on the icon, at the tray's right end in the screen's corner.
        QVERIFY2(QTest::qWaitFor(
                     [] {
                         Output("xdotool", {"mousemove", "790", "590"});
                         return Viewable("Upcoming events");
                     },
                     10000),
                 "no hint window over the icon");
        Output("import", {"-window", "root", "/tmp/kelvo-tray-hint.png"});
        QVERIFY(!Viewable("Tavrelon MP3"));
        Output("xdotool", {"mousemove", "400", "300"});
        QVERIFY2(QTest::qWaitFor([] { return !Viewable("Upcoming events"); }, 3000),
                 "the hint stayed after the mouse left");
        Output("xdotool", {"mousemove", "790", "590", "click", "3"});
        QTest::qWait(500);
        Output("import", {"-window", "root", "/tmp/kelvo-tray-menu.png"});
        Output("xdotool", {"key", "Escape"});
        Output("xdotool", {"click", "1"});
        QTest::qWait(600);
        QVERIFY2(!Viewable("Tavrelon MP3"), "a single click on the icon opened the window");
        Output("xdotool", {"click", "--repeat", "2", "--delay", "80", "1"});
        QVERIFY2(QTest::qWaitFor([] { return Viewable("Tavrelon MP3"); }, 5000),
                 "a double click on the icon did not bring the window back");
        trayer.kill();
        QVERIFY(trayer.waitForFinished(3000));
    }

    void withoutTrayTheWindowMinimizesAndItsTitleTellsTheAlarmMode() {
        Start(program, true, 3, false);
        QVERIFY2(
            QTest::qWaitFor([] { return Viewable("Tavrelon MP3 - Disable All Actions"); }, 8000),
            "the window is hidden, or its title does not tell that alarms are off");
        // The options want the tip of the day at each start.
        QVERIFY(QTest::qWaitFor([] { return Viewable("Tip of the Day"); }, 5000));
    }
};

int main(int argc, char** argv) {
    test::TempDir dir;
    home = &dir;
    test::UsePrivateFolders(dir.Path());
    QCoreApplication app(argc, argv);
    DesktopTrayTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "DesktopTrayTest.moc"
