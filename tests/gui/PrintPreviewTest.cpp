// The print preview as a user opens it from the main window's commands: the pages it shows,
// paging and zoom, and that it blocks only the main window, so an alarm stays answerable.

#include "gui/print/PrintPreview.h"

#include "core/actions/AlarmSwitches.h"
#include "core/scheduling/SimpleInitializeCondition.h"
#include "core/timers/ProgramFolders.h"
#include "gui/alarm/AlarmWindows.h"
#include "gui/alarm/fmAlarmMessage.h"
#include "gui/main/fmMainForm.h"
#include "gui/session/ProgramSession.h"
#include "platform/actions/PlatformActions.h"
#include "platform/runtime/FolderProvider.h"
#include "platform/settings/AppIniReg.h"
#include "support/TestClock.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
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
        const QSize real = paper->size() - QSize(3, 3);
        QVERIFY(choose(QStringLiteral("200%")));
        QCOMPARE(preview->ZoomState(), zsZoomOther);
        QVERIFY(std::abs((paper->width() - 3) - 2 * real.width()) <= 2);
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

        for (int i = 0; i < 150; ++i)
            run.session.Notebook().AddEvent(
                EventOnceAt(EncodeDateTime(2030, 7, 1, 8, 0), "Row " + std::to_string(i)));
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
};

int main(int argc, char** argv) {
    test::TempDir dir;
    home = &dir;
    test::UsePrivateFolders(dir.Path());
    QApplication app(argc, argv);
    InstallProgramFolders(std::make_unique<TQtFolderProvider>());
    PrintPreviewTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "PrintPreviewTest.moc"
