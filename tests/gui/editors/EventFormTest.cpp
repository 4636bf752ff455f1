// The event dialog over the real main window: defaults of a new event, OK and Cancel, the
// toggles that drop what is closed, the reminder's behaviours and the summary, a store error
// that keeps the dialog open, the snooze bound, modality, keyboard use and every page on
// screen.

#include "core/actions/AlarmSwitches.h"
#include "core/entities/Reminder.h"
#include "core/persistence/EventFile.h"
#include "core/scheduling/DateCondition.h"
#include "core/scheduling/SimpleInitializeCondition.h"
#include "core/scheduling/TimeCondition.h"
#include "core/stream/paClasses.h"
#include "core/timers/ProgramFolders.h"
#include "gui/alarm/fmAlarmMessage.h"
#include "gui/boxes/NonBlockingBoxes.h"
#include "gui/editors/EditorControls.h"
#include "gui/editors/fmEventForm.h"
#include "gui/editors/frAction.h"
#include "gui/editors/frActionList.h"
#include "gui/editors/frDate.h"
#include "gui/editors/frInitializeCondition.h"
#include "gui/editors/frReminderDate.h"
#include "gui/editors/frTime.h"
#include "gui/main/fmMainForm.h"
#include "gui/session/ProgramSession.h"
#include "platform/runtime/FolderProvider.h"
#include "platform/runtime/QtLocale.h"
#include "platform/settings/AppIniReg.h"
#include "support/EntitySamples.h"
#include "support/TestClock.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTest>
#include <QTimeEdit>
#include <QTimer>
#include <QToolButton>
#include <filesystem>
#include <functional>

using namespace kelvo;
namespace fs = std::filesystem;

namespace {

test::TempDir* home = nullptr;

template <class T> T& Child(QWidget& parent, const char* name) {
    T* child = parent.findChild<T*>(QLatin1String(name));
    if (!child)
        qFatal("no control %s", name);
    return *child;
}

void Click(QWidget& parent, const char* name) {
    auto& button = Child<QAbstractButton>(parent, name);
    QVERIFY2(button.isEnabled() && button.isVisible(), name);
    const bool box = qobject_cast<QCheckBox*>(&button) || qobject_cast<QRadioButton*>(&button);
    QTest::mouseClick(&button, Qt::LeftButton, {},
                      box ? QPoint(6, button.height() / 2) : button.rect().center());
}

std::string Bytes(const TPersistent& object) {
    std::string out;
    TClassWriter writer(out);
    writer.WriteObject(object);
    return out;
}

std::unique_ptr<TEvent> NewEvent() {
    auto e = std::make_unique<TEvent>();
    e->InitializeCondition().Conditions().Add(
        std::make_unique<TSimpleInitializeCondition>(EncodeDateTime(2031, 3, 4, 9, 30)));
    return e;
}

const TDateTime Evening = EncodeDateTime(2030, 6, 1, 20, 53);

// An event due at 08:00 that was last seen the day before: a missed alarm at the first check.
void WriteMissedAlarm() {
    TOwnedEvents owned;
    TEventList list;
    owned.push_back(samples::SilentEventOnceAt(EncodeDateTime(2030, 6, 1, 8, 0), "Pills"));
    owned.back()->SetCreationTime(IncDay(-2, Evening));
    owned.back()->InitializeCondition().SetLastAppear(IncDay(-1, Evening));
    list.Add(*owned.back());
    const fs::path file = test::ProgramDataFolder(home->Path()) / "kelvo-rem.evn";
    fs::create_directories(file.parent_path());
    SaveEventsFile(file.string(), list);
}

TAlarmMessageForm* ShownAlarm() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* a = qobject_cast<TAlarmMessageForm*>(w); a && a->isVisible())
            return a;
    return nullptr;
}

QWidget* VisibleBox() {
    for (QWidget* w : OpenBoxes())
        if (w->isVisible())
            return w;
    return nullptr;
}

} // namespace

class EventFormTest : public QObject {
    Q_OBJECT

    struct Run {
        Run() : session(ini, timers), form(session), dialog(session, &form) {
            form.ShowMessage = [](TMessageKind, const QString&) {};
            form.Confirm = [](const QString&) { return true; };
            form.Startup({});
            form.show();
        }
        // work runs inside the dialog once it is on screen; it must close it.
        bool Edit(TEvent& target, int page, const std::function<void(TEventForm&)>& work) {
            bool ran = false;
            QTimer::singleShot(0, &dialog, [&] {
                ran = true;
                dialog.activateWindow();
                if (!QTest::qWaitForWindowActive(&dialog))
                    qWarning("the dialog is not the active window");
                work(dialog);
                if (dialog.isVisible() && QTest::currentTestFailed())
                    dialog.reject();
            });
            const bool accepted = dialog.ShowEventDialog(target, "Event Properties", 0, page);
            if (!ran)
                qWarning("the dialog never ran");
            return accepted;
        }
        TAppIniReg ini;
        test::ManualTimerFactory timers;
        TProgramSession session;
        TMainForm form;
        TEventForm dialog;
    };

private slots:
    void init() {
        fs::remove_all(home->Path() / "data");
        fs::remove_all(home->Path() / "config");
        AlarmSwitches().SetAlarmMode(0);
    }
    void cleanup() {
        for (QWidget* w : OpenBoxes())
            w->close();
    }

    // A new event shows its defaults; Esc leaves it exactly as it was.
    void aNewEventOpensWithItsDefaultsAndCancelChangesNothing() {
        Run run;
        auto target = NewEvent();
        const std::string before = Bytes(*target);
        const bool accepted = run.Edit(*target, 0, [](TEventForm& d) {
            QCOMPARE(d.windowModality(), Qt::WindowModal);
            QCOMPARE(d.ActivePage(), 0);
            d.SetActivePage(TEventForm::ActionPage);
            QVERIFY(Child<QCheckBox>(d, "chkShowAlarm").isChecked());
            QVERIFY(Child<QCheckBox>(d, "chkDoEventAction").isChecked());
            QVERIFY(Child<QRadioButton>(d, "BeepRadio").isChecked());
            QVERIFY(!Child<QToolButton>(d, "lblActions").isChecked());
            d.SetActivePage(TEventForm::OptionsPage);
            QVERIFY(Child<QCheckBox>(d, "DisplayifMissed").isChecked());
            QVERIFY(Child<QPushButton>(d, "btnChangeTemplate").isEnabled());
            d.SetActivePage(TEventForm::ActionPage);
            QTest::keyClicks(&Child<QPlainTextEdit>(d, "MessageMemo"), "changed");
            Click(d, "chkDoEventAction");
            QTest::keyClick(&d, Qt::Key_Escape);
        });
        QVERIFY(!accepted);
        QCOMPARE(Bytes(*target), before);
    }

    // OK: no actions once "Do this action" is cleared, the reminder runs the event's actions,
    // the summary says so, the options gain stay-on-top; the result survives a file round trip.
    void okWritesTheEditedCopyBack() {
        Run run;
        auto target = NewEvent();
        QString summaryBefore, summaryAfter;
        const bool accepted = run.Edit(*target, TEventForm::SummaryPage, [&](TEventForm& d) {
            summaryBefore = Child<QPlainTextEdit>(d, "mmoSumRemCondition").toPlainText();
            d.SetActivePage(TEventForm::ActionPage);
            auto& memo = Child<QPlainTextEdit>(d, "MessageMemo");
            memo.setFocus();
            QTest::keyClick(&memo, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(&memo, "Dentist");
            Click(d, "chkDoEventAction");
            QVERIFY(!d.ActionEditor().isEnabled());
            QVERIFY(!Child<QToolButton>(d, "lblActions").isVisible());
            d.SetActivePage(TEventForm::ReminderPage);
            QVERIFY(!Child<QComboBox>(d, "cbbReminderActions").isVisible());
            Click(d, "EnabledReminder");
            auto& behaviour = Child<QComboBox>(d, "cbbReminderActions");
            QVERIFY(behaviour.isVisible());
            QCOMPARE(behaviour.currentIndex(), 1);
            QVERIFY(!d.ReminderActions().isVisible());
            QTest::keyClick(&d, Qt::Key_PageDown, Qt::ControlModifier);
            QTest::keyClick(&d, Qt::Key_PageDown, Qt::ControlModifier);
            QCOMPARE(d.ActivePage(), int(TEventForm::SummaryPage));
            QCOMPARE(Child<QLabel>(d, "lblSumDescription").text(), QStringLiteral("Dentist"));
            summaryAfter = Child<QPlainTextEdit>(d, "mmoSumRemAction").toPlainText();
            QTest::keyClick(&d, Qt::Key_Return);
        });
        QVERIFY(accepted);
        QCOMPARE(summaryBefore, QStringLiteral("Don't remind me before this event"));
        QCOMPARE(summaryAfter, QStringLiteral("Show alarm window\nDo the event actions"));
        QCOMPARE(target->WindowMessage(), std::string("Dentist"));
        QCOMPARE(target->EventAction().Actions().Count(), 0);
        QVERIFY(target->Reminder());
        QVERIFY(target->Reminder()->ActionAsOwner());
        QCOMPARE(target->Reminder()->EventAction().Actions().Count(), 0);
        QVERIFY(target->HasOption(eoStayOnTop));
        QVERIFY(std::abs(target->InitializeCondition().DateOfCreate() - Now()) < 1.0 / 24);

        TEventList list;
        list.Add(*target);
        const fs::path file = home->Path() / "edited.evn";
        SaveEventsFile(file.string(), list);
        TAnswerNoHost host;
        auto loaded = LoadEventsFile(file.string(), host);
        QCOMPARE(loaded.size(), std::size_t(1));
        QCOMPARE(Bytes(*loaded.front()), Bytes(*target));
    }

    // An event opened and confirmed without an edit comes back as it was, but for the
    // creation time and stay-on-top; a closed toggle drops what it hides.
    void anUneditedEventKeepsItsContentAndClosedTogglesDrop() {
        Run run;
        for (int i : {12, 13}) {
            auto target = samples::VariedEvent(i);
            target->SetWindowMessage("Windows line ends\r\nsecond line");
            auto expected = samples::VariedEvent(i);
            expected->Assign(*target);
            QVERIFY(
                run.Edit(*target, 0, [](TEventForm& d) { QTest::keyClick(&d, Qt::Key_Return); }));
            expected->SetCreationTime(target->InitializeCondition().DateOfCreate());
            // The condition editors rebuild a time of day from its hours and minutes, which
            // may differ from the stored value below a microsecond; the conditions are
            // compared by what they mean, everything else by its bytes.
            QCOMPARE(target->InitializeCondition().Description(),
                     expected->InitializeCondition().Description());
            const TDateTime from = EncodeDate(2023, 1, 1);
            QCOMPARE(target->InitializeCondition().NextArise(from),
                     expected->InitializeCondition().NextArise(from));
            expected->SetInitializeCondition(target->InitializeCondition());
            if (TReminder* r = expected->Reminder()) {
                QCOMPARE(target->Reminder()->InitializeCondition().Description(),
                         r->InitializeCondition().Description());
                r->SetInitializeCondition(target->Reminder()->InitializeCondition());
            }
            QCOMPARE(Bytes(*target), Bytes(*expected));
        }

        auto target = samples::VariedEvent(12);
        target->InitializeCondition().Conditions().Add(
            std::make_unique<TSimpleInitializeCondition>(EncodeDateTime(2032, 1, 1, 7, 0)));
        QCOMPARE(target->EventAction().Actions().Count(), 3);
        QVERIFY(run.Edit(*target, 0, [](TEventForm& d) {
            auto& more = Child<QToolButton>(d, "lblConditions");
            QVERIFY(more.isChecked());
            QCOMPARE(more.text(), QStringLiteral("<<"));
            QTest::mouseClick(&more, Qt::LeftButton);
            QCOMPARE(more.text(), QStringLiteral(">>"));
            d.SetActivePage(TEventForm::ActionPage);
            QVERIFY(Child<QRadioButton>(d, "BeepRadio").isChecked());
            QCOMPARE(d.MoreActions().ListBox().count(), 2);
            QCOMPARE(d.MoreActions().ListBox().item(1)->text(),
                     QStringLiteral("Open /usr/bin/backup"));
            Click(d, "lblActions");
            QTest::keyClick(&d, Qt::Key_Return);
        }));
        QCOMPARE(target->InitializeCondition().Conditions().Count(), 1);
        QCOMPARE(target->EventAction().Actions().Count(), 1);
        QCOMPARE(target->EventAction().Actions().GetDescription(), std::string("Beep"));
    }

    // "New Event by Date": the editors start from the given day; an every-second-day event at
    // 07:15 with a reminder two hours before, built through the dialog's editors, arises as
    // the same event built in code.
    void theConditionsComeFromTheEditorsStartingOnTheGivenDay() {
        Run run;
        TEvent target;
        target.InitializeCondition().Conditions().Clear();
        const TDateTime day = EncodeDate(2031, 5, 10);
        QTimer::singleShot(0, &run.dialog, [&] {
            TEventForm& d = run.dialog;
            auto& frame = Child<TSimpleConditionFrame>(d, "frCondition");
            QCOMPARE(Child<QDateEdit>(frame.DateFrame(), "OnceDate").date(), QDate(2031, 5, 10));
            Click(frame.DateFrame(), "DailyRadio");
            auto& period = Child<QSpinBox>(frame.DateFrame(), "DailyDayPeriod");
            period.setFocus();
            QTest::keyClick(&period, Qt::Key_Up);
            Click(frame.TimeFrame(), "OnceRadio");
            Child<QTimeEdit>(frame.TimeFrame(), "OnceTime").setTime(QTime(7, 15));
            d.SetActivePage(TEventForm::ReminderPage);
            Click(d, "EnabledReminder");
            auto& reminder = Child<TReminderDateFrame>(d, "ReminderDateFrame");
            reminder.StartNumber().setValue(2);
            reminder.StartSubject().setCurrentIndex(1);
            QTest::keyClick(&d, Qt::Key_Return);
        });
        QVERIFY(run.dialog.ShowEventDialog(target, "New Event", day, 0));

        TSimpleInitializeCondition expected;
        TDailyDateCondition daily;
        daily.SetFromDate(day);
        daily.SetPeriod(2);
        TOnceTimeCondition at;
        at.SetTime(EncodeTime(7, 15));
        expected.SetDateCondition(&daily);
        expected.SetTimeCondition(&at);
        QCOMPARE(target.InitializeCondition().Conditions().Count(), 1);
        const TInitializeCondition& built = target.InitializeCondition().Conditions().Items(0);
        QCOMPARE(built.Description(), expected.Description());
        TDateTime x = EncodeDate(2031, 5, 1), y = x;
        for (int i = 0; i < 10; ++i) {
            const TDateTime a = target.InitializeCondition().NextArise(x);
            const TDateTime b = expected.NextArise(y);
            QCOMPARE(DateTimeToMs(a), DateTimeToMs(b));
            x = y = IncMinute(1, a);
        }
        QCOMPARE(DateTimeToMs(target.ReminderNextArise(EncodeDate(2031, 5, 11))),
                 DateTimeToMs(EncodeDateTime(2031, 5, 12, 5, 15)));
    }

    // A recipient that is no address: OK shows why and keeps the dialog open with the input;
    // the event is not touched until the input can be stored completely.
    void aStoreErrorKeepsTheDialogOpenAndTheEventUntouched() {
        Run run;
        auto target = NewEvent();
        const std::string before = Bytes(*target);
        bool stayedOpen = false;
        QString shown;
        const bool accepted = run.Edit(*target, TEventForm::ActionPage, [&](TEventForm& d) {
            Click(d, "SendMailRadio");
            QTest::keyClicks(Child<QComboBox>(d, "SendMailToEdit").lineEdit(), "Ann Smith");
            QTest::keyClicks(Child<QComboBox>(d, "SendMailSubjectEdit").lineEdit(), "Dentist");
            QTest::keyClick(&d, Qt::Key_Return);
            stayedOpen = d.isVisible();
            QWidget* box = VisibleBox();
            QVERIFY(box);
            shown = static_cast<QMessageBox*>(box)->text();
            box->close();
            QCOMPARE(Bytes(*target), before);
            auto& to = *Child<QComboBox>(d, "SendMailToEdit").lineEdit();
            to.selectAll();
            QTest::keyClicks(&to, "Ann <ann@example.org>");
            QTest::keyClick(&d, Qt::Key_Return);
        });
        QVERIFY(stayedOpen);
        QVERIFY2(shown.contains(QLatin1String("Ann Smith")), qPrintable(shown));
        QVERIFY(accepted);
        QCOMPARE(target->EventAction().Actions().GetDescription(),
                 std::string("Send email to Ann <ann@example.org>"));
    }

    // The snooze number stops where the snooze moment would pass 31 December 9999.
    void theSnoozeNumberKeepsTheSnoozeWithinTheCalendar() {
        Run run;
        auto target = NewEvent();
        const std::int32_t years = static_cast<std::int32_t>(9999 - YearOf(Now()));
        QVERIFY(run.Edit(*target, TEventForm::OptionsPage, [&](TEventForm& d) {
            auto& period = Child<QComboBox>(d, "OptionSnoozePeriodCombo");
            period.setFocus();
            QTest::keyClick(&period, Qt::Key_End);
            QCOMPARE(period.currentText(), QStringLiteral("years(s)"));
            auto& number = Child<QSpinBox>(d, "OptionsSnoozeNumberEdit");
            number.setFocus();
            QTest::keyClick(&number, Qt::Key_A, Qt::ControlModifier);
            QCOMPARE(number.maximum(), years);
            QTest::keyClicks(&number, QString::number(years));
            QTest::keyClick(&number, Qt::Key_Up);
            QCOMPARE(number.value(), years);
            QTest::keyClick(&d, Qt::Key_Return);
        }));
        QCOMPARE(target->DefaultSnoozePeriod(), ptYear);
        QCOMPARE(target->DefaultSnoozeNumber(), years);
        target->SnoozeEvent();
        QVERIFY(target->SnoozeDateTime() <= MaxDate + 1.0);
        QVERIFY(target->SnoozeDateTime() > MaxDate - 366);
        QCOMPARE(MaxSnoozeNumber(ptMinute, EncodeDate(9999, 12, 31)), 1439);
        QCOMPARE(MaxSnoozeNumber(ptDay, MaxDate + 1.0), 0);
    }

    // The dialog blocks its main window only: an alarm window that is open meanwhile still
    // takes the user's click. A template's own template cannot be changed.
    void theDialogLeavesAlarmWindowsAnswerable() {
        test::TestClock clock(Evening);
        WriteMissedAlarm();
        Run run;
        run.timers.Timers().front()->Fire();
        TAlarmMessageForm* alarm = ShownAlarm();
        QVERIFY(alarm);
        QPointer<TAlarmMessageForm> watched(alarm);
        TEventTemplate target;
        bool mainBlocked = false;
        QVERIFY(!run.Edit(target, 0, [&](TEventForm& d) {
            QCOMPARE(d.parentWidget(), &run.form);
            QVERIFY(!Child<QPushButton>(d, "btnChangeTemplate").isEnabled());
            mainBlocked = QApplication::activeModalWidget() == &d;
            QPushButton* close = nullptr;
            for (auto* b : alarm->findChildren<QPushButton*>())
                if (b->text() == QLatin1String("&Close"))
                    close = b;
            QVERIFY(close);
            QTest::mouseClick(alarm->windowHandle(), Qt::LeftButton, {},
                              close->mapTo(alarm, close->rect().center()));
            QTRY_VERIFY(!watched || !watched->isVisible());
            d.reject();
        }));
        QVERIFY(mainBlocked);
        QVERIFY(!watched || !watched->isVisible());
    }

    // The alarm window's snooze, too, stops where it would pass 31 December 9999: a snooze
    // beyond would never arise.
    void theAlarmWindowsSnoozeStaysWithinTheCalendar() {
        test::TestClock clock(Evening);
        WriteMissedAlarm();
        Run run;
        run.timers.Timers().front()->Fire();
        TAlarmMessageForm* alarm = ShownAlarm();
        QVERIFY(alarm);
        auto& unit = Child<QComboBox>(*alarm, "SnoozeSubjectCombo");
        unit.setFocus();
        QTest::keyClick(&unit, Qt::Key_End);
        auto& number = Child<QSpinBox>(*alarm, "SnoozeNumberEdit");
        number.setFocus();
        QTest::keyClick(&number, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(&number, "7969");
        QTest::keyClick(&number, Qt::Key_Up);
        QCOMPARE(number.value(), 9999 - 2030);
        Click(*alarm, "SnoozeBtn");
        const TEventList events = run.session.Notebook().GetEvents();
        QCOMPARE(events.Count(), 1);
        TEvent& pills = events.Items(0);
        QCOMPARE(pills.State(), esSnoozedEvent);
        QCOMPARE(DateTimeToMs(pills.SnoozeDateTime()),
                 DateTimeToMs(EncodeDateTime(9999, 6, 1, 20, 53)));
    }

    // "Change..." picks a picture of the icon library by its index, kept relative to the
    // program folder; a picture file outside it is kept by its full name.
    void theIconComesFromTheLibraryByIndex() {
        Run run;
        auto target = NewEvent();
        int offered = 0;
        QVERIFY(run.Edit(*target, TEventForm::OptionsPage, [&](TEventForm& d) {
            QVERIFY(Child<QLabel>(d, "IconEventImage").pixmap().isNull());
            QTimer::singleShot(0, [&] {
                auto* chooser = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                QVERIFY(chooser && chooser != &d);
                QCOMPARE(chooser->windowModality(), Qt::WindowModal);
                auto& icons = Child<QListWidget>(*chooser, "IconList");
                offered = icons.count();
                icons.setFocus();
                for (int i = 0; i < 3; ++i)
                    QTest::keyClick(&icons, Qt::Key_Right);
                QTest::keyClick(chooser, Qt::Key_Return);
            });
            Click(d, "ChangeIconBtn");
            QVERIFY(!Child<QLabel>(d, "IconEventImage").pixmap().isNull());
            QTest::keyClick(&d, Qt::Key_Return);
        }));
        QCOMPARE(offered, 6);
        QCOMPARE(target->IconFileName(), std::string("Icons.dll"));
        QCOMPARE(target->IconFileId(), 3);

        const fs::path picture = home->Path() / "own.png";
        QImage image(16, 16, QImage::Format_ARGB32);
        image.fill(Qt::red);
        QVERIFY(image.save(QString::fromStdString(picture.string())));
        target->SetIconFileName(picture.string());
        target->SetIconFileId(0);
        QVERIFY(run.Edit(*target, TEventForm::SummaryPage, [&](TEventForm& d) {
            QCOMPARE(Child<QLabel>(d, "imgSumIcon").pixmap().toImage().pixelColor(8, 8),
                     QColor(Qt::red));
            QTest::keyClick(&d, Qt::Key_Return);
        }));
        QCOMPARE(target->IconFileName(), picture.string());
    }

    // Every page through the keyboard, each with nothing cut off; pictures of them go to
    // KELVO_SCREENSHOTS when it names a folder.
    void everyPageByKeyboardWithNothingCutOff() {
        Run run;
        auto target = samples::VariedEvent(7);
        const QString shots = qEnvironmentVariable("KELVO_SCREENSHOTS");
        QStringList seen;
        run.Edit(*target, 0, [&](TEventForm& d) {
            for (int page = 0; page < d.PageCount(); ++page) {
                QCOMPARE(d.ActivePage(), page);
                QWidget* shown = d.Page(page);
                seen << shown->objectName();
                for (auto* w : shown->findChildren<QWidget*>()) {
                    if (!w->isVisibleTo(&d) || w->accessibleName().isEmpty() ||
                        qobject_cast<QAbstractButton*>(w) == nullptr)
                        continue;
                    QVERIFY2(w->width() >= w->minimumSizeHint().width(),
                             qPrintable(w->objectName()));
                }
                if (!shots.isEmpty())
                    d.grab().save(QStringLiteral("%1/event-%2.png").arg(shots).arg(page));
                QTest::keyClick(&d, Qt::Key_PageDown, Qt::ControlModifier);
            }
            QCOMPARE(d.ActivePage(), 0);
            QTest::keyClick(&d, Qt::Key_PageUp, Qt::ControlModifier);
            QCOMPARE(d.ActivePage(), int(TEventForm::SummaryPage));
            for (const char* kind :
                 {"PlayMediaRadio", "PlayCDRadio", "LaunchRadio", "SendMailRadio"}) {
                d.SetActivePage(TEventForm::ActionPage);
                Click(d, kind);
                if (!shots.isEmpty())
                    d.grab().save(QStringLiteral("%1/action-%2.png").arg(shots, kind));
            }
            d.reject();
        });
        QCOMPARE(seen, QStringList({"InitializePage", "ActionPage", "ReminderPage", "OptionsPage",
                                    "SummaryPage"}));
    }
};

int main(int argc, char** argv) {
    test::TempDir dir;
    home = &dir;
    test::UsePrivateFolders(dir.Path());
    QApplication app(argc, argv);
    // The program folder of a build, with the icon library the build drew.
    InstallProgramFolders(std::make_unique<TQtFolderProvider>(
        QDir::cleanPath(QStringLiteral(QT_TESTCASE_BUILDDIR "/../share/generated/kelvo-rem"))
            .toStdString()));
    InstallSystemLocale();
    EventFormTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "EventFormTest.moc"
