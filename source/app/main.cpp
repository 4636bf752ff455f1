// kelvo-rem, the desktop program: one instance per user, the program's session with the
// notebook, the main window over it with the tray icon, and the session's end.

#include "core/diagnostics/paLogUtils.h"
#include "core/timers/ProgramFolders.h"
#include "core/util/BuildVersion.h"
#include "gui/alarm/fmAlarmMessage.h"
#include "gui/diagnostics/fmErrorReport.h"
#include "gui/diagnostics/paErrorRedirApplication.h"
#include "gui/help/Help.h"
#include "gui/mail/fmProgress.h"
#include "gui/main/fmMainForm.h"
#include "gui/session/CalDavSyncRunner.h"
#include "gui/session/ProgramSession.h"
#include "gui/sync/CalDavStatus.h"
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

#include <QGuiApplication>
#include <QMetaObject>
#include <QPointer>
#include <memory>

using namespace kelvo;

namespace {

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
    THelp::InstallF1(app);
    TAlarmMessageForm::HelpHandler() = [](int topic) { THelp::ShowTopic(topic); };

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
            // The process ends at once: a password just changed reaches its store first.
            form->Session().Settings().FinishSecrets();
        } catch (...) {
            DispatchError(nullptr);
        }
        TSessionEndWatcher::EndProcessNow(0);
    });

    // The actions get their settings from the session right after every settings load, before
    // anything can arise.
    auto session = std::make_unique<TProgramSession>(ini, timers);
    session->SetStartupShortcut(&shortcut);
    TPlatformActions& actions = session->InstallActions();
    // Every SMTP send shows its progress.
    actions.Mailer().CreateProgress = &CreateMailProgressWindow;
    QObject::connect(session.get(), &TProgramSession::dataLoaded,
                     [] { TSessionEndWatcher::DeliverSignals(); });
    auto owned = std::make_unique<TMainForm>(*session);
    form = owned.get();
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

    // kelvo-cli sync asks through the instance's socket; the sync runs on a worker thread.
    auto calDav = std::make_unique<TCalDavSyncRunner>(*session, ini);
    calDav->SetConfirmParent(form);
    InstallCalDavStatus(*calDav, *form);
    instance.SetCommandHandler([&](const std::string& command, TSingleInstance::TReply reply) {
        if (command == "sync")
            calDav->SyncNow(std::move(reply));
        else if (command == "events-file")
            reply(session->DataFiles().EventsFileName() + "\nexit 0\n");
        else
            reply("error\tunknown command " + command + "\nexit 1\n");
    });
    QObject::connect(
        calDav.get(), &TCalDavSyncRunner::conflictCopiesMade, form,
        [&form] {
            if (form)
                form->Message(TMessageKind::Information,
                              QCoreApplication::translate(
                                  "TCalDavSyncRunner",
                                  "Events changed here and on the CalDAV server were kept twice: "
                                  "the server's version in place and yours as a copy beside it.")
                                  .toStdString());
        },
        Qt::QueuedConnection);

    form->Startup(QCoreApplication::arguments().mid(1));
    form->ShowAtStart();
    form->ShowTipAtStart();

    TClockChangeWatch clockWatch;
    QObject::connect(&clockWatch, &TClockChangeWatch::clockChanged, form, &TMainForm::ClockChanged);
    QObject::connect(form, &TMainForm::exitConfirmed, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);

    const int code = app.exec();
    calDav.reset();
    owned.reset();   // saves settings and data
    session.reset(); // takes the actions out of the action context
    return code;
}

} // namespace

int main(int argc, char** argv) {
    TSessionEndWatcher::EndAtOnceOnSignal();
    TErrorRedirector app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Brennikor"));
    QCoreApplication::setApplicationName(QStringLiteral("Tavrelon MP3"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(BuildVersion()));
    // Ties the windows to the installed desktop entry (its icon and name in the task bar).
    QGuiApplication::setDesktopFileName(QStringLiteral("com.brennikor.Tavrelon"));
    TErrorHandlersSetup errorHandlers;
    InstallErrorReportWindow();
    try {
        return Run(app);
    } catch (...) {
        DispatchError(nullptr);
        return 1;
    }
}
