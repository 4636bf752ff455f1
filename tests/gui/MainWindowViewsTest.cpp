// The main window's views as the options and the notebook shape them: fonts and colours from
// the options dialog at once and at the next start, the elapsed time in the names of counting
// events, template rows among a template's events and what the commands take from them, and
// "Back" to the parent template.

#include "core/options/ProgramOptions.h"
#include "core/scheduling/SimpleInitializeCondition.h"
#include "gui/calendar/DrawCalendar.h"
#include "gui/editors/fmEventForm.h"
#include "gui/events/EventListView.h"
#include "gui/main/fmMainForm.h"
#include "gui/models/EventFilterModel.h"
#include "gui/models/EventListModel.h"
#include "gui/models/TemplateTreeModel.h"
#include "gui/options/paColorButton.h"
#include "gui/templates/FavouritesBar.h"
#include "gui/templates/TemplateTreeView.h"
#include "support/EntitySamples.h"
#include "support/MainFormRun.h"
#include "support/OptionsDialogRun.h"
#include "support/TestSupport.h"
#include "support/WhenShown.h"
#include "support/WindowTestMain.h"

#include <QApplication>
#include <QCheckBox>
#include <QDragEnterEvent>
#include <QFontDialog>
#include <QLabel>
#include <QListView>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTreeView>
#include <filesystem>

using namespace kelvo;
namespace fs = std::filesystem;

namespace {

test::TempDir* home = nullptr;

// The colour a view's empty area is painted with, as the user sees it.
QColor Background(QAbstractItemView* view) {
    const QImage shot = view->viewport()->grab().toImage();
    return shot.pixelColor(shot.width() - 3, shot.height() - 3);
}

void ChooseFont(test::OptionsRun& run, const char* button, const QFont& font) {
    run.Control<QPushButton>(button)->click();
    QFontDialog* fonts = nullptr;
    for (QFontDialog* shown : run.dialog->findChildren<QFontDialog*>())
        if (shown->isVisible())
            fonts = shown;
    QVERIFY(fonts);
    fonts->setCurrentFont(font);
    fonts->accept();
}

std::unique_ptr<TEvent> Daily(TDateTime from, const std::string& message, bool counting) {
    auto e = samples::SilentEventOnceAt(from, message);
    auto& simple =
        static_cast<TSimpleInitializeCondition&>(e->InitializeCondition().Conditions().Items(0));
    TDailyDateCondition every;
    every.SetFromDate(DateOf(from));
    simple.SetDateCondition(&every);
    if (counting) {
        TEventOptions options = e->Options();
        options.Include(eoComputeCount);
        e->SetOptions(options);
    }
    return e;
}

QStringList Names(const TEventListView& list) {
    QStringList names;
    for (int row = 0; row < list.Rows().rowCount(); ++row)
        names << list.Rows().index(row, TEventListModel::ColName).data().toString();
    return names;
}

// Work (with Meetings and Calls under it) before the default template; Report filed under
// Work, Standup under Meetings.
void AddWorkTemplates(TProgramSession& session) {
    TTemplateTree& tree = session.Templates();
    const auto make = [&](TTemplateNode* parent, const char* name) -> TTemplateNode& {
        auto t = std::make_unique<TEventTemplate>(nullptr);
        t->SetTemplate(name);
        return tree.AddTemplate(parent, parent ? -1 : 0, std::move(t));
    };
    TTemplateNode& work = make(nullptr, "Work");
    make(&work, "Meetings");
    make(&work, "Calls");
    session.TemplateModel().Refresh();
    auto report = samples::SilentEventOnceAt(EncodeDateTime(2030, 6, 3, 9, 0), "Report");
    report->SetTemplate("Work");
    session.Notebook().AddEvent(std::move(report));
    auto standup = samples::SilentEventOnceAt(EncodeDateTime(2030, 6, 2, 9, 0), "Standup");
    standup->SetTemplate("Meetings");
    session.Notebook().AddEvent(std::move(standup));
}

QStringList Column(const TEventListView& list, int column) {
    QStringList cells;
    for (int row = 0; row < list.Rows().rowCount(); ++row)
        cells << list.Rows().index(row, column).data().toString();
    return cells;
}

// KELVO_SHOTS=folder keeps a picture for a look by eye.
void Shot(QWidget& window, const char* name) {
    const QByteArray folder = qgetenv("KELVO_SHOTS");
    if (!folder.isEmpty())
        window.grab().save(
            QStringLiteral("%1/%2.png").arg(QString::fromLocal8Bit(folder), QLatin1String(name)));
}

void Activate(QWidget& window) {
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
}

} // namespace

class MainWindowViewsTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        fs::remove_all(home->Path() / "data");
        fs::remove_all(home->Path() / "config");
    }

    void fontsAndColoursTakeEffectOnOkAndAtTheNextStart() {
        const QFont big(QStringLiteral("DejaVu Serif"), 15);
        {
            test::OptionsRun run;
            TEventListView& all = run.form.List(3);
            const QColor before = Background(all.DetailsView());
            QVERIFY(run.Open());
            ChooseFont(run, "FontEventsViewButton", big);
            ChooseFont(run, "FontTemplatesTreeButton", big);
            run.Control<TpaColorButton>("ColorAllEventsButton")->SetValue(0x0000FF);     // red
            run.Control<TpaColorButton>("ColorTemplatesTreeButton")->SetValue(0x00FF00); // lime
            run.Control<TpaColorButton>("ColorCalendarEvenMonthButton")->SetValue(0xFFFF00);
            run.Press(QDialogButtonBox::Ok);

            // At once, without a restart.
            QCOMPARE(all.DetailsView()->font().family(), big.family());
            QCOMPARE(all.DetailsView()->font().pointSize(), 15);
            QCOMPARE(all.IconsView()->font().pointSize(), 15);
            QCOMPARE(Background(all.DetailsView()), QColor(Qt::red));
            // The other lists keep the desktop's background; the font is every list's.
            run.form.ShowPage(2);
            QCOMPARE(Background(run.form.List(2).DetailsView()), before);
            QCOMPARE(run.form.List(2).DetailsView()->font().pointSize(), 15);
            run.form.ShowPage(0);
            QCOMPARE(run.form.TemplateTree().font().pointSize(), 15);
            QCOMPARE(Background(&run.form.TemplateTree()), QColor(Qt::green));
            auto& grid = static_cast<TDrawCalendar&>(run.form.CalendarGrid());
            QCOMPARE(grid.MonthColor(EncodeDate(2030, 6, 1)), QColor(Qt::cyan));
        }
        test::OptionsRun again;
        again.form.ShowPage(0);
        QCOMPARE(again.form.TemplateTree().font().pointSize(), 15);
        QCOMPARE(Background(&again.form.TemplateTree()), QColor(Qt::green));
        again.form.ShowPage(3);
        QCOMPARE(again.form.List(3).DetailsView()->font().family(), big.family());
        QCOMPARE(Background(again.form.List(3).DetailsView()), QColor(Qt::red));
        Shot(again.form, "views-options");
        // Back to the factory colours: the desktop's own again.
        QVERIFY(again.Open());
        again.dialog->ResetButton("Color")->click();
        again.Press(QDialogButtonBox::Ok);
        QCOMPARE(Background(again.form.List(3).DetailsView()),
                 QApplication::palette().color(QPalette::Base));
    }

    void countingEventsShowTheirAgeNowAndOnTheCalendarsDay() {
        test::TestClock clock(EncodeDateTime(2024, 3, 4, 8, 0));
        test::MainFormRun run;
        TReminderNotebook& notebook = run.session.Notebook();
        notebook.AddEvent(Daily(EncodeDateTime(2024, 1, 1, 10, 0), "Pills", true));
        notebook.AddEvent(Daily(EncodeDateTime(2024, 1, 1, 11, 0), "Walk", false));
        // Not yet begun: nothing has elapsed.
        notebook.AddEvent(Daily(EncodeDateTime(2024, 4, 1, 9, 0), "Later", true));
        run.form.ShowPage(3);
        QCOMPARE(Names(run.form.List(3)),
                 (QStringList{"Later", "Pills (2 month(s), 3 day(s))", "Walk"}));

        run.form.SetSelectedDay(EncodeDate(2024, 4, 10));
        run.form.ShowPage(1);
        QCOMPARE(Names(run.form.List(1)),
                 (QStringList{"Later (9 day(s))", "Pills (3 month(s), 9 day(s))", "Walk"}));
        run.form.show();
        Shot(run.form, "views-counting");
        // Sorted by the names shown, descending.
        run.form.List(1).SortBy(TEventListModel::ColName, false);
        QCOMPARE(Names(run.form.List(1)).first(), QStringLiteral("Walk"));
        // The other pages count to now still.
        run.form.ShowPage(3);
        QCOMPARE(Names(run.form.List(3)).at(1), QStringLiteral("Pills (2 month(s), 3 day(s))"));
    }

    void aTemplatesChildrenAreListedBeforeItsEventsAndOpenWithEnter() {
        test::TestClock clock(EncodeDateTime(2030, 6, 1, 8, 0));
        test::OptionsRun run;
        AddWorkTemplates(run.session);
        TMainForm& form = run.form;
        Activate(form);
        form.ShowPage(0);
        TTemplateTreeView& tree = form.TemplateTree();
        tree.SelectNode(run.session.Templates().FindTemplate("Work"));
        TEventListView& list = form.List(0);
        QCOMPARE(Names(list), QStringList{"Report"});

        // "Show templates in event list" on the options' Behaviour page: at once.
        QVERIFY(run.Open());
        run.Control<QCheckBox>("BehaviourShowTemplateInListCheckBox")->click();
        run.Press(QDialogButtonBox::Ok);
        QCOMPARE(Names(list), (QStringList{"Calls", "Meetings", "Report"}));
        QCOMPARE(Column(list, TEventListModel::ColTemplate),
                 (QStringList{"Calls", "Meetings", "Work"}));
        QCOMPARE(Column(list, TEventListModel::ColNextEvent).first(), QString());
        QCOMPARE(Column(list, TEventListModel::ColState).first(), QString());
        QVERIFY(!list.Rows().index(0, 0).data(Qt::DecorationRole).value<QIcon>().isNull());
        // Template rows are not counted as listed events, nor on any other page.
        QVERIFY(form.CountText().endsWith(QStringLiteral("2 event(s), 1 listed")));
        Shot(form, "views-template-rows");
        form.ShowPage(3);
        QCOMPARE(Names(form.List(3)), (QStringList{"Report", "Standup"}));
        form.ShowPage(0);

        // Ascending puts template rows first, descending last, whatever the column; among
        // themselves their empty cells keep the tree's order.
        list.SortBy(TEventListModel::ColNextEvent, true);
        QCOMPARE(Names(list), (QStringList{"Meetings", "Calls", "Report"}));
        list.SortBy(TEventListModel::ColName, false);
        QCOMPARE(Names(list), (QStringList{"Report", "Meetings", "Calls"}));

        // A template row drags its template, here onto the favourite templates bar.
        const int calls = Names(list).indexOf("Calls");
        std::unique_ptr<QMimeData> drag(list.Rows().mimeData({list.Rows().index(calls, 0)}));
        QVERIFY(drag);
        QWidget& bar = form.FavouritesBar();
        const QPoint at(5, bar.height() / 2);
        QDragEnterEvent enter(at, Qt::CopyAction, drag.get(), Qt::LeftButton, {});
        QApplication::sendEvent(&bar, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(at), Qt::CopyAction, drag.get(), Qt::LeftButton, {});
        QApplication::sendEvent(&bar, &drop);
        QVERIFY(run.session.Templates().FindTemplate("Calls")->Template()->Quickly());

        // A template row is the entity the commands act on; Enter explores it.
        Activate(form);
        list.SelectTemplate(list.Rows().TemplateAt(1), true);
        QVERIFY(list.HasFocus());
        form.UpdateCommands();
        QVERIFY(form.Command("TemplateOpen")->isEnabled());
        QVERIFY(form.Command("EntityRename")->isEnabled());
        form.Command("TemplateAddToQuickToolbar")->trigger();
        QVERIFY(run.session.Templates().FindTemplate("Meetings")->Template()->Quickly());
        QVERIFY(form.SelectedEvents().empty());
        QTest::keyClick(list.ShownView(), Qt::Key_Return);
        QCOMPARE(tree.SelectedNode(), run.session.Templates().FindTemplate("Meetings"));
        QCOMPARE(Names(list), QStringList{"Standup"});
        QVERIFY(list.HasFocus());
        Shot(form, "views-explored");
    }

    // A new event by the selected template takes the template row selected in the list, not
    // the tree's; Paste files under the template being shown, as into an open folder.
    void aNewEventTakesTheSelectedTemplateRowAndPasteTheShownTemplate() {
        test::TestClock clock(EncodeDateTime(2030, 6, 1, 8, 0));
        test::MainFormRun run;
        AddWorkTemplates(run.session);
        run.session.Settings().Options().BehaviourShowTemplateInList.SetValue(true);
        TMainForm& form = run.form;
        TTemplateTree& templates = run.session.Templates();
        TEventListView& list = form.List(0);
        form.ShowPage(0);
        const auto selectCallsRow = [&] {
            // Back from the event dialog, which stays made for the next time.
            form.show();
            form.activateWindow();
            QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(&form));
            form.TemplateTree().SelectNode(templates.FindTemplate("Work"));
            QVERIFY(list.SelectTemplate(templates.FindTemplate("Calls")->Template(), true));
            QVERIFY(list.HasFocus());
        };
        const auto templateOf = [&](const char* message) {
            for (int i = 0; i < run.session.Notebook().EventCount(); ++i)
                if (run.session.Notebook().Event(i).WindowMessage() == message)
                    return QString::fromStdString(run.session.Notebook().Event(i).Template());
            return QString();
        };

        selectCallsRow();
        QString caption;
        test::WhenShown<TEventForm>([&caption](TEventForm& dialog) {
            caption = dialog.windowTitle();
            dialog.findChild<QPlainTextEdit*>(QStringLiteral("MessageMemo"))
                ->setPlainText(QStringLiteral("Call the bank"));
            dialog.accept();
        });
        form.Command("EventByCurrentTemplate")->trigger();
        QCOMPARE(caption, QStringLiteral("New Event by template \"Calls\""));
        QCOMPARE(templateOf("Call the bank"), QStringLiteral("Calls"));

        form.TemplateTree().SelectNode(templates.FindTemplate("Meetings"));
        QVERIFY(list.SelectEvent(*list.Rows().EventAt(0), true));
        form.UpdateCommands();
        form.Command("EditCopyAction")->trigger();
        selectCallsRow();
        form.UpdateCommands();
        QVERIFY(form.Command("EditPasteAction")->isEnabled());
        const int before = run.session.Notebook().EventCount();
        form.Command("EditPasteAction")->trigger();
        QCOMPARE(run.session.Notebook().EventCount(), before + 1);
        QStringList standups;
        for (int i = 0; i < run.session.Notebook().EventCount(); ++i)
            if (run.session.Notebook().Event(i).WindowMessage() == "Standup")
                standups << QString::fromStdString(run.session.Notebook().Event(i).Template());
        QCOMPARE(standups, (QStringList{"Meetings", "Work"}));
    }

    void backspaceGoesBackToTheParentTemplate() {
        test::TestClock clock(EncodeDateTime(2030, 6, 1, 8, 0));
        test::MainFormRun run;
        AddWorkTemplates(run.session);
        TMainForm& form = run.form;
        TTemplateTree& templates = run.session.Templates();
        TTemplateTreeView& tree = form.TemplateTree();
        TEventListView& list = form.List(0);
        Activate(form);
        form.ShowPage(0);
        const auto backspace = [&] { QTest::keyClick(list.ShownView(), Qt::Key_Backspace); };

        // Without template rows the parent's first row is selected.
        tree.SelectNode(templates.FindTemplate("Meetings"));
        list.ShownView()->setFocus();
        backspace();
        QCOMPARE(tree.SelectedNode(), templates.FindTemplate("Work"));
        QCOMPARE(list.CurrentEvent()->WindowMessage(), std::string("Report"));
        QVERIFY(list.HasFocus());

        run.session.Settings().Options().BehaviourShowTemplateInList.SetValue(true);
        tree.SelectNode(templates.FindTemplate("Meetings"));
        list.ShownView()->setFocus();
        backspace();
        QCOMPARE(tree.SelectedNode(), templates.FindTemplate("Work"));
        QCOMPARE(list.CurrentTemplate(), templates.FindTemplate("Meetings")->Template());
        QVERIFY(list.HasFocus());
        // From a first-level template to the first level itself, which has no parent.
        backspace();
        QCOMPARE(tree.SelectedNode(), nullptr);
        QCOMPARE(Names(list), (QStringList{"Miscellaneous", "Work"}));
        QCOMPARE(list.CurrentTemplate(), templates.FindTemplate("Work")->Template());
        form.UpdateCommands();
        QVERIFY(!form.Command("TemplateUp")->isEnabled());
        backspace();
        QCOMPARE(tree.SelectedNode(), nullptr);

        // With the tree focused "Back" selects the parent node.
        tree.SelectNode(templates.FindTemplate("Calls"));
        tree.setFocus();
        form.UpdateCommands();
        form.Command("TemplateUp")->trigger();
        QCOMPARE(tree.SelectedNode(), templates.FindTemplate("Work"));
        QVERIFY(tree.hasFocus());
    }
};

int main(int argc, char** argv) {
    return test::WindowTestMain<MainWindowViewsTest>(argc, argv, &home, test::TDesktop::Without);
}

#include "MainWindowViewsTest.moc"
