// The small dialogs as the user answers them: OK and Cancel through their buttons, with the
// results their callers get.

#include "core/entities/EventTemplate.h"
#include "core/options/ProgramOptions.h"
#include "core/scheduling/SimpleInitializeCondition.h"
#include "core/util/BuildVersion.h"
#include "gui/dialogs/fmAbout.h"
#include "gui/dialogs/fmGoto.h"
#include "gui/dialogs/fmListViewSetup.h"
#include "gui/dialogs/fmQuickEventCreate.h"
#include "gui/dialogs/fmTips.h"
#include "gui/dialogs/paTips.h"
#include "support/TestClock.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTimeEdit>
#include <QTimer>
#include <QTreeWidget>
#include <functional>

using namespace kelvo;

namespace {

// Runs answer on the dialog once it is on screen, from the event loop its caller waits in.
void WhenShown(std::function<void(QDialog&)> answer) {
    QTimer::singleShot(0, [answer] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<QDialog*>(w); d && d->isVisible()) {
                answer(*d);
                return;
            }
        QFAIL("no dialog shown");
    });
}

void Press(QDialog& d, QDialogButtonBox::StandardButton which) {
    d.findChild<QDialogButtonBox*>()->button(which)->click();
}

template <class T> T& Child(QDialog& d, const char* name) {
    T* w = d.findChild<T*>(QString::fromLatin1(name));
    if (!w)
        qFatal("no %s", name);
    return *w;
}

TDateTime EventMoment(const TEvent& e) {
    auto& simple =
        static_cast<TSimpleInitializeCondition&>(e.InitializeCondition().Conditions().Items(0));
    return simple.NextArise(MinDate);
}

} // namespace

class SmallDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void quickEventAfterADelayCrossesMidnightAndStoresTheOptions() {
        test::TestClock clock(EncodeDateTime(2030, 6, 1, 23, 50));
        TTemplateTree templates;
        templates.EnsureDefaultTemplate();
        templates.AddTemplate(nullptr, 0, std::make_unique<TEventTemplate>(nullptr));
        TProgramOptions options;

        WhenShown([](QDialog& d) {
            QVERIFY(Child<QSpinBox>(d, "QuickAmount").isEnabled());
            QVERIFY(!Child<QDateEdit>(d, "QuickDate").isEnabled());
            QCOMPARE(Child<QLineEdit>(d, "QuickDescription").text(), QStringLiteral("Call Bob"));
            Press(d, QDialogButtonBox::Ok);
        });
        auto event = TQuickEventForm::QuickEventAfter(templates, options, nullptr, "New template",
                                                      "Call Bob", 1, 15);
        QVERIFY(event);
        QCOMPARE(EventMoment(*event), EncodeDateTime(2030, 6, 2, 0, 5));
        QCOMPARE(event->Template(), std::string("New template"));
        QCOMPARE(event->Description(), std::string("Call Bob"));
        QCOMPARE(options.QuickDefaultTemplate.Value(), std::string("New template"));
        QCOMPARE(options.QuickDefaultPeriod.Value(), 15);
        QCOMPARE(options.QuickDefaultPeriodType.Value(), 1);

        // Cancel makes nothing and keeps the options.
        WhenShown([](QDialog& d) { Press(d, QDialogButtonBox::Cancel); });
        QVERIFY(!TQuickEventForm::QuickEventAfter(templates, options, nullptr, "", "x", 2, 3));
        QCOMPARE(options.QuickDefaultPeriod.Value(), 15);

        // The event commands' question: a moment chosen instead of a delay comes back as
        // the minutes until it.
        WhenShown([](QDialog& d) {
            Child<QRadioButton>(d, "QuickOnce").click();
            Child<QDateEdit>(d, "QuickDate").setDate(QDate(2030, 6, 2));
            Child<QTimeEdit>(d, "QuickTime").setTime(QTime(1, 20));
            Child<QLineEdit>(d, "QuickDescription").setText("Sleep");
            Press(d, QDialogButtonBox::Ok);
        });
        QString message = "Call Bob";
        int delay = 30;
        QVERIFY(TQuickEventForm::AskMessageAndDelay(templates, options, nullptr, message, delay));
        QCOMPARE(message, QStringLiteral("Sleep"));
        QCOMPARE(delay, 90);
    }

    void quickEventAtAMomentSwitchesTheControlsAndFallsBackToTheDefaultTemplate() {
        test::TestClock clock(EncodeDateTime(2030, 6, 1, 12, 0));
        TTemplateTree templates;
        templates.EnsureDefaultTemplate();
        TProgramOptions options;
        WhenShown([](QDialog& d) {
            auto& once = Child<QRadioButton>(d, "QuickOnce");
            QVERIFY(once.isChecked());
            QVERIFY(!Child<QSpinBox>(d, "QuickAmount").isEnabled());
            QVERIFY(!Child<QComboBox>(d, "QuickUnit").isEnabled());
            QVERIFY(Child<QDateEdit>(d, "QuickDate").isEnabled());
            Child<QRadioButton>(d, "QuickOnceAfter").click();
            QVERIFY(Child<QSpinBox>(d, "QuickAmount").isEnabled());
            QVERIFY(!Child<QDateEdit>(d, "QuickDate").isEnabled());
            once.click();
            Press(d, QDialogButtonBox::Ok);
        });
        auto event = TQuickEventForm::QuickEventAt(templates, options, nullptr, "Gone", "Dinner",
                                                   EncodeDateTime(2030, 7, 4, 19, 30));
        QVERIFY(event);
        QCOMPARE(EventMoment(*event), EncodeDateTime(2030, 7, 4, 19, 30));
        QCOMPARE(event->Template(), std::string(DefaultTemplateName));
    }

    void goToDateGivesTheDateOrTodayAtOnce() {
        test::TestClock clock(EncodeDateTime(2030, 6, 1, 12, 0));
        TDateTime d = EncodeDate(2031, 2, 3);
        WhenShown([](QDialog& dialog) {
            Child<QDateEdit>(dialog, "GoToDate").setDate(QDate(2032, 3, 4));
            Press(dialog, QDialogButtonBox::Ok);
        });
        QVERIFY(TGoToForm::AskDate(nullptr, d));
        QCOMPARE(d, EncodeDate(2032, 3, 4));

        WhenShown([](QDialog& dialog) { Child<QPushButton>(dialog, "GoToToday").click(); });
        QVERIFY(TGoToForm::AskDate(nullptr, d));
        QCOMPARE(d, EncodeDate(2030, 6, 1));

        WhenShown([](QDialog& dialog) { Press(dialog, QDialogButtonBox::Cancel); });
        d = EncodeDate(2031, 2, 3);
        QVERIFY(!TGoToForm::AskDate(nullptr, d));
        QCOMPARE(d, EncodeDate(2031, 2, 3));
    }

    void columnSetupHidesReordersAndRemembersWidths() {
        std::vector<TListColumn> columns = {
            {"Name", 200}, {"Next Event", 120}, {"When", 90}, {"State", 2}};
        WhenShown([](QDialog& d) {
            auto& list = Child<QListWidget>(d, "ColumnList");
            auto& width = Child<QSpinBox>(d, "ColumnWidth");
            QCOMPARE(list.currentRow(), 0);
            QCOMPARE(width.value(), 200);
            QVERIFY(!Child<QPushButton>(d, "ColumnUp").isEnabled());
            QVERIFY(!Child<QPushButton>(d, "ColumnShow").isEnabled());
            // "When" hidden; "State" (too narrow to count as shown) proposes 150 when shown.
            list.setCurrentRow(2);
            Child<QPushButton>(d, "ColumnHide").click();
            list.setCurrentRow(3);
            QCOMPARE(width.value(), 150);
            Child<QPushButton>(d, "ColumnShow").click();
            // A new width for "Next Event", kept when it moves to the top.
            list.setCurrentRow(1);
            width.setValue(140);
            Child<QPushButton>(d, "ColumnUp").click();
            QCOMPARE(list.item(0)->text(), QStringLiteral("Next Event"));
            QCOMPARE(width.value(), 140);
            Press(d, QDialogButtonBox::Ok);
        });
        QVERIFY(TListViewSetupForm::SetupColumns(nullptr, columns));
        QCOMPARE(columns, (std::vector<TListColumn>{
                              {"Next Event", 140}, {"Name", 200}, {"When", 0}, {"State", 150}}));

        // A hidden column offered again keeps its last width; Cancel changes nothing.
        const auto before = columns;
        WhenShown([](QDialog& d) {
            auto& list = Child<QListWidget>(d, "ColumnList");
            list.setCurrentRow(2);
            QCOMPARE(list.item(2)->checkState(), Qt::Unchecked);
            QCOMPARE(Child<QSpinBox>(d, "ColumnWidth").value(), 150);
            Press(d, QDialogButtonBox::Cancel);
        });
        QVERIFY(!TListViewSetupForm::SetupColumns(nullptr, columns));
        QCOMPARE(columns, before);
    }

    void tipsComeFromTheShippedFilesAndGoRound() {
        const QString shipped = QStringLiteral(KELVO_TESTS_DIR "/../share/tips");
        const QStringList tips = TpaTips::Load(shipped, QLocale(QLocale::English));
        QCOMPARE(tips.size(), 24);
        QVERIFY(tips.first().startsWith("You can specify a document prefix of the \"Open\""));
        QVERIFY(tips.last().startsWith("You can customize horizontal/vertical layout"));

        // A translation beside them wins for its language; "\n" breaks a line.
        test::TempDir dir;
        test::WriteWholeFile(dir.Path() / "tips.txt", "English\n");
        test::WriteWholeFile(dir.Path() / "tips_de.txt", "# Deutsch\nErster\\nTipp\nZweiter\n");
        const QString folder = QString::fromStdString(dir.Path().string());
        QCOMPARE(TpaTips::Load(folder, QLocale(QLocale::German, QLocale::Austria)),
                 (QStringList{"Erster\nTipp", "Zweiter"}));
        QCOMPARE(TpaTips::Load(folder, QLocale(QLocale::French)), QStringList{"English"});

        TpaTips t;
        t.Tips = TpaTips::Load(folder, QLocale(QLocale::German));
        t.ShowAtStartup = true;
        bool closed = false;
        t.OnClose = [&closed](TpaTips& self) { closed = !self.ShowAtStartup; };
        TTipsForm* form = t.Execute(nullptr);
        const QString first = form->ShownTip();
        QVERIFY(t.Tips.contains(first));
        form->findChild<QPushButton*>("TipsNext")->click();
        QVERIFY(form->ShownTip() != first);
        form->findChild<QPushButton*>("TipsNext")->click();
        QCOMPARE(form->ShownTip(), first);
        QVERIFY(form->windowFlags() & Qt::WindowStaysOnTopHint);
        form->findChild<QCheckBox*>("TipsAtStartup")->setChecked(false);
        form->findChild<QPushButton*>("TipsClose")->click();
        QVERIFY(closed);

        // One tip: "Next" shows it again.
        TpaTips one;
        one.Tips = {"Only"};
        TTipsForm* single = one.Execute(nullptr);
        single->findChild<QPushButton*>("TipsNext")->click();
        QCOMPARE(single->ShownTip(), QStringLiteral("Only"));
        single->close();
    }

    void aboutNamesTheBuildsVersionAndTheLibrariesLicences() {
        TAboutForm about(nullptr);
        QCOMPARE(about.windowTitle(), QStringLiteral("About Tavrelon MP3"));
        QCOMPARE(about.ProductLine(),
                 QStringLiteral("Tavrelon MP3 ") + QString::fromLatin1(BuildVersion()));
        auto* libraries = about.findChild<QTreeWidget*>("AboutLibraries");
        QVERIFY(libraries);
        QCOMPARE(libraries->topLevelItem(0)->text(0), QStringLiteral("Qt"));
        QCOMPARE(libraries->topLevelItem(0)->text(1), QString::fromLatin1(qVersion()));
        QVERIFY(libraries->topLevelItemCount() >= 5);
        for (int i = 0; i < libraries->topLevelItemCount(); ++i)
            QVERIFY(!libraries->topLevelItem(i)->text(2).isEmpty());
        about.show();
        QVERIFY(about.grab().save(QStringLiteral("/tmp/calendar-about.png")));
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Tavrelon MP3"));
    SmallDialogsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "SmallDialogsTest.moc"
