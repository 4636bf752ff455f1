#pragma once

#include "core/diagnostics/paErrorReport.h"

#include <string>
#include <vector>

namespace kelvo {

// What the report learns from the running program once its main window and option list
// exist: the data location and the option lines ("Name=Value", one per option).
class ITrayReportSource {
public:
    virtual ~ITrayReportSource() = default;
    virtual std::string DataLocation() const = 0;
    virtual std::vector<std::string> OptionLines() const = 0;
};

// Registered by the main window while it and its options exist; null removes it.
void SetTrayReportSource(const ITrayReportSource* source);
const ITrayReportSource* TrayReportSource();

// The program's report: the standard one plus the data files and the options.
class TTrayErrorReport : public TpaErrorReportStd {
public:
    void AddProgramInfo(std::vector<std::string>& lines) override;
};

// True for the names of the program's own files at dataLocation (its base name with one of
// the data, backup or temporary extensions, or a temporary "Saving of" file): the report
// never lists anything else of the user's folder.
bool IsOwnDataFileName(const std::string& dataLocation, const std::string& name);

// Makes ShowErrorReport build TTrayErrorReport.
void SetupErrorReport();

} // namespace kelvo
