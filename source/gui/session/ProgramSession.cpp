#include "gui/session/ProgramSession.h"

#include "core/options/MailOptions.h"
#include "core/options/ProgramOptions.h"
#include "core/timers/ProgramFolders.h"
#include "gui/alarm/AlarmWindows.h"
#include "gui/models/EventListModel.h"
#include "gui/models/TemplateTreeModel.h"
#include "platform/actions/PlatformActions.h"
#include "platform/notify/DesktopNotifications.h"

namespace kelvo {

TProgramSession::TProgramSession(TAppIni& ini, ITimerFactory& timers, QObject* parent)
    : QObject(parent), ini_(ini), settings_(ini),
      notebook_(std::make_unique<TReminderNotebook>(timers)) {
    IDataLocationSettings& location = *this;
    IDataFileHost& host = *this;
    dataFiles_ = std::make_unique<TDataFileCommands>(*notebook_, location, host);
    dataFiles_->OnDataReplaced = [this] { emit dataReplaced(); };

    notebook_->OnEventArise = [this](TWaitingAriseEntity& e, TDateTime t) {
        emit eventArisen(e, t, TAlarmReason::Arise);
    };
    notebook_->OnEventLate = [this](TWaitingAriseEntity& e, TDateTime t) {
        emit eventArisen(e, t, TAlarmReason::Late);
    };
    notebook_->OnSnoozeArise = [this](TWaitingAriseEntity& e, TDateTime t) {
        emit eventArisen(e, t, TAlarmReason::Snooze);
    };
    notebook_->OnChange = [this](TReminderNotebook&, TEvent& e, TChangeKind kind) {
        emit eventsChanged(e, kind);
    };
    // One alarm window per event; it closes when its event leaves the notebook. Its
    // handlers run before the ones above.
    alarms_ = std::make_unique<TAlarmWindows>(*notebook_);
    alarms_->Connect();

    // The rows follow the notebook before any other listener reads them.
    eventModel_ = std::make_unique<TEventListModel>(*notebook_);
    connect(this, &TProgramSession::eventsChanged, eventModel_.get(),
            [this] { eventModel_->Refresh(); });
    connect(this, &TProgramSession::dataReplaced, eventModel_.get(),
            [this] { eventModel_->Refresh(); });
    templateModel_ = std::make_unique<TTemplateTreeModel>(*dataFiles_);
    connect(this, &TProgramSession::dataReplaced, templateModel_.get(),
            [this] { templateModel_->Refresh(); });

    notebook_->RestartGenerator();
}

TProgramSession::~TProgramSession() {
    templateModel_.reset();
    eventModel_.reset();
    alarms_.reset(); // before the notebook it answers into
    notifications_.reset();
    dataFiles_.reset();
    notebook_.reset();
    if (actions_)
        actions_->Uninstall();
}

TPlatformActions& TProgramSession::InstallActions() {
    if (!actions_) {
        actions_ = std::make_unique<TPlatformActions>();
        actions_->Install();
    }
    return *actions_;
}

void TProgramSession::ApplyActionOptions() {
    if (!actions_)
        return;
    actions_->SetMailOptions(&settings_.Mail());
    // A mail that signs in waits for its password while the secret store has not answered.
    actions_->SetMailWhenReady([this](std::function<void()> send) {
        const TMailOptions& mail = settings_.Mail();
        if (mail.ConnectionType == ecSMTP && mail.SMTPOptions.Authentification)
            settings_.WhenMailPasswordKnown(std::move(send));
        else
            send();
    });
    actions_->SetBeep(settings_.UseWavForBeep(), settings_.BeepFileName());
    actions_->SetSoundsFolder(ProgramFolders().SoundsFolder());
    actions_->SetExternalPlayer(settings_.ExternalPlayer(), settings_.ExternalPlayerPath());
}

void TProgramSession::ApplyNotificationOption() {
    if (settings_.Options().BehaviourDesktopNotifications.Value()) {
        if (!notifications_)
            notifications_ = std::make_unique<TDesktopNotifications>();
        alarms_->SetNotifications(notifications_.get());
    } else {
        alarms_->SetNotifications(nullptr);
        notifications_.reset();
    }
}

void TProgramSession::LoadSettings() {
    // Nothing arises before the program is complete; the restart after the load catches up.
    notebook_->Generator().Stop();
    settings_.Load(shortcut_);
    // Before anything can arise, so that no action runs without its settings.
    ApplyActionOptions();
    ApplyNotificationOption();
    settings_.Options().BehaviourDesktopNotifications.OnChanged = [this](TOption&) {
        ApplyNotificationOption();
    };
    emit settingsLoaded();
}

std::string TProgramSession::LoadData() {
    std::string text = dataFiles_->StartupLoad();
    emit dataLoaded();
    return text;
}

void TProgramSession::SaveSettings() {
    settings_.Save(shortcut_);
}

std::string TProgramSession::StartupDataLocation() const {
    return settings_.DataLocation();
}

void TProgramSession::SetStartupDataLocation(const std::string& path) {
    settings_.SetDataLocation(path);
}

std::string TProgramSession::DefaultDataLocation() const {
    return settings_.DefaultDataLocation();
}

bool TProgramSession::TryReadNewerVersion(const std::string& question) {
    return host_ && host_->TryReadNewerVersion(question);
}

void TProgramSession::ShowRecordError(const std::string& message) {
    if (host_)
        host_->ShowRecordError(message);
}

} // namespace kelvo
