#pragma once

#include "core/diagnostics/paErrorReport.h"

#include <string>

namespace kelvo {

// The report's view of a Linux machine: distribution and kernel, processor, memory, the
// primary screen and the desktop theme.
class TLinuxReportEnvironment : public IReportEnvironment {
public:
    TSystemInfo SystemInfo() const override;
    std::string ProgramPath() const override;
};

// Parsers of the kernel's text files, kept apart so that they can be fed any text.
void ParseOsRelease(const std::string& text, TSystemInfo& info);
void ParseKernelRelease(const std::string& release, TSystemInfo& info);
void ParseCpuInfo(const std::string& text, TSystemInfo& info);
void ParseMemInfo(const std::string& text, TSystemInfo& info);

} // namespace kelvo
