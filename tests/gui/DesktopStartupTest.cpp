// kelvo-rem itself, started as a process on the offscreen platform with a private home:
// a missed mail alarm goes out although the start-up has a message to show, SIGTERM while
// the data files are still loading ends the program at once without saving, and a million
// events fit in the memory of a modest machine.

#include "core/entities/Event.h"
#include "core/options/MailOptions.h"
#include "core/persistence/EventFile.h"
#include "core/scheduling/SimpleInitializeCondition.h"
#include "platform/session/paSingleInstance.h"
#include "platform/settings/AppIniReg.h"
#include "support/DesktopProgram.h"
#include "support/EmptyRecords.h"
#include "support/EntitySamples.h"
#include "support/SmtpServer.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>

using namespace kelvo;
using kelvo::test::SmtpServer;
namespace fs = std::filesystem;

namespace {

test::TempDir* home = nullptr;

fs::path DataFolder() {
    return test::ProgramDataFolder(home->Path());
}

void Save(const TOwnedEvents& events) {
    TEventList list;
    for (const auto& e : events)
        list.Add(*e);
    fs::create_directories(DataFolder());
    SaveEventsFile((DataFolder() / "kelvo-rem.evn").string(), list);
}

// Every file of the data folder with its bytes.
std::map<std::string, std::string> DataFiles() {
    std::map<std::string, std::string> files;
    if (fs::exists(DataFolder()))
        for (const auto& entry : fs::directory_iterator(DataFolder()))
            files[entry.path().filename().string()] = test::ReadWholeFile(entry.path());
    return files;
}

// Bytes the process has read so far, or -1.
// Whether the program has the file in its memory: it is read mapped, or through read().
bool HasRead(qint64 pid, const std::string& name, long long size) {
    std::ifstream maps("/proc/" + std::to_string(pid) + "/maps");
    for (std::string line; std::getline(maps, line);)
        if (line.ends_with("/" + name))
            return true;
    std::ifstream io("/proc/" + std::to_string(pid) + "/io");
    std::string key;
    long long value = 0;
    while (io >> key >> value)
        if (key == "rchar:")
            return value >= size;
    return false;
}

// The peak resident memory of a running process, in bytes.
double PeakBytes(qint64 pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with("VmHWM:"))
            return std::stod(line.substr(6)) * 1024;
    return -1;
}

} // namespace

class DesktopStartupTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        fs::remove_all(home->Path() / "data");
        fs::remove_all(home->Path() / "config");
    }

    // The start-up shows a box for the damaged record while the missed alarm arises: the
    // mail goes out with the user's mail settings all the same.
    void aMissedMailAlarmGoesOutDespiteAStartupMessage() {
        SmtpServer server;
        QVERIFY(server.Port() > 0);
        {
            TMailOptions mail = test::LoopbackMail(server.Port(), "secret");
            mail.SMTPOptions.ReplyTo = "Tavrelon <me@example.org>";
            TAppIniReg ini;
            mail.SaveToStore(ini, "Options");
        }
        const TDateTime now = Now();
        TOwnedEvents events;
        events.push_back(samples::SilentEventOnceAt(IncHour(-2, now), "Pills"));
        auto send = std::make_unique<TSendMailAction>();
        send->SetSendTo("ann@example.org");
        send->SetSubject("Missed at eight");
        send->SetBody("Take the pills.");
        events.back()->EventAction().Actions().Add(std::move(send));
        events.back()->SetCreationTime(IncDay(-2, now));
        events.back()->InitializeCondition().SetLastAppear(IncDay(-1, now));
        events.push_back(samples::SilentEventOnceAt(IncDay(3, now), "damaged"));
        Save(events);
        std::string bytes = test::ReadWholeFile(DataFolder() / "kelvo-rem.evn");
        const std::size_t at = bytes.rfind("TEvent");
        QVERIFY(at != std::string::npos);
        bytes[at] = 'X';
        test::WriteWholeFile(DataFolder() / "kelvo-rem.evn", bytes);

        QProcess program;
        QVERIFY(test::StartProgram(program));
        QTRY_VERIFY_WITH_TIMEOUT(
            !server.Messages().empty() || program.state() == QProcess::NotRunning, 30000);
        test::EndProgram(program);
        const auto messages = server.Messages();
        QCOMPARE(messages.size(), std::size_t{1});
        QVERIFY(messages[0].find("Subject: Missed at eight") != std::string::npos);
        QCOMPARE(program.exitCode(), 0);
    }

    // Many events take a while to read; SIGTERM meanwhile ends the program at once with 0,
    // and the data folder stays exactly as it was.
    void sigtermWhileLoadingEndsAtOnceAndSavesNothing() {
        const TDateTime later = IncDay(30, Now());
        TOwnedEvents events;
        for (int i = 0; i < 40000; ++i)
            events.push_back(samples::SilentEventOnceAt(later, "event " + std::to_string(i)));
        Save(events);
        events.clear();
        const auto before = DataFiles();
        const auto size = static_cast<long long>(fs::file_size(DataFolder() / "kelvo-rem.evn"));

        QProcess program;
        QVERIFY(test::StartProgram(program));
        // Signalled once the events file has been read in, while it is being taken apart.
        QTRY_VERIFY_WITH_TIMEOUT(HasRead(program.processId(), "kelvo-rem.evn", size), 30000);
        QElapsedTimer clock;
        clock.start();
        ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
        QVERIFY(program.waitForFinished(30000));
        const qint64 ms = clock.elapsed();
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        QVERIFY2(ms < 1000, qPrintable(QString::number(ms) + " ms after SIGTERM"));
        const auto after = DataFiles();
        QCOMPARE(after.size(), before.size());
        QVERIFY(after == before);
    }

    // The window over a million events (All Events lists them all, sorted by name) shows
    // within 600 MB.
    void aMillionEventsAreShownInUnder600MB() {
        fs::create_directories(DataFolder());
        test::WriteEmptyRecordsFile((DataFolder() / "kelvo-rem.evn").string());
        QProcess program;
        QVERIFY(test::StartProgram(program));
        // The instance answers from the event loop, which runs once the window is shown.
        std::optional<std::string> answer;
        QElapsedTimer clock;
        clock.start();
        while (!answer && program.state() == QProcess::Running && clock.elapsed() < 120000) {
            answer = TSingleInstance::Ask("events-file", 60000);
            if (!answer)
                QTest::qWait(50);
        }
        const double peak = PeakBytes(program.processId());
        program.kill(); // a save of a million events on the way out would only cost time
        program.waitForFinished(10000);
        QVERIFY(answer.has_value());
        QVERIFY(answer->find("kelvo-rem.evn") != std::string::npos);
        qInfo("peak %.0f MB after %lld ms", peak / 1e6, static_cast<long long>(clock.elapsed()));
#ifndef __SANITIZE_ADDRESS__
        // The sanitizer's red zones and shadow memory make any bound meaningless there.
        QVERIFY2(peak > 0 && peak < 600e6, qPrintable(QString::number(peak / 1e6) + " MB"));
#endif
    }
};

int main(int argc, char** argv) {
    test::TempDir dir;
    home = &dir;
    // The program inherits the private folders; the settings store here writes where it reads.
    test::UseProgramHome(dir.Path(), "home");
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("KELVO_AUDIO_SINK", "fakesink sync=true");
    QCoreApplication app(argc, argv);
    DesktopStartupTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "DesktopStartupTest.moc"
