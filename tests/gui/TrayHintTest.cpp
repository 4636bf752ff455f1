// The tray's hint in the real main window offscreen, at a fixed time: what it lists, and how
// it and its tooltip copy follow the notebook.

#include "core/actions/AlarmSwitches.h"
#include "gui/main/TrayIcon.h"
#include "gui/main/fmMainForm.h"
#include "gui/session/ProgramSession.h"
#include "platform/settings/AppIniReg.h"
#include "support/EntitySamples.h"
#include "support/MainFormRun.h"
#include "support/TestClock.h"
#include "support/TestSupport.h"
#include "support/WindowTestMain.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QTest>
#include <QTreeWidget>
#include <filesystem>

using namespace kelvo;
namespace fs = std::filesystem;

namespace {

test::TempDir* home = nullptr;

QStringList Rows(const QTreeWidget& list) {
    QStringList rows;
    for (int i = 0; i < list.topLevelItemCount(); ++i)
        rows << list.topLevelItem(i)->text(0) + QLatin1Char('|') + list.topLevelItem(i)->text(1);
    return rows;
}

} // namespace

class TrayHintTest : public QObject {
    Q_OBJECT

    struct Run : test::MainFormRun {
        void Add(const char* name, TDateTime when) {
            auto event = samples::SilentEventOnceAt(when, name);
            event->SetDescription(name);
            session.Notebook().AddEvent(std::move(event));
        }
    };

private slots:
    void init() {
        fs::remove_all(home->Path() / "data");
        fs::remove_all(home->Path() / "config");
        AlarmSwitches().SetAlarmMode(0);
    }

    void hintListsTheNextEventAndTodaysAndFollowsTheNotebook() {
        test::TestClock clock(EncodeDateTime(2030, 6, 1, 9, 0));
        Run run;
        TTrayIcon& tray = run.form.Tray();
        QCOMPARE(tray.ToolTip(),
                 QStringLiteral("Next event: None\nToday's upcoming events:\nNone"));

        run.Add("Train", EncodeDateTime(2030, 6, 2, 8, 0));
        // A notebook change alone refreshes the tooltip, as hosts without hover show only it.
        QVERIFY2(tray.ToolTip().startsWith(QLatin1String("Next event: Train (08:00, ")),
                 qPrintable(tray.ToolTip()));
        QVERIFY(tray.ToolTip().endsWith(QLatin1String("Today's upcoming events:\nNone")));
        run.Add("Call Ann", EncodeDateTime(2030, 6, 1, 15, 0));
        run.Add("Dentist", EncodeDateTime(2030, 6, 1, 10, 30));
        run.Add("Past", EncodeDateTime(2030, 6, 1, 8, 0));
        QCOMPARE(tray.ToolTip(), QStringLiteral("Next event: Dentist (10:30)\n"
                                                "Today's upcoming events:\n"
                                                "10:30  Dentist\n15:00  Call Ann"));

        tray.ShowHint(QPoint(700, 500));
        TTrayHintForm& hint = tray.Hint();
        QVERIFY(hint.isVisible());
        QCOMPARE(hint.NextLabel().text(), QStringLiteral("Dentist"));
        QCOMPARE(hint.NextTimeLabel().text(), QStringLiteral("10:30"));
        QCOMPARE(Rows(hint.List()), (QStringList{"Dentist|10:30", "Call Ann|15:00"}));
        QVERIFY(!hint.NoneLabel().isVisibleTo(&hint));
        QVERIFY(hint.TimeLabel().text().contains(QLatin1String("2030")));
        // Every row fits: the window ends with the list.
        QVERIFY(hint.List().geometry().bottom() < hint.height());
        hint.grab().save(QStringLiteral("/tmp/kelvo-tray-hint-offscreen.png"));

        // An open hint follows the notebook too; the menu opening hides it.
        run.Add("Lunch", EncodeDateTime(2030, 6, 1, 12, 0));
        QCOMPARE(Rows(hint.List()),
                 (QStringList{"Dentist|10:30", "Lunch|12:00", "Call Ann|15:00"}));
        emit tray.Menu().aboutToShow();
        QVERIFY(!hint.isVisible());
        // No key text where no key can be grabbed (here as under Wayland), none for the options.
        for (QAction* item : tray.Menu().actions())
            QVERIFY2(item->shortcut().isEmpty(), qPrintable(item->text()));

        // With a dialog open the menu gives way to it.
        QDialog dialog(&run.form);
        dialog.open();
        tray.Menu().popup(QPoint(700, 500));
        QTRY_VERIFY(!tray.Menu().isVisible());
        QVERIFY(dialog.isVisible());
    }
};

int main(int argc, char** argv) {
    return test::WindowTestMain<TrayHintTest>(argc, argv, &home);
}

#include "TrayHintTest.moc"
