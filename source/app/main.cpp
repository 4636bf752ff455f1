// kelvo-rem, the desktop program: one instance per user, the main window with the
// notebook, the tray icon, and the session's end.

#include "core/diagnostics/paLogUtils.h"
#include "core/runtime/ProgramFolders.h"
#include "gui/diagnostics/fmErrorReport.h"
#include "gui/diagnostics/paErrorRedirApplication.h"
#include "gui/main/fmMainForm.h"
#include "platform/actions/PlatformActions.h"
#include "platform/diagnostics/paSetupErrorHandlers.h"
#include "platform/runtime/FolderProvider.h"
#include "platform/runtime/QtLocale.h"
#include "platform/runtime/QtTimers.h"
#include "platform/runtime/QtTranslations.h"
#include "platform/session/paAutostart.h"
#include "platform/session/paClockWatch.h"
#include "platform/session/paSessionEnd.h"
#include "platform/session/paSingleInstance.h"
#include "platform/settings/AppIniReg.h"

#include <QMetaObject>
#include <QPointer>
#include <memory>

using namespace kelvo;

namespace {

void ApplyActionOptions(TPlatformActions& actions, TMainForm& form) {
    TMainSettings& s = form.Settings();
    actions.SetMailOptions(&s.Mail());
    actions.SetBeep(s.UseWavForBeep(), s.BeepFileName());
    actions.SetSoundsFolder(ProgramFolders().SoundsFolder());
    actions.SetExternalPlayer(s.ExternalPlayer(), s.ExternalPlayerPath());
}

int Run(TErrorRedirector& app) {
    // A later start only asks the running instance to show itself: it shows nothing and
    // touches neither settings nor data.
    TSingleInstance instance;
    switch (instance.Start()) {
    case TSingleInstance::TStart::First:
        break;
    case TSingleInstance::TStart::Second:
        return 0;
    case TSingleInstance::TStart::Unreachable:
        if (TLogFile* log = ProgramLog())
            log->AddLine("Another instance holds the lock but does not answer; not starting.");
        return 0;
    }

    QApplication::setQuitOnLastWindowClosed(false);
    InstallProgramFolders(std::make_unique<TQtFolderProvider>());
    InstallSystemLocale();
    InstallTranslations();

    TPlatformActions actions;
    actions.Install();

    TAppIniReg ini;
    TQtTimerFactory timers;
    TStartupShortcut shortcut;
    QPointer<TMainForm> form;

    // The session's end (or SIGTERM, SIGHUP) saves everything and ends the process at once;
    // until both data files are loaded there is nothing to save, and a signal ends it at once.
    TSessionEndWatcher sessionEnd;
    QObject::connect(&sessionEnd, &TSessionEndWatcher::sessionEnding, &app, [&form](int) {
        if (!form) {
            QCoreApplication::quit();
            return;
        }
        try {
            form->SaveOnSessionEnd();
        } catch (...) {
            DispatchError(nullptr);
        }
        TSessionEndWatcher::EndProcessNow(0);
    });

    auto owned = std::make_unique<TMainForm>(ini, timers);
    form = owned.get();
    form->SetStartupShortcut(&shortcut);
    // Before anything can arise, so that no action runs without its settings.
    form->OnSettingsLoaded = [&actions, &form] { ApplyActionOptions(actions, *form); };
    form->OnDataLoaded = [] { TSessionEndWatcher::DeliverSignals(); };
    actions.OnError = [&form](const std::string& text) {
        // Queued, so that the box never opens inside the arising that failed.
        QMetaObject::invokeMethod(
            form,
            [&form, text] {
                if (form)
                    form->Message(TMessageKind::Error, text);
            },
            Qt::QueuedConnection);
    };
    QObject::connect(&instance, &TSingleInstance::activationRequested, form,
                     &TMainForm::RestoreWindow);

    form->Startup(QCoreApplication::arguments().mid(1));
    form->ShowAtStart();

    TClockChangeWatch clockWatch;
    QObject::connect(&clockWatch, &TClockChangeWatch::clockChanged, form, &TMainForm::ClockChanged);
    QObject::connect(form, &TMainForm::exitConfirmed, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);

    const int code = app.exec();
    owned.reset(); // saves settings and data
    actions.Uninstall();
    return code;
}

} // namespace

int main(int argc, char** argv) {
    TSessionEndWatcher::EndAtOnceOnSignal();
    TErrorRedirector app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Brennikor"));
    QCoreApplication::setApplicationName(QStringLiteral("Tavrelon MP3"));
    TErrorHandlersSetup errorHandlers;
    InstallErrorReportWindow();
    try {
        return Run(app);
    } catch (...) {
        DispatchError(nullptr);
        return 1;
    }
}
