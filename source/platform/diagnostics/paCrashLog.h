#pragma once

#include <string>

namespace kelvo {

// Leaves a record with the raw stack in the log when the process dies of a fatal signal
// (a bad memory access, an illegal instruction, an abort), then lets the signal end the
// process as it would have. Only async-signal-safe calls run in the handler, so the log
// path is fixed when the handler is installed.
void InstallCrashLog(const std::string& logPath);
void RemoveCrashLog();

} // namespace kelvo
