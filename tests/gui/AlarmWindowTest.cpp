#include "core/actions/AlarmSwitches.h"
#include "core/entities/Event.h"
#include "core/entities/Reminder.h"
#include "core/runtime/RemNotebook.h"
#include "core/scheduling/ReminderInitializeCondition.h"
#include "core/scheduling/SimpleInitializeCondition.h"
#include "gui/alarm/AlarmWindows.h"
#include "gui/alarm/fmAlarmMessage.h"
#include "support/TestClock.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <algorithm>
#include <memory>
#include <vector>

using namespace kelvo;

namespace {

// An event that counts its destructions, so that a double deletion shows.
class CountedEvent : public TEvent {
public:
    explicit CountedEvent(int& destroyed) : destroyed_(destroyed) {}
    ~CountedEvent() override { ++destroyed_; }

private:
    int& destroyed_;
};

std::unique_ptr<TEvent> Silent(std::unique_ptr<TEvent> e, const std::string& message) {
    e->SetWindowMessage(message);
    e->EventAction().Actions().Clear();
    return e;
}

void AddOnce(TEvent& e, TDateTime dt) {
    e.InitializeCondition().Conditions().Add(std::make_unique<TSimpleInitializeCondition>(dt));
}

std::unique_ptr<TEvent> EventOnceAt(TDateTime dt, const std::string& message) {
    auto e = Silent(std::make_unique<TEvent>(), message);
    AddOnce(*e, dt);
    return e;
}

std::unique_ptr<TEvent> DailyEventAt(TDateTime start, const std::string& message) {
    auto e = Silent(std::make_unique<TEvent>(), message);
    auto c = std::make_unique<TSimpleInitializeCondition>(start);
    TDailyDateCondition daily;
    daily.SetStartDate(DateOf(start));
    c->SetDateCondition(&daily);
    e->InitializeCondition().Conditions().Add(std::move(c));
    return e;
}

// An early reminder the given minutes before each arising of the event.
void AddReminderMinutesBefore(TEvent& e, int minutes) {
    e.SetHasReminder(true);
    auto r = std::make_unique<TReminderInitializeCondition>();
    TOnceRelativeCondition once;
    once.SetFromSubject({minutes, ptMinute});
    r->SetRelativeCondition(&once);
    e.Reminder()->InitializeCondition().Conditions().Add(std::move(r));
    e.Reminder()->EventAction().Actions().Clear();
}

void WithOption(TEvent& e, TEventOption option) {
    TEventOptions options = e.Options();
    options.Include(option);
    e.SetOptions(options);
}

void WithoutOption(TEvent& e, TEventOption option) {
    TEventOptions options = e.Options();
    options.Exclude(option);
    e.SetOptions(options);
}

void FlushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

template <class T> T* Child(QWidget* form, const char* name) {
    T* child = form->findChild<T*>(QString::fromLatin1(name));
    if (!child)
        qFatal("no control %s", name);
    return child;
}

QString Text(QWidget* form, const char* label) {
    return Child<QLabel>(form, label)->text();
}

int AlarmFormsAlive() {
    int n = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<TAlarmMessageForm*>(w))
            ++n;
    return n;
}

// A real notebook on a hand-driven clock, with the alarm windows connected to it as the main
// window connects them.
struct Rig {
    explicit Rig(TDateTime start = EncodeDateTime(2024, 3, 4, 9, 59, 30))
        : clock(start), notebook(timers), alarms(std::make_unique<TAlarmWindows>(notebook)) {
        notebook.OnChange = [this](TReminderNotebook&, TEvent&, TChangeKind kind) {
            changes.push_back(kind);
        };
        alarms->Connect();
        notebook.RestartGenerator();
    }
    ~Rig() {
        alarms.reset();
        FlushDeletes();
    }

    void RunSeconds(int seconds) {
        for (int i = 0; i < seconds; ++i) {
            clock.AdvanceSeconds(1);
            timers.Timers().front()->Fire();
        }
    }
    int Count(TChangeKind kind) const {
        return static_cast<int>(std::count(changes.begin(), changes.end(), kind));
    }

    test::TestClock clock;
    test::ManualTimerFactory timers;
    TReminderNotebook notebook;
    std::unique_ptr<TAlarmWindows> alarms;
    std::vector<TChangeKind> changes;
};

} // namespace

class AlarmWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        AlarmSwitches().SetAlarmMode(0);
        QVERIFY(AlarmSwitches().AlarmWindowsEnabled());
    }
    void cleanup() {
        AlarmSwitches().SetAlarmMode(0);
        FlushDeletes();
        QCOMPARE(AlarmFormsAlive(), 0);
    }

    void anArisingEventShowsItsTextsColoursAndSnoozeChoice() {
        Rig rig;
        auto made = EventOnceAt(EncodeDateTime(2024, 3, 4, 10, 0), "  Call Ann  \r\nBring papers");
        made->SetWindowColor(clYellow);
        made->SetMessageColor(clWhite);
        made->SetDefaultSnoozeNumber(15);
        made->SetDefaultSnoozePeriod(ptHour);
        TEvent& e = rig.notebook.AddEvent(std::move(made));
        rig.RunSeconds(29);
        QVERIFY(!rig.alarms->FindAlarmWindow(e));
        rig.RunSeconds(1);
        TAlarmMessageForm* form = rig.alarms->FindAlarmWindow(e);
        QVERIFY(form);
        QVERIFY(form->isVisible());
        QVERIFY(!form->isModal());
        QVERIFY(form->IsEventAlarm());
        QVERIFY(!form->Overdue());
        QCOMPARE(form->windowTitle(), QStringLiteral("Call Ann"));
        QCOMPARE(Text(form, "StartedLabel"), QStringLiteral("Started at 10:00 on 2024-03-04"));
        QCOMPARE(Text(form, "AgeLabel"), QString());
        auto* memo = Child<QPlainTextEdit>(form, "MessageMemo");
        QCOMPARE(memo->toPlainText(), QStringLiteral("  Call Ann  \nBring papers"));
        QVERIFY(memo->isReadOnly());
        QCOMPARE(Child<QSpinBox>(form, "SnoozeNumberEdit")->value(), 15);
        QCOMPARE(Child<QSpinBox>(form, "SnoozeNumberEdit")->minimum(), 1);
        auto* combo = Child<QComboBox>(form, "SnoozeSubjectCombo");
        QCOMPARE(combo->currentText(), QStringLiteral("hour(s)"));
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
        QCOMPARE(items, (QStringList{"minute(s)", "hour(s)", "day(s)", "week(s)", "mounth(s)",
                                     "year(s)"}));
        QCOMPARE(Child<QPushButton>(form, "SnoozeBtn")->text(), QStringLiteral("&Snooze for"));
        QCOMPARE(Child<QPushButton>(form, "OpenButton")->text(), QStringLiteral("&Find"));
        auto* close = Child<QPushButton>(form, "NextButton");
        QCOMPARE(close->text(), QStringLiteral("&Close"));
        QVERIFY(close->isDefault());
        QVERIFY(form->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(form->windowFlags() & Qt::WindowMinimizeButtonHint);
        QVERIFY(!(form->windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(form->palette().color(QPalette::Window), QColor(255, 255, 0));
        QCOMPARE(memo->palette().color(QPalette::Base), QColor(255, 255, 255));
        QVERIFY(!Child<QLabel>(form, "Image1")->pixmap().isNull());
        QVERIFY(!form->windowIcon().isNull());
        QCOMPARE(e.State(), esExecutedEvent);

        if (const QString dir = qEnvironmentVariable("KELVO_SCREENSHOT_DIR"); !dir.isEmpty()) {
            QCoreApplication::processEvents();
            form->grab().save(QDir(dir).filePath(QStringLiteral("alarm-event.png")));
        }
    }

    void anEarlyReminderCountsDownToItsEvent() {
        Rig rig(EncodeDateTime(2024, 3, 4, 8, 29, 30));
        TEvent& e =
            rig.notebook.AddEvent(EventOnceAt(EncodeDateTime(2024, 3, 4, 10, 0), "Meeting"));
        AddReminderMinutesBefore(e, 90);
        rig.notebook.RestartGenerator();
        rig.RunSeconds(31);
        TAlarmMessageForm* form = rig.alarms->FindAlarmWindow(e);
        QVERIFY(form);
        QVERIFY(!form->IsEventAlarm());
        QCOMPARE(e.State(), esExecutedReminder);
        QCOMPARE(form->windowTitle(), QStringLiteral("Early reminder about \"Meeting\""));
        QCOMPARE(Text(form, "StartedLabel"), QStringLiteral("Started at 08:30 on 2024-03-04"));
        QCOMPARE(Text(form, "AgeLabel"), QStringLiteral("1 hour(s), 30 minute(s) until event"));
        if (const QString dir = qEnvironmentVariable("KELVO_SCREENSHOT_DIR"); !dir.isEmpty()) {
            QCoreApplication::processEvents();
            form->grab().save(QDir(dir).filePath(QStringLiteral("alarm-reminder.png")));
        }
    }

    void theAgeOfACountedEventComesBeforeTheCountdown() {
        Rig rig(EncodeDateTime(2024, 3, 4, 8, 29, 30));
        auto made = DailyEventAt(EncodeDateTime(2024, 1, 1, 10, 0), "Pills");
        made->InitializeCondition().SetDateOfCreate(EncodeDateTime(2024, 1, 1, 7, 0));
        made->InitializeCondition().SetLastAppear(EncodeDateTime(2024, 3, 3, 10, 0));
        WithOption(*made, eoComputeCount);
        TEvent& e = rig.notebook.AddEvent(std::move(made));
        AddReminderMinutesBefore(e, 90);
        e.Reminder()->InitializeCondition().SetDateOfCreate(EncodeDateTime(2024, 3, 4, 8, 0));
        rig.notebook.RestartGenerator();
        rig.RunSeconds(31);
        TAlarmMessageForm* form = rig.alarms->FindAlarmWindow(e);
        QVERIFY(form);
        QVERIFY(!form->IsEventAlarm());
        QCOMPARE(Text(form, "AgeLabel"),
                 QStringLiteral("2 month(s), 3 day(s) - 1 hour(s), 30 minute(s) until event"));
    }

    void aReminderWithoutAFurtherEventArisingHasNoCountdown() {
        Rig rig(EncodeDateTime(2024, 3, 4, 9, 30));
        // The event's only arising has passed (it was moved while its reminder was due).
        TEvent& e = rig.notebook.AddEvent(EventOnceAt(EncodeDateTime(2024, 3, 4, 9, 0), "Gone"));
        AddReminderMinutesBefore(e, 30);
        e.Reminder()->InitializeCondition().SetLastAppear(EncodeDateTime(2024, 3, 4, 8, 30));
        TAlarmMessageForm& form = rig.alarms->ShowAlarm(e, false, false);
        QCOMPARE(form.windowTitle(), QStringLiteral("Early reminder about \"Gone\""));
        QCOMPARE(Text(&form, "StartedLabel"), QStringLiteral("Started at 08:30 on 2024-03-04"));
        QCOMPARE(Text(&form, "AgeLabel"), QString());
    }

    void spansAreWholeDaysHoursAndMinutes() {
        const TDateTime s = EncodeDateTime(2024, 3, 4, 8, 30);
        QCOMPARE(SpanText(s, EncodeDateTime(2024, 3, 4, 10, 0)),
                 std::string("1 hour(s), 30 minute(s)"));
        // The tick comes a moment after the minute.
        QCOMPARE(SpanText(IncMilliSecond(400, s), EncodeDateTime(2024, 3, 4, 10, 0)),
                 std::string("1 hour(s), 30 minute(s)"));
        QCOMPARE(SpanText(EncodeDateTime(2024, 3, 6, 8, 35), s),
                 std::string("2 day(s), 5 minute(s)"));
        QCOMPARE(SpanText(s, IncDay(1, s)), std::string("1 day(s)"));
        QCOMPARE(SpanText(s, s), std::string());
    }

    void aMissedArisingIsShownOverdue() {
        Rig rig;
        auto daily = DailyEventAt(EncodeDateTime(2024, 2, 1, 8, 0), "Pills");
        daily->InitializeCondition().SetDateOfCreate(EncodeDateTime(2024, 2, 1, 7, 0));
        daily->InitializeCondition().SetLastAppear(EncodeDateTime(2024, 3, 1, 8, 0, 1));
        TEvent& e = rig.notebook.AddEvent(std::move(daily));
        auto quiet = DailyEventAt(EncodeDateTime(2024, 2, 1, 8, 0), "Quiet");
        quiet->InitializeCondition().SetDateOfCreate(EncodeDateTime(2024, 2, 1, 7, 0));
        quiet->InitializeCondition().SetLastAppear(EncodeDateTime(2024, 3, 1, 8, 0, 1));
        WithoutOption(*quiet, eoMessageAboutComingLate);
        TEvent& q = rig.notebook.AddEvent(std::move(quiet));
        rig.RunSeconds(31);
        TAlarmMessageForm* form = rig.alarms->FindAlarmWindow(e);
        QVERIFY(form);
        QVERIFY(form->Overdue());
        QCOMPARE(form->windowTitle(), QStringLiteral("Pills [overdue]"));
        QVERIFY(!rig.alarms->FindAlarmWindow(q));
        QCOMPARE(rig.alarms->Count(), 1);
    }

    void snoozingForOneMinuteBringsTheAlarmBackAMinuteLater() {
        Rig rig;
        TEvent& e = rig.notebook.AddEvent(EventOnceAt(EncodeDateTime(2024, 3, 4, 10, 0), "Tea"));
        rig.RunSeconds(30);
        QPointer<TAlarmMessageForm> form = rig.alarms->FindAlarmWindow(e);
        QVERIFY(form);
        Child<QSpinBox>(form, "SnoozeNumberEdit")->setValue(1);
        Child<QComboBox>(form, "SnoozeSubjectCombo")->setCurrentIndex(0);
        QTest::mouseClick(Child<QPushButton>(form, "SnoozeBtn"), Qt::LeftButton);
        QCOMPARE(e.State(), esSnoozedEvent);
        QCOMPARE(CompareDateTime(e.SnoozeDateTime(), EncodeDateTime(2024, 3, 4, 10, 1)), 0);
        QCOMPARE(e.DefaultSnoozeNumber(), 1);
        QCOMPARE(e.DefaultSnoozePeriod(), ptMinute);
        QVERIFY(!rig.alarms->FindAlarmWindow(e));
        QVERIFY(!form->isVisible());
        FlushDeletes();
        QVERIFY(form.isNull());
        // Armed by the arising, then for the snooze.
        QCOMPARE(rig.Count(ckRearmed), 2);

        rig.RunSeconds(59);
        QVERIFY(!rig.alarms->FindAlarmWindow(e));
        rig.RunSeconds(1);
        TAlarmMessageForm* again = rig.alarms->FindAlarmWindow(e);
        QVERIFY(again);
        QCOMPARE(e.State(), esExecutedEvent);
        QCOMPARE(Child<QSpinBox>(again, "SnoozeNumberEdit")->value(), 1);
        QCOMPARE(Child<QComboBox>(again, "SnoozeSubjectCombo")->currentText(),
                 QStringLiteral("minute(s)"));
        QCOMPARE(Text(again, "StartedLabel"), QStringLiteral("Started at 10:00 on 2024-03-04"));
    }

    void snoozingAReminderSnoozesTheReminder() {
        Rig rig(EncodeDateTime(2024, 3, 4, 8, 29, 30));
        TEvent& e =
            rig.notebook.AddEvent(EventOnceAt(EncodeDateTime(2024, 3, 4, 10, 0), "Meeting"));
        AddReminderMinutesBefore(e, 90);
        rig.notebook.RestartGenerator();
        rig.RunSeconds(31);
        TAlarmMessageForm* form = rig.alarms->FindAlarmWindow(e);
        QVERIFY(form);
        Child<QSpinBox>(form, "SnoozeNumberEdit")->setValue(10);
        form->SnoozeAlarm();
        QCOMPARE(e.State(), esSnoozedReminder);
        QCOMPARE(CompareDateTime(e.SnoozeDateTime(), IncMinute(10, Now())), 0);
        rig.RunSeconds(600);
        form = rig.alarms->FindAlarmWindow(e);
        QVERIFY(form);
        QVERIFY(!form->IsEventAlarm());
        QCOMPARE(e.State(), esExecutedReminder);
    }

    void closingAnErasableEventDeletesItOnceWhateverElseHappens() {
        for (int variant = 0; variant < 4; ++variant) {
            Rig rig;
            int destroyed = 0;
            auto made = Silent(std::make_unique<CountedEvent>(destroyed), "Once only");
            AddOnce(*made, EncodeDateTime(2024, 3, 4, 10, 0));
            WithOption(*made, eoEraseAfterComing);
            TEvent& e = rig.notebook.AddEvent(std::move(made));
            rig.RunSeconds(30);
            QPointer<TAlarmMessageForm> form = rig.alarms->FindAlarmWindow(e);
            QVERIFY(form);
            switch (variant) {
            case 0: // "&Close", then the window is closed again in every way there is
                QTest::mouseClick(Child<QPushButton>(form, "NextButton"), Qt::LeftButton);
                form->CloseAlarm();
                form->close();
                QTest::keyClick(form.data(), Qt::Key_Escape);
                break;
            case 1: // Esc twice
                QTest::keyClick(Child<QPlainTextEdit>(form, "MessageMemo"), Qt::Key_Escape);
                QTest::keyClick(Child<QPlainTextEdit>(form, "MessageMemo"), Qt::Key_Escape);
                break;
            case 2: // the user deletes the event while its window is open
                rig.notebook.DeleteEvent(e);
                QVERIFY(!form->isVisible());
                form->CloseAlarm();
                break;
            case 3: // hidden by the caption's close button, then deleted, then closed
                form->close();
                QVERIFY(!form->isVisible());
                QCOMPARE(rig.alarms->FindAlarmWindow(e), form.data());
                rig.notebook.DeleteEvent(e);
                form->CloseAlarm();
                break;
            }
            QCOMPARE(destroyed, 1);
            QCOMPARE(rig.notebook.EventCount(), 0);
            QCOMPARE(rig.Count(ckRemoved), 1);
            FlushDeletes();
            QVERIFY(form.isNull());
            rig.RunSeconds(120);
            QCOMPARE(destroyed, 1);
            QCOMPARE(rig.alarms->Count(), 0);
        }
    }

    void anEventDeletedInsideItsOwnArisingTakesItsWindowAlong() {
        Rig rig;
        int destroyed = 0;
        auto made = Silent(std::make_unique<CountedEvent>(destroyed), "Short lived");
        AddOnce(*made, EncodeDateTime(2024, 3, 4, 10, 0));
        WithOption(*made, eoEraseAfterComing);
        rig.notebook.AddEvent(std::move(made));
        // A later handler of the arising deletes the event whose window has just opened.
        QPointer<TAlarmMessageForm> opened;
        auto ours = rig.notebook.OnEventArise;
        rig.notebook.OnEventArise = [&](TWaitingAriseEntity& entity, TDateTime t) {
            ours(entity, t);
            TEvent* owner = TReminderNotebook::OwnerEventOf(entity);
            opened = rig.alarms->FindAlarmWindow(*owner);
            rig.notebook.DeleteEvent(*owner);
        };
        rig.RunSeconds(30);
        QVERIFY(opened);
        QVERIFY(!opened->isVisible());
        QVERIFY(!opened->AttachedEvent());
        QCOMPARE(rig.notebook.EventCount(), 0);
        QCOMPARE(destroyed, 0); // its arising is still on the stack
        rig.timers.Timers().at(1)->Fire();
        QCOMPARE(destroyed, 1);
        opened->CloseAlarm();
        FlushDeletes();
        QVERIFY(opened.isNull());
        QCOMPARE(destroyed, 1);
        QCOMPARE(rig.Count(ckRemoved), 1);
    }

    void anErasableEventIsKeptWhileEditedOrStillDue() {
        Rig rig;
        auto once = EventOnceAt(EncodeDateTime(2024, 3, 4, 10, 0), "Edited");
        WithOption(*once, eoEraseAfterComing);
        TEvent& edited = rig.notebook.AddEvent(std::move(once));
        auto daily = DailyEventAt(EncodeDateTime(2024, 3, 4, 10, 0), "Daily");
        WithOption(*daily, eoEraseAfterComing);
        TEvent& repeating = rig.notebook.AddEvent(std::move(daily));
        rig.alarms->IsEventEdited = [&](const TEvent& e) { return &e == &edited; };
        rig.RunSeconds(30);
        QCOMPARE(rig.alarms->Count(), 2);
        rig.changes.clear();
        rig.alarms->FindAlarmWindow(edited)->CloseAlarm();
        rig.alarms->FindAlarmWindow(repeating)->CloseAlarm();
        QCOMPARE(rig.notebook.EventCount(), 2);
        QCOMPARE(rig.changes, (std::vector<TChangeKind>{ckRearmed, ckRearmed}));
        QCOMPARE(edited.State(), esEnabled);
        QCOMPARE(repeating.State(), esEnabled);
    }

    void anEventHasOneWindowReusedWhileOpenOrHidden() {
        Rig rig;
        auto made = EventOnceAt(EncodeDateTime(2024, 3, 4, 10, 0), "Twice");
        AddOnce(*made, EncodeDateTime(2024, 3, 4, 10, 1));
        AddOnce(*made, EncodeDateTime(2024, 3, 4, 10, 2));
        TEvent& e = rig.notebook.AddEvent(std::move(made));
        TEvent& other =
            rig.notebook.AddEvent(EventOnceAt(EncodeDateTime(2024, 3, 4, 10, 0), "Other"));
        rig.RunSeconds(30);
        TAlarmMessageForm* form = rig.alarms->FindAlarmWindow(e);
        QVERIFY(form);
        QVERIFY(rig.alarms->FindAlarmWindow(other) != form);
        QCOMPARE(rig.alarms->Count(), 2);
        rig.RunSeconds(60);
        QCOMPARE(rig.alarms->FindAlarmWindow(e), form);
        QCOMPARE(rig.alarms->Count(), 2);
        QCOMPARE(Text(form, "StartedLabel"), QStringLiteral("Started at 10:00 on 2024-03-04"));

        form->close(); // only hidden: the alarm stays unanswered
        QVERIFY(!form->isVisible());
        QCOMPARE(e.State(), esExecutedEvent);
        e.SetWindowColor(clAqua);
        rig.RunSeconds(60);
        QCOMPARE(rig.alarms->FindAlarmWindow(e), form);
        QVERIFY(form->isVisible());
        QCOMPARE(form->palette().color(QPalette::Window), QColor(0, 255, 255));
        QCOMPARE(Text(form, "StartedLabel"), QStringLiteral("Started at 10:00 on 2024-03-04"));
        QCOMPARE(AlarmFormsAlive(), 2);
    }

    void noWindowWhileAlarmWindowsAreDisabledOrNotWanted() {
        Rig rig;
        TEvent& e = rig.notebook.AddEvent(EventOnceAt(EncodeDateTime(2024, 3, 4, 10, 0), "Muted"));
        auto noWindow = EventOnceAt(EncodeDateTime(2024, 3, 4, 10, 0), "No window");
        WithoutOption(*noWindow, eoAlarmWindowOnEvent);
        TEvent& n = rig.notebook.AddEvent(std::move(noWindow));
        AlarmSwitches().SetAlarmMode(3); // "Disable &All Actions"
        QVERIFY(!AlarmSwitches().AlarmWindowsEnabled());
        rig.RunSeconds(30);
        QCOMPARE(e.State(), esExecutedEvent); // the arising itself goes on
        QCOMPARE(rig.alarms->Count(), 0);
        QCOMPARE(AlarmFormsAlive(), 0);

        AlarmSwitches().SetAlarmMode(2); // all actions off but the alarm window
        AddOnce(e, EncodeDateTime(2024, 3, 4, 10, 1));
        AddOnce(n, EncodeDateTime(2024, 3, 4, 10, 1));
        rig.notebook.RearmEvent(e);
        rig.notebook.RearmEvent(n);
        rig.RunSeconds(60);
        QVERIFY(rig.alarms->FindAlarmWindow(e));
        QVERIFY(!rig.alarms->FindAlarmWindow(n));
        QCOMPARE(n.State(), esExecutedEvent);

        Rig reminders(EncodeDateTime(2024, 3, 4, 8, 29, 30));
        TEvent& r =
            reminders.notebook.AddEvent(EventOnceAt(EncodeDateTime(2024, 3, 4, 10, 0), "R"));
        AddReminderMinutesBefore(r, 90);
        WithoutOption(r, eoAlarmWindowOnReminder);
        reminders.notebook.RestartGenerator();
        reminders.RunSeconds(31);
        QCOMPARE(r.State(), esExecutedReminder);
        QVERIFY(!reminders.alarms->FindAlarmWindow(r));
    }

    void escAnywhereClosesLikeClose() {
        Rig rig;
        TEvent& e = rig.notebook.AddEvent(EventOnceAt(EncodeDateTime(2024, 3, 4, 10, 0), "Esc"));
        TEvent& f = rig.notebook.AddEvent(EventOnceAt(EncodeDateTime(2024, 3, 4, 10, 0), "Spin"));
        rig.RunSeconds(30);
        QPointer<TAlarmMessageForm> form = rig.alarms->FindAlarmWindow(e);
        QVERIFY(form);
        rig.changes.clear();
        QTest::keyClick(Child<QPlainTextEdit>(form, "MessageMemo"), Qt::Key_Escape);
        QCOMPARE(e.State(), esEnabled);
        QVERIFY(!rig.alarms->FindAlarmWindow(e));
        QVERIFY(!form->isVisible());
        QCOMPARE(rig.changes, std::vector<TChangeKind>{ckRearmed});

        TAlarmMessageForm* spin = rig.alarms->FindAlarmWindow(f);
        QVERIFY(spin);
        auto* number = Child<QSpinBox>(spin, "SnoozeNumberEdit");
        std::vector<int> topics;
        TAlarmMessageForm::HelpHandler() = [&](int topic) { topics.push_back(topic); };
        QTest::keyClick(number, Qt::Key_F1);
        TAlarmMessageForm::HelpHandler() = nullptr;
        QCOMPARE(topics, std::vector<int>{310});
        QVERIFY(spin->AttachedEvent());
        QTest::keyClick(number, Qt::Key_Escape);
        QCOMPARE(f.State(), esEnabled);
        QCOMPARE(rig.alarms->Count(), 0);
    }

    void findAsksTheMainWindowAndKeepsTheWindow() {
        Rig rig;
        TEvent& e =
            rig.notebook.AddEvent(EventOnceAt(EncodeDateTime(2024, 3, 4, 10, 0), "Find me"));
        std::vector<TEvent*> found;
        rig.alarms->OnFindEvent = [&](TEvent& event) { found.push_back(&event); };
        rig.RunSeconds(30);
        TAlarmMessageForm* form = rig.alarms->FindAlarmWindow(e);
        QVERIFY(form);
        QTest::mouseClick(Child<QPushButton>(form, "OpenButton"), Qt::LeftButton);
        QCOMPARE(found, std::vector<TEvent*>{&e});
        QCOMPARE(rig.alarms->FindAlarmWindow(e), form);
        QVERIFY(form->isVisible());
        QCOMPARE(e.State(), esExecutedEvent);
    }

    void sessionEndHidesAndProgramEndLeavesAlarmsUnanswered() {
        Rig rig;
        TEvent& e =
            rig.notebook.AddEvent(EventOnceAt(EncodeDateTime(2024, 3, 4, 10, 0), "Late night"));
        rig.RunSeconds(30);
        TAlarmMessageForm* form = rig.alarms->FindAlarmWindow(e);
        QVERIFY(form);
        rig.alarms->CloseAllAlarmWindows();
        QVERIFY(!form->isVisible());
        QCOMPARE(rig.alarms->FindAlarmWindow(e), form);
        QCOMPARE(e.State(), esExecutedEvent);
        rig.changes.clear();
        rig.alarms.reset();
        QCOMPARE(AlarmFormsAlive(), 0);
        QCOMPARE(e.State(), esExecutedEvent);
        QVERIFY(rig.changes.empty());
        // The notebook's callbacks outlive the windows without harm.
        AddOnce(e, EncodeDateTime(2024, 3, 4, 10, 1));
        rig.notebook.RearmEvent(e);
        rig.RunSeconds(60);
        rig.notebook.DeleteEvent(e);
        QCOMPARE(rig.notebook.EventCount(), 0);
    }

    void coloursOfTheDataFilesBecomeQtColours() {
        const QPalette palette = QApplication::palette();
        QCOMPARE(ColorFromValue(clRed, palette), QColor(255, 0, 0));
        QCOMPARE(ColorFromValue(0x00336699, palette), QColor(0x99, 0x66, 0x33));
        QCOMPARE(ColorFromValue(clBtnFace, palette), palette.color(QPalette::Button));
        QCOMPARE(ColorFromValue(static_cast<std::int32_t>(0x80000005u), palette),
                 palette.color(QPalette::Base));
        QCOMPARE(ColorFromValue(clWindowText, palette), palette.color(QPalette::Text));
        QVERIFY(!ColorFromValue(clNone, palette).isValid());
        QCOMPARE(TextFromCore("caf\xC3\xA9"), QStringLiteral("caf\u00E9"));
        QCOMPARE(TextFromCore("caf\xE9 \x80"), QStringLiteral("caf\u00E9 \u20AC"));
    }
};

QTEST_MAIN(AlarmWindowTest)
#include "AlarmWindowTest.moc"
