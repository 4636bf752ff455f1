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

class EReminderNotebookError : public EpaError {
public:
    using EpaError::EpaError;
};

using TOwnedEvents = std::vector<std::unique_ptr<TEvent>>;

// Makes events, reminders, templates and their actions readable from streams.
void RegisterEntityClasses(TClassRegistry& registry = TClassRegistry::Global());

// The events of a whole file. A damaged record is shown through the host and skipped; a
// wrong header, a missing version or a declined newer version is EReminderNotebookError.
// On any error nothing is kept.
TOwnedEvents ReadEvents(std::string_view bytes, IDataFileHost& host,
                        const TClassRegistry& registry = TClassRegistry::Global());
TOwnedEvents LoadEventsFile(const std::string& fileName, IDataFileHost& host,
                            const TClassRegistry& registry = TClassRegistry::Global());

std::string WriteEvents(const TEventList& events);
void WriteEvents(const TEventList& events, std::string& out);
// Creates or truncates the file.
void SaveEventsFile(const std::string& fileName, const TEventList& events);
// Creates or truncates a file and writes bytes to it (the plain save of either data file).
void WriteDataFileBytes(const std::string& fileName, std::string_view bytes);
// Through a temporary file, keeping the previous file as the backup.
void SafeSaveEventsFile(const std::string& fileName, const TEventList& events, TDateTime now,
                        TDateOrder order);

} // namespace kelvo
