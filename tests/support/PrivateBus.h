#pragma once

// A session bus of the test's own: started once per test program, its address in
// DBUS_SESSION_BUS_ADDRESS for the test and the children it starts.

#include <QByteArray>
#include <QProcess>
#include <cstdlib>

namespace kelvo::test {

class TPrivateBus {
public:
    static TPrivateBus& Instance() {
        static TPrivateBus bus;
        return bus;
    }
    const QByteArray& Address() const { return address_; }
    ~TPrivateBus() {
        daemon_.kill();
        daemon_.waitForFinished(2000);
    }

private:
    TPrivateBus() {
        daemon_.start("dbus-daemon", {"--session", "--nofork", "--nopidfile", "--print-address"});
        if (daemon_.waitForReadyRead(5000))
            address_ = daemon_.readLine().trimmed();
        if (!address_.isEmpty())
            setenv("DBUS_SESSION_BUS_ADDRESS", address_.constData(), 1);
    }
    QProcess daemon_;
    QByteArray address_;
};

} // namespace kelvo::test
