#pragma once

#include "core/diagnostics/SetupErrorReport.h"

namespace kelvo {

class TProgramOptions;

// Gives the error report the program's options while they exist: the main window holds
// one of these for as long as it holds its options.
class TOptionsReportSource : public ITrayReportSource {
public:
    explicit TOptionsReportSource(const TProgramOptions& options);
    ~TOptionsReportSource() override;
    TOptionsReportSource(const TOptionsReportSource&) = delete;
    TOptionsReportSource& operator=(const TOptionsReportSource&) = delete;

    std::string DataLocation() const override;
    std::vector<std::string> OptionLines() const override;

private:
    const TProgramOptions& options_;
};

} // namespace kelvo
