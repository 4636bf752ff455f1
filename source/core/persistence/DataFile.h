#pragma once

// The layout shared by the events file and the templates file: a header string, the version
// integer 1, then records, each introduced by a marker string so that a reader can pick up
// again after a damaged record.

#include "core/persistence/SafeSave.h"
#include "core/stream/paClasses.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvo {

struct TDataFileFormat {
    std::string_view Header;
    std::string_view Marker;
    std::string_view BadHeader;    // header missing or different
    std::string_view NoVersion;    // version integer missing
    std::string_view NewerVersion; // the question asked for a version other than 1
    std::string_view Declined;     // the load's error when that question is answered No
    std::string_view RecordError;  // put before the message of a failed record
    int RecordValues = 1;          // values after a marker that make up one record
};

extern const TDataFileFormat EventsFileFormat;
extern const TDataFileFormat TemplatesFileFormat;

inline constexpr std::int32_t DataFileVersion = 1;

// What a file reader needs from whoever shows messages: the GUI asks the user, the command
// line answers No.
class IDataFileHost {
public:
    virtual ~IDataFileHost() = default;
    // Answers true only for Yes (of Yes, No and Cancel).
    virtual bool TryReadNewerVersion(const std::string& question) = 0;
    virtual void ShowRecordError(const std::string& message) = 0;
};

// Answers No and keeps the record errors for whoever wants to print them.
class TAnswerNoHost : public IDataFileHost {
public:
    bool TryReadNewerVersion(const std::string& question) override;
    void ShowRecordError(const std::string& message) override;
    std::vector<std::string> Errors;
};

// What reading the records of one file found.
struct TDataFileReport {
    int RecordsRead = 0;
    // Damaged records left out; a marker inside a damaged record does not count again.
    int RecordsSkipped = 0;
    // The file stops inside a record: whatever followed it is lost.
    bool EndedEarly = false;

    bool Damaged() const { return RecordsSkipped > 0 || EndedEarly; }
};

void WriteDataFileHeader(TClassWriter& writer, const TDataFileFormat& format);
void WriteRecordMarker(TClassWriter& writer, const TDataFileFormat& format);

// Scans forward from the current position for the marker's bytes; on success leaves the
// stream just after them.
bool FindMarker(TStreamView& stream, std::string_view marker);

// Checks the header and the version, asking the host about a newer one. Answers the
// message of the load's error, or an empty text when the records may be read.
std::string CheckDataFileHeader(TClassReader& reader, const TDataFileFormat& format,
                                IDataFileHost& host);

// Calls readRecord after each marker. A record that throws is shown through the host with
// the format's prefix and skipped; reading goes on from just after its marker. Only a
// stream too damaged to be read at all ends the load (the error passes on).
TDataFileReport ReadDataFileRecords(TStreamView& stream, TClassReader& reader,
                                    const TDataFileFormat& format, IDataFileHost& host,
                                    const std::function<void(TClassReader&)>& readRecord);

// The whole file; a failed header check throws E with its message.
template <class E>
TDataFileReport ReadDataFile(TStreamView& stream, TClassReader& reader,
                             const TDataFileFormat& format, IDataFileHost& host,
                             const std::function<void(TClassReader&)>& readRecord) {
    if (std::string error = CheckDataFileHeader(reader, format, host); !error.empty())
        throw E(error);
    return ReadDataFileRecords(stream, reader, format, host, readRecord);
}

// Whether bytes begin with the format's header string (a file's first HeaderSize bytes).
std::size_t DataFileHeaderSize(const TDataFileFormat& format);
bool HasDataFileHeader(std::string_view bytes, const TDataFileFormat& format);

// A data file's bytes, its header looked at before the rest is read: a file without the
// header throws E with the format's message; what ReadFileBytes refuses is EFileError.
template <class E>
std::string ReadDataFileBytes(const std::string& fileName, const TDataFileFormat& format) {
    std::optional<std::string> bytes =
        ReadFileBytesIf(fileName, DataFileHeaderSize(format),
                        [&](std::string_view head) { return HasDataFileHeader(head, format); });
    if (!bytes)
        throw E(std::string(format.BadHeader));
    return std::move(*bytes);
}

} // namespace kelvo
