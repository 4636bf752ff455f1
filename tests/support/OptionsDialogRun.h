#pragma once

// The desktop program's main window over the real settings store, with its actions, and
// its options dialog opened through the "Options..." command.

#include "gui/options/fmOption.h"
#include "support/MainFormRun.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>

namespace kelvo::test {

struct OptionsRun : MainFormParts {
    OptionsRun() {
        session.InstallActions();
        form.ShowMessage = [this](TMessageKind, const QString& text) { messages << text; };
        form.Startup({});
        form.show();
    }
    // The dialog's pages, in the order of its list.
    enum TPage { Font, Color, Behaviour, Media, Startup, Keyboard, Mail, CalDav };

    // The dialog as the user opens it; null when the command is missing.
    TOptionsForm* Open() {
        QAction* command = form.Command(QStringLiteral("ServiceOptions"));
        if (!command)
            return nullptr;
        command->trigger();
        dialog = form.findChild<TOptionsForm*>();
        return dialog;
    }
    // Opened and turned to that page.
    TOptionsForm* OpenPage(TPage page) {
        if (Open())
            dialog->SetActivePage(page);
        return dialog;
    }
    template <class T> T* Control(const char* name) const {
        return dialog ? dialog->findChild<T*>(QLatin1String(name)) : nullptr;
    }
    void Press(QDialogButtonBox::StandardButton button) {
        dialog->Buttons()->button(button)->click();
        QTest::qWait(0);
    }

    QPointer<TOptionsForm> dialog;
    QStringList messages;
};

} // namespace kelvo::test
