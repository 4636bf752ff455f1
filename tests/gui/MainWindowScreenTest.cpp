// The main window on a laptop screen of 1280 x 800 pixels at twice the scale: it fits, every
// page shows with the status bar's panels apart (also in the narrowest window), and
// KELVO_SHOTS=folder keeps a picture of each page for a look by eye.

#include "core/timers/ProgramFolders.h"
#include "gui/main/fmMainForm.h"
#include "gui/session/ProgramSession.h"
#include "platform/runtime/FolderProvider.h"
#include "platform/settings/AppIniReg.h"
#include "support/EntitySamples.h"
#include "support/MainFormRun.h"
#include "support/TestClock.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QStatusBar>
#include <QTest>
#include <filesystem>

using namespace kelvo;

namespace {

test::TempDir* home = nullptr;

} // namespace

// The panels stand apart, each with its text inside its frame.
void PanelsStandApart(TMainForm& form) {
    const QLabel& next = form.NextEventPanel();
    const auto* count = form.findChild<QLabel*>(QStringLiteral("CountPanel"));
    QVERIFY(next.geometry().right() < count->geometry().left());
    QVERIFY(count->geometry().right() < form.statusBar()->width());
    for (const QLabel* panel : {&next, count}) {
        QVERIFY(panel->frameWidth() > 0);
        QVERIFY2(panel->contentsRect().width() >
                     panel->fontMetrics().horizontalAdvance(panel->text()),
                 qPrintable(panel->text()));
    }
}

class MainWindowScreenTest : public QObject {
    Q_OBJECT

private slots:
    void everyPageFitsTheScreenAtTwiceTheScale() {
        test::TestClock clock(EncodeDateTime(2024, 3, 4, 9, 0));
        test::MainFormRun run;
        TProgramSession& session = run.session;
        TMainForm& form = run.form;
        for (auto& e : samples::VariedEvents(30))
            session.Notebook().AddEvent(std::move(e));
        form.ShowAtStart();
        QVERIFY(QTest::qWaitForWindowExposed(&form));

        const QScreen* screen = form.screen();
        const qreal scale = form.devicePixelRatioF();
        QCOMPARE(qRound(screen->geometry().height() * scale), 800);
        // The title bar and the frame of a window manager take some more.
        QVERIFY2((form.frameGeometry().height() + 30) * scale <= 800,
                 qPrintable(QString::number(form.frameGeometry().height())));
        QVERIFY(form.minimumSizeHint().height() * scale <= 800 - 30 * scale);
        QVERIFY2(screen->geometry().contains(form.frameGeometry()),
                 qPrintable(QStringLiteral("%1,%2 %3x%4 min %5x%6")
                                .arg(form.x())
                                .arg(form.y())
                                .arg(form.width())
                                .arg(form.height())
                                .arg(form.minimumSizeHint().width())
                                .arg(form.minimumSizeHint().height())));

        const QByteArray shots = qgetenv("KELVO_SHOTS");
        for (int page = 0; page < TMainForm::PageCount; ++page) {
            form.ShowPage(page);
            QTest::qWait(20);
            QCOMPARE(form.ShownPage(), page);
            QVERIFY(form.statusBar()->isVisible());
            PanelsStandApart(form);
            if (!shots.isEmpty())
                form.grab().save(QStringLiteral("%1/main-page%2-x%3.png")
                                     .arg(QString::fromLocal8Bit(shots))
                                     .arg(page)
                                     .arg(scale));
        }

        // In the narrowest window the next event gives way: cut short, whole in its tooltip.
        const QLabel& next = form.NextEventPanel();
        const QString whole = next.text();
        form.resize(form.minimumWidth(), form.height());
        QTest::qWait(20);
        PanelsStandApart(form);
        QVERIFY2(next.text().endsWith(QChar(0x2026)), qPrintable(next.text()));
        QVERIFY(whole.startsWith(next.text().chopped(1)));
        QCOMPARE(next.toolTip(), whole);
        QVERIFY(form.findChild<QLabel*>(QStringLiteral("CountPanel"))->text().endsWith("listed"));
    }
};

int main(int argc, char** argv) {
    test::TempDir dir;
    home = &dir;
    test::UsePrivateFolders(dir.Path());
    // A 1280 x 800 screen at twice the scale, unless the caller asks for another scale.
    const std::filesystem::path screens = dir.Path() / "screens.json";
    test::WriteWholeFile(screens, R"({"screens": [{"name": "laptop", "x": 0, "y": 0,
        "width": 1280, "height": 800, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    const QByteArray platform = "offscreen:configfile=" + QByteArray(screens.c_str());
    if (qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR"))
        qputenv("QT_SCALE_FACTOR", "2");
    std::vector<char*> args(argv, argv + argc);
    char platformOption[] = "-platform";
    args.insert(args.begin() + 1, {platformOption, const_cast<char*>(platform.constData())});
    int count = static_cast<int>(args.size());
    QApplication app(count, args.data());
    InstallProgramFolders(std::make_unique<TQtFolderProvider>());
    MainWindowScreenTest test;
    // QTest reads its own options after the platform's.
    return QTest::qExec(&test, argc, argv);
}

#include "MainWindowScreenTest.moc"
