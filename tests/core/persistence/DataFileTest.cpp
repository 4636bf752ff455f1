#include "core/persistence/DataFile.h"

#include "support/RecordingDataFileHost.h"
#include "support/StreamTestHelpers.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace kelvo::test {
namespace {

class ENotebookTestError : public EpaError {
public:
    using EpaError::EpaError;
};

class DataFileTest : public StreamTest {
protected:
    static std::string EventsFile(const std::vector<int>& counts, std::int32_t version = 1) {
        std::string out;
        TClassWriter w(out);
        w.WriteString(EventsFileFormat.Header);
        w.WriteInteger(version);
        for (int count : counts) {
            TEvent e;
            e.SetCount(count);
            WriteRecordMarker(w, EventsFileFormat);
            w.WriteObject(e);
        }
        return out;
    }

    std::vector<int> Load(std::string_view bytes, IDataFileHost& host) {
        TStreamView stream{bytes};
        TClassReader reader(stream, true, Registry);
        std::vector<int> counts;
        ReadDataFile<ENotebookTestError>(
            stream, reader, EventsFileFormat, host,
            [&](TClassReader& r) { counts.push_back(r.RequireObject<TEvent>()->Count()); });
        return counts;
    }
};

TEST_F(DataFileTest, EmptyEventsFileIs32Bytes) {
    std::string out;
    TClassWriter w(out);
    WriteDataFileHeader(w, EventsFileFormat);
    TBytes expected;
    expected.Raw(std::string("\x05\x16\x00\x00\x00", 5))
        .Raw("Reminder notebook file")
        .Raw(std::string("\x02\x01\x00\x00\x00", 5));
    EXPECT_EQ(out.size(), 32u);
    EXPECT_EQ(Hex(out), Hex(expected.Data));
    TAnswerNoHost host;
    EXPECT_TRUE(Load(out, host).empty());
}

TEST_F(DataFileTest, RecordsAreMarkedAndReadBack) {
    const std::string bytes = EventsFile({1, 2, 3});
    TBytes marker;
    marker.StrValue("RM_BEGIN_EVENT").Begin("TEvent");
    EXPECT_EQ(bytes.substr(32, marker.Data.size()), marker.Data);
    TAnswerNoHost host;
    EXPECT_EQ(Load(bytes, host), (std::vector<int>{1, 2, 3}));
    EXPECT_TRUE(host.Errors.empty());
}

TEST_F(DataFileTest, CorruptRecordBetweenTwoGoodOnesIsReportedOnceAndSkipped) {
    std::string bytes = EventsFile({1, 2, 3});
    const std::size_t second = bytes.find("RM_BEGIN_EVENT", 40);
    const std::size_t middle = bytes.find("Count", second);
    bytes[middle - 5] = 0x0E; // an illegal prefix in the middle of the record
    test::RecordingDataFileHost host(false);
    EXPECT_EQ(Load(bytes, host), (std::vector<int>{1, 3}));
    ASSERT_EQ(host.Errors.size(), 1u);
    EXPECT_EQ(host.Errors[0], "Error in event's file\n\rReading prefix is illegal");
}

TEST_F(DataFileTest, RecordOfAnotherClassFailsAlone) {
    std::string out;
    TClassWriter w(out);
    WriteDataFileHeader(w, EventsFileFormat);
    WriteRecordMarker(w, EventsFileFormat);
    w.WriteObject(TSampleRecord());
    WriteRecordMarker(w, EventsFileFormat);
    w.WriteString("not an object");
    out += EventsFile({4}).substr(32);
    test::RecordingDataFileHost host(false);
    EXPECT_EQ(Load(out, host), (std::vector<int>{4}));
    ASSERT_EQ(host.Errors.size(), 2u);
    EXPECT_EQ(host.Errors[0],
              "Error in event's file\n\rUnexpected class TSampleRecord where TEvent belongs");
    EXPECT_EQ(host.Errors[1],
              "Error in event's file\n\rExpected prefix itObjectBegin but itString found");
}

TEST_F(DataFileTest, MarkerInsideAMessageDoesNotDisturbReading) {
    std::string out;
    TClassWriter w(out);
    WriteDataFileHeader(w, EventsFileFormat);
    TEvent e;
    e.SetMessage("RM_BEGIN_EVENT in my own words");
    WriteRecordMarker(w, EventsFileFormat);
    w.WriteObject(e);
    test::RecordingDataFileHost host(false);
    EXPECT_EQ(Load(out, host), (std::vector<int>{0}));
    EXPECT_TRUE(host.Errors.empty());
}

TEST_F(DataFileTest, HeaderErrorsEndTheLoad) {
    test::RecordingDataFileHost host(true);
    EXPECT_THROW(
        {
            try {
                Load("garbage", host);
            } catch (const ENotebookTestError& e) {
                EXPECT_STREQ(e.what(), "Illegal format of event's file");
                throw;
            }
        },
        ENotebookTestError);
    std::string noVersion = EventsFile({}).substr(0, 27);
    try {
        Load(noVersion, host);
        FAIL();
    } catch (const ENotebookTestError& e) {
        EXPECT_STREQ(e.what(), "Can'not read ");
    }
    std::string wrongHeader = EventsFile({});
    wrongHeader[6] = 'r';
    EXPECT_THROW(Load(wrongHeader, host), ENotebookTestError);
}

TEST_F(DataFileTest, NewerVersionIsReadOnYesAndRefusedOnNo) {
    TBytes future;
    future.Raw(EventsFile({}, 2))
        .StrValue("RM_BEGIN_EVENT")
        .Begin("TEvent")
        .Prop("ComesLater")
        .StrValue("x")
        .Prop("Count")
        .IntValue(8)
        .End("TEvent");
    test::RecordingDataFileHost yes(true);
    EXPECT_EQ(Load(future.Data, yes), (std::vector<int>{8}));
    EXPECT_EQ(yes.Questions,
              (std::vector<std::string>{"This is new version of event's file. Try read?"}));
    TAnswerNoHost no;
    try {
        Load(future.Data, no);
        FAIL() << "a declined newer file must not look like an empty notebook";
    } catch (const ENotebookTestError& e) {
        EXPECT_STREQ(e.what(), "The event's file of a newer version was not read");
    }
}

TEST_F(DataFileTest, ReadingFarMoreThanTheFileHoldsEndsTheLoad) {
    const std::string bytes = EventsFile({1, 2});
    TStreamView stream{bytes};
    TClassReader reader(stream, true, Registry);
    TAnswerNoHost host;
    // A reader that keeps going back over the same record, as damage could make it do.
    auto again = [&](TClassReader& r) {
        const std::size_t start = r.Position();
        for (int i = 0; i < 100000; ++i) {
            r.Seek(start);
            r.RequireObject<TEvent>();
        }
    };
    try {
        ReadDataFile<ENotebookTestError>(stream, reader, EventsFileFormat, host, again);
        FAIL() << "the work was not bounded";
    } catch (const EClassReadingError& e) {
        EXPECT_EQ(e.Reach(), EClassReadingError::TReach::Stream);
    }
    EXPECT_TRUE(host.Errors.empty()) << "not a record error: the whole load fails";
}

TEST_F(DataFileTest, FindMarker) {
    const std::string bytes = "xxMARKyyMARK";
    TStreamView s{bytes};
    EXPECT_TRUE(FindMarker(s, "MARK"));
    EXPECT_EQ(s.Position, 6u);
    EXPECT_TRUE(FindMarker(s, "MARK"));
    EXPECT_EQ(s.Position, 12u);
    EXPECT_FALSE(FindMarker(s, "MARK"));
    s.Position = 3;
    EXPECT_FALSE(FindMarker(s, "ARKy!"));
    EXPECT_TRUE(s.AtEnd());
}

TEST_F(DataFileTest, TruncatedFilesNeverThrowPastTheHeader) {
    const std::string bytes = EventsFile({1, 2, 3});
    std::vector<std::size_t> markerEnds;
    for (std::size_t at = bytes.find("RM_BEGIN_EVENT"); at != std::string::npos;
         at = bytes.find("RM_BEGIN_EVENT", at + 1))
        markerEnds.push_back(at + 14);
    for (std::size_t n = 32; n < bytes.size(); ++n) {
        TAnswerNoHost host;
        const auto counts = Load(bytes.substr(0, n), host);
        const auto markers = static_cast<std::size_t>(std::count_if(
            markerEnds.begin(), markerEnds.end(), [n](auto end) { return end <= n; }));
        EXPECT_EQ(counts.size() + host.Errors.size(), markers) << n;
        EXPECT_LE(host.Errors.size(), 1u) << n;
    }
}

} // namespace
} // namespace kelvo::test
