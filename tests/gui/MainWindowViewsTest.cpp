// The main window's views as the options and the notebook shape them: fonts and colours from
// the options dialog at once and at the next start, the elapsed time in the names of counting
// events, template rows among a template's events, and "Back" to the parent template.

#include "core/options/ProgramOptions.h"
#include "core/timers/ProgramFolders.h"
#include "gui/calendar/DrawCalendar.h"
#include "gui/events/EventListView.h"
#include "gui/main/fmMainForm.h"
#include "gui/options/paColorButton.h"
#include "gui/templates/TemplateTreeView.h"
#include "platform/runtime/FolderProvider.h"
#include "support/OptionsDialogRun.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QFontDialog>
#include <QListView>
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
        again.form.grab().save(QStringLiteral("/tmp/views-options.png"));
    }
};

int main(int argc, char** argv) {
    test::TempDir dir;
    home = &dir;
    test::UsePrivateFolders(dir.Path());
    setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/kelvo-test-bus", 1);
    setenv("KELVO_AUDIO_SINK", "fakesink sync=true", 1);
    QApplication app(argc, argv);
    InstallProgramFolders(std::make_unique<TQtFolderProvider>());
    MainWindowViewsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "MainWindowViewsTest.moc"
