#pragma once

// A data-file host that keeps what it was told and asked, and answers every question alike.
// Header-only and free of GoogleTest, so benchmarks and fuzzers use it too.

#include "core/persistence/DataFile.h"

#include <string>
#include <vector>

namespace kelvo::test {

class RecordingDataFileHost : public IDataFileHost {
public:
    explicit RecordingDataFileHost(bool readNewer = false) : readNewer_(readNewer) {}
    bool TryReadNewerVersion(const std::string& question) override {
        Questions.push_back(question);
        return readNewer_;
    }
    void ShowRecordError(const std::string& message) override { Errors.push_back(message); }

    std::vector<std::string> Questions, Errors;

private:
    bool readNewer_;
};

} // namespace kelvo::test
