#include "platform/caldav/CalDavClient.h"

#include "core/mail/SendMail.h"
#include "platform/ical/ICalendar.h"

#include <QByteArray>
#include <QUrl>
#include <QXmlStreamReader>
#include <cstdlib>
#include <curl/curl.h>
#include <map>
#include <mutex>

namespace kelvo {

namespace {

constexpr const char* DavNs = "DAV:";
constexpr const char* CalNs = "urn:ietf:params:xml:ns:caldav";
constexpr const char* CsNs = "http://calendarserver.org/ns/";
// Hrefs per calendar-multiget: large enough to be quick, small enough to stay under the limit.
constexpr std::size_t FetchBatch = 200;

struct TResponse {
    long Status = 0;
    std::string Body;
    std::string ETag;
    std::string Url; // where it came from, after redirects
};

struct TDavEntry {
    std::string Href;
    std::string ETag;
    std::string SyncToken;
    std::string CalendarData;
    std::string DisplayName;
    bool Collection = false;
    bool Calendar = false;
    bool HasData = false;
    long Status = 200; // of the propstat, or of the response itself
};

long StatusOf(const QString& line) {
    // "HTTP/1.1 404 Not Found"
    const QStringList parts = line.trimmed().split(' ');
    return parts.size() >= 2 ? parts[1].toLong() : 0;
}

// Throws std::runtime_error for anything but a DAV multistatus.
std::vector<TDavEntry> ParseMultistatus(const std::string& body) {
    QXmlStreamReader xml(QByteArray::fromStdString(body));
    std::vector<TDavEntry> entries;
    bool multistatus = false;
    TDavEntry* current = nullptr;
    long propstatStatus = 0;
    bool inPropstat = false, inResourceType = false;
    TDavEntry pending;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const QStringView ns = xml.namespaceUri();
            const QStringView name = xml.name();
            if (ns == QLatin1String(DavNs) && name == QLatin1String("multistatus")) {
                multistatus = true;
            } else if (!multistatus) {
                break;
            } else if (ns == QLatin1String(DavNs) && name == QLatin1String("response")) {
                entries.emplace_back();
                current = &entries.back();
            } else if (!current) {
                if (ns == QLatin1String(DavNs) && name == QLatin1String("sync-token"))
                    xml.readElementText(); // the token of a sync-collection report
            } else if (ns == QLatin1String(DavNs) && name == QLatin1String("href") && !inPropstat) {
                current->Href = xml.readElementText().trimmed().toStdString();
            } else if (ns == QLatin1String(DavNs) && name == QLatin1String("propstat")) {
                inPropstat = true;
                propstatStatus = 200;
                pending = TDavEntry();
            } else if (ns == QLatin1String(DavNs) && name == QLatin1String("status")) {
                const long status = StatusOf(xml.readElementText());
                if (inPropstat)
                    propstatStatus = status;
                else
                    current->Status = status;
            } else if (ns == QLatin1String(DavNs) && name == QLatin1String("getetag")) {
                pending.ETag = xml.readElementText().trimmed().toStdString();
            } else if ((ns == QLatin1String(DavNs) && name == QLatin1String("sync-token")) ||
                       (ns == QLatin1String(CsNs) && name == QLatin1String("getctag"))) {
                const std::string token = xml.readElementText().trimmed().toStdString();
                if (pending.SyncToken.empty() || ns == QLatin1String(DavNs))
                    pending.SyncToken = token;
            } else if (ns == QLatin1String(CalNs) && name == QLatin1String("calendar-data")) {
                pending.CalendarData = xml.readElementText().toStdString();
                pending.HasData = true;
            } else if (ns == QLatin1String(DavNs) && name == QLatin1String("displayname")) {
                pending.DisplayName = xml.readElementText().trimmed().toStdString();
            } else if (ns == QLatin1String(DavNs) && name == QLatin1String("resourcetype")) {
                inResourceType = true;
            } else if (inResourceType && name == QLatin1String("collection")) {
                pending.Collection = true;
            } else if (inResourceType && ns == QLatin1String(CalNs) &&
                       name == QLatin1String("calendar")) {
                pending.Calendar = true;
            }
        } else if (xml.isEndElement()) {
            const QStringView name = xml.name();
            if (name == QLatin1String("resourcetype")) {
                inResourceType = false;
            } else if (name == QLatin1String("propstat") && current) {
                inPropstat = false;
                if (propstatStatus / 100 == 2) {
                    if (!pending.ETag.empty())
                        current->ETag = pending.ETag;
                    if (!pending.SyncToken.empty())
                        current->SyncToken = pending.SyncToken;
                    if (pending.HasData) {
                        current->CalendarData = std::move(pending.CalendarData);
                        current->HasData = true;
                    }
                    if (!pending.DisplayName.empty())
                        current->DisplayName = pending.DisplayName;
                    current->Collection |= pending.Collection;
                    current->Calendar |= pending.Calendar;
                }
            } else if (name == QLatin1String("response")) {
                current = nullptr;
            }
        }
    }
    if (xml.hasError() || !multistatus)
        throw std::runtime_error("the server's answer is not a WebDAV listing");
    return entries;
}

std::string Lower(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

struct TCurlList {
    curl_slist* List = nullptr;
    ~TCurlList() { curl_slist_free_all(List); }
    void Add(const std::string& s) { List = curl_slist_append(List, s.c_str()); }
};

} // namespace

struct TCalDavClient::TImpl {
    TCalDavAccount Account;
    std::size_t MaxResponse = 0;
    CURL* Handle = nullptr;
    std::string Origin; // "https://host:port"
    bool Https = false; // of the account: then every request stays on TLS
    unsigned long AuthMethods = CURLAUTH_BASIC | CURLAUTH_DIGEST;
    std::string CollectionPath; // "/user/calendar/"
    // Certificates trusted instead of the system's, as OpenSSL's own variables name them.
    std::string CaFile, CaFolder;

    struct TSink {
        std::string* Body;
        std::size_t Max;
        bool TooLarge = false;
    };

    static size_t Write(char* data, size_t size, size_t count, void* user) {
        auto* sink = static_cast<TSink*>(user);
        const size_t n = size * count;
        if (sink->Body->size() + n > sink->Max) {
            sink->TooLarge = true;
            return 0;
        }
        sink->Body->append(data, n);
        return n;
    }

    static size_t Header(char* data, size_t size, size_t count, void* user) {
        const size_t n = size * count;
        const std::string line(data, n);
        const std::size_t colon = line.find(':');
        if (colon != std::string::npos && Lower(line.substr(0, colon)) == "etag") {
            std::string value = line.substr(colon + 1);
            const auto first = value.find_first_not_of(" \t");
            const auto last = value.find_last_not_of(" \t\r\n");
            *static_cast<std::string*>(user) =
                first == std::string::npos ? std::string() : value.substr(first, last - first + 1);
        }
        return n;
    }

    std::string UrlOf(const std::string& href) const {
        return href.rfind("http", 0) == 0 ? href : Origin + href;
    }

    // Connection problems throw; any HTTP status is answered. Redirects are followed here,
    // not by libcurl, so that each hop is checked before anything goes to it.
    TResponse Request(const std::string& method, const std::string& url,
                      const std::vector<std::string>& headers, const std::string& body) {
        std::string at = url;
        for (long hops = 0;; ++hops) {
            std::string next;
            TResponse response = Perform(method, at, headers, body, next);
            if (next.empty()) {
                response.Url = std::move(at);
                return response;
            }
            if (hops == MaxRedirects)
                throw ECalDavError(
                    url + ": more than " + std::to_string(MaxRedirects) + " redirections", false);
            // Once on TLS, never off it: the password and the events would go in clear text.
            if (Https && Lower(next).rfind("https://", 0) != 0)
                throw ECalDavError(url + ": the server redirects to " + next +
                                       ", which is not https; nothing is sent there",
                                   false);
            at = std::move(next);
        }
    }

    // The password goes only to the account's host: where it points, or to https there.
    bool MayHavePassword(const std::string& url) const {
        const QUrl to(QString::fromStdString(url));
        const QUrl account(QString::fromStdString(Origin));
        if (to.host().compare(account.host(), Qt::CaseInsensitive) != 0)
            return false;
        const auto port = [](const QUrl& u) { return u.port(u.scheme() == "https" ? 443 : 80); };
        return to.scheme() == "https" ||
               (to.scheme() == account.scheme() && port(to) == port(account));
    }

    // One exchange; redirect is set to where a redirect answer points.
    TResponse Perform(const std::string& method, const std::string& url,
                      const std::vector<std::string>& headers, const std::string& body,
                      std::string& redirect) {
        TResponse response;
        TSink sink{&response.Body, MaxResponse};
        char error[CURL_ERROR_SIZE] = {};
        curl_easy_reset(Handle);
        curl_easy_setopt(Handle, CURLOPT_URL, url.c_str());
        curl_easy_setopt(Handle, CURLOPT_ERRORBUFFER, error);
        curl_easy_setopt(Handle, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(Handle, CURLOPT_CUSTOMREQUEST, method.c_str());
        curl_easy_setopt(Handle, CURLOPT_FOLLOWLOCATION, 0L);
        curl_easy_setopt(Handle, CURLOPT_PROTOCOLS_STR, Https ? "https" : "http,https");
        curl_easy_setopt(Handle, CURLOPT_CONNECTTIMEOUT, 15L);
        curl_easy_setopt(Handle, CURLOPT_LOW_SPEED_LIMIT, 1L);
        curl_easy_setopt(Handle, CURLOPT_LOW_SPEED_TIME, 30L);
        if (!CaFile.empty())
            curl_easy_setopt(Handle, CURLOPT_CAINFO, CaFile.c_str());
        if (!CaFolder.empty())
            curl_easy_setopt(Handle, CURLOPT_CAPATH, CaFolder.c_str());
        curl_easy_setopt(Handle, CURLOPT_WRITEFUNCTION, Write);
        curl_easy_setopt(Handle, CURLOPT_WRITEDATA, &sink);
        curl_easy_setopt(Handle, CURLOPT_HEADERFUNCTION, Header);
        curl_easy_setopt(Handle, CURLOPT_HEADERDATA, &response.ETag);
        if (!Account.User.empty() && MayHavePassword(url)) {
            curl_easy_setopt(Handle, CURLOPT_USERNAME, Account.User.c_str());
            curl_easy_setopt(Handle, CURLOPT_PASSWORD, Account.Password.c_str());
            curl_easy_setopt(Handle, CURLOPT_HTTPAUTH, AuthMethods);
        }
        TCurlList list;
        for (const std::string& h : headers)
            list.Add(h);
        list.Add("Expect:");
        curl_easy_setopt(Handle, CURLOPT_HTTPHEADER, list.List);
        if (!body.empty() || method == "PUT") {
            curl_easy_setopt(Handle, CURLOPT_POSTFIELDS, body.data());
            curl_easy_setopt(Handle, CURLOPT_POSTFIELDSIZE_LARGE,
                             static_cast<curl_off_t>(body.size()));
        }
        const CURLcode code = curl_easy_perform(Handle);
        if (sink.TooLarge)
            throw ECalDavError(url + ": the server's answer is larger than " +
                                   std::to_string(MaxResponse >> 20) + " MiB",
                               false);
        const std::string detail = error[0] ? std::string(error) : curl_easy_strerror(code);
        if (code == CURLE_PEER_FAILED_VERIFICATION)
            throw ECalDavError(url + ": the server's certificate is not trusted (" + detail + ")",
                               true);
        if (code == CURLE_SSL_CACERT_BADFILE)
            throw ECalDavError(url + ": the trusted certificates cannot be read (" + detail + ")",
                               true);
        if (code == CURLE_SSL_CONNECT_ERROR)
            throw ECalDavError(url + ": no TLS connection could be made (" + detail + ")", true);
        if (code != CURLE_OK)
            throw ECalDavError(url + ": " + detail, true);
        curl_easy_getinfo(Handle, CURLINFO_RESPONSE_CODE, &response.Status);
        if (response.Status == 401 || response.Status == 403)
            throw ECalDavError(url + ": the server refused the user name or password", true);
        LearnAuth();
        const char* location = nullptr;
        if (response.Status / 100 == 3 &&
            curl_easy_getinfo(Handle, CURLINFO_REDIRECT_URL, &location) == CURLE_OK && location)
            redirect = location;
        return response;
    }

    // A server that takes Basic gets it with every request from then on, instead of a refused
    // request first each time.
    void LearnAuth() {
        long offered = 0;
        if (AuthMethods != CURLAUTH_BASIC &&
            curl_easy_getinfo(Handle, CURLINFO_HTTPAUTH_AVAIL, &offered) == CURLE_OK &&
            (offered & CURLAUTH_BASIC) != 0)
            AuthMethods = CURLAUTH_BASIC;
    }

    std::vector<TDavEntry> Propfind(const std::string& depth, const std::string& props) {
        const std::string body =
            "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
            "<d:propfind xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\" "
            "xmlns:cs=\"http://calendarserver.org/ns/\"><d:prop>" +
            props + "</d:prop></d:propfind>";
        const std::string url = Origin + CollectionPath;
        const TResponse r =
            Request("PROPFIND", url,
                    {"Depth: " + depth, "Content-Type: application/xml; charset=utf-8"}, body);
        if (r.Status == 404)
            throw ECalDavError(url + ": there is no calendar at this address", true);
        if (r.Status != 207)
            throw ECalDavError(url + ": the server answered HTTP " + std::to_string(r.Status),
                               true);
        // A calendar moved on the same server: its resources are listed at the new place, so
        // that is where they are asked for and written.
        if (r.Url != url && r.Url.rfind(Origin + "/", 0) == 0) {
            CollectionPath = CanonicalHref(r.Url.substr(Origin.size()));
            if (CollectionPath.back() != '/')
                CollectionPath += '/';
        }
        try {
            return ParseMultistatus(r.Body);
        } catch (const std::exception& e) {
            throw ECalDavError(url + ": " + e.what(), true);
        }
    }

    // The sync token or CTag the collection tells; ECalDavError when it is no calendar.
    std::string CollectionProperty(const std::string& prop) {
        const std::vector<TDavEntry> entries = Propfind("0", "<d:resourcetype/>" + prop);
        if (entries.empty() || !entries.front().Calendar)
            throw ECalDavError(Origin + CollectionPath + ": there is no calendar at this address",
                               true);
        return entries.front().SyncToken;
    }

    TFetchedResource Get(const std::string& href) {
        TFetchedResource f;
        f.Href = href;
        try {
            const TResponse r = Request("GET", UrlOf(href), {}, {});
            if (r.Status / 100 != 2)
                f.Error = href + ": the server answered HTTP " + std::to_string(r.Status);
            f.ETag = r.ETag;
            f.Body = r.Body;
        } catch (const ECalDavError& e) {
            if (e.Connection())
                throw;
            f.Error = e.what();
        }
        return f;
    }
};

TCalDavClient::TCalDavClient(TCalDavAccount account, std::size_t maxResponse)
    : impl_(std::make_unique<TImpl>()) {
    static std::once_flag curlReady;
    std::call_once(curlReady, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    const QUrl url(QString::fromStdString(account.Url), QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty() || (scheme != "http" && scheme != "https"))
        throw ECalDavError(account.Url + ": not an http or https address", true);
    if (scheme == "http" && !account.Password.empty() &&
        !IsLocalMailServer(url.host().toStdString()))
        throw ECalDavError(account.Url + ": the password needs TLS (https) to another machine",
                           true);
    impl_->Origin = url.adjusted(QUrl::RemovePath | QUrl::RemoveQuery | QUrl::RemoveFragment |
                                 QUrl::RemoveUserInfo)
                        .toString(QUrl::FullyEncoded)
                        .toStdString();
    std::string path = CanonicalHref(url.path(QUrl::FullyEncoded).toStdString());
    if (path.empty() || path.back() != '/')
        path += '/';
    impl_->CollectionPath = path;
    impl_->Https = scheme == "https";
    impl_->Account = std::move(account);
    impl_->MaxResponse = maxResponse;
    for (auto [name, target] :
         {std::pair{"SSL_CERT_FILE", &impl_->CaFile}, std::pair{"SSL_CERT_DIR", &impl_->CaFolder}})
        if (const char* value = std::getenv(name))
            *target = value;
    impl_->Handle = curl_easy_init();
    if (!impl_->Handle)
        throw ECalDavError("libcurl could not be started", true);
}

TCalDavClient::~TCalDavClient() {
    if (impl_->Handle)
        curl_easy_cleanup(impl_->Handle);
}

std::string TCalDavClient::CanonicalHref(const std::string& href) {
    QByteArray path = QByteArray::fromStdString(href);
    if (href.rfind("http://", 0) == 0 || href.rfind("https://", 0) == 0)
        path = QUrl(QString::fromStdString(href)).path(QUrl::FullyEncoded).toUtf8();
    return QByteArray::fromPercentEncoding(path).toPercentEncoding("/@:+,;=~!$&'()*").toStdString();
}

// Each asked alone: a server may work through the whole collection for either.
std::string TCalDavClient::SyncToken() {
    const std::string token = impl_->CollectionProperty("<d:sync-token/>");
    return token.empty() ? CollectionTag() : token;
}

std::string TCalDavClient::CollectionTag() {
    return impl_->CollectionProperty("<cs:getctag/>");
}

std::vector<TCalDavCalendar> TCalDavClient::ListCalendars() {
    std::vector<TCalDavCalendar> calendars;
    for (const TDavEntry& e : impl_->Propfind("1", "<d:resourcetype/><d:displayname/>")) {
        if (!e.Calendar || e.Status / 100 != 2)
            continue;
        const std::string href = CanonicalHref(e.Href);
        calendars.push_back({impl_->Origin + href, e.DisplayName.empty() ? href : e.DisplayName});
    }
    return calendars;
}

std::vector<TRemoteResource> TCalDavClient::List() {
    std::vector<TRemoteResource> resources;
    for (const TDavEntry& e : impl_->Propfind("1", "<d:resourcetype/><d:getetag/>")) {
        const std::string href = CanonicalHref(e.Href);
        if (e.Collection || href == impl_->CollectionPath || e.Status / 100 != 2)
            continue;
        resources.push_back({href, e.ETag});
    }
    return resources;
}

std::optional<TRemoteChanges> TCalDavClient::ChangesSince(const std::string& token) {
    const std::string url = impl_->Origin + impl_->CollectionPath;
    const std::string body =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
        "<d:sync-collection xmlns:d=\"DAV:\"><d:sync-token>" +
        QString::fromStdString(token).toHtmlEscaped().toStdString() +
        "</d:sync-token><d:sync-level>1</d:sync-level><d:prop><d:getetag/></d:prop>"
        "</d:sync-collection>";
    TResponse r;
    try {
        r = impl_->Request("REPORT", url, {"Content-Type: application/xml; charset=utf-8"}, body);
    } catch (const ECalDavError& e) {
        if (e.Connection())
            throw;
        return std::nullopt;
    }
    if (r.Status != 207)
        return std::nullopt; // an expired token or no such report: the full listing
    TRemoteChanges changes;
    try {
        for (const TDavEntry& e : ParseMultistatus(r.Body)) {
            const std::string href = CanonicalHref(e.Href);
            if (href == impl_->CollectionPath || e.Collection)
                continue;
            if (e.Status == 404)
                changes.Removed.push_back(href);
            else if (e.Status / 100 == 2 && !e.ETag.empty())
                changes.Changed.push_back({href, e.ETag});
        }
    } catch (const std::exception&) {
        return std::nullopt;
    }
    return changes;
}

std::vector<TFetchedResource> TCalDavClient::Fetch(const std::vector<std::string>& hrefs) {
    std::vector<TFetchedResource> fetched;
    const std::string url = impl_->Origin + impl_->CollectionPath;
    for (std::size_t start = 0; start < hrefs.size(); start += FetchBatch) {
        const std::size_t end = std::min(hrefs.size(), start + FetchBatch);
        std::string body = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                           "<c:calendar-multiget xmlns:d=\"DAV:\" "
                           "xmlns:c=\"urn:ietf:params:xml:ns:caldav\">"
                           "<d:prop><d:getetag/><c:calendar-data/></d:prop>";
        for (std::size_t i = start; i < end; ++i)
            body += "<d:href>" + QString::fromStdString(hrefs[i]).toHtmlEscaped().toStdString() +
                    "</d:href>";
        body += "</c:calendar-multiget>";
        std::map<std::string, TDavEntry> answered;
        bool listed = false;
        try {
            const TResponse r = impl_->Request(
                "REPORT", url, {"Depth: 1", "Content-Type: application/xml; charset=utf-8"}, body);
            if (r.Status == 207) {
                for (TDavEntry& e : ParseMultistatus(r.Body))
                    answered[CanonicalHref(e.Href)] = std::move(e);
                listed = true;
            }
        } catch (const ECalDavError& e) {
            if (e.Connection())
                throw;
        } catch (const std::exception&) {
        }
        for (std::size_t i = start; i < end; ++i) {
            const auto a = answered.find(hrefs[i]);
            if (listed && a != answered.end() && a->second.HasData) {
                fetched.push_back({hrefs[i], a->second.ETag, a->second.CalendarData, {}});
            } else {
                // A report the server garbled or left out: one by one, so that only the bad
                // resource fails.
                fetched.push_back(impl_->Get(hrefs[i]));
            }
        }
    }
    return fetched;
}

std::string TCalDavClient::Put(const std::string& href, const std::string& body,
                               const std::string& ifMatch) {
    const std::string url = impl_->UrlOf(href);
    const TResponse r =
        impl_->Request("PUT", url,
                       {"Content-Type: text/calendar; charset=utf-8",
                        ifMatch.empty() ? std::string("If-None-Match: *") : "If-Match: " + ifMatch},
                       body);
    if (r.Status == 412)
        throw ECalDavError(url + ": changed on the server meanwhile; the next sync takes it",
                           false);
    if (r.Status / 100 != 2)
        throw ECalDavError(url + ": the server answered HTTP " + std::to_string(r.Status), false);
    return r.ETag;
}

void TCalDavClient::Delete(const std::string& href, const std::string& ifMatch) {
    const std::string url = impl_->UrlOf(href);
    std::vector<std::string> headers;
    if (!ifMatch.empty())
        headers.push_back("If-Match: " + ifMatch);
    const TResponse r = impl_->Request("DELETE", url, headers, {});
    if (r.Status == 404)
        return; // gone already
    if (r.Status == 412)
        throw ECalDavError(url + ": changed on the server meanwhile; the next sync takes it",
                           false);
    if (r.Status / 100 != 2)
        throw ECalDavError(url + ": the server answered HTTP " + std::to_string(r.Status), false);
}

std::string TCalDavClient::HrefFor(const std::string& file) const {
    return impl_->CollectionPath +
           QByteArray::fromStdString(file).toPercentEncoding("@:+,;=~!$&'()*").toStdString();
}

TCalCodec PlatformCalCodec() {
    TCalCodec codec;
    codec.Write = [](const TCalItem& item) { return WriteICalendar({item}); };
    codec.Parse = [](const std::string& text) {
        if (!LooksLikeICalendar(text))
            throw EICalendarError("not an iCalendar object");
        return ParseICalendar(text).Items;
    };
    codec.Expand = [](const TCalItem& item, std::size_t limit, TDateTime until) {
        return ExpandCalendarItem(item, limit, until);
    };
    return codec;
}

} // namespace kelvo
