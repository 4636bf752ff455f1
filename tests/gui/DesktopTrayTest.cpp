// kelvo-rem itself on a virtual X display with each kind of tray a desktop offers: a
// StatusNotifierItem host (a watcher on a private session bus, read over D-Bus as a panel
// reads it), an XEmbed tray (trayer), and none at all.

#include "core/options/ProgramOptions.h"
#include "core/persistence/EventFile.h"
#include "platform/settings/AppIniReg.h"
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

using namespace kelvo;
namespace fs = std::filesystem;

namespace {

test::TempDir* home = nullptr;
const QString Python = QStringLiteral("/usr/bin/python3");
const QString Watcher = QStringLiteral(KELVO_TESTS_DIR "/helpers/sni_watcher.py");
const QString Shots = QStringLiteral("/tmp/kelvo-tray-");

QString Output(const QString& program, const QStringList& arguments, const QString& display = {}) {
    QProcess p;
    if (!display.isEmpty()) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), display);
        p.setProcessEnvironment(env);
    }
    p.start(program, arguments);
    p.waitForFinished(10000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// A mapped window of exactly that name (Qt's hidden leader window has the program's too).
bool Viewable(const QString& display, const QString& name) {
    return !Output(QStringLiteral("xdotool"),
                   {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                    QStringLiteral("--name"),
                    QLatin1Char('^') + QRegularExpression::escape(name) + QLatin1Char('$')},
                   display)
                .trimmed()
                .isEmpty();
}

// A fresh settings store and data folder: two events due soon today, one tomorrow.
void Prepare(bool tipsAtStart, int alarmMode) {
    fs::remove_all(home->Path() / "data");
    fs::remove_all(home->Path() / "config");
    {
        TAppIniReg ini;
        TProgramOptions options;
        options.ShowTipsAtStartup.SetValue(tipsAtStart);
        options.AlarmOption.SetValue(alarmMode);
        options.List.Save(ini);
    }
    const TDateTime now = Now();
    TOwnedEvents owned;
    TEventList list;
    for (const auto& [name, when] :
         {std::pair{"Dentist", IncMinute(20, now)}, std::pair{"Call Ann", IncMinute(40, now)},
          std::pair{"Train", IncDay(1, now)}}) {
        owned.push_back(samples::SilentEventOnceAt(when, name));
        owned.back()->SetDescription(name);
        list.Add(*owned.back());
    }
    const fs::path data = home->Path() / "data" / "Brennikor" / "Tavrelon";
    fs::create_directories(data);
    SaveEventsFile((data / "kelvo-rem.evn").string(), list);
}

struct TDesktop {
    QProcess xvfb;
    QProcess program;
    QString display;

    bool Start() {
        xvfb.start(QStringLiteral("Xvfb"),
                   {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                    QStringLiteral("0"), QStringLiteral("800x600x24"), QStringLiteral("-nolisten"),
                    QStringLiteral("tcp")});
        if (!xvfb.waitForReadyRead(10000))
            return false;
        display = QStringLiteral(":") + QString::fromLatin1(xvfb.readLine().trimmed());
        return true;
    }
    void Run(const QStringList& arguments) {
        fs::create_directories(home->Path() / "run");
        fs::permissions(home->Path() / "run", fs::perms::owner_all);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), display);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("HOME"), QString::fromStdString(home->Path().string()));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"),
                   QString::fromStdString((home->Path() / "run").string()));
        env.insert(QStringLiteral("KELVO_AUDIO_SINK"), QStringLiteral("fakesink sync=true"));
        if (env.contains(QStringLiteral("ASAN_OPTIONS")))
            env.insert(QStringLiteral("ASAN_OPTIONS"),
                       env.value(QStringLiteral("ASAN_OPTIONS")) +
                           QStringLiteral(":strict_string_checks=0"));
        program.setProcessEnvironment(env);
        program.setProcessChannelMode(QProcess::ForwardedChannels);
        program.start(QStringLiteral(KELVO_REM_PATH), arguments);
    }
    void Shoot(const QString& name) {
        Output(QStringLiteral("import"),
               {QStringLiteral("-window"), QStringLiteral("root"), Shots + name + ".png"}, display);
    }
    ~TDesktop() {
        program.kill();
        program.waitForFinished(5000);
        xvfb.kill();
        xvfb.waitForFinished(5000);
    }
};

// The panel's side of the tray: items register with it.
struct TWatcher {
    QProcess process;
    QString service, path;

    bool Start() {
        process.start(Python, {Watcher});
        return process.waitForReadyRead(5000) && process.readLine().startsWith("ready");
    }
    bool WaitForItem() {
        return QTest::qWaitFor(
            [this] {
                if (!process.canReadLine())
                    return false;
                const QStringList words =
                    QString::fromUtf8(process.readLine()).trimmed().split(QLatin1Char(' '));
                if (words.size() != 3 || words[0] != QLatin1String("registered"))
                    return false;
                service = words[1];
                path = words[2];
                return true;
            },
            8000);
    }
    QString Show() const {
        return Output(Python, {Watcher, QStringLiteral("--show"), service, path});
    }
    void Click(const QString& label) const {
        Output(Python, {Watcher, QStringLiteral("--click"), service, path, label});
    }
    ~TWatcher() {
        process.closeWriteChannel();
        if (!process.waitForFinished(3000))
            process.kill();
        process.waitForFinished(2000);
    }
};

bool Have(std::initializer_list<const char*> tools) {
    for (const char* tool : tools)
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            return false;
    return true;
}

} // namespace

class DesktopTrayTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        if (!Have({"Xvfb", "xdotool", "import"}) || !QFile::exists(Python))
            QSKIP("no virtual X display here");
        if (DecodeTime(Now()).Hour == 23)
            QSKIP("today's events would fall on tomorrow");
    }

    void notifierHostGetsTheIconItsMenuAndTheDaysEvents() {
        if (test::TPrivateBus::Instance().Address().isEmpty())
            QSKIP("no session bus here");
        TDesktop desktop;
        QVERIFY(desktop.Start());
        auto watcher = std::make_unique<TWatcher>();
        QVERIFY2(watcher->Start(), "the watcher did not start (python3-dbus, python3-gi?)");
        Prepare(false, 0);
        desktop.Run({QStringLiteral("-tray")});
        QVERIFY2(watcher->WaitForItem(), "the icon never registered");

        const QStringList shown = watcher->Show().split(QLatin1Char('\n'));
        const int menuAt = shown.indexOf(QStringLiteral("menu:"));
        QVERIFY2(menuAt > 0, qPrintable(shown.join('\n')));
        const QStringList tip = shown.mid(0, menuAt);
        QVERIFY2(tip[0].startsWith(QLatin1String("Next event: Dentist (")), qPrintable(tip[0]));
        QCOMPARE(tip[1], QStringLiteral("Today's upcoming events:"));
        QCOMPARE(tip.size(), 4); // tomorrow's train is not among today's
        QVERIFY(tip[2].endsWith(QLatin1String("  Dentist")));
        QVERIFY(tip[3].endsWith(QLatin1String("  Call Ann")));

        QStringList top;
        for (const QString& line : shown.mid(menuAt + 1))
            if (!line.isEmpty() && !line.startsWith(QLatin1Char(' ')))
                top << line;
        // The three items with a global hot key show it; the options item shows no key.
        QCOMPARE(top, (QStringList{"Show _Main window [Control+Alt+R]", "Options...",
                                   "_Alarm Options", "-", "Add _Quick Event... [Control+Alt+Q]",
                                   "Add Quick Event in...", "Add Event by Favorite Template",
                                   "Add Event by the selected _Template... [Control+Shift+T]", "-",
                                   "On the _Web", "_About...", "Tip of the Day...", "_Help Topics",
                                   "-", "_Close this menu", "E_xit"}));
        const int alarms = shown.indexOf(QStringLiteral("_Alarm Options"));
        QCOMPARE(
            shown.mid(alarms + 1, 4),
            (QStringList{"  _Enable All", "  Disable _Sound Actions",
                         "  Disable All Actions _except Alarm Window", "  Disable _All Actions"}));
        QVERIFY(shown.contains(QStringLiteral("  _Tomorrow morning...")));
        QVERIFY(shown.contains(QStringLiteral("  FAQ - Frequently Asked Questions")));

        // Started into the tray, the window waits hidden until the menu's first item.
        QVERIFY(!Viewable(desktop.display, QStringLiteral("Tavrelon MP3")));
        QVERIFY(!Viewable(desktop.display, QStringLiteral("Tip of the Day")));
        watcher->Click(QStringLiteral("Show _Main window"));
        QVERIFY(QTest::qWaitFor(
            [&] { return Viewable(desktop.display, QStringLiteral("Tavrelon MP3")); }, 5000));

        // The panel restarts: the icon comes back to the new one.
        watcher.reset();
        watcher = std::make_unique<TWatcher>();
        QVERIFY(watcher->Start());
        QVERIFY2(watcher->WaitForItem(), "the icon did not come back to a restarted panel");
        QVERIFY(watcher->Show().startsWith(QLatin1String("Next event: Dentist (")));
    }

    void embeddedTrayShowsTheHintWindowAndTheMenu() {
        if (!Have({"trayer"}))
            QSKIP("no trayer here");
        TDesktop desktop;
        QVERIFY(desktop.Start());
        QProcess trayer;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), desktop.display);
        trayer.setProcessEnvironment(env);
        trayer.start(QStringLiteral("trayer"),
                     {QStringLiteral("--edge"), QStringLiteral("bottom"), QStringLiteral("--align"),
                      QStringLiteral("right"), QStringLiteral("--widthtype"),
                      QStringLiteral("request")});
        QVERIFY(QTest::qWaitFor([&] { return Viewable(desktop.display, "panel"); }, 5000));
        Prepare(false, 0);
        // No notifier host on this bus: the icon goes to the embedding tray.
        qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent");
        desktop.Run({QStringLiteral("-tray")});
        qputenv("DBUS_SESSION_BUS_ADDRESS", test::TPrivateBus::Instance().Address());
        // The icon is the embedded window at the tray's right end, near the screen's corner.
        const QString hint = QStringLiteral("Upcoming events");
        QVERIFY(QTest::qWaitFor(
            [&] {
                Output(QStringLiteral("xdotool"),
                       {QStringLiteral("mousemove"), QStringLiteral("790"), QStringLiteral("590")},
                       desktop.display);
                return Viewable(desktop.display, hint);
            },
            10000));
        desktop.Shoot(QStringLiteral("hint"));
        QVERIFY(!Viewable(desktop.display, QStringLiteral("Tavrelon MP3")));
        // The hint goes as the mouse leaves the icon.
        Output(QStringLiteral("xdotool"),
               {QStringLiteral("mousemove"), QStringLiteral("400"), QStringLiteral("300")},
               desktop.display);
        QVERIFY(QTest::qWaitFor([&] { return !Viewable(desktop.display, hint); }, 3000));
        Output(QStringLiteral("xdotool"),
               {QStringLiteral("mousemove"), QStringLiteral("790"), QStringLiteral("590"),
                QStringLiteral("click"), QStringLiteral("3")},
               desktop.display);
        QTest::qWait(500);
        desktop.Shoot(QStringLiteral("menu"));
        trayer.kill();
        QVERIFY(trayer.waitForFinished(3000));
    }

    void withoutTrayTheWindowMinimizesAndItsTitleTellsTheAlarmMode() {
        TDesktop desktop;
        QVERIFY(desktop.Start());
        Prepare(true, 3);
        qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent");
        desktop.Run({QStringLiteral("-tray")});
        qputenv("DBUS_SESSION_BUS_ADDRESS", test::TPrivateBus::Instance().Address());
        QVERIFY2(QTest::qWaitFor(
                     [&] {
                         return Viewable(desktop.display,
                                         QStringLiteral("Tavrelon MP3 - Disable All Actions"));
                     },
                     8000),
                 "the window is hidden, or its title does not tell that alarms are off");
        // The options want the tip of the day at each start.
        QVERIFY(QTest::qWaitFor(
            [&] { return Viewable(desktop.display, QStringLiteral("Tip of the Day")); }, 5000));
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
