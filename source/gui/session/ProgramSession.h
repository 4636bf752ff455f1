#pragma once

// One run of the desktop program without any window: the notebook, the template tree (through
// the data-file commands), the settings, the alarm windows' controller and the actions'
// platform. The main window, the tray, the dialogs and the tests share it by reference; the
// notebook's notices reach them as signals, each to any number of listeners.

#include "core/runtime/DataFileCommands.h"
#include "core/runtime/RemNotebook.h"
#include "gui/main/MainSettings.h"

#include <QObject>
#include <memory>
#include <string>

namespace kelvo {

class TAlarmWindows;
class TAppIni;
class TDesktopNotifications;
class TEventListModel;
class TPlatformActions;
class TStartupShortcut;
class TTemplateTreeModel;

// How an alarm window is asked for.
enum class TAlarmReason { Arise, Late, Snooze };

class TProgramSession : public QObject, private IDataLocationSettings, private IDataFileHost {
    Q_OBJECT
public:
    // The store and the timer source are the caller's and outlive the session. The generator
    // runs from now on, even before any data is there.
    TProgramSession(TAppIni& ini, ITimerFactory& timers, QObject* parent = nullptr);
    // The alarm windows go before the notebook they answer into.
    ~TProgramSession() override;

    TAppIni& Ini() { return ini_; }
    TReminderNotebook& Notebook() { return *notebook_; }
    TDataFileCommands& DataFiles() { return *dataFiles_; }
    // Replaced with every load: ask again after dataReplaced.
    TTemplateTree& Templates() { return dataFiles_->Templates(); }
    TMainSettings& Settings() { return settings_; }
    TAlarmWindows& AlarmWindows() { return *alarms_; }
    // One row per event, and the template tree: every view reads these.
    TEventListModel& EventModel() { return *eventModel_; }
    TTemplateTreeModel& TemplateModel() { return *templateModel_; }

    // The program's action context (sounds, mail, programs), made and installed here; the
    // tests run without one. Its settings follow every settings load.
    TPlatformActions& InstallActions();
    TPlatformActions* Actions() { return actions_.get(); }

    // The start-at-logon entry the settings follow; none leaves it alone.
    void SetStartupShortcut(const TStartupShortcut* shortcut) { shortcut_ = shortcut; }
    const TStartupShortcut* StartupShortcut() const { return shortcut_; }
    // Who answers the data files' questions and collects their damaged records; without one
    // a newer file is not read and the records are dropped.
    void SetDataFileHost(IDataFileHost* host) { host_ = host; }

    // The first start-up steps. The generator stops until the start-up is complete; the
    // settings are loaded and the actions get theirs before anything can arise.
    void LoadSettings();
    // Both data files; answers the text to show, or nothing.
    std::string LoadData();
    void SaveSettings() override;

signals:
    void settingsLoaded();
    // There is something to save from now on.
    void dataLoaded();
    // The live data was replaced by a load.
    void dataReplaced();
    // An event was added, removed or re-armed (after an arising, too).
    void eventsChanged(kelvo::TEvent& event, kelvo::TChangeKind kind);
    // An event or reminder arose, after its alarm window (if any) is on screen.
    void eventArisen(kelvo::TWaitingAriseEntity& entity, kelvo::TDateTime when,
                     kelvo::TAlarmReason reason);
    // An option took a new value from the options dialog (fonts and colours of the views).
    void optionChanged(const QString& name);

private:
    // IDataLocationSettings
    std::string StartupDataLocation() const override;
    void SetStartupDataLocation(const std::string& path) override;
    std::string DefaultDataLocation() const override;
    // IDataFileHost
    bool TryReadNewerVersion(const std::string& question) override;
    void ShowRecordError(const std::string& message) override;

    void ApplyActionOptions();
    // Alarm windows as desktop notifications too, as the option says.
    void ApplyNotificationOption();

    TAppIni& ini_;
    const TStartupShortcut* shortcut_ = nullptr;
    IDataFileHost* host_ = nullptr;
    TMainSettings settings_;
    std::unique_ptr<TPlatformActions> actions_;
    std::unique_ptr<TReminderNotebook> notebook_;
    std::unique_ptr<TDataFileCommands> dataFiles_;
    std::unique_ptr<TDesktopNotifications> notifications_;
    std::unique_ptr<TAlarmWindows> alarms_;
    std::unique_ptr<TEventListModel> eventModel_;
    std::unique_ptr<TTemplateTreeModel> templateModel_;
};

} // namespace kelvo
