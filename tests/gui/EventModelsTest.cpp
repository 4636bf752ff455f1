// The session's rows: the event list model with its eight columns, the filters and sorting
// every view uses, the template tree, and the notices that reach several listeners.

#include "core/scheduling/SimpleInitializeCondition.h"
#include "gui/main/fmMainForm.h"
#include "gui/models/EventFilterModel.h"
#include "gui/models/EventListModel.h"
#include "gui/models/TemplateTreeModel.h"
#include "gui/session/ProgramSession.h"
#include "platform/settings/AppIniReg.h"
#include "support/MainFormRun.h"
#include "support/ShownRows.h"
#include "support/TestClock.h"
#include "support/TestSupport.h"
#include "support/WindowTestMain.h"

#include <QApplication>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>
#include <filesystem>
#include <memory>

using namespace kelvo;
namespace fs = std::filesystem;

namespace {

test::TempDir* home = nullptr;

std::unique_ptr<TEvent> Event(TDateTime when, const std::string& message,
                              const std::string& templateName = "Miscellaneous") {
    auto e = std::make_unique<TEvent>();
    e->SetWindowMessage(message);
    e->SetTemplate(templateName);
    e->EventAction().Actions().Clear();
    e->InitializeCondition().Conditions().Add(std::make_unique<TSimpleInitializeCondition>(when));
    return e;
}

QStringList Names(const QAbstractItemModel& model) {
    QStringList names;
    for (int row = 0; row < model.rowCount(); ++row)
        names << model.index(row, TEventListModel::ColName).data().toString();
    return names;
}

} // namespace

class EventModelsTest : public QObject {
    Q_OBJECT

    struct Run : test::MainFormParts {
        Run() {
            form.ShowMessage = [](TMessageKind, const QString& text) { QFAIL(qPrintable(text)); };
            form.Startup({});
        }
    };

private slots:
    void init() {
        fs::remove_all(home->Path() / "data");
        fs::remove_all(home->Path() / "config");
    }

    void rowsHaveTheEightColumnsOfTheLists() {
        test::TestClock clock(EncodeDateTime(2030, 6, 1, 9, 0));
        Run run;
        auto dentist = Event(EncodeDateTime(2030, 6, 4, 9, 30), "Dentist", "Health");
        dentist->SnoozeEvent(); // five minutes from now
        TEvent& e = run.session.Notebook().AddEvent(std::move(dentist));
        const TEventListModel& model = run.session.EventModel();
        QCOMPARE(model.rowCount(), 1);
        QCOMPARE(model.columnCount(), 8);
        QStringList captions, texts;
        for (int column = 0; column < model.columnCount(); ++column) {
            captions << model.headerData(column, Qt::Horizontal).toString();
            texts << model.index(0, column).data().toString();
        }
        QCOMPARE(captions, (QStringList{"Name", "Last event", "Next event", "Next reminder",
                                        "Until event", "Template", "State", "When"}));
        QCOMPARE(texts.mid(0, 7),
                 (QStringList{"Dentist", "Never", "Tue 2030-06-04 09:30", "Never", "3 day(s)",
                              "Health", "Snoozed on Sat 2030-06-01 09:05"}));
        QVERIFY(!texts[7].isEmpty());
        QCOMPARE(model.EventAt(0), &e);
    }

    void headerClickSortsTheMainWindowsListAndFiltersNarrowIt() {
        test::TestClock clock(EncodeDateTime(2030, 6, 1, 9, 0));
        Run run;
        TReminderNotebook& notebook = run.session.Notebook();
        notebook.AddEvent(Event(EncodeDateTime(2030, 6, 3, 8, 0), "beta", "Work"));
        notebook.AddEvent(Event(EncodeDateTime(2030, 6, 9, 8, 0), "Alpha", "Home"));
        notebook.AddEvent(Event(EncodeDateTime(2030, 6, 2, 8, 0), "gamma", "Work"));
        notebook.AddEvent(Event(EncodeDateTime(2030, 5, 1, 8, 0), "delta", "Work")); // over

        run.form.show();
        QTreeView* list = run.form.EventList();
        const auto shownNames = [&] {
            QStringList names;
            for (int row = 0; row < test::ShownRowCount(list); ++row)
                names << test::ShownText(list, row, 0);
            return names;
        };
        // By name until a header is clicked.
        QCOMPARE(shownNames(), (QStringList{"Alpha", "beta", "delta", "gamma"}));

        QHeaderView* header = list->header();
        const auto click = [&](int column) {
            QTest::mouseClick(
                header->viewport(), Qt::LeftButton, {},
                QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
        };
        click(TEventListModel::ColName);
        QCOMPARE(shownNames(), (QStringList{"gamma", "delta", "beta", "Alpha"}));
        click(TEventListModel::ColName);
        QCOMPARE(shownNames(), (QStringList{"Alpha", "beta", "delta", "gamma"}));
        // By moment, not by text; "Never" last.
        click(TEventListModel::ColNextEvent);
        QCOMPARE(shownNames(), (QStringList{"gamma", "beta", "Alpha", "delta"}));
        // A change keeps the order.
        notebook.AddEvent(Event(EncodeDateTime(2030, 6, 5, 8, 0), "epsilon", "Home"));
        QCOMPARE(shownNames(), (QStringList{"gamma", "beta", "epsilon", "Alpha", "delta"}));
        QCOMPARE(run.form.CountText(), QStringLiteral(" 5 event(s), 5 listed"));

        TEventFilterModel& rows = run.form.EventRows();
        rows.SetTemplate(QStringLiteral("work"));
        QCOMPARE(shownNames(), (QStringList{"gamma", "beta", "delta"}));
        rows.SetText(QStringLiteral("MM"));
        QCOMPARE(shownNames(), QStringList{"gamma"});
        rows.SetTemplate({});
        rows.SetText({});
        rows.SetPeriod(EncodeDateTime(2030, 6, 3, 0, 0), EncodeDateTime(2030, 6, 9, 8, 0));
        QCOMPARE(shownNames(), (QStringList{"beta", "epsilon", "Alpha"}));
        QCOMPARE(rows.EventAt(1), &notebook.Event(4));
    }

    void noticesReachEveryListenerAndTheTreeFollowsALoad() {
        test::TestClock clock(EncodeDateTime(2030, 6, 1, 9, 0));
        Run run;
        QSignalSpy first(&run.session, &TProgramSession::eventsChanged);
        QSignalSpy second(&run.session, &TProgramSession::eventsChanged);
        TEventFilterModel other;
        other.setSourceModel(&run.session.EventModel());
        run.session.Notebook().AddEvent(Event(EncodeDateTime(2030, 6, 1, 9, 30), "Tea"));
        QCOMPARE(first.count(), 1);
        QCOMPARE(second.count(), 1);
        QCOMPARE(Names(other), QStringList{"Tea"});
        // The window's own listener saved it and counted it.
        QCOMPARE(run.form.CountText(), QStringLiteral(" 1 event(s), 1 listed"));

        const TTemplateTreeModel& tree = run.session.TemplateModel();
        QCOMPARE(tree.rowCount(), run.session.Templates().Root().ChildCount());
        QVERIFY(tree.rowCount() >= 1);
        QCOMPARE(tree.index(tree.rowCount() - 1, 0).data().toString(),
                 QStringLiteral("Miscellaneous"));
        QVERIFY(!tree.parent(tree.index(0, 0)).isValid());

        QSignalSpy replaced(&run.session, &TProgramSession::dataReplaced);
        run.form.Command(QStringLiteral("FileLoadAction"))->trigger();
        QCOMPARE(replaced.count(), 1);
        QCOMPARE(Names(other), QStringList{"Tea"});
        QCOMPARE(tree.index(tree.rowCount() - 1, 0)
                     .data(TTemplateTreeModel::TemplateRole)
                     .value<void*>(),
                 static_cast<void*>(run.session.Templates().DefaultTemplate()));
    }
};

int main(int argc, char** argv) {
    return test::WindowTestMain<EventModelsTest>(argc, argv, &home);
}

#include "EventModelsTest.moc"
