// kelvo-rem itself on a virtual X display with a fresh home folder: three alarms missed
// while it was closed open three windows apart, and the mail one of them shows the SMTP
// progress window while the server (a slow one in this test) takes the message.

#include "core/actions/EventAction.h"
#include "core/entities/Event.h"
#include "core/options/MailOptions.h"
#include "core/persistence/EventFile.h"
#include "core/scheduling/SimpleInitializeCondition.h"
#include "platform/settings/AppIniReg.h"
#include "support/DesktopProgram.h"
#include "support/SmtpServer.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QProcess>
#include <QSet>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <cmath>
#include <filesystem>
#include <memory>

using namespace kelvo;
namespace fs = std::filesystem;

namespace {

test::TempDir* home = nullptr;

// Just enough SMTP for one message; the answer to its end waits until Release.
class TSlowSmtpServer : public QObject {
public:
    TSlowSmtpServer() {
        server_.listen(QHostAddress::LocalHost, 0);
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            QTcpSocket* s = server_.nextPendingConnection();
            socket_ = s;
            s->write("220 localhost ESMTP\r\n");
            connect(s, &QTcpSocket::readyRead, this, [this, s] { Read(s); });
        });
    }
    int Port() const { return server_.serverPort(); }
    bool MessageWaiting() const { return waiting_; }
    void Release() {
        if (socket_ && waiting_)
            socket_->write("250 OK\r\n");
        waiting_ = false;
    }

private:
    void Read(QTcpSocket* s) {
        buffer_ += s->readAll();
        for (qsizetype end; (end = buffer_.indexOf("\r\n")) >= 0;) {
            const QByteArray line = buffer_.left(end);
            buffer_.remove(0, end + 2);
            if (inData_) {
                if (line == ".") {
                    inData_ = false;
                    waiting_ = true;
                }
                continue;
            }
            const QByteArray verb = line.left(4).toUpper();
            if (verb == "EHLO" || verb == "HELO")
                s->write("250 localhost\r\n");
            else if (verb == "DATA") {
                inData_ = true;
                s->write("354 go on\r\n");
            } else if (verb == "QUIT")
                s->write("221 bye\r\n");
            else
                s->write("250 OK\r\n");
        }
    }

    QTcpServer server_;
    QTcpSocket* socket_ = nullptr;
    QByteArray buffer_;
    bool inData_ = false;
    bool waiting_ = false;
};

bool Shown(const QString& display, const QString& name) {
    return test::ShownWindowNames(display).contains(name);
}

} // namespace

class DesktopAlarmsTest : public QObject {
    Q_OBJECT

private slots:
    void missedAlarmsOpenApartAndASendShowsItsProgress() {
        if (!test::TVirtualDisplay::ToolsInstalled({"Xvfb", "xwininfo"}))
            QSKIP("no virtual X display here");
        test::TVirtualDisplay xvfb;
        const QString display = xvfb.Name();
        QVERIFY(!display.isEmpty());

        TSlowSmtpServer smtp;
        {
            TMailOptions mail = test::LoopbackMail(smtp.Port());
            mail.SMTPOptions.ReplyTo = "Tavrelon <me@example.org>";
            TAppIniReg ini;
            mail.SaveToStore(ini, "Options");
        }
        // Three alarms due an hour ago, the program closed since two hours ago.
        const TDateTime now = Now();
        const TDateTime due =
            IncMilliSecond(-(TimeOfDayMs(now) % MSecsPerMinute), IncMinute(-60, now));
        std::vector<std::unique_ptr<TEvent>> events;
        TEventList list;
        for (const char* name : {"One", "Two", "Three"}) {
            auto e = std::make_unique<TEvent>();
            e->SetDescription(name);
            e->EventAction().Actions().Clear();
            e->InitializeCondition().SetDateOfCreate(IncHour(-1, due));
            e->InitializeCondition().Conditions().Add(
                std::make_unique<TSimpleInitializeCondition>(due));
            events.push_back(std::move(e));
            list.Add(*events.back());
        }
        auto mail = std::make_unique<TSendMailAction>();
        mail->SetSendTo("ann@example.org");
        mail->SetSubject("Missed");
        events.back()->EventAction().Actions().Add(std::move(mail));
        const fs::path data = test::ProgramDataFolder(home->Path());
        fs::create_directories(data);
        SaveEventsFile((data / "kelvo-rem.evn").string(), list);

        fs::create_directories(home->Path() / "run");
        fs::permissions(home->Path() / "run", fs::perms::owner_all);
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), QString::fromStdString(home->Path().string()));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"),
                   QString::fromStdString((home->Path() / "run").string()));
        env.insert(QStringLiteral("KELVO_AUDIO_SINK"), QStringLiteral("fakesink sync=true"));
        env.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
        QVERIFY(test::StartProgram(program, display, env));

        const QString progress = QStringLiteral("Email sending...");
        QVERIFY2(QTest::qWaitFor([&] { return smtp.MessageWaiting(); }, 90000),
                 "the missed mail was not sent");
        QVERIFY2(QTest::qWaitFor([&] { return Shown(display, progress); }, 5000),
                 "no progress window during the send");
        QList<QPoint> spots;
        for (const test::TShownWindow& w : test::ShownWindows(display))
            if (w.Name == QLatin1String("One [overdue]") ||
                w.Name == QLatin1String("Two [overdue]") ||
                w.Name == QLatin1String("Three [overdue]"))
                spots.push_back(w.At);
        QCOMPARE(spots.size(), 3);
        QCOMPARE(QSet<QPoint>(spots.begin(), spots.end()).size(), 3);
        smtp.Release();
        QVERIFY2(QTest::qWaitFor([&] { return !Shown(display, progress); }, 10000),
                 "the progress window stayed after the send");

        test::EndProgram(program);
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
    }
};

int main(int argc, char** argv) {
    test::TempDir dir;
    home = &dir;
    for (const auto& [name, folder] :
         {std::pair{"XDG_DATA_HOME", "data"}, std::pair{"XDG_CONFIG_HOME", "config"},
          std::pair{"XDG_STATE_HOME", "state"}})
        qputenv(name, QByteArray::fromStdString((dir.Path() / folder).string()));
    QCoreApplication app(argc, argv);
    DesktopAlarmsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "DesktopAlarmsTest.moc"
