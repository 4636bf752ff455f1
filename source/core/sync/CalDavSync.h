#pragma once

// Two-way sync of the events of one template with a CalDAV collection. The engine decides
// what moves from the events, the state saved after the last sync and the server's listing;
// the network is behind ICalDavTransport and iCalendar text behind TCalCodec, so the whole
// decision is testable without either.

#include "core/exchange/CalendarItem.h"
#include "core/persistence/EventFile.h"
#include "core/util/paError.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace kelvo {

class ECalDavError : public EpaError {
public:
    // Connection: the server cannot be reached or refused us (password, certificate, a
    // missing calendar); the sync stops. Otherwise only the one resource failed.
    ECalDavError(const std::string& message, bool connection)
        : EpaError(message), connection_(connection) {}
    bool Connection() const { return connection_; }

private:
    bool connection_;
};

struct TRemoteResource {
    std::string Href; // the path on the server
    std::string ETag;
};

// What changed in the collection since a sync token (RFC 6578).
struct TRemoteChanges {
    std::vector<TRemoteResource> Changed; // added or changed, with the new ETag
    std::vector<std::string> Removed;
};

struct TFetchedResource {
    std::string Href;
    std::string ETag;
    std::string Body;  // the iCalendar object
    std::string Error; // not empty: this one could not be had
};

// The server's side. Every call throws ECalDavError.
class ICalDavTransport {
public:
    virtual ~ICalDavTransport() = default;
    // The collection's sync token (or CTag); empty when it offers none.
    virtual std::string SyncToken() = 0;
    // The collection's CTag, which changes with anything in it: where the server tells it more
    // cheaply than the sync token, a sync with nothing changed asks for nothing else. Empty
    // when it offers none.
    virtual std::string CollectionTag() { return {}; }
    // Every calendar resource of the collection with its ETag.
    virtual std::vector<TRemoteResource> List() = 0;
    // What changed since token; nothing when the server cannot tell (then List is asked).
    virtual std::optional<TRemoteChanges> ChangesSince(const std::string& /*token*/) {
        return std::nullopt;
    }
    // The resources of hrefs; one that fails has its Error set.
    virtual std::vector<TFetchedResource> Fetch(const std::vector<std::string>& hrefs) = 0;
    // Writes body; ifMatch empty: only when no such resource exists. Answers the new ETag,
    // empty when the server did not tell.
    virtual std::string Put(const std::string& href, const std::string& body,
                            const std::string& ifMatch) = 0;
    virtual void Delete(const std::string& href, const std::string& ifMatch) = 0;
    // Where a new resource named file goes.
    virtual std::string HrefFor(const std::string& file) const = 0;
};

// iCalendar text, which the core cannot read itself.
struct TCalCodec {
    std::function<std::string(const TCalItem&)> Write;
    // The items of one resource; throws on text that is no iCalendar object.
    std::function<std::vector<TCalItem>(const std::string&)> Parse;
    TCalExpander Expand;
};

// What the last sync left: per UID where it lives, its ETag there and what the event was
// then, and UIDs of conflict copies that wait for an edit.
struct TSyncEntry {
    std::string Href;
    std::string ETag;
    std::uint64_t Hash = 0; // of the event's record as it was synced
};
struct TSyncState {
    std::string SyncToken;
    std::string CollectionTag;                    // as it was when SyncToken was
    std::map<std::string, TSyncEntry> Entries;    // by UID
    std::map<std::string, std::uint64_t> Waiting; // conflict copies: UID -> record hash
    // What the last sync could not finish: "put UID" / "delete UID", sent by the next.
    std::vector<std::string> Queue;
    // Launch and mail actions that arrived and wait for the user: UID -> the event's record as
    // it arrived, actions and all. The event here has them taken out meanwhile.
    std::map<std::string, std::string> Held;
    // Held actions the user did not keep: off this computer, but each upload of the event puts
    // them back, so that the server and the computers that kept them do not lose them.
    std::map<std::string, std::string> Declined;
};

// "<events file>.caldav".
std::string SyncStateFileName(const std::string& eventsFile);
std::string WriteSyncState(const TSyncState& state);
// ECalDavError (not a connection error) for text that is no state file.
TSyncState ParseSyncState(const std::string& text);

enum class TSyncKind { Added, Changed, Deleted, Conflict };
struct TSyncLine {
    bool Up = false;
    TSyncKind Kind = TSyncKind::Added;
    int Index = -1; // in the events after the sync; before it for a deletion
    std::string Description;
    std::string Error; // not empty: this resource failed
};
const char* SyncKindName(TSyncKind kind);

struct TSyncResult {
    std::vector<TSyncLine> Lines;
    std::string ConnectionError; // not empty: the sync stopped there
    // Launch and mail actions of arriving events, held until the user confirms them.
    std::vector<std::string> HeldActions;
    bool ConflictCopies = false;
    bool EventsChanged = false;
    bool Failed() const;
};

// Syncs the events of templateName in events with the server. state is brought up to date
// as far as the sync got; save is called with it (and the events) whenever what is saved
// must change, so that a sync cut off anywhere loses nothing and the next one completes.
TSyncResult SyncEvents(TOwnedEvents& events, const std::string& templateName, TSyncState& state,
                       ICalDavTransport& server, const TCalCodec& codec,
                       const std::function<void()>& save);

// "<event>: <action>" for each launch and mail action held in state.
std::vector<std::string> HeldActionTexts(const TSyncState& state);
// The user kept the held actions: they go back into their events of templateName (in their
// place when the event was not edited since, else after its own actions), and an event not
// edited since is known as synced with them; one not among events stays held. Answers the
// texts of the actions given back.
std::vector<std::string> KeepHeldActions(const std::vector<TEvent*>& events,
                                         const std::string& templateName, TSyncState& state);
// The user did not keep the held actions: they are not asked about again and stay off the
// events here, while the server keeps them.
void DeclineHeldActions(TSyncState& state);

} // namespace kelvo
