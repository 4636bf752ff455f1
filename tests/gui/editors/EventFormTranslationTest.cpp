// The event dialog and the action editor under the pseudo-translation en_XA (every text
// bracketed, 40 % longer): a text without brackets missed its translation call, a text wider
// than its control would be cut off in a longer language.

#include "core/timers/ProgramFolders.h"
#include "gui/editors/fmEventForm.h"
#include "gui/session/ProgramSession.h"
#include "platform/runtime/FolderProvider.h"
#include "platform/runtime/QtTranslations.h"
#include "platform/settings/AppIniReg.h"
#include "support/EntitySamples.h"
#include "support/TestClock.h"
#include "support/TestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

using namespace kelvo;

namespace {

bool Marked(const QString& text) {
    return text.contains(QLatin1Char('[')) && text.contains(QLatin1Char(']'));
}

// What this page shows of the program's own texts; the user's data and the condition
// editors (tested on their own) are left out.
void CheckPage(QWidget& page, const QStringList& data) {
    const auto skipped = [&](QWidget* w) {
        for (QWidget* p = w; p && p != &page; p = p->parentWidget())
            if (p->inherits("kelvo::TSimpleConditionFrame") ||
                p->inherits("kelvo::TReminderDateFrame") ||
                p->inherits("kelvo::TInitializeConditionListFrame") ||
                p->inherits("QAbstractItemView") || p->inherits("QPlainTextEdit"))
                return true;
        return !w->isVisible();
    };
    for (QLabel* label : page.findChildren<QLabel*>()) {
        // A volume reads as a number, in every language.
        if (skipped(label) || label->text().isEmpty() || data.contains(label->text()) ||
            label->text().endsWith(QLatin1Char('%')))
            continue;
        QVERIFY2(Marked(label->text()), qPrintable(label->objectName() + ": " + label->text()));
        if (!label->wordWrap())
            // An access key's "&" is not drawn.
            QVERIFY2(label->fontMetrics().horizontalAdvance(
                         QString(label->text()).remove(QLatin1Char('&'))) <=
                         label->contentsRect().width(),
                     qPrintable(label->text() + " cut off"));
    }
    for (QAbstractButton* button : page.findChildren<QAbstractButton*>()) {
        const QString text = button->text();
        if (skipped(button) || text.isEmpty() || text.startsWith(QLatin1Char('<')) ||
            text.startsWith(QLatin1Char('>')) || text == QLatin1String("..."))
            continue;
        QVERIFY2(Marked(text), qPrintable(text));
        QVERIFY2(button->sizeHint().width() <= button->width(), qPrintable(text + " cut off"));
    }
    for (QGroupBox* group : page.findChildren<QGroupBox*>())
        if (!skipped(group))
            QVERIFY2(Marked(group->title()), qPrintable(group->title()));
    for (QComboBox* combo : page.findChildren<QComboBox*>())
        if (!skipped(combo) && !combo->isEditable())
            for (int i = 0; i < combo->count(); ++i)
                QVERIFY2(Marked(combo->itemText(i)), qPrintable(combo->itemText(i)));
}

} // namespace

class EventFormTranslationTest : public QObject {
    Q_OBJECT
private slots:
    void everyPageShowsOnlyTranslatedTextsThatFit() {
        test::TestClock clock(EncodeDateTime(2030, 6, 1, 9, 0));
        TAppIniReg ini;
        test::ManualTimerFactory timers;
        TProgramSession session(ini, timers);
        QWidget owner;
        owner.show();
        TEventForm dialog(session, &owner);
        auto target = samples::VariedEvent(7);
        const QStringList data = {QStringLiteral("Home"), QStringLiteral("Event number 7")};
        QTimer::singleShot(0, &dialog, [&] {
            for (int page = 0; page < dialog.PageCount(); ++page) {
                dialog.SetActivePage(page);
                CheckPage(*dialog.Page(page), data);
                if (QTest::currentTestFailed())
                    break;
                if (page == TEventForm::ActionPage)
                    for (auto* radio : dialog.Page(page)->findChildren<QRadioButton*>()) {
                        radio->click();
                        CheckPage(*dialog.Page(page), data);
                    }
            }
            dialog.reject();
        });
        dialog.ShowEventDialog(*target, QObject::tr("Event Properties"), 0, 0);
    }
};

int main(int argc, char** argv) {
    test::TempDir dir;
    test::UsePrivateFolders(dir.Path());
    qputenv("KELVO_LANGUAGE", "en_XA");
    QApplication app(argc, argv);
    InstallProgramFolders(std::make_unique<TQtFolderProvider>());
    const QString folder =
        QFileInfo(QStringLiteral(KELVO_REM_PATH)).absolutePath() + QStringLiteral("/translations");
    if (!InstallTranslations(folder))
        qFatal("no pseudo-translation in %s", qPrintable(folder));
    EventFormTranslationTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "EventFormTranslationTest.moc"
