#pragma once

// The CalDAV side of a sync over libcurl: PROPFIND for the collection's token and listing,
// calendar-multiget REPORT for the resources, PUT and DELETE guarded by ETags. Calls block;
// the desktop makes them on a worker thread. Answers are limited in size and redirects, and
// every error names the address it concerns.

#include "core/sync/CalDavSync.h"

#include <cstddef>
#include <memory>
#include <string>

namespace kelvo {

struct TCalDavAccount {
    std::string Url; // the calendar collection
    std::string User;
    std::string Password;
};

struct TCalDavCalendar {
    std::string Url;
    std::string Name;
};

class TCalDavClient : public ICalDavTransport {
public:
    static constexpr std::size_t DefaultMaxResponse = std::size_t{32} << 20;
    static constexpr long MaxRedirects = 5;

    // ECalDavError for an address that is no http(s) URL, and for a password that would go
    // without TLS to anything but this machine.
    explicit TCalDavClient(TCalDavAccount account, std::size_t maxResponse = DefaultMaxResponse);
    ~TCalDavClient() override;
    TCalDavClient(const TCalDavClient&) = delete;
    TCalDavClient& operator=(const TCalDavClient&) = delete;

    // The calendars at the address and one level below it (a user's calendar home).
    std::vector<TCalDavCalendar> ListCalendars();

    std::string SyncToken() override;
    std::string CollectionTag() override;
    std::vector<TRemoteResource> List() override;
    // A sync-collection REPORT; nothing when the server refuses the token or the report.
    std::optional<TRemoteChanges> ChangesSince(const std::string& token) override;
    std::vector<TFetchedResource> Fetch(const std::vector<std::string>& hrefs) override;
    std::string Put(const std::string& href, const std::string& body,
                    const std::string& ifMatch) override;
    void Delete(const std::string& href, const std::string& ifMatch) override;
    std::string HrefFor(const std::string& file) const override;

    // The href in the one spelling this client compares: the path, percent-encoded alike.
    static std::string CanonicalHref(const std::string& href);

private:
    struct TImpl;
    std::unique_ptr<TImpl> impl_;
};

// The codec of the platform: libical's reader and writer.
TCalCodec PlatformCalCodec();

} // namespace kelvo
