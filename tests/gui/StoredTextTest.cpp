// The main window shows a stored text as the alarm window does: a file written on Windows
// keeps its umlauts in the list and the next-event line.

#include "core/persistence/EventFile.h"
#include "core/scheduling/SimpleInitializeCondition.h"
#include "gui/main/fmMainForm.h"
#include "gui/session/ProgramSession.h"
#include "platform/settings/AppIniReg.h"
#include "support/MainFormRun.h"
#include "support/ShownRows.h"
#include "support/TestClock.h"
#include "support/TestSupport.h"
#include "support/WindowTestMain.h"

#include <QApplication>
#include <QTest>
#include <filesystem>

using namespace kelvo;
namespace fs = std::filesystem;

namespace {
test::TempDir* home = nullptr;
}

class StoredTextTest : public QObject {
    Q_OBJECT

private slots:
    void windowsBytesAndUtf8BothShowAsWritten() {
        test::TestClock clock(EncodeDateTime(2030, 6, 1, 9, 0));
        const fs::path file = test::ProgramDataFolder(home->Path()) / "kelvo-rem.evn";
        fs::create_directories(file.parent_path());
        TOwnedEvents owned;
        TEventList list;
        for (const char* message : {"Dr. M\xFCller \x84quoted\x93", "Caf\xC3\xA9"}) {
            auto e = std::make_unique<TEvent>();
            e->SetWindowMessage(message);
            e->EventAction().Actions().Clear();
            e->InitializeCondition().Conditions().Add(
                std::make_unique<TSimpleInitializeCondition>(EncodeDateTime(2030, 6, 1, 9, 30)));
            list.Add(*e);
            owned.push_back(std::move(e));
        }
        SaveEventsFile(file.string(), list);

        test::MainFormParts run;
        TMainForm& form = run.form;
        form.ShowMessage = [](TMessageKind, const QString& text) { QFAIL(qPrintable(text)); };
        form.Startup({});
        QTreeView* events = form.EventList();
        QCOMPARE(test::ShownRowCount(events), 2);
        QStringList shown;
        for (int i = 0; i < test::ShownRowCount(events); ++i)
            shown << test::ShownText(events, i, 0);
        shown.sort();
        QCOMPARE(shown, (QStringList{QString::fromUtf8("Caf\xC3\xA9"),
                                     QString::fromUtf8("Dr. M\xC3\xBCller \xE2\x80\x9Equoted"
                                                       "\xE2\x80\x9C")}));
        QVERIFY(form.NextEventText().contains(QString::fromUtf8("\xC3\xBC")) ||
                form.NextEventText().contains(QString::fromUtf8("\xC3\xA9")));
    }
};

int main(int argc, char** argv) {
    return test::WindowTestMain<StoredTextTest>(argc, argv, &home);
}

#include "StoredTextTest.moc"
