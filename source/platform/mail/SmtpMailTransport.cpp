#include "platform/mail/SmtpMailTransport.h"

#include <algorithm>
#include <cstring>
#include <curl/curl.h>
#include <mutex>

namespace kelvo {

namespace {

struct Upload {
    std::string Text;
    std::size_t Sent = 0;
    bool Started = false;
    const std::function<void(int)>* Progress = nullptr;
    const std::atomic<bool>* Abort = nullptr;
    int LastReported = 0;
};

void Report(Upload& upload, int percent) {
    if (upload.LastReported != percent && *upload.Progress)
        (*upload.Progress)(percent);
    upload.LastReported = percent;
}

std::size_t ReadMessage(char* buffer, std::size_t size, std::size_t count, void* user) {
    auto& upload = *static_cast<Upload*>(user);
    Report(upload, upload.Started ? 75 : 50);
    upload.Started = true;
    const std::size_t n = std::min(size * count, upload.Text.size() - upload.Sent);
    std::memcpy(buffer, upload.Text.data() + upload.Sent, n);
    upload.Sent += n;
    return n;
}

int Connected(void* user, char*, char*, int, int) {
    Report(*static_cast<Upload*>(user), 25);
    return CURL_PREREQFUNC_OK;
}

int TransferInfo(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    return *static_cast<Upload*>(user)->Abort ? 1 : 0;
}

std::string Url(const TMailSettings& settings) {
    std::string host = settings.Server;
    if (host.find(':') != std::string::npos && host.front() != '[')
        host = "[" + host + "]";
    return (settings.Port == 465 ? "smtps://" : "smtp://") + host + ":" +
           std::to_string(settings.Port);
}

struct CurlHandle {
    CURL* Handle = curl_easy_init();
    curl_slist* Recipients = nullptr;
    ~CurlHandle() {
        curl_slist_free_all(Recipients);
        if (Handle)
            curl_easy_cleanup(Handle);
    }
};

} // namespace

std::string SendBySmtp(const TMailSettings& settings, const TMailMessage& message,
                       long connectTimeout, long stallTimeout,
                       const std::function<void(int)>& progress, const std::atomic<bool>& abort) {
    static std::once_flag curlReady;
    std::call_once(curlReady, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });

    if (settings.Server.empty())
        return "No SMTP server is set in the mail settings";
    if (settings.Port < 1 || settings.Port > 65535)
        return "The SMTP port " + std::to_string(settings.Port) + " is not valid";
    if (message.To.empty())
        return "The message has no recipient";
    try {
        CheckAddresses(message);
    } catch (const EMailError& e) {
        return e.what();
    }
    // A password goes out in plain text only to this machine, or where the user allowed it.
    const bool smtps = settings.Port == 465;
    const bool needTls = settings.Authentification && !IsLocalMailServer(settings.Server) &&
                         !settings.AllowInsecureAuth;

    Upload upload;
    upload.Text = BuildMimeText(message);
    upload.Progress = &progress;
    upload.Abort = &abort;

    CurlHandle curl;
    if (!curl.Handle)
        return "The SMTP client could not be created";
    CURL* h = curl.Handle;
    char errorText[CURL_ERROR_SIZE] = {};
    const std::string url = Url(settings);
    const std::string from = "<" + message.From.Address + ">";
    for (const TMailAddress& to : message.To)
        curl.Recipients = curl_slist_append(curl.Recipients, ("<" + to.Address + ">").c_str());

    curl_easy_setopt(h, CURLOPT_ERRORBUFFER, errorText);
    curl_easy_setopt(h, CURLOPT_URL, url.c_str());
    curl_easy_setopt(h, CURLOPT_USE_SSL,
                     static_cast<long>(smtps || needTls ? CURLUSESSL_ALL : CURLUSESSL_TRY));
    curl_easy_setopt(h, CURLOPT_MAIL_FROM, from.c_str());
    curl_easy_setopt(h, CURLOPT_MAIL_RCPT, curl.Recipients);
    if (settings.Authentification) {
        curl_easy_setopt(h, CURLOPT_USERNAME, settings.UserName.c_str());
        curl_easy_setopt(h, CURLOPT_PASSWORD, settings.Password.c_str());
        curl_easy_setopt(h, CURLOPT_LOGIN_OPTIONS, "AUTH=LOGIN");
    }
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT, connectTimeout);
    curl_easy_setopt(h, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(h, CURLOPT_LOW_SPEED_TIME, stallTimeout);
    // A server that accepts but stops answering is a stall too.
    curl_easy_setopt(h, CURLOPT_SERVER_RESPONSE_TIMEOUT, stallTimeout);
    curl_easy_setopt(h, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(h, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(upload.Text.size()));
    curl_easy_setopt(h, CURLOPT_READFUNCTION, ReadMessage);
    curl_easy_setopt(h, CURLOPT_READDATA, &upload);
    curl_easy_setopt(h, CURLOPT_PREREQFUNCTION, Connected);
    curl_easy_setopt(h, CURLOPT_PREREQDATA, &upload);
    curl_easy_setopt(h, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(h, CURLOPT_XFERINFOFUNCTION, TransferInfo);
    curl_easy_setopt(h, CURLOPT_XFERINFODATA, &upload);

    const CURLcode result = curl_easy_perform(h);
    if (result == CURLE_OK) {
        Report(upload, 99);
        return {};
    }
    if (result == CURLE_ABORTED_BY_CALLBACK)
        return "Sending was cancelled";
    if (result == CURLE_USE_SSL_FAILED && needTls && !smtps)
        return "SMTP server " + settings.Server + ":" + std::to_string(settings.Port) +
               " offers no encryption (STARTTLS), so the password was not sent; use port 465 "
               "(SMTPS) or a server that offers STARTTLS, or allow unencrypted logins "
               "(SMTPAllowInsecureAuth)";
    std::string error = errorText[0] ? errorText : curl_easy_strerror(result);
    while (!error.empty() && (error.back() == '\n' || error.back() == '\r'))
        error.pop_back();
    long reply = 0;
    curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &reply);
    std::string text =
        "SMTP server " + settings.Server + ":" + std::to_string(settings.Port) + ": " + error;
    if (reply > 0 && error.find(std::to_string(reply)) == std::string::npos)
        text += " (server reply " + std::to_string(reply) + ")";
    return text;
}

TSmtpMailTransport::TSmtpMailTransport() = default;
TSmtpMailTransport::~TSmtpMailTransport() = default;

void TSmtpMailTransport::Send(const TMailSettings& settings, TMailMessage message,
                              std::function<void(int percent)> progress,
                              std::function<void(const std::string& error)> done) {
    const long connect = ConnectTimeoutSeconds;
    const long stall = StallTimeoutSeconds;
    jobs_.Run(
        [settings, message = std::move(message), connect, stall](const TMailJobs::TProgress& report,
                                                                 const std::atomic<bool>& abort) {
            return SendBySmtp(settings, message, connect, stall, report, abort);
        },
        std::move(progress), std::move(done));
}

} // namespace kelvo
