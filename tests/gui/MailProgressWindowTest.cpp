#include "gui/mail/fmProgress.h"

#include <QApplication>
#include <QProgressBar>
#include <QTest>

using namespace kelvo;

class MailProgressWindowTest : public QObject {
    Q_OBJECT
private slots:
    void showsCaptionStaysOnTopAndFollowsTheSend() {
        std::unique_ptr<IMailProgress> progress = CreateMailProgressWindow();
        auto* form = dynamic_cast<TProgressForm*>(progress.get());
        QVERIFY(form);
        QCOMPARE(form->windowTitle(), QStringLiteral("Email sending..."));
        QVERIFY(form->isVisible());
        QVERIFY(!form->isModal());
        QVERIFY(form->windowFlags() & Qt::WindowStaysOnTopHint);
        auto* bar = form->findChild<QProgressBar*>();
        QVERIFY(bar);
        QCOMPARE(bar->minimum(), 0);
        QCOMPARE(bar->maximum(), 100);
        for (int percent : {25, 50, 75, 99})
            progress->SetProgress(percent);
        QCOMPARE(bar->value(), 99);
        progress->SetProgress(140);
        QCOMPARE(form->Progress(), 100);
    }

    void aMailerShowsOneWindowPerSendAndClosesItAtTheEnd() {
        struct Held : IMailTransport {
            void Send(const TMailSettings&, TMailMessage, std::function<void(int)> p,
                      std::function<void(const std::string&)> d) override {
                progress.push_back(std::move(p));
                done.push_back(std::move(d));
            }
            std::vector<std::function<void(int)>> progress;
            std::vector<std::function<void(const std::string&)>> done;
        } smtp;
        TMailer mailer(&smtp, nullptr);
        mailer.CreateProgress = CreateMailProgressWindow;
        TMailSettings settings;
        settings.ConnectionType = ecSMTP;
        mailer.SendMail(settings, "S", "a@b.c", "B", "");
        mailer.SendMail(settings, "T", "a@b.c", "B", "");
        auto windows = [] {
            int n = 0;
            for (QWidget* w : QApplication::topLevelWidgets())
                if (qobject_cast<TProgressForm*>(w))
                    ++n;
            return n;
        };
        QCOMPARE(windows(), 2);
        smtp.progress[0](50);
        smtp.done[0]("");
        QCOMPARE(windows(), 1);
        smtp.done[1]("");
        QCOMPARE(windows(), 0);
    }
};

QTEST_MAIN(MailProgressWindowTest)
#include "MailProgressWindowTest.moc"
