// F1 opens the shipped help page of the focused element's topic, and the alarm window's own
// topic, with the help the build writes where kelvo-rem looks for it; the program's other shipped
// files are found there too.

#include "gui/help/Help.h"

#include "core/timers/ProgramFolders.h"
#include "gui/dialogs/paTips.h"
#include "platform/runtime/FolderProvider.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

using namespace kelvo;

class HelpTest : public QObject {
    Q_OBJECT
    QList<QUrl> opened_;

private slots:
    void initTestCase() {
        InstallProgramFolders(std::make_unique<TQtFolderProvider>(
            QFileInfo(QStringLiteral(KELVO_REM_PATH)).absolutePath().toStdString()));
        THelp::InstallF1(*qApp);
        THelp::Opener() = [this](const QUrl& url) {
            opened_ << url;
            return true;
        };
    }
    void init() { opened_.clear(); }

    void everyTopicOfTheProgramHasItsOwnPage() {
        for (int topic : {1, 100, 110, 120, 130, 140, 200, 205, 250, 310, 385, 410, 10000}) {
            const QString file = THelp::TopicUrl(topic).toLocalFile();
            QVERIFY2(QFile::exists(file), qPrintable(file));
            QCOMPARE(QFileInfo(file).fileName(), topic == 1
                                                     ? QStringLiteral("index.html")
                                                     : QStringLiteral("topic-%1.html").arg(topic));
        }
        // Unknown topics open the contents rather than nothing.
        QCOMPARE(QFileInfo(THelp::TopicUrl(999).toLocalFile()).fileName(),
                 QStringLiteral("index.html"));
    }

    // kelvo-rem run from the build finds the beep, the icon library and the tips, as an installed
    // one does.
    void theProgramFindsTheFilesShippedWithIt() {
        QVERIFY(QFile::exists(QString::fromStdString(ProgramFolders().SoundsFolder()) +
                              QStringLiteral("/Beep.wav")));
        QVERIFY(QFile::exists(QString::fromStdString(ProgramFolders().IconsLibrary())));
        QCOMPARE(TpaTips::Load(TpaTips::Folder(), QLocale(QLocale::English)).size(), 24);
    }

    void f1ShowsTheTopicOfTheNearestElementThatHasOne() {
        QWidget window;
        window.setProperty(THelp::TopicProperty, 100);
        auto* layout = new QVBoxLayout(&window);
        auto* page = new QWidget;
        page->setProperty(THelp::TopicProperty, 120);
        auto* inPage = new QLineEdit(page);
        auto* outside = new QLineEdit;
        layout->addWidget(page);
        layout->addWidget(outside);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        inPage->setFocus();
        QTest::keyClick(inPage, Qt::Key_F1);
        outside->setFocus();
        QTest::keyClick(outside, Qt::Key_F1);
        QTest::keyClick(outside, Qt::Key_F1, Qt::ShiftModifier); // not help
        QCOMPARE(opened_.size(), 2);
        QVERIFY(opened_[0].toLocalFile().endsWith(QStringLiteral("/topic-120.html")));
        QVERIFY(opened_[1].toLocalFile().endsWith(QStringLiteral("/topic-100.html")));
    }

    void withoutAnyTopicF1IsLeftToTheWidget() {
        QLineEdit lonely;
        lonely.show();
        QVERIFY(QTest::qWaitForWindowExposed(&lonely));
        lonely.setFocus();
        QTest::keyClick(&lonely, Qt::Key_F1);
        QVERIFY(opened_.isEmpty());
    }
};

QTEST_MAIN(HelpTest)

#include "HelpTest.moc"
