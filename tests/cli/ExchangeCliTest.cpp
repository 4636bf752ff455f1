// kelvo-cli's export and import as scripts use them: every format round trip keeps when
// events arise, CSV reads back in a spreadsheet's reader cell for cell, and the exit codes.

#include "cli/CliProcess.h"
#include "core/exchange/Csv.h"
#include "support/ConditionKinds.h"

#include <gtest/gtest.h>
#include <regex>

namespace kelvo {
namespace {

using test::RunCli;
using test::SaveEvents;

class ExchangeCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        samples_ = samples::EveryConditionKind();
        for (auto& s : samples_)
            events_.push_back(s.Event.get());
        file_ = SaveEvents(dir, events_);
    }

    TOwnedEvents Read(const std::string& name) {
        TAnswerNoHost host;
        return LoadEventsFile(dir.File(name), host);
    }

    // Each imported event arises as the sample it came from over 2027.
    void ExpectSameArisings(const TOwnedEvents& imported) {
        ASSERT_EQ(imported.size(), samples_.size());
        for (std::size_t i = 0; i < samples_.size(); ++i) {
            SCOPED_TRACE(samples_[i].Event->Description());
            EXPECT_EQ(imported[i]->Description(), samples_[i].Event->Description());
            const auto want =
                samples::ArisingsOver(*samples_[i].Event, EncodeDate(2027, 1, 1), 365);
            EXPECT_FALSE(want.empty());
            EXPECT_EQ(samples::ArisingsOver(*imported[i], EncodeDate(2027, 1, 1), 365), want);
        }
    }

    test::TempDir dir;
    std::vector<samples::TKindSample> samples_;
    std::vector<TEvent*> events_;
    std::string file_;
};

TEST_F(ExchangeCliTest, EveryFormatRoundTripKeepsTheArisings) {
    for (const char* format : {"ics", "evn"}) {
        SCOPED_TRACE(format);
        const std::string out = dir.File(std::string("all.") + format);
        const auto exported = RunCli(dir, {"export", "--output", out, "--events", file_});
        ASSERT_EQ(exported.Exit, 0) << exported.Err;
        const auto imported = RunCli(dir, {"import", out, "--save", dir.File("back.evn")});
        ASSERT_EQ(imported.Exit, 0) << imported.Err;
        ExpectSameArisings(Read("back.evn"));
    }

    // Without the events' own records, RRULE, EXDATE and VALARM alone say the same.
    const auto ics = RunCli(dir, {"export", "--format", "ics", "--events", file_});
    ASSERT_EQ(ics.Exit, 0) << ics.Err;
    const std::string plain =
        std::regex_replace(ics.Out, std::regex("X-KELVO-EVENT:[^\n]*\n( [^\n]*\n)*"), "");
    ASSERT_EQ(plain.find("X-KELVO"), std::string::npos);
    EXPECT_NE(plain.find("RRULE:FREQ=MONTHLY;BYDAY=-1FR"), std::string::npos) << plain;
    test::WriteWholeFile(dir.File("plain.ics"), plain);
    const auto imported =
        RunCli(dir, {"import", dir.File("plain.ics"), "--save", dir.File("plain.evn")});
    EXPECT_EQ(imported.Exit, 0) << imported.Err;
    ExpectSameArisings(Read("plain.evn"));
}

TEST_F(ExchangeCliTest, ExportedUidsAreStableAndImportKeepsThem) {
    const auto first = RunCli(dir, {"export", "--events", file_, "--format", "ICS"});
    const auto second = RunCli(dir, {"export", "--events", file_, "--format", "ics"});
    ASSERT_EQ(first.Exit, 0) << first.Err;
    std::smatch uid;
    ASSERT_TRUE(std::regex_search(first.Out, uid, std::regex("UID:([^\r\n]+)")));
    EXPECT_NE(second.Out.find("UID:" + uid[1].str()), std::string::npos);
    test::WriteWholeFile(dir.File("one.ics"), first.Out);
    ASSERT_EQ(RunCli(dir, {"import", dir.File("one.ics"), "--save", dir.File("one.evn")}).Exit, 0);
    EXPECT_EQ(Read("one.evn").front()->Uid(), uid[1].str());
    // Events that never went through iCalendar keep writing no UID at all.
    EXPECT_EQ(test::ReadWholeFile(file_).find("UID"), std::string::npos);
}

TEST_F(ExchangeCliTest, CsvReadsBackCellForCell) {
    auto formula = samples::KindEvent("=HYPERLINK(\"http://x\",\"y\")",
                                      std::make_unique<TOnceDateCondition>(), samples::At(9, 0));
    auto quoted = samples::KindEvent("Say \"cheese\", Ann", std::make_unique<TOnceDateCondition>(),
                                     samples::At(9, 0));
    quoted->SetTemplate("Fotos, Familie – groß");
    events_.push_back(formula.get());
    events_.push_back(quoted.get());
    file_ = SaveEvents(dir, events_);
    const auto run = RunCli(dir, {"export", "--output", dir.File("list.CSV"), "--events", file_});
    ASSERT_EQ(run.Exit, 0) << run.Err;
    const std::string bytes = test::ReadWholeFile(dir.File("list.CSV"));
    ASSERT_TRUE(
        bytes.starts_with("\xEF\xBB\xBF\"Name\",\"Last event\",\"Next event\",\"Next reminder\","
                          "\"Until event\",\"Template\",\"State\",\"When\"\r\n"));

    // Python's csv module gives the cells one per line, rows ended by an empty line.
    const std::string script =
        "import csv,sys\n"
        "for row in csv.reader(open(sys.argv[1], newline='', encoding='utf-8-sig')):\n"
        "    print('\\x1f'.join(row).replace('\\n', '\\\\n'))\n";
    test::WriteWholeFile(dir.File("read.py"), script);
    const std::string command = "python3 " + test::ShellQuote(dir.File("read.py")) + " " +
                                test::ShellQuote(dir.File("list.CSV")) + " > " +
                                test::ShellQuote(dir.File("cells"));
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::string want;
    for (const std::string& c : EventListCaptions())
        want += (want.empty() ? "" : "\x1f") + c;
    want += "\n";
    const TDateTime now = Now();
    for (TEvent* e : events_) {
        std::string line;
        for (std::string c : EventListCells(*e, now, now)) {
            if (c.starts_with("="))
                c = "'" + c; // the one difference allowed: a formula cannot run
            line += (line.empty() ? "" : "\x1f") + c;
        }
        want += line + "\n";
    }
    EXPECT_EQ(test::ReadWholeFile(dir.File("cells")), want);
}

TEST_F(ExchangeCliTest, ExportOfAWindowHoldsOnlyWhatArisesInIt) {
    const auto run = RunCli(dir, {"export", "--format", "csv", "--from", "2027-05-17", "--days",
                                  "1", "--events", file_});
    ASSERT_EQ(run.Exit, 0) << run.Err;
    // Monday 17 May 2027: once, hourly, twice a day, by minute (a Monday), weekly (an odd week).
    for (const char* name : {"\"Once\"", "\"Hourly\"", "\"Twice a day\"", "\"By minute\""})
        EXPECT_NE(run.Out.find(name), std::string::npos) << name;
    for (const char* name : {"\"Daily\"", "\"Yearly\"", "\"Birthday\"", "\"Last Friday\""})
        EXPECT_EQ(run.Out.find(name), std::string::npos) << name;
}

TEST_F(ExchangeCliTest, ZonesBecomeLocalTimeAndUnmappedContentIsReported) {
    test::WriteWholeFile(dir.File("zone.ics"),
                         "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\n"
                         "BEGIN:VEVENT\r\nUID:call@example.org\r\n"
                         "DTSTART;TZID=America/New_York:20270302T090000\r\n"
                         "RRULE:FREQ=WEEKLY;COUNT=3\r\nSUMMARY:Call New York\r\n"
                         "LOCATION:Phone\r\nEND:VEVENT\r\n"
                         "BEGIN:VEVENT\r\nUID:utc@example.org\r\nDTSTART:20270302T120000Z\r\n"
                         "SUMMARY:At noon UTC\r\nEND:VEVENT\r\n"
                         "BEGIN:VTODO\r\nUID:todo@example.org\r\nSUMMARY:Task\r\nEND:VTODO\r\n"
                         "END:VCALENDAR\r\n");
    const auto run = RunCli(dir, {"import", dir.File("zone.ics"), "--save", dir.File("zone.evn")},
                            {"TZ=Europe/Berlin"});
    EXPECT_EQ(run.Exit, 3);
    EXPECT_NE(run.Err.find("\"Call New York\": LOCATION is not kept"), std::string::npos)
        << run.Err;
    EXPECT_NE(run.Err.find("VTODO is not imported"), std::string::npos) << run.Err;
    const auto next = RunCli(
        dir, {"next", "--from", "2027-03-01", "--count", "4", "--events", dir.File("zone.evn")},
        {"TZ=Europe/Berlin"});
    // New York is six hours behind Berlin in early March; noon UTC is 13:00 in Berlin.
    EXPECT_EQ(next.Out, "2027-03-02 13:00:00\tevent\t1\tAt noon UTC\n"
                        "2027-03-02 15:00:00\tevent\t0\tCall New York\n"
                        "2027-03-09 15:00:00\tevent\t0\tCall New York\n"
                        "2027-03-16 15:00:00\tevent\t0\tCall New York\n");
}

TEST_F(ExchangeCliTest, ExitCodes) {
    auto usage = [&](const std::vector<std::string>& args) {
        const auto run = RunCli(dir, args);
        EXPECT_EQ(run.Exit, 64) << args[0] << " " << args[1] << ": " << run.Err;
    };
    usage({"export", "--format", "evn", "--events", file_});
    usage({"export", "--format", "pdf", "--events", file_});
    usage({"export", "--output", dir.File("x.txt"), "--events", file_});
    usage({"import", file_});
    usage({"import", file_, "--save", file_});
    usage({"import", file_, "--save", dir.File("data/Brennikor/Tavrelon/kelvo-rem.evn")});

    EXPECT_EQ(RunCli(dir, {"import", dir.File("missing.ics"), "--save", dir.File("o.evn")}).Exit,
              2);
    test::WriteWholeFile(dir.File("f.hld"),
                         "01-01 New Year\n12-25 Christmas\n2027-04-02 Good Friday\n"
                         "13-01 Nothing\n01-01 New Year\n");
    const auto holidays = RunCli(dir, {"import", dir.File("f.hld"), "--save", dir.File("h.evn")});
    EXPECT_EQ(holidays.Exit, 3);
    EXPECT_NE(holidays.Err.find("line 4"), std::string::npos) << holidays.Err;
    EXPECT_EQ(Read("h.evn").size(), 3u); // the second New Year is the first one
    // A failure to write outranks what could not be carried over.
    EXPECT_EQ(
        RunCli(dir, {"import", dir.File("f.hld"), "--save", dir.File("no/such/dir/h.evn")}).Exit,
        1);
}

} // namespace
} // namespace kelvo
