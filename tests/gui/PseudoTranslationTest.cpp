// The main window and the alarm window under the pseudo-translation en_XA, in which every
// text is bracketed and 40 % longer: a text shown without brackets missed its translation
// call, and a text wider than its control is cut off in a longer language.

#include "core/diagnostics/paErrorReport.h"
#include "core/entities/Event.h"
#include "core/entities/Reminder.h"
#include "core/runtime/RemNotebook.h"
#include "core/scheduling/ReminderInitializeCondition.h"
#include "core/scheduling/SimpleInitializeCondition.h"
#include "core/timers/ProgramFolders.h"
#include "gui/alarm/AlarmWindows.h"
#include "gui/alarm/fmAlarmMessage.h"
#include "gui/diagnostics/fmErrorReport.h"
#include "gui/main/fmMainForm.h"
#include "gui/models/EventListModel.h"
#include "gui/session/ProgramSession.h"
#include "platform/diagnostics/paSetupErrorHandlers.h"
#include "platform/runtime/FolderProvider.h"
#include "platform/runtime/QtTranslations.h"
#include "platform/settings/AppIniReg.h"
#include "support/EntitySamples.h"
#include "support/MainFormRun.h"
#include "support/ShownRows.h"
#include "support/TestClock.h"
#include "support/TestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTest>
#include <QTreeView>
#include <memory>

using namespace kelvo;

namespace {

bool Marked(const QString& text) {
    return text.contains(QLatin1Char('[')) && text.contains(QLatin1Char(']'));
}

// Every text a window shows outside the user's data: labels, buttons, combo items, the
// window's title, unless skipped (data of the user's events). Labels and buttons must show
// all of their text.
void CheckTexts(QWidget* window, const QList<QWidget*>& skipped, bool checkTitle = true) {
    if (checkTitle)
        QVERIFY2(Marked(window->windowTitle()), qPrintable(window->windowTitle()));
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (skipped.contains(label) || !label->isVisible() || label->text().isEmpty())
            continue;
        QVERIFY2(Marked(label->text()), qPrintable(label->objectName() + ": " + label->text()));
        if (!label->wordWrap())
            QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <=
                         label->contentsRect().width(),
                     qPrintable(label->objectName() + " cut off: " + label->text()));
    }
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        if (!button->isVisible() || button->text().isEmpty())
            continue;
        QVERIFY2(Marked(button->text()), qPrintable(button->text()));
        QVERIFY2(button->sizeHint().width() <= button->width(),
                 qPrintable(button->text() + " cut off"));
    }
    for (QComboBox* combo : window->findChildren<QComboBox*>())
        for (int i = 0; i < combo->count(); ++i)
            QVERIFY2(Marked(combo->itemText(i)), qPrintable(combo->itemText(i)));
}

void CheckMenu(QMenu* menu) {
    QVERIFY2(Marked(menu->title()) || menu->title().isEmpty(), qPrintable(menu->title()));
    for (QAction* action : menu->actions()) {
        if (action->isSeparator())
            continue;
        QVERIFY2(Marked(action->text()), qPrintable(action->text()));
        if (action->menu())
            CheckMenu(action->menu());
    }
}

} // namespace

class PseudoTranslationTest : public QObject {
    Q_OBJECT
private slots:
    void mainWindowShowsOnlyTranslatedTextsThatFit() {
        test::TestClock clock(EncodeDateTime(2030, 6, 1, 9, 0));
        test::MainFormRun run;
        TProgramSession& session = run.session;
        TMainForm& form = run.form;
        session.Notebook().AddEvent(
            samples::SilentEventOnceAt(EncodeDateTime(2030, 6, 1, 9, 30), "Dentist"));
        session.Notebook().AddEvent(
            samples::SilentEventOnceAt(EncodeDateTime(2030, 5, 1, 9, 30), "Past"));
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));

        CheckTexts(&form, {});
        if (QTest::currentTestFailed())
            return;
        for (QAction* action : form.menuBar()->actions()) {
            QVERIFY2(Marked(action->text()), qPrintable(action->text()));
            if (action->menu())
                CheckMenu(action->menu());
        }
        CheckMenu(form.TrayMenu());

        QTreeView* list = form.EventList();
        QHeaderView* header = list->header();
        for (int i = 0; i < header->count(); ++i) {
            if (header->isSectionHidden(i))
                continue;
            const QString title = list->model()->headerData(i, Qt::Horizontal).toString();
            QVERIFY2(Marked(title), qPrintable(title));
            QVERIFY2(header->fontMetrics().horizontalAdvance(title) < header->sectionSize(i),
                     qPrintable(title + " cut off"));
        }
        QCOMPARE(test::ShownRowCount(list), 2);
        bool never = false;
        for (int row = 0; row < test::ShownRowCount(list); ++row) {
            // The name is the user's; the next arising is the locale's date or "Never".
            QVERIFY2(Marked(test::ShownText(list, row, TEventListModel::ColState)),
                     qPrintable(test::ShownText(list, row, TEventListModel::ColState)));
            if (Marked(test::ShownText(list, row, TEventListModel::ColNextEvent)))
                never = true;
        }
        QVERIFY(never);
    }

    void alarmWindowShowsOnlyTranslatedTextsThatFit() {
        test::TestClock clock(EncodeDateTime(2024, 3, 4, 8, 29, 30));
        test::ManualTimerFactory timers;
        TReminderNotebook notebook(timers);
        auto alarms = std::make_unique<TAlarmWindows>(notebook);
        alarms->Connect();
        TEvent& e = notebook.AddEvent(
            samples::SilentEventOnceAt(EncodeDateTime(2024, 3, 4, 10, 0), "Meeting"));
        e.SetHasReminder(true);
        auto r = std::make_unique<TReminderInitializeCondition>();
        TOnceRelativeCondition once;
        once.SetFromSubject({90, ptMinute});
        r->SetRelativeCondition(&once);
        e.Reminder()->InitializeCondition().Conditions().Add(std::move(r));
        e.Reminder()->EventAction().Actions().Clear();
        notebook.RestartGenerator();
        for (int i = 0; i < 31; ++i) {
            clock.AdvanceSeconds(1);
            timers.Timers().front()->Fire();
        }
        TAlarmMessageForm* form = alarms->FindAlarmWindow(e);
        QVERIFY(form);
        QVERIFY(QTest::qWaitForWindowExposed(form));
        // An early reminder's title is a text of the program around the event's description.
        CheckTexts(form, {});
        alarms.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void errorReportWindowShowsOnlyTranslatedTextsThatFit() {
        SetupErrorHandlers();
        EpaWarning warning("odd");
        auto report = MakeErrorReport(&warning, 0x1234);
        TErrorReportForm form;
        form.Prepare(*report);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        CheckTexts(&form, {});
        // The first memo holds the program's explanation, the second the report's lines.
        const auto memos = form.findChildren<QPlainTextEdit*>();
        QVERIFY(!memos.isEmpty());
        QVERIFY2(Marked(memos.first()->toPlainText()), qPrintable(memos.first()->toPlainText()));
        form.ToggleDetails();
        CheckTexts(&form, {});
        TeardownErrorHandlers();
    }
};

int main(int argc, char** argv) {
    test::TempDir dir;
    test::UsePrivateFolders(dir.Path());
    qputenv("KELVO_LANGUAGE", "en_XA");
    QApplication app(argc, argv);
    InstallProgramFolders(std::make_unique<TQtFolderProvider>());
    // The translations the build put beside the program.
    const QString folder =
        QFileInfo(QStringLiteral(KELVO_REM_PATH)).absolutePath() + QStringLiteral("/translations");
    if (!InstallTranslations(folder))
        qFatal("no pseudo-translation in %s", qPrintable(folder));
    PseudoTranslationTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "PseudoTranslationTest.moc"
