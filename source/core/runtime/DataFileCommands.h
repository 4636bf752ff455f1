#pragma once

// Where the data files live and the file commands of the main window, without any window: the
// caller shows the dialogs and hands over the chosen file name; errors come back as
// EReminderNotebookError with the texts the user sees.

#include "core/entities/EventTemplate.h"
#include "core/persistence/DataFile.h"
#include "core/runtime/RemNotebook.h"

#include <functional>
#include <memory>
#include <string>

namespace kelvo {

// The data location setting and the settings store it lives in.
class IDataLocationSettings {
public:
    virtual ~IDataLocationSettings() = default;
    // The data files' common path without extension.
    virtual std::string StartupDataLocation() const = 0;
    virtual void SetStartupDataLocation(const std::string& path) = 0;
    // The data folder joined with "kelvo-rem".
    virtual std::string DefaultDataLocation() const = 0;
    virtual void SaveSettings() = 0;
};

// What the last load found in the two files; a damaged file is kept as it was read, under
// the name DamagedCopyName gives.
struct TDataLoadReport {
    struct TFile {
        std::string FileName;
        TDataFileReport Read;
        std::string KeptCopy;  // empty when none was needed or it could not be made
        std::string CopyError; // why the copy could not be made
    };
    TFile Events;
    TFile Templates;

    bool Damaged() const { return Events.Read.Damaged() || Templates.Read.Damaged(); }
};

class TDataFileCommands {
public:
    // Owns the template tree; the notebook and the other two are the caller's.
    TDataFileCommands(TReminderNotebook& notebook, IDataLocationSettings& settings,
                      IDataFileHost& host);
    ~TDataFileCommands();

    TTemplateTree& Templates() { return *templates_; }

    // The location with ".evn" and ".tpl"; an empty location is first reset to its default.
    std::string EventsFileName();
    std::string TemplatesFileName();
    // For a file chosen in a dialog: ".tpl" beside an ".evn" file, ".~tp" beside any other
    // (so that a backup pair opens together).
    static std::string TemplatesFileOf(const std::string& chosen);

    // "Load": reads both files completely before anything of the live data changes; on
    // failure the notebook, the templates and the location stay as they were. A missing file
    // is an empty notebook or the default templates.
    void Load();
    void LoadFrom(const std::string& eventsFile, const std::string& templatesFile);
    // What the last load read; the damaged files of it are already kept beside them.
    const TDataLoadReport& LastLoad() const { return lastLoad_; }
    int EventsSkipped() const { return lastLoad_.Events.Read.RecordsSkipped; }

    // "Save", "Save Events", "Save Templates": through a temporary file, keeping the previous
    // file as the backup. When the copy of a damaged file could not be made at its load, the
    // save makes it first (and fails when it cannot).
    void Save();
    void SaveEvents();
    void SaveTemplates();
    // "&New...", "&Open...", "Save &As..." with the file the user chose.
    void New(const std::string& chosen);
    void Open(const std::string& chosen);
    void SaveAs(const std::string& chosen);
    // The text of "Current Location...".
    std::string LocationInfo();

    // The start-up load: first removes what killed or failed saves left of the data files
    // and cannot be read back completely. On failure the program goes on with an empty notebook at
    // a fresh fallback location beside the default one, leaving the failed files untouched. Answers
    // the text to show, or nothing.
    std::string StartupLoad();
    // The start-up save: on failure the loaded data and its location stay as they are (no
    // other location is ever written over). Answers the text to show, or nothing.
    std::string StartupSave();

    // Called after the live data was replaced, so the views can be refreshed.
    std::function<void()> OnDataReplaced;

private:
    struct TReadFile {
        std::string Bytes;
        bool Damaged = false;
        std::string KeptCopy;
    };

    void EnsureLocation();
    // Both files read completely into fresh objects, then swapped in.
    void ReplaceData(const std::string& eventsFile, const std::string& templatesFile);
    void WriteLocation(const std::string& chosen);
    std::string LocationOf(const std::string& chosen) const;
    void KeepDamaged(TReadFile& file, const std::string& fileName);
    void KeepDamagedAfterLoad(TReadFile& file, TDataLoadReport::TFile& report);
    void PrepareFolder(const std::string& fileName) const;

    TReminderNotebook& notebook_;
    IDataLocationSettings& settings_;
    IDataFileHost& host_;
    std::unique_ptr<TTemplateTree> templates_;
    TReadFile eventsRead_;
    TReadFile templatesRead_;
    TDataLoadReport lastLoad_;
};

// "<name>.damaged-<yyyy-mm-dd hh.nn.ss><extension>" beside the file.
std::string DamagedCopyName(const std::string& fileName, TDateTime now);

} // namespace kelvo
