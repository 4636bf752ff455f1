// The print preview as a user opens it from the main window's commands: the pages it shows,
// paging and zoom, and that it blocks only the main window, so an alarm stays answerable.

#include "gui/print/PrintPreview.h"

#include "core/actions/AlarmSwitches.h"
#include "core/scheduling/SimpleInitializeCondition.h"
#include "gui/alarm/AlarmWindows.h"
#include "gui/alarm/fmAlarmMessage.h"
#include "gui/main/fmMainForm.h"
#include "gui/session/ProgramSession.h"
#include "platform/actions/PlatformActions.h"
#include "platform/settings/AppIniReg.h"
#include "support/TestClock.h"
#include "support/TestSupport.h"
#include "support/WhenShown.h"
#include "support/WindowTestMain.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QTest>
#include <QToolButton>
#include <cstdlib>
#include <filesystem>

using namespace kelvo;

namespace {

test::TempDir* home = nullptr;

std::unique_ptr<TEvent> EventOnceAt(TDateTime when, const std::string& description) {
    auto e = std::make_unique<TEvent>();
    e->InitializeCondition().SetDateOfCreate(IncHour(-1, when));
    e->SetWindowMessage(description);
    e->SetDescription(description);
    e->EventAction().Actions().Clear();
    e->InitializeCondition().Conditions().Add(std::make_unique<TSimpleInitializeCondition>(when));
    return e;
}

struct Run {
    Run() : session(ini, timers), actions(session.InstallActions()), form(session) {
        form.ShowMessage = [](TMessageKind, const QString&) {};
        form.Confirm = [](const QString&) { return true; };
        form.Startup({});
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
    }
    void Tick(test::TestClock& clock, int seconds) {
        for (int i = 0; i < seconds; ++i) {
            clock.AdvanceSeconds(1);
            timers.Timers().front()->Fire();
        }
    }
    TPreviewForm* Preview() const { return form.findChild<TPreviewForm*>(); }

    TAppIniReg ini;
    test::ManualTimerFactory timers;
    TProgramSession session;
    TPlatformActions& actions;
    TMainForm form;
};

// The topmost row of the page with ink on it, in the page's pixels.
int TopInk(const TRecordedPages& pages, int page) {
    QImage image(pages.Paper / 4, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.scale(0.25 * QPicture().logicalDpiX() / image.logicalDpiX(),
            0.25 * QPicture().logicalDpiY() / image.logicalDpiY());
    p.drawPicture(0, 0, pages.Pages[static_cast<std::size_t>(page - 1)]);
    p.end();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                return y * 4;
    return -1;
}

int PdfPages(const QString& file) {
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {file});
    info.waitForFinished();
    const QString out = QString::fromUtf8(info.readAllStandardOutput());
    return QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(out).captured(1).toInt();
}

QString ReadAll(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()) : QString();
}

// One batch and then one event the window is told of, so that the events file is written once.
void AddRows(Run& run, int count) {
    TOwnedEvents rows;
    for (int i = 1; i < count; ++i)
        rows.push_back(EventOnceAt(EncodeDateTime(2030, 7, 1, 8, 0), "Row " + std::to_string(i)));
    run.session.Notebook().AddEvents(std::move(rows));
    run.session.Notebook().AddEvent(EventOnceAt(EncodeDateTime(2030, 7, 1, 8, 0), "Row 0"));
}

void Close(TPreviewForm* preview) {
    QPointer<TPreviewForm> gone(preview);
    preview->close();
    QTRY_VERIFY(gone.isNull());
}

} // namespace

class PrintPreviewTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        std::filesystem::remove_all(home->Path() / "data");
        std::filesystem::remove_all(home->Path() / "config");
        AlarmSwitches().SetAlarmMode(0);
    }

    // The calendar preview blocks the main window but not an alarm that arises meanwhile.
    void calendarPreviewLeavesAlarmsAnswerable() {
        test::TestClock clock(EncodeDateTime(2030, 6, 1, 9, 59, 30));
        Run run;
        TEvent& tea =
            run.session.Notebook().AddEvent(EventOnceAt(EncodeDateTime(2030, 6, 1, 10, 0), "Tea"));
        QAction* calendar = run.form.Command("FilePreviewCalendarAction");
        run.form.ShowPage(0);
        QTRY_VERIFY(!calendar->isEnabled());
        run.form.ShowPage(1);
        QTRY_VERIFY(calendar->isEnabled());
        calendar->trigger();
        TPreviewForm* preview = run.Preview();
        QVERIFY(preview);
        QVERIFY(QTest::qWaitForWindowExposed(preview));
        QCOMPARE(preview->windowModality(), Qt::WindowModal);
        QCOMPARE(preview->windowTitle(), QStringLiteral("Preview"));
        QCOMPARE(preview->PageLayout().orientation(), QPageLayout::Landscape);
        QCOMPARE(preview->PageLayout().pageSize().id(), QPageSize::A4);
        QCOMPARE(preview->PageLayout().margins(QPageLayout::Millimeter), QMarginsF(7, 7, 7, 7));
        QCOMPARE(int(preview->Pages().Pages.size()), 1);
        QCOMPARE(preview->CurrentPage(), 1);
        QVERIFY(!preview->PrevAction()->isEnabled());
        QVERIFY(!preview->NextAction()->isEnabled());
        preview->grab().save(QStringLiteral("/tmp/print-preview-calendar.png"));

        // Clicking the paper twice goes to the real size and back.
        QWidget* paper = preview->findChild<QWidget*>(QStringLiteral("PaperPreview"));
        QVERIFY(paper);
        const QSize fitted = paper->size();
        QTest::mouseClick(paper, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(!preview->Fitted());
        QTest::mouseClick(paper, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(preview->Fitted());
        QCOMPARE(paper->size(), fitted);

        // The zoom drop-down: 200 % is twice the real size; fit to width scrolls down only.
        auto* zoom = preview->findChild<QToolButton*>(QStringLiteral("ZoomButton"));
        QVERIFY(zoom && zoom->menu());
        const auto choose = [&](const QString& text) {
            for (QAction* a : zoom->menu()->actions())
                if (a->text() == text)
                    return a->trigger(), true;
            return false;
        };
        QVERIFY(choose(QStringLiteral("100%")));
        const int frame = 6 + 3 + 6; // the edge each side and the shadow
        const QSize real = paper->size() - QSize(frame, frame);
        QVERIFY(choose(QStringLiteral("200%")));
        QCOMPARE(preview->ZoomState(), zsZoomOther);
        QVERIFY(std::abs((paper->width() - frame) - 2 * real.width()) <= 2);
        QVERIFY(!preview->findChild<QAction*>(QStringLiteral("Zoom100Action"))->isChecked());
        QVERIFY(choose(QStringLiteral("Fit to width")));
        auto* area = preview->findChild<QScrollArea*>();
        const int bar = area->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        QVERIFY(paper->width() >= area->contentsRect().width() - 12 - bar - 1);
        QVERIFY(paper->width() <= area->contentsRect().width());
        QCOMPARE(area->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QVERIFY(choose(QStringLiteral("Fit to page")));
        QCOMPARE(paper->size(), fitted);

        run.Tick(clock, 31);
        TAlarmMessageForm* alarm = run.session.AlarmWindows().FindAlarmWindow(tea);
        QVERIFY(alarm && alarm->isVisible());
        QVERIFY(QTest::qWaitForWindowExposed(alarm));
        QPushButton* ok = nullptr;
        for (QPushButton* b : alarm->findChildren<QPushButton*>())
            if (b->text() == QStringLiteral("&Close"))
                ok = b;
        QVERIFY(ok);
        QPointer<TAlarmMessageForm> answered(alarm);
        // Through the window system, where a modal window would turn the click away.
        QTest::mouseClick(alarm->windowHandle(), Qt::LeftButton, {},
                          ok->mapTo(alarm, ok->rect().center()));
        QTRY_VERIFY(answered.isNull() || !answered->isVisible());
        QVERIFY(run.Preview());
        Close(preview);
    }

    // Many rows make several pages; Page Down pages, Ctrl+Page Down goes to the last one.
    void listPreviewPagesAndRefusesAnEmptyList() {
        test::TestClock clock(EncodeDateTime(2030, 6, 1, 9, 0));
        Run run;
        run.form.ShowPage(3);
        run.form.Command("FilePreviewListAction")->trigger();
        QVERIFY(!run.Preview());
        QMessageBox* box = nullptr;
        QTRY_VERIFY((box = run.form.findChild<QMessageBox*>()) != nullptr);
        QCOMPARE(box->text(), QStringLiteral("Empty event list. Nothing to print."));
        box->close();

        AddRows(run, 150);
        QTRY_VERIFY(run.form.Command("FilePreviewListAction")->isEnabled());
        run.form.Command("FilePreviewListAction")->trigger();
        TPreviewForm* preview = run.Preview();
        QVERIFY(preview);
        QVERIFY(QTest::qWaitForWindowExposed(preview));
        QCOMPARE(preview->PageLayout().orientation(), QPageLayout::Portrait);
        const int pages = int(preview->Pages().Pages.size());
        QVERIFY2(pages >= 2, qPrintable(QString::number(pages)));
        QVERIFY(preview->NextAction()->isEnabled());
        QTest::keyClick(preview, Qt::Key_PageDown);
        QCOMPARE(preview->CurrentPage(), 2);
        QVERIFY(preview->PrevAction()->isEnabled());
        QTest::keyClick(preview, Qt::Key_PageDown, Qt::ControlModifier);
        QCOMPARE(preview->CurrentPage(), pages);
        QTest::keyClick(preview, Qt::Key_PageDown);
        QCOMPARE(preview->CurrentPage(), pages);
        QVERIFY(!preview->NextAction()->isEnabled());
        preview->grab().save(QStringLiteral("/tmp/print-preview-list.png"));

        // Printing keeps to the print dialog's page range.
        const auto printedPages = [&](int from, int to) {
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            const QString file = QString::fromStdString((home->Path() / "printed.pdf").string());
            printer.setOutputFileName(file);
            printer.setPrintRange(from ? QPrinter::PageRange : QPrinter::AllPages);
            printer.setFromTo(from, to);
            if (!preview->PrintTo(printer))
                return -1;
            QProcess info;
            info.start(QStringLiteral("pdfinfo"), {file});
            info.waitForFinished();
            const QString out = QString::fromUtf8(info.readAllStandardOutput());
            return QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                .match(out)
                .captured(1)
                .toInt();
        };
        QCOMPARE(printedPages(0, 0), pages);
        QCOMPARE(printedPages(2, 2), 1);
        QCOMPARE(printedPages(2, 99), pages - 1);

        // Other margins record the pages again: fewer rows a page, more pages.
        QPageLayout wide = preview->PageLayout();
        wide.setMargins(QMarginsF(20, 60, 20, 60));
        preview->SetPageLayout(wide);
        QVERIFY(int(preview->Pages().Pages.size()) > pages);
        QCOMPARE(preview->CurrentPage(), 1);
        Close(preview);
    }

    // Page setup through the system's dialog: Letter, portrait and 20 mm margins record the
    // pages again within them; a cancelled dialog changes nothing.
    void pageSetupDialogLaysThePagesOutAgain() {
        test::TestClock clock(EncodeDateTime(2030, 6, 1, 9, 0));
        Run run;
        run.form.ShowPage(1);
        QTRY_VERIFY(run.form.Command("FilePreviewCalendarAction")->isEnabled());
        run.form.Command("FilePreviewCalendarAction")->trigger();
        TPreviewForm* preview = run.Preview();
        QVERIFY(preview);
        QVERIFY(QTest::qWaitForWindowExposed(preview));
        const int top = TopInk(preview->Pages(), 1);
        QVERIFY2(top >= 83 && top < 83 + 60, qPrintable(QString::number(top))); // 7 mm at 300 dpi
        QAction* setup = preview->findChild<QAction*>(QStringLiteral("PageSetupAction"));
        QVERIFY(setup);

        bool answered = false;
        test::WhenShown<QPageSetupDialog>([&](QPageSetupDialog& dialog) {
            answered = true;
            QCOMPARE(dialog.windowModality(), Qt::WindowModal);
            auto* sizes = dialog.findChild<QComboBox*>(QStringLiteral("pageSizeCombo"));
            QVERIFY(sizes);
            for (int i = 0; i < sizes->count(); ++i)
                if (sizes->itemData(i).value<QPageSize>().id() == QPageSize::Letter)
                    sizes->setCurrentIndex(i);
            dialog.findChild<QRadioButton*>(QStringLiteral("portrait"))->click();
            for (const char* name : {"leftMargin", "topMargin", "rightMargin", "bottomMargin"})
                dialog.findChild<QDoubleSpinBox*>(QString::fromLatin1(name))->setValue(20);
            dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        });
        setup->trigger();
        QVERIFY(answered);
        QCOMPARE(preview->PageLayout().pageSize().id(), QPageSize::Letter);
        QCOMPARE(preview->PageLayout().orientation(), QPageLayout::Portrait);
        QCOMPARE(preview->PageLayout().margins(QPageLayout::Millimeter), QMarginsF(20, 20, 20, 20));
        QCOMPARE(preview->Pages().Paper, QSize(2550, 3300)); // 8.5 x 11 in at 300 dpi
        QCOMPARE(preview->CurrentPage(), 1);
        // The title band moved down to the new margin; the paper shown is upright now.
        const int moved = TopInk(preview->Pages(), 1);
        QVERIFY2(std::abs((moved - 236) - (top - 83)) <= 8, qPrintable(QString::number(moved)));
        QWidget* paper = preview->findChild<QWidget*>(QStringLiteral("PaperPreview"));
        QVERIFY(paper->height() > paper->width());
        preview->grab().save(QStringLiteral("/tmp/print-preview-letter.png"));

        answered = false;
        test::WhenShown<QPageSetupDialog>([&](QPageSetupDialog& dialog) {
            answered = true;
            dialog.findChild<QRadioButton*>(QStringLiteral("landscape"))->click();
            dialog.findChild<QDoubleSpinBox*>(QStringLiteral("topMargin"))->setValue(40);
            dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click();
        });
        setup->trigger();
        QVERIFY(answered);
        QCOMPARE(preview->PageLayout().orientation(), QPageLayout::Portrait);
        QCOMPARE(preview->PageLayout().margins(QPageLayout::Millimeter), QMarginsF(20, 20, 20, 20));
        Close(preview);
    }

    // Printing goes a page at a time from the event loop with a progress window; Cancel stops
    // between pages and leaves the file that was there; a complete job replaces it.
    void printingShowsProgressAndCancelsBetweenPages() {
        test::TestClock clock(EncodeDateTime(2030, 6, 1, 9, 0));
        Run run;
        AddRows(run, 300);
        run.form.ShowPage(3);
        QTRY_VERIFY(run.form.Command("FilePreviewListAction")->isEnabled());
        run.form.Command("FilePreviewListAction")->trigger();
        TPreviewForm* preview = run.Preview();
        QVERIFY(preview);
        QVERIFY(QTest::qWaitForWindowExposed(preview));
        const int pages = int(preview->Pages().Pages.size());
        QVERIFY2(pages >= 4, qPrintable(QString::number(pages)));

        const std::filesystem::path folder = home->Path() / "printed";
        std::filesystem::create_directories(folder);
        const QString file = QString::fromStdString((folder / "list.pdf").string());
        {
            QFile old(file);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("what was there");
        }
        preview->Printer().setOutputFormat(QPrinter::PdfFormat);
        preview->Printer().setOutputFileName(file);

        // Turns of the event loop, to see that one passes between any two pages.
        int turns = 0;
        QTimer loop;
        loop.setInterval(0);
        QObject::connect(&loop, &QTimer::timeout, [&] { ++turns; });
        loop.start();

        std::vector<std::pair<int, int>> seen; // (page printed, turns then)
        const auto print = [&](int cancelAfter) {
            seen.clear();
            bool asked = false;
            test::WhenShown<QPrintDialog>([&](QPrintDialog& dialog) {
                asked = true;
                QCOMPARE(dialog.windowModality(), Qt::WindowModal);
                // The print dialog asks before it writes over the file there.
                test::WhenShown<QMessageBox>(
                    [](QMessageBox& box) { box.button(QMessageBox::Yes)->click(); });
                dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
                const TPrintJob* job = preview->Job();
                QVERIFY(job);
                QCOMPARE(job->Printed(), 0); // nothing yet: the pages come from the event loop
                QObject::connect(job, &TPrintJob::Progress, preview, [&](int printed, int count) {
                    seen.emplace_back(printed, turns);
                    QCOMPARE(count, pages);
                    auto* progress = preview->findChild<QDialog*>(QStringLiteral("PrintProgress"));
                    QVERIFY(progress && progress->isVisible());
                    QCOMPARE(progress->windowModality(), Qt::WindowModal);
                    QCOMPARE(progress->findChild<QProgressBar*>()->value(), printed);
                    if (printed != cancelAfter)
                        return;
                    QCOMPARE(progress->findChild<QLabel*>()->text(),
                             QStringLiteral("Printing page %1 of %2").arg(printed + 1).arg(pages));
                    progress->grab().save(QStringLiteral("/tmp/print-progress.png"));
                    QTest::mouseClick(
                        progress->findChild<QPushButton*>(QStringLiteral("CancelPrintButton")),
                        Qt::LeftButton);
                });
            });
            preview->findChild<QAction*>(QStringLiteral("PrintAction"))->trigger();
            QTRY_VERIFY(asked);
            QTRY_VERIFY(!preview->Job());
            QVERIFY(!preview->findChild<QDialog*>(QStringLiteral("PrintProgress")) ||
                    !preview->findChild<QDialog*>(QStringLiteral("PrintProgress"))->isVisible());
            for (std::size_t i = 1; i < seen.size(); ++i) {
                QCOMPARE(seen[i].first, seen[i - 1].first + 1);
                QVERIFY(seen[i].second > seen[i - 1].second);
            }
        };

        print(2);
        QVERIFY(!QTest::currentTestFailed());
        QCOMPARE(int(seen.size()), 2);
        QCOMPARE(preview->findChild<QStatusBar*>()->findChild<QLabel*>()->text(),
                 QStringLiteral("Printing cancelled."));
        QCOMPARE(ReadAll(file), QStringLiteral("what was there"));
        QCOMPARE(int(std::distance(std::filesystem::directory_iterator(folder), {})), 1);
        QCOMPARE(preview->Printer().outputFileName(), file);
        QCOMPARE(int(preview->Pages().Pages.size()), pages);
        QVERIFY(preview->findChild<QAction*>(QStringLiteral("PrintAction"))->isEnabled());

        print(0);
        QVERIFY(!QTest::currentTestFailed());
        QCOMPARE(int(seen.size()), pages);
        QCOMPARE(PdfPages(file), pages);
        QCOMPARE(int(std::distance(std::filesystem::directory_iterator(folder), {})), 1);
        Close(preview);
    }

    // Fit to height, the zoom cursors, dragging the page with the mouse and the scroll keys.
    void previewScrollsByMouseAndKeys() {
        test::TestClock clock(EncodeDateTime(2030, 6, 1, 9, 0));
        Run run;
        run.form.ShowPage(1);
        QTRY_VERIFY(run.form.Command("FilePreviewCalendarAction")->isEnabled());
        run.form.Command("FilePreviewCalendarAction")->trigger();
        TPreviewForm* preview = run.Preview();
        QVERIFY(preview);
        QVERIFY(QTest::qWaitForWindowExposed(preview));
        QWidget* paper = preview->findChild<QWidget*>(QStringLiteral("PaperPreview"));
        auto* area = preview->findChild<QScrollArea*>();
        QScrollBar* across = area->horizontalScrollBar();
        QScrollBar* down = area->verticalScrollBar();
        const QImage enlarge = paper->cursor().pixmap().toImage();
        QVERIFY(!enlarge.isNull());

        auto* zoom = preview->findChild<QToolButton*>(QStringLiteral("ZoomButton"));
        const auto choose = [&](const QString& text) {
            for (QAction* a : zoom->menu()->actions())
                if (a->text() == text)
                    return a->trigger(), true;
            return false;
        };
        QVERIFY(choose(QStringLiteral("Fit to height")));
        QCOMPARE(preview->ZoomState(), zsZoomToHeight);
        QCOMPARE(area->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        const int bar = area->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        QVERIFY(paper->height() >= area->contentsRect().height() - 12 - bar - 1);
        QVERIFY(paper->height() <= area->contentsRect().height());

        QVERIFY(choose(QStringLiteral("200%")));
        QTRY_VERIFY(across->maximum() > 100 && down->maximum() > 100);
        const QImage shrink = paper->cursor().pixmap().toImage();
        QVERIFY(!shrink.isNull() && shrink != enlarge);
        // A page larger than the window starts 6 pixels from its edge.
        const QImage corner = area->viewport()->grab().toImage();
        const qreal ratio = corner.devicePixelRatio();
        const auto at = [&](int x, int y) { return corner.pixel(QPoint(x, y) * ratio); };
        QCOMPARE(at(3, 40), area->viewport()->palette().color(QPalette::Dark).rgb());
        QCOMPARE(at(6, 40), QColor(Qt::black).rgb());
        QCOMPARE(at(40, 6), QColor(Qt::black).rgb());
        across->setValue(across->maximum() / 2);
        down->setValue(down->maximum() / 2);

        // The point grabbed stays under the pointer, and a drag is not a click.
        const QPoint grabbed(300, 200);
        const QPoint h = {across->value(), down->value()};
        QTest::mousePress(paper, Qt::LeftButton, {}, grabbed);
        const QPoint pointer = paper->mapToGlobal(grabbed - QPoint(40, 30));
        QTest::mouseMove(paper, grabbed - QPoint(40, 30));
        QCOMPARE(paper->cursor().shape(), Qt::ClosedHandCursor);
        QCOMPARE(QPoint(across->value(), down->value()), h + QPoint(40, 30));
        QCOMPARE(paper->mapToGlobal(grabbed), pointer);
        QTest::mouseRelease(paper, Qt::LeftButton, {}, paper->mapFromGlobal(pointer));
        QCOMPARE(preview->ZoomState(), zsZoomOther);
        QCOMPARE(preview->Zoom(), 200);
        QCOMPARE(paper->cursor().pixmap().toImage(), shrink);

        // The keys, as the window gets them: the page area has the focus.
        QWindow* window = preview->windowHandle();
        const auto key = [&](Qt::Key k, Qt::KeyboardModifiers m = {}) {
            QTest::keyClick(window, k, m);
        };
        across->setValue(0);
        down->setValue(0);
        key(Qt::Key_Right);
        QCOMPARE(across->value(), 8);
        key(Qt::Key_Right, Qt::ControlModifier);
        QCOMPARE(across->value(), 8 + across->pageStep());
        key(Qt::Key_Left);
        QCOMPARE(across->value(), across->pageStep());
        key(Qt::Key_Down);
        QCOMPARE(down->value(), 8);
        key(Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(down->value(), 8 + down->pageStep());
        key(Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(down->value(), 8);
        key(Qt::Key_End);
        QCOMPARE(across->value(), across->maximum());
        key(Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(down->value(), down->maximum());
        key(Qt::Key_Home);
        QCOMPARE(across->value(), 0);
        QCOMPARE(down->value(), down->maximum());
        key(Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(down->value(), 0);
        preview->grab().save(QStringLiteral("/tmp/print-preview-200.png"));

        // The commands' access keys zoom; Esc closes the preview.
        QVERIFY(QTest::qWaitForWindowActive(preview));
        key(Qt::Key_F, Qt::AltModifier);
        QTRY_VERIFY(preview->Fitted()); // a button's access key clicks it a moment later
        key(Qt::Key_O, Qt::AltModifier);
        QTRY_COMPARE(preview->ZoomState(), zsZoomOther);
        QCOMPARE(preview->Zoom(), 100);
        QPointer<TPreviewForm> gone(preview);
        key(Qt::Key_Escape);
        QTRY_VERIFY(gone.isNull());
    }
};

int main(int argc, char** argv) {
    return test::WindowTestMain<PrintPreviewTest>(argc, argv, &home);
}

#include "PrintPreviewTest.moc"
