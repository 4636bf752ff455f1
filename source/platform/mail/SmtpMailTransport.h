#pragma once

#include "core/mail/SendMail.h"
#include "platform/mail/MailJobs.h"

namespace kelvo {

// Sends by SMTP through libcurl on a thread per message: STARTTLS whenever the server offers
// it, TLS from the start on port 465, AUTH LOGIN when the settings ask for a login.
class TSmtpMailTransport : public IMailTransport {
public:
    TSmtpMailTransport();
    ~TSmtpMailTransport() override;

    void Send(const TMailSettings& settings, TMailMessage message,
              std::function<void(int percent)> progress,
              std::function<void(const std::string& error)> done) override;

    // Seconds allowed for connecting, and for a transfer that moves no byte at all.
    long ConnectTimeoutSeconds = 30;
    long StallTimeoutSeconds = 60;

private:
    TMailJobs jobs_;
};

// The SMTP exchange itself, run on the calling thread; the error's message or empty.
std::string SendBySmtp(const TMailSettings& settings, const TMailMessage& message,
                       long connectTimeout, long stallTimeout,
                       const std::function<void(int)>& progress, const std::atomic<bool>& abort);

} // namespace kelvo
