#pragma once

// The main of a widget test program over the desktop program's windows: the settings, data
// and state folders in a temporary home (home points at it while the tests run) and the
// program folder of the test, before and after QApplication as kelvo-rem has them.

#include "core/timers/ProgramFolders.h"
#include "platform/runtime/FolderProvider.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QTest>
#include <cstdlib>
#include <memory>

namespace kelvo::test {

enum class TDesktop {
    // The session bus and the sound output the test program was started with.
    AsStarted,
    // No session bus (so no secret store, notifications or media players) and sound into
    // a sink that only counts time.
    Without,
};

template <class TTest>
int WindowTestMain(int argc, char** argv, TempDir** home = nullptr,
                   TDesktop desktop = TDesktop::AsStarted) {
    TempDir dir;
    if (home)
        *home = &dir;
    UsePrivateFolders(dir.Path());
    if (desktop == TDesktop::Without) {
        setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/kelvo-test-bus", 1);
        setenv("KELVO_AUDIO_SINK", "fakesink sync=true", 1);
    }
    QApplication app(argc, argv);
    InstallProgramFolders(std::make_unique<TQtFolderProvider>());
    TTest test;
    return QTest::qExec(&test, argc, argv);
}

} // namespace kelvo::test
