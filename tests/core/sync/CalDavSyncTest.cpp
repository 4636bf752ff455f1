// The sync engine over a server held in memory: the state file keeps any text, a save cut off
// after an upload is recognised as ours the next time (no conflict, no second copy), and a
// resource the server refuses fails alone.

#include "core/sync/CalDavSync.h"

#include "support/EntitySamples.h"

#include <gtest/gtest.h>
#include <map>

namespace kelvo {
namespace {

struct TFakeServer : ICalDavTransport {
    struct TResource {
        std::string ETag, Body;
    };
    std::map<std::string, TResource> Resources;
    int Version = 0;
    bool TellETags = true;
    std::string RefusePut; // href answered 412

    std::string SyncToken() override { return "v" + std::to_string(Version); }
    std::vector<TRemoteResource> List() override {
        std::vector<TRemoteResource> list;
        for (const auto& [href, r] : Resources)
            list.push_back({href, r.ETag});
        return list;
    }
    std::vector<TFetchedResource> Fetch(const std::vector<std::string>& hrefs) override {
        std::vector<TFetchedResource> out;
        for (const std::string& h : hrefs)
            out.push_back({h, Resources.at(h).ETag, Resources.at(h).Body, {}});
        return out;
    }
    std::string Put(const std::string& href, const std::string& body,
                    const std::string& ifMatch) override {
        const bool exists = Resources.contains(href);
        if (href == RefusePut || exists != !ifMatch.empty() ||
            (exists && Resources[href].ETag != ifMatch))
            throw ECalDavError(href + ": changed on the server meanwhile", false);
        const std::string etag = "\"" + std::to_string(++Version) + "\"";
        Resources[href] = {etag, body};
        return TellETags ? etag : std::string();
    }
    void Delete(const std::string& href, const std::string&) override {
        Resources.erase(href);
        ++Version;
    }
    std::string HrefFor(const std::string& file) const override { return "/cal/" + file; }
};

// Items travel as their index in a table: the engine is tested, not iCalendar.
struct TFakeCodec {
    std::shared_ptr<std::vector<TCalItem>> Items = std::make_shared<std::vector<TCalItem>>();
    TCalCodec Codec() const {
        auto items = Items;
        return {[items](const TCalItem& item) {
                    items->push_back(item);
                    return std::to_string(items->size() - 1);
                },
                [items](const std::string& body) {
                    return std::vector<TCalItem>{items->at(std::stoul(body))};
                },
                [](const TCalItem&, std::size_t, TDateTime) { return std::vector<TDateTime>{}; }};
    }
};

std::unique_ptr<TEvent> Synced(const std::string& message, int day) {
    auto e = samples::SilentEventOnceAt(EncodeDateTime(2030, 3, day, 10, 0), message);
    e->SetTemplate("CalDAV");
    return e;
}

TEST(CalDavSyncTest, TheStateFileKeepsAnyTextAndRefusesDamage) {
    TSyncState state;
    state.SyncToken = "http://x/ns/sync/1%2\tb";
    state.Entries["uid\twith\nbreaks%"] = {"/cal/a%20b.ics", "\"e\ttag\"", 0xFEDCBA9876543210ull};
    state.Waiting["copy-1"] = 42;
    state.Queue = {"put uid\t1"};
    state.Held["uid\t2"] = "a record\r\nof\ttwo lines%";
    const TSyncState back = ParseSyncState(WriteSyncState(state));
    EXPECT_EQ(back.SyncToken, state.SyncToken);
    ASSERT_EQ(back.Entries.size(), 1u);
    const auto& [uid, entry] = *back.Entries.begin();
    EXPECT_EQ(uid, "uid\twith\nbreaks%");
    EXPECT_EQ(entry.Href, "/cal/a%20b.ics");
    EXPECT_EQ(entry.ETag, "\"e\ttag\"");
    EXPECT_EQ(entry.Hash, 0xFEDCBA9876543210ull);
    EXPECT_EQ(back.Waiting, state.Waiting);
    EXPECT_EQ(back.Queue, state.Queue);
    EXPECT_EQ(back.Held, state.Held);
    EXPECT_THROW(ParseSyncState("KELVO-CALDAV 1\nentry\tonly-two\n"), ECalDavError);
    EXPECT_THROW(ParseSyncState("something else\n"), ECalDavError);
}

TEST(CalDavSyncTest, AnUploadWhoseStateWasNeverSavedIsRecognisedAsOurs) {
    TFakeServer server;
    server.TellETags = false;
    TFakeCodec codec;
    TOwnedEvents events;
    events.push_back(Synced("One", 1));
    events.push_back(Synced("Two", 2));
    TSyncState state;
    TSyncResult first = SyncEvents(events, "CalDAV", state, server, codec.Codec(), {});
    ASSERT_FALSE(first.Failed()) << first.ConnectionError;
    ASSERT_EQ(server.Resources.size(), 2u);

    // The program was killed before the state file was written: it knows nothing.
    TSyncState lost;
    TSyncResult again = SyncEvents(events, "CalDAV", lost, server, codec.Codec(), {});
    EXPECT_FALSE(again.Failed());
    EXPECT_TRUE(again.Lines.empty()) << again.Lines.front().Description;
    EXPECT_EQ(events.size(), 2u);
    EXPECT_EQ(server.Resources.size(), 2u);
    EXPECT_EQ(lost.Entries.size(), 2u);
    // Without ETags from the uploads the listing's are taken: the next sync is quiet too.
    EXPECT_TRUE(SyncEvents(events, "CalDAV", lost, server, codec.Codec(), {}).Lines.empty());
}

TEST(CalDavSyncTest, ARefusedResourceFailsAloneAndTheNextSyncSendsIt) {
    TFakeServer server;
    TFakeCodec codec;
    TOwnedEvents events;
    events.push_back(Synced("One", 1));
    events.push_back(Synced("Two", 2));
    TSyncState state;
    CalendarItemOf(*events[0]);
    server.RefusePut = "/cal/" + events[0]->Uid() + ".ics";
    int saves = 0;
    TSyncResult r = SyncEvents(events, "CalDAV", state, server, codec.Codec(), [&] { ++saves; });
    EXPECT_TRUE(r.Failed());
    ASSERT_EQ(r.Lines.size(), 2u);
    EXPECT_NE(r.Lines[0].Error.find(server.RefusePut), std::string::npos);
    EXPECT_TRUE(r.Lines[1].Error.empty());
    EXPECT_EQ(server.Resources.size(), 1u);
    EXPECT_GE(saves, 1);

    server.RefusePut.clear();
    r = SyncEvents(events, "CalDAV", state, server, codec.Codec(), {});
    EXPECT_FALSE(r.Failed());
    ASSERT_EQ(r.Lines.size(), 1u);
    EXPECT_TRUE(r.Lines[0].Up);
    EXPECT_EQ(r.Lines[0].Kind, TSyncKind::Added);
    EXPECT_EQ(r.Lines[0].Description, "One");
    EXPECT_EQ(server.Resources.size(), 2u);
}

std::vector<std::string> ActionKinds(const TEvent& e) {
    std::vector<std::string> kinds;
    for (int i = 0; i < e.EventAction().Actions().Count(); ++i)
        kinds.push_back(
            dynamic_cast<const TLaunchAppEventAction*>(&e.EventAction().Actions().Items(i))
                ? "launch"
                : "beep");
    return kinds;
}

TEST(CalDavSyncTest, HeldActionsGoBackInTheirPlaceAndAnEditedEventGetsThemAfterItsOwn) {
    TFakeServer server;
    TFakeCodec codec;
    TOwnedEvents here;
    for (const char* message : {"Backup", "Edited"}) {
        auto e = Synced(message, 1);
        auto launch = std::make_unique<TLaunchAppEventAction>();
        launch->SetFileName("/usr/bin/backup");
        e->EventAction().Actions().Add(std::move(launch));
        e->EventAction().Actions().Add(std::make_unique<TBeepEventAction>());
        here.push_back(std::move(e));
    }
    TSyncState hereState;
    ASSERT_FALSE(SyncEvents(here, "CalDAV", hereState, server, codec.Codec(), {}).Failed());

    TOwnedEvents there;
    TSyncState state;
    TSyncResult r = SyncEvents(there, "CalDAV", state, server, codec.Codec(), {});
    ASSERT_EQ(there.size(), 2u);
    EXPECT_EQ(r.HeldActions.size(), 2u);
    EXPECT_EQ(HeldActionTexts(state), r.HeldActions);
    EXPECT_EQ(ActionKinds(*there[0]), std::vector<std::string>{"beep"});
    // Held across a restart: the state file keeps them.
    state = ParseSyncState(WriteSyncState(state));

    there[1]->SetWindowMessage("Edited there");
    // Asked for another template's events: nothing is given back and nothing is forgotten.
    EXPECT_TRUE(KeepHeldActions({there[0].get(), there[1].get()}, "Work", state).empty());
    EXPECT_EQ(state.Held.size(), 2u);
    const std::vector<std::string> kept =
        KeepHeldActions({there[0].get(), there[1].get()}, "CalDAV", state);
    EXPECT_EQ(kept.size(), 2u);
    EXPECT_TRUE(state.Held.empty());
    EXPECT_EQ(ActionKinds(*there[0]), (std::vector<std::string>{"launch", "beep"}));
    EXPECT_EQ(ActionKinds(*there[1]), (std::vector<std::string>{"beep", "launch"}));
    // The one not edited is as the server has it; only the edited one goes up.
    r = SyncEvents(there, "CalDAV", state, server, codec.Codec(), {});
    ASSERT_EQ(r.Lines.size(), 1u);
    EXPECT_TRUE(r.Lines[0].Up);
    EXPECT_EQ(r.Lines[0].Description, "Edited there");
}

TEST(CalDavSyncTest, DeclinedActionsStayOffHereAndOnTheServerThroughEditsOnBothSides) {
    TFakeServer server;
    TFakeCodec codec;
    TOwnedEvents here;
    here.push_back(Synced("Backup", 1));
    auto launch = std::make_unique<TLaunchAppEventAction>();
    launch->SetFileName("/usr/bin/backup");
    here[0]->EventAction().Actions().Add(std::move(launch));
    TSyncState hereState;
    ASSERT_FALSE(SyncEvents(here, "CalDAV", hereState, server, codec.Codec(), {}).Failed());
    const std::string href = hereState.Entries.begin()->second.Href;
    const auto onServer = [&] {
        const TCalItem item = codec.Items->at(std::stoul(server.Resources.at(href).Body));
        return EventOfCalendarItem(item, codec.Codec().Expand);
    };

    TOwnedEvents there;
    TSyncState state;
    ASSERT_EQ(SyncEvents(there, "CalDAV", state, server, codec.Codec(), {}).HeldActions.size(), 1u);
    DeclineHeldActions(state);
    state = ParseSyncState(WriteSyncState(state));
    EXPECT_TRUE(HeldActionTexts(state).empty());

    // Edited where it was declined: the edit goes up with the program.
    there[0]->SetWindowMessage("Backup at noon");
    TSyncResult r = SyncEvents(there, "CalDAV", state, server, codec.Codec(), {});
    ASSERT_EQ(r.Lines.size(), 1u);
    EXPECT_TRUE(r.Lines[0].Up);
    TImportedEvent up = onServer();
    ASSERT_TRUE(up.Event);
    EXPECT_EQ(up.Event->WindowMessage(), "Backup at noon");
    EXPECT_EQ(ActionKinds(*up.Event), std::vector<std::string>{"launch"});
    EXPECT_TRUE(ActionKinds(*there[0]).empty());

    // Edited where it arrived held and was not confirmed yet: the same.
    r = SyncEvents(here, "CalDAV", hereState, server, codec.Codec(), {});
    EXPECT_EQ(r.HeldActions.size(), 1u);
    here[0]->SetWindowMessage("Backup at one");
    ASSERT_EQ(SyncEvents(here, "CalDAV", hereState, server, codec.Codec(), {}).Lines.size(), 1u);
    up = onServer();
    ASSERT_TRUE(up.Event);
    EXPECT_EQ(ActionKinds(*up.Event), std::vector<std::string>{"launch"});

    // The declined program comes back with that edit: not asked about again, still off here.
    r = SyncEvents(there, "CalDAV", state, server, codec.Codec(), {});
    ASSERT_EQ(r.Lines.size(), 1u);
    EXPECT_FALSE(r.Lines[0].Up);
    EXPECT_TRUE(r.HeldActions.empty());
    EXPECT_TRUE(state.Held.empty());
    EXPECT_EQ(state.Declined.size(), 1u);
    EXPECT_EQ(there[0]->WindowMessage(), "Backup at one");
    EXPECT_TRUE(ActionKinds(*there[0]).empty());
}

} // namespace
} // namespace kelvo
