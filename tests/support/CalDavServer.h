#pragma once

// The CalDAV server of the sync tests (caldav_server.py beside this file): Radicale on the
// loopback address with the user reminder/secret and the calendar /reminder/work/, or a
// broken server; and the other client, caldav_peer.py over Python's caldav module.

#include "support/TestSupport.h"

#include <QProcess>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <string>

namespace kelvo::test {

class CalDavServer {
public:
    // arguments: "--cut-after N" puts a proxy in front that stops after N requests (Url()
    // is the proxy's, DirectUrl() Radicale's); "--garbage MODE" is a broken server instead;
    // "--tls" serves https with a self-signed certificate for "localhost" (Certificate()), and
    // with "--redirect" behind a front (Url()) that redirects /moved/ within https and /plain/
    // to a plain-http listener (Heard()).
    explicit CalDavServer(const QStringList& arguments = {}) {
        const std::filesystem::path script =
            std::filesystem::path(KELVO_TESTS_DIR) / "support" / "caldav_server.py";
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start("/usr/bin/python3",
                       QStringList{"-W", "ignore", QString::fromStdString(script.string()), "--dir",
                                   QString::fromStdString(folder_.Path().string())} +
                           arguments);
        const int lines =
            arguments.contains("--cut-after") || arguments.contains("--redirect") ? 2 : 1;
        for (int i = 0; i < lines; ++i) {
            while (!process_.canReadLine())
                if (!process_.waitForReadyRead(20000))
                    return;
            const int port = process_.readLine().trimmed().toInt();
            (i == 0 ? directPort_ : port_) = port;
        }
        if (lines == 1)
            port_ = directPort_;
    }
    ~CalDavServer() {
        process_.closeWriteChannel();
        if (!process_.waitForFinished(8000))
            process_.kill();
        process_.waitForFinished(2000);
    }
    CalDavServer(const CalDavServer&) = delete;
    CalDavServer& operator=(const CalDavServer&) = delete;

    bool Up() const { return port_ != 0; }
    int Port() const { return port_; }
    std::string Certificate() const { return folder_.File("cert.pem"); }
    std::string Url() const { return UrlOf(port_); }
    std::string DirectUrl() const { return UrlOf(directPort_); }

    // Further tests on the same server each take a calendar of their own: Url(), DirectUrl()
    // and Peer() are then that one's. False when the server could not make it.
    bool UseCalendar(const std::string& name) {
        if (Command("calendar " + name) != "ok\n")
            return false;
        calendar_ = name;
        return true;
    }

    // A --garbage server breaks in another way from now on.
    bool SetMode(const std::string& mode) { return Command("mode " + mode) == "ok\n"; }

    // Of a --redirect server: "requests password-carrying-ones" that reached plain http.
    std::string Heard() const { return Command("heard"); }

    // Runs a command of caldav_peer.py against the calendar (in the server's own process, so
    // that no Python starts for it); answers its output.
    std::string Peer(const std::string& arguments) const {
        return Command("peer '" + DirectUrl() + "' " + arguments);
    }

private:
    std::string Command(const std::string& line) const {
        process_.write((line + "\n").c_str());
        process_.waitForBytesWritten(5000);
        std::string answer;
        for (;;) {
            while (!process_.canReadLine())
                if (!process_.waitForReadyRead(60000))
                    return "peer failed: " + line;
            const QByteArray read = process_.readLine();
            if (read == "--end--\n")
                return answer;
            answer += read.toStdString();
        }
    }

    std::string UrlOf(int port) const {
        const bool tls = process_.arguments().contains("--tls");
        return std::string(tls ? "https" : "http") + "://127.0.0.1:" + std::to_string(port) +
               (arguments_garbage() ? "/cal/" : "/reminder/" + calendar_ + "/");
    }
    bool arguments_garbage() const { return process_.arguments().contains("--garbage"); }

    TempDir folder_;
    mutable QProcess process_;
    std::string calendar_ = "work";
    int port_ = 0;
    int directPort_ = 0;
};

} // namespace kelvo::test
