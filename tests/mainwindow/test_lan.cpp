#include "form1.h"
#include "messages.h"
#include "stations.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>

namespace {

QStringList users(const Form1 &station)
{
    QStringList names;
    for (int row = 0; row < station.ListView1->count(); ++row)
        names << station.ListView1->item(row)->text();
    return names;
}

int icon(const Form1 &station, const QString &name)
{
    const auto found = station.ListView1->findItems(name, Qt::MatchExactly | Qt::MatchCaseSensitive);
    return found.isEmpty() ? 0 : found.front()->data(Form1::kIconRole).toInt();
}

QString lastLine(const QPlainTextEdit *log)
{
    return log->toPlainText().section(u'\n', -1);
}

} // namespace

// Several stations in one process on an in-process LAN.
class TestLan final : public QObject
{
    Q_OBJECT
private slots:
    void stationsListEachOtherWithinOneCycle();
    void notAvailableShowsAtOnce();
    void departureRemovesTheEntryAndLeavesTheCount();
    void teaLineReachesEveryTeaLog();
    void sameUserNameOnTwoStations();
    void lostAndRepeatedDatagramsHeal();
};

void TestLan::stationsListEachOtherWithinOneCycle()
{
    LocalLan lan;
    auto alice = startStation(lan, "alice");
    auto bob = startStation(lan, "bob");
    // Bob's first announcement reaches Alice at once; Alice's next cycle reaches Bob.
    QTRY_COMPARE(users(*alice), (QStringList{"alice", "bob"}));
    QTRY_COMPARE_WITH_TIMEOUT(users(*bob), (QStringList{"bob", "alice"}), 2 * timing::kBroadcastMs);
    for (const Form1 *station : {alice.get(), bob.get()}) {
        QCOMPARE(icon(*station, "alice"), 1);
        QCOMPARE(icon(*station, "bob"), 1);
        QCOMPARE(station->StatusPanel1->text(), QString("Connected users: 2"));
    }
}

void TestLan::notAvailableShowsAtOnce()
{
    LocalLan lan;
    auto alice = startStation(lan, "alice");
    auto bob = startStation(lan, "bob");
    QTRY_COMPARE(users(*alice), (QStringList{"alice", "bob"}));
    bob->Combo1->setCurrentIndex(1);
    QTRY_COMPARE(icon(*alice, "bob"), 2);
    QCOMPARE(icon(*bob, "bob"), 2);
    // Every cycle repeats it.
    bob->Timer1_Timer();
    QTest::qWait(0);
    QCOMPARE(icon(*alice, "bob"), 2);
    bob->Combo1->setCurrentIndex(0);
    QTRY_COMPARE(icon(*alice, "bob"), 1);
}

void TestLan::departureRemovesTheEntryAndLeavesTheCount()
{
    LocalLan lan;
    auto alice = startStation(lan, "alice");
    auto bob = startStation(lan, "bob");
    QTRY_COMPARE(users(*alice), (QStringList{"alice", "bob"}));
    bob->close();
    QTRY_COMPARE(users(*alice), QStringList{"alice"});
    QCOMPARE(alice->StatusPanel1->text(), QString("Connected users: 2"));
    alice->Timer1_Timer();
    QTRY_COMPARE(alice->StatusPanel1->text(), QString("Connected users: 1"));
}

void TestLan::teaLineReachesEveryTeaLog()
{
    LocalLan lan;
    auto alice = startStation(lan, "alice");
    auto bob = startStation(lan, "bob");
    auto carol = startStation(lan, "carol");
    bob->SSTab1->setCurrentIndex(1);
    bob->Text3->setText("tea, anyone?");
    bob->Command2_Click();
    for (const Form1 *station : {alice.get(), bob.get(), carol.get()}) {
        QTRY_VERIFY(lastLine(station->Text2).endsWith("]> tea, anyone?"));
        QVERIFY(lastLine(station->Text2).startsWith("[bob,"));
        QVERIFY(station->Text1->toPlainText().isEmpty());
    }
}

void TestLan::sameUserNameOnTwoStations()
{
    LocalLan lan;
    auto first = startStation(lan, "alice");
    auto second = startStation(lan, "alice");
    auto bob = startStation(lan, "bob");
    QTRY_COMPARE(users(*bob), (QStringList{"bob", "alice"}) );
    bob->station().send(wire::proposalDeclined("alice", "bob"));
    QTRY_VERIFY(first->findChild<QWidget *>("Declined"));
    QTRY_VERIFY(second->findChild<QWidget *>("Declined"));
}

void TestLan::lostAndRepeatedDatagramsHeal()
{
    LocalLan lan;
    lan.setDropEvery(2);
    lan.setDuplicateEvery(3);
    auto alice = startStation(lan, "alice");
    auto bob = startStation(lan, "bob");
    for (int cycle = 0; cycle < 4; ++cycle) {
        alice->Timer1_Timer();
        bob->Timer1_Timer();
    }
    QTRY_COMPARE(users(*alice).size(), 2);
    QTRY_COMPARE(users(*bob).size(), 2);
    QCOMPARE(alice->ListView1->findItems("bob", Qt::MatchExactly).size(), 1);
}

QTEST_MAIN(TestLan)
#include "test_lan.moc"
