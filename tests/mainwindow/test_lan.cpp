#include "form1.h"
#include "messages.h"
#include "stations.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>

// Several stations in one process on an in-process LAN.
class TestLan final : public QObject
{
    Q_OBJECT
private slots:
    void presenceAvailabilityAndDeparture();
    void teaLineReachesEveryTeaLog();
    void lostAndRepeatedDatagramsHeal();
};

void TestLan::presenceAvailabilityAndDeparture()
{
    LocalLan lan;
    auto alice = startStation(lan, "alice");
    auto bob = startStation(lan, "bob");
    // Bob's first announcement reaches Alice at once; Alice's next cycle reaches Bob.
    QTRY_COMPARE(userList(*alice), QString("alice:1 bob:1"));
    QTRY_COMPARE_WITH_TIMEOUT(userList(*bob), QString("bob:1 alice:1"), 2 * timing::kBroadcastMs);
    QCOMPARE(bob->StatusPanel1->text(), QString("Connected users: 2"));

    bob->Combo1->setCurrentIndex(1);
    QTRY_COMPARE(userList(*alice), QString("alice:1 bob:2"));

    bob->close();
    QTRY_COMPARE(userList(*alice), QString("alice:1"));
    QCOMPARE(alice->StatusPanel1->text(), QString("Connected users: 2"));
    alice->Timer1_Timer();
    QTRY_COMPARE(alice->StatusPanel1->text(), QString("Connected users: 1"));
}

void TestLan::teaLineReachesEveryTeaLog()
{
    LocalLan lan;
    auto alice = startStation(lan, "alice");
    auto bob = startStation(lan, "bob");
    bob->SSTab1->setCurrentIndex(1);
    bob->Text3->setText("tea, anyone?");
    bob->Command2_Click();
    for (const Form1 *station : {alice.get(), bob.get()}) {
        QTRY_VERIFY(logLines(station->Text2).endsWith("]> tea, anyone?"));
        QVERIFY(logLines(station->Text2).startsWith("[bob,"));
        QCOMPARE(logLines(station->Text1), QString());
    }
}

void TestLan::lostAndRepeatedDatagramsHeal()
{
    LocalLan lan;
    lan.setDropEvery(2);
    lan.setDuplicateEvery(3);
    lan.setReorder(true);
    auto alice = startStation(lan, "alice");
    auto bob = startStation(lan, "bob");
    for (int cycle = 0; cycle < 4; ++cycle) {
        alice->Timer1_Timer();
        bob->Timer1_Timer();
    }
    // Reordered arrivals may list either first, but each user once.
    for (const Form1 *station : {alice.get(), bob.get()}) {
        QTRY_COMPARE(userList(*station).split(' ').size(), 2);
        QVERIFY(userList(*station).contains("alice:1") && userList(*station).contains("bob:1"));
    }
}

QTEST_MAIN(TestLan)
#include "test_lan.moc"
