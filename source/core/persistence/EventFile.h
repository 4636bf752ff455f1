#pragma once

// The events file: the header "Reminder notebook file", the version 1, then one record per
// event, each the marker "RM_BEGIN_EVENT" and the event's object entry.

#include "core/entities/Event.h"
#include "core/persistence/DataFile.h"
#include "core/persistence/EventList.h"
#include "core/persistence/SafeSave.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kelvo {

class EEventFileError : public EpaError {
public:
    using EpaError::EpaError;
};

using TOwnedEvents = std::vector<std::unique_ptr<TEvent>>;

// Makes events, reminders, templates and their actions readable from streams.
void RegisterEntityClasses(TClassRegistry& registry = TClassRegistry::Global());

// The events of a whole file. A damaged record is shown through the host and skipped; a
// wrong header, a missing version or a declined newer version is EEventFileError.
// On any error nothing is kept.
TOwnedEvents ReadEvents(std::string_view bytes, IDataFileHost& host,
                        const TClassRegistry& registry = TClassRegistry::Global());
// The same, telling how many records were read and skipped and whether the file ended early.
TOwnedEvents ReadEvents(std::string_view bytes, IDataFileHost& host, TDataFileReport& report,
                        const TClassRegistry& registry = TClassRegistry::Global());
// An events file read through a mapping (the header looked at first, as ReadEventsFileBytes
// does), its pages given back as the reading goes on: a big file and its events are not held
// in full together.
std::unique_ptr<TMappedFile> MapEventsFile(const std::string& fileName);
TOwnedEvents ReadMappedEvents(TMappedFile& file, IDataFileHost& host, TDataFileReport& report,
                              const TClassRegistry& registry = TClassRegistry::Global());
// The header is looked at before the rest is read; only a regular file of at most 1 GiB is
// read (EFileError otherwise).
TOwnedEvents LoadEventsFile(const std::string& fileName, IDataFileHost& host,
                            const TClassRegistry& registry = TClassRegistry::Global());
std::string ReadEventsFileBytes(const std::string& fileName);
// Every record read, nothing skipped, nothing cut off.
bool EventsReadBackCompletely(std::string_view bytes);
// The temporary files of killed or failed saves of fileName that are not complete.
int RemoveIncompleteEventSaves(const std::string& fileName);

std::string WriteEvents(const TEventList& events);
void WriteEvents(const TEventList& events, std::string& out);
// The same in pieces of about pieceSize bytes, each handed to write and then forgotten.
void WriteEvents(const TEventList& events, const TBytesWriter& write,
                 std::size_t pieceSize = std::size_t{4} << 20);
// Creates or truncates the file: for tests and tools that make files to read. The programs
// write through SafeSaveEventsFile.
void SaveEventsFile(const std::string& fileName, const TEventList& events);
// Creates or truncates a file and writes bytes to it (the plain save of either data file).
void WriteDataFileBytes(const std::string& fileName, std::string_view bytes);
// Through a temporary file, keeping the previous file as the backup.
void SafeSaveEventsFile(const std::string& fileName, const TEventList& events, TDateTime now,
                        TDateOrder order);

} // namespace kelvo
