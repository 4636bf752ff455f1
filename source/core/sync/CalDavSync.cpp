#include "core/sync/CalDavSync.h"

#include "core/entities/Reminder.h"
#include "core/exchange/Arrival.h"
#include "core/persistence/DataFile.h"
#include "core/util/paText.h"

#include <algorithm>
#include <set>
#include <sstream>

namespace kelvo {

namespace {

constexpr const char* StateHeader = "KELVO-CALDAV 1";
// Saves of a long sync come this often, so that a cut leaves little to redo.
constexpr int SaveEvery = 100;

std::uint64_t Hash(const std::string& bytes) {
    std::uint64_t h = 1469598103934665603ull;
    for (unsigned char c : bytes) {
        h ^= c;
        h *= 1099511628211ull;
    }
    return h;
}

std::string RecordOf(TEvent& e) {
    return WriteEvents(TEventList(std::vector<TEvent*>{&e}));
}

// Fields are separated by TABs and records by line breaks; neither may come from a value.
std::string Escape(const std::string& s) {
    std::string out;
    for (char c : s) {
        if (c == '%')
            out += "%25";
        else if (c == '\t')
            out += "%09";
        else if (c == '\n')
            out += "%0A";
        else if (c == '\r')
            out += "%0D";
        else
            out += c;
    }
    return out;
}

std::string Unescape(const std::string& s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '%' && i + 2 < s.size()) {
            const std::string code = s.substr(i + 1, 2);
            out += static_cast<char>(std::stoi(code, nullptr, 16));
            i += 2;
        } else {
            out += s[i];
        }
    }
    return out;
}

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', start);
        fields.push_back(Unescape(line.substr(start, tab - start)));
        if (tab == std::string::npos)
            return fields;
        start = tab + 1;
    }
}

std::string HexOf(std::uint64_t v) {
    std::ostringstream s;
    s << std::hex << v;
    return s.str();
}

// Whether another client changed what the item says since this program wrote its record: its
// record no longer gives the item's summary, text or moments.
bool EditedElsewhere(const TCalItem& item, const TCalExpander& expand) {
    if (item.OwnRecord.empty())
        return false;
    TImportedEvent fromRecord = EventOfCalendarItem(item, expand);
    if (!fromRecord.Event)
        return true;
    const TCalItem back = CalendarItemOf(*fromRecord.Event);
    return back.Summary != item.Summary || back.Description != item.Description ||
           back.Start != item.Start || back.AllDay != item.AllDay || back.RDates != item.RDates ||
           back.ExDates != item.ExDates || back.Rules.size() != item.Rules.size() ||
           back.Alarms.size() != item.Alarms.size();
}

// Appends from's launch and mail actions to to's lists (the event's, its reminder's).
void AddOutsideActions(TEvent& to, TEvent& from) {
    const auto add = [](TEventActionList& target, const TEventActionList& source) {
        for (int i = 0; i < source.Count(); ++i)
            if (IsOutsideAction(source.Items(i)))
                target.Add(source.Items(i).Clone());
    };
    add(to.EventAction().Actions(), from.EventAction().Actions());
    if (to.Reminder() && from.Reminder())
        add(to.Reminder()->EventAction().Actions(), from.Reminder()->EventAction().Actions());
}

std::unique_ptr<TEvent> OnlyEventOf(const std::string& record) {
    TAnswerNoHost host;
    TOwnedEvents read = ReadEvents(record, host);
    return read.size() == 1 ? std::move(read.front()) : nullptr;
}

std::vector<TEvent*> Pointers(const TOwnedEvents& events) {
    std::vector<TEvent*> list;
    for (const auto& e : events)
        list.push_back(e.get());
    return list;
}

// One line of the result, its index found once every event is where it stays.
struct TPendingLine {
    TSyncLine Line;
    TEvent* Event = nullptr;
};

class TSync {
public:
    TSync(TOwnedEvents& events, const std::string& templateName, TSyncState& state,
          ICalDavTransport& server, const TCalCodec& codec, const std::function<void()>& save)
        : events_(events), template_(templateName), state_(state), server_(server), codec_(codec),
          save_(save) {}

    TSyncResult Run() {
        try {
            RunSteps();
        } catch (const ECalDavError& e) {
            result_.ConnectionError = e.what();
        }
        Finish();
        return std::move(result_);
    }

private:
    void RunSteps() {
        const std::string tag = server_.CollectionTag();
        const bool unchanged =
            !tag.empty() && tag == state_.CollectionTag && !state_.SyncToken.empty();
        const std::string token = unchanged ? state_.SyncToken : server_.SyncToken();
        std::map<std::string, std::string> remote; // href -> ETag
        if (!token.empty() && token == state_.SyncToken) {
            for (const auto& [uid, entry] : state_.Entries)
                remote[entry.Href] = entry.ETag;
        } else {
            std::optional<TRemoteChanges> changes;
            if (!token.empty() && !state_.SyncToken.empty())
                changes = server_.ChangesSince(state_.SyncToken);
            if (changes) {
                for (const auto& [uid, entry] : state_.Entries)
                    remote[entry.Href] = entry.ETag;
                for (TRemoteResource& r : changes->Changed)
                    remote[r.Href] = std::move(r.ETag);
                for (const std::string& href : changes->Removed)
                    remote.erase(href);
            } else {
                for (TRemoteResource& r : server_.List())
                    remote[r.Href] = std::move(r.ETag);
            }
        }
        GiveUids();

        std::map<std::string, std::string> uidOfHref;
        for (const auto& [uid, entry] : state_.Entries)
            uidOfHref[entry.Href] = uid;
        std::vector<std::string> wanted;
        for (const auto& [href, etag] : remote) {
            const auto known = uidOfHref.find(href);
            if (known == uidOfHref.end() || state_.Entries[known->second].ETag != etag ||
                etag.empty())
                wanted.push_back(href);
        }
        // Known resources the server no longer has.
        std::vector<std::string> goneOnServer;
        for (const auto& [uid, entry] : state_.Entries)
            if (!remote.contains(entry.Href))
                goneOnServer.push_back(uid);

        bool downloadFailed = false;
        if (!wanted.empty())
            for (const TFetchedResource& f : server_.Fetch(wanted))
                downloadFailed |= !Arrive(f, uidOfHref);
        for (const std::string& uid : goneOnServer)
            GoneOnServer(uid);
        if (result_.EventsChanged)
            Save();

        Upload();
        state_.SyncToken = downloadFailed ? std::string() : token;
        state_.CollectionTag = downloadFailed ? std::string() : tag;
    }

    void GiveUids() {
        std::set<std::string> seen;
        for (auto& e : events_) {
            if (e->Template() != template_)
                continue;
            if (e->Uid().empty())
                CalendarItemOf(*e);
            if (!seen.insert(e->Uid()).second) {
                // A copy of another synced event: it becomes one of its own.
                const std::string base = e->Uid();
                for (int n = 2;; ++n)
                    if (seen.insert(base + "-" + std::to_string(n)).second) {
                        e->SetUid(base + "-" + std::to_string(n));
                        break;
                    }
                result_.EventsChanged = true;
            }
        }
    }

    TEvent* Local(const std::string& uid) const {
        for (const auto& e : events_)
            if (e->Template() == template_ && e->Uid() == uid)
                return e.get();
        return nullptr;
    }

    std::size_t IndexOf(const TEvent* e) const {
        for (std::size_t i = 0; i < events_.size(); ++i)
            if (events_[i].get() == e)
                return i;
        return events_.size();
    }

    void Line(bool up, TSyncKind kind, TEvent* e, std::string description, std::string error = {}) {
        TPendingLine p;
        p.Line.Up = up;
        p.Line.Kind = kind;
        p.Line.Description = std::move(description);
        p.Line.Error = std::move(error);
        if (e && kind == TSyncKind::Deleted)
            p.Line.Index = static_cast<int>(IndexOf(e));
        else
            p.Event = e;
        lines_.push_back(std::move(p));
    }

    std::unique_ptr<TEvent> EventOf(const TCalItem& item, bool editedElsewhere) {
        TCalItem own = item;
        if (editedElsewhere)
            own.OwnRecord.clear(); // what the other client made of it wins
        TImportedEvent imported = EventOfCalendarItem(own, codec_.Expand);
        std::unique_ptr<TEvent> e = std::move(imported.Event);
        e->SetTemplate(template_);
        if (!item.Uid.empty())
            e->SetUid(item.Uid);
        else
            CalendarItemOf(*e);
        CountFromNow(*e);
        // Filled as the notebook fills them when it takes the event, so that what the program
        // keeps is what was synced and does not go up again as changed.
        const TDateTime created = e->InitializeCondition().DateOfCreate();
        if (!IsNullDate(created)) {
            if (TReminder* r = e->Reminder();
                r && IsNullDate(r->InitializeCondition().DateOfCreate()))
                r->InitializeCondition().SetDateOfCreate(created);
            if (IsNullDate(e->SnoozeCondition().DateOfCreate()))
                e->SnoozeCondition().SetDateOfCreate(created);
        }
        return e;
    }

    // Its launch and mail actions wait for the user; the server keeps them meanwhile.
    void Hold(TEvent& arrived) {
        const std::string& uid = arrived.Uid();
        std::vector<std::string> outside = OutsideActions({&arrived});
        const auto declined = state_.Declined.find(uid);
        if (outside.empty()) {
            state_.Held.erase(uid);
            if (declined != state_.Declined.end())
                state_.Declined.erase(declined);
            return;
        }
        // The same actions the user declined before are not asked about again.
        if (declined != state_.Declined.end()) {
            const std::unique_ptr<TEvent> before = OnlyEventOf(declined->second);
            if (before && OutsideActionTexts(*before) == OutsideActionTexts(arrived)) {
                declined->second = RecordOf(arrived);
                RemoveOutsideActions(arrived);
                return;
            }
            state_.Declined.erase(declined);
        }
        state_.Held[uid] = RecordOf(arrived);
        RemoveOutsideActions(arrived);
        for (std::string& held : outside)
            result_.HeldActions.push_back(std::move(held));
    }

    // The actions only, without the description, which another client may have changed.
    static std::vector<std::string> OutsideActionTexts(TEvent& e) {
        const std::size_t prefix = DisplayText(e.Description()).size() + 2;
        std::vector<std::string> texts = OutsideActions({&e});
        for (std::string& t : texts)
            t.erase(0, prefix);
        return texts;
    }

    // The record of uid that keeps its launch and mail actions for the server, if any.
    std::string* KeptForServer(const std::string& uid) {
        for (auto* held : {&state_.Held, &state_.Declined})
            if (const auto found = held->find(uid); found != held->end())
                return &found->second;
        return nullptr;
    }

    // What goes up for e: e itself, with the launch and mail actions held or declined here put
    // back. Null when e goes up as it is.
    std::unique_ptr<TEvent> UploadFormOf(TEvent& e) {
        const std::string* kept = KeptForServer(e.Uid());
        if (!kept)
            return nullptr;
        const std::unique_ptr<TEvent> from = OnlyEventOf(*kept);
        std::unique_ptr<TEvent> up = OnlyEventOf(RecordOf(e));
        if (!from || !up)
            return nullptr;
        AddOutsideActions(*up, *from);
        return up;
    }

    std::string UploadRecordOf(TEvent& e) {
        const std::unique_ptr<TEvent> up = UploadFormOf(e);
        return RecordOf(up ? *up : e);
    }

    // Answers false when the resource could not be taken.
    bool Arrive(const TFetchedResource& f, const std::map<std::string, std::string>& uidOfHref) {
        const auto known = uidOfHref.find(f.Href);
        const std::string stateUid = known == uidOfHref.end() ? std::string() : known->second;
        const TSyncKind failedKind = stateUid.empty() ? TSyncKind::Added : TSyncKind::Changed;
        if (!f.Error.empty()) {
            Line(false, failedKind, nullptr, f.Href, f.Error);
            return false;
        }
        std::vector<TCalItem> items;
        try {
            items = codec_.Parse(f.Body);
        } catch (const std::exception& e) {
            Line(false, failedKind, nullptr, f.Href, f.Href + ": " + e.what());
            return false;
        }
        if (items.empty()) {
            Line(false, failedKind, nullptr, f.Href, f.Href + ": holds no event");
            return false;
        }
        // Recurrence overrides share the UID: the first item stands for the resource.
        const TCalItem& item = items.front();
        const std::string uid = stateUid.empty() ? item.Uid : stateUid;
        TEvent* local = Local(uid);
        const auto entry = state_.Entries.find(uid);
        const bool localChanged = local && (entry == state_.Entries.end() ||
                                            Hash(RecordOf(*local)) != entry->second.Hash);

        bool edited = false;
        try {
            edited = EditedElsewhere(item, codec_.Expand);
        } catch (const std::exception&) {
            edited = true;
        }
        if (local && !edited && !item.OwnRecord.empty() &&
            item.OwnRecord == UploadRecordOf(*local)) {
            // Ours already, as a save cut off before the state file could tell.
            Remember(uid, f.Href, f.ETag, *local);
            return true;
        }
        std::unique_ptr<TEvent> arrived;
        try {
            arrived = EventOf(item, edited);
        } catch (const std::exception& e) {
            Line(false, failedKind, nullptr, f.Href, f.Href + ": " + e.what());
            return false;
        }
        const std::string ownUid = uid.empty() ? arrived->Uid() : uid;
        arrived->SetUid(ownUid);
        Hold(*arrived);
        TEvent* placed = arrived.get();
        result_.EventsChanged = true;
        if (!local) {
            events_.push_back(std::move(arrived));
            Line(false, TSyncKind::Added, placed, placed->Description());
        } else if (!localChanged) {
            const std::size_t at = IndexOf(local);
            events_[at] = std::move(arrived);
            Line(false, TSyncKind::Changed, placed, placed->Description());
        } else {
            // Changed on both sides (or met here under the same UID without a sync between):
            // the server's wins in place, ours stays beside it as a copy that is not sent
            // before the user edits it.
            const std::size_t at = IndexOf(local);
            std::string copyUid = ownUid + "-conflict";
            for (int n = 2; Local(copyUid); ++n)
                copyUid = ownUid + "-conflict-" + std::to_string(n);
            local->SetUid(copyUid);
            state_.Waiting[copyUid] = Hash(RecordOf(*local));
            events_.insert(events_.begin() + static_cast<std::ptrdiff_t>(at), std::move(arrived));
            result_.ConflictCopies = true;
            Line(false, TSyncKind::Conflict, placed, placed->Description());
        }
        Remember(ownUid, f.Href, f.ETag, *placed);
        return true;
    }

    void GoneOnServer(const std::string& uid) {
        TEvent* local = Local(uid);
        const TSyncEntry entry = state_.Entries[uid];
        state_.Entries.erase(uid);
        if (!local || Hash(RecordOf(*local)) != entry.Hash)
            return; // deleted here too, or changed here: then it goes up again as new
        Line(false, TSyncKind::Deleted, local, local->Description());
        events_.erase(events_.begin() + static_cast<std::ptrdiff_t>(IndexOf(local)));
        result_.EventsChanged = true;
    }

    void Remember(const std::string& uid, const std::string& href, const std::string& etag,
                  TEvent& e) {
        state_.Entries[uid] = TSyncEntry{href, etag, Hash(RecordOf(e))};
    }

    void Upload() {
        struct TJob {
            std::string Uid;
            TEvent* Event = nullptr; // nullptr: a deletion
        };
        std::vector<TJob> jobs;
        for (const auto& e : events_) {
            if (e->Template() != template_)
                continue;
            const auto waiting = state_.Waiting.find(e->Uid());
            if (waiting != state_.Waiting.end()) {
                if (waiting->second == Hash(RecordOf(*e)))
                    continue;
                state_.Waiting.erase(waiting); // edited: now a new event of its own
            }
            const auto entry = state_.Entries.find(e->Uid());
            if (entry == state_.Entries.end() || entry->second.Hash != Hash(RecordOf(*e)))
                jobs.push_back({e->Uid(), e.get()});
        }
        for (const auto& [uid, entry] : state_.Entries)
            if (!Local(uid))
                jobs.push_back({uid, nullptr});
        for (auto it = state_.Waiting.begin(); it != state_.Waiting.end();)
            it = Local(it->first) ? std::next(it) : state_.Waiting.erase(it);
        for (auto* held : {&state_.Held, &state_.Declined})
            for (auto it = held->begin(); it != held->end();)
                it = Local(it->first) ? std::next(it) : held->erase(it);

        state_.Queue.clear();
        for (const TJob& j : jobs)
            state_.Queue.push_back((j.Event ? "put " : "delete ") + j.Uid);
        int sinceSave = 0;
        for (const TJob& j : jobs) {
            if (j.Event)
                Put(j.Uid, *j.Event);
            else
                Delete(j.Uid);
            state_.Queue.erase(state_.Queue.begin());
            if (++sinceSave == SaveEvery) {
                Save();
                sinceSave = 0;
            }
        }
    }

    void Put(const std::string& uid, TEvent& e) {
        const auto entry = state_.Entries.find(uid);
        const bool added = entry == state_.Entries.end();
        const std::string href = added ? server_.HrefFor(uid + ".ics") : entry->second.Href;
        const TSyncKind kind = added ? TSyncKind::Added : TSyncKind::Changed;
        try {
            const std::unique_ptr<TEvent> up = UploadFormOf(e);
            const std::string body = codec_.Write(CalendarItemOf(up ? *up : e));
            const std::string etag =
                server_.Put(href, body, added ? std::string() : entry->second.ETag);
            // The server's version is now this one, actions and all.
            if (up)
                *KeptForServer(uid) = RecordOf(*up);
            Remember(uid, href, etag, e);
            Line(true, kind, &e, e.Description());
        } catch (const ECalDavError& error) {
            if (error.Connection())
                throw;
            Line(true, kind, &e, e.Description(), error.what());
        }
    }

    void Delete(const std::string& uid) {
        const TSyncEntry entry = state_.Entries[uid];
        try {
            server_.Delete(entry.Href, entry.ETag);
            state_.Entries.erase(uid);
            Line(true, TSyncKind::Deleted, nullptr, entry.Href);
        } catch (const ECalDavError& error) {
            if (error.Connection())
                throw;
            Line(true, TSyncKind::Deleted, nullptr, entry.Href, error.what());
        }
    }

    void Save() {
        if (save_)
            save_();
    }

    void Finish() {
        for (TPendingLine& p : lines_) {
            if (p.Event) {
                const std::size_t i = IndexOf(p.Event);
                p.Line.Index = i < events_.size() ? static_cast<int>(i) : -1;
            }
            result_.Lines.push_back(std::move(p.Line));
        }
        try {
            Save();
        } catch (const std::exception& e) {
            if (result_.ConnectionError.empty())
                result_.ConnectionError = e.what();
        }
    }

    TOwnedEvents& events_;
    const std::string& template_;
    TSyncState& state_;
    ICalDavTransport& server_;
    const TCalCodec& codec_;
    const std::function<void()>& save_;
    std::vector<TPendingLine> lines_;
    TSyncResult result_;
};

} // namespace

std::string SyncStateFileName(const std::string& eventsFile) {
    return eventsFile + ".caldav";
}

std::string WriteSyncState(const TSyncState& state) {
    std::string out = std::string(StateHeader) + "\n";
    out += "token\t" + Escape(state.SyncToken) + "\n";
    if (!state.CollectionTag.empty())
        out += "ctag\t" + Escape(state.CollectionTag) + "\n";
    for (const auto& [uid, e] : state.Entries)
        out += "entry\t" + Escape(uid) + "\t" + Escape(e.Href) + "\t" + Escape(e.ETag) + "\t" +
               HexOf(e.Hash) + "\n";
    for (const auto& [uid, hash] : state.Waiting)
        out += "waiting\t" + Escape(uid) + "\t" + HexOf(hash) + "\n";
    for (const std::string& q : state.Queue)
        out += "queue\t" + Escape(q) + "\n";
    for (const auto& [uid, record] : state.Held)
        out += "held\t" + Escape(uid) + "\t" + Escape(record) + "\n";
    for (const auto& [uid, record] : state.Declined)
        out += "declined\t" + Escape(uid) + "\t" + Escape(record) + "\n";
    return out;
}

TSyncState ParseSyncState(const std::string& text) {
    std::istringstream in(text);
    std::string line;
    if (!std::getline(in, line) || line != StateHeader)
        throw ECalDavError("not a CalDAV state file", false);
    TSyncState state;
    try {
        while (std::getline(in, line)) {
            const std::vector<std::string> f = Fields(line);
            if (f[0] == "token" && f.size() == 2)
                state.SyncToken = f[1];
            else if (f[0] == "ctag" && f.size() == 2)
                state.CollectionTag = f[1];
            else if (f[0] == "entry" && f.size() == 5)
                state.Entries[f[1]] = TSyncEntry{f[2], f[3], std::stoull(f[4], nullptr, 16)};
            else if (f[0] == "waiting" && f.size() == 3)
                state.Waiting[f[1]] = std::stoull(f[2], nullptr, 16);
            else if (f[0] == "queue" && f.size() == 2)
                state.Queue.push_back(f[1]);
            else if (f[0] == "held" && f.size() == 3)
                state.Held[f[1]] = f[2];
            else if (f[0] == "declined" && f.size() == 3)
                state.Declined[f[1]] = f[2];
            else if (!line.empty())
                throw ECalDavError("damaged CalDAV state line \"" + line + "\"", false);
        }
    } catch (const std::logic_error&) {
        throw ECalDavError("damaged CalDAV state line \"" + line + "\"", false);
    }
    return state;
}

const char* SyncKindName(TSyncKind kind) {
    switch (kind) {
    case TSyncKind::Added:
        return "added";
    case TSyncKind::Changed:
        return "changed";
    case TSyncKind::Deleted:
        return "deleted";
    case TSyncKind::Conflict:
        return "conflict";
    }
    return "";
}

bool TSyncResult::Failed() const {
    if (!ConnectionError.empty())
        return true;
    return std::any_of(Lines.begin(), Lines.end(),
                       [](const TSyncLine& l) { return !l.Error.empty(); });
}

std::vector<std::string> HeldActionTexts(const TSyncState& state) {
    std::vector<std::string> texts;
    for (const auto& [uid, record] : state.Held) {
        TAnswerNoHost host;
        TOwnedEvents held = ReadEvents(record, host);
        for (std::string& t : OutsideActions(Pointers(held)))
            texts.push_back(std::move(t));
    }
    return texts;
}

std::vector<std::string> KeepHeldActions(const std::vector<TEvent*>& events,
                                         const std::string& templateName, TSyncState& state) {
    std::vector<std::string> kept;
    for (auto it = state.Held.begin(); it != state.Held.end();) {
        const std::string& uid = it->first;
        const auto local = std::find_if(events.begin(), events.end(), [&](const TEvent* e) {
            return e->Template() == templateName && e->Uid() == uid;
        });
        TAnswerNoHost host;
        TOwnedEvents held = ReadEvents(it->second, host);
        // Not among these events (another template given): it stays held.
        if (local == events.end() || held.size() != 1) {
            ++it;
            continue;
        }
        TEvent& to = **local;
        TEvent& from = *held.front();
        const auto entry = state.Entries.find(uid);
        const bool unedited =
            entry != state.Entries.end() && entry->second.Hash == Hash(RecordOf(to));
        const auto giveBack = [&](TEventActionList& target, const TEventActionList& source) {
            // Unedited, the list was the arrived one without them: it becomes that one again.
            if (unedited)
                target.Clear();
            for (int i = 0; i < source.Count(); ++i) {
                const TEventAction& a = source.Items(i);
                if (!unedited && !IsOutsideAction(a))
                    continue;
                target.Add(a.Clone());
                if (IsOutsideAction(a))
                    kept.push_back(DisplayText(to.Description()) + ": " +
                                   DisplayText(a.GetDescription()));
            }
        };
        giveBack(to.EventAction().Actions(), from.EventAction().Actions());
        if (to.Reminder() && from.Reminder())
            giveBack(to.Reminder()->EventAction().Actions(),
                     from.Reminder()->EventAction().Actions());
        if (unedited)
            entry->second.Hash = Hash(RecordOf(to));
        it = state.Held.erase(it);
    }
    return kept;
}

void DeclineHeldActions(TSyncState& state) {
    for (auto& [uid, record] : state.Held)
        state.Declined[uid] = std::move(record);
    state.Held.clear();
}

TSyncResult SyncEvents(TOwnedEvents& events, const std::string& templateName, TSyncState& state,
                       ICalDavTransport& server, const TCalCodec& codec,
                       const std::function<void()>& save) {
    return TSync(events, templateName, state, server, codec, save).Run();
}

} // namespace kelvo
