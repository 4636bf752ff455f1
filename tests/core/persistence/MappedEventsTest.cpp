// An events file read through its mapping, the pages behind the reading given back, reads as
// the same bytes read whole: damaged records past the pages given back included.

#include "core/persistence/EventFile.h"
#include "support/EntitySamples.h"
#include "support/RecordingDataFileHost.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace kelvo::test {
namespace {

std::string Written(const TOwnedEvents& events) {
    TEventList list;
    for (const auto& e : events)
        list.Add(*e);
    return WriteEvents(list);
}

TEST(MappedEvents, ReadLikeTheWholeBytesAlsoWhereDamagedAndCutShort) {
    const std::string sound = Written(samples::VariedEvents(6000));
    ASSERT_GT(sound.size(), std::size_t{9} << 20);
    std::string damaged = sound;
    // A class name broken past the first pages given back, another one further on, and
    // the last record cut short.
    for (std::size_t at : {std::size_t{5} << 20, std::size_t{9} << 20}) {
        const std::size_t name = damaged.find("TSimpleInitializeCondition", at);
        ASSERT_NE(name, std::string::npos);
        damaged[name + 3] = '#';
    }
    damaged.resize(damaged.size() - 40);

    TempDir dir;
    for (const std::string* bytes : {&sound, static_cast<const std::string*>(&damaged)}) {
        WriteWholeFile(dir.File("events.evn"), *bytes);
        RecordingDataFileHost wholeHost, mappedHost;
        TDataFileReport wholeReport, mappedReport;
        const TOwnedEvents whole = ReadEvents(*bytes, wholeHost, wholeReport);
        const auto file = MapEventsFile(dir.File("events.evn"));
        const TOwnedEvents mapped = ReadMappedEvents(*file, mappedHost, mappedReport);
        EXPECT_EQ(mapped.size(), whole.size());
        EXPECT_TRUE(Written(mapped) == Written(whole));
        EXPECT_EQ(mappedHost.Errors, wholeHost.Errors);
        EXPECT_EQ(mappedReport.RecordsSkipped, wholeReport.RecordsSkipped);
        EXPECT_EQ(mappedReport.EndedEarly, wholeReport.EndedEarly);
        if (bytes == &damaged) {
            EXPECT_GE(wholeReport.RecordsSkipped, 1);
            EXPECT_LT(whole.size(), std::size_t{6000});
            EXPECT_TRUE(wholeReport.EndedEarly);
        } else {
            EXPECT_TRUE(Written(mapped) == sound);
        }
    }
}

// Nothing read keeps pointing into the mapping: the events outlive it and the file's
// replacement unchanged.
TEST(MappedEvents, EventsStayIntactWhenTheFileIsUnmappedAndReplaced) {
    const std::string bytes = Written(samples::VariedEvents(300));
    TempDir dir;
    const std::string name = dir.File("events.evn");
    WriteWholeFile(name, bytes);
    RecordingDataFileHost host;
    TDataFileReport report;
    TOwnedEvents events;
    {
        const auto file = MapEventsFile(name);
        events = ReadMappedEvents(*file, host, report);
    }
    WriteWholeFile(name, std::string(bytes.size(), 'x'));
    ASSERT_EQ(events.size(), 300u);
    EXPECT_TRUE(Written(events) == bytes);
}

TEST(MappedEvents, AFileWithoutTheHeaderIsRefusedBeforeItIsRead) {
    TempDir dir;
    for (const char* bytes : {"", "not an events file"}) {
        WriteWholeFile(dir.File("other.evn"), bytes);
        EXPECT_THROW(MapEventsFile(dir.File("other.evn")), EEventFileError);
    }
    EXPECT_THROW(MapEventsFile(dir.File("missing.evn")), EFileError);
}

} // namespace
} // namespace kelvo::test
