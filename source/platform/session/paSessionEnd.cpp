#include "platform/session/paSessionEnd.h"

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace kelvo {

namespace {

int pipeFds[2] = {-1, -1};
volatile std::sig_atomic_t endAtOnce = 0;
bool handlerInstalled = false;
struct sigaction previousTerm {};
struct sigaction previousHup {};

void OnSignal(int number) {
    if (endAtOnce != 0 || pipeFds[1] < 0)
        ::_exit(0);
    const int savedErrno = errno;
    const unsigned char byte = static_cast<unsigned char>(number);
    [[maybe_unused]] const ssize_t ignored = ::write(pipeFds[1], &byte, 1);
    errno = savedErrno;
}

void InstallHandler() {
    if (handlerInstalled)
        return;
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, &previousTerm);
    ::sigaction(SIGHUP, &action, &previousHup);
    handlerInstalled = true;
}

} // namespace

void TSessionEndWatcher::EndAtOnceOnSignal() {
    endAtOnce = 1;
    InstallHandler();
}

void TSessionEndWatcher::DeliverSignals() {
    endAtOnce = 0;
}

TSessionEndWatcher::TSessionEndWatcher(QObject* parent) : QObject(parent) {
    if (pipeFds[0] < 0 &&
        ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, pipeFds) != 0) {
        pipeFds[0] = pipeFds[1] = -1;
        return;
    }
    InstallHandler();
    notifier_ = new QSocketNotifier(pipeFds[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TSessionEndWatcher::ReadPipe);
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        connect(app, &QGuiApplication::commitDataRequest, this,
                [this](QSessionManager&) { emit sessionEnding(0); });
    }
}

TSessionEndWatcher::~TSessionEndWatcher() {
    if (notifier_ && handlerInstalled) {
        ::sigaction(SIGTERM, &previousTerm, nullptr);
        ::sigaction(SIGHUP, &previousHup, nullptr);
        handlerInstalled = false;
    }
}

void TSessionEndWatcher::ReadPipe() {
    unsigned char byte = 0;
    int last = -1;
    while (::read(pipeFds[0], &byte, 1) == 1)
        last = byte;
    if (last >= 0)
        emit sessionEnding(last);
}

void TSessionEndWatcher::EndProcessNow(int exitCode) {
    std::_Exit(exitCode);
}

} // namespace kelvo
