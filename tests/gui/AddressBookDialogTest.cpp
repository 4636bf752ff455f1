#include "gui/mail/fmAddressBook.h"

#include <QListWidget>
#include <QTest>
#include <QTimer>

using namespace kelvo;

namespace {

struct Used : IKnownAddresses {
    std::vector<std::string> RecipientTexts() const override {
        return {"\"Ann\" <ann@x.org>; bob@y.org", "ANN@x.org, carl@z.org"};
    }
};

} // namespace

class AddressBookDialogTest : public QObject {
    Q_OBJECT
private slots:
    void offersUsedAddressesWithTheTextsOnesTicked() {
        TAddressBookDialog dialog;
        QStringList shown;
        QTimer::singleShot(0, &dialog, [&] {
            QListWidget* list = dialog.List();
            for (int i = 0; i < list->count(); ++i)
                shown << list->item(i)->text() +
                             (list->item(i)->checkState() == Qt::Checked ? " [x]" : "");
            list->item(2)->setCheckState(Qt::Checked); // carl
            dialog.accept();
        });
        std::string text = "bob@y.org";
        QVERIFY(AddressBook(text, Used(), dialog));
        QCOMPARE(shown, (QStringList{"bob@y.org [x]", "\"Ann\" <ann@x.org>", "carl@z.org"}));
        QCOMPARE(QString::fromStdString(text), QStringLiteral("bob@y.org; carl@z.org"));
    }

    void cancellingLeavesTheTextAlone() {
        TAddressBookDialog dialog;
        QTimer::singleShot(0, &dialog, [&] {
            dialog.List()->item(0)->setCheckState(Qt::Unchecked);
            dialog.reject();
        });
        std::string text = "\"Ann\" <ann@x.org>";
        QVERIFY(!AddressBook(text, Used(), dialog));
        QCOMPARE(QString::fromStdString(text), QStringLiteral("\"Ann\" <ann@x.org>"));
    }
};

QTEST_MAIN(AddressBookDialogTest)
#include "AddressBookDialogTest.moc"
