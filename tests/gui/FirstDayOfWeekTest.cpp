// The desktop program's first start with a stored first day of the week that makes no
// sense, under a locale whose week starts on Monday: the week starts on the locale's day.

#include "core/timers/ProgramFolders.h"
#include "gui/main/fmMainForm.h"
#include "gui/session/ProgramSession.h"
#include "platform/runtime/FolderProvider.h"
#include "platform/runtime/QtLocale.h"
#include "platform/settings/AppIniReg.h"
#include "support/MainFormRun.h"
#include "support/TestClock.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QTest>

using namespace kelvo;

class FirstDayOfWeekTest : public QObject {
    Q_OBJECT

private slots:
    void aStoredDayOutOfRangeBecomesTheLocalesDay() {
        QCOMPARE(static_cast<int>(QLocale::system().firstDayOfWeek()), 1); // Monday
        for (const int stored : {9, -1}) {
            {
                TAppIniReg ini;
                ini.WriteInteger("Options", "BehaviourFirstDayOfWeek", stored);
            }
            {
                test::MainFormRun run;
                QCOMPARE(FirstDayOfWeek(), 1);
            }
            TAppIniReg ini;
            QCOMPARE(ini.ReadInteger("Options", "BehaviourFirstDayOfWeek", -2), 1);
        }
    }
};

int main(int argc, char** argv) {
    test::TempDir dir;
    test::UsePrivateFolders(dir.Path());
    qputenv("LC_ALL", "en_GB.UTF-8");
    QApplication app(argc, argv);
    // As kelvo-rem starts.
    InstallProgramFolders(std::make_unique<TQtFolderProvider>());
    InstallSystemLocale();
    FirstDayOfWeekTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "FirstDayOfWeekTest.moc"
