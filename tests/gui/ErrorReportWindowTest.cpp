#include "core/diagnostics/paErrorReport.h"
#include "core/diagnostics/paLogUtils.h"
#include "core/util/paError.h"
#include "gui/diagnostics/fmErrorReport.h"
#include "gui/diagnostics/paErrorRedirApplication.h"
#include "platform/diagnostics/paSetupErrorHandlers.h"
#include "support/TestSupport.h"

#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace kelvo;

namespace {

QLabel* DetailsLabel(QWidget* form) {
    for (auto* label : form->findChildren<QLabel*>())
        if (label->text().endsWith(QLatin1String(">>")) ||
            label->text().endsWith(QLatin1String("<<")))
            return label;
    return nullptr;
}

QPlainTextEdit* Memo(QWidget* form, int index) {
    return form->findChildren<QPlainTextEdit*>().value(index);
}

QPushButton* Button(QWidget* form, const QString& text) {
    for (auto* button : form->findChildren<QPushButton*>())
        if (button->text() == text)
            return button;
    return nullptr;
}

QList<TErrorReportForm*> OpenForms() {
    QList<TErrorReportForm*> forms;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* form = qobject_cast<TErrorReportForm*>(w); form && form->isVisible())
            forms << form;
    return forms;
}

// Runs check once a visible widget satisfies find, while a modal loop is running.
void WhenShown(std::function<QWidget*()> find, std::function<void(QWidget*)> check) {
    auto* timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [timer, find, check] {
        if (QWidget* w = find()) {
            timer->stop();
            timer->deleteLater();
            check(w);
        }
    });
    timer->start();
}

} // namespace

class ErrorReportWindowTest : public QObject {
    Q_OBJECT
    test::TempDir dir_;

private slots:
    void initTestCase() {
        qputenv("XDG_STATE_HOME", QByteArray::fromStdString(dir_.File("state")));
        SetupErrorHandlers();
        InstallErrorReportWindow();
    }
    void cleanupTestCase() { TeardownErrorHandlers(); }

    void warningWindowOpensCollapsedAndExpands() {
        EpaWarning warning("odd");
        auto report = MakeErrorReport(&warning, 0x1234);
        TErrorReportForm form;
        form.Prepare(*report);
        form.show();
        QCOMPARE(form.windowTitle(), QStringLiteral("Application Warning"));
        QCOMPARE(Memo(&form, 0)->toPlainText(),
                 QStringLiteral("The application encountered an unusual situation.\nIt's not a "
                                "serious problem, you can continue your work."));
        QLabel* link = DetailsLabel(&form);
        QVERIFY(link);
        QCOMPARE(link->text(), QStringLiteral("Show the report >>"));
        QVERIFY(!Memo(&form, 1)->isEnabled());
        const int collapsed = form.height();
        QCOMPARE(form.minimumHeight(), form.maximumHeight());

        QTest::mouseClick(link, Qt::LeftButton);
        QVERIFY(form.IsExpanded());
        QCOMPARE(link->text(), QStringLiteral("Hide the report <<"));
        QVERIFY(Memo(&form, 1)->isEnabled());
        QVERIFY(Memo(&form, 1)->isVisible());
        QVERIFY(form.height() >= collapsed + 100);
        QCOMPARE(form.minimumHeight(), collapsed + 100);
        QVERIFY(Memo(&form, 1)->toPlainText().contains("Exception class: EpaWarning"));

        form.resize(form.width(), collapsed + 150);
        QTest::mouseClick(link, Qt::LeftButton);
        QCOMPARE(form.height(), collapsed);
        QTest::mouseClick(link, Qt::LeftButton);
        QCOMPARE(form.height(), collapsed + 150); // the expanded height is remembered
    }

    void copyAndCtrlCPutTheReportOnTheClipboard() {
        EpaCritical error("bad");
        auto report = MakeErrorReport(&error, 1);
        TErrorReportForm form;
        form.Prepare(*report);
        form.show();
        QCOMPARE(form.windowTitle(), QStringLiteral("Application Error"));
        QVERIFY(Memo(&form, 0)->toPlainText().startsWith(
            "The application encountered a problem and might become unstable and even useless.\n"
            "It's recommended that you save your work and close this application."));
        const QString expected =
            QStringLiteral("This error happened when I ...\r\n\r\nIs the error reproducible? "
                           "(Y/N) ...\r\n\r\n") +
            QString::fromStdString([&] {
                std::string joined;
                for (const auto& l : report->ReportLines())
                    joined += (joined.empty() ? "" : "\r\n") + l;
                return joined;
            }());
        QGuiApplication::clipboard()->clear();
        QTest::mouseClick(Button(&form, "&Copy"), Qt::LeftButton);
        QCOMPARE(QGuiApplication::clipboard()->text(), expected);

        QGuiApplication::clipboard()->clear();
        QTest::keyClick(Memo(&form, 0), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), expected);
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(Button(&form, "&Send"), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), expected);
    }

    void sendHandsTheReportToTheMailProgram() {
        const QString args = QString::fromStdString(dir_.File("mail-args"));
        const QString script = QString::fromStdString(dir_.File("fake-xdg-email"));
        test::WriteWholeFile(script.toStdString(),
                             "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n--\\n' \"$a\"; done > '" +
                                 args.toStdString() + "'\n");
        QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        TErrorReportForm::SetMailCommand(script);
        EpaCritical error("mail me");
        auto report = MakeErrorReport(&error, 1);
        TErrorReportForm form;
        form.Prepare(*report);
        form.show();
        QSignalSpy done(&form, &TErrorReportForm::sendFinished);
        QTest::mouseClick(Button(&form, "&Send"), Qt::LeftButton);
        QVERIFY(done.wait(5000));
        QCOMPARE(done.at(0).at(0).toBool(), true);
        const std::string sent = test::ReadWholeFile(args.toStdString());
        QVERIFY(
            sent.find("--subject\n--\nTavrelon MP3 Problem\n--\n--body\n--\nThis error happened "
                      "when I ...") != std::string::npos);
        QVERIFY(sent.find("Exception message: mail me") != std::string::npos);
        QVERIFY(sent.find("support@brennikor.com\n--\n") != std::string::npos);
        QVERIFY(form.isVisible());
    }

    void aFailedSendIsLoggedAndOffersTheWebPage() {
        TErrorReportForm::SetMailCommand(QString::fromStdString(dir_.File("no-such-mailer")));
        EpaCritical error("not sent");
        auto report = MakeErrorReport(&error, 1);
        TErrorReportForm form;
        form.Prepare(*report);
        form.show();
        QString question, caption;
        WhenShown(
            [] {
                for (QWidget* w : QApplication::topLevelWidgets())
                    if (qobject_cast<QMessageBox*>(w) && w->isVisible())
                        return w;
                return static_cast<QWidget*>(nullptr);
            },
            [&](QWidget* w) {
                auto* box = static_cast<QMessageBox*>(w);
                question = box->text();
                caption = box->windowTitle();
                box->button(QMessageBox::No)->click();
            });
        QSignalSpy done(&form, &TErrorReportForm::sendFinished);
        QTest::mouseClick(Button(&form, "&Send"), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(done.count(), 1, 5000);
        QCOMPARE(done.at(0).at(0).toBool(), false);
        QTRY_VERIFY_WITH_TIMEOUT(!caption.isEmpty(), 5000);
        QCOMPARE(caption, QStringLiteral("Error report sending"));
        QCOMPARE(question, QStringLiteral("The error report was not sent. Would you like to open "
                                          "support web page in your browser?"));
        QVERIFY(form.isVisible());
        const std::string log = test::ReadWholeFile(ProgramLog()->FileName());
        QVERIFY(log.find("Exception EErrorReportSend") != std::string::npos);
        TErrorReportForm::SetMailCommand("xdg-email");
    }

    void anExceptionReachingTheEventLoopShowsOneReport() {
        int formsWhileShown = -1;
        QString title;
        QString details;
        WhenShown([] { return OpenForms().value(0); },
                  [&](QWidget* w) {
                      title = w->windowTitle();
                      details = Memo(w, 1)->toPlainText();
                      // A second error while the report is on screen is only logged.
                      QTimer::singleShot(0, [] { throw EpaCritical("second while shown"); });
                      QTimer::singleShot(200, [&, w] {
                          formsWhileShown = static_cast<int>(OpenForms().size());
                          static_cast<QDialog*>(w)->reject();
                      });
                  });
        bool returned = false;
        QTimer::singleShot(0, [] { throw EpaCritical("reached the loop"); });
        QTimer::singleShot(50, [&] { returned = true; });
        QTRY_VERIFY_WITH_TIMEOUT(formsWhileShown >= 0 && OpenForms().isEmpty() && returned, 10000);
        QCOMPARE(formsWhileShown, 1);
        QCOMPARE(title, QStringLiteral("Application Error"));
        QVERIFY(details.contains("Exception message: reached the loop"));
        QVERIFY(details.contains("Stack list, generated "));
        const std::string log = test::ReadWholeFile(ProgramLog()->FileName());
        QVERIFY(log.find("reached the loop.") != std::string::npos);
        QVERIFY(log.find("second while shown.") != std::string::npos);
    }

    void anUncaughtExceptionShowsItsReportAndEndsWithCodeOne() {
        const QString seen = QString::fromStdString(dir_.File("seen"));
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("KELVO_UNCAUGHT_CHILD", "1");
        env.insert("KELVO_SEEN_FILE", seen);
        // The process ends from inside the running application on purpose; what Qt and
        // fontconfig still hold then is no leak.
        env.insert("ASAN_OPTIONS", env.value("ASAN_OPTIONS") + ":detect_leaks=0");
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(child.waitForFinished(30000));
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QCOMPARE(child.exitCode(), 1);
        const std::string text = test::ReadWholeFile(seen.toStdString());
        QVERIFY(text.rfind("Application Error\n", 0) == 0);
        QVERIFY(text.find("Exception message: nothing catches this") != std::string::npos);
        QVERIFY(text.find("ThrowUncaught") != std::string::npos);
    }

    void aWarningContinuesAfterTheWindowCloses() {
        WhenShown([] { return OpenForms().value(0); },
                  [](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); });
        int step = 0;
        CheckWarning(false);
        step = 1;
        QCOMPARE(step, 1);
        QVERIFY(OpenForms().isEmpty());
    }
};

// As a child process: an exception that nothing catches shows the report window (closed
// here once it is seen, its title kept in a file) and ends the program with code 1.
[[gnu::noinline]] void ThrowUncaught() {
    throw EpaCritical("nothing catches this");
}

int RunUncaughtChild(int argc, char** argv) {
    TErrorRedirector app(argc, argv);
    SetupErrorHandlers();
    InstallErrorReportWindow();
    WhenShown([] { return OpenForms().value(0); },
              [](QWidget* w) {
                  test::WriteWholeFile(qEnvironmentVariable("KELVO_SEEN_FILE").toStdString(),
                                       w->windowTitle().toStdString() + "\n" +
                                           Memo(w, 1)->toPlainText().toStdString());
                  static_cast<QDialog*>(w)->reject();
              });
    ThrowUncaught();
    return 0;
}

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsSet("KELVO_UNCAUGHT_CHILD"))
        return RunUncaughtChild(argc, argv);
    TErrorRedirector app(argc, argv);
    ErrorReportWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ErrorReportWindowTest.moc"
