// What a reader reports about a damaged events file, and which leftovers of saves are
// removed.

#include "core/persistence/EventFile.h"
#include "core/scheduling/SimpleInitializeCondition.h"
#include "support/TestSupport.h"

#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

namespace kelvo::test {
namespace {

std::string Events(const std::vector<std::string>& messages) {
    TOwnedEvents owned;
    TEventList list;
    for (const auto& m : messages) {
        owned.push_back(std::make_unique<TEvent>());
        owned.back()->SetWindowMessage(m);
        owned.back()->InitializeCondition().Conditions().Add(
            std::make_unique<TSimpleInitializeCondition>(EncodeDateTime(2030, 7, 1, 9, 0)));
        list.Add(*owned.back());
    }
    return WriteEvents(list);
}

std::size_t Marker(const std::string& bytes, int n) {
    std::size_t at = 0;
    for (int i = 0; i < n; ++i)
        at = bytes.find("RM_BEGIN_EVENT", i == 0 ? 0 : at + 1);
    return at;
}

TDataFileReport Read(const std::string& bytes, std::size_t* events = nullptr) {
    TAnswerNoHost host;
    TDataFileReport report;
    const std::size_t n = ReadEvents(bytes, host, report).size();
    if (events)
        *events = n;
    EXPECT_EQ(host.Errors.size(), static_cast<std::size_t>(report.RecordsSkipped));
    return report;
}

TEST(DataFileReport, AFileCutShortEndedEarly) {
    const std::string whole = Events({"a", "b", "c", "d", "e"});
    std::size_t events = 0;
    TDataFileReport inRecord = Read(whole.substr(0, Marker(whole, 3) + 30), &events);
    EXPECT_EQ(events, 2u);
    EXPECT_EQ(inRecord.RecordsRead, 2);
    EXPECT_EQ(inRecord.RecordsSkipped, 1);
    EXPECT_TRUE(inRecord.EndedEarly);

    // Cut inside the marker of the next record: nothing failed, yet something is missing.
    TDataFileReport inMarker = Read(whole.substr(0, Marker(whole, 5) - 3), &events);
    EXPECT_EQ(events, 4u);
    EXPECT_EQ(inMarker.RecordsSkipped, 0);
    EXPECT_TRUE(inMarker.EndedEarly);

    EXPECT_FALSE(Read(whole).Damaged());
}

TEST(DataFileReport, AMarkerInsideADamagedRecordIsNotAnotherRecord) {
    std::string bytes = Events({"one", "two RM_BEGIN_EVENT inside", "three", "four"});
    // The second record's class becomes unknown: skipped whole, its text included.
    const std::size_t cls = bytes.find("TEvent", Marker(bytes, 2));
    bytes[cls] = 'X';
    const std::size_t end = bytes.find("TEvent", bytes.find("inside"));
    bytes[end] = 'X';
    std::size_t events = 0;
    const TDataFileReport report = Read(bytes, &events);
    EXPECT_EQ(events, 3u);
    EXPECT_EQ(report.RecordsSkipped, 1);
    EXPECT_FALSE(report.EndedEarly);
}

TEST(DataFileReport, ALengthPastTheEndInsideTheFileIsNotACutFile) {
    std::string bytes = Events({"one", "two", "three"});
    // The second record's message length claims more bytes than the file has.
    const std::size_t text = bytes.find("two");
    bytes[text - 2] = '\x7f';
    std::size_t events = 0;
    const TDataFileReport report = Read(bytes, &events);
    EXPECT_EQ(events, 2u);
    EXPECT_EQ(report.RecordsSkipped, 1);
    EXPECT_FALSE(report.EndedEarly);
}

TEST(DataFileReport, LeftoversOfSavesGoUnlessCompleteOrBeingWritten) {
    TempDir dir;
    const std::string target = dir.File("kelvo-rem.evn");
    const std::string whole = Events({"a", "b", "c"});
    const std::string partial = dir.File("Saving of kelvo-rem made on 01.02.2030 at 10.00.00.evn");
    const std::string complete = dir.File("Saving of kelvo-rem made on 01.02.2030 at 10.00.01.evn");
    const std::string writing = dir.File("Saving of kelvo-rem made on 01.02.2030 at 10.00.02.evn");
    const std::string other = dir.File("Saving of other made on 01.02.2030 at 10.00.00.evn");
    for (const auto& name : {partial, writing, other})
        WriteWholeFile(name, whole.substr(0, whole.size() - 10));
    WriteWholeFile(complete, whole);
    const int fd = ::open(writing.c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0); // as a save in another process holds it

    EXPECT_EQ(RemoveIncompleteEventSaves(target), 1);
    ::close(fd);
    EXPECT_FALSE(std::filesystem::exists(partial));
    EXPECT_TRUE(std::filesystem::exists(complete));
    EXPECT_TRUE(std::filesystem::exists(writing));
    EXPECT_TRUE(std::filesystem::exists(other));
}

} // namespace
} // namespace kelvo::test
