// kelvo-cli sync --events against a real CalDAV server (Radicale on the loopback address) with
// another client on the other side: changes go both ways, conflicts keep both versions, a sync
// cut off half-way loses nothing, and a broken server fails only what it broke.

#include "cli/CliProcess.h"
#include "core/exchange/Arrival.h"
#include "support/CalDavServer.h"
#include "support/EntitySamples.h"

#include <algorithm>
#include <cctype>
#include <gtest/gtest.h>

namespace kelvo {
namespace {

using test::CalDavServer;
using test::RunCli;
using test::TCliRun;

class CalDavSyncCliTest : public ::testing::Test {
protected:
    // One Radicale for the whole program (its start is what costs), a calendar per test.
    static void SetUpTestSuite() { shared = new CalDavServer; }
    static void TearDownTestSuite() {
        delete shared;
        shared = nullptr;
    }
    static CalDavServer& Shared() {
        std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::transform(name.begin(), name.end(), name.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        EXPECT_TRUE(shared->Up() && shared->UseCalendar(name));
        return *shared;
    }
    static inline CalDavServer* shared = nullptr;

    static std::unique_ptr<TEvent> Event(const std::string& message, int day = 5,
                                         const std::string& templateName = "CalDAV") {
        auto e = samples::SilentEventOnceAt(EncodeDateTime(2030, 3, day, 10, 0), message);
        e->SetTemplate(templateName);
        return e;
    }

    void Save(const TOwnedEvents& events) {
        std::vector<TEvent*> list;
        for (const auto& e : events)
            list.push_back(e.get());
        test::SaveEvents(dir, list);
    }

    TOwnedEvents Read() {
        TAnswerNoHost host;
        return LoadEventsFile(dir.File("events.evn"), host);
    }

    std::vector<std::string> Descriptions() {
        std::vector<std::string> d;
        for (const auto& e : Read())
            d.push_back(e->Description());
        return d;
    }

    TCliRun Sync(const std::string& url) {
        return RunCli(
            dir, {"sync", "--events", dir.File("events.evn"), "--url", url, "--user", "reminder"},
            {"KELVO_CALDAV_PASSWORD=secret"});
    }

    test::TempDir dir;
};

TEST_F(CalDavSyncCliTest, CreateChangeAndDeleteGoBothWays) {
    CalDavServer& server = Shared();
    ASSERT_TRUE(server.Up());
    TOwnedEvents events;
    events.push_back(Event("Local A"));
    events.push_back(Event("Local B", 6));
    events.push_back(Event("Not synced", 7, "Work"));
    Save(events);
    server.Peer("add p1 'Peer one'");

    TCliRun run = Sync(server.Url());
    ASSERT_EQ(run.Exit, 0) << run.Err;
    EXPECT_EQ(run.Out, "down\tadded\t3\tPeer one\nup\tadded\t0\tLocal A\nup\tadded\t1\tLocal B\n");
    const std::string listed = server.Peer("list");
    EXPECT_NE(listed.find("\tLocal A\n"), std::string::npos) << listed;
    EXPECT_NE(listed.find("\tLocal B\n"), std::string::npos) << listed;
    EXPECT_EQ(listed.find("Not synced"), std::string::npos) << listed;

    // Each side changes and deletes one.
    events = Read();
    events[0]->SetWindowMessage("Local A moved");
    const std::string uidB = events[1]->Uid();
    ASSERT_FALSE(uidB.empty());
    Save(events);
    server.Peer("change p1 'Peer one moved'");
    server.Peer("delete '" + uidB + "'");
    run = Sync(server.Url());
    ASSERT_EQ(run.Exit, 0) << run.Err;
    EXPECT_EQ(run.Out, "down\tchanged\t2\tPeer one moved\ndown\tdeleted\t1\tLocal B\n"
                       "up\tchanged\t0\tLocal A moved\n");
    EXPECT_EQ(Descriptions(),
              (std::vector<std::string>{"Local A moved", "Not synced", "Peer one moved"}));

    events = Read();
    events.erase(events.begin() + 2);
    Save(events);
    run = Sync(server.Url());
    ASSERT_EQ(run.Exit, 0) << run.Err;
    EXPECT_EQ(run.Out, "up\tdeleted\t-\t" + server.Url().substr(server.Url().find("/reminder/")) +
                           "p1.ics\n");
    EXPECT_EQ(server.Peer("list").find("Peer one"), std::string::npos);

    // Nothing moved since: nothing to say, and the file is left alone.
    const std::string before = test::ReadWholeFile(dir.File("events.evn"));
    run = Sync(server.Url());
    EXPECT_EQ(run.Exit, 0) << run.Err;
    EXPECT_EQ(run.Out, "");
    EXPECT_EQ(test::ReadWholeFile(dir.File("events.evn")), before);
}

TEST_F(CalDavSyncCliTest, AConflictKeepsTheServersVersionInPlaceAndOursAsACopy) {
    CalDavServer& server = Shared();
    ASSERT_TRUE(server.Up());
    TOwnedEvents events;
    events.push_back(Event("Meeting"));
    Save(events);
    ASSERT_EQ(Sync(server.Url()).Exit, 0);

    events = Read();
    const std::string uid = events[0]->Uid();
    events[0]->SetWindowMessage("Meeting here");
    Save(events);
    server.Peer("change '" + uid + "' 'Meeting there'");
    TCliRun run = Sync(server.Url());
    ASSERT_EQ(run.Exit, 0) << run.Err;
    EXPECT_EQ(run.Out, "down\tconflict\t0\tMeeting there\n");
    EXPECT_NE(run.Err.find("kept as copies"), std::string::npos) << run.Err;
    events = Read();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0]->Description(), "Meeting there");
    EXPECT_EQ(events[0]->Uid(), uid);
    EXPECT_EQ(events[1]->Description(), "Meeting here");
    EXPECT_NE(events[1]->Uid(), uid);

    // The copy stays here until it is edited, and then goes up as an event of its own.
    run = Sync(server.Url());
    EXPECT_EQ(run.Out, "");
    EXPECT_EQ(server.Peer("list").find("Meeting here"), std::string::npos);
    events[1]->SetWindowMessage("Meeting here, edited");
    Save(events);
    run = Sync(server.Url());
    ASSERT_EQ(run.Exit, 0) << run.Err;
    EXPECT_EQ(run.Out, "up\tadded\t1\tMeeting here, edited\n");
    const std::string listed = server.Peer("list");
    EXPECT_NE(listed.find("\tMeeting there\n"), std::string::npos) << listed;
    EXPECT_NE(listed.find("\tMeeting here, edited\n"), std::string::npos) << listed;
}

TEST_F(CalDavSyncCliTest, ASyncCutOffHalfWayLosesNothingAndTheNextCompletes) {
    CalDavServer server({"--cut-after", "12"});
    ASSERT_TRUE(server.Up());
    TOwnedEvents events;
    for (int i = 0; i < 30; ++i)
        events.push_back(Event("Event " + std::to_string(i), 1 + i % 28));
    Save(events);
    server.Peer("add p1 'From the server'");

    TCliRun run = Sync(server.Url());
    EXPECT_EQ(run.Exit, 1);
    EXPECT_NE(run.Err.find(server.Url()), std::string::npos) << run.Err;
    ASSERT_EQ(Read().size(), 31u);

    run = Sync(server.DirectUrl());
    ASSERT_EQ(run.Exit, 0) << run.Err;
    EXPECT_EQ(run.Out.find("conflict"), std::string::npos) << run.Out;
    const std::vector<std::string> local = Descriptions();
    ASSERT_EQ(local.size(), 31u);
    const std::string listed = server.Peer("list");
    EXPECT_EQ(std::count(listed.begin(), listed.end(), '\n'), 31) << listed;
    for (const std::string& d : local)
        EXPECT_NE(listed.find("\t" + d + "\n"), std::string::npos) << d;
    EXPECT_EQ(Sync(server.DirectUrl()).Out, "");
}

TEST_F(CalDavSyncCliTest, ArrivingProgramsAreHeldUntilConfirmed) {
    CalDavServer& server = Shared();
    ASSERT_TRUE(server.Up());
    TOwnedEvents events;
    // A message of two lines: what travels in DESCRIPTION must still match the record.
    events.push_back(Event("Backup\r\nevery night"));
    auto launch = std::make_unique<TLaunchAppEventAction>();
    launch->SetFileName("/usr/bin/backup");
    events[0]->EventAction().Actions().Add(std::move(launch));
    Save(events);
    ASSERT_EQ(Sync(server.Url()).Exit, 0);

    // Another computer: the event arrives, its program does not run before it is confirmed.
    Save({});
    std::filesystem::remove(dir.File("events.evn.caldav"));
    TCliRun run = Sync(server.Url());
    ASSERT_EQ(run.Exit, 0) << run.Err;
    EXPECT_EQ(run.Out, "down\tadded\t0\tBackup\n");
    EXPECT_NE(run.Err.find("held until confirmed"), std::string::npos) << run.Err;
    EXPECT_EQ(OutsideActions({Read()[0].get()}).size(), 0u);
    // The server keeps it for the computers that have confirmed it; until this one does, each
    // sync says it waits and how to keep it.
    run = Sync(server.Url());
    EXPECT_EQ(run.Out, "");
    EXPECT_NE(run.Err.find("held until confirmed: Backup: Open /usr/bin/backup"), std::string::npos)
        << run.Err;
    EXPECT_NE(run.Err.find("--keep-actions"), std::string::npos) << run.Err;

    // Edited here while its program waits: the edit goes up with the server's program in it,
    // for the computers that have it.
    TOwnedEvents edited = Read();
    const std::string uid = edited[0]->Uid();
    edited[0]->SetWindowMessage("Backup\r\nevery morning");
    Save(edited);
    run = Sync(server.Url());
    ASSERT_EQ(run.Exit, 0) << run.Err;
    EXPECT_EQ(run.Out, "up\tchanged\t0\tBackup\n");
    const std::string record = server.Peer("record '" + uid + "'");
    EXPECT_NE(record.find("/usr/bin/backup"), std::string::npos) << record;
    EXPECT_NE(record.find("every morning"), std::string::npos) << record;
    EXPECT_EQ(OutsideActions({Read()[0].get()}).size(), 0u);

    // Kept: the program is back, nothing goes up for it, and nothing is held any more.
    run = RunCli(dir,
                 {"sync", "--events", dir.File("events.evn"), "--url", server.Url(), "--user",
                  "reminder", "--keep-actions"},
                 {"KELVO_CALDAV_PASSWORD=secret"});
    ASSERT_EQ(run.Exit, 0) << run.Err;
    EXPECT_EQ(run.Out, "");
    EXPECT_NE(run.Err.find("kept: Backup: Open /usr/bin/backup"), std::string::npos) << run.Err;
    EXPECT_EQ(OutsideActions({Read()[0].get()}).size(), 1u);
    EXPECT_NE(Read()[0]->WindowMessage().find("every morning"), std::string::npos);
    run = Sync(server.Url());
    EXPECT_EQ(run.Out, "");
    EXPECT_EQ(run.Err, "");
    EXPECT_EQ(RunCli(dir, {"sync", "--keep-actions"}).Exit, 64);
}

TEST_F(CalDavSyncCliTest, ABrokenServerFailsOnlyWhatItBrokeAndNamesIt) {
    TOwnedEvents events;
    events.push_back(Event("Mine", 5, "Work"));
    Save(events);
    // One server, turned from one way of breaking to the next.
    CalDavServer server({"--garbage", "parse"});
    ASSERT_TRUE(server.Up());
    TCliRun run = Sync(server.Url());
    EXPECT_EQ(run.Exit, 1);
    EXPECT_EQ(run.Out, "down\tadded\t1\tGood one\n");
    EXPECT_NE(run.Err.find("/cal/bad.ics"), std::string::npos) << run.Err;
    EXPECT_EQ(Descriptions(), (std::vector<std::string>{"Mine", "Good one"}));

    // https to a server that speaks none: said as such, not as a certificate problem.
    const std::string https = "https" + server.Url().substr(4);
    run = Sync(https);
    EXPECT_EQ(run.Exit, 1);
    EXPECT_NE(run.Err.find(https + ": no TLS connection could be made"), std::string::npos)
        << run.Err;

    ASSERT_TRUE(server.SetMode("huge"));
    run = Sync(server.Url());
    EXPECT_EQ(run.Exit, 1);
    EXPECT_NE(run.Err.find("/cal/bad.ics: the server's answer is larger than"), std::string::npos)
        << run.Err;
    const std::string before = test::ReadWholeFile(dir.File("events.evn"));
    for (const char* mode : {"garbage-listing", "redirect"}) {
        ASSERT_TRUE(server.SetMode(mode));
        run = Sync(server.Url());
        EXPECT_EQ(run.Exit, 1) << mode;
        EXPECT_EQ(run.Out, "") << mode;
        EXPECT_NE(run.Err.find(server.Url()), std::string::npos) << run.Err;
        EXPECT_NE(
            run.Err.find(std::string(mode) == "redirect" ? "redirections" : "not a WebDAV listing"),
            std::string::npos)
            << run.Err;
    }
    EXPECT_EQ(test::ReadWholeFile(dir.File("events.evn")), before);
}

TEST_F(CalDavSyncCliTest, TheServersCertificateIsCheckedBeforeThePasswordGoes) {
    CalDavServer server({"--tls"});
    ASSERT_TRUE(server.Up());
    TOwnedEvents events;
    events.push_back(Event("Over TLS"));
    Save(events);
    const std::string before = test::ReadWholeFile(dir.File("events.evn"));
    const auto sync = [&](const std::string& url, std::vector<std::string> env) {
        env.push_back("KELVO_CALDAV_PASSWORD=secret");
        return RunCli(
            dir, {"sync", "--events", dir.File("events.evn"), "--url", url, "--user", "reminder"},
            env);
    };
    // Self-signed, as the system's certificates see it.
    TCliRun run = sync(server.Url(), {"SSL_CERT_FILE=" + dir.File("no-such.pem")});
    EXPECT_EQ(run.Exit, 1);
    EXPECT_NE(run.Err.find("trusted certificates cannot be read"), std::string::npos) << run.Err;
    run = sync(server.Url(), {});
    EXPECT_EQ(run.Exit, 1);
    EXPECT_NE(run.Err.find(server.Url() + ": the server's certificate is not trusted"),
              std::string::npos)
        << run.Err;
    // Trusted, but made for another name than the one asked for.
    const std::string trusted = "SSL_CERT_FILE=" + server.Certificate();
    run = sync(server.Url(), {trusted});
    EXPECT_EQ(run.Exit, 1);
    EXPECT_NE(run.Err.find("certificate is not trusted"), std::string::npos) << run.Err;
    EXPECT_EQ(run.Out, "");
    EXPECT_EQ(test::ReadWholeFile(dir.File("events.evn")), before);

    const std::string byName =
        "https://localhost:" + std::to_string(server.Port()) + "/reminder/work/";
    run = sync(byName, {trusted});
    ASSERT_EQ(run.Exit, 0) << run.Err;
    EXPECT_EQ(run.Out, "up\tadded\t0\tOver TLS\n");
    EXPECT_NE(server.Peer("list").find("\tOver TLS\n"), std::string::npos);
}

TEST_F(CalDavSyncCliTest, AnHttpsServerIsFollowedOnlyWhereTheConnectionStaysHttps) {
    CalDavServer server({"--tls", "--redirect"});
    ASSERT_TRUE(server.Up());
    TOwnedEvents events;
    events.push_back(Event("Moved"));
    Save(events);
    const std::string before = test::ReadWholeFile(dir.File("events.evn"));
    const std::string front = "https://localhost:" + std::to_string(server.Port());
    const auto sync = [&](const std::string& path) {
        return RunCli(dir,
                      {"sync", "--events", dir.File("events.evn"), "--url", front + path, "--user",
                       "reminder"},
                      {"KELVO_CALDAV_PASSWORD=secret", "SSL_CERT_FILE=" + server.Certificate()});
    };
    // Sent on to plain http: neither the password nor anything else goes there.
    TCliRun run = sync("/plain/work/");
    EXPECT_EQ(run.Exit, 1);
    EXPECT_NE(run.Err.find(front + "/plain/work/: the server redirects to http://127.0.0.1:"),
              std::string::npos)
        << run.Err;
    EXPECT_EQ(run.Out, "");
    EXPECT_EQ(server.Heard(), "0 0\n");
    EXPECT_EQ(test::ReadWholeFile(dir.File("events.evn")), before);

    // Moved within https: followed, and the next sync finds it where it moved.
    run = sync("/moved/work/");
    ASSERT_EQ(run.Exit, 0) << run.Err;
    EXPECT_EQ(run.Out, "up\tadded\t0\tMoved\n");
    EXPECT_NE(server.Peer("list").find("\tMoved\n"), std::string::npos);
    run = sync("/moved/work/");
    EXPECT_EQ(run.Exit, 0) << run.Err;
    EXPECT_EQ(run.Out, "");
}

TEST_F(CalDavSyncCliTest, ExitCodes) {
    test::WriteWholeFile(dir.File("events.evn"), "not an events file");
    EXPECT_EQ(Sync("http://127.0.0.1:9/cal/").Exit, 2);
    // No running program and no --events.
    const TCliRun run = RunCli(dir, {"sync"});
    EXPECT_EQ(run.Exit, 1);
    EXPECT_NE(run.Err.find("--events"), std::string::npos) << run.Err;
    // A password never goes in clear text to another machine.
    Save({});
    const TCliRun clear =
        RunCli(dir, {"sync", "--events", dir.File("events.evn"), "--url", "http://192.0.2.1/cal/"},
               {"KELVO_CALDAV_PASSWORD=secret"});
    EXPECT_EQ(clear.Exit, 1);
    EXPECT_NE(clear.Err.find("needs TLS"), std::string::npos) << clear.Err;
    // This machine is no other: the password may go to it without TLS (nothing listens on
    // port 9, so the connection itself fails).
    for (const char* url : {"http://localhost:9/cal/", "http://[::1]:9/cal/",
                            "http://127.0.0.1:9/cal/", "http://LocalHost:9/cal/"}) {
        const TCliRun local =
            RunCli(dir, {"sync", "--events", dir.File("events.evn"), "--url", url},
                   {"KELVO_CALDAV_PASSWORD=secret"});
        EXPECT_EQ(local.Exit, 1) << url;
        EXPECT_EQ(local.Err.find("needs TLS"), std::string::npos) << local.Err;
        EXPECT_NE(local.Err.find(":9/cal/"), std::string::npos) << local.Err;
    }
}

} // namespace
} // namespace kelvo
