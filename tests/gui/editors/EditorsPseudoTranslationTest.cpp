// The condition editors under the pseudo-translation en_XA, in which every text is bracketed
// and 40 % longer: a text without brackets missed its translation call, and a text wider than
// its control is cut off in a longer language. Names from the locale (weekdays, months) are
// not the program's texts and are skipped.

#include "gui/editors/EditorTestSupport.h"
#include "gui/editors/fmConditionDialog.h"
#include "gui/editors/fmDateComplexExclude.h"
#include "gui/editors/fmDateUntilPeriod.h"
#include "gui/editors/fmReminderDateDialog.h"
#include "gui/editors/fmReminderTime.h"
#include "gui/editors/fmReminderUntil.h"
#include "gui/editors/fmSelectMonths.h"
#include "gui/editors/frConditionList.h"
#include "gui/editors/frDate.h"
#include "gui/editors/frInitializeCondition.h"
#include "gui/editors/frReminderConditionList.h"
#include "gui/editors/frReminderDate.h"
#include "gui/editors/frTime.h"
#include "platform/runtime/QtTranslations.h"
#include "support/TestClock.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QRadioButton>
#include <QRegularExpression>
#include <QToolButton>

using namespace kelvo;
using namespace kelvo::test;

namespace {

bool Marked(const QString& text) {
    return text.contains(QLatin1Char('[')) && text.contains(QLatin1Char(']'));
}

bool FromLocale(const QObject& w) {
    const QString name = w.objectName();
    return name.startsWith("Weekly") || (name.startsWith("Yearly") && name.size() == 9) ||
           name.endsWith("SubjectKind") || name == "YearlyMonthsCombo";
}

void CheckTexts(QWidget& window, const QString& shot) {
    Shot(window, shot);
    if (!window.windowTitle().isEmpty())
        QVERIFY2(Marked(window.windowTitle()), qPrintable(window.windowTitle()));
    for (QLabel* label : window.findChildren<QLabel*>()) {
        if (!label->isVisible() || label->text().isEmpty())
            continue;
        QVERIFY2(Marked(label->text()), qPrintable(shot + ": " + label->text()));
        // An access key's marker takes no room.
        QString shown = label->text();
        if (label->buddy())
            shown.remove(QRegularExpression(QStringLiteral("&(?!&)")));
        if (!label->wordWrap())
            QVERIFY2(label->fontMetrics().horizontalAdvance(shown) <= label->contentsRect().width(),
                     qPrintable(shot + ": cut off: " + label->text()));
    }
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        if (!button->isVisible() || button->text().isEmpty() || FromLocale(*button) ||
            button->text() == "..." || button->text() == QStringLiteral("…"))
            continue;
        QVERIFY2(Marked(button->text()), qPrintable(shot + ": " + button->text()));
        QVERIFY2(button->sizeHint().width() <= button->width(),
                 qPrintable(shot + ": cut off: " + button->text()));
    }
    for (QComboBox* combo : window.findChildren<QComboBox*>()) {
        if (FromLocale(*combo))
            continue;
        for (int i = 0; i < combo->count(); ++i)
            QVERIFY2(Marked(combo->itemText(i)), qPrintable(shot + ": " + combo->itemText(i)));
    }
}

// Every page of a frame with radio buttons named *Radio.
void CheckPages(QWidget& window, QWidget& frame, const QString& shot) {
    for (QRadioButton* kind : frame.findChildren<QRadioButton*>()) {
        if (!kind->objectName().endsWith("Radio") || !kind->isVisible())
            continue;
        kind->click();
        CheckTexts(window, shot + "-" + kind->objectName());
    }
}

} // namespace

class EditorsPseudoTranslationTest : public QObject {
    Q_OBJECT
private slots:
    void everyPageAndDialogShowsTranslatedTextsThatFit() {
        TestClock clock(EncodeDateTime(2024, 3, 5, 10, 0));
        QWidget owner;
        owner.show();

        TSimpleInitializeCondition simple;
        WhenDialog([](TEditorDialog& d) {
            auto& frame = static_cast<TConditionDialogForm&>(d).Frame();
            CheckPages(d, frame.DateFrame(), "xa-date");
            CheckPages(d, frame.TimeFrame(), "xa-time");
            TDateFrame& dates = frame.DateFrame();
            Click(dates, "MonthlyRadio");
            WhenDialog([](TEditorDialog& end) {
                CheckTexts(end, "xa-date-end");
                end.reject();
            });
            Click(d, "MonthlyRepeat");
            Click(dates, "YearlyRadio");
            WhenDialog([](TEditorDialog& months) {
                CheckTexts(months, "xa-months");
                months.reject();
            });
            Click(d, "YearlyMonthsButton");
            Click(dates, "ComplexRadio");
            WhenDialog([](TEditorDialog& exclude) {
                CheckTexts(exclude, "xa-exclude");
                exclude.reject();
            });
            Click(d, "ComplexExclude");
            d.reject();
        });
        ChooseCondition(&owner, simple);

        TReminderInitializeCondition reminder;
        WhenDialog([](TEditorDialog& d) {
            auto& frame = static_cast<TReminderDateDialogForm&>(d).Frame();
            frame.RepeatEnabled().click();
            CheckTexts(d, "xa-reminder");
            WhenDialog([](TEditorDialog& time) {
                CheckTexts(time, "xa-reminder-time");
                time.reject();
            });
            frame.TimeBtn().click();
            WhenDialog([](TEditorDialog& end) {
                CheckTexts(end, "xa-reminder-end");
                end.reject();
            });
            frame.RepeatBtn().click();
            d.reject();
        });
        ChooseReminderCondition(&owner, reminder);

        TConditionListFrame conditions;
        conditions.show();
        CheckTexts(conditions, "xa-conditions");
        TReminderConditionListFrame reminders;
        reminders.show();
        CheckTexts(reminders, "xa-reminders");
    }
};

int main(int argc, char** argv) {
    qputenv("KELVO_LANGUAGE", "en_XA");
    QApplication app(argc, argv);
    // The translations the build put beside the program.
    const QString folder =
        QFileInfo(QStringLiteral(KELVO_REM_PATH)).absolutePath() + QStringLiteral("/translations");
    if (!InstallTranslations(folder))
        qFatal("no pseudo-translation in %s", qPrintable(folder));
    EditorsPseudoTranslationTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "EditorsPseudoTranslationTest.moc"
