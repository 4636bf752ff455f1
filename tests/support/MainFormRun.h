#pragma once

// The desktop program's main window over the real settings store and a hand-moved timer
// factory.

#include "gui/main/fmMainForm.h"
#include "gui/session/ProgramSession.h"
#include "platform/settings/AppIniReg.h"
#include "support/TestClock.h"

namespace kelvo::test {

// Not started yet: the test gives the window its handlers and starts it.
struct MainFormParts {
    MainFormParts() : session(ini, timers), form(session) {}
    TAppIniReg ini;
    ManualTimerFactory timers;
    TProgramSession session;
    TMainForm form;
};

// Started quietly: messages are dropped and every question is answered yes.
struct MainFormRun : MainFormParts {
    MainFormRun() {
        form.ShowMessage = [](TMessageKind, const QString&) {};
        form.Confirm = [](const QString&) { return true; };
        form.Startup({});
    }
};

} // namespace kelvo::test
