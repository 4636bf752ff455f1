#include "platform/mail/SendmailTransport.h"

#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

namespace kelvo {

namespace {

std::string SendThroughProgram(const std::string& program, const TMailMessage& message,
                               int finishTimeout, const std::atomic<bool>& abort) {
    if (program.empty())
        return "No sendmail program was found: install a mail transfer agent that provides "
               "sendmail (such as msmtp-mta), or choose SMTP in the mail settings";
    if (message.To.empty())
        return "The message has no recipient";
    try {
        CheckAddresses(message);
    } catch (const EMailError& e) {
        return e.what();
    }
    const std::string text = BuildMimeText(message);

    QProcess process;
    process.setProgram(QString::fromStdString(program));
    process.setArguments({"-t", "-oi"});
    process.start();
    if (!process.waitForStarted(10000))
        return "The sendmail program " + program +
               " could not be started: " + process.errorString().toStdString();
    process.write(text.data(), static_cast<qint64>(text.size()));
    process.closeWriteChannel();
    int waited = 0;
    while (!process.waitForFinished(200)) {
        if (process.state() == QProcess::NotRunning)
            break;
        waited += 200;
        if (abort || waited >= finishTimeout * 1000) {
            process.kill();
            process.waitForFinished(2000);
            return abort ? "Sending was cancelled"
                         : "The sendmail program " + program + " did not finish";
        }
    }
    if (process.exitStatus() != QProcess::NormalExit)
        return "The sendmail program " + program + " crashed";
    if (process.exitCode() != 0) {
        std::string detail = process.readAllStandardError().trimmed().toStdString();
        if (detail.empty())
            detail = process.readAllStandardOutput().trimmed().toStdString();
        return "The sendmail program " + program + " failed with exit code " +
               std::to_string(process.exitCode()) + (detail.empty() ? "" : ": " + detail);
    }
    return {};
}

} // namespace

TSendmailTransport::TSendmailTransport(std::vector<std::string> folders)
    : folders_(std::move(folders)) {}

TSendmailTransport::~TSendmailTransport() = default;

std::string TSendmailTransport::FindSendmail() const {
    QString found;
    if (folders_.empty()) {
        found = QStandardPaths::findExecutable("sendmail");
        if (found.isEmpty())
            found = QStandardPaths::findExecutable("sendmail", {"/usr/sbin", "/usr/lib"});
    } else {
        QStringList paths;
        for (const std::string& folder : folders_)
            paths << QString::fromStdString(folder);
        found = QStandardPaths::findExecutable("sendmail", paths);
    }
    return found.toStdString();
}

void TSendmailTransport::Send(const TMailSettings&, TMailMessage message,
                              std::function<void(int percent)> progress,
                              std::function<void(const std::string& error)> done) {
    const std::string program = FindSendmail();
    const int timeout = FinishTimeoutSeconds;
    jobs_.Run(
        [program, message = std::move(message), timeout](const TMailJobs::TProgress&,
                                                         const std::atomic<bool>& abort) {
            return SendThroughProgram(program, message, timeout, abort);
        },
        std::move(progress), std::move(done));
}

} // namespace kelvo
