#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <functional>

namespace kelvo::test {

// The Qt application object these tests share (sockets and notifiers need one).
inline QCoreApplication& Application() {
    static int argc = 1;
    static char name[] = "test_platform_session";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app = QCoreApplication::instance() ? QCoreApplication::instance()
                                                                : new QCoreApplication(argc, argv);
    return *app;
}

// Runs the event loop until done says so or ms have passed; returns done().
inline bool WaitUntil(const std::function<bool()>& done, int ms) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

// Starts this test program again as another process, running only the tests of filter
// with the given environment added; the child tests skip themselves unless KELVO_CHILD is set.
inline void StartChild(QProcess& process, const QString& filter, const QStringList& environment) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("KELVO_CHILD", "1");
    for (const QString& entry : environment)
        env.insert(entry.section('=', 0, 0), entry.section('=', 1));
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral("/proc/self/exe"),
                  {"--gtest_filter=" + filter, "--gtest_catch_exceptions=0"});
}

} // namespace kelvo::test
