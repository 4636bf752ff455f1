// The event and template commands in the desktop program's main window: the template tree
// and the favourites bar docked in it, the window's list as the page the commands work on,
// the program's own boxes answered as a user would, arisings driven by the generator.

#include "gui/events/EventCommands.h"

#include "core/entities/EventTemplate.h"
#include "core/scheduling/SimpleInitializeCondition.h"
#include "gui/alarm/AlarmWindows.h"
#include "gui/alarm/fmAlarmMessage.h"
#include "gui/boxes/NonBlockingBoxes.h"
#include "gui/events/DefaultEventDialogs.h"
#include "gui/events/FindEventDialog.h"
#include "gui/main/fmMainForm.h"
#include "gui/models/EventFilterModel.h"
#include "gui/models/EventListModel.h"
#include "gui/models/TemplateTreeModel.h"
#include "gui/session/ProgramSession.h"
#include "gui/templates/DeleteTemplateQuestion.h"
#include "gui/templates/FavouritesBar.h"
#include "gui/templates/TemplateChoiceForm.h"
#include "gui/templates/TemplateDrag.h"
#include "gui/templates/TemplateTreeView.h"
#include "platform/settings/AppIniReg.h"
#include "support/MainFormRun.h"
#include "support/TestClock.h"
#include "support/TestSupport.h"
#include "support/WindowTestMain.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDockWidget>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>
#include <functional>
#include <memory>

using namespace kelvo;
namespace fs = std::filesystem;

namespace {

test::TempDir* home = nullptr;

std::unique_ptr<TEvent> EventAt(TDateTime when, const std::string& message,
                                const std::string& templateName = "Miscellaneous") {
    auto e = std::make_unique<TEvent>();
    e->SetWindowMessage(message);
    e->SetTemplate(templateName);
    e->EventAction().Actions().Clear();
    e->InitializeCondition().SetDateOfCreate(IncHour(-1, when));
    e->InitializeCondition().Conditions().Add(std::make_unique<TSimpleInitializeCondition>(when));
    return e;
}

// Runs act from inside the wait of the next box or dialog that opens; a box act leaves open
// (a failed check) is closed, so that the test goes on.
void WhenBoxOpens(std::function<void(QWidget&)> act) {
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, act = std::move(act)] {
        const std::vector<QWidget*> boxes = OpenBoxes();
        if (boxes.empty())
            return;
        timer->stop();
        timer->deleteLater();
        QPointer<QWidget> box = boxes.back();
        act(*box);
        if (box && box->isVisible())
            box->close();
    });
    timer->start();
}

void Click(QWidget& box, QMessageBox::StandardButton button) {
    auto& message = dynamic_cast<QMessageBox&>(box);
    message.button(button)->click();
}

QStringList Names(const TTemplateNode& node) {
    QStringList names;
    for (int i = 0; i < node.ChildCount(); ++i)
        names << QString::fromStdString(node.Child(i).Text());
    return names;
}

} // namespace

// The main window as the commands see it: the window's list is the active page's list, the
// docked tree picks the Templates page's template. Like the window, it selects every added
// or re-armed event, so an arising moves the selection.
class TestView : public IEventView {
public:
    explicit TestView(TMainForm& form) : form_(form) {}

    QWidget& DialogParent() override { return form_; }
    std::vector<TEvent*> SelectedEvents() override {
        std::vector<TEvent*> events;
        for (const QModelIndex& index : form_.EventList()->selectionModel()->selectedRows())
            if (TEvent* e = form_.EventRows().EventAt(index.row()))
                events.push_back(e);
        return events;
    }
    TEventTemplate* CurrentTemplate() override {
        return page_ == TEventPage::Templates && tree ? tree->SelectedTemplate() : nullptr;
    }
    TDateTime SelectedDay() override { return day_ ? day_ : DateOf(Now()); }
    void SelectEvent(TEvent& event) override {
        for (int row = 0; row < form_.EventRows().rowCount(); ++row)
            if (form_.EventRows().EventAt(row) == &event) {
                form_.EventList()->setCurrentIndex(form_.EventRows().index(row, 0));
                return;
            }
        form_.EventList()->clearSelection();
    }
    TEventPage ActivePage() override { return page_; }
    void ShowPage(TEventPage page) override {
        page_ = page;
        RefreshActivePage();
    }
    std::vector<TEvent*> ListedEvents() override {
        std::vector<TEvent*> events;
        for (int row = 0; row < form_.EventRows().rowCount(); ++row)
            events.push_back(form_.EventRows().EventAt(row));
        return events;
    }
    void SetSelectedDay(TDateTime day) override { day_ = day; }
    void RefreshActivePage() override {
        const TEventTemplate* t = CurrentTemplate();
        form_.EventRows().SetTemplate(t ? QString::fromStdString(t->Template()) : QString());
    }
    void RestoreWindow() override { form_.RestoreWindow(); }

    TTemplateTreeView* tree = nullptr;

private:
    TMainForm& form_;
    TEventPage page_ = TEventPage::All;
    TDateTime day_ = 0;
};

// The program's dialogs, with a hook for what the user does while the event dialog is open.
class TestDialogs : public IEventDialogs {
public:
    explicit TestDialogs(QWidget& parent) : real(parent) {}
    bool ShowEventDialog(TEvent& target, const QString& caption, TDateTime date,
                         int firstPage) override {
        captions << caption;
        return whileOpen ? whileOpen(target)
                         : real.ShowEventDialog(target, caption, date, firstPage);
    }
    bool AskQuickEvent(QString& message, int& delayMinutes) override {
        return real.AskQuickEvent(message, delayMinutes);
    }

    std::function<bool(TEvent&)> whileOpen;
    QStringList captions;
    TDefaultEventDialogs real;
};

class EventCommandsTest : public QObject {
    Q_OBJECT

    struct Run : test::MainFormParts {
        Run() : view(form), dialogs(form), commands(session, view, dialogs) {
            form.ShowMessage = [](TMessageKind, const QString& text) { QFAIL(qPrintable(text)); };
            form.Startup({});
            commands.ConnectAlarmWindows();
            tree = new TTemplateTreeView(commands);
            view.tree = tree;
            auto* dock = new QDockWidget(QStringLiteral("Templates"), &form);
            dock->setWidget(tree);
            form.addDockWidget(Qt::LeftDockWidgetArea, dock);
            bar = new TFavouritesBar(commands, &form);
            form.addToolBar(bar);
            QObject::connect(tree, &TTemplateTreeView::selectedNodeChanged, &form,
                             [this] { view.RefreshActivePage(); });
            QObject::connect(&session, &TProgramSession::eventsChanged, &form,
                             [this](TEvent& e, TChangeKind kind) {
                                 if (kind != ckRemoved)
                                     view.SelectEvent(e);
                             });
            form.show();
            QVERIFY(QTest::qWaitForWindowExposed(&form));
        }
        TTemplateTree& Tree() { return session.Templates(); }
        TEventTemplate& Template(const std::string& name) {
            return TTemplateTree::TemplateOf(Tree().FindTemplate(name));
        }
        TEvent& Add(std::unique_ptr<TEvent> e) { return session.Notebook().AddEvent(std::move(e)); }
        void Tick(test::TestClock& clock, int seconds) {
            for (int i = 0; i < seconds; ++i) {
                clock.AdvanceSeconds(1);
                timers.Timers().front()->Fire();
            }
        }
        // The template names typed into the tree's editor, as the user does it.
        void TypeName(const QString& name) {
            QVERIFY(tree->IsEditing());
            auto* editor = qobject_cast<QLineEdit*>(tree->indexWidget(tree->currentIndex()));
            QVERIFY(editor);
            editor->selectAll();
            QTest::keyClicks(editor, name);
            QTest::keyClick(editor, Qt::Key_Return);
            QTRY_VERIFY(!tree->IsEditing());
        }
        void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
            tree->setFocus();
            QTest::keyClick(tree, static_cast<Qt::Key>(key), modifiers);
        }
        QPoint Where(const std::string& name) {
            tree->SelectNode(Tree().FindTemplate(name));
            return tree->visualRect(tree->currentIndex()).center();
        }
        bool DropOn(QMimeData& data, const QPoint& at, Qt::KeyboardModifiers modifiers) {
            QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                                  modifiers);
            QApplication::sendEvent(tree->viewport(), &enter);
            QDragMoveEvent move(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                                modifiers);
            QApplication::sendEvent(tree->viewport(), &move);
            if (!move.isAccepted())
                return false;
            QDropEvent drop(QPointF(at), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                            modifiers);
            QApplication::sendEvent(tree->viewport(), &drop);
            return drop.isAccepted();
        }

        TestView view;
        TestDialogs dialogs;
        TEventCommands commands;
        TTemplateTreeView* tree = nullptr;
        TFavouritesBar* bar = nullptr;
    };

private slots:
    void init() {
        fs::remove_all(home->Path() / "data");
        fs::remove_all(home->Path() / "config");
    }

    void templatesAreMadeRenamedMovedAndDeletedWithTheTreesKeys() {
        test::TestClock clock(EncodeDateTime(2030, 6, 1, 9, 0));
        Run run;
        const TTemplateNode& root = run.Tree().Root();
        run.tree->SelectNode(run.Tree().DefaultTemplateNode());
        run.Key(Qt::Key_F2);
        QVERIFY(!run.tree->IsEditing()); // the default template keeps its name

        // Insert on the default template: a copy of it under the root, before it, editable.
        run.Key(Qt::Key_Insert);
        QCOMPARE(Names(root), (QStringList{"Miscellaneous1", "Miscellaneous"}));
        run.TypeName(QStringLiteral("Work"));
        run.Key(Qt::Key_Insert);
        run.TypeName(QStringLiteral("Meetings"));
        QCOMPARE(Names(*run.Tree().FindTemplate("Work")), QStringList{"Meetings"});

        // A name already used is refused with the message, and nothing changes.
        run.Key(Qt::Key_F2);
        run.TypeName(QStringLiteral("Work"));
        QTRY_COMPARE(OpenBoxes().size(), std::size_t{1});
        QCOMPARE(dynamic_cast<QMessageBox*>(OpenBoxes().front())->text(),
                 QStringLiteral("Template \"Work\" always exist"));
        Click(*OpenBoxes().front(), QMessageBox::Ok);
        QVERIFY(run.Tree().FindTemplate("Meetings"));

        // Left makes it a first-level template right after its former parent; Up, Down and
        // Right as the tree shows them; nothing moves below the default template.
        run.tree->SelectNode(run.Tree().FindTemplate("Meetings"));
        run.Key(Qt::Key_Left, Qt::AltModifier);
        QCOMPARE(Names(root), (QStringList{"Work", "Meetings", "Miscellaneous"}));
        run.Key(Qt::Key_Up, Qt::AltModifier);
        QCOMPARE(Names(root), (QStringList{"Meetings", "Work", "Miscellaneous"}));
        run.Key(Qt::Key_Down, Qt::AltModifier);
        run.Key(Qt::Key_Down, Qt::AltModifier);
        QCOMPARE(Names(root), (QStringList{"Work", "Meetings", "Miscellaneous"}));
        run.Key(Qt::Key_Right, Qt::AltModifier);
        QCOMPARE(Names(root), (QStringList{"Work", "Miscellaneous"}));
        QCOMPARE(run.tree->SelectedTemplate(), &run.Template("Meetings"));
        QVERIFY(!run.tree->CanMoveUp() && !run.tree->CanMoveDown());

        // A double click on a node makes an event by it; the rename reaches that event.
        QTest::mouseDClick(run.tree->viewport(), Qt::LeftButton, {}, run.Where("Meetings"));
        QCOMPARE(run.session.Notebook().EventCount(), 1);
        TEvent& meeting = run.session.Notebook().Event(0);
        QCOMPARE(meeting.Template(), std::string("Meetings"));
        run.tree->SelectNode(run.Tree().FindTemplate("Meetings"));
        run.Key(Qt::Key_F2);
        run.TypeName(QStringLiteral("Reviews"));
        QCOMPARE(meeting.Template(), std::string("Reviews"));

        // Everything was saved as it went: a load brings the same tree back.
        run.form.Command(QStringLiteral("FileLoadAction"))->trigger();
        QCOMPARE(Names(run.Tree().Root()), (QStringList{"Work", "Miscellaneous"}));
        QCOMPARE(Names(*run.Tree().FindTemplate("Work")), QStringList{"Reviews"});

        // Work has no events of its own: a plain question; Yes deletes it with Reviews and
        // files Reviews' event under the default template.
        run.tree->SelectNode(run.Tree().FindTemplate("Work"));
        WhenBoxOpens([](QWidget& box) {
            QCOMPARE(dynamic_cast<QMessageBox&>(box).text(),
                     QStringLiteral("Delete template \"Work\"?"));
            Click(box, QMessageBox::Yes);
        });
        run.Key(Qt::Key_Delete);
        QCOMPARE(Names(run.Tree().Root()), QStringList{"Miscellaneous"});
        QCOMPARE(run.session.Notebook().Event(0).Template(), std::string("Miscellaneous"));
    }

    void aTemplateInUseIsDeletedWithItsEventsAndTheirAlarmWindows() {
        test::TestClock clock(EncodeDateTime(2030, 6, 1, 9, 0));
        Run run;
        run.Tree().AddTemplate(nullptr, -1, std::make_unique<TEventTemplate>(nullptr));
        TTemplateNode* node = run.Tree().FindTemplate("New template");
        run.commands.RenameTemplate(*node, "Home");
        run.Add(EventAt(EncodeDateTime(2030, 6, 1, 9, 0, 30), "Water the plants", "Home"));
        run.Add(EventAt(EncodeDateTime(2030, 6, 2, 9, 0), "Call Anna", "Home"));
        run.Add(EventAt(EncodeDateTime(2030, 6, 2, 9, 0), "Report"));
        run.Tick(clock, 40); // the plants' alarm is on screen
        QCOMPARE(run.session.AlarmWindows().Count(), 1);

        // Cancel keeps everything; then the template with its events.
        run.tree->SelectNode(run.Tree().FindTemplate("Home"));
        WhenBoxOpens([](QWidget& box) {
            auto& form = dynamic_cast<TDeleteTemplateQuestionForm&>(box);
            QCOMPARE(form.windowTitle(), QStringLiteral("Delete template \"Home\"?"));
            QVERIFY(form.Choice(TDeleteTemplateQuestionForm::OnlyTemplate).isChecked());
            form.reject();
        });
        run.Key(Qt::Key_Delete);
        QCOMPARE(run.session.Notebook().EventCount(), 3);
        WhenBoxOpens([](QWidget& box) {
            auto& form = dynamic_cast<TDeleteTemplateQuestionForm&>(box);
            form.Choice(TDeleteTemplateQuestionForm::WithEvents).setChecked(true);
            form.accept();
        });
        run.Key(Qt::Key_Delete);
        QVERIFY(!run.Tree().FindTemplate("Home"));
        QCOMPARE(run.session.Notebook().EventCount(), 1);
        QCOMPARE(run.session.Notebook().Event(0).WindowMessage(), std::string("Report"));
        QCOMPARE(run.session.AlarmWindows().Count(), 0);
        QCOMPARE(run.form.EventRows().rowCount(), 1);
    }

    void anEventIsCutAndPastedOrDroppedOntoAnotherTemplate() {
        test::TestClock clock(EncodeDateTime(2030, 6, 1, 9, 0));
        Run run;
        for (const char* name : {"Home", "Work"}) {
            auto t = std::make_unique<TEventTemplate>(nullptr);
            t->SetTemplate(name);
            run.Tree().AddTemplate(nullptr, -1, std::move(t));
        }
        run.session.TemplateModel().Refresh();
        TEvent& plants = run.Add(EventAt(EncodeDateTime(2030, 6, 3, 9, 0), "Plants", "Home"));

        // Cut on All Events, paste on the Templates page with Work selected in the tree.
        run.view.SelectEvent(plants);
        run.commands.Cut();
        QCOMPARE(run.session.Notebook().EventCount(), 0);
        QVERIFY(run.commands.CanPaste());
        run.view.ShowPage(TEventPage::Templates);
        run.tree->SelectNode(run.Tree().FindTemplate("Work"));
        TEvent* pasted = run.commands.Paste();
        QVERIFY(pasted);
        QCOMPARE(pasted->Template(), std::string("Work"));
        QCOMPARE(pasted->WindowMessage(), std::string("Plants"));
        QCOMPARE(run.form.EventRows().rowCount(), 1); // the Work page lists it

        // Dropped on Home: moved there; with Ctrl a copy stays behind.
        const int index = run.session.Notebook().IndexOf(*pasted);
        const std::unique_ptr<QMimeData> dragged(EventDragData(index));
        QMimeData& drag = *dragged;
        QVERIFY(run.DropOn(drag, run.Where("Home"), Qt::ControlModifier));
        QCOMPARE(run.session.Notebook().EventCount(), 2);
        QCOMPARE(pasted->Template(), std::string("Work"));
        QCOMPARE(run.session.Notebook().Event(1).Template(), std::string("Home"));
        QVERIFY(run.DropOn(drag, run.Where("Home"), Qt::NoModifier));
        QCOMPARE(pasted->Template(), std::string("Home"));

        // Templates: not onto their own parent nor the default one; onto the root just
        // before the default template.
        QMimeData work;
        SetDragPosition(work, TemplateDragMimeType,
                        run.Tree().AbsoluteIndex(*run.Tree().FindTemplate("Work")));
        QVERIFY(!run.DropOn(work, run.Where("Miscellaneous"), Qt::NoModifier));
        QVERIFY(run.DropOn(work, run.Where("Home"), Qt::NoModifier));
        QCOMPARE(Names(*run.Tree().FindTemplate("Home")), QStringList{"Work"});
        QVERIFY(!run.DropOn(work, run.Where("Home"), Qt::NoModifier));
        SetDragPosition(work, TemplateDragMimeType,
                        run.Tree().AbsoluteIndex(*run.Tree().FindTemplate("Work")));
        QVERIFY(run.DropOn(work, QPoint(5, run.tree->viewport()->height() - 3), Qt::NoModifier));
        QCOMPARE(Names(run.Tree().Root()), (QStringList{"Home", "Work", "Miscellaneous"}));
    }

    void theClipboardRefusesAnEntryItDidNotPutThere() {
        test::TestClock clock(EncodeDateTime(2030, 6, 1, 9, 0));
        Run run;
        TEvent& tea = run.Add(EventAt(EncodeDateTime(2030, 6, 3, 9, 0), "Tea"));
        run.view.SelectEvent(tea);
        run.commands.Copy();
        QVERIFY(run.commands.CanPaste());

        const auto offer = [](const QByteArray& entry) {
            auto* data = new QMimeData;
            data->setData(TEventClipboard::MimeType, entry);
            QGuiApplication::clipboard()->setMimeData(data);
        };
        const std::int64_t pid = QCoreApplication::applicationPid();
        const QByteArray ours =
            QGuiApplication::clipboard()->mimeData()->data(TEventClipboard::MimeType);
        const std::uint64_t serial = ours.split(' ').at(1).toULongLong();
        // Another program's entry, a stale copy of ours, and one past ours.
        for (const QByteArray& foreign :
             {TEventClipboard::EntryData(pid + 1, serial),
              TEventClipboard::EntryData(pid, serial - 1),
              TEventClipboard::EntryData(pid, serial + 1), QByteArray("0x7ffd1234")}) {
            offer(foreign);
            QVERIFY(!run.commands.CanPaste());
            QCOMPARE(run.commands.Paste(), nullptr);
        }
        QGuiApplication::clipboard()->setText(QStringLiteral("Tea"));
        QVERIFY(!run.commands.CanPaste());
        QCOMPARE(run.session.Notebook().EventCount(), 1);
        offer(ours);
        QVERIFY(run.commands.Paste());
        QCOMPARE(run.session.Notebook().EventCount(), 2);
    }

    void anAlarmDuringTheDeleteQuestionNeverRedirectsTheDelete() {
        test::TestClock clock(EncodeDateTime(2030, 6, 1, 9, 0));
        Run run;
        TEvent& report = run.Add(EventAt(EncodeDateTime(2030, 6, 5, 9, 0), "Report"));
        TEvent& tea = run.Add(EventAt(EncodeDateTime(2030, 6, 1, 9, 0, 30), "Tea"));
        run.view.SelectEvent(report);

        // While the question waits, Tea arises and the window selects it.
        bool asked = false;
        WhenBoxOpens([&](QWidget& box) {
            asked = true;
            QCOMPARE(dynamic_cast<QMessageBox&>(box).text(),
                     QStringLiteral("Delete event \"Report\"?"));
            run.Tick(clock, 40);
            QCOMPARE(run.session.AlarmWindows().Count(), 1);
            QCOMPARE(run.view.SelectedEvents(), std::vector<TEvent*>{&tea});
            Click(box, QMessageBox::Yes);
        });
        QVERIFY(run.commands.Delete());
        QVERIFY(asked);
        QVERIFY(run.session.Notebook().Contains(tea));
        QCOMPARE(run.session.Notebook().EventCount(), 1);

        // A target that leaves the notebook meanwhile is not deleted twice, nor replaced by
        // the event that took its place: Tea is erased when its alarm is closed.
        TEventOptions options = tea.Options();
        options.Include(eoEraseAfterComing);
        tea.SetOptions(options);
        TEvent& later = run.Add(EventAt(EncodeDateTime(2030, 6, 9, 9, 0), "Later"));
        run.view.SelectEvent(tea);
        WhenBoxOpens([&](QWidget& box) {
            run.session.AlarmWindows().FindAlarmWindow(tea)->CloseAlarm();
            QVERIFY(!run.session.Notebook().Contains(tea));
            run.view.SelectEvent(later);
            Click(box, QMessageBox::Yes);
        });
        QVERIFY(!run.commands.Delete());
        QCOMPARE(run.session.Notebook().EventCount(), 1);
        QVERIFY(run.session.Notebook().Contains(later));
    }

    void theEventWhosePropertiesAreOpenOutlivesItsAlarmsClose() {
        test::TestClock clock(EncodeDateTime(2030, 6, 1, 9, 0));
        Run run;
        const auto erasedAfterComing = [&](const char* message) -> TEvent& {
            auto e = EventAt(EncodeDateTime(2030, 6, 1, 9, 0, 30), message);
            TEventOptions options = e->Options();
            options.Include(eoEraseAfterComing);
            e->SetOptions(options);
            return run.Add(std::move(e));
        };
        TEvent& pills = erasedAfterComing("Pills");
        TEvent& vitamins = erasedAfterComing("Vitamins");
        run.Tick(clock, 40);
        QCOMPARE(run.session.AlarmWindows().Count(), 2);

        run.view.SelectEvent(pills);
        run.dialogs.whileOpen = [&](TEvent& edited) {
            run.session.AlarmWindows().FindAlarmWindow(edited)->CloseAlarm();
            return true;
        };
        QVERIFY(run.commands.Properties());
        QCOMPARE(run.dialogs.captions, QStringList{"Event Properties: Pills"});
        QVERIFY(run.session.Notebook().Contains(pills));
        QCOMPARE(run.commands.EditedEvent(), nullptr);
        // Not being edited, the other one goes as its window closes.
        run.session.AlarmWindows().FindAlarmWindow(vitamins)->CloseAlarm();
        QCOMPARE(run.session.Notebook().EventCount(), 1);
    }

    void deleteAllTakesTheListedEventsOnly() {
        test::TestClock clock(EncodeDateTime(2030, 6, 1, 9, 0));
        Run run;
        auto t = std::make_unique<TEventTemplate>(nullptr);
        t->SetTemplate("Work");
        run.Tree().AddTemplate(nullptr, -1, std::move(t));
        run.session.TemplateModel().Refresh();
        for (const char* name : {"A", "B", "C"})
            run.Add(EventAt(EncodeDateTime(2030, 6, 3, 9, 0), name, "Work"));
        run.Add(EventAt(EncodeDateTime(2030, 6, 3, 9, 0), "Home chores"));
        run.view.ShowPage(TEventPage::Templates);
        run.tree->SelectNode(run.Tree().FindTemplate("Work"));
        QCOMPARE(run.view.ListedEvents().size(), std::size_t{3});
        WhenBoxOpens([](QWidget& box) {
            QCOMPARE(dynamic_cast<QMessageBox&>(box).text(),
                     QStringLiteral("Are you sure you want to delete these 3 event(s)?"));
            Click(box, QMessageBox::Yes);
        });
        QVERIFY(run.commands.DeleteAll());
        QCOMPARE(run.session.Notebook().EventCount(), 1);
        QCOMPARE(run.form.CountText(), QStringLiteral(" 1 event(s), 0 listed"));
        // Saved at once: a load finds the one event.
        run.form.Command(QStringLiteral("FileLoadAction"))->trigger();
        QCOMPARE(run.session.Notebook().EventCount(), 1);
    }

    void favouriteMenusFollowEveryChangeOfTheFavourites() {
        test::TestClock clock(EncodeDateTime(2030, 6, 1, 9, 0));
        Run run;
        QMenu insertMenu, trayMenu;
        run.bar->AttachMenu(&insertMenu);
        run.bar->AttachMenu(&trayMenu);
        const auto items = [](const QMenu& menu) {
            QStringList texts;
            for (const QAction* a : menu.actions())
                texts << a->text() + (a->isEnabled() ? "" : " (disabled)");
            return texts;
        };
        QCOMPARE(items(insertMenu), QStringList{"[no templates] (disabled)"});

        run.tree->SelectNode(run.Tree().DefaultTemplateNode());
        run.Key(Qt::Key_Insert);
        run.TypeName(QStringLiteral("Garden"));
        // Dropped on the bar: a favourite, a button and an item in both menus.
        QMimeData drag;
        SetDragPosition(drag, TemplateDragMimeType,
                        run.Tree().AbsoluteIndex(*run.Tree().FindTemplate("Garden")));
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &drag, Qt::LeftButton, {});
        QApplication::sendEvent(run.bar, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &drag, Qt::LeftButton, {});
        QApplication::sendEvent(run.bar, &drop);
        QVERIFY(run.Template("Garden").Quickly());
        QCOMPARE(items(insertMenu), QStringList{"Garden"});
        QCOMPARE(items(trayMenu), QStringList{"Garden"});
        QCOMPARE(run.bar->Favourites(), std::vector<TEventTemplate*>{&run.Template("Garden")});

        // The item makes an event by its template; a rename reaches button and items.
        trayMenu.actions().front()->trigger();
        QCOMPARE(run.session.Notebook().EventCount(), 1);
        QCOMPARE(run.session.Notebook().Event(0).Template(), std::string("Garden"));
        run.tree->SelectNode(run.Tree().FindTemplate("Garden"));
        run.Key(Qt::Key_F2);
        run.TypeName(QStringLiteral("Orchard"));
        QCOMPARE(items(insertMenu), QStringList{"Orchard"});
        QCOMPARE(run.bar->ButtonAction(0)->text(), QStringLiteral("Orchard"));

        // Deleted: no item is left pointing at it, in either menu, nor after a load.
        WhenBoxOpens(
            [](QWidget& box) { dynamic_cast<TDeleteTemplateQuestionForm&>(box).accept(); });
        run.Key(Qt::Key_Delete);
        QCOMPARE(items(insertMenu), QStringList{"[no templates] (disabled)"});
        QCOMPARE(items(trayMenu), QStringList{"[no templates] (disabled)"});
        QVERIFY(run.bar->actions().isEmpty());
        run.form.Command(QStringLiteral("FileLoadAction"))->trigger();
        QCOMPARE(items(trayMenu), QStringList{"[no templates] (disabled)"});
    }

    void newEventsByAChosenTemplateAndQuickly() {
        test::TestClock clock(EncodeDateTime(2030, 6, 1, 9, 0));
        Run run;
        auto t = std::make_unique<TEventTemplate>(nullptr);
        t->SetTemplate("Work");
        run.Tree().AddTemplate(nullptr, -1, std::move(t));
        run.session.TemplateModel().Refresh();

        // No template selected anywhere: the choice first; Cancel makes nothing.
        WhenBoxOpens([](QWidget& box) { dynamic_cast<TTemplateChoiceForm&>(box).reject(); });
        QCOMPARE(run.commands.NewByCurrentTemplate(), nullptr);
        WhenBoxOpens([](QWidget& box) {
            auto& form = dynamic_cast<TTemplateChoiceForm&>(box);
            QCOMPARE(form.windowTitle(), QStringLiteral("Choose Template"));
            form.Select("Work");
            form.accept();
        });
        TEvent* made = run.commands.NewByCurrentTemplate();
        QVERIFY(made);
        QCOMPARE(made->Template(), std::string("Work"));
        QCOMPARE(run.dialogs.captions, QStringList{"New Event by template \"Work\""});

        // The quick event proposes its delay; the user's own delay counts from now.
        WhenBoxOpens([](QWidget& box) {
            auto* delay = box.findChild<QSpinBox*>(QStringLiteral("QuickEventDelay"));
            QCOMPARE(delay->value(), 60);
            delay->setValue(15);
            box.findChild<QLineEdit*>(QStringLiteral("QuickEventText"))->setText("Oven");
            dynamic_cast<QDialog&>(box).accept();
        });
        TEvent* quick = run.commands.AskQuickEvent(1, TEventCommands::TDelayUnit::Hours);
        QVERIFY(quick);
        QCOMPARE(quick->WindowMessage(), std::string("Oven"));
        QCOMPARE(quick->InitializeCondition().NextArise(Now()), EncodeDateTime(2030, 6, 1, 9, 15));
        WhenBoxOpens([](QWidget& box) { dynamic_cast<QDialog&>(box).accept(); });
        TEvent* morning = run.commands.QuickTomorrowMorning();
        QVERIFY(morning);
        QCOMPARE(morning->InitializeCondition().NextArise(Now()), EncodeDateTime(2030, 6, 2, 6, 0));
    }

    void findSearchesOnFromTheSelectionWithItsFlags() {
        test::TestClock clock(EncodeDateTime(2030, 6, 1, 9, 0));
        Run run;
        TEvent& a = run.Add(EventAt(EncodeDateTime(2030, 6, 3, 9, 0), "Green tea"));
        run.Add(EventAt(EncodeDateTime(2030, 6, 3, 9, 0), "Coffee"));
        TEvent& c = run.Add(EventAt(EncodeDateTime(2030, 6, 3, 9, 0), "Tea with Anna"));
        TEvent& d = run.Add(EventAt(EncodeDateTime(2030, 6, 3, 9, 0), "Teacups"));

        run.form.EventList()->setCurrentIndex({});
        QVERIFY(run.commands.CanFindNext());
        run.commands.FindNext(); // nothing to search for yet: the dialog
        TFindEventDialog* find = run.commands.FindDialog();
        QVERIFY(find && find->isVisible());
        QVERIFY(!run.commands.CanFindNext());
        QTest::keyClicks(&find->TextEdit(), QStringLiteral("tea"));
        find->FindButton().click();
        QCOMPARE(run.view.SelectedEvents(), std::vector<TEvent*>{&a});
        find->FindButton().click();
        QCOMPARE(run.view.SelectedEvents(), std::vector<TEvent*>{&c});
        find->FindButton().click();
        QCOMPARE(run.view.SelectedEvents(), std::vector<TEvent*>{&d});

        // Whole words and the case: only "Tea with Anna" from the top.
        find->WholeWordsBox().setChecked(true);
        find->MatchCaseBox().setChecked(true);
        find->TextEdit().setText(QStringLiteral("Tea"));
        run.form.EventList()->clearSelection();
        run.form.EventList()->setCurrentIndex({});
        find->FindButton().click();
        QCOMPARE(run.view.SelectedEvents(), std::vector<TEvent*>{&c});
        WhenBoxOpens([](QWidget& box) {
            QCOMPARE(dynamic_cast<QMessageBox&>(box).text(),
                     QStringLiteral("The search is completed"));
            Click(box, QMessageBox::Ok);
        });
        find->FindButton().click();
        QTRY_VERIFY(OpenBoxes().empty());
        QCOMPARE(run.view.SelectedEvents(), std::vector<TEvent*>{&c}); // kept
    }
};

int main(int argc, char** argv) {
    return test::WindowTestMain<EventCommandsTest>(argc, argv, &home);
}

#include "EventCommandsTest.moc"
