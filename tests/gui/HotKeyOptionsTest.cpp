// The keyboard page on a real X display: the hot keys are grabbed again as soon as OK is
// pressed, which another X client sees as the combination being taken.

#include "core/options/ProgramOptions.h"
#include "platform/hotkeys/paHotKeys.h"
#include "platform/runtime/FolderProvider.h"
#include "support/OptionsDialogRun.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

using namespace kelvo;
using test::OptionsRun;
namespace fs = std::filesystem;

namespace {

test::TempDir* home = nullptr;

// Whether some client holds the combination: another client's grab of it is refused.
bool Taken(unsigned modifiers, int virtualKey) {
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(c);
    xcb_keycode_t* codes =
        xcb_key_symbols_get_keycode(symbols, TGlobalHotKeys::KeySymOfVirtualKey(virtualKey));
    const xcb_keycode_t code = codes ? codes[0] : 0;
    std::free(codes);
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const std::uint16_t mask = TGlobalHotKeys::X11Modifiers(modifiers);
    xcb_generic_error_t* error = xcb_request_check(
        c, xcb_grab_key_checked(c, 1, root, mask, code, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
    const bool taken = error != nullptr;
    std::free(error);
    if (!taken)
        xcb_request_check(c, xcb_ungrab_key_checked(c, code, root, mask));
    xcb_key_symbols_free(symbols);
    xcb_disconnect(c);
    return taken;
}

} // namespace

class HotKeyOptionsTest : public QObject {
    Q_OBJECT

private slots:
    void keyboardPageGrabsTheNewCombinationAtOnce() {
        OptionsRun run;
        TProgramOptions& options = run.session.Settings().Options();
        const unsigned ctrlAlt = TGlobalHotKeys::hkCtrl | TGlobalHotKeys::hkAlt;
        const int key = options.KeyboardActivateKey.Value();
        QVERIFY(options.KeyboardActivateCtrl.Value() && options.KeyboardActivateAlt.Value());
        QVERIFY(Taken(ctrlAlt, key));
        QVERIFY(!Taken(TGlobalHotKeys::hkShift, 0x78));

        run.Open();
        QVERIFY(!run.Control<QLabel>("HotKeysUnavailableNote")); // X11 can
        auto* box = run.Control<THotKeyEdit>("KeyboardActivateKeyHotKey");
        QTest::keyClick(box, Qt::Key_F9);
        run.Control<QCheckBox>("KeyboardActivateCtrlCheckBox")->setChecked(false);
        run.Control<QCheckBox>("KeyboardActivateAltCheckBox")->setChecked(false);
        run.Control<QCheckBox>("KeyboardActivateShiftCheckBox")->setChecked(true);
        run.Press(QDialogButtonBox::Ok);
        QVERIFY(Taken(TGlobalHotKeys::hkShift, 0x78));
        QVERIFY(!Taken(ctrlAlt, key));

        run.Open();
        run.dialog->ResetButton("Keyboard")->click();
        run.Press(QDialogButtonBox::Ok);
        QVERIFY(Taken(ctrlAlt, key));
        QVERIFY(!Taken(TGlobalHotKeys::hkShift, 0x78));
    }
};

int main(int argc, char** argv) {
    // A display of our own, before Qt connects to one.
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return 1;
    const pid_t xvfb = fork();
    if (xvfb == 0) {
        // The server closes what it did not open itself, so the number comes on stdout.
        dup2(pipeFds[1], 1);
        close(pipeFds[0]);
        close(pipeFds[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", "1", "-screen", "0", "800x600x24", "-nolisten", "tcp",
               "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipeFds[1]);
    char number[16] = {};
    const ssize_t got = read(pipeFds[0], number, sizeof number - 1);
    close(pipeFds[0]);
    if (got <= 1) {
        std::puts("SKIP: no virtual X display here");
        return 0;
    }
    setenv("DISPLAY", (":" + std::string(number, static_cast<std::size_t>(got) - 1)).c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    unsetenv("XDG_SESSION_TYPE");
    test::TempDir dir;
    home = &dir;
    test::UsePrivateFolders(dir.Path());
    setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/kelvo-test-bus", 1);
    int result = 0;
    {
        QApplication app(argc, argv);
        InstallProgramFolders(std::make_unique<TQtFolderProvider>());
        HotKeyOptionsTest test;
        result = QTest::qExec(&test, argc, argv);
    }
    kill(xvfb, SIGTERM);
    waitpid(xvfb, nullptr, 0);
    return result;
}

#include "HotKeyOptionsTest.moc"
