// The main window over hostile or damaged data files and a full disk: a FIFO as the events
// file, a hundred thousand records of an unknown class, a file cut short, and saves that run
// out of space (a file size limit, so no mount is needed).

#include "core/diagnostics/paLogUtils.h"
#include "core/persistence/EventFile.h"
#include "core/scheduling/SimpleInitializeCondition.h"
#include "gui/main/fmMainForm.h"
#include "gui/session/ProgramSession.h"
#include "platform/diagnostics/paExceptionTracking.h"
#include "platform/settings/AppIniReg.h"
#include "support/EntitySamples.h"
#include "support/MainFormRun.h"
#include "support/TestClock.h"
#include "support/TestSupport.h"
#include "support/WindowTestMain.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace kelvo;
namespace fs = std::filesystem;

namespace {

test::TempDir* home = nullptr;

fs::path DataFolder() {
    return test::ProgramDataFolder(home->Path());
}
fs::path DataFile(const char* extension) {
    return DataFolder() / (std::string("kelvo-rem") + extension);
}

std::string EventsBytes(int count) {
    TOwnedEvents owned;
    TEventList list;
    for (int i = 0; i < count; ++i) {
        owned.push_back(samples::SilentEventOnceAt(EncodeDateTime(2030, 7, 1, 9, 0),
                                                   "event " + std::to_string(i)));
        list.Add(*owned.back());
    }
    return WriteEvents(list);
}

std::vector<std::string> SavingFiles() {
    std::vector<std::string> out;
    for (const auto& entry : fs::directory_iterator(DataFolder()))
        if (entry.path().filename().string().rfind("Saving of ", 0) == 0)
            out.push_back(entry.path().string());
    return out;
}

// Every file this process writes is limited to limit bytes while one lives; a longer write
// fails with EFBIG, as on a full disk.
struct TFullDisk {
    explicit TFullDisk(rlim_t limit) {
        previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous);
        rlimit now{limit, previous.rlim_max};
        setrlimit(RLIMIT_FSIZE, &now);
    }
    ~TFullDisk() {
        setrlimit(RLIMIT_FSIZE, &previous);
        std::signal(SIGXFSZ, previousHandler);
    }
    rlimit previous{};
    void (*previousHandler)(int) = nullptr;
};

} // namespace

class DataFileSafetyTest : public QObject {
    Q_OBJECT

    struct Run : test::MainFormParts {
        Run() {
            form.ShowMessage = [this](TMessageKind kind, const QString& text) {
                messages.push_back({kind, text});
            };
            form.Confirm = [](const QString&) { return false; };
            form.Startup({});
        }
        std::size_t Errors() const {
            std::size_t n = 0;
            for (const auto& m : messages)
                n += m.first == TMessageKind::Error ? 1 : 0;
            return n;
        }

        std::vector<std::pair<TMessageKind, QString>> messages;
    };

private slots:
    void init() {
        fs::remove_all(home->Path() / "data");
        fs::remove_all(home->Path() / "config");
        fs::create_directories(DataFolder());
    }

    void aFifoAsTheEventsFileIsRefusedWithoutBlocking() {
        QCOMPARE(mkfifo(DataFile(".evn").c_str(), 0600), 0);
        Run run;
        QCOMPARE(run.messages.size(), std::size_t{1});
        const QString& text = run.messages[0].second;
        QVERIFY2(text.contains(QStringLiteral("It is not a regular file")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("Location of Data file changed to")));
        QVERIFY(fs::is_fifo(DataFile(".evn")));
    }

    void startUpRemovesUnfinishedSavesAndKeepsCompleteOnes() {
        const std::string whole = EventsBytes(3);
        test::WriteWholeFile(DataFile(".evn"), whole);
        const fs::path partial =
            DataFolder() / "Saving of kelvo-rem made on 01.02.2030 at 10.00.00.evn";
        const fs::path complete =
            DataFolder() / "Saving of kelvo-rem made on 01.02.2030 at 10.00.01.evn";
        const fs::path templates =
            DataFolder() / "Saving of kelvo-rem made on 01.02.2030 at 10.00.00.tpl";
        test::WriteWholeFile(partial, whole.substr(0, whole.size() - 10));
        test::WriteWholeFile(complete, whole);
        test::WriteWholeFile(templates, "\x05");
        Run run;
        QVERIFY(run.messages.empty());
        QVERIFY(!fs::exists(partial));
        QVERIFY(!fs::exists(templates));
        QCOMPARE(test::ReadWholeFile(complete), whole);
    }

    void aHundredThousandUnknownRecordsLoadQuicklyWithOneLogLine() {
        std::string bytes;
        TClassWriter writer(bytes);
        WriteDataFileHeader(writer, EventsFileFormat);
        constexpr int Records = 100000;
        for (int i = 0; i < Records; ++i) {
            WriteRecordMarker(writer, EventsFileFormat);
            writer.WriteTag(TIdentType::itObjectBegin);
            writer.WriteRawString("TFutureEvent");
            writer.WritePropName("Tag");
            writer.WriteInteger(i);
            writer.WriteTag(TIdentType::itObjectEnd);
            writer.WriteRawString("TFutureEvent");
        }
        test::WriteWholeFile(DataFile(".evn"), bytes);
        // As in the program: every raise traced and logged.
        const fs::path logFile = home->Path() / "program.log";
        fs::remove(logFile);
        SetProgramLog(std::make_unique<TLogFile>(logFile.string()));
        QVERIFY(StartExceptionTracking());
        QElapsedTimer clock;
        clock.start();
        std::size_t errors = 0;
        QString text;
        {
            Run run;
            errors = run.Errors();
            text = run.messages.empty() ? QString() : run.messages[0].second;
        }
        const qint64 elapsed = clock.elapsed();
        qInfo("start-up over 100000 unknown records: %lld ms", static_cast<long long>(elapsed));
        StopExceptionTracking();
        SetProgramLog(nullptr);
        QVERIFY2(elapsed < 10000, qPrintable(QString::number(elapsed) + " ms"));
        QCOMPARE(errors, std::size_t{1});
        QVERIFY2(text.startsWith(QStringLiteral("100000 damaged record(s)")), qPrintable(text));
        const std::string log = test::ReadWholeFile(logFile);
        std::size_t lines = 0;
        for (std::size_t at = log.find("damaged record(s) skipped"); at != std::string::npos;
             at = log.find("damaged record(s) skipped", at + 1))
            ++lines;
        QCOMPARE(lines, std::size_t{1});
        QVERIFY2(log.find("Exception") == std::string::npos, log.substr(0, 600).c_str());
        QVERIFY(log.size() < 4096);
    }

    void aFileCutShortSaysSoAndNamesTheCopyKept() {
        const std::string whole = EventsBytes(20);
        // Cut in the middle of the seventh record: fourteen events are gone.
        std::size_t at = 0;
        for (int i = 0; i < 7; ++i)
            at = whole.find("RM_BEGIN_EVENT", at + 1);
        const std::string cut = whole.substr(0, at + 40);
        test::WriteWholeFile(DataFile(".evn"), cut);
        Run run;
        QCOMPARE(run.session.Notebook().EventCount(), 6);
        QCOMPARE(run.messages.size(), std::size_t{1});
        const QString& text = run.messages[0].second;
        QVERIFY2(text.startsWith(QStringLiteral("1 damaged record(s) could not be read and were "
                                                "left out of ")),
                 qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("ended early")), qPrintable(text));
        std::string copy;
        for (const auto& entry : fs::directory_iterator(DataFolder()))
            if (entry.path().filename().string().rfind("kelvo-rem.damaged-", 0) == 0)
                copy = entry.path().string();
        QVERIFY(!copy.empty());
        QVERIFY(fs::path(copy).extension() == ".evn");
        QVERIFY2(text.contains(QString::fromStdString(copy)), qPrintable(text));
        QCOMPARE(test::ReadWholeFile(copy), cut);
    }

    void aFullDiskKeepsTheFilesLeavesNoTemporaryFileAndIsToldOnce() {
        test::TestClock clock(EncodeDateTime(2030, 6, 1, 9, 0));
        Run run;
        TReminderNotebook& notebook = run.session.Notebook();
        notebook.AddEvent(samples::SilentEventOnceAt(EncodeDateTime(2030, 7, 1, 9, 0), "first"));
        notebook.AddEvent(samples::SilentEventOnceAt(EncodeDateTime(2030, 7, 2, 9, 0), "second"));
        const fs::path other = home->Path() / "other.evn";
        test::WriteWholeFile(other, EventsBytes(3));
        const std::string events = test::ReadWholeFile(DataFile(".evn"));
        const std::string backup = test::ReadWholeFile(DataFile(".~ev"));
        const std::string otherBytes = test::ReadWholeFile(other);
        QVERIFY(!backup.empty());
        const std::size_t before = run.messages.size();
        {
            TFullDisk full(static_cast<rlim_t>(events.size() + 64));
            for (int i = 0; i < 3; ++i)
                notebook.AddEvent(samples::SilentEventOnceAt(EncodeDateTime(2030, 8, 1, 9, 0),
                                                             std::string(2000, 'a' + i)));
            QTest::qWait(50); // the box of a failed save waits for the event loop
            QCOMPARE(run.messages.size(), before + 1);
            QVERIFY(run.messages.back().second.contains(QStringLiteral("Error saving event file")));
            QCOMPARE(test::ReadWholeFile(DataFile(".evn")), events);
            QCOMPARE(test::ReadWholeFile(DataFile(".~ev")), backup);
            QVERIFY(SavingFiles().empty());

            // "Save As" and "New" over an existing file keep it whole as well.
            run.form.ChooseDataFile = [&](bool, const QString&) {
                return QString::fromStdString(other.string());
            };
            for (const char* command : {"FileDataSaveAsAction", "FileDataNewAction"}) {
                run.form.Command(QString::fromLatin1(command))->trigger();
                QVERIFY2(run.messages.back().second.startsWith(
                             QStringLiteral("Could not save Data Files to ")),
                         command);
                QCOMPARE(test::ReadWholeFile(other), otherBytes);
                for (const auto& entry : fs::directory_iterator(home->Path()))
                    QVERIFY2(entry.path().filename().string().rfind("Saving of", 0) != 0,
                             entry.path().c_str());
            }
            QCOMPARE(notebook.EventCount(), 5);
        }
        // With space again the next change is saved.
        notebook.AddEvent(
            samples::SilentEventOnceAt(EncodeDateTime(2030, 9, 1, 9, 0), "space again"));
        QCOMPARE(MessagesOf(DataFile(".evn")).size(), std::size_t{6});
    }

private:
    static std::vector<std::string> MessagesOf(const fs::path& file) {
        TAnswerNoHost host;
        std::vector<std::string> out;
        for (auto& e : LoadEventsFile(file.string(), host))
            out.push_back(e->WindowMessage());
        return out;
    }
};

int main(int argc, char** argv) {
    return test::WindowTestMain<DataFileSafetyTest>(argc, argv, &home);
}

#include "DataFileSafetyTest.moc"
