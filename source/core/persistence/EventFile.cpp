#include "core/persistence/EventFile.h"

#include "core/entities/EventTemplate.h"
#include "core/entities/Reminder.h"
#include "core/os/paPosixFile.h"

#include <cerrno>
#include <cstring>

namespace kelvo {

void RegisterEntityClasses(TClassRegistry& registry) {
    RegisterEventActionClasses(registry);
    RegisterConditionClasses(registry);
    RegisterClasses<TEvent, TReminder, TEventTemplate>(registry);
}

namespace {
constexpr std::size_t ReserveAfterRecords = 256;
constexpr std::size_t ReleaseStep = std::size_t{4} << 20;
// Files name these classes from the start.
const bool registered = (RegisterEntityClasses(), true);
} // namespace

TOwnedEvents ReadEvents(std::string_view bytes, IDataFileHost& host, TDataFileReport& report,
                        const TClassRegistry& registry) {
    TStreamView stream{bytes};
    TClassReader reader(stream, true, registry);
    TOwnedEvents events;
    report =
        ReadDataFile<EEventFileError>(stream, reader, EventsFileFormat, host, [&](TClassReader& r) {
            auto event = r.RequireObject<TEvent>();
            events.push_back(std::move(event));
        });
    return events;
}

std::unique_ptr<TMappedFile> MapEventsFile(const std::string& fileName) {
    auto file = std::make_unique<TMappedFile>(fileName);
    if (!HasDataFileHeader(file->Bytes(), EventsFileFormat))
        throw EEventFileError(std::string(EventsFileFormat.BadHeader));
    return file;
}

TOwnedEvents ReadMappedEvents(TMappedFile& file, IDataFileHost& host, TDataFileReport& report,
                              const TClassRegistry& registry) {
    TStreamView stream{file.Bytes()};
    TClassReader reader(stream, true, registry);
    TOwnedEvents events;
    // The events take about two thirds of their file's size.
    const os::THeapGrowth growth(file.Bytes().size() / 3 * 2);
    std::size_t released = 0;
    report =
        ReadDataFile<EEventFileError>(stream, reader, EventsFileFormat, host, [&](TClassReader& r) {
            // Nothing before the record being read is looked at again, not even to mend a
            // damaged one.
            const std::size_t recordStart = r.Position();
            if (recordStart - released >= ReleaseStep) {
                // Whole pages only: the one holding recordStart stays.
                const std::size_t upTo = recordStart / ReleaseStep * ReleaseStep;
                file.Release(released, upTo);
                released = upTo;
            }
            auto event = r.RequireObject<TEvent>();
            events.push_back(std::move(event));
        });
    return events;
}

TOwnedEvents ReadEvents(std::string_view bytes, IDataFileHost& host,
                        const TClassRegistry& registry) {
    TDataFileReport report;
    return ReadEvents(bytes, host, report, registry);
}

std::string ReadEventsFileBytes(const std::string& fileName) {
    return ReadDataFileBytes<EEventFileError>(fileName, EventsFileFormat);
}

TOwnedEvents LoadEventsFile(const std::string& fileName, IDataFileHost& host,
                            const TClassRegistry& registry) {
    return ReadEvents(ReadEventsFileBytes(fileName), host, registry);
}

bool EventsReadBackCompletely(std::string_view bytes) {
    TAnswerNoHost host;
    TDataFileReport report;
    try {
        ReadEvents(bytes, host, report);
    } catch (const std::exception&) {
        return false;
    }
    return !report.Damaged();
}

int RemoveIncompleteEventSaves(const std::string& fileName) {
    return RemoveIncompleteSaves(fileName, EventsReadBackCompletely);
}

void WriteEvents(const TEventList& events, std::string& out) {
    TClassWriter writer(out);
    WriteDataFileHeader(writer, EventsFileFormat);
    const auto& all = events.Events();
    const std::size_t start = out.size();
    std::size_t written = 0;
    for (const TEvent* e : all) {
        WriteRecordMarker(writer, EventsFileFormat);
        writer.WriteObject(*e);
        // Growing by doubling copies a big notebook's bytes several times over and touches
        // twice its memory: the room is taken once, from what the first records need.
        if (++written == ReserveAfterRecords && all.size() > written) {
            const std::size_t perRecord = (out.size() - start) / written + 1;
            out.reserve(out.size() + perRecord * (all.size() - written) * 9 / 8);
            os::AdviseLargePages(out.data() + out.size(), out.capacity() - out.size());
        }
    }
}

void WriteEvents(const TEventList& events, const TBytesWriter& write, std::size_t pieceSize) {
    std::string piece;
    piece.reserve(pieceSize + pieceSize / 4);
    TClassWriter writer(piece);
    WriteDataFileHeader(writer, EventsFileFormat);
    for (const TEvent* e : events.Events()) {
        WriteRecordMarker(writer, EventsFileFormat);
        writer.WriteObject(*e);
        if (piece.size() >= pieceSize) {
            write(piece);
            piece.clear();
        }
    }
    if (!piece.empty())
        write(piece);
}

std::string WriteEvents(const TEventList& events) {
    std::string out;
    WriteEvents(events, out);
    return out;
}

void WriteDataFileBytes(const std::string& fileName, std::string_view bytes) {
    const int fd = os::Open(fileName, os::ofWrite | os::ofCreate | os::ofTruncate, 0600);
    if (fd < 0)
        throw EFileError("Cannot create " + fileName, std::strerror(errno), errno);
    while (!bytes.empty()) {
        const auto n = os::Write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int error = errno;
            os::Close(fd);
            throw EFileError("Cannot write " + fileName, std::strerror(error), error);
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    if (os::Close(fd) != 0)
        throw EFileError("Cannot write " + fileName, std::strerror(errno), errno);
}

void SaveEventsFile(const std::string& fileName, const TEventList& events) {
    WriteDataFileBytes(fileName, WriteEvents(events));
}

void SafeSaveEventsFile(const std::string& fileName, const TEventList& events, TDateTime now,
                        TDateOrder order) {
    // A notebook of a million events writes about 850 MB: never held whole.
    SafeSave(
        fileName, [&](const TBytesWriter& write) { WriteEvents(events, write); }, now, order);
}

} // namespace kelvo
