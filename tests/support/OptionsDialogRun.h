#pragma once

// The desktop program's main window over the real settings store, with its actions, and
// its options dialog opened through the "Options..." command.

#include "gui/main/fmMainForm.h"
#include "gui/options/fmOption.h"
#include "gui/session/ProgramSession.h"
#include "platform/settings/AppIniReg.h"
#include "support/TestClock.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>

namespace kelvo::test {

struct OptionsRun {
    OptionsRun() : session(ini, timers), form(session) {
        session.InstallActions();
        form.ShowMessage = [this](TMessageKind, const QString& text) { messages << text; };
        form.Startup({});
        form.show();
    }
    // The dialog as the user opens it; null when the command is missing.
    TOptionsForm* Open() {
        QAction* command = form.Command(QStringLiteral("ServiceOptions"));
        if (!command)
            return nullptr;
        command->trigger();
        dialog = form.findChild<TOptionsForm*>();
        return dialog;
    }
    template <class T> T* Control(const char* name) const {
        return dialog ? dialog->findChild<T*>(QLatin1String(name)) : nullptr;
    }
    void Press(QDialogButtonBox::StandardButton button) {
        dialog->Buttons()->button(button)->click();
        QTest::qWait(0);
    }

    TAppIniReg ini;
    ManualTimerFactory timers;
    TProgramSession session;
    TMainForm form;
    QPointer<TOptionsForm> dialog;
    QStringList messages;
};

} // namespace kelvo::test
