#include "core/diagnostics/SetupErrorReport.h"

#include "core/diagnostics/paLogUtils.h"

#include <chrono>
#include <filesystem>

namespace kelvo {

namespace {

const ITrayReportSource* trayReportSource = nullptr;

} // namespace

void SetTrayReportSource(const ITrayReportSource* source) {
    trayReportSource = source;
}
const ITrayReportSource* TrayReportSource() {
    return trayReportSource;
}

bool IsOwnDataFileName(const std::string& dataLocation, const std::string& name) {
    if (name.empty() || name[0] == '.')
        return false;
    if (name.rfind("Saving of", 0) == 0)
        return true;
    const std::string base = std::filesystem::path(dataLocation).filename().string();
    if (base.empty())
        return false;
    for (const char* extension : {".evn", ".tpl", ".~ev", ".~tp"})
        if (name == base + extension)
            return true;
    return false;
}

void TTrayErrorReport::AddProgramInfo(std::vector<std::string>& lines) {
    TpaErrorReportStd::AddProgramInfo(lines);
    const ITrayReportSource* source = TrayReportSource();
    if (source) {
        const std::string location = source->DataLocation();
        lines.push_back("Data Files: " + location);
        std::error_code ec;
        const auto folder = std::filesystem::path(location).parent_path();
        for (std::filesystem::directory_iterator it(folder.empty() ? "." : folder, ec), end;
             !ec && it != end; it.increment(ec)) {
            const std::string name = it->path().filename().string();
            if (IsOwnDataFileName(location, name))
                lines.push_back(name);
        }
    }
    lines.push_back("Options info. Generated on " + DateTimeText(std::chrono::system_clock::now()) +
                    ".");
    if (source) {
        for (auto& line : source->OptionLines())
            lines.push_back(std::move(line));
    }
}

void SetupErrorReport() {
    SetErrorReportClass([](const std::exception* e, std::uintptr_t address) {
        return std::unique_ptr<TpaErrorReport>(TpaErrorReport::Make<TTrayErrorReport>(e, address));
    });
}

} // namespace kelvo
