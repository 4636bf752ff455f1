// The main window's pages as a user meets them: every column sorted both ways by clicking its
// header, the Event Filter page's periods and texts, what a screen reader is told, and the
// window's layout surviving a restart.

#include "core/options/ProgramOptions.h"
#include "gui/events/EventListView.h"
#include "gui/main/EventFilterPanel.h"
#include "gui/main/fmMainForm.h"
#include "gui/models/EventFilterModel.h"
#include "gui/models/EventListModel.h"
#include "gui/session/ProgramSession.h"
#include "platform/settings/AppIniReg.h"
#include "support/EntitySamples.h"
#include "support/MainFormRun.h"
#include "support/ShownRows.h"
#include "support/TestClock.h"
#include "support/TestSupport.h"
#include "support/WindowTestMain.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QDateTime>
#include <QHeaderView>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QTest>
#include <QToolBar>
#include <QTreeView>
#include <filesystem>

using namespace kelvo;
namespace fs = std::filesystem;

namespace {

test::TempDir* home = nullptr;

using Run = test::MainFormRun;

std::unique_ptr<TEvent> EventAt(TDateTime when, const std::string& message,
                                const std::string& templateName = "Miscellaneous") {
    auto e = samples::SilentEventOnceAt(when, message);
    e->SetTemplate(templateName);
    return e;
}

QStringList ShownNames(const TEventListView& list) {
    QStringList names;
    for (int row = 0; row < list.Rows().rowCount(); ++row)
        names << list.Rows().index(row, TEventListModel::ColName).data().toString();
    return names;
}

void ClickHeader(QTreeView* view, int column) {
    QHeaderView* header = view->header();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
}

// What a cell means, read back from the text the user sees.
struct TCellValue {
    bool Empty = true;
    double Number = 0;
    QString Text;
};

TCellValue ValueOf(int column, const QString& shown) {
    TCellValue v;
    if (shown.isEmpty())
        return v;
    v.Empty = false;
    switch (column) {
    case TEventListModel::ColLastEvent:
    case TEventListModel::ColNextEvent:
    case TEventListModel::ColNextReminder:
        v.Number =
            shown == QLatin1String("Never")
                ? 1e300
                : double(QDateTime::fromString(shown.mid(4), QStringLiteral("yyyy-MM-dd hh:mm"))
                             .toSecsSinceEpoch());
        break;
    case TEventListModel::ColUntilEvent:
        v.Number = shown.section(QLatin1Char(' '), 0, 0).toInt();
        break;
    default:
        v.Text = shown.toCaseFolded();
        break;
    }
    return v;
}

// -1, 0, 1 as a sorts before, with or after b in ascending order; empty cells are handled
// by the caller.
int Compare(int column, const TCellValue& a, const TCellValue& b) {
    if (column == TEventListModel::ColLastEvent || column == TEventListModel::ColNextEvent ||
        column == TEventListModel::ColNextReminder || column == TEventListModel::ColUntilEvent)
        return a.Number < b.Number ? -1 : a.Number > b.Number ? 1 : 0;
    return a.Text.compare(b.Text);
}

} // namespace

class MainWindowPagesTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        fs::remove_all(home->Path() / "data");
        fs::remove_all(home->Path() / "config");
    }

    void everyColumnSortsBothWaysByValueWithEmptyCellsLast() {
        test::TestClock clock(EncodeDateTime(2024, 5, 10, 12, 0));
        Run run;
        TReminderNotebook& notebook = run.session.Notebook();
        for (auto& e : samples::VariedEvents(14))
            notebook.AddEvent(std::move(e));
        // Same names: the next arising decides.
        notebook.AddEvent(EventAt(EncodeDateTime(2024, 9, 1, 8, 0), "Twin"));
        notebook.AddEvent(EventAt(EncodeDateTime(2024, 6, 1, 8, 0), "Twin"));
        run.form.ShowPage(3);
        run.form.show();
        TEventListView& list = run.form.List(3);
        QTreeView* view = list.DetailsView();
        QCOMPARE(list.Rows().rowCount(), 16);

        for (int column = 0; column < TEventListModel::ColumnCount; ++column) {
            if (column != list.SortColumn())
                ClickHeader(view, column);
            for (const bool ascending : {true, false}) {
                if (list.SortAscending() != ascending)
                    ClickHeader(view, column);
                QCOMPARE(list.SortColumn(), column);
                QCOMPARE(list.SortAscending(), ascending);
                QCOMPARE(view->header()->sortIndicatorSection(), column);
                bool seenEmpty = false;
                for (int row = 0; row + 1 < list.Rows().rowCount(); ++row) {
                    const QString shownA = list.Rows().index(row, column).data().toString();
                    const QString shownB = list.Rows().index(row + 1, column).data().toString();
                    const TCellValue a = ValueOf(column, shownA);
                    const TCellValue b = ValueOf(column, shownB);
                    const QString where = QStringLiteral("column %1 %2 row %3: '%4' then '%5'")
                                              .arg(column)
                                              .arg(ascending ? "up" : "down")
                                              .arg(row)
                                              .arg(shownA, shownB);
                    seenEmpty = seenEmpty || a.Empty;
                    QVERIFY2(!seenEmpty || b.Empty, qPrintable(where));
                    if (a.Empty || b.Empty)
                        continue;
                    int order = Compare(column, a, b);
                    if (order == 0 && column == TEventListModel::ColName)
                        order = Compare(TEventListModel::ColNextEvent,
                                        ValueOf(TEventListModel::ColNextEvent,
                                                list.Rows()
                                                    .index(row, TEventListModel::ColNextEvent)
                                                    .data()
                                                    .toString()),
                                        ValueOf(TEventListModel::ColNextEvent,
                                                list.Rows()
                                                    .index(row + 1, TEventListModel::ColNextEvent)
                                                    .data()
                                                    .toString()));
                    QVERIFY2(ascending ? order <= 0 : order >= 0, qPrintable(where));
                    if (order == 0) // ties keep the notebook's order
                        QVERIFY2(notebook.IndexOf(*list.Rows().EventAt(row)) <
                                     notebook.IndexOf(*list.Rows().EventAt(row + 1)),
                                 qPrintable(where));
                }
            }
        }
        ClickHeader(view, TEventListModel::ColName);
        QCOMPARE(list.SortAscending(), true);
        const QStringList names = ShownNames(list);
        QCOMPARE(names.indexOf("Twin") + 1, names.lastIndexOf("Twin"));
        QCOMPARE(list.Rows().EventAt(names.indexOf("Twin")), &notebook.Event(15));
    }

    void filterPageListsTheDayWeekMonthTextAndTemplate() {
        // Wednesday; the week runs from Sunday the 9th to Saturday the 15th.
        test::TestClock clock(EncodeDateTime(2030, 6, 12, 9, 0));
        Run run;
        TReminderNotebook& notebook = run.session.Notebook();
        notebook.AddEvent(EventAt(EncodeDateTime(2030, 6, 12, 10, 0), "Team meeting", "Work"));
        notebook.AddEvent(EventAt(EncodeDateTime(2030, 6, 14, 10, 0), "Dentist", "Health"));
        notebook.AddEvent(EventAt(EncodeDateTime(2030, 6, 25, 10, 0), "Board MEETING", "work"));
        notebook.AddEvent(EventAt(EncodeDateTime(2030, 7, 3, 10, 0), "Holiday", "Home"));
        notebook.AddEvent(EventAt(EncodeDateTime(2030, 6, 1, 10, 0), "Over", "Home"));
        run.form.Command("ViewFilter")->trigger();
        QCOMPARE(run.form.ShownPage(), 2);
        TEventListView& list = run.form.List(2);
        TEventFilterPanel& panel = run.form.FilterPanel();
        const auto shown = [&] {
            QStringList names = ShownNames(list);
            names.sort();
            return names;
        };
        // The day filter is the first one applied.
        QVERIFY(run.form.Command("FilterByCurrentDay")->isChecked());
        QCOMPARE(shown(), QStringList{"Team meeting"});
        QCOMPARE(run.form.CountText(), QStringLiteral(" 5 event(s), 1 listed"));
        run.form.Command("FilterByCurrentWeek")->trigger();
        QCOMPARE(shown(), (QStringList{"Dentist", "Team meeting"}));
        QCOMPARE(panel.StartEdit()->date(), QDate(2030, 6, 9));
        QCOMPARE(panel.EndEdit()->date(), QDate(2030, 6, 15));
        QVERIFY(run.form.Command("FilterByCurrentWeek")->isChecked());
        QVERIFY(!run.form.Command("FilterByCurrentDay")->isChecked());
        run.form.Command("FilterByCurrentMonth")->trigger();
        // The first of the month arises on that day, though it is over by now.
        QCOMPARE(shown(), (QStringList{"Board MEETING", "Dentist", "Over", "Team meeting"}));
        run.form.Command("FilterAllPeriodAction")->trigger();
        QVERIFY(!panel.StartCheck()->isChecked() && !panel.EndCheck()->isChecked());
        QCOMPARE(list.Rows().rowCount(), 5);

        // Any letter case, anywhere in the text; Enter runs the filter.
        QTest::keyClicks(panel.TextEdit(), QStringLiteral("meet"));
        QCOMPARE(list.Rows().rowCount(), 5);
        QTest::keyClick(panel.TextEdit(), Qt::Key_Return);
        QCOMPARE(shown(), (QStringList{"Board MEETING", "Team meeting"}));
        // The template only by its exact name; Delete clears it.
        panel.SetTemplateName(QStringLiteral("Work"));
        QCOMPARE(shown(), QStringList{"Team meeting"});
        QTest::keyClick(panel.TemplateEdit(), Qt::Key_Delete);
        QVERIFY(panel.TemplateEdit()->text().isEmpty());
        QCOMPARE(list.Rows().rowCount(), 2);
        panel.TextEdit()->clear();
        QTest::keyClick(panel.TextEdit(), Qt::Key_Return);

        // Only a start: everything from that day on.
        panel.StartEdit()->setDate(QDate(2030, 6, 20));
        panel.StartCheck()->setChecked(true);
        QCOMPARE(shown(), (QStringList{"Board MEETING", "Holiday"}));
        // A start after the end moves the end, and the reverse.
        panel.EndCheck()->setChecked(true);
        panel.EndEdit()->setDate(QDate(2030, 6, 30));
        panel.StartEdit()->setDate(QDate(2030, 7, 2));
        QCOMPARE(panel.EndEdit()->date(), QDate(2030, 7, 2));
        panel.EndEdit()->setDate(QDate(2030, 6, 14));
        QCOMPARE(panel.StartEdit()->date(), QDate(2030, 6, 14));
        QCOMPARE(shown(), (QStringList{"Dentist"}));
        QVERIFY(!run.form.Command("FilterByCurrentDay")->isChecked());

        // A new event in the period shows up at once.
        notebook.AddEvent(EventAt(EncodeDateTime(2030, 6, 14, 18, 0), "Concert"));
        QCOMPARE(shown(), (QStringList{"Concert", "Dentist"}));
    }

    void screenReadersHearEveryMenuItemButtonPageAndColumn() {
        Run run;
        run.form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&run.form));
        QStringList unnamed;
        int menuItems = 0;
        const auto visit = [&](QAccessibleInterface* node, const QString& where) {
            if (!node)
                return;
            for (int i = 0; i < node->childCount(); ++i) {
                QAccessibleInterface* child = node->child(i);
                if (!child || child->role() == QAccessible::Separator)
                    continue;
                const QAccessible::Role role = child->role();
                if (role == QAccessible::MenuItem || role == QAccessible::ButtonMenu ||
                    role == QAccessible::ButtonDropDown || role == QAccessible::PushButton ||
                    role == QAccessible::CheckBox || role == QAccessible::ColumnHeader ||
                    role == QAccessible::ListItem) {
                    ++menuItems;
                    if (child->text(QAccessible::Name).trimmed().isEmpty())
                        unnamed << QStringLiteral("%1 #%2").arg(where).arg(i);
                }
            }
        };
        for (QMenu* menu : run.form.findChildren<QMenu*>())
            visit(QAccessible::queryAccessibleInterface(menu), menu->title() + menu->objectName());
        visit(QAccessible::queryAccessibleInterface(run.form.menuBar()),
              QStringLiteral("menu bar"));
        for (QToolBar* bar : run.form.findChildren<QToolBar*>())
            visit(QAccessible::queryAccessibleInterface(bar), bar->objectName());
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(", ")));
        QVERIFY(menuItems > 100);

        // The menus name their commands by their captions.
        QStringList edit;
        for (QAction* a : run.form.menuBar()->actions())
            if (a->text() == QLatin1String("&Edit"))
                for (QAction* item : a->menu()->actions())
                    if (!item->isSeparator())
                        edit << QAccessible::queryAccessibleInterface(a->menu())
                                    ->child(a->menu()->actions().indexOf(item))
                                    ->text(QAccessible::Name);
        QCOMPARE(edit,
                 (QStringList{"Cut", "Copy", "Paste", "Rename...", "Delete...", "Properties...",
                              "Reset Event", "Execute event", "Find Event", "Find Next"}));

        QStringList pages;
        QAccessibleInterface* pageList =
            QAccessible::queryAccessibleInterface(run.form.findChild<QListView*>("PagesList"));
        for (int i = 0; i < pageList->childCount(); ++i)
            pages << pageList->child(i)->text(QAccessible::Name);
        QCOMPARE(pages, (QStringList{"Templates", "Calendar", "Event Filter", "All Events"}));
        for (const char* sheet : {"ExploreSheet", "CalendarSheet", "FilterSheet", "AllSheet"}) {
            QWidget* page = run.form.findChild<QWidget*>(sheet);
            QVERIFY(page);
            QVERIFY(
                !QAccessible::queryAccessibleInterface(page)->text(QAccessible::Name).isEmpty());
        }

        for (int p = 0; p < TMainForm::PageCount; ++p) {
            run.form.ShowPage(p);
            QAccessibleInterface* table =
                QAccessible::queryAccessibleInterface(run.form.List(p).DetailsView());
            QStringList columns;
            for (int i = 0; i < table->childCount(); ++i)
                if (QAccessibleInterface* cell = table->child(i);
                    cell && cell->role() == QAccessible::ColumnHeader)
                    columns << cell->text(QAccessible::Name);
            QCOMPARE(columns, (QStringList{"Name", "Last event", "Next event", "Next reminder",
                                           "Until event", "Template", "State", "When"}));
            QVERIFY(!table->text(QAccessible::Name).isEmpty());
        }
    }

    void layoutSortAndPageSurviveARestart() {
        {
            Run run;
            run.form.show();
            run.form.setGeometry(40, 30, 620, 410);
            run.form.ShowPage(1);
            run.form.SplitterMenu().findChild<QAction*>("SplitterPreset30")->trigger();
            run.form.Command("ViewCalendarSplitterHorAction")->trigger(); // side by side
            run.form.ShowPage(0);
            run.form.Command("ViewStyleList")->trigger();
            TEventListView& all = run.form.List(3);
            all.SortBy(TEventListModel::ColNextEvent, false);
            QHeaderView* header = all.DetailsView()->header();
            header->moveSection(header->visualIndex(TEventListModel::ColState), 1);
            header->setSectionHidden(TEventListModel::ColWhen, true);
            header->resizeSection(TEventListModel::ColTemplate, 133);
            run.form.Command("ViewMainPanelAction")->trigger();
            run.form.Command("FilterByCurrentMonth")->trigger();
            run.form.ShowPage(2);
        }
        Run again;
        again.form.show();
        QCOMPARE(again.form.ShownPage(), 2);
        QCOMPARE(again.form.size(), QSize(620, 410));
        QVERIFY(again.form.Command("FilterByCurrentMonth")->isChecked());
        QVERIFY(!again.form.Command("ViewMainPanelAction")->isChecked());
        QCOMPARE(again.form.List(0).Style(), TEventListView::List);
        QCOMPARE(again.form.List(1).Style(), TEventListView::Details);
        TEventListView& all = again.form.List(3);
        QCOMPARE(all.SortColumn(), int(TEventListModel::ColNextEvent));
        QVERIFY(!all.SortAscending());
        const QHeaderView* header = all.DetailsView()->header();
        QCOMPARE(header->logicalIndex(1), int(TEventListModel::ColState));
        QVERIFY(header->isSectionHidden(TEventListModel::ColWhen));
        QCOMPARE(header->sectionSize(TEventListModel::ColTemplate), 133);
        QCOMPARE(again.form.Splitter(1).orientation(), Qt::Horizontal);
        QCOMPARE(again.session.Settings().Options().ViewCalendarSplitterPercent.Value(), 30.0);
        QCOMPARE(again.form.Command("ViewCalendarSplitterHorAction")->text(),
                 QStringLiteral("&Horizontal"));
    }
};

int main(int argc, char** argv) {
    return test::WindowTestMain<MainWindowPagesTest>(argc, argv, &home);
}

#include "MainWindowPagesTest.moc"
