// The main window's commands open the real editors: "&New..." the event dialog, whose OK adds
// the event and whose Cancel adds nothing; "Add &Quick Event..." the quick event dialog; the
// Calendar page is the month grid; "Options..." opens the options dialog.

#include "gui/calendar/DrawCalendar.h"
#include "gui/dialogs/fmQuickEventCreate.h"
#include "gui/editors/fmEventForm.h"
#include "gui/main/fmMainForm.h"
#include "gui/options/fmOption.h"
#include "gui/session/ProgramSession.h"
#include "platform/settings/AppIniReg.h"
#include "support/MainFormRun.h"
#include "support/TestClock.h"
#include "support/TestSupport.h"
#include "support/WhenShown.h"
#include "support/WindowTestMain.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace kelvo;
using kelvo::test::Shown;
using kelvo::test::WhenShown;

namespace {

test::TempDir* home = nullptr;

struct Run : test::MainFormRun {
    Run() { form.show(); }
};

bool HasEvent(TProgramSession& session, const std::string& message) {
    for (int i = 0; i < session.Notebook().EventCount(); ++i)
        if (session.Notebook().Event(i).WindowMessage() == message)
            return true;
    return false;
}

} // namespace

class MainWindowEditorsTest : public QObject {
    Q_OBJECT

private slots:
    void newOpensTheEventDialogWhoseOkAddsAndCancelDoesNot() {
        Run run;
        run.form.ShowPage(3);
        const int before = run.session.Notebook().EventCount();
        WhenShown<TEventForm>([](TEventForm& dialog) {
            dialog.findChild<QPlainTextEdit*>(QStringLiteral("MessageMemo"))
                ->setPlainText(QStringLiteral("Dentist"));
            dialog.reject();
        });
        run.form.Command(QStringLiteral("EntityInsert"))->trigger();
        QCOMPARE(run.session.Notebook().EventCount(), before);

        WhenShown<TEventForm>([](TEventForm& dialog) {
            dialog.findChild<QPlainTextEdit*>(QStringLiteral("MessageMemo"))
                ->setPlainText(QStringLiteral("Dentist"));
            dialog.accept();
        });
        run.form.Command(QStringLiteral("EntityInsert"))->trigger();
        QCOMPARE(run.session.Notebook().EventCount(), before + 1);
        QVERIFY(HasEvent(run.session, "Dentist"));
    }

    void quickEventComesFromTheQuickEventDialog() {
        Run run;
        WhenShown<TQuickEventForm>([](TQuickEventForm& dialog) {
            dialog.findChild<QLineEdit*>(QStringLiteral("QuickDescription"))
                ->setText(QStringLiteral("Tea"));
            dialog.accept();
        });
        run.form.Command(QStringLiteral("EventNewQuick"))->trigger();
        QVERIFY(HasEvent(run.session, "Tea"));
    }

    void theCalendarPageIsTheMonthGridAndOptionsOpen() {
        Run run;
        QVERIFY(run.form.findChild<TDrawCalendar*>(QStringLiteral("Calendar")) != nullptr);
        QAction* options = run.form.Command(QStringLiteral("ServiceOptions"));
        QVERIFY(options->isEnabled());
        options->trigger();
        QVERIFY(QTest::qWaitFor([] { return Shown<TOptionsForm>() != nullptr; }, 5000));
        Shown<TOptionsForm>()->reject();
    }
};

int main(int argc, char** argv) {
    return test::WindowTestMain<MainWindowEditorsTest>(argc, argv, &home);
}

#include "MainWindowEditorsTest.moc"
