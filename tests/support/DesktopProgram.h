#pragma once

// kelvo-rem as a process, the way a desktop starts it: on the offscreen platform or on a
// virtual X display of the test's own, ended with SIGTERM as the end of a session ends it;
// and what the desktop's own tools see of it. For test programs that know where kelvo-rem
// is (KELVO_REM_PATH).

#include <QList>
#include <QPoint>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>
#include <QThread>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <optional>

namespace kelvo::test {

// The folders of a home of the test's own under root, owner-only, for this process and the
// programs it starts: HOME (home, below root) and the XDG data, config, state and runtime
// folders.
inline void UseProgramHome(const std::filesystem::path& root, const char* home) {
    const auto set = [&](const char* name, const char* sub) {
        const std::filesystem::path p = root / sub;
        std::filesystem::create_directories(p);
        std::filesystem::permissions(p, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::replace);
        setenv(name, p.c_str(), 1);
    };
    set("HOME", home);
    set("XDG_DATA_HOME", "data");
    set("XDG_CONFIG_HOME", "config");
    set("XDG_STATE_HOME", "state");
    set("XDG_RUNTIME_DIR", "run");
}

// Xvfb on a display number of its own choosing, for as long as this lives.
class TVirtualDisplay {
public:
    explicit TVirtualDisplay(const QString& screen = QStringLiteral("1024x768x24")) {
        // Without -noreset the server resets when its last client leaves, and a program
        // connecting just then is refused.
        xvfb_.start(QStringLiteral("Xvfb"),
                    {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                     QStringLiteral("0"), screen, QStringLiteral("-nolisten"),
                     QStringLiteral("tcp"), QStringLiteral("-noreset")});
        QByteArray number;
        while (!number.contains('\n') && xvfb_.waitForReadyRead(10000))
            number += xvfb_.readAllStandardOutput();
        if (!number.trimmed().isEmpty() && Answers(QStringLiteral(":") + number.trimmed()))
            name_ = QStringLiteral(":") + QString::fromLatin1(number.trimmed());
    }
    ~TVirtualDisplay() {
        xvfb_.terminate();
        if (!xvfb_.waitForFinished(5000))
            xvfb_.kill();
    }
    TVirtualDisplay(const TVirtualDisplay&) = delete;
    TVirtualDisplay& operator=(const TVirtualDisplay&) = delete;

    // ":n"; empty when the server did not come up or does not take connections.
    const QString& Name() const { return name_; }

    // Whether every one of the tools is installed.
    static bool ToolsInstalled(std::initializer_list<const char*> tools) {
        for (const char* tool : tools)
            if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
                return false;
        return true;
    }

private:
    // Whether a client gets through to the display within a few seconds.
    static bool Answers(const QString& display) {
        for (int attempt = 0; attempt < 50; ++attempt) {
            QProcess probe;
            probe.setStandardOutputFile(QProcess::nullDevice());
            probe.start(QStringLiteral("xwininfo"),
                        {QStringLiteral("-display"), display, QStringLiteral("-root")});
            if (probe.waitForFinished(5000) && probe.exitStatus() == QProcess::NormalExit &&
                probe.exitCode() == 0)
                return true;
            QThread::msleep(100);
        }
        return false;
    }

    QProcess xvfb_;
    QString name_;
};

struct TShownWindow {
    QString Name;
    QPoint At;
};

// The top-level windows of the display that have a name, with their places on the screen.
inline QList<TShownWindow> ShownWindows(const QString& display) {
    QProcess p;
    p.start(QStringLiteral("xwininfo"), {QStringLiteral("-display"), display,
                                         QStringLiteral("-root"), QStringLiteral("-tree")});
    p.waitForFinished(5000);
    QList<TShownWindow> out;
    // 0x400007 "One": ("kelvo-rem" "kelvo-rem")  412x200+0+0  +0+0
    static const QRegularExpression line(
        QStringLiteral("0x[0-9a-f]+ \"([^\"]*)\":.*\\s\\d+x\\d+[+-]-?\\d+[+-]-?\\d+"
                       "\\s+\\+(-?\\d+)\\+(-?\\d+)"));
    for (const QString& text : QString::fromUtf8(p.readAllStandardOutput()).split('\n'))
        if (const auto m = line.match(text); m.hasMatch())
            out.push_back({m.captured(1), QPoint(m.captured(2).toInt(), m.captured(3).toInt())});
    return out;
}

inline QStringList ShownWindowNames(const QString& display) {
    QStringList names;
    for (const TShownWindow& w : ShownWindows(display))
        names << w.Name;
    return names;
}

// Starts kelvo-rem in env (the test's own by default): on display, or offscreen when it is
// empty. False when it did not start.
inline bool StartProgram(QProcess& program, const QString& display = {},
                         QProcessEnvironment env = QProcessEnvironment::systemEnvironment()) {
    if (display.isEmpty()) {
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    } else {
        env.insert(QStringLiteral("DISPLAY"), display);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        // libxkbcommon-x11 hands strndup an unterminated buffer of the right length, which
        // strict string checks of the sanitizer build take for an overflow.
        if (env.contains(QStringLiteral("ASAN_OPTIONS")))
            env.insert(QStringLiteral("ASAN_OPTIONS"),
                       env.value(QStringLiteral("ASAN_OPTIONS")) +
                           QStringLiteral(":strict_string_checks=0"));
    }
    program.setProcessEnvironment(env);
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    program.start(QStringLiteral(KELVO_REM_PATH), {});
    return program.waitForStarted(10000);
}

// SIGTERM, as at the end of a session; killed only when it does not end by itself.
inline void EndProgram(QProcess& program) {
    if (program.state() != QProcess::NotRunning) {
        ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
        if (!program.waitForFinished(20000))
            program.kill();
    }
    program.waitForFinished(5000);
}

// What the desktop's own tool finds in the secret store for that setting; nothing when the
// store has none (or none runs).
inline std::optional<QString> StoredSecret(const QString& setting) {
    QProcess lookup;
    lookup.start(QStringLiteral("secret-tool"),
                 {QStringLiteral("lookup"), QStringLiteral("setting"), setting});
    if (!lookup.waitForFinished(10000) || lookup.exitCode() != 0)
        return std::nullopt;
    return QString::fromUtf8(lookup.readAllStandardOutput());
}

} // namespace kelvo::test
