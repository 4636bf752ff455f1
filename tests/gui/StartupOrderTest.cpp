// The main window's start-up over 10 000 events on real files: the window paints before the
// rows' moments are made for more than what it shows and before the start-up save; the save
// follows at once, and a change that comes first is saved together with it.

#include "core/persistence/EventFile.h"
#include "core/persistence/EventList.h"
#include "core/scheduling/SimpleInitializeCondition.h"
#include "gui/events/EventListView.h"
#include "gui/main/fmMainForm.h"
#include "gui/models/EventListModel.h"
#include "gui/session/ProgramSession.h"
#include "platform/settings/AppIniReg.h"
#include "support/EntitySamples.h"
#include "support/RecordingDataFileHost.h"
#include "support/ShownRows.h"
#include "support/TestClock.h"
#include "support/TestSupport.h"
#include "support/WindowTestMain.h"

#include <QApplication>
#include <QTest>
#include <QTreeView>
#include <filesystem>

using namespace kelvo;
namespace fs = std::filesystem;

namespace {

constexpr int EventCount = 10000;
test::TempDir* home = nullptr;

fs::path DataFile(const char* extension) {
    return test::ProgramDataFolder(home->Path()) / (std::string("kelvo-rem") + extension);
}

// Every sample event arises in 2024, after this moment: nothing is missed.
const TDateTime Start = EncodeDateTime(2023, 12, 15, 9, 0);

void WriteEvents() {
    fs::remove_all(home->Path() / "data");
    fs::create_directories(DataFile(".evn").parent_path());
    const auto events = samples::VariedEvents(EventCount);
    TEventList list;
    for (const auto& e : events)
        list.Add(*e);
    SaveEventsFile(DataFile(".evn").string(), list);
}

int EventsInFile(const fs::path& file) {
    test::RecordingDataFileHost host;
    return static_cast<int>(ReadEvents(test::ReadWholeFile(file), host).size());
}

struct TWindow {
    TWindow() : session(ini, timers), form(session) {
        form.ShowMessage = [](TMessageKind, const QString&) {};
        form.Confirm = [](const QString&) { return true; };
    }
    TAppIniReg ini;
    test::ManualTimerFactory timers;
    TProgramSession session;
    TMainForm form;
};

// What the window had done when the All Events list first painted its rows.
struct TFirstPaint : QObject {
    TFirstPaint(TWindow& window) : window_(window) { qApp->installEventFilter(this); }
    ~TFirstPaint() override { qApp->removeEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!Seen && event->type() == QEvent::Paint &&
            watched == window_.form.EventList()->viewport()) {
            Seen = true;
            ListedRows = window_.form.List(3).EventRowCount();
            Saved = fs::exists(DataFile(".tpl")) || fs::exists(DataFile(".~ev"));
        }
        return false;
    }
    TWindow& window_;
    bool Seen = false;
    int ListedRows = 0;
    bool Saved = false;
};

} // namespace

class StartupOrderTest : public QObject {
    Q_OBJECT

private slots:
    void theWindowPaintsBeforeTheRowsAreTimedAndBeforeTheSave() {
        test::TestClock clock(Start);
        WriteEvents();
        TWindow window;
        TFirstPaint paint(window);
        window.form.Startup({});
        window.form.ShowAtStart();
        QTRY_VERIFY(paint.Seen);
        QVERIFY2(!paint.Saved, "the start-up save came before the first paint");
        // Every row is in the list, sorted by name; only those painted asked for their moments.
        QCOMPARE(paint.ListedRows, EventCount);
        const int timed = window.session.EventModel().TimedRows();
        QVERIFY2(timed > 0 && timed < 100, qPrintable(QString::number(timed) + " rows timed"));
        QVERIFY(
            !test::ShownText(window.form.EventList(), 0, TEventListModel::ColNextEvent).isEmpty());
        // The save follows on its own: both files, the loaded one kept as the backup.
        QTRY_VERIFY(!window.form.StartupPending());
        QVERIFY(fs::exists(DataFile(".tpl")));
        QCOMPARE(EventsInFile(DataFile(".~ev")), EventCount);
        QCOMPARE(EventsInFile(DataFile(".evn")), EventCount);
    }

    // A change before the start-up save (an arising at the first tick) is saved with it, over
    // the loaded file kept as the backup; a window that ends first still saves everything.
    void aChangeOrAnEndBeforeTheStartupSaveLosesNothing() {
        test::TestClock clock(Start);
        WriteEvents();
        const std::string loaded = test::ReadWholeFile(DataFile(".evn"));
        {
            TWindow window;
            window.form.Startup({});
            QVERIFY(window.form.StartupPending());
            auto added = std::make_unique<TEvent>();
            added->SetWindowMessage("added before the save");
            added->InitializeCondition().Conditions().Add(
                std::make_unique<TSimpleInitializeCondition>(IncDay(1, Start)));
            window.session.Notebook().AddEvent(std::move(added));
            QVERIFY(!window.form.StartupPending());
            QVERIFY(fs::exists(DataFile(".tpl")));
            QCOMPARE(EventsInFile(DataFile(".evn")), EventCount + 1);
            QVERIFY(test::ReadWholeFile(DataFile(".~ev")) == loaded);
        }
        WriteEvents();
        {
            TWindow window;
            window.form.Startup({});
            window.form.ShowAtStart();
            QVERIFY(window.form.StartupPending());
        }
        QVERIFY(fs::exists(DataFile(".tpl")));
        QCOMPARE(EventsInFile(DataFile(".evn")), EventCount);
    }
};

int main(int argc, char** argv) {
    return test::WindowTestMain<StartupOrderTest>(argc, argv, &home);
}

#include "StartupOrderTest.moc"
