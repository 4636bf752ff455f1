#pragma once

#include "core/mail/SendMail.h"
#include "platform/mail/MailJobs.h"

#include <string>
#include <vector>

namespace kelvo {

// Hands the message to the system's sendmail interface ("sendmail -t -oi", as msmtp, Postfix,
// Exim or nullmailer provide it), on a thread per message.
class TSendmailTransport : public IMailTransport {
public:
    // folders: where to look for "sendmail"; empty means the PATH, then /usr/sbin and
    // /usr/lib.
    explicit TSendmailTransport(std::vector<std::string> folders = {});
    ~TSendmailTransport() override;

    void Send(const TMailSettings& settings, TMailMessage message,
              std::function<void(int percent)> progress,
              std::function<void(const std::string& error)> done) override;

    // The sendmail program found, or empty.
    std::string FindSendmail() const;

    int FinishTimeoutSeconds = 120;

private:
    std::vector<std::string> folders_;
    TMailJobs jobs_;
};

} // namespace kelvo
