#pragma once

// The desktop program's main window over the real settings store and a hand-moved timer
// factory, started quietly: messages are dropped and every question is answered yes.

#include "gui/main/fmMainForm.h"
#include "gui/session/ProgramSession.h"
#include "platform/settings/AppIniReg.h"
#include "support/TestClock.h"

namespace kelvo::test {

struct MainFormRun {
    MainFormRun() : session(ini, timers), form(session) {
        form.ShowMessage = [](TMessageKind, const QString&) {};
        form.Confirm = [](const QString&) { return true; };
        form.Startup({});
    }
    TAppIniReg ini;
    ManualTimerFactory timers;
    TProgramSession session;
    TMainForm form;
};

} // namespace kelvo::test
