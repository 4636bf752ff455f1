#include "core/persistence/DataFile.h"

#include "core/diagnostics/paExceptionTrace.h"
#include "core/util/paTranslate.h"

#include <algorithm>
#include <new>

namespace kelvo {

const TDataFileFormat EventsFileFormat{
    .Header = "Reminder notebook file",
    .Marker = "RM_BEGIN_EVENT",
    .BadHeader = KELVO_TR_NOOP("DataFile", "Illegal format of event's file"),
    .NoVersion = KELVO_TR_NOOP("DataFile", "Can'not read "),
    .NewerVersion = KELVO_TR_NOOP("DataFile", "This is new version of event's file. Try read?"),
    .Declined = KELVO_TR_NOOP("DataFile", "The event's file of a newer version was not read"),
    .RecordError = KELVO_TR_NOOP("DataFile", "Error in event's file\n\r"),
};

const TDataFileFormat TemplatesFileFormat{
    .Header = "Reminder notebook template file",
    .Marker = "TT_FILE_BEGIN_TEMPLATE",
    .BadHeader = KELVO_TR_NOOP("DataFile", "Read template's file: Bad file format"),
    .NoVersion = KELVO_TR_NOOP("DataFile", "Can not read version of template's file"),
    .NewerVersion = KELVO_TR_NOOP("DataFile", "This is new version of template's file. Try read?"),
    .Declined = KELVO_TR_NOOP("DataFile", "The template's file of a newer version was not read"),
    .RecordError = KELVO_TR_NOOP("DataFile", "Error in template's file:\r\n"),
    .RecordValues = 4, // node kind, index, parent's index, the template
};

bool TAnswerNoHost::TryReadNewerVersion(const std::string&) {
    return false;
}

void TAnswerNoHost::ShowRecordError(const std::string& message) {
    Errors.push_back(message);
}

void WriteDataFileHeader(TClassWriter& writer, const TDataFileFormat& format) {
    writer.WriteString(format.Header);
    writer.WriteInteger(DataFileVersion);
}

void WriteRecordMarker(TClassWriter& writer, const TDataFileFormat& format) {
    writer.WriteString(format.Marker);
}

bool FindMarker(TStreamView& stream, std::string_view marker) {
    if (marker.empty() || stream.AtEnd()) {
        stream.Position = stream.Data.size();
        return false;
    }
    const std::size_t at = stream.Data.find(marker, stream.Position);
    if (at == std::string_view::npos) {
        stream.Position = stream.Data.size();
        return false;
    }
    stream.Position = at + marker.size();
    return true;
}

std::size_t DataFileHeaderSize(const TDataFileFormat& format) {
    return 5 + format.Header.size();
}

bool HasDataFileHeader(std::string_view bytes, const TDataFileFormat& format) {
    std::string expected;
    TClassWriter writer(expected);
    writer.WriteString(format.Header);
    return bytes.substr(0, expected.size()) == expected;
}

std::string CheckDataFileHeader(TClassReader& reader, const TDataFileFormat& format,
                                IDataFileHost& host) {
    bool ok = false;
    try {
        std::string header;
        ok = reader.ReadString(header, true) && header == format.Header;
    } catch (const EClassReadingError&) {
        ok = false;
    }
    if (!ok)
        return Translate("DataFile", format.BadHeader.data());
    std::int32_t version = 0;
    try {
        ok = reader.ReadInteger(version, false);
    } catch (const EClassReadingError&) {
        ok = false;
    }
    if (!ok)
        return Translate("DataFile", format.NoVersion.data());
    if (version != DataFileVersion &&
        !host.TryReadNewerVersion(Translate("DataFile", format.NewerVersion.data())))
        return Translate("DataFile", format.Declined.data());
    return {};
}

namespace {

// How far the values of a failed record reach when their structure is sound; where they
// cannot be skipped, the record's end is unknown and the marker's end stands for it.
std::size_t DamagedRecordEnd(TClassReader& reader, int values, std::size_t after) {
    try {
        for (int i = 0; i < values && !reader.AtEnd(); ++i)
            reader.SkipValue();
        return reader.Position();
    } catch (const EClassReadingError& e) {
        if (e.Reach() == EClassReadingError::TReach::Stream)
            throw;
    }
    return after;
}

// The bytes after the last record are the start of a marker: the file was cut off there.
bool EndsInsideMarker(std::string_view rest, const TDataFileFormat& format) {
    if (rest.empty())
        return false;
    std::string marker;
    TClassWriter writer(marker);
    writer.WriteString(format.Marker);
    return rest.size() < marker.size() && marker.compare(0, rest.size(), rest) == 0;
}

} // namespace

TDataFileReport ReadDataFileRecords(TStreamView& stream, TClassReader& reader,
                                    const TDataFileFormat& format, IDataFileHost& host,
                                    const std::function<void(TClassReader&)>& readRecord) {
    TDataFileReport report;
    std::size_t damagedUntil = 0; // the end of the last damaged record, where known
    std::size_t lastEnd = stream.Position;
    bool lastFailed = false;
    while (FindMarker(stream, format.Marker)) {
        const std::size_t after = stream.Position;
        std::string error;
        reader.ResetRanOut();
        {
            // A damaged record costs one line of the report, not a traced raise per value.
            TUntracedRaises untraced;
            try {
                readRecord(reader);
                ++report.RecordsRead;
                report.EndedEarly = false;
                lastEnd = stream.Position;
                lastFailed = false;
                continue;
            } catch (const EClassReadingError& e) {
                if (e.Reach() == EClassReadingError::TReach::Stream)
                    throw;
                error = e.what();
            } catch (const std::bad_alloc&) {
                throw;
            } catch (const std::exception& e) {
                error = e.what();
            }
        }
        lastFailed = true;
        report.EndedEarly = reader.RanOut();
        // A marker inside a damaged record (a text holding it) is not another record.
        if (after > damagedUntil) {
            ++report.RecordsSkipped;
            host.ShowRecordError(Translate("DataFile", format.RecordError.data()) + error);
        }
        stream.Position = after;
        {
            TUntracedRaises untraced;
            damagedUntil =
                std::max(damagedUntil, DamagedRecordEnd(reader, format.RecordValues, after));
        }
        stream.Position = after;
    }
    if (!lastFailed && EndsInsideMarker(stream.Data.substr(lastEnd), format))
        report.EndedEarly = true;
    return report;
}

} // namespace kelvo
