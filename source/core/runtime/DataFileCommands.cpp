#include "core/runtime/DataFileCommands.h"

#include "core/persistence/EventFile.h"
#include "core/persistence/SafeSave.h"
#include "core/persistence/TemplateFile.h"
#include "core/util/paFormat.h"
#include "core/util/paTranslate.h"

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <utility>

namespace kelvo {

namespace fs = std::filesystem;

namespace {

std::string WithoutExtension(const std::string& path) {
    const fs::path p(path);
    if (!p.has_extension())
        return path;
    return (p.parent_path() / p.stem()).string();
}

bool HasExtensionIgnoringCase(const std::string& path, std::string_view ext) {
    const std::string e = fs::path(path).extension().string();
    if (e.size() != ext.size())
        return false;
    for (std::size_t i = 0; i < e.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(e[i])) != ext[i])
            return false;
    return true;
}

TDateOrder LocaleDateOrder() {
    return DateOrderOf(CurrentLocale().ShortDateFormat());
}

std::string LoadError(const std::string& reason) {
    return Format(KELVO_TR("DataFileCommands",
                           "Error during loading data files:\n\r%s\n\r\n\rUse \"New\" or "
                           "\"Open\" menu item for loading data files."),
                  {reason});
}

} // namespace

std::string DamagedCopyName(const std::string& fileName, TDateTime now) {
    const TDateParts d = DecodeDate(now);
    const TTimeParts t = DecodeTime(now);
    char stamp[48];
    std::snprintf(stamp, sizeof stamp, "%04lld-%02d-%02d %02d.%02d.%02d",
                  static_cast<long long>(d.Year), d.Month, d.Day, t.Hour, t.Minute, t.Second);
    const fs::path p(fileName);
    return (p.parent_path() / (p.stem().string() + ".damaged-" + stamp + p.extension().string()))
        .string();
}

TDataFileCommands::TDataFileCommands(TReminderNotebook& notebook, IDataLocationSettings& settings,
                                     IDataFileHost& host)
    : notebook_(notebook), settings_(settings), host_(host),
      templates_(std::make_unique<TTemplateTree>()) {
    templates_->EnsureDefaultTemplate();
}

TDataFileCommands::~TDataFileCommands() = default;

void TDataFileCommands::EnsureLocation() {
    if (settings_.StartupDataLocation().empty())
        settings_.SetStartupDataLocation(settings_.DefaultDataLocation());
}

std::string TDataFileCommands::EventsFileName() {
    EnsureLocation();
    return settings_.StartupDataLocation() + ".evn";
}

std::string TDataFileCommands::TemplatesFileName() {
    EnsureLocation();
    return settings_.StartupDataLocation() + ".tpl";
}

std::string TDataFileCommands::TemplatesFileOf(const std::string& chosen) {
    return WithoutExtension(chosen) + (fs::path(chosen).extension() == ".evn" ? ".tpl" : ".~tp");
}

std::string TDataFileCommands::LocationOf(const std::string& chosen) const {
    return HasExtensionIgnoringCase(chosen, ".evn") ? WithoutExtension(chosen) : chosen;
}

void TDataFileCommands::ReplaceData(const std::string& eventsFile,
                                    const std::string& templatesFile) {
    auto tree = std::make_unique<TTemplateTree>();
    TReadFile templatesRead;
    TReadFile eventsRead;
    TDataLoadReport report;
    report.Events.FileName = eventsFile;
    report.Templates.FileName = templatesFile;
    TOwnedEvents events;
    try {
        if (fs::exists(templatesFile)) {
            templatesRead.Bytes = ReadTemplatesFileBytes(templatesFile);
            report.Templates.Read = ReadTemplates(templatesRead.Bytes, *tree, host_);
            templatesRead.Damaged = report.Templates.Read.Damaged();
        }
        tree->EnsureDefaultTemplate();
        if (fs::exists(eventsFile)) {
            // Mapped, as kelvo-cli reads: a big file's bytes are not held beside its events,
            // only a damaged file's, for the copy of what could not be read.
            const auto mapped = MapEventsFile(eventsFile);
            events = ReadMappedEvents(*mapped, host_, report.Events.Read);
            eventsRead.Damaged = report.Events.Read.Damaged();
            if (eventsRead.Damaged)
                eventsRead.Bytes = mapped->Bytes();
        }
        for (auto& e : events)
            if (tree->FindTemplate(e->Template()) == nullptr)
                e->SetTemplate(std::string(DefaultTemplateName));
    } catch (const std::exception& e) {
        throw EReminderNotebookError(LoadError(e.what()));
    }
    // Nothing below reads a file: the live data changes only now that both files are in.
    notebook_.DeleteAllEvents();
    templates_ = std::move(tree);
    eventsRead_ = std::move(eventsRead);
    templatesRead_ = std::move(templatesRead);
    lastLoad_ = std::move(report);
    KeepDamagedAfterLoad(eventsRead_, lastLoad_.Events);
    KeepDamagedAfterLoad(templatesRead_, lastLoad_.Templates);
    notebook_.AddEvents(std::move(events));
    if (OnDataReplaced)
        OnDataReplaced();
}

void TDataFileCommands::Load() {
    LoadFrom(EventsFileName(), TemplatesFileName());
}

void TDataFileCommands::LoadFrom(const std::string& eventsFile, const std::string& templatesFile) {
    ReplaceData(eventsFile, templatesFile);
}

void TDataFileCommands::PrepareFolder(const std::string& fileName) const {
    const fs::path folder = fs::path(fileName).parent_path();
    if (folder.empty() || fs::exists(folder))
        return;
    std::error_code error;
    fs::create_directories(folder, error);
    if (!error)
        fs::permissions(folder, fs::perms::owner_all, fs::perm_options::replace, error);
}

void TDataFileCommands::KeepDamaged(TReadFile& file, const std::string& fileName) {
    if (!file.Damaged)
        return;
    // The next save would rotate the only backup of what could not be read away.
    const std::string copy = DamagedCopyName(fileName, Now());
    SafeSave(copy, file.Bytes, Now(), LocaleDateOrder());
    file.Damaged = false;
    file.Bytes.clear();
    file.KeptCopy = copy;
}

void TDataFileCommands::KeepDamagedAfterLoad(TReadFile& file, TDataLoadReport::TFile& report) {
    try {
        KeepDamaged(file, report.FileName);
        report.KeptCopy = file.KeptCopy;
    } catch (const std::exception& e) {
        // The file stays as it is: the save makes the copy first or fails.
        report.CopyError = e.what();
    }
}

void TDataFileCommands::SaveEvents() {
    const std::string name = EventsFileName();
    try {
        PrepareFolder(name);
        KeepDamaged(eventsRead_, name);
        SafeSaveEventsFile(name, notebook_.GetEvents(), Now(), LocaleDateOrder());
    } catch (const std::exception& e) {
        throw EReminderNotebookError(
            Format(KELVO_TR("DataFileCommands", "Error saving event file\n\r %s"), {e.what()}));
    }
}

void TDataFileCommands::SaveTemplates() {
    const std::string name = TemplatesFileName();
    try {
        PrepareFolder(name);
        KeepDamaged(templatesRead_, name);
        SafeSave(name, WriteTemplates(*templates_), Now(), LocaleDateOrder());
    } catch (const std::exception& e) {
        throw EReminderNotebookError(
            Format(KELVO_TR("DataFileCommands", "Error saving event file\n\r %s"), {e.what()}));
    }
}

void TDataFileCommands::Save() {
    SaveEvents();
    SaveTemplates();
}

void TDataFileCommands::WriteLocation(const std::string& chosen) {
    // Exactly the files the new location names, so "Current Location..." names real files.
    const std::string location = LocationOf(chosen);
    PrepareFolder(location + ".evn");
    SafeSave(location + ".tpl", WriteTemplates(*templates_), Now(), LocaleDateOrder());
    SafeSaveEventsFile(location + ".evn", notebook_.GetEvents(), Now(), LocaleDateOrder());
}

void TDataFileCommands::New(const std::string& chosen) {
    try {
        WriteLocation(chosen);
    } catch (const std::exception& e) {
        throw EReminderNotebookError(KELVO_TR("DataFileCommands", "Could not save Data Files to ") +
                                     chosen + KELVO_TR("DataFileCommands", "\r\nError: ") +
                                     e.what());
    }
    notebook_.DeleteAllEvents();
    eventsRead_ = {};
    templatesRead_ = {};
    lastLoad_ = {};
    settings_.SetStartupDataLocation(LocationOf(chosen));
    settings_.SaveSettings();
    Save();
    if (OnDataReplaced)
        OnDataReplaced();
}

void TDataFileCommands::Open(const std::string& chosen) {
    ReplaceData(chosen, TemplatesFileOf(chosen));
    settings_.SetStartupDataLocation(WithoutExtension(chosen));
    settings_.SaveSettings();
}

void TDataFileCommands::SaveAs(const std::string& chosen) {
    try {
        WriteLocation(chosen);
        settings_.SetStartupDataLocation(LocationOf(chosen));
        settings_.SaveSettings();
    } catch (const std::exception& e) {
        throw EReminderNotebookError(KELVO_TR("DataFileCommands", "Could not save Data Files to ") +
                                     chosen + KELVO_TR("DataFileCommands", "\r\nError: ") +
                                     e.what());
    }
}

std::string TDataFileCommands::LocationInfo() {
    return Format(KELVO_TR("DataFileCommands",
                           "Current Tempalates and Events are saved in files: \n\r\n\r%s\n\r%s"),
                  {EventsFileName(), TemplatesFileName()});
}

std::string TDataFileCommands::StartupLoad() {
    try {
        // Leftovers of a killed save would only hold space a full disk needs.
        RemoveIncompleteEventSaves(EventsFileName());
        RemoveIncompleteTemplateSaves(TemplatesFileName());
    } catch (const std::exception&) {
    }
    try {
        Load();
        return {};
    } catch (const std::exception& e) {
        const std::string base = settings_.DefaultDataLocation() + "-recovered";
        std::string location = base;
        for (int n = 2; fs::exists(location + ".evn") || fs::exists(location + ".tpl"); ++n)
            location = base + "-" + std::to_string(n);
        settings_.SetStartupDataLocation(location);
        settings_.SaveSettings();
        return std::string(e.what()) + "\n\r\n\r" +
               KELVO_TR("DataFileCommands", "Location of Data file changed to ") + location +
               KELVO_TR("DataFileCommands",
                        "\n\rUse \"File|Data Files|New and Save as\" menu item for creating "
                        "new data files.");
    }
}

std::string TDataFileCommands::StartupSave() {
    try {
        Save();
        return {};
    } catch (const std::exception& e) {
        return e.what();
    }
}

} // namespace kelvo
