#include "core/persistence/DataFile.h"

#include <new>

namespace kelvo {

const TDataFileFormat EventsFileFormat{
    .Header = "Reminder notebook file",
    .Marker = "RM_BEGIN_EVENT",
    .BadHeader = "Illegal format of event's file",
    .NoVersion = "Can'not read ",
    .NewerVersion = "This is new version of event's file. Try read?",
    .Declined = "The event's file of a newer version was not read",
    .RecordError = "Error in event's file\n\r",
};

const TDataFileFormat TemplatesFileFormat{
    .Header = "Reminder notebook template file",
    .Marker = "TT_FILE_BEGIN_TEMPLATE",
    .BadHeader = "Read template's file: Bad file format",
    .NoVersion = "Can not read version of template's file",
    .NewerVersion = "This is new version of template's file. Try read?",
    .Declined = "The template's file of a newer version was not read",
    .RecordError = "Error in template's file:\r\n",
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
        return std::string(format.BadHeader);
    std::int32_t version = 0;
    try {
        ok = reader.ReadInteger(version, false);
    } catch (const EClassReadingError&) {
        ok = false;
    }
    if (!ok)
        return std::string(format.NoVersion);
    if (version != DataFileVersion && !host.TryReadNewerVersion(std::string(format.NewerVersion)))
        return std::string(format.Declined);
    return {};
}

void ReadDataFileRecords(TStreamView& stream, TClassReader& reader, const TDataFileFormat& format,
                         IDataFileHost& host,
                         const std::function<void(TClassReader&)>& readRecord) {
    while (FindMarker(stream, format.Marker)) {
        const std::size_t after = stream.Position;
        std::string error;
        try {
            readRecord(reader);
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
        host.ShowRecordError(std::string(format.RecordError) + error);
        stream.Position = after;
    }
}

} // namespace kelvo
