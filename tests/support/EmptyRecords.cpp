#include "support/EmptyRecords.h"

#include "core/persistence/EventFile.h"
#include "support/EntitySamples.h"

#include <cstdlib>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace kelvo::test {

void WriteEmptyRecordsFile(const std::string& file, int count) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        std::string bytes;
        TClassWriter writer(bytes);
        WriteDataFileHeader(writer, EventsFileFormat);
        const TEvent empty;
        for (int i = 0; i < count; ++i) {
            WriteRecordMarker(writer, EventsFileFormat);
            writer.WriteObjectBegin(empty);
            writer.WriteObjectEnd(empty);
        }
        WriteRecordMarker(writer, EventsFileFormat);
        writer.WriteObject(
            *samples::SilentEventOnceAt(EncodeDateTime(2024, 1, 1, 10, 0), LastOfAMillion));
        WriteDataFileBytes(file, bytes);
        std::_Exit(0);
    }
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        throw std::runtime_error("cannot write " + file);
}

} // namespace kelvo::test
