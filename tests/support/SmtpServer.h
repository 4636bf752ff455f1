#pragma once

// The loopback SMTP server every mail test talks to (smtp_server.py beside this file, over
// python3-aiosmtpd): AUTH LOGIN as reminder/secret, each message kept as a .eml file, every
// command line it received in commands.log.

#include "core/options/MailOptions.h"
#include "support/TestSupport.h"

#include <QProcess>
#include <QString>
#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kelvo::test {

class SmtpServer {
public:
    explicit SmtpServer(const char* host = "127.0.0.1") {
        const std::filesystem::path script =
            std::filesystem::path(KELVO_TESTS_DIR) / "support" / "smtp_server.py";
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start("/usr/bin/python3",
                       {"-W", "ignore", QString::fromStdString(script.string()), "--dir",
                        QString::fromStdString(inbox_.Path().string()), "--host", host});
        if (process_.waitForReadyRead(15000))
            port_ = process_.readLine().trimmed().toInt();
    }
    ~SmtpServer() {
        process_.closeWriteChannel();
        if (!process_.waitForFinished(5000))
            process_.kill();
        process_.waitForFinished(2000);
    }
    SmtpServer(const SmtpServer&) = delete;
    SmtpServer& operator=(const SmtpServer&) = delete;

    // 0 when the server did not come up.
    int Port() const { return port_; }
    // The messages received, in the order they arrived.
    std::vector<std::string> Messages() const {
        std::vector<std::filesystem::path> files;
        for (const auto& entry : std::filesystem::directory_iterator(inbox_.Path()))
            if (entry.path().extension() == ".eml")
                files.push_back(entry.path());
        std::sort(files.begin(), files.end());
        std::vector<std::string> result;
        for (const auto& f : files)
            result.push_back(ReadWholeFile(f));
        return result;
    }
    std::string Commands() const {
        const std::filesystem::path log = inbox_.Path() / "commands.log";
        return std::filesystem::exists(log) ? ReadWholeFile(log) : std::string();
    }

private:
    TempDir inbox_;
    QProcess process_;
    int port_ = 0;
};

// Mail straight to a server on this machine's port, from me@example.org; with a password
// (an empty one too: it is kept elsewhere) it signs in as "reminder".
inline TMailOptions LoopbackMail(int port, const std::optional<std::string>& password = {}) {
    TMailOptions mail;
    mail.ConnectionType = ecSMTP;
    mail.SMTPOptions.Server = "127.0.0.1";
    mail.SMTPOptions.Port = port;
    mail.SMTPOptions.ReplyTo = "me@example.org";
    if (password) {
        mail.SMTPOptions.Authentification = true;
        mail.SMTPOptions.Login.UserName().SetValue("reminder");
        mail.SMTPOptions.Login.Password().SetValue(*password);
    }
    return mail;
}

} // namespace kelvo::test
