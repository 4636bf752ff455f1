#include "core/diagnostics/paOptionsReportSource.h"

#include "core/options/ProgramOptions.h"

namespace kelvo {

TOptionsReportSource::TOptionsReportSource(const TProgramOptions& options) : options_(options) {
    SetTrayReportSource(this);
}

TOptionsReportSource::~TOptionsReportSource() {
    if (TrayReportSource() == this)
        SetTrayReportSource(nullptr);
}

std::string TOptionsReportSource::DataLocation() const {
    return options_.StartupDataLocation.Value();
}

std::vector<std::string> TOptionsReportSource::OptionLines() const {
    std::vector<std::string> lines;
    options_.List.WriteToStrings(lines);
    return lines;
}

} // namespace kelvo
