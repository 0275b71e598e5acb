#include "dialogs/messagewindow.h"
#include "dialogs/proposalwindow.h"
#include "net/messages.h"
#include "support/stations.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

namespace {

// Alice, Bob and a "Bob" whose name differs only in case and is never addressed.
std::tuple<std::unique_ptr<MainWindow>, std::unique_ptr<MainWindow>, std::unique_ptr<MainWindow>> threeStations(LocalLan &lan)
{
    auto alice = startStation(lan, "alice");
    auto bob = startStation(lan, "bob");
    auto otherBob = startStation(lan, "Bob");
    [&] { QTRY_COMPARE(userList(*alice), QString("alice:1 bob:1 Bob:1")); }();
    return {std::move(alice), std::move(bob), std::move(otherBob)};
}

QString received(const MessageWindow *window)
{
    return control<QPlainTextEdit>(*window, "Text2")->toPlainText();
}

} // namespace

// Several stations in one process on an in-process LAN: presence,
// private messages and proposals between them.
class TestLan final : public QObject
{
    Q_OBJECT
private slots:
    void presenceAvailabilityAndDeparture();
    void lostAndRepeatedDatagramsHeal();
    void messagesAndReplies();
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
    QTRY_COMPARE_WITH_TIMEOUT(userList(*bob), QString("bob:1 alice:1"), 2 * Station::kBroadcastMs);
    QCOMPARE(userCount(*bob), QString("Connected users: 2"));

    control<QComboBox>(*bob, "Combo1")->setCurrentIndex(1);
    QTRY_COMPARE(userList(*alice), QString("alice:1 bob:2"));

    alice->station().stop(); // her own period would set the count at any moment
    bob->close();
    QTRY_COMPARE(userList(*alice), QString("alice:1"));
    QCOMPARE(userCount(*alice), QString("Connected users: 2"));
    // Her period's presence went out a moment ago: the same bytes again are taken only once forgotten.
    alice->station().forgetRecentDatagrams();
    alice->station().broadcastPresence();
    QTRY_COMPARE(userCount(*alice), QString("Connected users: 1"));
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
        alice->station().broadcastPresence();
        bob->station().broadcastPresence();
    }
    // Reordered arrivals may list either first, but each user once.
    for (const MainWindow *station : {alice.get(), bob.get()}) {
        QTRY_COMPARE(userList(*station).split(' ').size(), 2);
        QVERIFY(userList(*station).contains("alice:1") && userList(*station).contains("bob:1"));
    }
}

void TestLan::messagesAndReplies()
{
    LocalLan lan;
    auto [alice, bob, otherBob] = threeStations(lan);
    alice->station().sendPrivateMessage("bob", "<b>one</b>\r\nline two");
    QTRY_VERIFY(bob->messageWindow());
    QPointer<MessageWindow> first = bob->messageWindow();
    QCOMPARE(first->correspondent(), QString("alice"));
    QCOMPARE(received(first), QString("<b>one</b>\nline two"));
    QVERIFY(first->windowTitle().startsWith("Message from: alice at "));

    // A second message opens a second window; the first stays.
    alice->station().sendPrivateMessage("bob", "two");
    QTRY_VERIFY(bob->messageWindow() != first);
    QVERIFY(first && first->isVisible());
    QVERIFY(!otherBob->messageWindow() && !alice->messageWindow());

    // Respond goes back to the sender and closes the window.
    QTest::keyClicks(control<QPlainTextEdit>(*first, "Text1"), "pong");
    QTest::mouseClick(control<QPushButton>(*first, "Command2"), Qt::LeftButton);
    QTRY_VERIFY(first.isNull());
    QTRY_VERIFY(alice->messageWindow());
    QCOMPARE(received(alice->messageWindow()), QString("pong"));
    QCOMPARE(alice->messageWindow()->correspondent(), QString("bob"));

    // Writing to oneself works like writing to anyone.
    bob->station().sendPrivateMessage("bob", "note to self");
    QTRY_COMPARE(received(bob->messageWindow()), QString("note to self"));
    QCOMPARE(bob->messageWindow()->correspondent(), QString("bob"));
}

void TestLan::proposalsAndDecline()
{
    LocalLan lan;
    auto [alice, bob, otherBob] = threeStations(lan);
    alice->station().proposeGame(Game::Othello, "bob");
    alice->station().proposeGame(Game::Puissance4, "bob");
    QTRY_VERIFY(bob->proposalWindow(Game::Othello) && bob->proposalWindow(Game::Puissance4));
    for (const Game game : {Game::Othello, Game::Puissance4}) {
        QCOMPARE(bob->proposalWindow(game)->proposer(), QString("alice"));
        QCOMPARE(bob->proposalWindow(game)->game(), game);
    }
    QVERIFY(!otherBob->proposalWindow(Game::Othello));

    QTest::mouseClick(control<QPushButton>(*bob->proposalWindow(Game::Othello), "Command2"), Qt::LeftButton);
    QTRY_VERIFY(alice->findChild<QMessageBox *>("Declined"));
    QCOMPARE(alice->findChild<QMessageBox *>("Declined")->text(), QString("bob has declined your offer..."));
    QVERIFY(!bob->findChild<QMessageBox *>("Declined"));
}

void TestLan::cleanup()
{
    // Message and proposal windows outlive their stations.
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<MessageWindow *>(widget) || qobject_cast<ProposalWindow *>(widget))
            delete widget;
    }
}

QTEST_MAIN(TestLan)
#include "test_lan.moc"
