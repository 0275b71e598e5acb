#include "form1.h"
#include "messages.h"
#include "stations.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

namespace {

// Alice, Bob and a "Bob" whose name differs only in case and is never addressed.
std::tuple<std::unique_ptr<Form1>, std::unique_ptr<Form1>, std::unique_ptr<Form1>> threeStations(LocalLan &lan)
{
    auto alice = startStation(lan, "alice");
    auto bob = startStation(lan, "bob");
    auto otherBob = startStation(lan, "Bob");
    [&] { QTRY_COMPARE(userList(*alice), QString("alice:1 bob:1 Bob:1")); }();
    return {std::move(alice), std::move(bob), std::move(otherBob)};
}

} // namespace

// Several stations in one process on an in-process LAN: presence, rooms,
// private messages and proposals.
class TestLan final : public QObject
{
    Q_OBJECT
private slots:
    void presenceAvailabilityAndDeparture();
    void teaLineReachesEveryTeaLog();
    void lostAndRepeatedDatagramsHeal();
    void messagesAndReplies();
    void doubleClickStartsAMessage();
    void proposalsAndDecline();
    void cleanup();
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

void TestLan::messagesAndReplies()
{
    LocalLan lan;
    auto [alice, bob, otherBob] = threeStations(lan);
    alice->station().send(wire::privateMessage("bob", "alice", "<b>one</b>\r\nline two"));
    QTRY_VERIFY(bob->frmMessage);
    QPointer<Form2> first = bob->frmMessage;
    QCOMPARE(first->Tag, QString("Response"));
    QCOMPARE(first->DestUser, QString("alice"));
    QCOMPARE(first->Text2->toPlainText(), QString("<b>one</b>\nline two"));
    QVERIFY(first->windowTitle().startsWith("Message from: alice at "));

    // A second message opens a second window; the first stays.
    alice->station().send(wire::privateMessage("bob", "alice", "two"));
    QTRY_VERIFY(bob->frmMessage != first);
    QVERIFY(first && first->isVisible());
    QVERIFY(!otherBob->frmMessage && !alice->frmMessage);

    // Respond goes back to the sender and closes the window.
    first->Text1->setPlainText("pong");
    QTest::mouseClick(first->Command2, Qt::LeftButton);
    QTRY_VERIFY(first.isNull());
    QTRY_VERIFY(alice->frmMessage);
    QCOMPARE(alice->frmMessage->Text2->toPlainText(), QString("pong"));
    QCOMPARE(alice->frmMessage->DestUser, QString("bob"));

    // Writing to oneself works like writing to anyone.
    bob->station().send(wire::privateMessage("bob", "bob", "note to self"));
    QTRY_COMPARE(bob->frmMessage->Text2->toPlainText(), QString("note to self"));
    QCOMPARE(bob->frmMessage->DestUser, QString("bob"));
}

void TestLan::doubleClickStartsAMessage()
{
    LocalLan lan;
    auto [alice, bob, otherBob] = threeStations(lan);
    alice->ListView1->item(1)->setSelected(true);
    alice->ListView1_DblClick();
    Form2 *window = alice->frmMessage;
    QVERIFY(window);
    QCOMPARE(window->Tag, QString("Message"));
    QCOMPARE(window->DestUser, QString("bob"));
    QCOMPARE(window->windowTitle(), QString("Message"));
    window->Text1->setPlainText("hi bob");
    window->Command1_Click();
    QTRY_VERIFY(bob->frmMessage);
    QCOMPARE(bob->frmMessage->Text2->toPlainText(), QString("hi bob"));
}

void TestLan::proposalsAndDecline()
{
    LocalLan lan;
    auto [alice, bob, otherBob] = threeStations(lan);
    alice->station().send(wire::othelloProposal("bob", "alice"));
    alice->station().send(wire::puissance4Proposal("bob", "alice"));
    QTRY_VERIFY(bob->frmOthelloProposal && bob->frmPuissance4Proposal);
    for (Form5 *proposal : {bob->frmOthelloProposal.data(), bob->frmPuissance4Proposal.data()}) {
        QCOMPARE(proposal->DestUser, QString("alice"));
        QCOMPARE(proposal->SourceUser, QString("bob"));
    }
    QCOMPARE(bob->frmOthelloProposal->windowTitle(), QString("Othello game proposal"));
    QCOMPARE(bob->frmPuissance4Proposal->windowTitle(), QString("Puissance 4 game proposal"));
    QCOMPARE(bob->frmPuissance4Proposal->Game, qint16(2));
    QVERIFY(!otherBob->frmOthelloProposal);

    bob->frmOthelloProposal->Command2_Click();
    QTRY_VERIFY(alice->findChild<QMessageBox *>("Declined"));
    QCOMPARE(alice->findChild<QMessageBox *>("Declined")->text(), QString("bob has declined your offer..."));
    QVERIFY(!bob->findChild<QMessageBox *>("Declined"));
}

void TestLan::cleanup()
{
    // Message and proposal windows outlive their stations.
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<Form2 *>(widget) || qobject_cast<Form5 *>(widget))
            delete widget;
    }
}

QTEST_MAIN(TestLan)
#include "test_lan.moc"
